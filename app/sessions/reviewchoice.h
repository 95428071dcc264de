#pragma once

#include "app/model/itemschedule.h"

#include <vector>

class StudyList;

// The items a review takes now, in the order it asks them: learning and relearning items whose
// step has passed (earliest first), then due items (most overdue first, as many as the day's
// limit leaves), then new items in list order (as many as the day's limit of new items leaves).
struct ReviewChoice {
    std::vector<int> items;
    int learningCount = 0;
    int dueCount = 0;
    int newCount = 0;

    // scope holds the indices to choose from, every item when it is empty. dayStart is when the
    // user's calendar day began: the daily limits count the reviews given since then.
    static ReviewChoice of(const StudyList& list, UtcTime now, UtcTime dayStart,
                           const std::vector<int>& scope = {});
};

// When the local calendar day that holds the time began.
UtcTime localDayStart(UtcTime time);
// When the local calendar day after the one that began at dayStart begins: 23 or 25 hours later where
// the clocks change that day.
UtcTime nextLocalDayStart(UtcTime dayStart);
