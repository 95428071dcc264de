#include "app/model/itemsearch.h"
#include "app/model/lorvant.h"

#include <gtest/gtest.h>

namespace {

TEST(ItemSearch, FindsTextsFoldingOnlyAsciiLettersWithoutMatchCase) {
    const struct {
        const char* text;
        const char* within;
        bool matchCase;
        bool found;
    } cases[] = {
        {"paris", "in Paris today", false, true},
        {"paris", "in Paris today", true, false},
        {"Paris", "in Paris today", true, true},
        {"PARIS", "parisian", false, true},
        {"is a", "in Paris today", false, false},
        {"day", "in Paris today", false, true}, // at the very end
        {"in", "in Paris today", false, true},  // at the very start
        {"ababc", "abababc", false, true},      // after a partial match
        {"ababc", "ababab", false, false},
        {"long text", "long tex", false, false},  // longer than the text searched
        {"\xC9t\xC9", "\xE9t\xE9", false, false}, // accented capitals are not small letters
        {"\xE9T\xE9", "\xE9t\xE9", false, true},
        {"[", "{", false, false}, // bytes next to the letters do not fold
        {"@", "`", false, false},
        {"", "anything", false, true},
        {"", "", true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " in " + c.within);
        EXPECT_EQ(ItemSearch(c.text, c.matchCase).isFoundIn(c.within), c.found);
    }
}

class ItemSearchList : public ::testing::Test {
protected:
    StudyList list;

    void SetUp() override {
        Outline outline;
        outline.addDef("Capital");
        list.setOutline(outline);
        add("France", {"Country in Europe", "Paris"}, "");
        add("Peru", {"", "Lima"}, "once ruled by Spain");
        add("Japan", {"", "Tokyo"}, "");
        add("Spain", {"", "Madrid"}, "");
    }

    void add(const std::string& term, const std::vector<std::string>& fields, const std::string& comment) {
        TermSet item(list.getOutline(), list.getTermSetCount() + 1);
        item.setTerm(term);
        for (std::size_t i = 0; i < fields.size(); ++i)
            item.setField(static_cast<int>(i), fields[i]);
        item.setComment(comment);
        list.addTermSet(item);
    }
};

TEST_F(ItemSearchList, LooksAtTermFieldsAndCommentInListOrderAndWrapsOnce) {
    const ItemSearch spain("spain", false);
    // The comment of Peru, then the term of Spain, then round to Peru again.
    EXPECT_EQ(spain.findNext(list, -1), 1);
    EXPECT_EQ(spain.findNext(list, 1), 3);
    EXPECT_EQ(spain.findNext(list, 3), 1);
    // With nothing selected the search starts at the first item, otherwise after the selected one.
    const ItemSearch an("an", false);
    EXPECT_EQ(an.findNext(list, -1), 0);
    EXPECT_EQ(an.findNext(list, 0), 2);
    // The only item that holds the text is found from itself, after going round.
    EXPECT_EQ(ItemSearch("tokyo", false).findNext(list, 2), 2);
    // Every field, not just the first.
    EXPECT_EQ(ItemSearch("Madrid", true).findNext(list, -1), 3);
    EXPECT_EQ(ItemSearch("europe", false).findNext(list, 2), 0);

    EXPECT_EQ(ItemSearch("madrid", true).findNext(list, -1), -1);
    EXPECT_EQ(ItemSearch("Berlin", false).findNext(list, 0), -1);
    EXPECT_EQ(ItemSearch("Paris", false).findNext(StudyList(), -1), -1);
}

TEST_F(ItemSearchList, LooksOnlyAtFieldsOfTheOutline) {
    // A removed field keeps its values in the items, out of sight; they are not found.
    Outline outline = list.getOutline();
    outline.removeDef(1);
    list.setOutline(outline);
    EXPECT_EQ(ItemSearch("Lima", true).findNext(list, -1), -1);
    EXPECT_EQ(ItemSearch("Europe", true).findNext(list, -1), 0);
}

} // namespace
