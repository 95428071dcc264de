#pragma once

#include <cstdint>

// Seconds since 1970-01-01 00:00 UTC.
using UtcTime = std::int64_t;

// Where one item stands on the review schedule. A new item has never been reviewed on it.
struct ItemSchedule {
    enum State : std::uint8_t { NEW = 0, LEARNING = 1, REVIEW = 2, RELEARNING = 3 };

    State state = NEW;
    // The index of the learning or relearning step the item is on.
    std::uint8_t step = 0;
    // Days until recall falls to 90 %, and how hard the item is (1 to 10).
    double stability = 0;
    double difficulty = 0;
    UtcTime due = 0;
    UtcTime lastReview = 0;
    std::int32_t reviews = 0;
    std::int32_t lapses = 0;

    bool isNew() const { return state == NEW; }
    bool operator==(const ItemSchedule&) const = default;
};

// Grades a review gives an item.
enum class Grade { AGAIN = 1, HARD = 2, GOOD = 3, EASY = 4 };
