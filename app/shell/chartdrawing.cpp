#include "chartdrawing.h"

#include "WinLib/drawtext.h"

#include <algorithm>

namespace ChartDrawing {

Sizes prepare(HDC dc, const RECT& place) {
    fill(dc, place, COLOR_WINDOW);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
    TEXTMETRICA metrics{};
    ::GetTextMetricsA(dc, &metrics);
    const int line = static_cast<int>(metrics.tmHeight);
    return {line, std::max(1, line / 4)};
}

int textWidth(HDC dc, const std::string& text) {
    RECT measured{};
    Win::drawText(dc, text, measured, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    return measured.right - measured.left;
}

void drawCentred(HDC dc, const std::string& text, RECT place, UINT verticalFlag) {
    Win::drawText(dc, text, place, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS | verticalFlag);
}

int barHeight(int count, int highest, int room) {
    if (count <= 0 || highest <= 0)
        return 0;
    // In 64 bits: a tall chart times a million items overflows 32.
    return std::max(1, static_cast<int>(static_cast<long long>(room) * count / highest));
}

void fill(HDC dc, const RECT& place, int systemColour) {
    ::FillRect(dc, &place, ::GetSysColorBrush(systemColour));
}

std::string describe(const std::vector<std::string>& names, const std::vector<int>& counts) {
    std::string text;
    for (std::size_t i = 0; i < counts.size(); ++i) {
        if (i > 0)
            text += ", ";
        text += names[i] + ": " + std::to_string(counts[i]);
    }
    return text;
}

} // namespace ChartDrawing
