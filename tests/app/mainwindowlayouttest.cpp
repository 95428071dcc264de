// The main window at the screen's resolution (the tests run at 96, 144 and 192 dots per inch), with the
// largest study list a document can hold: every column shows its heading and its widest possible cell, and
// the toolbar, the list and the status bar lie side by side inside the window.
#include "tests/app/lorvantprocess.h"
#include "tests/app/testdocuments.h"
#include "tests/scripteduser/layoutcheck.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

using Findings = std::vector<std::string>;

TEST(MainWindowLayout, ShowsEveryColumnWholeWithTheLargestList) {
    TestFolder folder;
    const std::string path = folder.path("largest.lvd");
    std::vector<TestItem> items(StudyList::MaxTermSetCount, TestItem{"term", {"definition"}, "", 0, 0});
    items.back() = {"last", {"definition"}, "", INT_MAX, INT_MAX};
    writeDocument(path, items);

    LorvantProcess lorvant("\"" + path + "\"");
    lorvant.pressKey(VK_END, {VK_CONTROL});
    lorvant.sync();
    EXPECT_EQ(lorvant.rows(StudyList::MaxTermSetCount - 1, 1),
              (std::vector<LorvantProcess::Row>{
                  {"999999", "last", "definition", "", "2147483647", "2147483647", "100 %"}}));

    // The widest text of each column: the numbers' largest values; names and texts have no widest one.
    const std::vector<std::string> widestCells{"999999", "", "", "", "2147483647", "2147483647", "100 %"};
    std::vector<LayoutCheck::Column> columns;
    for (const auto& column : lorvant.columns())
        columns.push_back({column.title, column.width, widestCells.at(columns.size())});
    EXPECT_EQ(LayoutCheck::listColumns(columns), Findings{});
    EXPECT_EQ(LayoutCheck::placement(lorvant.mainWindow()), Findings{});
    lorvant.finishDrawing();
    lorvant.screenshot("main-window-" + std::to_string(LayoutCheck::screenDpi()) + "dpi");
}

// The window moved to a screen of twice the resolution: texts, pictures (up to 32 pixels) and columns grow
// with it, and the children still lie side by side.
TEST(MainWindowLayout, FollowsTheScreensResolution) {
    LorvantProcess lorvant;
    const int dpi = LayoutCheck::screenDpi();
    // Small enough that it still fits the screen at twice the size.
    SetWindowPos(lorvant.mainWindow(), nullptr, 0, 0, 600, 480, SWP_NOZORDER);
    lorvant.sync();
    const auto before = lorvant.columns();
    const int toolbarHeight = lorvant.button("New").place.bottom - lorvant.button("New").place.top;
    lorvant.changeDpi(dpi, 2 * dpi);
    const auto after = lorvant.columns();
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < after.size(); ++i)
        EXPECT_GE(after[i].width * 10, before[i].width * 18) << after[i].title; // texts do not grow exactly
    const auto newButton = lorvant.button("New");
    EXPECT_GT(newButton.place.bottom - newButton.place.top, toolbarHeight);
    EXPECT_EQ(LayoutCheck::placement(lorvant.mainWindow()), Findings{});
    lorvant.finishDrawing();
    lorvant.screenshot("main-window-" + std::to_string(dpi) + "dpi-moved-to-" + std::to_string(2 * dpi) +
                       "dpi");
}

} // namespace
