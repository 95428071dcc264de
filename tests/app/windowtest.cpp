// The main window: title, status bar, columns, menus, toolbar, keys and help, with an empty list, with items
// and with a selection.
#include "tests/app/lorvantprocess.h"
#include "tests/app/testdocuments.h"

#include <commctrl.h>

#include <gtest/gtest.h>

namespace {

using Texts = std::vector<std::string>;

const std::vector<int> ProgramMenu{0};
const std::vector<int> StudySetMenu{1};
const std::vector<int> StudyMenu{1, 9};
const std::vector<int> ItemMenu{2};
const std::vector<int> HelpMenu{3};

Texts titles(const std::vector<LorvantProcess::Column>& columns) {
    Texts result;
    for (const auto& column : columns)
        result.push_back(column.title);
    return result;
}

Texts labels(const std::vector<LorvantProcess::MenuItem>& items) {
    Texts result;
    for (const auto& item : items)
        result.push_back(item.separator() ? "-" : item.label);
    return result;
}

// The labels of the items that are greyed.
Texts greyed(const std::vector<LorvantProcess::MenuItem>& items) {
    Texts result;
    for (const auto& item : items)
        if (!item.separator() && !item.enabled())
            result.push_back(item.label);
    return result;
}

// The texts of the buttons that are not enabled.
Texts disabledButtons(LorvantProcess& lorvant) {
    Texts result;
    for (const auto& button : lorvant.toolbar())
        if (!button.separator && !(button.state & TBSTATE_ENABLED))
            result.push_back(button.text);
    return result;
}

class MainWindow : public ::testing::Test {
protected:
    TestFolder folder;
    const std::string threeItems = folder.path("three.lvd");

