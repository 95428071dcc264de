#include "casefolding.h"

#include "casefoldingtable.h"

#include "WinLib/io/utf8.h"

#include <algorithm>
#include <array>

namespace Utf8 = Win::IO::Utf8;

namespace CaseFolding {

namespace {

char32_t search(char32_t character) {
    const CaseFoldingPair* end = CaseFoldingTable + CaseFoldingTableSize;
    const CaseFoldingPair* found =
        std::lower_bound(CaseFoldingTable, end, character,
                         [](const CaseFoldingPair& pair, char32_t c) { return pair.from < c; });
    return found != end && found->from == character ? found->to : character;
}

// The Latin letters, the most frequent beyond ASCII, folded by a table made once rather than searched.
constexpr char32_t LatinEnd = 0x250;

const std::array<char32_t, LatinEnd>& latin() {
    static const auto table = [] {
        std::array<char32_t, LatinEnd> made{};
        for (char32_t character = 0; character < LatinEnd; ++character)
            made[character] = search(character);
        return made;
    }();
    return table;
}

} // namespace

char32_t fold(char32_t character) {
    if (character < 0x80)
        return character >= 'A' && character <= 'Z' ? character - 'A' + 'a' : character;
    return character < LatinEnd ? latin()[character] : search(character);
}

// Find folds every text beyond ASCII that it looks through: the ASCII between the other letters is
// folded a run at a time, without a call or a check of room for each byte.
void appendFolded(std::string& out, std::string_view text) {
    out.reserve(out.size() + text.size());
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t ascii = Utf8::asciiLength(text.substr(at));
        if (ascii != 0) {
            const std::size_t begin = out.size();
            out.resize(begin + ascii);
            char* const folded = out.data() + begin;
            for (std::size_t i = 0; i < ascii; ++i) {
                const char c = text[at + i];
                folded[i] = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
            }
            at += ascii;
            continue;
        }
        const Utf8::Character character = Utf8::decode(text.substr(at));
        if (character.length == 0) {
            out.push_back(text[at++]);
            continue;
        }
        Utf8::append(out, fold(character.codePoint));
        at += character.length;
    }
}

bool foldsOnlyAscii(std::string_view text) {
    for (std::size_t at = Utf8::asciiLength(text); at < text.size();
         at += Utf8::asciiLength(text.substr(at))) {
        const Utf8::Character character = Utf8::decode(text.substr(at));
        if (character.length == 0) {
            ++at;
            continue;
        }
        if (fold(character.codePoint) != character.codePoint)
            return false;
        at += character.length;
    }
    return true;
}

bool foldsIntoAscii(std::string_view text) {
    // The first bytes of the few characters that do (two), looked for as the library looks for a byte,
    // so that the other characters are not decoded.
    static const std::string leads = [] {
        std::string made;
        for (std::size_t i = 0; i < CaseFoldingTableSize; ++i) {
            if (CaseFoldingTable[i].from < 0x80 || CaseFoldingTable[i].to >= 0x80)
                continue;
            std::string utf8;
            Utf8::append(utf8, CaseFoldingTable[i].from);
            if (made.find(utf8[0]) == std::string::npos)
                made.push_back(utf8[0]);
        }
        return made;
    }();
    for (const char lead : leads) {
        for (std::size_t at = text.find(lead); at != std::string_view::npos; at = text.find(lead, at + 1)) {
            const Utf8::Character character = Utf8::decode(text.substr(at));
            if (character.length != 0 && fold(character.codePoint) < 0x80)
                return true;
        }
    }
    return false;
}

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    if (a == b)
        return true;
    std::string foldedA;
    std::string foldedB;
    appendFolded(foldedA, a);
    appendFolded(foldedB, b);
    return foldedA == foldedB;
}

} // namespace CaseFolding
