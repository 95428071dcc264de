#include "rowsource.h"

#include <algorithm>

bool RowSource::next(std::vector<std::string>& cells) {
    for (;;) {
        if (!_reader) {
            if (_nextChunk == _chunks.size())
                return false;
            _window = {};
            extendWindow(1);
        }
        const std::size_t start = _reader->getOffset();
        const int startLine = _reader->getNextLine();
        const bool read = _reader->next(cells);
        if (_nextChunk == _chunks.size())
            return read;
        if (read && !_reader->mayGoOn())
            return true;
        _window = _window.substr(start);
        extendWindow(startLine);
    }
}

void RowSource::extendWindow(int line) {
    if (_window.empty()) {
        std::string& chunk = _chunks[_nextChunk++];
        if (_release) {
            _joined = std::move(chunk);
            _window = _joined;
        } else {
            _window = chunk;
        }
    } else {
        std::string joined(_window);
        const std::size_t wanted = joined.size();
        for (std::size_t added = 0; added < wanted && _nextChunk < _chunks.size();) {
            std::string& chunk = _chunks[_nextChunk++];
            added += chunk.size();
            joined += chunk;
            if (_release)
                std::string().swap(chunk);
        }
        _joined = std::move(joined);
        _window = _joined;
    }
    _reader.emplace(_window, _separator, _quoting, line);
}
