// The main window as a person walks through it: the list and the status bar, the commands that follow the
// items and the selection in menus, toolbar, keys and context menu, help and the About box, an error nothing
// handles; and its place, size and maximized state, kept in the registry from one run to the next.
#include "tests/app/lorvantprocess.h"
#include "tests/app/testdocuments.h"

#include <commctrl.h>

#include <gtest/gtest.h>

namespace {

using Texts = std::vector<std::string>;

using Lorvant = LorvantProcess;

std::vector<LONG> placeOf(HWND window) {
    RECT place{};
    GetWindowRect(window, &place);
    return {place.left, place.top, place.right, place.bottom};
}

void writePlace(std::initializer_list<std::pair<const char*, DWORD>> values) {
    for (const auto& [name, value] : values)
        RegSetKeyValueA(HKEY_CURRENT_USER, WindowPlacementKey, name, REG_DWORD, &value, sizeof value);
}

// The labels of the items that are greyed.
Texts greyed(const std::vector<LorvantProcess::MenuItem>& items) {
    Texts result;
    for (const auto& item : items)
        if (!item.separator() && !item.enabled())
            result.push_back(item.label);
    return result;
}

Texts disabledButtons(LorvantProcess& lorvant) {
    Texts result;
    for (const auto& button : lorvant.toolbar())
        if (!(button.state & TBSTATE_ENABLED))
            result.push_back(button.text);
    return result;
}

TEST(MainWindow, FollowsTheItemsAndTheSelection) {
    TestFolder folder;
    const std::string path = folder.path("three.lvd");
    writeDocument(
        path, {{"cat", {"Katze"}, "a pet", 4, 2}, {"dog", {"Hund"}, "", 0, 0}, {"cow", {"Kuh"}, "", 3, 1}});
    deleteRecentDocsKey();
    LorvantProcess lorvant("\"" + path + "\"");
    EXPECT_EQ(lorvant.title(), "Lorvant - " + path);
    EXPECT_EQ(lorvant.rows(),
              (std::vector<LorvantProcess::Row>{{"1", "cat", "Katze", "a pet", "4", "2", "50 %", "New"},
                                                {"2", "dog", "Hund", "", "0", "0", "0 %", "New"},
                                                {"3", "cow", "Kuh", "", "3", "1", "33 %", "New"}}));
    EXPECT_EQ(lorvant.statusText(), "3 item(s), 0 selected");

    // Without a selection there is nothing to edit or remove, whether by menu, button or key.
    EXPECT_EQ(greyed(lorvant.menu(Lorvant::StudySetMenu)), Texts{});
    EXPECT_EQ(greyed(lorvant.menu(Lorvant::StudyMenu)), Texts{});
    EXPECT_EQ(greyed(lorvant.menu(Lorvant::ItemMenu)),
              (Texts{"&Remove\tDel", "&Edit...", "F&orget Schedule"}));
    EXPECT_EQ(disabledButtons(lorvant), (Texts{"Edit", "Remove"}));
    lorvant.pressKey(VK_DELETE);
    lorvant.pressKey(VK_RETURN);
    EXPECT_EQ(lorvant.otherWindows(), Texts{});

    lorvant.pressKey('A', {VK_CONTROL});
    EXPECT_EQ(lorvant.statusText(), "3 item(s), 3 selected");
    EXPECT_EQ(greyed(lorvant.menu(Lorvant::ItemMenu)), Texts{});
    EXPECT_EQ(disabledButtons(lorvant), Texts{});
    lorvant.clickRow(1);
    EXPECT_EQ(lorvant.selectedRows(), (std::vector<int>{1}));
    EXPECT_EQ(lorvant.statusText(), "3 item(s), 1 selected");
    lorvant.clickRow(2);
    lorvant.shiftClickRow(0);
    EXPECT_EQ(lorvant.statusText(), "3 item(s), 3 selected");

    // Typing finds the next row whose number starts with what was typed, and only such a row.
    lorvant.pressKey('2');
    EXPECT_EQ(lorvant.selectedRows(), (std::vector<int>{1}));
    lorvant.pressKey('X');
    EXPECT_EQ(lorvant.selectedRows(), (std::vector<int>{1}));

    // The highlighted menu item's help in the status bar, the counts again when the menu closes; a button's
    // help in its tooltip.
    lorvant.highlightMenuItem(Lorvant::StudySetMenu, 1);
    EXPECT_EQ(lorvant.statusText(), "Open an existing Study List");
    lorvant.closeMenu();
    EXPECT_EQ(lorvant.statusText(), "3 item(s), 1 selected");
    EXPECT_EQ(lorvant.tooltip("Remove"), "Remove selected item(s)");

    // The item menu is the list's context menu, from the mouse and from the keyboard. The list stays drawn
    // behind it and behind the dialog a double click opens.
    HWND list = GetDlgItem(lorvant.mainWindow(), 2);
    const RECT firstRows{4, 30, 100, 60}; // numbers and terms, below the headings
    lorvant.rightClickRow(2);
    EXPECT_EQ(greyed(lorvant.trackedMenu()), Texts{});
    lorvant.screenshot("list-behind-item-menu");
    EXPECT_FALSE(lorvant.showsOneColour(list, firstRows));
    lorvant.pressKey(VK_ESCAPE);
    lorvant.selectRows({});
    lorvant.pressKey(VK_F10, {VK_SHIFT});
    EXPECT_EQ(greyed(lorvant.trackedMenu()), (Texts{"&Remove\tDel", "&Edit...", "F&orget Schedule"}));
    lorvant.pressKey(VK_ESCAPE);
    lorvant.doubleClickRow(1);
    HWND dialog = lorvant.waitForWindow("Edit Item");
    lorvant.screenshot("list-behind-edit-item");
    EXPECT_FALSE(lorvant.showsOneColour(list, firstRows));
    lorvant.closeDialog(dialog, IDCANCEL);

    lorvant.chooseMenuItem(Lorvant::ProgramMenu, "&About");
    HWND about = lorvant.waitForWindow("About Lorvant");
    lorvant.pressKey(VK_ESCAPE);
    lorvant.waitUntilGone(about);

    // Help opens once, by key, button or menu. Keys typed into it belong to it: Del there deletes nothing,
    // while the list keeps its keys.
    lorvant.clickRow(0);
    lorvant.pressKey(VK_F1);
    HWND help = lorvant.waitForWindow("Lorvant Help");
    lorvant.clickButton("Help");
    lorvant.chooseMenuItem(Lorvant::HelpMenu, "Getting &Started");
    PostMessageA(help, WM_KEYDOWN, VK_DELETE, 0x01530001);
    PostMessageA(help, WM_KEYUP, VK_DELETE, 0xC1530001);
    EXPECT_EQ(lorvant.otherWindows(), (Texts{"Lorvant Help"}));
    PostMessageA(list, WM_KEYDOWN, VK_DELETE, 0x01530001);
    PostMessageA(list, WM_KEYUP, VK_DELETE, 0xC1530001);
    EXPECT_EQ(lorvant.answerMessageBox("Please confirm", IDYES),
              "Are you sure you want to delete the selected items?");
    EXPECT_EQ(lorvant.rows(0, 1).at(0).at(1), "dog");
    PostMessageA(help, WM_CLOSE, 0, 0);
    lorvant.waitUntilGone(help);

    // With no items nothing can be studied, reset, found, selected, edited or removed.
    lorvant.pressKey('A', {VK_CONTROL});
    lorvant.pressKey(VK_DELETE);
    lorvant.answerMessageBox("Please confirm", IDYES);
    EXPECT_EQ(lorvant.statusText(), "0 item(s), 0 selected");
    EXPECT_EQ(greyed(lorvant.menu(Lorvant::StudySetMenu)), (Texts{"&Reset scores", "Stat&istics..."}));
    EXPECT_EQ(greyed(lorvant.menu(Lorvant::StudyMenu)), (Texts{"Review &Due Items\tCtrl+R", "&Presentation",
                                                               "&Multiple choice", "&Questions && Answers"}));
    EXPECT_EQ(greyed(lorvant.menu(Lorvant::ItemMenu)),
              (Texts{"&Remove\tDel", "&Edit...", "&Find...\tCtrl+F", "Find &Next\tF3", "Select &All\tCtrl+A",
                     "Select &Weak Items...", "F&orget Schedule"}));

    // An error that nothing else handles, here a command the program does not have, ends it with a message.
    PostMessageA(lorvant.mainWindow(), WM_COMMAND, 5000, 0);
    EXPECT_NE(lorvant.answerMessageBox("Lorvant Error", IDOK), "");
    EXPECT_TRUE(lorvant.waitForExit());
    EXPECT_EQ(static_cast<int>(lorvant.exitCode()), -1);
}

// Kept values that are missing, of the wrong type or impossible give the system's place; a place that no
// screen shows any more is moved onto the screen.
TEST(MainWindow, OpensWhereItWasClosedWhenThatCanBeRight) {
    RegDeleteKeyA(HKEY_CURRENT_USER, WindowPlacementKey);
    std::vector<LONG> systemPlace;
    const std::vector<LONG> moved{130, 90, 770, 570};
    {
        LorvantProcess lorvant;
        systemPlace = placeOf(lorvant.mainWindow());
        SetWindowPos(lorvant.mainWindow(), nullptr, 130, 90, 640, 480, SWP_NOZORDER);
        lorvant.close();
        ASSERT_TRUE(lorvant.waitForExit());
    }
    {
        LorvantProcess lorvant;
        EXPECT_EQ(placeOf(lorvant.mainWindow()), moved);
        EXPECT_FALSE(IsZoomed(lorvant.mainWindow()));
        SendMessageA(lorvant.mainWindow(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
        lorvant.close();
        ASSERT_TRUE(lorvant.waitForExit());
    }
    {
        LorvantProcess lorvant;
        EXPECT_TRUE(IsZoomed(lorvant.mainWindow()));
        SendMessageA(lorvant.mainWindow(), WM_SYSCOMMAND, SC_RESTORE, 0);
        EXPECT_EQ(placeOf(lorvant.mainWindow()), moved) << "restored to where it was before it was maximized";
    }

    const struct {
        const char* what;
        void (*spoil)();  // what is wrong with a good place
        bool systemPlace; // else moved onto the screen
    } cases[] = {
        {"a negative width",
         [] {
             writePlace({{"Width", static_cast<DWORD>(-5)}});
         },
         true},
        {"a text for a number",
         [] { RegSetKeyValueA(HKEY_CURRENT_USER, WindowPlacementKey, "Left", REG_SZ, "130", 4); }, true},
        {"a missing value", [] { RegDeleteKeyValueA(HKEY_CURRENT_USER, WindowPlacementKey, "Maximized"); },
         true},
        {"a screen that is gone",
         [] {
             writePlace({{"Left", 9000}, {"Top", 7000}});
         },
         false},
    };
    RECT screen{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &screen, 0);
    for (const auto& test : cases) {
        SCOPED_TRACE(test.what);
        writePlace({{"Left", 130}, {"Top", 90}, {"Width", 640}, {"Height", 480}, {"Maximized", 0}});
        test.spoil();
        LorvantProcess lorvant;
        const std::vector<LONG> place = placeOf(lorvant.mainWindow());
        if (test.systemPlace) {
            EXPECT_EQ(place, systemPlace);
        } else {
            EXPECT_EQ((std::vector<LONG>{place[2] - place[0], place[3] - place[1]}),
                      (std::vector<LONG>{640, 480}));
            EXPECT_TRUE(place[0] >= screen.left && place[1] >= screen.top && place[2] <= screen.right &&
                        place[3] <= screen.bottom);
        }
    }
    RegDeleteKeyA(HKEY_CURRENT_USER, WindowPlacementKey);
}

} // namespace
