#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace Win::IO {

// A code page of one byte a character whose ASCII bytes are ASCII, converted to and from UTF-8 through
// tables made once: the reader and writer of a document convert millions of texts, too many for a call
// of the system's converter each.
class SingleByteCodePage {
public:
    // toUnicode gives each byte's character; fromUnicode the byte for a character, or -1 when the code page
    // has none. A character fits only where the two agree.
    SingleByteCodePage(const std::function<char32_t(unsigned char)>& toUnicode,
                       const std::function<int(char32_t)>& fromUnicode);

    void appendUtf8(std::string& out, std::string_view legacy) const;
    // The bytes of text from begin on become UTF-8 where they are.
    void convertToUtf8(std::string& text, std::size_t begin) const;
    // False, with out as it was, when a character has no byte or utf8 is not UTF-8.
    bool appendLegacy(std::string& out, std::string_view utf8) const;

private:
    struct Sequence {
        char bytes[3];
        unsigned char length;
    };

    std::size_t utf8Size(std::string_view legacy) const;

    std::array<Sequence, 256> _sequences{};
    // Each character's byte, by code point up to the highest the code page holds; 0 for none.
    std::vector<unsigned char> _bytes;
};

} // namespace Win::IO
