#pragma once

#include "itemschedule.h"

#include <array>

// The review scheduler: a memory model of stability, difficulty and retrievability (FSRS-6 with
// its published default weights) that gives each review's result and the item's next due time.
// Fresh items go through learning steps of 1 and 10 minutes, forgotten ones through one
// relearning step of 10 minutes; reviews come back when recall is expected to fall to the desired
// retention, at most 36,500 days later.
class Scheduler {
public:
    static constexpr int MaxIntervalDays = 36500;
    static constexpr int DayLength = 86400;

    explicit Scheduler(double desiredRetention = 0.9);

    // The item after a review at now with the grade.
    ItemSchedule review(const ItemSchedule& item, UtcTime now, Grade grade) const;

private:
    struct Memory {
        double stability;
        double difficulty;
    };

    Memory firstMemory(Grade grade) const;
    Memory nextMemory(const ItemSchedule& item, UtcTime now, Grade grade) const;
    double initialDifficulty(Grade grade) const;
    double nextDifficulty(double difficulty, Grade grade) const;
    double retrievability(int elapsedDays, double stability) const;
    double stabilityAfterRecall(const ItemSchedule& item, double recall, Grade grade) const;
    double stabilityAfterForgetting(const ItemSchedule& item, double recall) const;
    double stabilityOnTheSameDay(double stability, Grade grade) const;
    int intervalDays(double stability) const;
    // The day intervals of the three passing grades, never shorter for a better grade.
    std::array<int, 3> passingIntervals(const ItemSchedule& item, UtcTime now) const;
    ItemSchedule afterStep(ItemSchedule next, UtcTime now, Grade grade, int stepCount,
                           const int* steps) const;

    double _factor;
    // Days of interval per day of stability at the desired retention.
    double _intervalModifier;
};
