// Studying what the user does not know yet: finding an item by its text, selecting the items answered wrong
// too often, and the chart of how the scores are going.
#include "tests/app/lorvantprocess.h"
#include "tests/app/testdocuments.h"

#include "resources/resource.h"

#include <gtest/gtest.h>

namespace {

const std::vector<int> StudySetMenu{1};
const std::vector<int> StudyMenu{1, 9};
const std::vector<int> ItemMenu{2};

const char* const SettingsKey = "Software\\Tandrel\\Lorvant\\1.21\\Settings";

bool isChecked(HWND dialog, int id) {
    return SendMessageA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

class FindAndScores : public ::testing::Test {
protected:
    TestFolder folder;
    const std::string path = folder.path("countries.lvd");

    void SetUp() override {
        deleteRecentDocsKey();
        RegDeleteKeyA(HKEY_CURRENT_USER, SettingsKey);
    }
    void TearDown() override { RegDeleteKeyA(HKEY_CURRENT_USER, SettingsKey); }
};

TEST_F(FindAndScores, FindLooksRoundTheListFromTheFocusedItem) {
    writeDocument(path, {{"France", {"Paris"}, "", 0, 0},
                         {"Peru", {"Lima"}, "once ruled by Spain", 0, 0},
                         {"Spain", {"Madrid"}, "", 0, 0},
                         {"Japan", {"Tokyo"}, "", 0, 0}});
    LorvantProcess lorvant(path);

    // F3 before any search asks what to find.
    lorvant.pressKey(VK_F3);
    HWND dialog = lorvant.waitForWindow("Find");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDOK))) << "nothing to find yet";
    lorvant.setText(dialog, IDC_FIND_TEXT, "spain");
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDOK)));
    lorvant.screenshot("find", dialog);
    lorvant.click(dialog, IDOK);
    lorvant.waitUntilGone(dialog);
    lorvant.sync();
    EXPECT_EQ(lorvant.selectedRows(), std::vector<int>{1}); // in a comment
    EXPECT_EQ(lorvant.statusText(), "4 item(s), 1 selected");

    lorvant.pressKey(VK_F3);
    EXPECT_EQ(lorvant.selectedRows(), std::vector<int>{2});
    lorvant.pressKey(VK_F3); // round the end of the list
    EXPECT_EQ(lorvant.selectedRows(), std::vector<int>{1});

    // With match case no item holds "spain" in small letters.
    lorvant.clickRow(3);
    lorvant.pressKey('F', {VK_CONTROL});
    dialog = lorvant.waitForWindow("Find");
    EXPECT_EQ(LorvantProcess::text(dialog, IDC_FIND_TEXT), "spain");
    EXPECT_FALSE(isChecked(dialog, IDC_MATCH_CASE));
    lorvant.click(dialog, IDC_MATCH_CASE);
    lorvant.click(dialog, IDOK);
    EXPECT_EQ(lorvant.answerMessageBox("Lorvant", IDOK), "Cannot find \"spain\".");
    lorvant.waitUntilGone(dialog);
    EXPECT_EQ(lorvant.selectedRows(), std::vector<int>{3}) << "the selection stays when nothing is found";

    lorvant.chooseMenuItem(ItemMenu, "&Find...\tCtrl+F");
    dialog = lorvant.waitForWindow("Find");
    EXPECT_TRUE(isChecked(dialog, IDC_MATCH_CASE));
    lorvant.setText(dialog, IDC_FIND_TEXT, "Spain");
    lorvant.click(dialog, IDOK);
    lorvant.waitUntilGone(dialog);
    lorvant.sync();
    EXPECT_EQ(lorvant.selectedRows(), std::vector<int>{1});
    lorvant.chooseMenuItem(ItemMenu, "Find &Next\tF3");
    EXPECT_EQ(lorvant.selectedRows(), std::vector<int>{2});

    lorvant.close();
    EXPECT_TRUE(lorvant.waitForExit()) << "finding is no change to the document";
}

