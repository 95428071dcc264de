#include "tablereader.h"

bool TableReader::next(std::vector<std::string>& cells) {
    while (_pos < _text.size() && (_text[_pos] == '\r' || _text[_pos] == '\n'))
        skipLineEnd();
    if (_pos == _text.size())
        return false;
    _rowLine = _line;
    _quoteOpen = false;
    std::size_t count = 0;
    for (;;) {
        if (count == cells.size())
            cells.emplace_back();
        std::string& cell = cells[count++];
        if (!_quoting || _pos == _text.size() || _text[_pos] != '"' || !readQuotedCell(cell))
            readPlainCell(cell);
        if (atLineEnd())
            break;
        ++_pos; // the separator
    }
    skipLineEnd();
    cells.resize(count);
    return true;
}

void TableReader::skipLineEnd() {
    if (_pos == _text.size())
        return;
    if (_text[_pos] == '\r' && _pos + 1 < _text.size() && _text[_pos + 1] == '\n')
        ++_pos;
    ++_pos;
    ++_line;
}

// Leaves the position alone when the cell is not well formed. A scan that fails ends at the first
// quote that is not doubled, so no stretch of text is scanned more than a bounded number of times.
bool TableReader::readQuotedCell(std::string& cell) {
    cell.clear();
    std::size_t from = _pos + 1;
    for (;;) {
        const std::size_t quote = _text.find('"', from);
        if (quote == std::string_view::npos) {
            _quoteOpen = true;
            return false;
        }
        cell.append(_text.substr(from, quote - from));
        if (quote + 1 < _text.size() && _text[quote + 1] == '"') {
            cell.push_back('"');
            from = quote + 2;
            continue;
        }
        const std::size_t end = quote + 1;
        if (end < _text.size() && _text[end] != _separator && _text[end] != '\r' && _text[end] != '\n')
            return false;
        for (std::size_t i = _pos; i < end; ++i) {
            if (_text[i] == '\n' || (_text[i] == '\r' && _text[i + 1] != '\n'))
                ++_line;
        }
        _pos = end;
        return true;
    }
}

void TableReader::readPlainCell(std::string& cell) {
    const std::size_t start = _pos;
    const char* const end = _text.data() + _text.size();
    const char* at = _text.data() + _pos;
    while (at != end && *at != _separator && *at != '\r' && *at != '\n')
        ++at;
    _pos = static_cast<std::size_t>(at - _text.data());
    cell.assign(_text.substr(start, _pos - start));
}
