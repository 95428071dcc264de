#include "importlayout.h"

#include "importrefusal.h"
#include "tablereader.h"

#include "app/model/outline.h"

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <tuple>

namespace {

using Row = std::vector<std::string>;

// Enough rows to see how a table is laid out, cut at a line end; a preview reads no more.
std::string_view sampleOf(std::string_view text) {
    if (text.size() <= LayoutSampleBytes)
        return text;
    const std::size_t lineEnd = text.substr(0, LayoutSampleBytes).find_last_of("\r\n");
    return text.substr(0, lineEnd == std::string_view::npos ? LayoutSampleBytes : lineEnd + 1);
}

// Cells up to the last one that holds text: spreadsheets pad rows with empty cells.
std::size_t cellsWithText(const Row& row) {
    std::size_t count = row.size();
    while (count > 0 && row[count - 1].empty())
        --count;
    return count;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// A row that a comma splits only between digits holds decimal commas ("1,50"), not cells.
bool splitsOnlyNumbers(const Row& row, std::size_t count) {
    for (std::size_t i = 0; i + 1 < count; ++i) {
        if (row[i].empty() || row[i + 1].empty() || !isDigit(row[i].back()) || !isDigit(row[i + 1].front()))
            return false;
    }
    return true;
}

// A first row that ends in "Comment", as the program's own export and spreadsheets' copies of it
// write it, decides; then the most rows of one cell count that a separator makes, counting rows with
// text in two cells or more (padding cells included, as spreadsheets pad every row alike), first
// without the rows a comma splits only between digits, then with them; then the earlier separator.
char guessSeparator(std::string_view sample) {
    constexpr char Candidates[] = {'\t', ';', ','};
    using Score = std::tuple<bool, std::size_t, std::size_t>;
    char best = Candidates[0];
    Score bestScore{false, 0, 0};
    Row cells;
    for (const char candidate : Candidates) {
        std::map<std::size_t, std::size_t> rowsByCells;
        std::map<std::size_t, std::size_t> textRowsByCells;
        // Quotes may span the first row of the program's own export.
        TableReader plain(sample, candidate, false);
        bool header = plain.next(cells) && endsInCommentHeading(cells);
        TableReader reader(sample, candidate);
        for (bool first = true; reader.next(cells); first = false) {
            header = header || (first && endsInCommentHeading(cells));
            const std::size_t count = cellsWithText(cells);
            if (count < 2)
                continue;
            ++rowsByCells[cells.size()];
            if (candidate != ',' || !splitsOnlyNumbers(cells, count))
                ++textRowsByCells[cells.size()];
        }
        const auto most = [](const std::map<std::size_t, std::size_t>& rowsBy) {
            std::size_t most = 0;
            for (const auto& [count, rows] : rowsBy)
                most = std::max(most, rows);
            return most;
        };
        const Score score{header, most(textRowsByCells), most(rowsByCells)};
        if (score > bestScore) {
            best = candidate;
            bestScore = score;
        }
    }
    return best;
}

bool isCommentHeading(std::string_view cell) {
    constexpr std::string_view Comment = "comment";
    return std::equal(cell.begin(), cell.end(), Comment.begin(), Comment.end(), [](char a, char b) {
        return (a >= 'A' && a <= 'Z' ? static_cast<char>(a - 'A' + 'a') : a) == b;
    });
}

// The program's own tab-delimited export: a first row that ends in "Comment" and every row as wide,
// read without quoting. It writes every text as it stands, which may look like quoting anywhere.
bool isOwnExport(std::string_view sample, char separator) {
    if (separator != '\t')
        return false;
    TableReader reader(sample, separator, false);
    Row cells;
    if (!reader.next(cells) || !endsInCommentHeading(cells))
        return false;
    const std::size_t width = cells.size();
    while (reader.next(cells)) {
        if (cells.size() != width)
            return false;
    }
    return true;
}

// Reads the sample with and without quoting side by side: where the quoted reading has other rows or
// cells, quoting was needed; where it only strips the quotes round a cell, that cell was quoted.
bool guessQuoting(std::string_view sample, char separator) {
    if (isOwnExport(sample, separator))
        return false;
    TableReader quoted(sample, separator, true);
    TableReader plain(sample, separator, false);
    Row quotedCells;
    Row plainCells;
    std::size_t cells = 0;
    std::size_t quotedCount = 0;
    bool doubledQuote = false;
    // A header is often left unquoted where every other cell is quoted.
    for (bool first = true; quoted.next(quotedCells); first = false) {
        if (!plain.next(plainCells) || plainCells.size() != quotedCells.size() ||
            plain.getLine() != quoted.getLine())
            return true;
        for (std::size_t i = 0; i < quotedCells.size(); ++i) {
            if (plainCells[i].empty() || (first && plainCells[i] == quotedCells[i]))
                continue;
            ++cells;
            if (plainCells[i] != quotedCells[i]) {
                ++quotedCount;
                doubledQuote = doubledQuote || quotedCells[i].find('"') != std::string::npos;
            }
        }
    }
    // Rows the plain reading has beyond the quoted one: a quoted cell held a line break.
    if (plain.next(plainCells))
        return true;
    return doubledQuote || (quotedCount >= 2 && 10 * quotedCount >= 9 * cells);
}

// A short name such as a column heading: letters, spaces and a few signs, no digits.
bool isName(std::string_view cell) {
    constexpr std::size_t Longest = 32;
    if (cell.empty() || cell.size() > Longest)
        return false;
    return std::all_of(cell.begin(), cell.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte >= 0x80 || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == ' ' || c == '-' ||
               c == '_' || c == '\'' || c == '.' || c == '/' || c == '(' || c == ')';
    });
}

bool isRowOfNames(const Row& row) {
    const std::size_t count = cellsWithText(row);
    if (count < 2)
        return false;
    const std::set<std::string_view> distinct(row.begin(), row.begin() + static_cast<std::ptrdiff_t>(count));
    return distinct.size() == count &&
           std::all_of(row.begin(), row.begin() + static_cast<std::ptrdiff_t>(count), isName);
}

bool guessHeader(std::string_view sample, char separator, bool quoting) {
    constexpr int RowsBelow = 20;
    TableReader reader(sample, separator, quoting);
    Row first;
    if (!reader.next(first))
        return false;
    if (endsInCommentHeading(first))
        return true;
    if (!isRowOfNames(first))
        return false;
    Row row;
    int rows = 0;
    for (; rows < RowsBelow && reader.next(row); ++rows) {
        if (isRowOfNames(row))
            return false;
    }
    return rows >= 2;
}

// The term first; every other column that holds text in any row (the header's too) a field. With a
// header, its cells are the columns, and a header ending in "Comment" names the comment last.
std::vector<ColumnRole> guessColumns(TextChunks& text, const ImportLayout& layout, ImportProgress& progress) {
    RowSource reader(text, layout.separator, layout.quoting);
    std::size_t piecesRead = 0;
    Row cells;
    std::vector<bool> holdsText;
    std::size_t columnsWithText = 0;
    std::size_t mostColumns = Outline::MaxDefCount + 1;
    std::size_t headerCells = 0;
    bool commentHeader = false;
    for (bool first = true; reader.next(cells); first = false) {
        if (reader.getPiecesRead() != piecesRead) {
            piecesRead = reader.getPiecesRead();
            progress.report(ImportProgress::Pass::FindingColumns, piecesRead - 1, text.size());
        }
        const std::size_t count = cellsWithText(cells);
        if (first && layout.header) {
            commentHeader = endsInCommentHeading(cells);
            headerCells = commentHeader ? cells.size() : count;
            mostColumns += commentHeader ? 1 : 0;
        }
        if (count > holdsText.size())
            holdsText.resize(count);
        for (std::size_t i = 0; i < count; ++i) {
            if (holdsText[i] || cells[i].empty())
                continue;
            holdsText[i] = true;
            if (++columnsWithText > mostColumns)
                throw ImportRefusal(ImportRefusal::Reason::TooManyFields, reader.getLine(),
                                    "more than " + std::to_string(Outline::MaxDefCount) + " fields");
        }
    }
    std::vector<ColumnRole> columns(layout.header ? headerCells : holdsText.size(), ColumnRole::Skip);
    if (columns.empty())
        return columns;
    for (std::size_t i = 1; i < columns.size() && i < holdsText.size(); ++i) {
        if (holdsText[i])
            columns[i] = ColumnRole::Field;
    }
    columns.front() = ColumnRole::Term;
    if (commentHeader)
        columns.back() = ColumnRole::Comment;
    return columns;
}

} // namespace

bool endsInCommentHeading(const std::vector<std::string>& row) {
    return row.size() >= 2 && isCommentHeading(row.back());
}

ImportLayout guessLayout(TextChunks& text, const ImportChoices& choices, ImportProgress& progress) {
    const std::string_view sample = text.empty() ? std::string_view() : sampleOf(text.front());
    ImportLayout layout;
    layout.separator = choices.separator ? *choices.separator : guessSeparator(sample);
    layout.quoting = choices.quoting ? *choices.quoting : guessQuoting(sample, layout.separator);
    layout.header = choices.header ? *choices.header : guessHeader(sample, layout.separator, layout.quoting);
    layout.columns = choices.columns ? *choices.columns : guessColumns(text, layout, progress);
    return layout;
}
