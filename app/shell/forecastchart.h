#pragma once

#include "app/model/schedulestatistics.h"

#include <windows.h>

#include <string>
#include <vector>

// The statistics' forecast: a bar for the items due on each of the next days, today first, over a scale
// from 0 to the highest count. The bars are too narrow for a text each: every seventh day, today first,
// has its name under its bar. It fills whatever rectangle it is given.
class ForecastChart {
public:
    static constexpr int NamedDayStep = 7;

    // dayNames: one per day of the forecast, today first.
    ForecastChart(const ScheduleStatistics& statistics, std::vector<std::string> dayNames);

    void draw(HDC dc, const RECT& place, HFONT font) const;
    // What the chart shows, in words: each day's name and count.
    std::string describe() const;

private:
    std::vector<std::string> _names;
    std::vector<int> _counts;
};
