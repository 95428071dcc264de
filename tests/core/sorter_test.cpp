#include "testlists.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

struct Row {
    int number;
    std::string term;
    int right = 0;
    int wrong = 0;
};

StudyList makeList(const std::vector<Row>& rows) {
    StudyList list;
    for (const Row& row : rows) {
        TermSet item(list.getOutline(), row.number);
        item.setTerm(row.term);
        addScores(item, row.right, row.wrong);
        list.addTermSet(item);
    }
    return list;
}

std::vector<std::string> termsOf(const StudyList& list) {
    std::vector<std::string> terms;
    for (const std::vector<std::string>& item : itemsOf(list))
        terms.push_back(item[0]);
    return terms;
}

ItemSchedule scheduledAt(UtcTime due, ItemSchedule::State state = ItemSchedule::REVIEW) {
    ItemSchedule schedule;
    schedule.state = state;
    schedule.due = due;
    schedule.reviews = 1;
    return schedule;
}

bool byTermLength(const TermSet& a, const TermSet& b) {
    return a.getTerm().size() < b.getTerm().size();
}

} // namespace

// Each click on a column sorts by it the other way round; equal keys keep their order both ways, the
// numbers stay with their items and sorting alone does not make the document modified.
TEST(Sort, ClicksAlternateTheOrderAndEqualKeysKeepTheirOrder) {
    // Ratios 50, 100, 50, 0.
    StudyList list = makeList({{1, "p", 1, 1}, {2, "q", 1, 0}, {3, "r", 2, 2}, {4, "s", 0, 1}});
    markSaved(list);
    for (const std::vector<int>& order : {std::vector<int>{4, 1, 3, 2}, {2, 1, 3, 4}, {4, 1, 3, 2}}) {
        list.sort(Sorter(Sorter::byRatio));
        EXPECT_EQ(numbersOf(list), order);
    }
    EXPECT_FALSE(list.isModified());
    // All keys equal: nothing ever moves.
    for (int click = 0; click < 2; ++click) {
        list.sort(Sorter(byTermLength));
        EXPECT_EQ(numbersOf(list), (std::vector<int>{4, 1, 3, 2}));
    }

    // Any comparison follows the same rule.
    StudyList lengths = makeList({{1, "ccc"}, {2, "a"}, {3, "bb"}, {4, "d"}});
    for (const std::vector<std::string>& terms : {std::vector<std::string>{"a", "d", "bb", "ccc"},
                                                  {"ccc", "bb", "a", "d"},
                                                  {"a", "d", "bb", "ccc"}}) {
        lengths.sort(Sorter(byTermLength));
        EXPECT_EQ(termsOf(lengths), terms);
    }
}

// Past a few dozen items the sort no longer keeps equal keys in order by itself: both directions must.
TEST(Sort, EqualKeysKeepTheirOrderInLongLists) {
    std::vector<Row> rows;
    for (int number = 1; number <= 60; ++number)
        rows.push_back({number, "t", number % 3, 1});
    StudyList list = makeList(rows);
    for (const bool ascending : {true, false}) {
        list.sort(Sorter(Sorter::byRatio));
        const std::vector<int> numbers = numbersOf(list);
        for (std::size_t idx = 1; idx < numbers.size(); ++idx) {
            const int before = numbers[idx - 1] % 3;
            const int after = numbers[idx] % 3;
            EXPECT_TRUE(before == after ? numbers[idx - 1] < numbers[idx] : (before < after) == ascending)
                << idx << (ascending ? " ascending" : " descending");
        }
    }
}

TEST(Sort, TextsByUnsignedBytesAndNumbersBySign) {
    StudyList list =
        makeList({{1, "b"}, {2, "B"}, {3, "a"}, {4, "ab"}, {5, "\xE9t\xE9"}, {6, "abc"}, {7, "Zebra"}});
    list.sort(Sorter(Sorter::byTerm));
    EXPECT_EQ(termsOf(list), (std::vector<std::string>{"B", "Zebra", "a", "ab", "abc", "b", "\xE9t\xE9"}));

    // Long shared prefixes, an embedded zero byte, numbers of either sign.
    StudyList prefixes = makeList({{5, "abcdefghZ"},
                                   {-7, "abcdefghA"},
                                   {INT_MAX, "abcdefgh"},
                                   {INT_MIN, std::string("ab\0", 3)},
                                   {0, "ab"}});
    prefixes.sort(Sorter(Sorter::byTerm));
    EXPECT_EQ(termsOf(prefixes),
              (std::vector<std::string>{"ab", std::string("ab\0", 3), "abcdefgh", "abcdefghA", "abcdefghZ"}));
    prefixes.sort(Sorter(Sorter::byNumber));
    EXPECT_EQ(numbersOf(prefixes), (std::vector<int>{INT_MIN, -7, 0, 5, INT_MAX}));
}

