#include "tests/core/testlists.h"

#include "app/sessions/reviewsession.h"

#include <gtest/gtest.h>

namespace {

constexpr UtcTime Noon = 1767268800; // 2026-01-01 12:00 UTC

// Term to Definition, as the default settings ask.
StudyList twoWords() {
    return makeStudyList({"Definition"}, {{"cat", "Katze"}, {"dog", "Hund"}});
}

} // namespace

// Wrong answers suggest Again and right ones Good; an item in learning comes back in the same
// review when its step has passed, or at once when nothing else is left; the review ends when
// every item has left its learning steps.
TEST(ReviewSession, LearningItemsComeBackUntilTheyGraduate) {
    StudyList list = twoWords();
    ReviewSession session(list, {0, 1});
    ASSERT_TRUE(session.next(Noon));
    EXPECT_EQ(session.getToText(), "Katze");
    EXPECT_FALSE(session.answer("Hund"));
    EXPECT_EQ(session.suggestedGrade(), Grade::AGAIN);
    const std::array<UtcTime, 4> due = session.dueTimes(Noon);
    EXPECT_EQ(due, (std::array<UtcTime, 4>{Noon + 60, Noon + 360, Noon + 600, Noon + 8 * 86400}));
    session.grade(Grade::AGAIN, Noon);

    ASSERT_TRUE(session.next(Noon + 5)); // cat's minute has not passed: dog first
    EXPECT_EQ(session.getToText(), "Hund");
    EXPECT_TRUE(session.answer("Hund"));
    EXPECT_EQ(session.suggestedGrade(), Grade::GOOD);
    session.grade(Grade::GOOD, Noon + 5);

    ASSERT_TRUE(session.next(Noon + 10)); // nothing else is left, so cat comes back early
    EXPECT_EQ(session.getToText(), "Katze");
    session.answer("Katze");
    session.grade(Grade::GOOD, Noon + 10);
    ASSERT_TRUE(session.next(Noon + 700)); // both steps have passed: dog's first
    EXPECT_EQ(session.getToText(), "Hund");
    session.answer("Hund");
    session.grade(Grade::GOOD, Noon + 700);
    ASSERT_TRUE(session.next(Noon + 710));
    EXPECT_EQ(session.getToText(), "Katze");
    session.answer("Katze");
    session.grade(Grade::EASY, Noon + 710);
    EXPECT_FALSE(session.next(Noon + 720));

    EXPECT_EQ(session.getReviewedCount(), 5);
    EXPECT_EQ(session.getQuestionsAskedCnt(), 5);
    EXPECT_EQ(session.getCorrectAnswersCnt(), 4);
    EXPECT_EQ(list.getTermSet(0).getTimesAsked(), 3);
    EXPECT_EQ(list.getTermSet(0).getSchedule().state, ItemSchedule::REVIEW);
    EXPECT_EQ(list.getReviewLog().getCount(), 5u);
    EXPECT_EQ(session.nextDue(), list.getTermSet(0).getSchedule().due); // cat, a day after Easy
    EXPECT_TRUE(list.isModified());
}

TEST(ReviewSession, NothingToReviewEndsAtOnceAndAnUnscheduledListHasNoNextDue) {
    StudyList list = twoWords();
    ReviewSession session(list, {});
    EXPECT_FALSE(session.next(Noon));
    EXPECT_EQ(session.nextDue(), std::nullopt);
}

TEST(ReviewSession, IntervalTextsRoundToTheLargestFittingUnit) {
    const std::pair<UtcTime, const char*> cases[] = {
        {0, "1 min"},           {60, "1 min"},          {600, "10 min"},      {3599, "1 h"},
        {5 * 3600, "5 h"},      {3 * 86400, "3 d"},     {29 * 86400, "29 d"}, {60 * 86400, "2 mo"},
        {364 * 86400, "12 mo"}, {545 * 86400, "1.5 y"}, {730 * 86400, "2 y"}, {36500LL * 86400, "100 y"},
    };
    for (const auto& [seconds, text] : cases)
        EXPECT_EQ(intervalText(Noon, Noon + seconds), text) << seconds;
}
