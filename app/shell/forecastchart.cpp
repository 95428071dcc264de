#include "forecastchart.h"

#include "chartdrawing.h"

#include "WinLib/drawtext.h"
#include "WinLib/selectedobject.h"

#include <algorithm>
#include <cassert>
#include <utility>

namespace {

// A one-line text right-aligned against right, its middle at y.
void drawScaleText(HDC dc, const std::string& text, int left, int right, int y, int line) {
    RECT place{left, y - line / 2, right, y - line / 2 + line};
    Win::drawText(dc, text, place, DT_RIGHT | DT_SINGLELINE | DT_NOPREFIX);
}

} // namespace

ForecastChart::ForecastChart(const ScheduleStatistics& statistics, std::vector<std::string> dayNames)
    : _names(std::move(dayNames)), _counts(statistics.forecast.begin(), statistics.forecast.end()) {
    assert(_names.size() == _counts.size());
}

void ForecastChart::draw(HDC dc, const RECT& place, HFONT font) const {
    const Win::SelectedObject selectedFont(dc, font);
    const auto [line, gap] = ChartDrawing::prepare(dc, place);
    const int highest = *std::max_element(_counts.begin(), _counts.end());
    // The scale at the left, the highest count at the top of its line and 0 at the base line; the names
    // of the days below the base line.
    const std::string highestText = std::to_string(highest);
    const int scaleRight = place.left + gap + ChartDrawing::textWidth(dc, highestText);
    const int left = scaleRight + gap;
    const int right = place.right - gap;
    const int top = place.top + line / 2 + gap;
    const int baseline = place.bottom - line - 2 * gap;
    const int dayCount = static_cast<int>(_counts.size());
    if (right - left < 2 * dayCount || baseline <= top)
        return;

    const int thickness = std::max(1, gap / 3);
    ChartDrawing::fill(dc, {left, baseline, right, baseline + thickness}, COLOR_WINDOWTEXT);
    ChartDrawing::fill(dc, {left, top, left + thickness, baseline}, COLOR_WINDOWTEXT);
    drawScaleText(dc, "0", place.left, scaleRight, baseline, line);
    if (highest > 0) {
        ChartDrawing::fill(dc, {left - gap / 2, top, left, top + thickness}, COLOR_WINDOWTEXT);
        drawScaleText(dc, highestText, place.left, scaleRight, top, line);
    }

    // The bars start clear of the scale's line.
    const int barsLeft = left + thickness + 1;
    const int width = right - barsLeft;
    for (int day = 0; day < dayCount; ++day) {
        const int slotLeft = barsLeft + width * day / dayCount;
        const int slotRight = barsLeft + width * (day + 1) / dayCount;
        const int barWidth = std::max(1, (slotRight - slotLeft) * 3 / 5);
        const int barLeft = slotLeft + (slotRight - slotLeft - barWidth) / 2;
        const int count = _counts[static_cast<std::size_t>(day)];
        ChartDrawing::fill(dc,
                           {barLeft, baseline - ChartDrawing::barHeight(count, highest, baseline - top),
                            barLeft + barWidth, baseline},
                           COLOR_HIGHLIGHT);
        if (day % NamedDayStep != 0)
            continue;
        // The name centred under its bar, but kept clear of the scale and inside the chart.
        const std::string& name = _names[static_cast<std::size_t>(day)];
        const int nameWidth = ChartDrawing::textWidth(dc, name);
        const int nameLeft =
            std::clamp(barLeft + barWidth / 2 - nameWidth / 2, left, std::max(left, right - nameWidth));
        ChartDrawing::drawCentred(dc, name, {nameLeft, baseline + gap, nameLeft + nameWidth, place.bottom},
                                  DT_TOP);
    }
}

std::string ForecastChart::describe() const {
    return ChartDrawing::describe(_names, _counts);
}
