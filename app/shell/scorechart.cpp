#include "scorechart.h"

#include "chartdrawing.h"

#include "WinLib/drawtext.h"
#include "WinLib/selectedobject.h"

#include <algorithm>
#include <cassert>
#include <utility>

namespace {

// A name in one or two lines, centred, its last line at the bottom of the place.
void drawName(HDC dc, const std::string& name, RECT place) {
    constexpr UINT Format = DT_CENTER | DT_WORDBREAK | DT_NOPREFIX | DT_END_ELLIPSIS;
    RECT measured = place;
    Win::drawText(dc, name, measured, Format | DT_CALCRECT);
    place.top = std::max(place.top, place.bottom - (measured.bottom - measured.top));
    Win::drawText(dc, name, place, Format);
}

} // namespace

ScoreChart::ScoreChart(const ScoreStatistics& statistics, std::vector<std::string> barNames)
    : _names(std::move(barNames)) {
    _counts.push_back(statistics.neverAsked);
    _counts.insert(_counts.end(), statistics.bands.begin(), statistics.bands.end());
    assert(_names.size() == _counts.size());
}

void ScoreChart::draw(HDC dc, const RECT& place, HFONT font) const {
    const Win::SelectedObject selectedFont(dc, font);
    const auto [line, gap] = ChartDrawing::prepare(dc, place);
    const int barCount = static_cast<int>(_counts.size());
    const int width = place.right - place.left;
    // A name wider than its bar's room takes two lines, at the cost of the bars' height.
    const bool twoLineNames = std::any_of(_names.begin(), _names.end(), [&](const std::string& name) {
        return ChartDrawing::textWidth(dc, name) > width / std::max(1, barCount);
    });
    // Counts above the tallest bar, names below the base line.
    const int top = place.top + line + 2 * gap;
    const int baseline = place.bottom - (twoLineNames ? 2 : 1) * line - 2 * gap;
    if (width < 2 * barCount || baseline <= top)
        return;

    ChartDrawing::fill(dc, {place.left + gap, baseline, place.right - gap, baseline + std::max(1, gap / 3)},
                       COLOR_WINDOWTEXT);
    const int highest = *std::max_element(_counts.begin(), _counts.end());
    for (int i = 0; i < barCount; ++i) {
        const int slotLeft = place.left + width * i / barCount;
        const int slotRight = place.left + width * (i + 1) / barCount;
        const int barWidth = std::max(1, (slotRight - slotLeft) * 3 / 5);
        const int barLeft = slotLeft + (slotRight - slotLeft - barWidth) / 2;
        const int count = _counts[static_cast<std::size_t>(i)];
        const RECT bar{barLeft, baseline - ChartDrawing::barHeight(count, highest, baseline - top),
                       barLeft + barWidth, baseline};
        // Items never asked have no ratio: their bar stands apart in grey.
        ChartDrawing::fill(dc, bar, i == 0 ? COLOR_GRAYTEXT : COLOR_HIGHLIGHT);
        ChartDrawing::drawCentred(dc, std::to_string(count),
                                  {slotLeft, bar.top - gap - line, slotRight, bar.top - gap}, DT_BOTTOM);
        drawName(dc, _names[static_cast<std::size_t>(i)],
                 {slotLeft, baseline + gap, slotRight, place.bottom - gap});
    }
}

std::string ScoreChart::describe() const {
    return ChartDrawing::describe(_names, _counts);
}
