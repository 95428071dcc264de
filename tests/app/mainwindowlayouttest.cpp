// The main window at the screen's resolution (the tests run at 96, 144 and 192 dots per inch) with the
// largest study list a document can hold: every column shows its heading and its widest possible cell, the
// toolbar, the list and the status bar lie one above the other, all of it at once is selected and sorted,
// and a move to a screen of twice the resolution lets it all grow.
#include "WinLib/localtimetext.h"
#include "tests/app/lorvantprocess.h"
#include "tests/app/testdocuments.h"
#include "tests/scripteduser/layoutcheck.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <climits>
#include <ctime>

namespace {

using Findings = std::vector<std::string>;

// The toolbar on top, the status bar at the bottom and the list filling the client area between them.
void expectStacked(HWND window) {
    RECT client{}, bar{}, list{}, status{};
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    GetWindowRect(GetDlgItem(window, 3), &bar);
    GetWindowRect(GetDlgItem(window, 2), &list);
    GetWindowRect(GetDlgItem(window, 1), &status);
    EXPECT_EQ(
        (std::vector<LONG>{bar.top, list.top, list.bottom, status.bottom, list.left, list.right}),
        (std::vector<LONG>{client.top, bar.bottom, status.top, client.bottom, client.left, client.right}));
}

// The first run's window shows the whole toolbar, on the screen, at every resolution.
TEST(MainWindowLayout, TheFirstWindowShowsItsWholeToolbar) {
    RegDeleteKeyA(HKEY_CURRENT_USER, WindowPlacementKey);
    LorvantProcess lorvant;
    RECT client{}, place{}, screen{};
    GetClientRect(lorvant.mainWindow(), &client);
    MapWindowPoints(lorvant.mainWindow(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    GetWindowRect(lorvant.mainWindow(), &place);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &screen, 0);
    lorvant.finishDrawing();
    lorvant.screenshot("first-window-" + std::to_string(LayoutCheck::screenDpi()) + "dpi");
    EXPECT_LE(lorvant.toolbar().back().place.right, client.right);
    EXPECT_TRUE(place.left >= screen.left && place.top >= screen.top && place.right <= screen.right &&
                place.bottom <= screen.bottom);
    lorvant.close();
    EXPECT_TRUE(lorvant.waitForExit());
    RegDeleteKeyA(HKEY_CURRENT_USER, WindowPlacementKey);
}

TEST(MainWindowLayout, ShowsTheLargestListWholeAtEveryResolution) {
    TestFolder folder;
    const std::string path = folder.path("largest.lvd");
    const int count = StudyList::MaxTermSetCount;
    std::vector<TestItem> items(count, TestItem{"term", {"definition"}, "", 0, 0});
    // Reviewed once, due a day ago.
    ItemSchedule schedule;
    schedule.state = ItemSchedule::REVIEW;
    schedule.stability = schedule.difficulty = 5;
    schedule.due = static_cast<UtcTime>(time(nullptr)) - 86400;
    schedule.lastReview = schedule.due - 5 * 86400;
    schedule.reviews = 1;
    items.back() = {"last", {"definition"}, "", INT_MAX, INT_MAX, schedule};
    writeDocument(path, items);
    const std::vector<LorvantProcess::Row> last{{"999999", "last", "definition", "", "2147483647",
                                                 "2147483647", "100 %",
                                                 Win::localDateTimeText(schedule.due)}};

    LorvantProcess lorvant("\"" + path + "\"");
    HWND window = lorvant.mainWindow();
    lorvant.pressKey(VK_END, {VK_CONTROL});
    EXPECT_EQ(lorvant.rows(count - 1, 1), last);
    EXPECT_EQ(lorvant.statusText(1), "1 due, 20 new today");
    // The widest text of each column: the numbers' largest values, a due time with two-digit day, month
    // and hour; names and texts have no widest one.
    const std::vector<std::string> widestCells{
        "999999", "", "", "", "2147483647", "2147483647", "100 %", Win::localDateTimeText(1798239480)};
    std::vector<LayoutCheck::Column> columns;
    for (const auto& column : lorvant.columns())
        columns.push_back({column.title, column.width, widestCells.at(columns.size())});
    EXPECT_EQ(LayoutCheck::listColumns(columns), Findings{});
    EXPECT_EQ(LayoutCheck::placement(window), Findings{});
    const int dpi = LayoutCheck::screenDpi();
    lorvant.finishDrawing();
    lorvant.screenshot("main-window-" + std::to_string(dpi) + "dpi");
    // The last columns, scrolled into view.
    int allColumns = 0;
    for (const auto& column : lorvant.columns())
        allColumns += column.width;
    RECT listArea{};
    GetClientRect(GetDlgItem(window, 2), &listArea);
    if (allColumns > listArea.right)
        SendMessageA(GetDlgItem(window, 2), LVM_SCROLL, static_cast<WPARAM>(allColumns - listArea.right), 0);
    lorvant.finishDrawing();
    lorvant.screenshot("main-window-" + std::to_string(dpi) + "dpi-last-columns");

    // Selecting and sorting all of it does not depend on the resolution: once is enough.
    if (dpi == 96) {
        lorvant.pressKey('A', {VK_CONTROL});
        EXPECT_EQ(lorvant.statusText(), "999999 item(s), 999999 selected");
        lorvant.clickRow(count - 4);
        EXPECT_EQ(lorvant.statusText(), "999999 item(s), 1 selected");
        lorvant.pressKey(VK_HOME, {VK_SHIFT});
        EXPECT_EQ(lorvant.statusText(), "999999 item(s), 999996 selected");
        lorvant.clickHeader(0);
        EXPECT_EQ(lorvant.statusText(), "999999 item(s), 0 selected");
        EXPECT_EQ(lorvant.rows(0, 1), last);
    }

    // Small enough that it still fits the screen at twice the size. Texts do not grow exactly.
    SetWindowPos(window, nullptr, 0, 0, 600, 480, SWP_NOZORDER);
    lorvant.sync();
    expectStacked(window);
    const auto before = lorvant.columns();
    const auto newButton = lorvant.button("New").place;
    lorvant.changeDpi(dpi, 2 * dpi);
    const auto after = lorvant.columns();
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < after.size(); ++i)
        EXPECT_GE(after[i].width * 10, before[i].width * 18) << after[i].title;
    const auto grownButton = lorvant.button("New").place;
    EXPECT_GT(grownButton.bottom - grownButton.top, newButton.bottom - newButton.top);
    EXPECT_EQ(LayoutCheck::placement(window), Findings{});
    expectStacked(window);
    lorvant.finishDrawing();
    lorvant.screenshot("main-window-" + std::to_string(dpi) + "dpi-moved-to-" + std::to_string(2 * dpi) +
                       "dpi");
}

} // namespace
