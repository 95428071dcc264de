#include "reviewchoice.h"

#include "app/model/lorvant.h"

#include <algorithm>
#include <ctime>

namespace {

struct DueItem {
    UtcTime due;
    int idx;
};

void appendByDueTime(std::vector<DueItem>& due, std::size_t limit, std::vector<int>& items) {
    // The index breaks ties, so equal due times keep list order.
    std::sort(due.begin(), due.end(), [](const DueItem& a, const DueItem& b) {
        return a.due != b.due ? a.due < b.due : a.idx < b.idx;
    });
    for (std::size_t i = 0; i < due.size() && i < limit; ++i)
        items.push_back(due[i].idx);
}

} // namespace

ReviewChoice ReviewChoice::of(const StudyList& list, UtcTime now, UtcTime dayStart,
                              const std::vector<int>& scope) {
    const ReviewSettings& settings = list.getReviewSettings();
    const ReviewLog& log = list.getReviewLog();
    const std::size_t newLeft = static_cast<std::size_t>(
        std::max(0, settings.newPerDay - log.countSince(dayStart, ItemSchedule::NEW)));
    const std::size_t dueLeft =
        settings.maxReviewsPerDay == 0
            ? SIZE_MAX
            : static_cast<std::size_t>(
                  std::max(0, settings.maxReviewsPerDay - log.countSince(dayStart, ItemSchedule::REVIEW)));

    std::vector<DueItem> learning, due;
    std::vector<int> fresh;
    const auto consider = [&](int idx) {
        const ItemSchedule& schedule = list.getTermSet(static_cast<std::size_t>(idx)).getSchedule();
        switch (schedule.state) {
        case ItemSchedule::NEW:
            if (fresh.size() < newLeft)
                fresh.push_back(idx);
            break;
        case ItemSchedule::LEARNING:
        case ItemSchedule::RELEARNING:
            if (schedule.due <= now)
                learning.push_back({schedule.due, idx});
            break;
        case ItemSchedule::REVIEW:
            if (schedule.due <= now)
                due.push_back({schedule.due, idx});
            break;
        }
    };
    if (scope.empty())
        for (int idx = 0; idx < list.getTermSetCount(); ++idx)
            consider(idx);
    else
        for (const int idx : scope)
            consider(idx);

    ReviewChoice choice;
    appendByDueTime(learning, SIZE_MAX, choice.items);
    choice.learningCount = static_cast<int>(choice.items.size());
    appendByDueTime(due, dueLeft, choice.items);
    choice.dueCount = static_cast<int>(choice.items.size()) - choice.learningCount;
    choice.items.insert(choice.items.end(), fresh.begin(), fresh.end());
    choice.newCount = static_cast<int>(fresh.size());
    return choice;
}

UtcTime localDayStart(UtcTime time) {
    const std::time_t t = static_cast<std::time_t>(time);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &t);
#else
    localtime_r(&t, &local);
#endif
    local.tm_hour = 0;
    local.tm_min = 0;
    local.tm_sec = 0;
    local.tm_isdst = -1;
    return static_cast<UtcTime>(std::mktime(&local));
}

UtcTime nextLocalDayStart(UtcTime dayStart) {
    // A day and a half later is inside the next day however long this one is.
    return localDayStart(dayStart + 36 * 3600);
}
