#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
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

// How many bytes at the start are ASCII.
std::size_t asciiLength(std::string_view bytes);
bool isValid(std::string_view bytes);
// The longest start of text, at most maxBytes long, that does not end inside a character.
std::string_view truncate(std::string_view text, std::size_t maxBytes);

// Most of the millions of texts a document holds are short and ASCII: sixteen bytes a step, the last
// sixteen (or eight, or four) checked in words that overlap the ones before, so that no byte is looked at
// alone and the loop runs few times.
inline bool isAscii(std::string_view bytes) {
    constexpr std::uint64_t HighBits = 0x8080808080808080u;
    const char* const data = bytes.data();
    const std::size_t size = bytes.size();
    const auto word = [data](std::size_t at) {
        std::uint64_t value;
        std::memcpy(&value, data + at, 8);
        return value;
    };
    if (size >= 16) {
        std::uint64_t high = word(size - 16) | word(size - 8);
        for (std::size_t at = 0; at + 16 < size; at += 16)
            high |= word(at) | word(at + 8);
        return (high & HighBits) == 0;
    }
    if (size >= 8)
        return ((word(0) | word(size - 8)) & HighBits) == 0;
    if (size >= 4) {
        std::uint32_t first;
        std::uint32_t last;
        std::memcpy(&first, data, 4);
        std::memcpy(&last, data + size - 4, 4);
        return ((first | last) & 0x80808080u) == 0;
    }
    if (size == 0)
        return true;
    return ((data[0] | data[size / 2] | data[size - 1]) & 0x80) == 0;
}

} // namespace Win::IO::Utf8
