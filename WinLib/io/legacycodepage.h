#pragma once

#include <optional>
#include <string>
#include <string_view>

// The code page the program's text was in before it became UTF-8, which version-1 document files
// and tab-delimited exports of lists that fit it still use: the system's ANSI code page on Windows,
// windows-1252 elsewhere. Its ASCII bytes are ASCII, as in every ANSI code page.
namespace Win::IO::LegacyCodePage {

// Appends the text in UTF-8. Every byte sequence converts; bytes the code page cannot read become U+FFFD.
void appendUtf8(std::string& out, std::string_view legacy);
// The bytes of text from begin on, in the code page, become UTF-8 where they are: the reader of a
// document converts millions of texts in its one buffer.
void convertToUtf8(std::string& text, std::size_t begin);
// Appends the text in the code page; false, with out as it was, when a character has no byte there that
// converts back to exactly that character (or utf8 is not UTF-8). Appending spares the callers that
// convert millions of texts an allocation for each.
bool appendLegacy(std::string& out, std::string_view utf8);

inline std::string toUtf8(std::string_view legacy) {
    std::string utf8;
    appendUtf8(utf8, legacy);
    return utf8;
}

inline std::optional<std::string> fromUtf8(std::string_view utf8) {
    std::string legacy;
    if (!appendLegacy(legacy, utf8))
        return std::nullopt;
    return legacy;
}

// The code page's name as web pages declare it ("windows-1252"); null for one without such a name.
const char* charsetName();

inline bool fits(std::string_view utf8) {
    return fromUtf8(utf8).has_value();
}

} // namespace Win::IO::LegacyCodePage
