#include "schedulestatistics.h"

#include "lorvant.h"

#include <algorithm>

ScheduleStatistics ScheduleStatistics::of(const StudyList& list, const DayStarts& days) {
    ScheduleStatistics statistics;
    for (int idx = 0; idx < list.getTermSetCount(); ++idx) {
        const ItemSchedule& schedule = list.getTermSet(static_cast<std::size_t>(idx)).getSchedule();
        ++statistics.states[static_cast<std::size_t>(schedule.state)];
        if (schedule.isNew())
            continue;
        // The first day that begins after the item is due is the day after its own.
        const auto next = std::upper_bound(days.begin() + 1, days.end(), schedule.due);
        if (next == days.end())
            continue;
        ++statistics.forecast[static_cast<std::size_t>(next - days.begin() - 1)];
    }
    return statistics;
}
