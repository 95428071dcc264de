#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The program's text is UTF-8 bytes; these read and write it one character at a time.
namespace Win::IO::Utf8 {

// One character read from the bytes; length 0 when they hold none there.
struct Character {
    char32_t codePoint = 0;
    std::size_t length = 0;
};

// The well-formed sequence at the start of bytes: no overlong forms, no surrogates, nothing beyond
// U+10FFFF. bytes must not be empty.
Character decode(std::string_view bytes);
void append(std::string& out, char32_t codePoint);

bool isAscii(std::string_view bytes);
// How many bytes at the start are ASCII.
std::size_t asciiLength(std::string_view bytes);
bool isValid(std::string_view bytes);
// The longest start of text, at most maxBytes long, that does not end inside a character.
std::string_view truncate(std::string_view text, std::size_t maxBytes);

} // namespace Win::IO::Utf8
