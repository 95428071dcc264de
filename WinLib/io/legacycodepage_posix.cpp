#include "legacycodepage.h"

#include "utf8.h"
#include "windows1252.h"

#include <array>
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

// Copies the bytes and tells whether all were ASCII, a word at a time and without a loop over single
// bytes: the last word overlaps the one before. The check then costs the reader little beyond the copy it
// makes anyway.
bool copyAscii(char* to, std::string_view from) {
    const char* const data = from.data();
    const std::size_t size = from.size();
    if (size >= 8) {
        std::uint64_t high = 0;
        std::uint64_t word;
        for (std::size_t at = 0; at + 8 < size; at += 8) {
            std::memcpy(&word, data + at, 8);
            std::memcpy(to + at, &word, 8);
            high |= word;
        }
        std::memcpy(&word, data + size - 8, 8);
        std::memcpy(to + size - 8, &word, 8);
        return ((high | word) & 0x8080808080808080u) == 0;
    }
    if (size >= 4) {
        std::uint32_t first;
        std::uint32_t last;
        std::memcpy(&first, data, 4);
        std::memcpy(&last, data + size - 4, 4);
        std::memcpy(to, &first, 4);
        std::memcpy(to + size - 4, &last, 4);
        return ((first | last) & 0x80808080u) == 0;
    }
    if (size == 0)
        return true;
    to[0] = data[0];
    to[size / 2] = data[size / 2];
    to[size - 1] = data[size - 1];
    return ((data[0] | data[size / 2] | data[size - 1]) & 0x80) == 0;
}

} // namespace

// Straight into the text's final storage, sized once. Letters beyond ASCII are rare in the texts of
// a document, so the ASCII runs between them are measured and copied a word at a time.
void appendUtf8(std::string& out, std::string_view legacy) {
    const std::size_t begin = out.size();
    out.resize(begin + legacy.size());
    if (copyAscii(out.data() + begin, legacy))
        return;
    const std::array<Sequence, 256>& table = sequences();
    std::size_t size = legacy.size();
    for (std::size_t i = Utf8::asciiLength(legacy); i < legacy.size();
         i += 1 + Utf8::asciiLength(legacy.substr(i + 1)))
        size += table[static_cast<unsigned char>(legacy[i])].length - 1u;
    out.resize(begin + size);
    char* next = out.data() + begin;
    for (std::size_t i = 0;;) {
        const std::size_t run = Utf8::asciiLength(legacy.substr(i));
        std::memcpy(next, legacy.data() + i, run);
        next += run;
        i += run;
        if (i == legacy.size())
            return;
        const Sequence& sequence = table[static_cast<unsigned char>(legacy[i++])];
        next[0] = sequence.bytes[0];
        next[1] = sequence.bytes[1];
        if (sequence.length > 2)
            next[2] = sequence.bytes[2];
        next += sequence.length;
    }
}

void convertToUtf8(std::string& text, std::size_t begin) {
    const std::array<Sequence, 256>& table = sequences();
    const std::size_t start = begin + Utf8::asciiLength(std::string_view(text).substr(begin));
    const std::size_t oldSize = text.size();
    std::size_t newSize = oldSize;
    for (std::size_t i = start; i < oldSize; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0x80)
            newSize += table[byte].length - 1u;
    }
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
