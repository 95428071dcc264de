#include "reviewsession.h"

#include "app/model/lorvant.h"
#include "app/model/scheduler.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

ReviewSession::ReviewSession(StudyList& list, std::vector<int> items)
    : StudySession(list, std::move(items)) {}

bool ReviewSession::bringBack(UtcTime by) {
    const auto first = std::min_element(_waiting.begin(), _waiting.end(),
                                        [](const Waiting& a, const Waiting& b) { return a.due < b.due; });
    if (first == _waiting.end() || first->due > by)
        return false;
    askNext(first->idx);
    _waiting.erase(first);
    return true;
}

bool ReviewSession::next(UtcTime now) {
    // Steps that have passed come before the rest; with nothing else left, steps ending soon
    // are taken early rather than leaving the user to wait.
    if (!bringBack(now) && itemsAfterCurrent() == 0)
        bringBack(now + LearnAhead);
    return StudySession::next();
}

bool ReviewSession::answer(std::string_view given) {
    _lastRight = StudySession::answer(given);
    return _lastRight;
}

std::array<UtcTime, 4> ReviewSession::dueTimes(UtcTime now) const {
    const Scheduler scheduler(getStudyList().getReviewSettings().desiredRetention / 100.0);
    const ItemSchedule& item = getCurrentItem().getSchedule();
    std::array<UtcTime, 4> due{};
    for (int g = 1; g <= 4; ++g)
        due[static_cast<std::size_t>(g - 1)] = scheduler.review(item, now, static_cast<Grade>(g)).due;
    return due;
}

void ReviewSession::grade(Grade grade, UtcTime now) {
    const int idx = getCurrentItemIdx();
    getStudyList().reviewItem(static_cast<std::size_t>(idx), now, grade);
    ++_reviewed;
    const ItemSchedule& item = getCurrentItem().getSchedule();
    if (item.state == ItemSchedule::LEARNING || item.state == ItemSchedule::RELEARNING)
        _waiting.push_back({item.due, idx});
}

std::optional<UtcTime> ReviewSession::nextDue() const {
    std::optional<UtcTime> earliest;
    const StudyList& list = getStudyList();
    for (int idx = 0; idx < list.getTermSetCount(); ++idx) {
        const ItemSchedule& item = list.getTermSet(static_cast<std::size_t>(idx)).getSchedule();
        if (!item.isNew() && (!earliest || item.due < *earliest))
            earliest = item.due;
    }
    return earliest;
}

std::string intervalText(UtcTime from, UtcTime due) {
    const double seconds = static_cast<double>(std::max<UtcTime>(due - from, 60));
    const double minutes = seconds / 60, hours = minutes / 60, days = hours / 24;
    char text[32];
    if (minutes < 59.5)
        std::snprintf(text, sizeof text, "%.0f min", minutes);
    else if (hours < 23.5)
        std::snprintf(text, sizeof text, "%.0f h", hours);
    else if (days < 29.5)
        std::snprintf(text, sizeof text, "%.0f d", days);
    else if (days < 365)
        std::snprintf(text, sizeof text, "%.0f mo", std::max(1.0, days / 30));
    else
        // Tenths of a year, without a trailing ".0".
        std::snprintf(text, sizeof text, std::fmod(std::round(days / 36.5), 10) == 0 ? "%.0f y" : "%.1f y",
                      std::round(days / 36.5) / 10);
    return text;
}
