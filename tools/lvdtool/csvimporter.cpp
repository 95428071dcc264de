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

// The lines without their line breaks. A line break after the last line, as editors like to add,
// starts no further line.
std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    for (;;) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    if (lines.size() > 1 && lines.back().empty())
        lines.pop_back();
    return lines;
}

} // namespace

StudyList CSVImporter::read() const {
    const std::vector<std::string_view> lines = splitLines(_text);
    // Refused before any item is made; the line named is the first one too many.
    if (lines.size() - 1 > static_cast<std::size_t>(StudyList::MaxTermSetCount))
        throw Error(StudyList::MaxTermSetCount + 2,
                    "more than " + std::to_string(StudyList::MaxTermSetCount) + " items");
    const std::vector<std::string_view> header = splitAtTabs(lines.front());
    StudyList studyList;
    studyList.setOutline(readOutline(header));
    for (std::size_t idx = 1; idx < lines.size(); ++idx) {
        const int line = static_cast<int>(idx) + 1;
        const std::vector<std::string_view> columns = splitAtTabs(lines[idx]);
        if (columns.size() != header.size())
            throw Error(line, std::to_string(columns.size()) + " columns where the first line has " +
                                  std::to_string(header.size()));
        TermSet termSet(studyList.getOutline(), static_cast<int>(idx));
        termSet.setTerm(std::string(columns.front()));
        for (int i = 0; i < studyList.getOutline().getDefCount(); ++i)
            termSet.setField(i, std::string(columns[static_cast<std::size_t>(i) + 1]));
        termSet.setComment(std::string(columns.back()));
        checkRepeatedFields(termSet, columns, line);
        studyList.addTermSet(termSet);
    }
    return studyList;
}
