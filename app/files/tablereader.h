#pragma once

#include <string>
#include <string_view>
#include <vector>

// Reads the rows of a delimited text table as spreadsheets write it: cells split by one separator
// character; a cell in double quotes may hold separators, line breaks and doubled quotes; lines end
// in CR LF, LF or CR. A cell counts as quoted only when its closing quote is followed by the
// separator or the line end; any other cell is taken exactly as it stands, so that a text such as
// "a" b, or a table written without quoting, reads as written. Blank lines are no rows. Without
// quoting every cell is taken as it stands, as the program's own tab-delimited export writes it.
class TableReader {
public:
    // The text's first line is firstLine.
    TableReader(std::string_view text, char separator, bool quoting = true, int firstLine = 1)
        : _text(text), _separator(separator), _quoting(quoting), _line(firstLine) {}

    // Reads the next row into cells, which are resized to its cell count; false after the last.
    bool next(std::vector<std::string>& cells);
    // The line the row read last begins on, from 1.
    int getLine() const { return _rowLine; }
    // Where the next row is looked for, and its line.
    std::size_t getOffset() const { return _pos; }
    int getNextLine() const { return _line; }
    // Whether the row read last might go on in text that follows this text: it ran to the text's end,
    // or a quoted cell found no closing quote before it.
    bool mayGoOn() const { return _pos == _text.size() || _quoteOpen; }

private:
    bool atLineEnd() const { return _pos == _text.size() || _text[_pos] == '\r' || _text[_pos] == '\n'; }
    void skipLineEnd();
    bool readQuotedCell(std::string& cell);
    void readPlainCell(std::string& cell);

    std::string_view _text;
    char _separator;
    bool _quoting;
    std::size_t _pos = 0;
    int _line;
    bool _quoteOpen = false;
    int _rowLine = 0;
};
