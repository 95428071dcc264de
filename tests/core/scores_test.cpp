#include "app/model/lorvant.h"
#include "app/model/scorestatistics.h"
#include "app/model/weakitemrule.h"

#include <gtest/gtest.h>

namespace {

struct Scores {
    int asked;
    int right;
};

StudyList listWithScores(const std::vector<Scores>& scores) {
    StudyList list;
    for (const Scores& s : scores) {
        TermSet item(list.getOutline(), list.getTermSetCount() + 1);
        for (int i = 0; i < s.asked; ++i) {
            if (i < s.right)
                item.addCorrectAnswer();
            else
                item.addWrongAnswer();
        }
        list.addTermSet(item);
    }
    return list;
}

// Never asked, 0 %, 66.6 %, 79.9 %, 80 %, 100 %.
const std::vector<Scores> Mixed = {{0, 0}, {3, 0}, {3, 2}, {799, 638}, {5, 4}, {2, 2}};

TEST(WeakItemRule, SelectsItemsBelowTheThresholdAndOptionallyThoseNeverAsked) {
    const StudyList list = listWithScores(Mixed);
    const struct {
        WeakItemRule rule;
        std::vector<int> weak;
    } cases[] = {
        {{80, true}, {0, 1, 2, 3}}, // exactly 80 % is not below 80
        {{80, false}, {1, 2, 3}},
        {{0, false}, {}}, // nothing is answered right less than never
        {{0, true}, {0}},
        {{100, false}, {1, 2, 3, 4}},
        {{100, true}, {0, 1, 2, 3, 4}},
        {{67, false}, {1, 2}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.rule.threshold) +
                     (c.rule.includeNeverAsked ? " with never asked" : ""));
        EXPECT_EQ(c.rule.findIn(list), c.weak);
    }
}

TEST(ScoreStatistics, CountsItemsPerBandAndTotals) {
    for (int ratio = 0; ratio <= 100; ++ratio)
        EXPECT_EQ(ScoreStatistics::bandOf(ratio), ratio == 100 ? 4 : ratio / 25) << ratio;

    const ScoreStatistics mixed = ScoreStatistics::of(listWithScores(Mixed));
    EXPECT_EQ(mixed.items, 6);
    EXPECT_EQ(mixed.neverAsked, 1);
    EXPECT_EQ(mixed.bands, (std::array<int, 5>{1, 0, 1, 2, 1}));
    EXPECT_EQ(mixed.questionsAnswered, 812);
    EXPECT_EQ(mixed.answeredRight, 646);
    EXPECT_EQ(mixed.getPercentage(), 79); // 79.56 rounded down

    const ScoreStatistics unasked = ScoreStatistics::of(listWithScores({{0, 0}, {0, 0}}));
    EXPECT_EQ(unasked.neverAsked, 2);
    EXPECT_EQ(unasked.bands, (std::array<int, 5>{}));
    EXPECT_EQ(unasked.getPercentage(), 0);
    EXPECT_EQ(ScoreStatistics::of(StudyList()).items, 0);
}

TEST(ScoreStatistics, TotalsDoNotOverflowAtTheLargestScores) {
    ScoreStatistics statistics;
    statistics.questionsAnswered = 999999LL * 2147483647;
    statistics.answeredRight = statistics.questionsAnswered / 3;
    EXPECT_EQ(statistics.getPercentage(), 33);
}

} // namespace
