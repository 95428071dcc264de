#pragma once

#include <array>

class StudyList;

// How a study list is going: how many items were never asked, how many fall in each band of their ratio of
// right answers, and the totals of all scores.
struct ScoreStatistics {
    // Ratios 0-24 %, 25-49 %, 50-74 %, 75-99 % and 100 %.
    static constexpr int BandCount = 5;
    static constexpr std::array<int, BandCount> BandLowest = {0, 25, 50, 75, 100};

    int items = 0;
    int neverAsked = 0;
    std::array<int, BandCount> bands{};
    // Sums of up to a million items' scores, each up to the largest 32-bit integer.
    long long questionsAnswered = 0;
    long long answeredRight = 0;

    static ScoreStatistics of(const StudyList& list);
    // The band of a whole-number ratio from 0 to 100.
    static int bandOf(int ratio);
    // Of all answers, the percentage answered right, rounded down; 0 when none was answered.
    int getPercentage() const;
};
