#include "scorechart.h"

#include "WinLib/drawtext.h"
#include "WinLib/selectedobject.h"

#include <algorithm>
#include <cassert>
#include <utility>

namespace {

void drawCentred(HDC dc, const std::string& text, RECT place, UINT verticalFlag) {
    Win::drawText(dc, text, place, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS | verticalFlag);
}

} // namespace

ScoreChart::ScoreChart(const ScoreStatistics& statistics, std::vector<std::string> barNames)
    : _names(std::move(barNames)) {
    _counts.push_back(statistics.neverAsked);
    _counts.insert(_counts.end(), statistics.bands.begin(), statistics.bands.end());
    assert(_names.size() == _counts.size());
}

void ScoreChart::draw(HDC dc, const RECT& place, HFONT font) const {
    ::FillRect(dc, &place, ::GetSysColorBrush(COLOR_WINDOW));
    const Win::SelectedObject selectedFont(dc, font);
    TEXTMETRICA metrics{};
    ::GetTextMetricsA(dc, &metrics);
    const int line = metrics.tmHeight;
    const int gap = std::max(1, line / 4);
    const int barCount = static_cast<int>(_counts.size());
    const int width = place.right - place.left;
    // Counts above the tallest bar, names below the base line.
    const int top = place.top + line + 2 * gap;
    const int baseline = place.bottom - line - 2 * gap;
    if (width < 2 * barCount || baseline <= top)
        return;

    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
    const RECT axis{place.left + gap, baseline, place.right - gap, baseline + std::max(1, gap / 3)};
    ::FillRect(dc, &axis, ::GetSysColorBrush(COLOR_WINDOWTEXT));

    const long long highest = std::max(1, *std::max_element(_counts.begin(), _counts.end()));
    for (int i = 0; i < barCount; ++i) {
        const int slotLeft = place.left + width * i / barCount;
        const int slotRight = place.left + width * (i + 1) / barCount;
        const int barWidth = std::max(1, (slotRight - slotLeft) * 3 / 5);
        const int barLeft = slotLeft + (slotRight - slotLeft - barWidth) / 2;
        const int count = _counts[static_cast<std::size_t>(i)];
        // In 64 bits: a tall chart times a million items overflows 32.
        int barHeight = static_cast<int>(static_cast<long long>(baseline - top) * count / highest);
        if (count > 0)
            barHeight = std::max(barHeight, 1);
        const RECT bar{barLeft, baseline - barHeight, barLeft + barWidth, baseline};
        // Items never asked have no ratio: their bar stands apart in grey.
        ::FillRect(dc, &bar, ::GetSysColorBrush(i == 0 ? COLOR_GRAYTEXT : COLOR_HIGHLIGHT));
        drawCentred(dc, std::to_string(count), {slotLeft, bar.top - gap - line, slotRight, bar.top - gap},
                    DT_BOTTOM);
        drawCentred(dc, _names[static_cast<std::size_t>(i)],
                    {slotLeft, baseline + gap, slotRight, place.bottom}, DT_TOP);
    }
}

std::string ScoreChart::describe() const {
    std::string text;
    for (std::size_t i = 0; i < _counts.size(); ++i) {
        if (i > 0)
            text += ", ";
        text += _names[i] + ": " + std::to_string(_counts[i]);
    }
    return text;
}
