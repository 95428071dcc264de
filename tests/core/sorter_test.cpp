#include "app/model/lorvant.h"

#include "WinLib/io/memoryserializer.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

struct Row {
    int number;
    std::string term;
    int correct = 0;
    int wrong = 0;
};

StudyList makeList(const std::vector<Row>& rows) {
    StudyList list;
    for (const Row& row : rows) {
        TermSet item(list.getOutline(), row.number);
        item.setTerm(row.term);
        for (int i = 0; i < row.correct; ++i)
            item.addCorrectAnswer();
        for (int i = 0; i < row.wrong; ++i)
            item.addWrongAnswer();
        list.addTermSet(item);
    }
    return list;
}

std::vector<int> numbersOf(const StudyList& list) {
    std::vector<int> numbers;
    for (int i = 0; i < list.getTermSetCount(); ++i)
        numbers.push_back(list.getTermSet(static_cast<std::size_t>(i)).getNumber());
    return numbers;
}

std::vector<std::string> termsOf(const StudyList& list) {
    std::vector<std::string> terms;
    for (int i = 0; i < list.getTermSetCount(); ++i)
        terms.push_back(list.getTermSet(static_cast<std::size_t>(i)).getTerm());
    return terms;
}

} // namespace

TEST(Sort, SecondClickReversesAndEqualKeysKeepTheirOrderBothWays) {
    // Ratios 50, 100, 50, 0: the two 50s (numbers 1 and 3) stay in their order.
    StudyList list = makeList({{1, "p", 1, 1}, {2, "q", 1, 0}, {3, "r", 2, 2}, {4, "s", 0, 1}});
    list.sort(Sorter(Sorter::byRatio));
    EXPECT_EQ(numbersOf(list), (std::vector<int>{4, 1, 3, 2}));
    list.sort(Sorter(Sorter::byRatio));
    EXPECT_EQ(numbersOf(list), (std::vector<int>{2, 1, 3, 4}));
    list.sort(Sorter(Sorter::byRatio));
    EXPECT_EQ(numbersOf(list), (std::vector<int>{4, 1, 3, 2}));

    // All keys equal: nothing ever moves.
    StudyList same = makeList({{2, "b", 1}, {3, "c", 1}, {1, "a", 1}});
    for (int click = 0; click < 3; ++click) {
        same.sort(Sorter(Sorter::byTimesAsked));
        EXPECT_EQ(numbersOf(same), (std::vector<int>{2, 3, 1}));
    }
}

TEST(Sort, StringsByUnsignedBytesAndNumbersBySign) {
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

namespace {

bool byTermLength(const TermSet& a, const TermSet& b) {
    return a.getTerm().size() < b.getTerm().size();
}

} // namespace

TEST(Sort, AnyComparisonFollowsTheSameRule) {
    StudyList list = makeList({{1, "ccc"}, {2, "a"}, {3, "bb"}, {4, "d"}});
    list.sort(Sorter(byTermLength));
    EXPECT_EQ(termsOf(list), (std::vector<std::string>{"a", "d", "bb", "ccc"}));
    list.sort(Sorter(byTermLength));
    EXPECT_EQ(termsOf(list), (std::vector<std::string>{"ccc", "bb", "a", "d"}));
    list.sort(Sorter(byTermLength));
    EXPECT_EQ(termsOf(list), (std::vector<std::string>{"a", "d", "bb", "ccc"}));
}

TEST(Sort, MissingFieldValuesComeFirst) {
    StudyList list = makeList({{1, "x"}, {2, "y"}, {3, "z"}});
    list.getTermSet(0).setField(0, "m");
    list.getTermSet(2).setField(0, "");
    list.sort(Sorter(Sorter::byField, 0));
    EXPECT_EQ(numbersOf(list), (std::vector<int>{2, 3, 1}));
}

TEST(Sort, LeavesModifiedFlagAndNumbers) {
    StudyList list = makeList({{1, "b"}, {2, "a"}});
    Win::IO::MemorySerializer saved;
    list.serialize(saved);
    list.sort(Sorter(Sorter::byTerm));
    EXPECT_FALSE(list.isModified());
    EXPECT_EQ(numbersOf(list), (std::vector<int>{2, 1}));
    list.setModified();
    list.sort(Sorter(Sorter::byTerm));
    EXPECT_TRUE(list.isModified());
    EXPECT_EQ(numbersOf(list), (std::vector<int>{1, 2}));
}

TEST(Sort, ColumnsMapToTheirKeys) {
    // Outline with one field: number, term, Definition, Comment, times asked, correct, ratio.
    StudyList list;
    TermSet low(list.getOutline(), 1);
    TermSet high(list.getOutline(), 2);
    low.setTerm("a");
    high.setTerm("b");
    low.setField(0, "a");
    high.setField(0, "b");
    low.setComment("a");
    high.setComment("b");
    low.addWrongAnswer();
    high.addCorrectAnswer();
    high.addCorrectAnswer();
    for (int column = 0; column < 7; ++column) {
        const Sorter sorter = Sorter::forColumn(column, 1);
        EXPECT_TRUE(sorter(low, high)) << column;
        EXPECT_FALSE(sorter(high, low)) << column;
        EXPECT_FALSE(sorter(low, low)) << column;
    }
    // Each column compares only its own key.
    TermSet termOnly(list.getOutline(), 1);
    termOnly.setTerm("b");
    TermSet base(list.getOutline(), 1);
    EXPECT_TRUE(Sorter::forColumn(1, 1)(base, termOnly));
    for (const int column : {0, 2, 3, 4, 5, 6})
        EXPECT_FALSE(Sorter::forColumn(column, 1)(base, termOnly)) << column;
}
