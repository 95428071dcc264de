#include "app/shell/scorechart.h"
#include "app/shell/statisticsdlg.h"
#include "resources/resource.h"
#include "tests/core/testlists.h"
#include "tests/dialogs/dialogtesting.h"
#include "tests/scripteduser/layoutcheck.h"
#include "tests/scripteduser/screenshot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
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

namespace {

constexpr UtcTime Hour = 3600;
constexpr UtcTime Midnight = 1767225600; // 2026-01-01 00:00 UTC

ScheduleStatistics::DayStarts daysFromMidnight() {
    ScheduleStatistics::DayStarts days{};
    for (std::size_t day = 0; day < days.size(); ++day)
        days[day] = Midnight + static_cast<UtcTime>(day) * 24 * Hour;
    return days;
}

// Four new items; four due today, one of them overdue since last week; two in a week, one on the last
// day of the forecast and one after it.
StudyList scheduledList() {
    StudyList list = makeStudyList({"Definition"}, Rows(12, {"term", "definition"}));
    const struct {
        ItemSchedule::State state;
        UtcTime due;
    } schedules[] = {
        {ItemSchedule::LEARNING, Midnight + 10 * Hour},    {ItemSchedule::REVIEW, Midnight - 120 * Hour},
        {ItemSchedule::RELEARNING, Midnight + 23 * Hour},  {ItemSchedule::REVIEW, Midnight + 2 * Hour},
        {ItemSchedule::REVIEW, Midnight + 169 * Hour},     {ItemSchedule::REVIEW, Midnight + 190 * Hour},
        {ItemSchedule::REVIEW, Midnight + 29 * 24 * Hour}, {ItemSchedule::REVIEW, Midnight + 45 * 24 * Hour}};
    std::size_t idx = 4;
    for (const auto& [state, due] : schedules)
        list.getTermSet(idx++).setSchedule(scheduled(state, due));
    return list;
}

struct Bar {
    int middle; // the bar's middle column
    int height;
};

// The bars a chart shows on screen: each run of columns holding the bars' colour, with its height.
std::vector<Bar> barsOnScreen(HWND chart) {
    RECT place{};
    GetClientRect(chart, &place);
    MapWindowPoints(chart, nullptr, reinterpret_cast<POINT*>(&place), 2);
    const std::vector<std::uint8_t> rgb = screenPixels(place);
    const int width = place.right - place.left, height = place.bottom - place.top;
    if (rgb.size() != static_cast<std::size_t>(width * height * 3))
        return {};
    const COLORREF colour = GetSysColor(COLOR_HIGHLIGHT);
    std::vector<int> columns(static_cast<std::size_t>(width) + 1);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* pixel = &rgb[static_cast<std::size_t>((y * width + x) * 3)];
            columns[static_cast<std::size_t>(x)] += RGB(pixel[0], pixel[1], pixel[2]) == colour;
        }
    std::vector<Bar> bars;
    int start = -1, tallest = 0;
    for (int x = 0; x <= width; ++x) {
        const int column = columns[static_cast<std::size_t>(x)];
        if (column > 0 && start < 0)
            start = x;
        tallest = std::max(tallest, column);
        if (column == 0 && start >= 0) {
            bars.push_back({(start + x - 1) / 2, tallest});
            start = -1;
            tallest = 0;
        }
    }
    return bars;
}

// The forecast's bars: today's highest, a week ahead's half as high and the last day's a quarter, each
// in its day's place across the chart.
void expectForecastBars(HWND chart) {
    const std::vector<Bar> bars = barsOnScreen(chart);
    ASSERT_EQ(bars.size(), 3u);
    EXPECT_NEAR(bars[1].height * 2, bars[0].height, 2);
    EXPECT_NEAR(bars[2].height * 4, bars[0].height, 4);
    EXPECT_NEAR(static_cast<double>(bars[1].middle - bars[0].middle) / (bars[2].middle - bars[0].middle),
                7.0 / 29, 0.02);
}

RECT placeOf(HWND dialog, int id) {
    RECT place{};
    GetWindowRect(GetDlgItem(dialog, id), &place);
    return place;
}

} // namespace

// Beside the score chart: the count of items in each state of the schedule and the forecast of the next
// 30 days, which keep their places and proportions as the dialog grows.
TEST(StatisticsDialog, ShowsTheScheduleBesideTheScores) {
    const StudyList list = scheduledList();
    StatisticsDlg statistics(ScoreStatistics::of(list), ScheduleStatistics::of(list, daysFromMidnight()));
    runDialog(IDD_STATISTICS, statistics, [&](ScriptedUser& user) {
        HWND dialog = user.waitForWindow("Statistics");
        EXPECT_EQ((std::vector<std::string>{user.text(dialog, IDC_STATE_COUNT_FIRST),
                                            user.text(dialog, IDC_STATE_COUNT_FIRST + 1),
                                            user.text(dialog, IDC_STATE_COUNT_FIRST + 2),
                                            user.text(dialog, IDC_STATE_COUNT_FIRST + 3)}),
                  (std::vector<std::string>{"4", "1", "6", "1"}));
        EXPECT_EQ(user.text(dialog, IDC_ITEMS_TOTAL), "12");
        std::string forecast = "Today: 4";
        for (int day = 1; day < ScheduleStatistics::ForecastDays; ++day)
            forecast += ", +" + std::to_string(day) + " d: " + (day == 7 ? "2" : day == 29 ? "1" : "0");
        EXPECT_EQ(user.text(dialog, IDC_FORECAST_CHART), forecast);
        user.screenshot(dialog, "statistics-" + std::to_string(LayoutCheck::screenDpi()) + "dpi");
        HWND chart = GetDlgItem(dialog, IDC_FORECAST_CHART);
        expectForecastBars(chart);

        const RECT scoresBefore = placeOf(dialog, IDC_SCORE_CHART),
                   forecastBefore = placeOf(dialog, IDC_FORECAST_CHART);
        // Larger, and wholly on the screen however high its resolution.
        RECT frame{};
        GetWindowRect(dialog, &frame);
        SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left + 60, frame.bottom - frame.top + 40,
                     SWP_NOZORDER);
        user.runOnProgramThread(
            [&] { RedrawWindow(dialog, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); });
        const RECT scores = placeOf(dialog, IDC_SCORE_CHART),
                   forecastPlace = placeOf(dialog, IDC_FORECAST_CHART);
        EXPECT_EQ(scores.right - scores.left, scoresBefore.right - scoresBefore.left + 30);
        EXPECT_EQ(forecastPlace.left - scores.right, forecastBefore.left - scoresBefore.right);
        EXPECT_EQ(forecastPlace.right - forecastPlace.left, forecastBefore.right - forecastBefore.left + 30);
        EXPECT_EQ(forecastPlace.bottom - forecastPlace.top, forecastBefore.bottom - forecastBefore.top + 40);
        EXPECT_LT(placeOf(dialog, IDC_FORECAST_CAPTION).bottom, forecastPlace.top);
        EXPECT_GT(placeOf(dialog, IDC_STATE_COUNT_FIRST).top, forecastPlace.bottom);
        EXPECT_LT(placeOf(dialog, IDC_STATE_COUNT_FIRST + 3).right, placeOf(dialog, IDOK).left);
        user.screenshot(dialog, "statistics-larger-" + std::to_string(LayoutCheck::screenDpi()) + "dpi");
        expectForecastBars(chart);
        user.pressKey(VK_ESCAPE);
    });
}
