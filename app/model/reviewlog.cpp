#include "reviewlog.h"

#include <algorithm>

void ReviewLog::removeItems(const std::vector<int>& removedNumbers) {
    if (removedNumbers.empty())
        return;
    std::size_t kept = 0;
    for (ReviewRecord& record : _records) {
        const auto below = std::lower_bound(removedNumbers.begin(), removedNumbers.end(), record.item);
        if (below != removedNumbers.end() && *below == record.item)
            continue;
        record.item -= static_cast<std::int32_t>(below - removedNumbers.begin());
        _records[kept++] = record;
    }
    _records.resize(kept);
}

int ReviewLog::countSince(UtcTime dayStart, ItemSchedule::State stateBefore) const {
    return static_cast<int>(std::count_if(_records.begin(), _records.end(), [&](const ReviewRecord& record) {
        return record.time >= dayStart && record.stateBefore == stateBefore;
    }));
}
