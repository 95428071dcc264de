#include "testlists.h"

#include "app/model/schedulestatistics.h"

#include <gtest/gtest.h>

#include <numeric>

namespace {

constexpr UtcTime Hour = 3600;
constexpr UtcTime Midnight = 1774652400; // 2026-03-28 00:00 in a zone one hour ahead of UTC

// Thirty local days from Midnight: the second is an hour short, as where the clocks go forward that
// night, and the eleventh an hour long.
ScheduleStatistics::DayStarts localDays() {
    ScheduleStatistics::DayStarts days{};
    days[0] = Midnight;
    for (std::size_t day = 1; day < days.size(); ++day)
        days[day] = days[day - 1] + (day == 2 ? 23 : day == 11 ? 25 : 24) * Hour;
    return days;
}

StudyList listDue(const std::vector<ItemSchedule>& schedules, int newItems) {
    StudyList list;
    for (std::size_t idx = 0; idx < schedules.size() + static_cast<std::size_t>(newItems); ++idx) {
        TermSet item(list.getOutline(), list.getTermSetCount() + 1);
        if (idx < schedules.size())
            item.setSchedule(schedules[idx]);
        list.addTermSet(item);
    }
    return list;
}

} // namespace

TEST(ScheduleStatistics, CountsItemsByStateAndLeavesNewItemsOutOfTheForecast) {
    const ScheduleStatistics statistics =
        ScheduleStatistics::of(listDue({scheduled(ItemSchedule::LEARNING, Midnight + 9 * Hour),
                                        scheduled(ItemSchedule::REVIEW, Midnight + 50 * Hour),
                                        scheduled(ItemSchedule::REVIEW, Midnight + 51 * Hour),
                                        scheduled(ItemSchedule::RELEARNING, Midnight - 3 * Hour)},
                                       3),
                               localDays());
    EXPECT_EQ(statistics.states, (std::array<int, 4>{3, 1, 2, 1}));
    EXPECT_EQ(statistics.forecast[0], 2);
    EXPECT_EQ(statistics.forecast[2], 2);
    EXPECT_EQ(std::accumulate(statistics.forecast.begin(), statistics.forecast.end(), 0), 4);
}

// Each day runs from its first second to the last before the next day begins, however long the day;
// today also takes what was due on any earlier day, and the forecast ends with the thirtieth day.
TEST(ScheduleStatistics, CountsEachDueItemOnItsLocalDay) {
    const ScheduleStatistics::DayStarts days = localDays();
    const auto review = [](UtcTime due) { return scheduled(ItemSchedule::REVIEW, due); };
    const ScheduleStatistics statistics = ScheduleStatistics::of(
        listDue({review(0), review(Midnight - 400 * 24 * Hour), review(Midnight - 1), review(Midnight),
                 review(days[1] - 1), review(days[1]), review(days[1] + 22 * Hour + 59 * 60),
                 review(days[1] + 23 * Hour), review(days[10] + 24 * Hour + 30 * 60), review(days[11]),
                 review(days[29]), review(days[30] - 1), review(days[30]),
                 review(days[30] + 365 * 24 * Hour)},
                0),
        days);
    std::array<int, ScheduleStatistics::ForecastDays> expected{};
    expected[0] = 5; // three overdue, however long ago, and the first and last second of today
    expected[1] = 2; // the short day ends an hour early
    expected[2] = 1;
    expected[10] = 1; // the long day an hour late
    expected[11] = 1;
    expected[29] = 2;
    EXPECT_EQ(statistics.forecast, expected);
    EXPECT_EQ(statistics.states[ItemSchedule::REVIEW], 14) << "the items due later still count by state";
}

TEST(ScheduleStatistics, OfAnEmptyListIsAllZero) {
    const ScheduleStatistics statistics = ScheduleStatistics::of(StudyList(), localDays());
    EXPECT_EQ(statistics.states, (std::array<int, 4>{}));
    EXPECT_EQ(statistics.forecast, (std::array<int, ScheduleStatistics::ForecastDays>{}));
}
