#pragma once

#include "tablereader.h"

#include <optional>
#include <string>
#include <vector>

// A large text held in pieces, each cut between characters, so that an import needs no second copy
// of the whole file and can let go of what it has read.
using TextChunks = std::vector<std::string>;

// The rows of a text held in pieces, read as TableReader reads one text: a row that runs past the end
// of a piece is read again with the pieces that follow. Releasing frees each piece once it is read.
class RowSource {
public:
    RowSource(TextChunks& chunks, char separator, bool quoting, bool release = false)
        : _chunks(chunks), _separator(separator), _quoting(quoting), _release(release) {}

    bool next(std::vector<std::string>& cells);
    int getLine() const { return _reader ? _reader->getLine() : 0; }
    // How many pieces the rows read so far have begun to use.
    std::size_t getPiecesRead() const { return _nextChunk; }

private:
    // Starts reading, at that line, over the rest of the present window and the next pieces: at least
    // as much text again as that rest, so that a row spanning many pieces is still read in linear time.
    void extendWindow(int line);

    TextChunks& _chunks;
    char _separator;
    bool _quoting;
    bool _release;
    std::size_t _nextChunk = 0;
    std::string _joined;
    std::string_view _window;
    std::optional<TableReader> _reader;
};
