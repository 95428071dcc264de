#include "tests/core/testlists.h"

#include "app/model/documentsections.h"
#include "app/model/sorter.h"
#include "app/sessions/reviewchoice.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

namespace {

constexpr UtcTime Day = 86400;
// Noon of a day; its day starts at Midnight.
constexpr UtcTime Midnight = 1767225600; // 2026-01-01 00:00 UTC
constexpr UtcTime Noon = Midnight + Day / 2;

StudyList listOf(int count) {
    Rows rows;
    for (int i = 1; i <= count; ++i)
        rows.push_back({"t" + std::to_string(i), "d"});
    return makeStudyList({"Definition"}, rows);
}

void setSchedule(StudyList& list, int idx, ItemSchedule::State state, UtcTime due) {
    ItemSchedule schedule;
    schedule.state = state;
    schedule.due = due;
    schedule.stability = 1;
    schedule.difficulty = 5;
    schedule.lastReview = due - Day;
    list.getTermSet(static_cast<std::size_t>(idx)).setSchedule(schedule);
}

std::vector<int> chosen(const StudyList& list, UtcTime now, const std::vector<int>& scope = {}) {
    return ReviewChoice::of(list, now, Midnight + (now - Midnight) / Day * Day, scope).items;
}

} // namespace

// Learning steps that have passed come first, then due items from the most overdue, then new
// items in list order; steps and reviews still to come wait.
TEST(ReviewChoice, LearningThenDueThenNew) {
    StudyList list = listOf(8);
    setSchedule(list, 1, ItemSchedule::REVIEW, Noon - 3 * Day);
    setSchedule(list, 2, ItemSchedule::LEARNING, Noon - 60);
    setSchedule(list, 3, ItemSchedule::REVIEW, Noon + 60); // not due yet
    setSchedule(list, 4, ItemSchedule::REVIEW, Noon - 5 * Day);
    setSchedule(list, 5, ItemSchedule::RELEARNING, Noon - 600);
    setSchedule(list, 6, ItemSchedule::LEARNING, Noon + 60); // its step has not passed
    const ReviewChoice choice = ReviewChoice::of(list, Noon, Midnight);
    EXPECT_EQ(choice.items, (std::vector<int>{5, 2, 4, 1, 0, 7}));
    EXPECT_EQ(choice.learningCount, 2);
    EXPECT_EQ(choice.dueCount, 2);
    EXPECT_EQ(choice.newCount, 2);
    // Only the selected items, when the review is to cover them alone.
    EXPECT_EQ(chosen(list, Noon, {0, 3, 4, 6}), (std::vector<int>{4, 0}));
}

// New items started earlier the same day count against the day's limit; the next day brings a
// full set again.
TEST(ReviewChoice, NewItemsPerDayHoldsAcrossReviewsOfOneDay) {
    StudyList list = listOf(6);
    ReviewSettings settings;
    settings.newPerDay = 3;
    list.setReviewSettings(settings);
    EXPECT_EQ(chosen(list, Noon), (std::vector<int>{0, 1, 2}));
    list.reviewItem(0, Noon, Grade::EASY);
    list.reviewItem(1, Noon + 10, Grade::GOOD);
    list.reviewItem(1, Noon + 20, Grade::AGAIN); // a second review of a started item starts nothing
    EXPECT_EQ(chosen(list, Noon + 3600), (std::vector<int>{1, 2}));
    EXPECT_EQ(chosen(list, Midnight + Day + 60), (std::vector<int>{1, 2, 3, 4}));
    settings.newPerDay = 0;
    list.setReviewSettings(settings);
    EXPECT_EQ(chosen(list, Midnight + Day + 60), (std::vector<int>{1}));
}

