#pragma once

#include <cstdint>
#include <memory>

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

// An item's schedule, held apart from the item: the many items never reviewed cost one pointer, so
// a document's memory stays bounded by its file's size.
class ItemScheduleSlot {
public:
    ItemScheduleSlot() = default;
    ItemScheduleSlot(const ItemScheduleSlot& other) { *this = other; }
    ItemScheduleSlot(ItemScheduleSlot&&) noexcept = default;
    ItemScheduleSlot& operator=(const ItemScheduleSlot& other) {
        if (this != &other)
            set(other.get());
        return *this;
    }
    ItemScheduleSlot& operator=(ItemScheduleSlot&&) noexcept = default;

    const ItemSchedule& get() const {
        static const ItemSchedule fresh;
        return _schedule ? *_schedule : fresh;
    }
    // A new item keeps nothing.
    void set(const ItemSchedule& schedule) {
        if (schedule.isNew())
            _schedule.reset();
        else if (_schedule)
            *_schedule = schedule;
        else
            _schedule = std::make_unique<ItemSchedule>(schedule);
    }
    bool operator==(const ItemScheduleSlot& other) const { return get() == other.get(); }

private:
    std::unique_ptr<ItemSchedule> _schedule;
};

// Grades a review gives an item.
enum class Grade { AGAIN = 1, HARD = 2, GOOD = 3, EASY = 4 };
