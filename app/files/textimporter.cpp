#include "textimporter.h"

#include "tablereader.h"
#include "textdecoder.h"

#include <algorithm>
#include <functional>
#include <limits>
#include <tuple>
#include <utility>
#include <vector>

namespace {

bool isCommentHeading(std::string_view cell) {
    constexpr std::string_view Comment = "comment";
    return std::equal(cell.begin(), cell.end(), Comment.begin(), Comment.end(), [](char a, char b) {
        return (a >= 'A' && a <= 'Z' ? static_cast<char>(a - 'A' + 'a') : a) == b;
    });
}

bool isHeader(const std::vector<std::string>& row) {
    return row.size() >= 2 && isCommentHeading(row.back());
}

// Tab, semicolon or comma, judged by the first rows: first the one under which the first row is a
// header, then one that splits every row into the same number of cells, more than one, then the
// one that gives the most cells; the earlier in that list on a tie.
char detectSeparator(std::string_view text) {
    constexpr char Candidates[] = {'\t', ';', ','};
    constexpr int SampleRows = 10;
    char best = Candidates[0];
    std::tuple<bool, bool, std::size_t> bestScore{};
    std::vector<std::string> cells;
    for (const char candidate : Candidates) {
        TableReader reader(text, candidate);
        bool header = false;
        std::size_t firstCells = 0;
        bool even = true;
        for (int row = 0; row < SampleRows && reader.next(cells); ++row) {
            if (row == 0) {
                header = isHeader(cells);
                firstCells = cells.size();
            } else if (cells.size() != firstCells) {
                even = false;
            }
        }
        const std::tuple<bool, bool, std::size_t> score{header, even && firstCells > 1, firstCells};
        if (score > bestScore) {
            best = candidate;
            bestScore = score;
        }
    }
    return best;
}

std::string numberedField(std::size_t number) {
    return "Field " + std::to_string(number);
}

// The outline a header row names; empty names, which the outline dialog would not accept, get one.
Outline outlineFromHeader(const std::vector<std::string>& header) {
    Outline outline;
    outline.setItemType(header.front().empty() ? outline.getItemType() : header.front());
    outline.removeDef(0);
    for (std::size_t i = 1; i + 1 < header.size(); ++i)
        outline.addDef(header[i].empty() ? numberedField(i) : header[i]);
    return outline;
}

Outline outlineForColumns(std::size_t columns) {
    Outline outline;
    if (columns <= 2)
        return outline;
    outline.removeDef(0);
    for (std::size_t i = 1; i < columns; ++i)
        outline.addDef(numberedField(i));
    return outline;
}

std::size_t widestRow(std::string_view text, char separator) {
    TableReader reader(text, separator);
    std::vector<std::string> cells;
    std::size_t widest = 0;
    while (reader.next(cells))
        widest = std::max(widest, cells.size());
    return widest;
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
    const DecodedText decoded = decodeText(std::move(bytes));
    _report.encoding = decoded.encoding;
    _report.replacedCharacters = decoded.replacedCharacters;
    _report.separator = _separator != 0 ? _separator : detectSeparator(decoded.text);

    TableReader reader(decoded.text, _report.separator);
    std::vector<std::string> cells;
    if (!reader.next(cells))
        throw Error(Refusal::NoRows, 0, "the file holds no rows");
    _report.hasHeader = isHeader(cells);
    const std::size_t columns = _report.hasHeader ? cells.size() : widestRow(decoded.text, _report.separator);
    if (columns - (_report.hasHeader ? 2 : 1) > static_cast<std::size_t>(Outline::MaxDefCount))
        throw Error(Refusal::TooManyFields, 1,
                    "more than " + std::to_string(Outline::MaxDefCount) + " fields");

    StudyList studyList;
    studyList.setOutline(_report.hasHeader ? outlineFromHeader(cells) : outlineForColumns(columns));
    const Outline& outline = studyList.getOutline();
    const std::size_t fieldCount = static_cast<std::size_t>(outline.getDefCount());
    const std::vector<int> repeatedFields = findRepeatedFields(outline);
    const auto cellAt = [&cells](std::size_t idx) -> const std::string& {
        static const std::string none;
        return idx < cells.size() ? cells[idx] : none;
    };
    TermLog terms;
    for (bool row = !_report.hasHeader || reader.next(cells); row; row = reader.next(cells)) {
        const int line = reader.getLine();
        if (std::any_of(cells.begin() + static_cast<std::ptrdiff_t>(std::min(columns, cells.size())),
                        cells.end(), [](const std::string& cell) { return !cell.empty(); }))
            throw Error(Refusal::TooManyCells, line, "more cells than the header");
        if (cells.front().empty()) {
            _report.rowsWithoutTerm.add(line);
            continue;
        }
        if (_report.itemCount == StudyList::MaxTermSetCount)
            throw Error(Refusal::TooManyItems, line,
                        "more than " + std::to_string(StudyList::MaxTermSetCount) + " items");
        TermSet termSet(outline, ++_report.itemCount);
        termSet.setTerm(cells.front());
        for (std::size_t i = 0; i < fieldCount; ++i) {
            const std::string& value = cellAt(i + 1);
            const int earlier = repeatedFields[i];
            if (earlier >= 0 && value != cellAt(static_cast<std::size_t>(earlier) + 1))
                throw Error(Refusal::RepeatedFieldDiffers, line,
                            "different texts in the two fields named \"" +
                                outline.getDef(static_cast<int>(i)) + "\"",
                            outline.getDef(static_cast<int>(i)));
            if (!value.empty())
                termSet.setField(static_cast<int>(i), value);
        }
        if (_report.hasHeader)
            termSet.setComment(cellAt(columns - 1));
        studyList.addTermSet(termSet);
        terms.add(cells.front(), line);
    }
    _report.repeatedTerms = terms.findRepeats();
    studyList.setModified();
    return studyList;
}
