#include "casefolding.h"

#include "casefoldingtable.h"

#include "WinLib/io/utf8.h"

#include <algorithm>

namespace Utf8 = Win::IO::Utf8;

namespace CaseFolding {

char32_t fold(char32_t character) {
    if (character < 0x80)
        return character >= 'A' && character <= 'Z' ? character - 'A' + 'a' : character;
    const CaseFoldingPair* end = CaseFoldingTable + CaseFoldingTableSize;
    const CaseFoldingPair* found =
        std::lower_bound(CaseFoldingTable, end, character,
                         [](const CaseFoldingPair& pair, char32_t c) { return pair.from < c; });
    return found != end && found->from == character ? found->to : character;
}

void appendFolded(std::string& out, std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if (byte < 0x80) {
            out.push_back(static_cast<char>(fold(byte)));
            ++at;
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
