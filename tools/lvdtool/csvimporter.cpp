#include "csvimporter.h"

#include <vector>

namespace {

std::vector<std::string_view> splitAtTabs(std::string_view line) {
    std::vector<std::string_view> columns;
    for (;;) {
        const auto tab = line.find('\t');
        columns.push_back(line.substr(0, tab));
        if (tab == std::string_view::npos)
            return columns;
        line.remove_prefix(tab + 1);
    }
}

Outline readOutline(const std::vector<std::string_view>& header) {
    if (header.size() < 2 || header.back() != "Comment")
        throw CSVImporter::Error(1,
                                 "the first line must hold the item type, the field names and \"Comment\"");
    if (header.size() - 2 > static_cast<std::size_t>(Outline::MaxDefCount))
        throw CSVImporter::Error(1, "more than " + std::to_string(Outline::MaxDefCount) + " fields");
    Outline outline;
    outline.setItemType(std::string(header.front()));
    while (outline.getDefCount() > 0)
        outline.removeDef(0);
    for (std::size_t i = 1; i + 1 < header.size(); ++i)
        outline.addDef(std::string(header[i]));
    return outline;
}

// Columns under one field name share one value in the model; differing texts there would be lost.
void checkRepeatedFields(const TermSet& termSet, const std::vector<std::string_view>& columns, int line) {
    const Outline& outline = termSet.getOutline();
    for (int i = 0; i < outline.getDefCount(); ++i) {
        if (termSet.getFieldView(i) != columns[static_cast<std::size_t>(i) + 1])
            throw CSVImporter::Error(line, "the fields named \"" + outline.getDef(i) +
                                               "\" hold different texts, which the program cannot keep");
    }
}

} // namespace

StudyList CSVImporter::read() const {
    StudyList studyList;
    int line = 0;
    std::size_t columnCount = 0;
    std::size_t pos = 0;
    for (;;) {
        const auto end = _text.find('\n', pos);
        std::string_view text = _text.substr(pos, end == std::string_view::npos ? end : end - pos);
        ++line;
        // A line break after the last line, as editors like to add, starts no further line.
        if (end == std::string_view::npos && text.empty() && line > 1)
            break;
        if (!text.empty() && text.back() == '\r')
            text.remove_suffix(1);
        const std::vector<std::string_view> columns = splitAtTabs(text);
        if (line == 1) {
            studyList.setOutline(readOutline(columns));
            columnCount = columns.size();
        } else {
            if (columns.size() != columnCount)
                throw Error(line, std::to_string(columns.size()) + " columns where the first line has " +
                                      std::to_string(columnCount));
            if (studyList.getTermSetCount() == StudyList::MaxTermSetCount)
                throw Error(line, "more than " + std::to_string(StudyList::MaxTermSetCount) + " items");
            TermSet termSet(studyList.getOutline(), studyList.getTermSetCount() + 1);
            termSet.setTerm(std::string(columns.front()));
            for (int i = 0; i < studyList.getOutline().getDefCount(); ++i)
                termSet.setField(i, std::string(columns[static_cast<std::size_t>(i) + 1]));
            termSet.setComment(std::string(columns.back()));
            checkRepeatedFields(termSet, columns, line);
            studyList.addTermSet(termSet);
        }
        if (end == std::string_view::npos)
            break;
        pos = end + 1;
    }
    return studyList;
}