TEST(Sort, ColumnsMapToTheirKeys) {
    // One field: number, term, Definition, Comment, times asked, correct answers, ratio, due; each column
    // puts these items in another order. They stand in number order, so the first sort by number is
    // descending.
    const auto makeItems = [] {
        StudyList list = makeStudyList({"Definition"},
                                       {{"d", "b", "c"}, {"c", "a", "d"}, {"a", "d", "b"}, {"b", "c", "a"}});
        const int scores[][2] = {{0, 2}, {3, 1}, {1, 0}, {2, 1}};
        const UtcTime dues[] = {200, 0, 300, 100}; // 0: new
        for (std::size_t idx = 0; idx < 4; ++idx) {
            addScores(list.getTermSet(idx), scores[idx][0], scores[idx][1]);
            if (dues[idx] != 0)
                list.getTermSet(idx).setSchedule(scheduledAt(dues[idx]));
        }
        return list;
    };
    const std::vector<int> orders[] = {{4, 3, 2, 1}, {3, 4, 2, 1}, {2, 1, 4, 3}, {4, 3, 1, 2},
                                       {3, 1, 4, 2}, {1, 3, 4, 2}, {1, 4, 2, 3}, {4, 1, 3, 2}};
    for (int column = 0; column < 8; ++column) {
        StudyList list = makeItems();
        const Sorter sorter = Sorter::forColumn(column, 1);
        list.sort(sorter);
        EXPECT_EQ(numbersOf(list), orders[column]) << column;
        // The comparison on its own agrees, and no item is below itself.
        for (std::size_t idx = 0; idx < 3; ++idx) {
            const TermSet& lower = list.getTermSet(column == 0 ? idx + 1 : idx);
            const TermSet& higher = list.getTermSet(column == 0 ? idx : idx + 1);
            EXPECT_TRUE(sorter(lower, higher) && !sorter(higher, lower) && !sorter(lower, lower)) << column;
        }
    }

    // Items without a value in the field come first.
    StudyList missing = makeStudyList({"Definition"}, {{"x", "m"}, {"y"}, {"z"}});
    missing.getTermSet(2).setField(0, "");
    missing.sort(Sorter(Sorter::byField, 0));
    EXPECT_EQ(numbersOf(missing), (std::vector<int>{2, 3, 1}));
}

// By due time: earliest first, then the other way round, never-reviewed items last both ways in list
// order; equal times keep their order; a list of new items only stays as it is.
TEST(Sort, ByDueKeepsNewItemsLastBothWays) {
    StudyList list = makeList({{1, "a"}, {2, "b"}, {3, "c"}, {4, "d"}, {5, "e"}, {6, "f"}});
    list.getTermSet(1).setSchedule(scheduledAt(5000));
    list.getTermSet(2).setSchedule(scheduledAt(-60, ItemSchedule::LEARNING)); // before 1970 still sorts first
    list.getTermSet(3).setSchedule(scheduledAt(5000, ItemSchedule::RELEARNING));
    list.getTermSet(5).setSchedule(scheduledAt(INT64_MAX - 1));
    const Sorter byDue(Sorter::byDue);
    list.sort(byDue);
    EXPECT_EQ(termsOf(list), (std::vector<std::string>{"c", "b", "d", "f", "a", "e"}));
    list.sort(byDue);
    EXPECT_EQ(termsOf(list), (std::vector<std::string>{"f", "b", "d", "c", "a", "e"}));
    list.sort(byDue);
    EXPECT_EQ(termsOf(list), (std::vector<std::string>{"c", "b", "d", "f", "a", "e"}));

    StudyList fresh = makeList({{2, "x"}, {1, "y"}, {3, "z"}});
    for (int click = 0; click < 2; ++click) {
        fresh.sort(byDue);
        EXPECT_EQ(termsOf(fresh), (std::vector<std::string>{"x", "y", "z"})) << click;
    }
}
