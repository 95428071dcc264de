#pragma once

#include "app/model/scorestatistics.h"

#include <windows.h>

#include <string>
#include <vector>

// The statistics' bar chart: a bar for the items never asked and one for each band of the ratio of right
// answers, each with its count above and its name below. It fills whatever rectangle it is given.
class ScoreChart {
public:
    // barNames: never asked first, then the bands from the lowest.
    ScoreChart(const ScoreStatistics& statistics, std::vector<std::string> barNames);

    void draw(HDC dc, const RECT& place, HFONT font) const;
    // What the chart shows, in words: each bar's name and count.
    std::string describe() const;

private:
    std::vector<std::string> _names;
    std::vector<int> _counts;
};
