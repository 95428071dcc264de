// Working on the items of a list: adding, editing and removing them, studying them in the three kinds of
// session, changing the settings and the outline, resetting the scores; and reviewing the list without
// changing it: finding an item, sorting by a column, the chart of the scores, selecting the weak items.
#include "WinLib/localtimetext.h"
#include "tests/app/lorvantprocess.h"
#include "tests/app/testdocuments.h"

#include "resources/resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <functional>
#include <iterator>

namespace {

using Rows = std::vector<LorvantProcess::Row>;
using Texts = std::vector<std::string>;
using Selection = std::vector<int>;

using Lorvant = LorvantProcess;

const char* const SettingsKey = "Software\\Tandrel\\Lorvant\\1.21\\Settings";

// Fills the item dialog that is open and confirms it.
void enterItem(LorvantProcess& lorvant, const std::string& term, const std::string& definition,
               const std::string& comment = "") {
    HWND dialog = lorvant.waitForWindow("Edit Item");
    lorvant.setText(dialog, IDC_MAIN_TEXT, term);
    lorvant.setText(dialog, IDC_FIELD_VALUE, definition);
    lorvant.setText(dialog, IDC_COMMENT, comment);
    lorvant.closeDialog(dialog, IDOK);
}

Texts column(LorvantProcess& lorvant, std::size_t index) {
    Texts result;
    for (const auto& row : lorvant.rows())
        result.push_back(row.at(index));
    return result;
}

bool isChecked(HWND dialog, int id) {
    return SendMessageA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// Opens Select Weak Items and, unless threshold is empty, makes that choice.
HWND selectWeak(LorvantProcess& lorvant, const std::string& threshold = "", bool neverAsked = true) {
    lorvant.chooseMenuItem(Lorvant::ItemMenu, "Select &Weak Items...");
    HWND dialog = lorvant.waitForWindow("Select Weak Items");
    if (!threshold.empty()) {
        lorvant.setText(dialog, IDC_WEAK_THRESHOLD, threshold);
        if (isChecked(dialog, IDC_INCLUDE_NEVER_ASKED) != neverAsked)
            lorvant.click(dialog, IDC_INCLUDE_NEVER_ASKED);
    }
    return dialog;
}

class Items : public ::testing::Test {
protected:
    TestFolder folder;
    const std::string path = folder.path("countries.lvd");

    void SetUp() override {
        deleteRecentDocsKey();
        RegDeleteKeyA(HKEY_CURRENT_USER, SettingsKey);
    }
    void TearDown() override { RegDeleteKeyA(HKEY_CURRENT_USER, SettingsKey); }
};

// Items are added, edited and removed through their dialogs; each session hides the main window while it
// runs. Edits, answers, settings, the outline and a reset of the scores are each a change to keep.
TEST_F(Items, EditsSessionsSettingsOutlineAndResetAreChangesToKeep) {
    writeDocument(
        path,
        {{"France", {"Paris"}, "", 0, 0}, {"Peru", {"Lima"}, "", 0, 0}, {"Japan", {"Tokyo"}, "", 2, 1}});
    LorvantProcess lorvant(path);
    const auto changed = [&](const char* what) {
        SCOPED_TRACE(what);
        lorvant.close();
        EXPECT_EQ(lorvant.answerMessageBox("Lorvant", IDCANCEL), "Save changes to " + path + " ?");
        lorvant.pressKey('S', {VK_CONTROL});
    };
    const auto stop = [&](HWND session) {
        lorvant.click(session, IDC_STOP);
        EXPECT_EQ(lorvant.answerMessageBox("Please confirm", IDYES),
                  "Do you want to stop the current study session?");
    };

    lorvant.pressKey(VK_INSERT);
    enterItem(lorvant, "Chile", "Santiago", "long and thin");
    lorvant.clickButton("Add");
    enterItem(lorvant, "Italy", "Rome");
    lorvant.chooseMenuItem(Lorvant::ItemMenu, "&Add...\tIns");
    lorvant.closeDialog(lorvant.waitForWindow("Edit Item"), IDCANCEL);
    EXPECT_EQ(lorvant.rows(3, 2), (Rows{{"4", "Chile", "Santiago", "long and thin", "0", "0", "0 %", "New"},
                                        {"5", "Italy", "Rome", "", "0", "0", "0 %", "New"}}));
    EXPECT_EQ(lorvant.statusText(), "5 item(s), 0 selected");
    // A double-click edits its row; Enter edits the first of the selected rows.
    lorvant.doubleClickRow(4);
    EXPECT_EQ(LorvantProcess::text(lorvant.waitForWindow("Edit Item"), IDC_MAIN_TEXT), "Italy");
    enterItem(lorvant, "Spain", "Madrid");
    lorvant.selectRows({4, 3});
    lorvant.pressKey(VK_RETURN);
    HWND dialog = lorvant.waitForWindow("Edit Item");
    EXPECT_EQ(LorvantProcess::text(dialog, IDC_MAIN_TEXT), "Chile");
    EXPECT_EQ(LorvantProcess::text(dialog, IDC_COMMENT), "long and thin");
    lorvant.closeDialog(dialog, IDCANCEL);
    // Removing asks first; the rest are numbered anew.
    lorvant.selectRows({1, 3});
    lorvant.pressKey(VK_DELETE);
    EXPECT_EQ(lorvant.answerMessageBox("Please confirm", IDNO),
              "Are you sure you want to delete the selected items?");
    EXPECT_EQ(lorvant.statusText(), "5 item(s), 2 selected");
    lorvant.clickButton("Remove");
    lorvant.answerMessageBox("Please confirm", IDYES);
    EXPECT_EQ(column(lorvant, 0), (Texts{"1", "2", "3"}));
    EXPECT_EQ(column(lorvant, 1), (Texts{"France", "Japan", "Spain"}));
    EXPECT_EQ(lorvant.statusText(), "3 item(s), 0 selected");
    changed("the items");

    lorvant.chooseMenuItem(Lorvant::StudyMenu, "&Presentation");
    HWND session = lorvant.waitForWindow("Presentation Study Session");
    EXPECT_FALSE(IsWindowVisible(lorvant.mainWindow()));
    stop(session);
    lorvant.waitUntilGone(session);
    lorvant.chooseMenuItem(Lorvant::StudyMenu, "&Multiple choice");
    session = lorvant.waitForWindow("Multiple Choice Study Session");
    lorvant.screenshot("multiple-choice", session);
    stop(session);
    lorvant.answerMessageBox("Lorvant", IDOK); // the summary
    lorvant.waitUntilGone(session);

    lorvant.selectRows({0});
    lorvant.chooseMenuItem(Lorvant::StudyMenu, "&Questions && Answers");
    lorvant.click(lorvant.waitForWindow("Study Session"), IDOK); // only the selected item
    session = lorvant.waitForWindow("Questions & Answers Study Session");
    EXPECT_FALSE(IsWindowVisible(lorvant.mainWindow()));
    EXPECT_EQ(LorvantProcess::text(session, IDC_QUESTION), "France");
    lorvant.setText(session, IDC_ANSWER, "Paris");
    lorvant.click(session, IDC_NEXT);
    lorvant.answerMessageBox("Lorvant", IDOK);
    lorvant.waitUntilGone(session);
    lorvant.sync();
    EXPECT_TRUE(IsWindowVisible(lorvant.mainWindow()));
    EXPECT_EQ(column(lorvant, 6), (Texts{"100 %", "50 %", "0 %"}));
    changed("an answer");

    lorvant.chooseMenuItem(Lorvant::StudyMenu, "&Settings...");
    dialog = lorvant.waitForWindow("Study Settings");
    const bool shuffled = isChecked(dialog, IDC_SHUFFLE);
    lorvant.click(dialog, IDC_SHUFFLE);
    lorvant.closeDialog(dialog, IDOK);
    changed("the settings");

    // A dragged column keeps its width, also when its field moves; a new field starts at 130, the others stay
    // as they were.
    std::vector<int> widths;
    for (const auto& column : lorvant.columns())
        widths.push_back(column.width);
    lorvant.dragColumnWidth(2, 80);
    lorvant.pressKey('L', {VK_CONTROL});
    dialog = lorvant.waitForWindow("Customize StudySet");
    lorvant.setText(dialog, IDC_ITEM_TYPE, "Country");
    lorvant.setText(dialog, IDC_NEW_FIELD, "Capital");
    lorvant.click(dialog, IDC_ADD_FIELD);
    // Moved up, the new field goes before Definition, whose dragged width goes with it.
    HWND fields = GetDlgItem(dialog, IDC_FIELD_NAMES);
    SendMessageA(fields, LB_SETCURSEL, 1, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_FIELD_NAMES, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(fields));
    lorvant.click(dialog, IDC_MOVE_UP);
    lorvant.closeDialog(dialog, IDOK);
    Texts titles;
    widths[2] = 80;
    widths.insert(widths.begin() + 2, 130);
    for (const auto& column : lorvant.columns()) {
        titles.push_back(column.title);
        EXPECT_EQ(column.width, widths.at(titles.size() - 1)) << column.title;
    }
    EXPECT_EQ(titles, (Texts{"#", "Country", "Capital", "Definition", "Comment", "Times Asked",
                             "Correct Answers", "Ratio", "Due"}));
    changed("the outline");

    lorvant.chooseMenuItem(Lorvant::StudySetMenu, "&Reset scores");
    EXPECT_EQ(lorvant.answerMessageBox("Please confirm", IDNO),
              "Are you sure you want to reset scores of all items?");
    EXPECT_EQ(column(lorvant, 7), (Texts{"100 %", "50 %", "0 %"}));
    lorvant.chooseMenuItem(Lorvant::StudySetMenu, "&Reset scores");
    lorvant.answerMessageBox("Please confirm", IDYES);
    EXPECT_EQ(column(lorvant, 5), (Texts{"0", "0", "0"}));
    lorvant.close();
    lorvant.answerMessageBox("Lorvant", IDYES);
    EXPECT_TRUE(lorvant.waitForExit());

    const StudyList saved = readDocument(path);
    EXPECT_NE(saved.getSettings().isShuffle(), shuffled);
    EXPECT_EQ(saved.getOutline().getItemType(), "Country");
    EXPECT_EQ(saved.getTermSet(1).getTimesAsked(), 0);
    EXPECT_EQ(saved.getTermSet(2).getTerm(), "Spain");
}

TEST_F(Items, ReviewingAListChangesNothingButTheSelection) {
    // Never asked, 33 %, 80 %, 100 %.
    writeDocument(path, {{"France", {"Paris"}, "", 0, 0},
                         {"Peru", {"Lima"}, "once ruled by Spain", 3, 1},
                         {"Spain", {"Madrid"}, "", 5, 4},
                         {"Japan", {"Tokyo"}, "", 2, 2}});
    LorvantProcess lorvant(path);

    // Find looks round the list from the item after the focused one; F3 before any search asks what to find.
    lorvant.pressKey(VK_F3);
    HWND dialog = lorvant.waitForWindow("Find");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDOK))) << "nothing to find yet";
    lorvant.setText(dialog, IDC_FIND_TEXT, "spain");
    lorvant.closeDialog(dialog, IDOK);
    EXPECT_EQ(lorvant.selectedRows(), Selection{1}); // in a comment
    EXPECT_EQ(lorvant.statusText(), "4 item(s), 1 selected");
    lorvant.pressKey(VK_F3);
    EXPECT_EQ(lorvant.selectedRows(), Selection{2});
    lorvant.chooseMenuItem(Lorvant::ItemMenu, "Find &Next\tF3");
    EXPECT_EQ(lorvant.selectedRows(), Selection{1}) << "round the end of the list";

    lorvant.clickRow(3);
    lorvant.pressKey('F', {VK_CONTROL});
    dialog = lorvant.waitForWindow("Find");
    EXPECT_EQ(LorvantProcess::text(dialog, IDC_FIND_TEXT), "spain");
    lorvant.click(dialog, IDC_MATCH_CASE);
    lorvant.click(dialog, IDOK);
    EXPECT_EQ(lorvant.answerMessageBox("Lorvant", IDOK), "Cannot find \"spain\".");
    lorvant.waitUntilGone(dialog);
    EXPECT_EQ(lorvant.selectedRows(), Selection{3}) << "the selection stays when nothing is found";
    lorvant.chooseMenuItem(Lorvant::ItemMenu, "&Find...\tCtrl+F");
    dialog = lorvant.waitForWindow("Find");
    EXPECT_TRUE(isChecked(dialog, IDC_MATCH_CASE));
    lorvant.setText(dialog, IDC_FIND_TEXT, "Spain");
    lorvant.closeDialog(dialog, IDOK);
    EXPECT_EQ(lorvant.selectedRows(), Selection{1});

    // A header sorts by its column, then the other way round; the numbers stay with their items.
    lorvant.clickHeader(4); // "Times Asked"
    EXPECT_EQ(column(lorvant, 1), (Texts{"France", "Japan", "Peru", "Spain"}));
    EXPECT_EQ(column(lorvant, 0), (Texts{"1", "4", "2", "3"}));
    EXPECT_EQ(lorvant.statusText(), "4 item(s), 0 selected");
    lorvant.clickHeader(4);
    EXPECT_EQ(column(lorvant, 1), (Texts{"Spain", "Peru", "Japan", "France"}));
    lorvant.clickHeader(0);
    EXPECT_EQ(column(lorvant, 1), (Texts{"France", "Peru", "Spain", "Japan"}));

    // The chart counts the items by how often they were answered right; a larger dialog gives it the room.
    lorvant.chooseMenuItem(Lorvant::StudySetMenu, "Stat&istics...");
    dialog = lorvant.waitForWindow("Statistics");
    EXPECT_EQ(LorvantProcess::text(dialog, IDC_SCORE_CHART),
              "Never asked: 1, 0-24 %: 0, 25-49 %: 1, 50-74 %: 0, 75-99 %: 1, 100 %: 1");
    EXPECT_EQ((Texts{LorvantProcess::text(dialog, IDC_ITEMS_TOTAL),
                     LorvantProcess::text(dialog, IDC_ANSWERED_TOTAL),
                     LorvantProcess::text(dialog, IDC_RIGHT_TOTAL),
                     LorvantProcess::text(dialog, IDC_PERCENTAGE_TOTAL)}),
              (Texts{"4", "10", "7", "70 %"}));
    // Never reviewed on the schedule: all new, nothing due.
    EXPECT_EQ((Texts{LorvantProcess::text(dialog, IDC_STATE_COUNT_FIRST),
                     LorvantProcess::text(dialog, IDC_STATE_COUNT_FIRST + 2)}),
              (Texts{"4", "0"}));
    EXPECT_EQ(LorvantProcess::text(dialog, IDC_FORECAST_CHART).substr(0, 19), "Today: 0, +1 d: 0, ");
    lorvant.screenshot("statistics", dialog);
    RECT before{}, after{}, button{}, frame{};
    GetWindowRect(GetDlgItem(dialog, IDC_SCORE_CHART), &before);
    GetWindowRect(dialog, &frame);
    SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left + 200, frame.bottom - frame.top + 100,
                 SWP_NOMOVE | SWP_NOZORDER);
    lorvant.sync();
    GetWindowRect(GetDlgItem(dialog, IDC_SCORE_CHART), &after);
    GetWindowRect(GetDlgItem(dialog, IDOK), &button);
    // The forecast beside it takes the other half of the width.
    EXPECT_EQ(after.right - after.left, before.right - before.left + 100);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top + 100);
    EXPECT_GT(button.top, after.bottom) << "the totals and the button stay below the chart";
    lorvant.pressKey(VK_ESCAPE);
    lorvant.waitUntilGone(dialog);

    // Weak items: by default under 80 % and never asked.
    lorvant.chooseMenuItem(Lorvant::ItemMenu, "Select &Weak Items...");
    dialog = lorvant.waitForWindow("Select Weak Items");
    EXPECT_EQ(LorvantProcess::text(dialog, IDC_WEAK_THRESHOLD), "80");
    EXPECT_TRUE(isChecked(dialog, IDC_INCLUDE_NEVER_ASKED));
    lorvant.closeDialog(dialog, IDOK);
    EXPECT_EQ(lorvant.selectedRows(), (Selection{0, 1}));
    EXPECT_EQ(lorvant.statusText(), "4 item(s), 2 selected");
    dialog = selectWeak(lorvant, "0", false);
    lorvant.click(dialog, IDOK);
    EXPECT_EQ(lorvant.answerMessageBox("Lorvant", IDOK),
              "No item is answered right less than 0 % of the time.");
    lorvant.waitUntilGone(dialog);
    EXPECT_EQ(lorvant.selectedRows(), (Selection{0, 1})) << "the selection stays when none is found";
    dialog = selectWeak(lorvant, "101", false);
    lorvant.click(dialog, IDOK);
    EXPECT_EQ(lorvant.answerMessageBox("Lorvant", IDOK), "Please enter a percentage from 0 to 100.");
    lorvant.setText(dialog, IDC_WEAK_THRESHOLD, "100");
    lorvant.closeDialog(dialog, IDOK);
    EXPECT_EQ(lorvant.selectedRows(), (Selection{1, 2}));
    lorvant.close();
    EXPECT_TRUE(lorvant.waitForExit()) << "nothing to ask about";

    // The last choice is remembered for the next run; a damaged value falls back to the default. Thousands
    // of scattered weak items are selected at once.
    std::vector<TestItem> items;
    Selection even;
    for (int i = 0; i < 2401; ++i) {
        items.push_back({"term " + std::to_string(i), {"answer"}, "", 5, i % 2 ? 5 : 1});
        if (i % 2 == 0)
            even.push_back(i);
    }
    writeDocument(path, items);
    LorvantProcess many(path);
    const auto shows = [&](const char* threshold, bool neverAsked) {
        dialog = selectWeak(many);
        EXPECT_EQ(LorvantProcess::text(dialog, IDC_WEAK_THRESHOLD), threshold);
        EXPECT_EQ(isChecked(dialog, IDC_INCLUDE_NEVER_ASKED), neverAsked);
        many.closeDialog(dialog, IDCANCEL);
    };
    shows("100", false);
    RegSetKeyValueA(HKEY_CURRENT_USER, SettingsKey, "WeakItemsThreshold", REG_SZ, "50", 3);
    const DWORD notABoolean = 7;
    RegSetKeyValueA(HKEY_CURRENT_USER, SettingsKey, "WeakItemsIncludeNeverAsked", REG_DWORD, &notABoolean,
                    sizeof notABoolean);
    shows("80", true);

    many.closeDialog(selectWeak(many), IDOK);
    EXPECT_EQ(many.selectedRows(), even);
    EXPECT_EQ(many.statusText(), "2401 item(s), 1201 selected");
    many.screenshot("many-weak-items-selected");
    many.close();
    EXPECT_TRUE(many.waitForExit());
}

