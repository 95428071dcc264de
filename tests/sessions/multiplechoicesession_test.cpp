#include "sessiontestlist.h"

#include "app/sessions/multiplechoicesession.h"
#include "app/sessions/random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <set>

namespace {

std::multiset<std::string> asSet(const std::vector<std::string>& texts) {
    return std::multiset<std::string>(texts.begin(), texts.end());
}

} // namespace

TEST(MultipleChoiceSession, OffersTheRightAnswerAmongTheOtherItemsAnswersAtVaryingPlaces) {
    StudyList list =
        makeStudyList({"Capital"}, {{"France", "Paris"}, {"Italy", "Rome"}, {"Spain", "Madrid"}});
    list.getSettings().setContinuous(true);
    MultipleChoiceSession session(list, true);
    Random::seed(11);
    std::set<std::size_t> rightPlaces;
    for (int question = 0; question < 300; ++question) {
        ASSERT_TRUE(session.next());
        const std::vector<std::string> choices = session.getChoices();
        ASSERT_EQ(asSet(choices), (std::multiset<std::string>{"Paris", "Rome", "Madrid"}));
        rightPlaces.insert(static_cast<std::size_t>(
            std::find(choices.begin(), choices.end(), session.getToText()) - choices.begin()));
    }
    EXPECT_EQ(rightPlaces, (std::set<std::size_t>{0, 1, 2}));
}

TEST(MultipleChoiceSession, TooFewDistinctAnswersOrImpossibleCountsEndTheSession) {
    StudyList two = makeStudyList({"Capital"}, {{"France", "Paris"}, {"Italy", "Rome"}});
    MultipleChoiceSession session(two, true);
    EXPECT_FALSE(session.next());

    // Equal answers count once: three items, but only two distinct capitals.
    StudyList repeated =
        makeStudyList({"Capital"}, {{"France", "Paris"}, {"Italy", "Rome"}, {"Rome", "Rome"}});
    MultipleChoiceSession repeatedSession(repeated, true);
    EXPECT_FALSE(repeatedSession.next());
    repeated.getSettings().setChoicesNum(2);
    MultipleChoiceSession twoChoices(repeated, true);
    EXPECT_TRUE(twoChoices.next());

    // Choice counts that cannot work give no question.
    StudyList three =
        makeStudyList({"Capital"}, {{"France", "Paris"}, {"Italy", "Rome"}, {"Spain", "Madrid"}});
    for (const int choicesNum : {1, 0, -5, 4, 1000000}) {
        three.getSettings().setChoicesNum(choicesNum);
        MultipleChoiceSession impossible(three, true);
        EXPECT_FALSE(impossible.next()) << choicesNum;
        EXPECT_TRUE(impossible.getChoices().empty()) << choicesNum;
    }
}

TEST(MultipleChoiceSession, CandidatesKeepOneEmptyValueAndDropExactDuplicatesOnly) {
    // Items 3 and 4 are never asked (nothing to ask), but their empty answer is a candidate once;
    // "paris" differs from "Paris" and stays, the second "Rome" goes.
    StudyList list = makeStudyList(
        {"Capital"},
        {{"France", "Paris"}, {"Texas", "paris"}, {"x", ""}, {"y", ""}, {"Italy", "Rome"}, {"z", "Rome"}});
    list.select(0);
    list.getSettings().setChoicesNum(4);
    MultipleChoiceSession session(list, false);
    ASSERT_TRUE(session.next());
    EXPECT_EQ(asSet(session.getChoices()), (std::multiset<std::string>{"Paris", "paris", "", "Rome"}));
    // Picking the choice that differs only in case is right when the session ignores case.
    EXPECT_TRUE(session.answer("paris"));
    EXPECT_FALSE(session.next());

    list.getSettings().setChoicesNum(5);
    MultipleChoiceSession tooMany(list, false);
    EXPECT_FALSE(tooMany.next());
}

// The choices of each question follow from all items in list order: the other distinct answers
// in the order they first occur, drawn without repeats, then the place of the right answer.
// A second generator, stepped alongside the session's, predicts every question.
TEST(MultipleChoiceSession, PicksFromTheCandidatesInFirstOccurrenceOrder) {
    std::vector<std::vector<std::string>> rows;
    const std::vector<std::string> pool{"", "a", "b", "A", "c", "d", "e", "f"};
    std::uint32_t mix = 5;
    for (int idx = 0; idx < 60; ++idx) {
        mix = mix * 69069u + 1u;
        rows.push_back({"t" + std::to_string(idx), pool[(mix >> 24) % pool.size()]});
    }
    StudyList list = makeStudyList({"D"}, rows);
    list.getSettings().setToField(0);
    list.getSettings().setContinuous(true);
    list.getSettings().setChoicesNum(5);

    std::uint32_t state = 2024;
    const auto rand = [&state] {
        state = state * 1103515245u + 12345u;
        return static_cast<unsigned>((state >> 16) & 0x7FFF);
    };
    MultipleChoiceSession session(list, true);
    Random::seed(2024);
    for (int question = 0; question < 200; ++question) {
        ASSERT_TRUE(session.next());
        const std::string right = session.getToText();
        std::vector<std::string> candidates;
        for (const std::vector<std::string>& row : rows) {
            if (row[1] != right &&
                std::find(candidates.begin(), candidates.end(), row[1]) == candidates.end())
                candidates.push_back(row[1]);
        }
        std::vector<unsigned> picks;
        while (picks.size() < 4) {
            const unsigned pick = rand() % static_cast<unsigned>(candidates.size());
            if (std::find(picks.begin(), picks.end(), pick) == picks.end())
                picks.push_back(pick);
        }
        const unsigned rightPlace = rand() % 5;
        std::vector<std::string> expected;
        for (const unsigned pick : picks)
            expected.push_back(candidates[pick]);
        expected.insert(expected.begin() + rightPlace, right);
        ASSERT_EQ(session.getChoices(), expected) << "question " << question;
    }
}
