#include "legacycodepage.h"

#include "utf8.h"
#include "windows1252.h"

#include <array>
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

} // namespace

void appendUtf8(std::string& out, std::string_view legacy) {
    const std::size_t begin = out.size();
    out += legacy;
    convertToUtf8(out, begin);
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
    const std::size_t begin = out.size();
    // No character takes more bytes in the code page than in UTF-8.
    out.resize(begin + utf8.size());
    char* next = out.data() + begin;
    for (std::size_t at = 0; at < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[at]);
        if (lead < 0x80) {
            *next++ = static_cast<char>(lead);
            ++at;
            continue;
        }
        const Utf8::Character character = Utf8::decode(utf8.substr(at));
        const int byte = character.length == 0 ? -1 : Windows1252::fromUnicode(character.codePoint);
        if (byte < 0) {
            out.resize(begin);
            return false;
        }
        *next++ = static_cast<char>(byte);
        at += character.length;
    }
    out.resize(static_cast<std::size_t>(next - out.data()));
    return true;
}

} // namespace Win::IO::LegacyCodePage
