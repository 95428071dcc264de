#include "legacycodepage.h"

#include "utf8.h"
#include "windows1252.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

// Systems without an ANSI code page read and write windows-1252, the one the program ran in.
namespace Win::IO::LegacyCodePage {

const char* charsetName() {
    return "windows-1252";
}

namespace {

// Each byte's UTF-8, made once.
struct Sequence {
    char bytes[3];
    unsigned char length;
};

const std::array<Sequence, 256>& sequences() {
    static const auto table = [] {
        std::array<Sequence, 256> made{};
        for (int byte = 0; byte < 256; ++byte) {
            std::string utf8;
            Utf8::append(utf8, Windows1252::toUnicode(static_cast<unsigned char>(byte)));
            Sequence& sequence = made[static_cast<std::size_t>(byte)];
            utf8.copy(sequence.bytes, utf8.size());
            sequence.length = static_cast<unsigned char>(utf8.size());
        }
        return made;
    }();
    return table;
}

// Each character's byte, by code point, in the two blocks that hold every character of the code page
// above ASCII; 0 for one it has no byte for.
struct LegacyBytes {
    std::array<unsigned char, 0x300 - 0x80> latin;          // U+0080-U+02FF
    std::array<unsigned char, 0x2300 - 0x2000> punctuation; // U+2000-U+22FF
};

const LegacyBytes& legacyBytes() {
    static const LegacyBytes table = [] {
        LegacyBytes made{};
        for (int byte = 0x80; byte < 0x100; ++byte) {
            const char32_t character = Windows1252::toUnicode(static_cast<unsigned char>(byte));
            if (character < 0x300)
                made.latin[character - 0x80] = static_cast<unsigned char>(byte);
            else
                made.punctuation.at(character - 0x2000) = static_cast<unsigned char>(byte);
        }
        return made;
    }();
    return table;
}

constexpr std::uint64_t HighBits = 0x8080808080808080u;

// The length of the text in UTF-8. Each byte A0-FF takes two bytes there; the rarer bytes 80-9F, the
// code page's punctuation, two or three, and only words holding one of those are looked at bytewise.
std::size_t utf8Size(std::string_view legacy) {
    const std::array<Sequence, 256>& table = sequences();
    const auto bytewise = [&](std::size_t from, std::size_t to) {
        std::size_t extra = 0;
        for (std::size_t i = from; i < to; ++i)
            extra += table[static_cast<unsigned char>(legacy[i])].length - 1u;
        return extra;
    };
    std::size_t size = legacy.size();
    std::size_t i = 0;
    for (std::uint64_t word; i + 8 <= legacy.size(); i += 8) {
        std::memcpy(&word, legacy.data() + i, 8);
        const std::uint64_t high = word & HighBits;
        if (high == 0)
            continue;
        if ((high & ~word << 1 & ~word << 2) != 0)
            size += bytewise(i, i + 8);
        else
            size += static_cast<std::size_t>(std::popcount(high));
    }
    return size + bytewise(i, legacy.size());
}

} // namespace

// Straight into the text's final storage, sized once. Letters beyond ASCII are rare in the texts of a
// document, so words of eight ASCII bytes are copied whole.
void appendUtf8(std::string& out, std::string_view legacy) {
    if (Utf8::isAscii(legacy)) {
        out.append(legacy);
        return;
    }
    const std::array<Sequence, 256>& table = sequences();
    const char* const from = legacy.data();
    const std::size_t length = legacy.size();
    const std::size_t size = utf8Size(legacy);
    const std::size_t begin = out.size();
    out.resize(begin + size);
    char* next = out.data() + begin;
    const auto convert = [&](std::size_t at) {
        const auto byte = static_cast<unsigned char>(from[at]);
        if (byte < 0x80) {
            *next++ = static_cast<char>(byte);
        } else if (byte >= 0xA0) {
            // U+00A0-U+00FF, the byte's own code point.
            next[0] = static_cast<char>(byte < 0xC0 ? 0xC2 : 0xC3);
            next[1] = static_cast<char>(byte & 0xBF);
            next += 2;
        } else {
            const Sequence& sequence = table[byte];
            std::memcpy(next, sequence.bytes, sequence.length);
            next += sequence.length;
        }
    };
    // Eight bytes at a time up to the next letter beyond ASCII: the output has room for eight, as no
    // byte becomes shorter.
    std::size_t i = 0;
    for (std::uint64_t word; i + 8 <= length;) {
        std::memcpy(&word, from + i, 8);
        std::memcpy(next, &word, 8);
        const std::uint64_t high = word & HighBits;
        if (high == 0) {
            next += 8;
            i += 8;
            continue;
        }
        const auto ascii = static_cast<std::size_t>(std::countr_zero(high) / 8);
        next += ascii;
        convert(i + ascii);
        i += ascii + 1;
    }
    for (; i < length; ++i)
        convert(i);
}

void convertToUtf8(std::string& text, std::size_t begin) {
    const std::array<Sequence, 256>& table = sequences();
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
        const auto byte = static_cast<unsigned char>(data[i]);
        if (byte < 0x80) {
            data[--next] = static_cast<char>(byte);
            continue;
        }
        const Sequence& sequence = table[byte];
        for (unsigned k = sequence.length; k-- > 0;)
            data[--next] = sequence.bytes[k];
    }
}

bool appendLegacy(std::string& out, std::string_view utf8) {
    const LegacyBytes& table = legacyBytes();
    const std::size_t begin = out.size();
    // No character takes more bytes in the code page than in UTF-8.
    out.resize(begin + utf8.size());
    char* next = out.data() + begin;
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(utf8[i]); };
    const auto continues = [&](std::size_t i) { return i < utf8.size() && (at(i) & 0xC0) == 0x80; };
    for (std::size_t i = 0; i < utf8.size();) {
        std::uint64_t word;
        if (i + 8 <= utf8.size() && (std::memcpy(&word, utf8.data() + i, 8), (word & HighBits) == 0)) {
            std::memcpy(next, &word, 8);
            next += 8;
            i += 8;
            continue;
        }
        const unsigned char lead = at(i);
        if (lead < 0x80) {
            *next++ = static_cast<char>(lead);
            ++i;
            continue;
        }
        // Only two-byte characters led by C2-CB and three-byte ones led by E2 can have a byte there;
        // these leads can start no overlong form or surrogate.
        unsigned char byte = 0;
        if (lead >= 0xC2 && lead <= 0xCB && continues(i + 1)) {
            byte = table.latin[static_cast<std::size_t>((lead & 0x1F) << 6 | (at(i + 1) & 0x3F)) - 0x80];
            i += 2;
        } else if (lead == 0xE2 && continues(i + 1) && continues(i + 2)) {
            const std::size_t offset = static_cast<std::size_t>((at(i + 1) & 0x3F) << 6 | (at(i + 2) & 0x3F));
            if (offset < table.punctuation.size())
                byte = table.punctuation[offset];
            i += 3;
        }
        if (byte == 0) {
            out.resize(begin);
            return false;
        }
        *next++ = static_cast<char>(byte);
    }
    out.resize(static_cast<std::size_t>(next - out.data()));
    return true;
}

} // namespace Win::IO::LegacyCodePage
