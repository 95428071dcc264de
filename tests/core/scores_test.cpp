#include "testlists.h"

#include "app/model/scorestatistics.h"
#include "app/model/weakitemrule.h"

#include <gtest/gtest.h>

namespace {

struct Scores {
    int right;
    int wrong;
};

StudyList listWithScores(const std::vector<Scores>& scores) {
    StudyList list;
    for (const Scores& s : scores) {
        TermSet item(list.getOutline(), list.getTermSetCount() + 1);
        addScores(item, s.right, s.wrong);
        list.addTermSet(item);
    }
    return list;
}

// Never asked, 0 %, 66.6 %, 79.9 %, 80 %, 100 %.
const std::vector<Scores> Mixed = {{0, 0}, {0, 3}, {2, 1}, {638, 161}, {4, 1}, {2, 0}};

} // namespace

TEST(TermSet, RatioIsRoundedDownAndScoresReset) {
    const StudyList list = listWithScores({{0, 0}, {1, 2}, {2, 1}, {53, 47}, {3, 0}, {0, 4}});
    const int ratios[] = {0, 33, 66, 53, 100, 0};
    for (int idx = 0; idx < list.getTermSetCount(); ++idx) {
        TermSet item = list.getTermSet(static_cast<std::size_t>(idx));
        EXPECT_EQ(item.getRatio(), ratios[idx]) << idx;
        item.resetScores();
        EXPECT_EQ(item.getTimesAsked() + item.getCorrectAnswers(), 0);
    }
}

TEST(WeakItemRule, SelectsItemsBelowTheThresholdAndOptionallyThoseNeverAsked) {
    const StudyList list = listWithScores(Mixed);
    const struct {
        WeakItemRule rule;
        std::vector<int> weak;
    } cases[] = {
        {{80, true}, {0, 1, 2, 3}},                   // exactly 80 % is not below 80
        {{80, false}, {1, 2, 3}},   {{0, false}, {}}, // nothing is answered right less than never
        {{0, true}, {0}},           {{100, true}, {0, 1, 2, 3, 4}},
        {{67, false}, {1, 2}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.rule.findIn(list), c.weak) << c.rule.threshold << " " << c.rule.includeNeverAsked;
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

    // The largest totals do not overflow.
    ScoreStatistics largest;
    largest.questionsAnswered = 999999LL * 2147483647;
    largest.answeredRight = largest.questionsAnswered / 3;
    EXPECT_EQ(largest.getPercentage(), 33);
}