TEST_F(FindAndScores, WeakItemsAreSelectedByTheRememberedThreshold) {
    // Never asked, 33 %, 80 %, 100 %.
    writeDocument(path, {{"France", {"Paris"}, "", 0, 0},
                         {"Peru", {"Lima"}, "", 3, 1},
                         {"Spain", {"Madrid"}, "", 5, 4},
                         {"Japan", {"Tokyo"}, "", 2, 2}});
    LorvantProcess lorvant(path);
    const auto selectWeak = [&](const std::string& threshold, bool neverAsked) {
        lorvant.chooseMenuItem(ItemMenu, "Select &Weak Items...");
        HWND dialog = lorvant.waitForWindow("Select Weak Items");
        lorvant.setText(dialog, IDC_WEAK_THRESHOLD, threshold);
        if (isChecked(dialog, IDC_INCLUDE_NEVER_ASKED) != neverAsked)
            lorvant.click(dialog, IDC_INCLUDE_NEVER_ASKED);
        lorvant.click(dialog, IDOK);
        return dialog;
    };

    lorvant.chooseMenuItem(ItemMenu, "Select &Weak Items...");
    HWND dialog = lorvant.waitForWindow("Select Weak Items");
    EXPECT_EQ(LorvantProcess::text(dialog, IDC_WEAK_THRESHOLD), "80");
    EXPECT_TRUE(isChecked(dialog, IDC_INCLUDE_NEVER_ASKED));
    lorvant.screenshot("select-weak-items", dialog);
    lorvant.click(dialog, IDOK);
    lorvant.waitUntilGone(dialog);
    lorvant.sync();
    EXPECT_EQ(lorvant.selectedRows(), (std::vector<int>{0, 1}));
    EXPECT_EQ(lorvant.statusText(), "4 item(s), 2 selected");

    dialog = selectWeak("100", false);
    lorvant.waitUntilGone(dialog);
    lorvant.sync();
    EXPECT_EQ(lorvant.selectedRows(), (std::vector<int>{1, 2}));

    dialog = selectWeak("0", false);
    EXPECT_EQ(lorvant.answerMessageBox("Lorvant", IDOK),
              "No item is answered right less than 0 % of the time.");
    lorvant.waitUntilGone(dialog);
    EXPECT_EQ(lorvant.selectedRows(), (std::vector<int>{1, 2})) << "the selection stays when none is found";

    dialog = selectWeak("101", true);
    EXPECT_EQ(lorvant.answerMessageBox("Lorvant", IDOK), "Please enter a percentage from 0 to 100.");
    lorvant.setText(dialog, IDC_WEAK_THRESHOLD, "0");
    lorvant.click(dialog, IDOK);
    lorvant.waitUntilGone(dialog);
    lorvant.sync();
    EXPECT_EQ(lorvant.selectedRows(), std::vector<int>{0});

    // The selection is what a session may then be limited to.
    lorvant.chooseMenuItem(StudyMenu, "&Questions && Answers");
    dialog = lorvant.waitForWindow("Study Session");
    lorvant.click(dialog, IDCANCEL);
    lorvant.waitUntilGone(dialog);
    lorvant.close();
    EXPECT_TRUE(lorvant.waitForExit());

    // The last choice is remembered for the next run; a damaged value falls back to the default.
    LorvantProcess again(path);
    again.chooseMenuItem(ItemMenu, "Select &Weak Items...");
    dialog = again.waitForWindow("Select Weak Items");
    EXPECT_EQ(LorvantProcess::text(dialog, IDC_WEAK_THRESHOLD), "0");
    EXPECT_TRUE(isChecked(dialog, IDC_INCLUDE_NEVER_ASKED));
    again.click(dialog, IDCANCEL);
    again.waitUntilGone(dialog);
    RegSetKeyValueA(HKEY_CURRENT_USER, SettingsKey, "WeakItemsThreshold", REG_SZ, "50", 3);
    const DWORD notABoolean = 7;
    RegSetKeyValueA(HKEY_CURRENT_USER, SettingsKey, "WeakItemsIncludeNeverAsked", REG_DWORD, &notABoolean,
                    sizeof notABoolean);
    again.chooseMenuItem(ItemMenu, "Select &Weak Items...");
    dialog = again.waitForWindow("Select Weak Items");
    EXPECT_EQ(LorvantProcess::text(dialog, IDC_WEAK_THRESHOLD), "80");
    EXPECT_TRUE(isChecked(dialog, IDC_INCLUDE_NEVER_ASKED));
    again.click(dialog, IDCANCEL);
    again.waitUntilGone(dialog);
    again.close();
    EXPECT_TRUE(again.waitForExit());
}