// The daily limit of due items takes the most overdue first and counts the due items reviewed
// earlier that day; 0 means no limit.
TEST(ReviewChoice, MaximumReviewsPerDayTakesTheMostOverdue) {
    StudyList list = listOf(5);
    for (int idx = 0; idx < 5; ++idx)
        setSchedule(list, idx, ItemSchedule::REVIEW, Noon - (idx + 1) * Day);
    ReviewSettings settings;
    settings.maxReviewsPerDay = 3;
    list.setReviewSettings(settings);
    EXPECT_EQ(chosen(list, Noon), (std::vector<int>{4, 3, 2}));
    list.reviewItem(4, Noon, Grade::GOOD);
    EXPECT_EQ(chosen(list, Noon + 60), (std::vector<int>{3, 2}));
    EXPECT_EQ(chosen(list, Noon + Day), (std::vector<int>{3, 2, 1}));
    settings.maxReviewsPerDay = 0;
    list.setReviewSettings(settings);
    EXPECT_EQ(chosen(list, Noon + 60), (std::vector<int>{3, 2, 1, 0}));
}

// The log keeps each review with its item's number: sorting leaves the rows alone, removing
// items drops their rows and renumbers the rest as the items are renumbered.
TEST(ReviewLog, RowsFollowTheirItems) {
    StudyList list = listOf(5);
    for (int idx = 0; idx < 5; ++idx)
        list.reviewItem(static_cast<std::size_t>(idx), Noon + idx, Grade::GOOD);
    list.reviewItem(3, Noon + Day, Grade::AGAIN);
    list.sort(Sorter(Sorter::byTerm)); // already ascending, so descending: item 5 first
    ASSERT_EQ(list.getTermSet(0).getNumber(), 5);
    list.select(0); // item 5
    list.select(3); // item 2
    list.removeSelected();
    std::vector<std::pair<int, Grade>> rows;
    for (const ReviewRecord& record : list.getReviewLog().getRecords())
        rows.emplace_back(record.item, record.grade);
    EXPECT_EQ(rows, (std::vector<std::pair<int, Grade>>{
                        {1, Grade::GOOD}, {2, Grade::GOOD}, {3, Grade::GOOD}, {3, Grade::AGAIN}}));
    const ReviewRecord& last = list.getReviewLog().getRecords().back();
    EXPECT_EQ(last.sinceLast, Day - 3);
    EXPECT_EQ(last.stateBefore, ItemSchedule::LEARNING);
    EXPECT_EQ(list.getReviewLog().getRecords().front().sinceLast, 0);
}

// Forgetting makes items new again and leaves the log; only a list with nothing scheduled counts
// as never reviewed.
TEST(ReviewLog, ForgetScheduleMakesItemsNew) {
    StudyList list = listOf(3);
    EXPECT_FALSE(DocumentSections::anyToWrite(list));
    list.reviewItem(1, Noon, Grade::GOOD);
    EXPECT_TRUE(DocumentSections::anyToWrite(list));
    list.forgetSchedule({1});
    EXPECT_TRUE(list.getTermSet(1).getSchedule().isNew());
    EXPECT_EQ(list.getReviewLog().getCount(), 1u);
    list.setReviewLog(ReviewLog());
    EXPECT_FALSE(DocumentSections::anyToWrite(list));
    ReviewSettings settings;
    settings.desiredRetention = 85;
    list.setReviewSettings(settings);
    EXPECT_TRUE(DocumentSections::anyToWrite(list));
}

#ifndef _WIN32
// Where the clocks change, a calendar day is 23 or 25 hours long: the days of the statistics' forecast
// follow the calendar. (The time zone is set through the environment, which only the native run reads
// the same way.)
TEST(LocalDays, FollowTheCalendarWhereTheClocksChange) {
    const std::string previous = std::getenv("TZ") ? std::getenv("TZ") : "";
    setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
    tzset();
    constexpr UtcTime Hour = 3600;
    const UtcTime march28 = 1774652400; // 2026-03-28 00:00 CET; clocks go forward on the 29th
    EXPECT_EQ(localDayStart(march28 + 15 * Hour), march28);
    EXPECT_EQ(nextLocalDayStart(march28), march28 + 24 * Hour);
    EXPECT_EQ(nextLocalDayStart(march28 + 24 * Hour), march28 + 47 * Hour);
    const UtcTime october25 = 1792879200; // 2026-10-25 00:00 CEST; clocks go back that night
    EXPECT_EQ(nextLocalDayStart(october25), october25 + 25 * Hour);
    if (previous.empty())
        unsetenv("TZ");
    else
        setenv("TZ", previous.c_str(), 1);
    tzset();
}
#endif
