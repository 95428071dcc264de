#include "studylistgenerator.h"

#include <cassert>
#include <string_view>

namespace {

// Drawn with roughly the frequencies of English text.
constexpr std::string_view Letters = "eeeeeeeeeeeetttttttttaaaaaaaaooooooooiiiiiiinnnnnnnssssss"
                                     "hhhhhhrrrrrrddddllllcccuuummwwffggyypbvkjxqz";
// A few letters beyond ASCII (e acute, u umlaut, n tilde, a grave), so that byte order and text
// beyond ASCII get their share. They fit the legacy code page: the list is saved as version 1.
constexpr std::string_view AccentedLetters[] = {"\xC3\xA9", "\xC3\xBC", "\xC3\xB1", "\xC3\xA0"};

} // namespace

int StudyListGenerator::between(int low, int high) {
    return low + static_cast<int>(_random() % static_cast<std::uint32_t>(high - low + 1));
}

std::string StudyListGenerator::makeText(int minLength, int maxLength) {
    const int length = between(minLength, maxLength);
    std::string text;
    text.reserve(static_cast<std::size_t>(length));
    int wordLeft = between(2, 9);
    // Counted in characters, so that a seed makes the same text however its letters are encoded.
    for (int characters = 0; characters < length; ++characters) {
        if (wordLeft == 0 && characters < length - 1) {
            text.push_back(' ');
            wordLeft = between(2, 9);
            continue;
        }
        const int pick = between(0, 199);
        const char letter =
            Letters[static_cast<std::size_t>(between(0, static_cast<int>(Letters.size()) - 1))];
        if (pick < 2)
            text += AccentedLetters[pick + 2 * between(0, 1)];
        else if (text.empty() && pick < 40)
            text.push_back(static_cast<char>(letter - 'a' + 'A'));
        else
            text.push_back(letter);
        if (wordLeft > 0)
            --wordLeft;
    }
    return text;
}

StudyList StudyListGenerator::make(int count) {
    assert(count >= 0 && count <= StudyList::MaxTermSetCount);
    StudyList studyList;
    Outline outline;
    outline.setItemType("Word");
    outline.addDef("Example");
    outline.addDef("Synonym");
    studyList.setOutline(outline);
    for (int number = 1; number <= count; ++number) {
        TermSet termSet(studyList.getOutline(), number);
        termSet.setTerm(makeText(4, 20));
        termSet.setField(0, makeText(10, 80));
        termSet.setField(1, makeText(10, 80));
        if (between(0, 2) == 0)
            termSet.setField(2, makeText(4, 20));
        if (between(0, 3) == 0)
            termSet.setComment(makeText(5, 40));
        const int asked = between(0, 3) == 0 ? 0 : between(1, 60);
        const int correct = asked == 0 ? 0 : between(0, asked);
        for (int i = 0; i < correct; ++i)
            termSet.addCorrectAnswer();
        for (int i = correct; i < asked; ++i)
            termSet.addWrongAnswer();
        studyList.addTermSet(termSet);
    }
    return studyList;
}