// What is due shows in the Due column and the status bar; a review asks it with typed answers and grades
// picked by key or taken with Enter, brings an item in learning back, and leaves both up to date; Forget
// Schedule makes an item new again.
TEST_F(Items, ReviewOnTheScheduleShowsWhatIsDue) {
    const UtcTime now = static_cast<UtcTime>(time(nullptr));
    const auto reviewed = [](UtcTime due) {
        ItemSchedule schedule;
        schedule.state = ItemSchedule::REVIEW;
        schedule.stability = 3;
        schedule.difficulty = 5;
        schedule.lastReview = due - 3 * 86400;
        schedule.due = due;
        schedule.reviews = 2;
        return schedule;
    };
    const UtcTime overdue = now - 86400, later = now + 10 * 86400;
    writeDocument(path,
                  {{"Chile", {"Santiago"}, "", 2, 2, reviewed(later)},
                   {"Japan", {"Tokyo"}, "", 0, 0, {}},
                   {"France", {"Paris"}, "", 2, 2, reviewed(overdue)},
                   {"Peru", {"Lima"}, "", 0, 0, {}}},
                  {"Capital"});
    LorvantProcess lorvant(path);
    constexpr std::size_t Due = 7;
    EXPECT_EQ(lorvant.columns().at(Due).title, "Due");
    EXPECT_EQ(column(lorvant, Due),
              (Texts{Win::localDateTimeText(later), "New", Win::localDateTimeText(overdue), "New"}));
    EXPECT_EQ(lorvant.statusText(1), "1 due, 2 new today");
    EXPECT_EQ(lorvant.statusText(), "4 item(s), 0 selected");
    lorvant.finishDrawing();
    lorvant.screenshot("due-column-96dpi");

    // Earliest first, then latest first; new items stay last, in list order.
    lorvant.clickHeader(Due);
    EXPECT_EQ(column(lorvant, 1), (Texts{"France", "Chile", "Japan", "Peru"}));
    lorvant.clickHeader(Due);
    EXPECT_EQ(column(lorvant, 1), (Texts{"Chile", "France", "Japan", "Peru"}));
    EXPECT_EQ(lorvant.statusText(1), "1 due, 2 new today");

    // The due item first, then the new ones in list order; Japan, answered wrong, comes back while
    // in learning.
    lorvant.pressKey('R', {VK_CONTROL});
    HWND dialog = lorvant.waitForWindow("Review Due Items");
    // The dialog posts itself the command of a key's button: waits until it has come to the state awaited.
    const auto settles = [&](const std::function<bool()>& reached) {
        for (int tries = 0; !reached() && tries < 200; ++tries) {
            Sleep(10);
            lorvant.sync();
        }
        return reached();
    };
    const auto ask = [&](const std::string& question, const std::string& answer) {
        ASSERT_TRUE(settles([&] { return LorvantProcess::text(dialog, IDC_QUESTION) == question; }))
            << question;
        lorvant.type(answer);
        lorvant.pressKey(VK_RETURN);
        EXPECT_TRUE(settles([&] { return IsWindowVisible(GetDlgItem(dialog, IDC_GRADE_GOOD)) != FALSE; }))
            << question;
    };
    ask("France", "Paris");
    EXPECT_EQ(LorvantProcess::text(dialog, IDC_VERDICT), "Right");
    lorvant.pressKey('3'); // Good
    ask("Japan", "Osaka");
    EXPECT_EQ(LorvantProcess::text(dialog, IDC_VERDICT), "Wrong");
    lorvant.pressKey(VK_RETURN); // Again, as judged
    ask("Peru", "Lima");
    lorvant.pressKey('4'); // Easy
    ask("Japan", "Tokyo");
    lorvant.pressKey('2'); // Hard: still in learning
    ask("Japan", "Tokyo");
    lorvant.pressKey('1'); // Again
    ask("Japan", "Tokyo");
    lorvant.pressKey('4');
    const std::string summary = lorvant.answerMessageBox("Lorvant", IDOK);
    EXPECT_EQ(summary.rfind("Items reviewed:\t\t6\nAnswered right:\t\t5\nNext item due:", 0), 0u) << summary;
    lorvant.waitUntilGone(dialog);
    EXPECT_EQ(lorvant.statusText(1), "0 due, 0 new today");
    const Texts dues = column(lorvant, Due);
    EXPECT_EQ(std::count(dues.begin(), dues.end(), "New"), 0);
    EXPECT_EQ(column(lorvant, 4), (Texts{"2", "3", "4", "1"})) << "times asked";

    // Forget Schedule asks first; the item is then new again and counts for today.
    const Texts terms = column(lorvant, 1);
    const int peru = static_cast<int>(std::find(terms.begin(), terms.end(), "Peru") - terms.begin());
    lorvant.clickRow(peru);
    lorvant.chooseMenuItem(Lorvant::ItemMenu, "F&orget Schedule");
    EXPECT_EQ(lorvant.answerMessageBox("Please confirm", IDNO),
              "Are you sure you want the selected items to be new again?\nThey will be reviewed as if never "
              "studied.");
    EXPECT_NE(column(lorvant, Due).at(static_cast<std::size_t>(peru)), "New");
    lorvant.clickRow(peru);
    lorvant.chooseMenuItem(Lorvant::ItemMenu, "F&orget Schedule");
    lorvant.answerMessageBox("Please confirm", IDYES);
    EXPECT_EQ(column(lorvant, Due).at(static_cast<std::size_t>(peru)), "New");
    EXPECT_EQ(lorvant.statusText(1), "0 due, 1 new today");

    // The day's limit of new items, from the settings, counts the items started today.
    lorvant.chooseMenuItem(Lorvant::StudyMenu, "&Settings...");
    dialog = lorvant.waitForWindow("Study Settings");
    lorvant.setText(dialog, IDC_NEW_PER_DAY, "2");
    lorvant.closeDialog(dialog, IDOK);
    EXPECT_EQ(lorvant.statusText(1), "0 due, 0 new today");
    lorvant.pressKey('S', {VK_CONTROL});
    lorvant.close();
    EXPECT_TRUE(lorvant.waitForExit());
    EXPECT_EQ(readDocument(path).getReviewLog().getCount(), 6u);
}

