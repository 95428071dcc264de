#include "scheduler.h"

#include <algorithm>
#include <cmath>

namespace {

// The 21 default weights of the memory model.
constexpr double W[21] = {0.212,  1.2931, 2.3065, 8.2956, 6.4133, 0.8334, 3.0194,
                          0.001,  1.8722, 0.1666, 0.796,  1.4835, 0.0614, 0.2629,
                          1.6483, 0.6014, 1.8729, 0.5425, 0.0912, 0.0658, 0.1542};
constexpr double MinStability = 0.001;
constexpr double MaxStability = 36500;
constexpr int LearningSteps[] = {60, 600};
constexpr int RelearningSteps[] = {600};

// Stability and difficulty are kept to 8 decimals, so a history replays to the same values
// wherever it is computed.
double rounded(double value) {
    return std::round(value * 1e8) / 1e8;
}

double clampDifficulty(double difficulty) {
    return std::clamp(difficulty, 1.0, 10.0);
}

int gradeValue(Grade grade) {
    return static_cast<int>(grade);
}

// Whole UTC calendar days between two times: a review the same UTC day as the last is 0 days late.
std::int64_t utcDay(UtcTime time) {
    return time >= 0 ? time / Scheduler::DayLength
                     : -((-time + Scheduler::DayLength - 1) / Scheduler::DayLength);
}

} // namespace

Scheduler::Scheduler(double desiredRetention)
    : _factor(rounded(std::pow(0.9, -1.0 / W[20]) - 1.0)),
      _intervalModifier(rounded((std::pow(desiredRetention, -1.0 / W[20]) - 1.0) / _factor)) {}

double Scheduler::initialDifficulty(Grade grade) const {
    return rounded(W[4] - std::exp(W[5] * (gradeValue(grade) - 1)) + 1.0);
}

Scheduler::Memory Scheduler::firstMemory(Grade grade) const {
    return {rounded(std::max(W[gradeValue(grade) - 1], MinStability)),
            rounded(clampDifficulty(initialDifficulty(grade)))};
}

double Scheduler::nextDifficulty(double difficulty, Grade grade) const {
    // A change shrinks as the difficulty nears 10, and every review pulls the difficulty a
    // little towards that of an easy first answer.
    const double change = -W[6] * (gradeValue(grade) - 3);
    const double damped = rounded(difficulty + change * (10.0 - difficulty) / 9.0);
    return clampDifficulty(W[7] * initialDifficulty(Grade::EASY) + (1.0 - W[7]) * damped);
}

double Scheduler::retrievability(int elapsedDays, double stability) const {
    return rounded(std::pow(1.0 + _factor * elapsedDays / stability, -W[20]));
}

double Scheduler::stabilityAfterRecall(const ItemSchedule& item, double recall, Grade grade) const {
    const double hardPenalty = grade == Grade::HARD ? W[15] : 1.0;
    const double easyBonus = grade == Grade::EASY ? W[16] : 1.0;
    const double s = item.stability;
    return s * (1.0 + std::exp(W[8]) * (11.0 - item.difficulty) * std::pow(s, -W[9]) *
                          (std::exp(W[10] * (1.0 - recall)) - 1.0) * hardPenalty * easyBonus);
}

double Scheduler::stabilityAfterForgetting(const ItemSchedule& item, double recall) const {
    const double s = item.stability;
    const double forgotten = W[11] * std::pow(item.difficulty, -W[12]) * (std::pow(s + 1.0, W[13]) - 1.0) *
                             std::exp(W[14] * (1.0 - recall));
    // Forgetting never leaves more stability than a same-day lapse would.
    return std::min(forgotten, s / std::exp(W[17] * W[18]));
}

double Scheduler::stabilityOnTheSameDay(double stability, Grade grade) const {
    double growth = std::exp(W[17] * (gradeValue(grade) - 3 + W[18])) * std::pow(stability, -W[19]);
    if (grade != Grade::AGAIN)
        growth = std::max(growth, 1.0);
    return stability * growth;
}

