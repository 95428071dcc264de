#include "spreadsheetcell.h"

#include "WinLib/io/windows1252.h"

namespace {

void appendUtf8(std::string& out, char32_t character) {
    if (character < 0x80) {
        out.push_back(static_cast<char>(character));
    } else if (character < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (character >> 6)));
        out.push_back(static_cast<char>(0x80 | (character & 0x3F)));
    } else {
        // The code page holds nothing beyond the basic plane.
        out.push_back(static_cast<char>(0xE0 | (character >> 12)));
        out.push_back(static_cast<char>(0x80 | ((character >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (character & 0x3F)));
    }
}

} // namespace

void appendSpreadsheetCell(std::string& out, std::string_view text) {
    const bool quoted = text.find_first_of(",\"\r\n") != std::string_view::npos;
    if (quoted)
        out.push_back('"');
    for (const char c : text) {
        if (c == '"')
            out.push_back('"');
        appendUtf8(out, Win::IO::Windows1252::toUnicode(static_cast<unsigned char>(c)));
    }
    if (quoted)
        out.push_back('"');
}
