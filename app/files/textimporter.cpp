#include "textimporter.h"

#include "tablereader.h"
#include "textdecoder.h"

#include <algorithm>
#include <cstdint>
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

// How many bytes at the end begin a UTF-8 character that the next piece completes.
std::size_t incompleteUtf8Tail(std::string_view bytes) {
    for (std::size_t back = 1; back <= std::min<std::size_t>(3, bytes.size()); ++back) {
        const auto byte = static_cast<unsigned char>(bytes[bytes.size() - back]);
        if ((byte & 0xC0) == 0x80)
            continue;
        const std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        return length > back ? back : 0;
    }
    return 0;
}

// An odd byte, and the first half of a surrogate pair.
std::size_t incompleteUtf16Tail(std::string_view bytes, bool bigEndian) {
    std::size_t tail = bytes.size() % 2;
    if (bytes.size() - tail >= 2) {
        const auto first = static_cast<unsigned char>(bytes[bytes.size() - tail - 2]);
        const auto second = static_cast<unsigned char>(bytes[bytes.size() - tail - 1]);
        const unsigned unit = bigEndian ? (first << 8) | second : (second << 8) | first;
        if (unit >= 0xD800 && unit <= 0xDBFF)
            tail += 2;
    }
    return tail;
}

// Joins the first pieces until the first holds that many bytes, or all there are.
void gatherFront(TextChunks& chunks, std::size_t bytes) {
    if (chunks.empty())
        return;
    std::size_t next = 1;
    while (next < chunks.size() && chunks.front().size() < bytes)
        chunks.front() += chunks[next++];
    chunks.erase(chunks.begin() + 1, chunks.begin() + static_cast<std::ptrdiff_t>(next));
}

// Moves the start of a character cut by the end of a piece to the next piece.
void cutBetweenCharacters(TextChunks& chunks, TextEncoding encoding) {
    for (std::size_t k = 0; k + 1 < chunks.size(); ++k) {
        std::string& chunk = chunks[k];
        const std::size_t tail = encoding == TextEncoding::Utf16LittleEndian
                                     ? incompleteUtf16Tail(chunk, false)
                                 : encoding == TextEncoding::Utf16BigEndian ? incompleteUtf16Tail(chunk, true)
                                                                            : incompleteUtf8Tail(chunk);
        chunks[k + 1].insert(0, chunk, chunk.size() - tail, tail);
        chunk.resize(chunk.size() - tail);
    }
}

// A byte-order mark or bytes that look like UTF-16 decide from the first piece; otherwise UTF-8 when
// every piece is well formed and one goes beyond ASCII.
TextEncoding detectPiecesEncoding(TextChunks& chunks) {
    if (chunks.empty())
        return TextEncoding::Windows1252;
    TextEncoding encoding = detectEncoding(chunks.front());
    if (encoding == TextEncoding::Utf16LittleEndian || encoding == TextEncoding::Utf16BigEndian)
        return encoding;
    cutBetweenCharacters(chunks, TextEncoding::Utf8);
    if (byteOrderMarkSize(chunks.front(), TextEncoding::Utf8) > 0)
        return TextEncoding::Utf8;
    bool highBytes = false;
    for (const std::string& chunk : chunks) {
        const TextUtf8Check check = checkUtf8(chunk);
        if (!check.wellFormed)
            return TextEncoding::Windows1252;
        highBytes = highBytes || check.highBytes;
    }
    return highBytes ? TextEncoding::Utf8 : TextEncoding::Windows1252;
}

// Lines ended in the pieces before piece k, as the table reader counts them.
int linesBefore(const TextChunks& chunks, std::size_t k) {
    int lines = 0;
    for (std::size_t i = 0; i < k; ++i) {
        const std::string& chunk = chunks[i];
        for (std::size_t at = 0; at < chunk.size(); ++at) {
            const char next = at + 1 < chunk.size()                             ? chunk[at + 1]
                              : i + 1 < chunks.size() && !chunks[i + 1].empty() ? chunks[i + 1].front()
                                                                                : '\0';
            if (chunk[at] == '\n' || (chunk[at] == '\r' && next != '\n'))
                ++lines;
        }
    }
    return lines;
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

// Items whose term an earlier item has, found once all are made: by one open-addressing table over
// the items' own terms, as a million small allocations would cost more than the rest of the import.
LineTally findRepeatedTerms(const StudyList& studyList, const std::vector<int>& lines) {
    constexpr std::uint32_t Empty = std::numeric_limits<std::uint32_t>::max();
    const std::size_t count = static_cast<std::size_t>(studyList.getTermSetCount());
    std::size_t slotCount = 1;
    while (slotCount < 2 * count)
        slotCount *= 2;
    std::vector<std::uint32_t> slots(slotCount, Empty);
    const auto termAt = [&studyList](std::size_t idx) -> std::string_view {
        return studyList.getTermSet(idx).getTerm();
    };
    LineTally repeats;
    for (std::size_t idx = 0; idx < count; ++idx) {
        const std::string_view term = termAt(idx);
        std::size_t slot = std::hash<std::string_view>()(term) & (slotCount - 1);
        while (slots[slot] != Empty && termAt(slots[slot]) != term)
            slot = (slot + 1) & (slotCount - 1);
        if (slots[slot] == Empty)
            slots[slot] = static_cast<std::uint32_t>(idx);
        else
            repeats.add(lines[idx]);
    }
    return repeats;
}

} // namespace

