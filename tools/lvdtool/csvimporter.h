#pragma once

#include "app/model/lorvant.h"

#include <stdexcept>
#include <string>
#include <string_view>

// Reads back the tab-delimited table that CSVExporter writes: a header line of the item type,
// the field names and "Comment", then one line per item. Lines end in CR LF or LF.
class CSVImporter {
public:
    // A line that does not fit the table; the whole text is refused.
    class Error : public std::runtime_error {
    public:
        Error(int line, const std::string& message) : std::runtime_error(message), _line(line) {}
        int getLine() const { return _line; }

    private:
        int _line;
    };

    explicit CSVImporter(std::string_view text) : _text(text) {}

    // Items are numbered 1 to n in the order of their lines, with zero scores; the settings are
    // the defaults.
    StudyList read() const;

private:
    std::string_view _text;
};
