#pragma once

#include "itemschedule.h"

#include <array>

class StudyList;

// How a study list stands on the review schedule: how many items are in each state, and how many
// come due on each of the next days.
struct ScheduleStatistics {
    static constexpr int StateCount = 4;
    static constexpr int ForecastDays = 30;
    // When each forecast day begins, today first, and last when the day after the last one begins.
    // Calendar days are not all 24 hours long where the clocks change, so the caller gives them.
    using DayStarts = std::array<UtcTime, ForecastDays + 1>;

    // By ItemSchedule::State: new, learning, review, relearning.
    std::array<int, StateCount> states{};
    // The items due on each day, today first. Today also holds every item due before it began: an
    // overdue item is one to review today. New items are never due.
    std::array<int, ForecastDays> forecast{};

    static ScheduleStatistics of(const StudyList& list, const DayStarts& days);
};