// Thousands of scattered selected rows, as Select Weak Items selects them, are held by the program, and the
// list asks for each row's state; every key and click acts on them as on a few rows that the list holds
// itself. Each input, from the same start (the even rows selected, the first focused), leaves the same rows
// selected among the first 41 of a list of 2401 items as in a list of 41, and the rest of the long list
// selected as rows 22 to 40 of the short one are: all, the even ones or none.
TEST_F(Items, KeysAndClicksActAlikeOnAFewAndOnThousandsOfSelectedRows) {
    using Act = void (*)(LorvantProcess&);
    const std::vector<std::pair<const char*, Act>> inputs = {
        {"typing 1", [](LorvantProcess& l) { l.pressKey('1'); }},
        {"Space", [](LorvantProcess& l) { l.pressKey(VK_SPACE); }},
        {"Ctrl+Space", [](LorvantProcess& l) { l.pressKey(VK_SPACE, {VK_CONTROL}); }},
        {"Shift+Space", [](LorvantProcess& l) { l.pressKey(VK_SPACE, {VK_SHIFT}); }},
        {"Ctrl+Down, Space",
         [](LorvantProcess& l) {
             l.pressKey(VK_DOWN, {VK_CONTROL});
             l.pressKey(VK_SPACE);
         }},
        {"Ctrl+Down, Ctrl+Space",
         [](LorvantProcess& l) {
             l.pressKey(VK_DOWN, {VK_CONTROL});
             l.pressKey(VK_SPACE, {VK_CONTROL});
         }},
        {"Ctrl+Down twice, Ctrl+Space",
         [](LorvantProcess& l) {
             l.pressKey(VK_DOWN, {VK_CONTROL});
             l.pressKey(VK_DOWN, {VK_CONTROL});
             l.pressKey(VK_SPACE, {VK_CONTROL});
         }},
        {"Ctrl+Down, Shift+Down",
         [](LorvantProcess& l) {
             l.pressKey(VK_DOWN, {VK_CONTROL});
             l.pressKey(VK_DOWN, {VK_SHIFT});
         }},
        {"Ctrl+Down, Ctrl+Shift+Down",
         [](LorvantProcess& l) {
             l.pressKey(VK_DOWN, {VK_CONTROL});
             l.pressKey(VK_DOWN, {VK_CONTROL, VK_SHIFT});
         }},
        {"Down", [](LorvantProcess& l) { l.pressKey(VK_DOWN); }},
        {"Shift+Down", [](LorvantProcess& l) { l.pressKey(VK_DOWN, {VK_SHIFT}); }},
        {"Shift+End", [](LorvantProcess& l) { l.pressKey(VK_END, {VK_SHIFT}); }},
        {"Ctrl+A", [](LorvantProcess& l) { l.pressKey('A', {VK_CONTROL}); }},
        {"click", [](LorvantProcess& l) { l.clickRow(3); }},
        {"click, Shift+Down",
         [](LorvantProcess& l) {
             l.clickRow(5);
             l.pressKey(VK_DOWN, {VK_SHIFT});
         }},
        {"Ctrl+click on the focused row", [](LorvantProcess& l) { l.ctrlClickRow(0); }},
        {"Ctrl+click on a selected row", [](LorvantProcess& l) { l.ctrlClickRow(4); }},
        {"Ctrl+click on a row not selected", [](LorvantProcess& l) { l.ctrlClickRow(3); }},
        {"Ctrl+click twice",
         [](LorvantProcess& l) {
             l.ctrlClickRow(3);
             l.ctrlClickRow(3);
         }},
        {"Shift+click", [](LorvantProcess& l) { l.shiftClickRow(3); }},
        {"Ctrl+click, Shift+click",
         [](LorvantProcess& l) {
             l.ctrlClickRow(3);
             l.shiftClickRow(7);
         }},
        {"right click on a selected row",
         [](LorvantProcess& l) {
             l.rightClickRow(2);
             l.trackedMenu();
             l.pressKey(VK_ESCAPE);
         }},
        {"right click on a row not selected",
         [](LorvantProcess& l) {
             l.rightClickRow(3);
             l.trackedMenu();
             l.pressKey(VK_ESCAPE);
         }},
    };
    std::vector<Selection> outcomes[2];
    for (const int count : {41, 2401}) {
        std::vector<TestItem> items;
        for (int i = 0; i < count; ++i)
            items.push_back({"term " + std::to_string(i), {"answer"}, "", 5, i % 2 ? 5 : 1});
        writeDocument(path, items);
        LorvantProcess lorvant(path);
        for (const auto& [name, act] : inputs) {
            SCOPED_TRACE(std::string(name) + " on " + std::to_string(count) + " items");
            lorvant.closeDialog(selectWeak(lorvant), IDOK);
            act(lorvant);
            lorvant.sync();
            outcomes[count > 41].push_back(lorvant.selectedRows());
            EXPECT_EQ(lorvant.statusText(), std::to_string(count) + " item(s), " +
                                                std::to_string(outcomes[count > 41].back().size()) +
                                                " selected");
        }
        lorvant.close();
        EXPECT_TRUE(lorvant.waitForExit());
    }
    // Which of the rows from..to - 1 are selected.
    const auto part = [](const Selection& rows, int from, int to) {
        Selection result;
        std::copy_if(rows.begin(), rows.end(), std::back_inserter(result),
                     [&](int row) { return row >= from && row < to; });
        return result;
    };
    const auto kind = [&](const Selection& rows, int from, int to) {
        const Selection selected = part(rows, from, to);
        if (selected.empty())
            return "none";
        if (static_cast<int>(selected.size()) == to - from)
            return "all";
        const bool even = std::all_of(selected.begin(), selected.end(), [](int row) { return row % 2 == 0; });
        return even && static_cast<int>(selected.size()) == (to - from + 1) / 2 ? "even" : "some";
    };
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        SCOPED_TRACE(inputs[i].first);
        const Selection& few = outcomes[0].at(i);
        const Selection& many = outcomes[1].at(i);
        EXPECT_EQ(part(many, 0, 41), few);
        EXPECT_EQ(kind(many, 41, 2401), kind(few, 22, 41)) << "the rest of the long list";
    }
}

} // namespace