StudyList TextImporter::read(std::string bytes) {
    TextChunks chunks;
    chunks.push_back(std::move(bytes));
    return read(std::move(chunks));
}

StudyList TextImporter::read(TextChunks bytes) {
    ImportProgress progress;
    return read(std::move(bytes), progress);
}

StudyList TextImporter::read(TextChunks bytes, ImportProgress& progress) {
    return import(std::move(bytes), std::numeric_limits<int>::max(), progress);
}

StudyList TextImporter::readFirstRows(std::string firstBytes, int rows, bool wholeFile) {
    if (!wholeFile) {
        // Whole lines only, so that no character is cut; a UTF-16 line feed ends a byte later.
        std::size_t end = firstBytes.find_last_of('\n');
        end = end == std::string::npos ? 0 : end + 1;
        if (end < firstBytes.size() && firstBytes[end] == '\0')
            ++end;
        firstBytes.resize(end);
    }
    TextChunks chunks;
    chunks.push_back(std::move(firstBytes));
    ImportProgress progress;
    return import(std::move(chunks), rows, progress);
}

StudyList TextImporter::import(TextChunks chunks, int maxRows, ImportProgress& progress) {
    _report = TextImportReport();
    // The encoding is told by the first bytes, the layout by the first rows.
    constexpr std::size_t EncodingSampleBytes = 64 * 1024 + 4;
    gatherFront(chunks, EncodingSampleBytes);
    const TextEncoding encoding = _choices.encoding ? *_choices.encoding : detectPiecesEncoding(chunks);
    cutBetweenCharacters(chunks, encoding);
    _report.encoding = encoding;
    for (std::size_t k = 0; k < chunks.size(); ++k) {
        const std::size_t mark = k == 0 ? byteOrderMarkSize(chunks[k], encoding) : 0;
        DecodedText decoded = decodeText(std::move(chunks[k]), encoding, mark);
        chunks[k] = std::move(decoded.text);
        const LineTally& replaced = decoded.replacedCharacters;
        if (replaced.count > 0 && _report.replacedCharacters.count == 0)
            _report.replacedCharacters.firstLine = linesBefore(chunks, k) + replaced.firstLine;
        _report.replacedCharacters.count += replaced.count;
        if (const std::size_t nul = chunks[k].find('\0'); nul != std::string::npos)
            throw Error(Refusal::NotText, linesBefore(chunks, k) + lineAt(chunks[k], nul),
                        "not a text file: it holds NUL bytes");
        progress.report(ImportProgress::Pass::Decoding, k + 1, chunks.size());
    }
    gatherFront(chunks, LayoutSampleBytes);
    _layout = guessLayout(chunks, _choices, progress);
    const ImportLayout& layout = _layout;
    _report.separator = layout.separator;
    _report.quoting = layout.quoting;
    _report.hasHeader = layout.header;

    RowSource reader(chunks, layout.separator, layout.quoting, true);
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
    // The line of each item, for the report.
    std::vector<int> lines;
    int rows = 0;
    const std::size_t pieces = chunks.size();
    std::size_t piecesRead = 0;
    for (bool row = !layout.header || reader.next(cells); row && rows < maxRows;
         row = reader.next(cells), ++rows) {
        if (reader.getPiecesRead() != piecesRead) {
            piecesRead = reader.getPiecesRead();
            progress.report(ImportProgress::Pass::MakingItems, piecesRead - 1, pieces);
        }
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
        lines.push_back(line);
    }
    _report.repeatedTerms = findRepeatedTerms(studyList, lines);
    studyList.setModified();
    progress.finish();
    return studyList;
}
