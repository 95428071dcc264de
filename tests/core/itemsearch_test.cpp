#include "testlists.h"

#include "app/model/itemsearch.h"

#include <gtest/gtest.h>

TEST(ItemSearch, FindsTextsFoldingTheLettersOfEveryScriptWithoutMatchCase) {
    const struct {
        const char* text;
        const char* within;
        bool matchCase;
        bool found;
    } cases[] = {
        {"paris", "in Paris today", false, true},
        {"paris", "in Paris today", true, false},
        {"PARIS", "parisian", false, true},
        {"is a", "in Paris today", false, false},
        {"day", "in Paris today", false, true}, // at the very end
        {"in", "in Paris today", false, true},  // at the very start
        {"ababc", "abababc", false, true},      // after a partial match
        {"ababc", "ababab", false, false},
        {"abc", "xABC", false, true},            // capitals in the text move the search as small letters do
        {"long text", "long tex", false, false}, // longer than the text searched
        {"\xC3\x89t\xC3\x89", "\xC3\xA9t\xC3\xA9", false, true}, // "ÉtÉ" in "été"
        {"\xC3\x89t\xC3\x89", "\xC3\xA9t\xC3\xA9", true, false},
        {"\xCE\xA3\xCE\x9F\xCE\xA6", "\xCF\x83\xCE\xBF\xCF\x86\xCE\xAF\xCE\xB1", false,
         true},                             // "ΣΟΦ" in "σοφία"
        {"K", "\xE2\x84\xAA", false, true}, // the Kelvin sign folds to k
        {"\xE2\x84\xAA", "k", false, true},
        {"ok", "\xC3\x89 O\xE2\x84\xAA", false, true},           // "É OK", the K a Kelvin sign
        {"\xC3\xA9t\xC3\xA9", "\xC3\x89T\xC3\x89", false, true}, // "été" in "ÉTÉ"
        {"ok", "\xC3\x89 O\xC5\xBF", false, false},              // "É Oſ": the long s folds to s
        {"\xC3\xA9", "e", false, false},                         // accents are letters of their own
        {"[", "{", false, false},                                // bytes next to the letters do not fold
        {"@", "`", false, false},
        {"", "", true, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ItemSearch(c.text, c.matchCase).isFoundIn(c.within), c.found)
            << c.text << " in " << c.within;
}

// Find Next looks at the term, the outline's fields and the comment of each item, from the one after the
// focused item round the list once.
TEST(ItemSearch, FindsTheNextItemRoundTheList) {
    StudyList list = makeStudyList({"Definition", "Capital"}, {{"France", "Country in Europe", "Paris", ""},
                                                               {"Peru", "", "Lima", "once ruled by Spain"},
                                                               {"Japan", "", "Tokyo", ""},
                                                               {"Spain", "", "Madrid", ""}});
    const struct {
        const char* text;
        bool matchCase;
        int after;
        int found;
    } cases[] =
        {
            {"spain", false, -1, 1}, // with nothing focused, from the first item: Peru's comment
            {"spain", false, 1, 3},  // Spain's term
            {"spain", false, 3, 1},  // round again
            {"an", false, -1, 0},     {"an", false, 0, 2},
            {"tokyo", false, 2, 2}, // the only item holding it, found from itself after going round
            {"Madrid", true, -1, 3},  {"europe", false, 2, 0},
            {"madrid", true, -1, -1}, {"Berlin", false, 0, -1},
        };
    for (const auto& c : cases)
        EXPECT_EQ(ItemSearch(c.text, c.matchCase).findNext(list, c.after), c.found)
            << c.text << " " << c.after;
    EXPECT_EQ(ItemSearch("Paris", false).findNext(StudyList(), -1), -1);

    // A removed field keeps its values in the items, out of sight; they are not found.
    Outline outline = list.getOutline();
    outline.removeDef(1);
    list.setOutline(outline);
    EXPECT_EQ(ItemSearch("Lima", true).findNext(list, -1), -1);
    EXPECT_EQ(ItemSearch("Europe", true).findNext(list, -1), 0);
}
