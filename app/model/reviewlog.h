#pragma once

#include "itemschedule.h"

#include <cstdint>
#include <vector>

// One review on the schedule, kept so that the memory model's weights can later be fitted to
// the user's own answers.
struct ReviewRecord {
    // The item's number, which stays with the item when the list is sorted.
    std::int32_t item = 0;
    ItemSchedule::State stateBefore = ItemSchedule::NEW;
    Grade grade = Grade::GOOD;
    UtcTime time = 0;
    // Seconds since the item's previous review; 0 for its first.
    std::int64_t sinceLast = 0;

    bool operator==(const ReviewRecord&) const = default;
};

// Every review in the order it was given.
class ReviewLog {
public:
    void add(const ReviewRecord& record) { _records.push_back(record); }
    const std::vector<ReviewRecord>& getRecords() const { return _records; }
    std::size_t getCount() const { return _records.size(); }
    bool isEmpty() const { return _records.empty(); }
    void clear() { _records.clear(); }

    // Drops the rows of the removed item numbers (ascending) and renumbers the others as the
    // list renumbers its items: down by the count of removed numbers below them.
    void removeItems(const std::vector<int>& removedNumbers);

    // How many reviews since dayStart met an item in the state: new items started, due items
    // reviewed.
    int countSince(UtcTime dayStart, ItemSchedule::State stateBefore) const;

    bool operator==(const ReviewLog&) const = default;

private:
    std::vector<ReviewRecord> _records;
};
