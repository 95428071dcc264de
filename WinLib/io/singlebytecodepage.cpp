#include "singlebytecodepage.h"

#include "utf8.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace Win::IO {

namespace {

constexpr std::uint64_t HighBits = 0x8080808080808080u;

} // namespace

SingleByteCodePage::SingleByteCodePage(const std::function<char32_t(unsigned char)>& toUnicode,
                                       const std::function<int(char32_t)>& fromUnicode) {
    for (int value = 0; value < 256; ++value) {
        const auto byte = static_cast<unsigned char>(value);
        char32_t character = value < 0x80 ? static_cast<char32_t>(value) : toUnicode(byte);
        // Every code page of one byte a character stays in the basic plane; anything else reads as unknown.
        if (character > 0xFFFF || (character >= 0xD800 && character <= 0xDFFF))
            character = 0xFFFD;
        std::string utf8;
        Utf8::append(utf8, character);
        Sequence& sequence = _sequences[byte];
        utf8.copy(sequence.bytes, utf8.size());
        sequence.length = static_cast<unsigned char>(utf8.size());
        if (value < 0x80 || fromUnicode(character) != value)
            continue;
        if (_bytes.size() <= character)
            _bytes.resize(character + 1);
        _bytes[character] = byte;
    }
}

// Each byte beyond ASCII is looked up; words of eight ASCII bytes are passed over whole.
std::size_t SingleByteCodePage::utf8Size(std::string_view legacy) const {
    std::size_t size = legacy.size();
    std::size_t i = 0;
    for (std::uint64_t word; i + 8 <= legacy.size(); i += 8) {
        std::memcpy(&word, legacy.data() + i, 8);
        for (std::uint64_t high = word & HighBits; high != 0; high &= high - 1) {
            const auto at = i + static_cast<std::size_t>(std::countr_zero(high) / 8);
            size += _sequences[static_cast<unsigned char>(legacy[at])].length - 1u;
        }
    }
    for (; i < legacy.size(); ++i)
        size += _sequences[static_cast<unsigned char>(legacy[i])].length - 1u;
    return size;
}

// Straight into the text's final storage. Letters beyond ASCII are rare in the texts of a document: the
// room for them is counted without a branch, and the ASCII between them is copied eight bytes at a time.
void SingleByteCodePage::appendUtf8(std::string& out, std::string_view legacy) const {
    const char* const from = legacy.data();
    const std::size_t length = legacy.size();
    std::size_t high = 0;
    std::size_t i = 0;
    for (std::uint64_t word; i + 8 <= length; i += 8) {
        std::memcpy(&word, from + i, 8);
        // The count of bytes with their high bit set, summed in the top byte of the product.
        high += static_cast<std::size_t>(((word & HighBits) >> 7) * 0x0101010101010101u >> 56);
    }
    for (; i < length; ++i)
        high += static_cast<unsigned char>(from[i]) >> 7;
    if (high == 0) {
        out.append(legacy);
        return;
    }
    const std::size_t begin = out.size();
    // No byte takes more than three in UTF-8; the text is cut to its size at the end.
    out.resize(begin + length + 2 * high);
    char* const start = out.data() + begin;
    char* next = start;
    const auto convert = [&](std::size_t at) {
        const Sequence& sequence = _sequences[static_cast<unsigned char>(from[at])];
        std::memcpy(next, sequence.bytes, 3);
        next += sequence.length;
    };
    // The output has room for eight bytes wherever the input has: no byte becomes shorter.
    i = 0;
    for (std::uint64_t word; i + 8 <= length;) {
        std::memcpy(&word, from + i, 8);
        std::memcpy(next, &word, 8);
        const std::uint64_t highBits = word & HighBits;
        if (highBits == 0) {
            next += 8;
            i += 8;
            continue;
        }
        const auto ascii = static_cast<std::size_t>(std::countr_zero(highBits) / 8);
        next += ascii;
        convert(i + ascii);
        i += ascii + 1;
    }
    for (; i < length; ++i) {
        if (static_cast<unsigned char>(from[i]) < 0x80)
            *next++ = from[i];
        else
            convert(i);
    }
    out.resize(begin + static_cast<std::size_t>(next - start));
}

void SingleByteCodePage::convertToUtf8(std::string& text, std::size_t begin) const {
    const std::size_t start = begin + Utf8::asciiLength(std::string_view(text).substr(begin));
    const std::size_t oldSize = text.size();
    const std::size_t newSize = start + utf8Size(std::string_view(text).substr(start));
    if (newSize == oldSize)
        return;
    text.resize(newSize);
    // From the end, so that no byte is written over before it has been read.
    char* const data = text.data();
    std::size_t next = newSize;
    for (std::size_t i = oldSize; i-- > start;) {
        const Sequence& sequence = _sequences[static_cast<unsigned char>(data[i])];
        next -= sequence.length;
        std::memmove(data + next, sequence.bytes, sequence.length);
    }
}

bool SingleByteCodePage::appendLegacy(std::string& out, std::string_view utf8) const {
    const std::size_t begin = out.size();
    // No character takes more bytes in the code page than in UTF-8.
    out.resize(begin + utf8.size());
    char* next = out.data() + begin;
    for (std::size_t i = 0; i < utf8.size();) {
        std::uint64_t word;
        if (i + 8 <= utf8.size() && (std::memcpy(&word, utf8.data() + i, 8), (word & HighBits) == 0)) {
            std::memcpy(next, &word, 8);
            next += 8;
            i += 8;
            continue;
        }
        if (static_cast<unsigned char>(utf8[i]) < 0x80) {
            *next++ = utf8[i++];
            continue;
        }
        const Utf8::Character character = Utf8::decode(utf8.substr(i));
        if (character.length == 0 || character.codePoint >= _bytes.size() ||
            _bytes[character.codePoint] == 0) {
            out.resize(begin);
            return false;
        }
        *next++ = static_cast<char>(_bytes[character.codePoint]);
        i += character.length;
    }
    out.resize(static_cast<std::size_t>(next - out.data()));
    return true;
}

} // namespace Win::IO