    void SetUp() override {
        deleteRecentDocsKey();
        writeDocument(
            threeItems,
            {{"cat", {"Katze"}, "a pet", 4, 2}, {"dog", {"Hund"}, "", 0, 0}, {"cow", {"Kuh"}, "", 3, 1}});
    }
};

TEST_F(MainWindow, StartsEmptyWithItsMenusToolbarAndColumns) {
    LorvantProcess lorvant;
    EXPECT_EQ(lorvant.title(), "Lorvant");
    EXPECT_EQ(lorvant.statusText(), "0 item(s), 0 selected");
    EXPECT_EQ(lorvant.rowCount(), 0);
    const auto columns = lorvant.columns();
    EXPECT_EQ(titles(columns),
              (Texts{"#", "Term", "Definition", "Comment", "Times Asked", "Correct Answers", "Ratio"}));
    // The text columns start at their widths; the number columns fit their largest numbers (the layout test).
    EXPECT_EQ((std::vector<int>{columns[1].width, columns[2].width, columns[3].width}),
              (std::vector<int>{120, 130, 116}));

    EXPECT_EQ(labels(lorvant.menu(ProgramMenu)), (Texts{"&About", "-", "E&xit\tAlt+F4"}));
    EXPECT_EQ(
        labels(lorvant.menu(StudySetMenu)),
        (Texts{"&New...\tCtrl+N", "&Open...\tCtrl+O", "&Save\tCtrl+S", "Save &As...", "-", "Open Recent", "-",
               "C&ustomize...\tCtrl+L", "-", "S&tudy", "-", "&Reset scores", "Stat&istics..."}));
    EXPECT_EQ(labels(lorvant.menu(StudyMenu)),
              (Texts{"&Presentation", "&Multiple choice", "&Questions && Answers", "-", "&Settings..."}));
    EXPECT_EQ(labels(lorvant.menu(ItemMenu)),
              (Texts{"&Add...\tIns", "&Remove\tDel", "&Edit...", "-", "&Find...\tCtrl+F", "Find &Next\tF3",
                     "-", "Select &All\tCtrl+A", "Select &Weak Items..."}));
    EXPECT_EQ(labels(lorvant.menu(HelpMenu)), (Texts{"&Contents and Index\tF1", "Getting &Started"}));

    // With no items nothing can be studied, reset, selected, edited or removed.
    EXPECT_EQ(greyed(lorvant.menu(StudySetMenu)), (Texts{"&Reset scores", "Stat&istics..."}));
    EXPECT_EQ(greyed(lorvant.menu(StudyMenu)),
              (Texts{"&Presentation", "&Multiple choice", "&Questions && Answers"}));
    EXPECT_EQ(greyed(lorvant.menu(ItemMenu)),
              (Texts{"&Remove\tDel", "&Edit...", "&Find...\tCtrl+F", "Find &Next\tF3", "Select &All\tCtrl+A",
                     "Select &Weak Items..."}));
    EXPECT_EQ(greyed(lorvant.menu(ProgramMenu)), Texts{});
    EXPECT_EQ(greyed(lorvant.menu(HelpMenu)), Texts{});

    Texts buttons;
    for (const auto& button : lorvant.toolbar())
        buttons.push_back(button.separator ? "-" : button.text);
    EXPECT_EQ(buttons,
              (Texts{"New", "Open", "Save", "-", "Add", "Edit", "Remove", "-", "Customize", "-", "Help"}));
    EXPECT_EQ(disabledButtons(lorvant), (Texts{"Edit", "Remove"}));

    // Keys of unavailable commands do nothing.
    lorvant.pressKey('A', {VK_CONTROL});
    lorvant.pressKey(VK_DELETE);
    lorvant.pressKey(VK_RETURN);
    EXPECT_EQ(lorvant.statusText(), "0 item(s), 0 selected");
    EXPECT_FALSE(lorvant.hasWindow("Please confirm"));
    EXPECT_FALSE(lorvant.hasWindow("Edit Item"));

    // An unmodified document is closed without a question.
    lorvant.close();
    EXPECT_TRUE(lorvant.waitForExit());
    EXPECT_EQ(lorvant.exitCode(), 0u);
}

TEST_F(MainWindow, FollowsItemsAndSelectionInMenusToolbarKeysAndStatus) {
    LorvantProcess lorvant("\"" + threeItems + "\"");
    EXPECT_EQ(lorvant.title(), "Lorvant - " + threeItems);
    EXPECT_EQ(lorvant.rows(),
              (std::vector<LorvantProcess::Row>{{"1", "cat", "Katze", "a pet", "4", "2", "50 %"},
                                                {"2", "dog", "Hund", "", "0", "0", "0 %"},
                                                {"3", "cow", "Kuh", "", "3", "1", "33 %"}}));
    EXPECT_EQ(lorvant.statusText(), "3 item(s), 0 selected");

    // Items without a selection.
    EXPECT_EQ(greyed(lorvant.menu(StudySetMenu)), Texts{});
    EXPECT_EQ(greyed(lorvant.menu(StudyMenu)), Texts{});
    EXPECT_EQ(greyed(lorvant.menu(ItemMenu)), (Texts{"&Remove\tDel", "&Edit..."}));
    EXPECT_EQ(disabledButtons(lorvant), (Texts{"Edit", "Remove"}));
    lorvant.pressKey(VK_DELETE);
    lorvant.pressKey(VK_RETURN);
    EXPECT_FALSE(lorvant.hasWindow("Please confirm"));
    EXPECT_FALSE(lorvant.hasWindow("Edit Item"));

    lorvant.pressKey('A', {VK_CONTROL});
    EXPECT_EQ(lorvant.statusText(), "3 item(s), 3 selected");
    EXPECT_EQ(lorvant.selectedRows(), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(greyed(lorvant.menu(ItemMenu)), Texts{});
    EXPECT_EQ(disabledButtons(lorvant), Texts{});

    lorvant.clickRow(1);
    EXPECT_EQ(lorvant.statusText(), "3 item(s), 1 selected");
    EXPECT_EQ(lorvant.selectedRows(), (std::vector<int>{1}));
    EXPECT_EQ(disabledButtons(lorvant), Texts{});
    lorvant.clickRow(2);
    lorvant.shiftClickRow(0);
    EXPECT_EQ(lorvant.statusText(), "3 item(s), 3 selected");
    lorvant.clickRow(1);
    EXPECT_EQ(lorvant.statusText(), "3 item(s), 1 selected");

    // The highlighted menu item's help in the status bar, the counts again when the menu closes.
    lorvant.highlightMenuItem(StudySetMenu, 1);
    EXPECT_EQ(lorvant.statusText(), "Open an existing Study List");
    lorvant.highlightMenuItem(StudyMenu, 2);
    EXPECT_EQ(lorvant.statusText(), "Begin a Questions & Answers studying session");
    lorvant.closeMenu();
    EXPECT_EQ(lorvant.statusText(), "3 item(s), 1 selected");

    EXPECT_EQ(lorvant.tooltip("Remove"), "Remove selected item(s)");
    EXPECT_EQ(lorvant.tooltip("Help"), "Help on using Lorvant");

    // The item menu as context menu of the list, from the mouse and from the keyboard.
    lorvant.rightClickRow(2);
    EXPECT_EQ(labels(lorvant.trackedMenu()),
              (Texts{"&Add...\tIns", "&Remove\tDel", "&Edit...", "-", "&Find...\tCtrl+F", "Find &Next\tF3",
                     "-", "Select &All\tCtrl+A", "Select &Weak Items..."}));
    EXPECT_EQ(greyed(lorvant.trackedMenu()), Texts{});
    lorvant.pressKey(VK_ESCAPE);
    lorvant.selectRows({});
    EXPECT_EQ(lorvant.statusText(), "3 item(s), 0 selected");
    lorvant.pressKey(VK_F10, {VK_SHIFT});
    EXPECT_EQ(greyed(lorvant.trackedMenu()), (Texts{"&Remove\tDel", "&Edit..."}));
    lorvant.pressKey(VK_ESCAPE);

    // Typing finds the next row whose number starts with what was typed, and only such a row.
    lorvant.selectRows({2});
    lorvant.pressKey('2');
    EXPECT_EQ(lorvant.selectedRows(), (std::vector<int>{1}));
    EXPECT_EQ(lorvant.statusText(), "3 item(s), 1 selected");
    lorvant.pressKey('X');
    EXPECT_EQ(lorvant.selectedRows(), (std::vector<int>{1}));

    lorvant.close();
    EXPECT_TRUE(lorvant.waitForExit());
}

TEST_F(MainWindow, KeepsToolbarOnTopStatusBarAtTheBottomAndTheListBetween) {
    LorvantProcess lorvant(threeItems);
    for (const SIZE size : {SIZE{700, 500}, SIZE{420, 300}, SIZE{900, 650}}) {
        SetWindowPos(lorvant.mainWindow(), nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
        lorvant.sync();
        RECT client{}, toolbar{}, list{}, status{};
        GetClientRect(lorvant.mainWindow(), &client);
        MapWindowPoints(lorvant.mainWindow(), nullptr, reinterpret_cast<POINT*>(&client), 2);
        GetWindowRect(GetDlgItem(lorvant.mainWindow(), 3), &toolbar);
        GetWindowRect(GetDlgItem(lorvant.mainWindow(), 2), &list);
        GetWindowRect(GetDlgItem(lorvant.mainWindow(), 1), &status);
        EXPECT_EQ(toolbar.top, client.top) << size.cx;
        EXPECT_EQ(list.top, toolbar.bottom) << size.cx;
        EXPECT_EQ(list.bottom, status.top) << size.cx;
        EXPECT_EQ(status.bottom, client.bottom) << size.cx;
        EXPECT_EQ(list.left, client.left) << size.cx;
        EXPECT_EQ(list.right, client.right) << size.cx;
    }
    lorvant.close();
    EXPECT_TRUE(lorvant.waitForExit());
}

// An error that nothing else handles ends the program with a message; here, a command the program does not
// have.
TEST_F(MainWindow, EndsWithAnErrorBoxOnAnErrorThatNothingHandles) {
    LorvantProcess lorvant;
    PostMessageA(lorvant.mainWindow(), WM_COMMAND, 5000, 0);
    EXPECT_NE(lorvant.answerMessageBox("Lorvant Error", IDOK), "");
    EXPECT_TRUE(lorvant.waitForExit());
    EXPECT_EQ(static_cast<int>(lorvant.exitCode()), -1);
}

TEST_F(MainWindow, OpensHelpAndTheAboutBox) {
    LorvantProcess lorvant;
    lorvant.chooseMenuItem(ProgramMenu, "&About");
    HWND about = lorvant.waitForWindow("About Lorvant");
    lorvant.pressKey(VK_ESCAPE);
    lorvant.waitUntilGone(about);
    lorvant.chooseMenuItem(ProgramMenu, "&About");
    about = lorvant.waitForWindow("About Lorvant");
    lorvant.click(about, IDOK);
    lorvant.waitUntilGone(about);

    // F1 reaches the help viewer, which names its window after the help file's title.
    lorvant.pressKey(VK_F1);
    HWND help = lorvant.waitForWindow("Lorvant Help");
    EXPECT_EQ(lorvant.otherWindows(), (Texts{"Lorvant Help"}));
    lorvant.clickButton("Help");
    lorvant.chooseMenuItem(HelpMenu, "Getting &Started");
    EXPECT_EQ(lorvant.otherWindows(), (Texts{"Lorvant Help"}));

    // Closing the program closes its help.
    lorvant.close();
    EXPECT_TRUE(lorvant.waitForExit());
    EXPECT_FALSE(IsWindow(help));
}

// Keys typed into the help window belong to it: Del there deletes nothing, while the main window keeps its
// keys.
TEST_F(MainWindow, KeysTypedIntoHelpStayInHelp) {
    LorvantProcess lorvant(threeItems);
    lorvant.clickRow(0);
    lorvant.pressKey(VK_F1);
    HWND help = lorvant.waitForWindow("Lorvant Help");
    PostMessageA(help, WM_KEYDOWN, VK_DELETE, 0x01530001);
    PostMessageA(help, WM_KEYUP, VK_DELETE, 0xC1530001);
    EXPECT_EQ(lorvant.otherWindows(), (Texts{"Lorvant Help"}));
    EXPECT_EQ(lorvant.rowCount(), 3);

    HWND list = GetDlgItem(lorvant.mainWindow(), 2);
    PostMessageA(list, WM_KEYDOWN, VK_DELETE, 0x01530001);
    PostMessageA(list, WM_KEYUP, VK_DELETE, 0xC1530001);
    EXPECT_EQ(lorvant.answerMessageBox("Please confirm", IDNO),
              "Are you sure you want to delete the selected items?");
    lorvant.close();
    EXPECT_TRUE(lorvant.waitForExit());
}

// A dialog or menu that a click in the list brings up leaves the list drawn behind it.
TEST_F(MainWindow, ListDrawsBehindTheDialogsAndMenusItsClicksOpen) {
    LorvantProcess lorvant(threeItems);
    HWND list = GetDlgItem(lorvant.mainWindow(), 2);
    // The top left of the list, where the rows' numbers and terms are, below the column headings.
    const RECT rows{4, 30, 100, 60};
    lorvant.doubleClickRow(1);
    HWND dialog = lorvant.waitForWindow("Edit Item");
    lorvant.screenshot("list-behind-edit-item");
    EXPECT_FALSE(lorvant.showsOneColour(list, rows));
    lorvant.click(dialog, IDCANCEL);
    lorvant.waitUntilGone(dialog);

    lorvant.rightClickRow(2);
    EXPECT_FALSE(lorvant.trackedMenu().empty());
    lorvant.screenshot("list-behind-item-menu");
    EXPECT_FALSE(lorvant.showsOneColour(list, rows));
    lorvant.closeMenu();
    lorvant.close();
    EXPECT_TRUE(lorvant.waitForExit());
}

// Showing, selecting and sorting the longest list a document may hold.
TEST_F(MainWindow, HandlesTheLargestListAtOnce) {
    const int count = StudyList::MaxTermSetCount;
    std::vector<TestItem> items(count);
    for (int i = 0; i < count; ++i)
        items[static_cast<std::size_t>(i)] = TestItem{"t" + std::to_string(i), {"d"}, "", i % 7, 0};
    const std::string largest = folder.path("largest.lvd");
    writeDocument(largest, items);

    LorvantProcess lorvant(largest);
    EXPECT_EQ(lorvant.rowCount(), count);
    EXPECT_EQ(lorvant.statusText(), "999999 item(s), 0 selected");
    EXPECT_EQ(lorvant.rows(count - 1, 1),
              (std::vector<LorvantProcess::Row>{{"999999", "t999998", "d", "", "6", "0", "0 %"}}));
    lorvant.screenshot("largest-list");

    lorvant.pressKey('A', {VK_CONTROL});
    EXPECT_EQ(lorvant.statusText(), "999999 item(s), 999999 selected");
    lorvant.clickRow(3);
    EXPECT_EQ(lorvant.statusText(), "999999 item(s), 1 selected");
    lorvant.pressKey(VK_END, {VK_SHIFT});
    EXPECT_EQ(lorvant.statusText(), "999999 item(s), 999996 selected");
    lorvant.pressKey('A', {VK_CONTROL});
    lorvant.clickHeader(0);
    EXPECT_EQ(lorvant.statusText(), "999999 item(s), 0 selected");
    EXPECT_EQ(lorvant.rows(0, 1),
              (std::vector<LorvantProcess::Row>{{"999999", "t999998", "d", "", "6", "0", "0 %"}}));
    lorvant.close();
    EXPECT_TRUE(lorvant.waitForExit());
}

} // namespace
