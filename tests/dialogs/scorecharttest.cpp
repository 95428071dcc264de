#include "app/shell/scorechart.h"

#include <gtest/gtest.h>

#include <vector>

// The bars stand in proportion to their counts however tall the chart and however many the items.
TEST(ScoreChart, ATallChartOfAMillionItemsKeepsItsBarsInProportion) {
    ScoreStatistics statistics;
    statistics.bands = {999999, 0, 0, 0, 500000};
    const ScoreChart chart(statistics, {"never", "0", "25", "50", "75", "100"});
    constexpr int Width = 240, Height = 4000; // the dialog's chart on a tall screen
    const HDC screen = GetDC(nullptr);
    const HDC dc = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, Width, Height);
    ReleaseDC(nullptr, screen);
    const HGDIOBJ previous = SelectObject(dc, bitmap);
    chart.draw(dc, {0, 0, Width, Height}, static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));

    // Each bar's colour at a quarter, a half and three quarters of the height, at the middle of its slot.
    const COLORREF bar = GetNearestColor(dc, GetSysColor(COLOR_HIGHLIGHT));
    const auto isBar = [&](int slot, int y) { return GetPixel(dc, Width * (2 * slot + 1) / 12, y) == bar; };
    EXPECT_EQ((std::vector<bool>{isBar(1, Height / 4), isBar(1, Height / 2), isBar(1, Height * 3 / 4)}),
              (std::vector<bool>{true, true, true}));
    EXPECT_EQ((std::vector<bool>{isBar(5, Height / 4), isBar(5, Height / 2 + 20), isBar(5, Height * 3 / 4)}),
              (std::vector<bool>{false, true, true}));
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
}
