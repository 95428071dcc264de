#include "textimporter.h"

#include "tablereader.h"
#include "textdecoder.h"

#include <algorithm>
#include <functional>
#include <limits>
#include <utility>
#include <vector>

namespace {

std::string numberedField(std::size_t number) {
    return "Field " + std::to_string(number);
}

// The line of a position, counted as the table reader counts lines.
int lineAt(std::string_view text, std::size_t pos) {
    int line = 1;
    for (std::size_t i = 0; i < pos; ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && text[i + 1] != '\n'))
            ++line;
    }
    return line;
}

// The outline of the columns; names from the header row, when there is one, and any name that is
// missing numbered as the outline dialog would need one.
Outline outlineFor(const std::vector<ColumnRole>& columns, const std::vector<std::string>* header) {
    Outline outline;
    const auto name = [header](std::size_t column) {
        return header && column < header->size() ? (*header)[column] : std::string();
    };
    const auto term = std::find(columns.begin(), columns.end(), ColumnRole::Term);
    if (term != columns.end() && !name(static_cast<std::size_t>(term - columns.begin())).empty())
        outline.setItemType(name(static_cast<std::size_t>(term - columns.begin())));
    const std::size_t fieldCount =
        static_cast<std::size_t>(std::count(columns.begin(), columns.end(), ColumnRole::Field));
    if (!header && fieldCount <= 1)
        return outline;
    outline.removeDef(0);
    std::size_t number = 0;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (columns[i] != ColumnRole::Field)
            continue;
        ++number;
        outline.addDef(name(i).empty() ? numberedField(number) : name(i));
    }
    return outline;
}

// For each field, the index of an earlier field of the same name, or -1. The model keeps one value
// per name, so such columns must agree.
std::vector<int> findRepeatedFields(const Outline& outline) {
    std::vector<int> earlier(static_cast<std::size_t>(outline.getDefCount()), -1);
    for (int i = 0; i < outline.getDefCount(); ++i) {
        for (int j = 0; j < i; ++j) {
            if (outline.getDef(j) == outline.getDef(i)) {
                earlier[static_cast<std::size_t>(i)] = j;
                break;
            }
        }
    }
    return earlier;
}

// The terms of the items made, kept apart from the study list to find repeats at the end: in one
// text, and looked up in one open-addressing table, as a million small allocations would cost more
// than the rest of the import.
class TermLog {
public:
    void add(const std::string& term, int line) {
        _ends.push_back(_text.size() + term.size());
        _lines.push_back(line);
        _text += term;
    }

    LineTally findRepeats() const {
        constexpr std::size_t Empty = std::numeric_limits<std::size_t>::max();
        std::size_t slotCount = 1;
        while (slotCount < 2 * _ends.size())
            slotCount *= 2;
        std::vector<std::size_t> slots(slotCount, Empty);
        LineTally repeats;
        for (std::size_t idx = 0; idx < _ends.size(); ++idx) {
            const std::string_view term = termAt(idx);
            std::size_t slot = std::hash<std::string_view>()(term) & (slotCount - 1);
            while (slots[slot] != Empty && termAt(slots[slot]) != term)
                slot = (slot + 1) & (slotCount - 1);
            if (slots[slot] == Empty)
                slots[slot] = idx;
            else
                repeats.add(_lines[idx]);
        }
        return repeats;
    }

private:
    std::string_view termAt(std::size_t idx) const {
        const std::size_t begin = idx == 0 ? 0 : _ends[idx - 1];
        return std::string_view(_text).substr(begin, _ends[idx] - begin);
    }

    std::string _text;
    std::vector<std::size_t> _ends;
    std::vector<int> _lines;
};

} // namespace

StudyList TextImporter::read(std::string bytes) {
    _report = TextImportReport();
    const TextEncoding encoding = _choices.encoding ? *_choices.encoding : detectEncoding(bytes);
    const DecodedText decoded = decodeText(std::move(bytes), encoding);
    _report.encoding = decoded.encoding;
    _report.replacedCharacters = decoded.replacedCharacters;
    const std::string_view text = decoded.text;
    if (const std::size_t nul = text.find('\0'); nul != std::string_view::npos)
        throw Error(Refusal::NotText, lineAt(text, nul), "not a text file: it holds NUL bytes");
    const ImportLayout layout = guessLayout(text, _choices);
    _report.separator = layout.separator;
    _report.quoting = layout.quoting;
    _report.hasHeader = layout.header;

    TableReader reader(text, layout.separator, layout.quoting);
    std::vector<std::string> cells;
    if (!reader.next(cells))
        throw Error(Refusal::NoRows, 0, "the file holds no rows");
    const std::vector<ColumnRole>& columns = layout.columns;
    if (std::count(columns.begin(), columns.end(), ColumnRole::Field) > Outline::MaxDefCount)
        throw Error(Refusal::TooManyFields, 1,
                    "more than " + std::to_string(Outline::MaxDefCount) + " fields");

    StudyList studyList;
    studyList.setOutline(outlineFor(columns, layout.header ? &cells : nullptr));
    const Outline& outline = studyList.getOutline();
    const std::vector<int> repeatedFields = findRepeatedFields(outline);
    // Each field's column, the term's and the comment's; the size of cells when there is none.
    std::vector<std::size_t> fieldColumns;
    std::size_t termColumn = std::numeric_limits<std::size_t>::max();
    std::size_t commentColumn = termColumn;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (columns[i] == ColumnRole::Field)
            fieldColumns.push_back(i);
        else if (columns[i] == ColumnRole::Term && termColumn == std::numeric_limits<std::size_t>::max())
            termColumn = i;
        else if (columns[i] == ColumnRole::Comment)
            commentColumn = i;
    }
    const auto cellAt = [&cells](std::size_t idx) -> const std::string& {
        static const std::string none;
        return idx < cells.size() ? cells[idx] : none;
    };
    TermLog terms;
    for (bool row = !layout.header || reader.next(cells); row; row = reader.next(cells)) {
        const int line = reader.getLine();
        if (std::any_of(cells.begin() + static_cast<std::ptrdiff_t>(std::min(columns.size(), cells.size())),
                        cells.end(), [](const std::string& cell) { return !cell.empty(); }))
            throw Error(Refusal::TooManyCells, line, "more cells than the columns");
        const std::string& term = cellAt(termColumn);
        if (term.empty()) {
            _report.rowsWithoutTerm.add(line);
            continue;
        }
        if (_report.itemCount == StudyList::MaxTermSetCount)
            throw Error(Refusal::TooManyItems, line,
                        "more than " + std::to_string(StudyList::MaxTermSetCount) + " items");
        TermSet termSet(outline, ++_report.itemCount);
        termSet.setTerm(term);
        for (std::size_t i = 0; i < fieldColumns.size(); ++i) {
            const std::string& value = cellAt(fieldColumns[i]);
            const int earlier = repeatedFields[i];
            if (earlier >= 0 && value != cellAt(fieldColumns[static_cast<std::size_t>(earlier)]))
                throw Error(Refusal::RepeatedFieldDiffers, line,
                            "different texts in the two fields named \"" +
                                outline.getDef(static_cast<int>(i)) + "\"",
                            outline.getDef(static_cast<int>(i)));
            if (!value.empty())
                termSet.setField(static_cast<int>(i), value);
        }
        termSet.setComment(cellAt(commentColumn));
        studyList.addTermSet(termSet);
        terms.add(term, line);
    }
    _report.repeatedTerms = terms.findRepeats();
    studyList.setModified();
    return studyList;
}