// Thousands of scattered weak items, selected at once, then changed by the user's clicks.
TEST_F(FindAndScores, ManyScatteredWeakItemsFollowTheUsersClicks) {
    // Every even row is answered right 20 % of the time, every odd one always.
    const int count = 2401;
    std::vector<TestItem> items;
    std::vector<int> even;
    for (int i = 0; i < count; ++i) {
        items.push_back({"term " + std::to_string(i), {"answer"}, "", 5, i % 2 ? 5 : 1});
        if (i % 2 == 0)
            even.push_back(i);
    }
    writeDocument(path, items);
    LorvantProcess lorvant(path);
    const auto selectWeak = [&] {
        lorvant.chooseMenuItem(ItemMenu, "Select &Weak Items...");
        HWND dialog = lorvant.waitForWindow("Select Weak Items");
        lorvant.click(dialog, IDOK);
        lorvant.waitUntilGone(dialog);
        lorvant.sync();
    };

    selectWeak();
    EXPECT_EQ(lorvant.selectedRows(), even);
    EXPECT_EQ(lorvant.statusText(), "2401 item(s), 1201 selected");
    lorvant.screenshot("many-weak-items-selected");
    lorvant.shiftClickRow(3);
    lorvant.sync();
    EXPECT_EQ(lorvant.selectedRows(), (std::vector<int>{0, 1, 2, 3}))
        << "Shift extends from the first weak row";
    EXPECT_EQ(lorvant.statusText(), "2401 item(s), 4 selected");

    selectWeak();
    lorvant.clickRow(5);
    lorvant.sync();
    EXPECT_EQ(lorvant.selectedRows(), std::vector<int>{5});
    EXPECT_EQ(lorvant.statusText(), "2401 item(s), 1 selected");
    lorvant.pressKey(VK_DOWN, {VK_SHIFT});
    lorvant.sync();
    EXPECT_EQ(lorvant.selectedRows(), (std::vector<int>{5, 6}));

    selectWeak();
    lorvant.pressKey(VK_DOWN);
    lorvant.sync();
    EXPECT_EQ(lorvant.selectedRows(), std::vector<int>{1})
        << "an arrow moves on from the focused first weak row";
    EXPECT_EQ(lorvant.statusText(), "2401 item(s), 1 selected");
    lorvant.close();
    EXPECT_TRUE(lorvant.waitForExit());
}

TEST_F(FindAndScores, StatisticsShowTheBandsAndTotals) {
    const struct {
        std::vector<TestItem> items;
        std::string chart;
        std::vector<std::string> totals; // items, answered, right, overall
    } cases[] = {
        {{{"a", {"1"}, "", 0, 0}, {"b", {"2"}, "", 0, 0}},
         "Never asked: 2, 0-24 %: 0, 25-49 %: 0, 50-74 %: 0, 75-99 %: 0, 100 %: 0",
         {"2", "0", "0", "0 %"}},
        {{{"a", {"1"}, "", 0, 0},
          {"b", {"2"}, "", 4, 0},
          {"c", {"3"}, "", 3, 1},
          {"d", {"4"}, "", 3, 2},
          {"e", {"5"}, "", 5, 4},
          {"f", {"6"}, "", 2, 2},
          {"g", {"7"}, "", 1, 1}},
         "Never asked: 1, 0-24 %: 1, 25-49 %: 1, 50-74 %: 1, 75-99 %: 1, 100 %: 2",
         {"7", "18", "10", "55 %"}},
    };
    for (const auto& c : cases) {
        writeDocument(path, c.items);
        LorvantProcess lorvant(path);
        lorvant.chooseMenuItem(StudySetMenu, "Stat&istics...");
        HWND dialog = lorvant.waitForWindow("Statistics");
        EXPECT_EQ(LorvantProcess::text(dialog, IDC_SCORE_CHART), c.chart);
        EXPECT_EQ((std::vector<std::string>{LorvantProcess::text(dialog, IDC_ITEMS_TOTAL),
                                            LorvantProcess::text(dialog, IDC_ANSWERED_TOTAL),
                                            LorvantProcess::text(dialog, IDC_RIGHT_TOTAL),
                                            LorvantProcess::text(dialog, IDC_PERCENTAGE_TOTAL)}),
                  c.totals);
        if (c.chart.find("100 %: 2") != std::string::npos) {
            lorvant.screenshot("statistics", dialog);
            // A larger dialog gives the chart the room; the totals and the button stay below it.
            RECT before{}, after{}, button{};
            GetWindowRect(GetDlgItem(dialog, IDC_SCORE_CHART), &before);
            RECT frame{};
            GetWindowRect(dialog, &frame);
            SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left + 200,
                         frame.bottom - frame.top + 100, SWP_NOMOVE | SWP_NOZORDER);
            lorvant.sync();
            GetWindowRect(GetDlgItem(dialog, IDC_SCORE_CHART), &after);
            GetWindowRect(GetDlgItem(dialog, IDOK), &button);
            EXPECT_EQ(after.right - after.left, before.right - before.left + 200);
            EXPECT_EQ(after.bottom - after.top, before.bottom - before.top + 100);
            EXPECT_GT(button.top, after.bottom);
            lorvant.screenshot("statistics-larger", dialog);
        }
        lorvant.pressKey(VK_ESCAPE);
        lorvant.waitUntilGone(dialog);
        lorvant.close();
        EXPECT_TRUE(lorvant.waitForExit());
    }
}

} // namespace
