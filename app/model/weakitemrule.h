#pragma once

#include <vector>

class StudyList;
class TermSet;

// Which items the user still gets wrong: those answered right less than a share of the times they were
// asked, and, when wanted, those never asked.
struct WeakItemRule {
    static constexpr int DefaultThreshold = 80;
    static constexpr int ThresholdMin = 0;
    static constexpr int ThresholdMax = 100;

    int threshold = DefaultThreshold; // in percent
    bool includeNeverAsked = true;

    // Compares the exact share, not the rounded ratio that the list shows.
    bool isWeak(const TermSet& item) const;
    // The positions of the weak items, ascending.
    std::vector<int> findIn(const StudyList& list) const;

    bool operator==(const WeakItemRule&) const = default;
};
