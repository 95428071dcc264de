#pragma once

#include <optional>
#include <string>
#include <string_view>

// The code page the program's text was in before it became UTF-8, which version-1 document files
// and tab-delimited exports of lists that fit it still use: the system's ANSI code page on Windows,
// windows-1252 elsewhere. Its ASCII bytes are ASCII, as in every ANSI code page.
namespace Win::IO::LegacyCodePage {

// Every byte sequence converts; bytes the code page cannot read become U+FFFD.
std::string toUtf8(std::string_view legacy);
// The text in the code page, or nothing when a character has no byte there that converts back to
// exactly that character (or utf8 is not UTF-8).
std::optional<std::string> fromUtf8(std::string_view utf8);

// The code page's name as web pages declare it ("windows-1252"); null for one without such a name.
const char* charsetName();

inline bool fits(std::string_view utf8) {
    return fromUtf8(utf8).has_value();
}

} // namespace Win::IO::LegacyCodePage