Scheduler::Memory Scheduler::nextMemory(const ItemSchedule& item, UtcTime now, Grade grade) const {
    const auto elapsed = utcDay(now) - utcDay(item.lastReview);
    double stability;
    if (elapsed <= 0)
        stability = stabilityOnTheSameDay(item.stability, grade);
    else {
        const double recall = retrievability(
            static_cast<int>(std::min<std::int64_t>(elapsed, 100 * MaxIntervalDays)), item.stability);
        stability = grade == Grade::AGAIN ? stabilityAfterForgetting(item, recall)
                                          : stabilityAfterRecall(item, recall, grade);
    }
    return {rounded(std::clamp(stability, MinStability, MaxStability)),
            rounded(nextDifficulty(item.difficulty, grade))};
}

int Scheduler::intervalDays(double stability) const {
    const double days = stability * _intervalModifier;
    return static_cast<int>(std::clamp(std::floor(days + 0.5), 1.0, static_cast<double>(MaxIntervalDays)));
}

std::array<int, 3> Scheduler::passingIntervals(const ItemSchedule& item, UtcTime now) const {
    int hard = intervalDays(nextMemory(item, now, Grade::HARD).stability);
    int good = intervalDays(nextMemory(item, now, Grade::GOOD).stability);
    int easy = intervalDays(nextMemory(item, now, Grade::EASY).stability);
    hard = std::min(hard, good);
    good = std::max(good, hard + 1);
    easy = std::max(easy, good + 1);
    return {hard, good, easy};
}

ItemSchedule Scheduler::afterStep(ItemSchedule next, UtcTime now, Grade grade, int stepCount,
                                  const int* steps) const {
    const int step = std::min<int>(next.step, stepCount - 1);
    switch (grade) {
    case Grade::AGAIN:
        next.step = 0;
        next.due = now + steps[0];
        return next;
    case Grade::HARD: {
        // Between the first two steps, rounded to the minute; half again a single step.
        const int delay = stepCount > 1 ? (steps[0] + steps[1] + 60) / 120 * 60 : steps[0] * 3 / 2;
        next.step = static_cast<std::uint8_t>(step);
        next.due = now + delay;
        return next;
    }
    case Grade::GOOD:
        if (step + 1 < stepCount) {
            next.step = static_cast<std::uint8_t>(step + 1);
            next.due = now + steps[step + 1];
            return next;
        }
        break;
    case Grade::EASY:
        break;
    }
    next.state = ItemSchedule::REVIEW;
    next.step = 0;
    next.due = now + static_cast<UtcTime>(intervalDays(next.stability)) * DayLength;
    return next;
}

ItemSchedule Scheduler::review(const ItemSchedule& item, UtcTime now, Grade grade) const {
    ItemSchedule next = item;
    const Memory memory = item.isNew() ? firstMemory(grade) : nextMemory(item, now, grade);
    next.stability = memory.stability;
    next.difficulty = memory.difficulty;
    next.lastReview = now;
    ++next.reviews;
    switch (item.state) {
    case ItemSchedule::NEW:
        next.state = ItemSchedule::LEARNING;
        next.step = 0;
        return afterStep(next, now, grade, 2, LearningSteps);
    case ItemSchedule::LEARNING:
        return afterStep(next, now, grade, 2, LearningSteps);
    case ItemSchedule::RELEARNING:
        return afterStep(next, now, grade, 1, RelearningSteps);
    case ItemSchedule::REVIEW:
        break;
    }
    if (grade == Grade::AGAIN) {
        ++next.lapses;
        next.state = ItemSchedule::RELEARNING;
        next.step = 0;
        next.due = now + RelearningSteps[0];
        return next;
    }
    next.due = now + static_cast<UtcTime>(passingIntervals(item, now)[gradeValue(grade) - 2]) * DayLength;
    return next;
}
