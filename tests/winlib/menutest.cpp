#include "WinLib/menu.h"
#include "WinLib/command.h"
#include "WinLib/exception.h"
#include "WinLib/maker.h"
#include "tests/winlib/testcommander.h"
#include "tests/winlib/testwindow.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const Menu::Item morePopup[] = {{Menu::CMD, "&Check", "Check", nullptr},
                                {Menu::END, nullptr, nullptr, nullptr}};
const Menu::Item filePopup[] = {{Menu::CMD, "&Open...\tCtrl+O", "Open", nullptr},
                                {Menu::CMD, "&Save", "Save", nullptr},
                                {Menu::SEPARATOR, nullptr, nullptr, nullptr},
                                {Menu::SEPARATOR, nullptr, nullptr, nullptr},
                                {Menu::POP, "&More", nullptr, morePopup},
                                {Menu::CMD, "E&xit", "Exit", nullptr},
                                {Menu::END, nullptr, nullptr, nullptr}};
const Menu::Item helpPopup[] = {{Menu::CMD, "&Check", "Check", nullptr},
                                {Menu::END, nullptr, nullptr, nullptr}};
const Menu::Item bar[] = {{Menu::POP, "&File", "File", filePopup},
                          {Menu::POP, "&Help", "Help", helpPopup},
                          {Menu::END, nullptr, nullptr, nullptr}};

std::string label(HMENU menu, int position) {
    char text[100] = "";
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

UINT state(HMENU menu, int position) {
    return GetMenuState(menu, position, MF_BYPOSITION);
}

bool isGrayed(HMENU menu, int position) {
    return (state(menu, position) & MF_GRAYED) != 0;
}
bool isChecked(HMENU menu, int position) {
    return (state(menu, position) & MF_CHECKED) != 0;
}

// Fills its popup with one item per refresh, so that tests see how often it was refreshed.
class CountingPopup : public Menu::DynamicMaker {
public:
    void refresh(HMENU menu) override {
        refreshed = menu;
        removeAllItems();
        ++count;
        for (int i = 0; i < count; ++i)
            addItem(100 + i, ("Recent " + std::to_string(i + 1)).c_str());
    }
    HMENU refreshed = nullptr;
    int count = 0;
};

class MenuTest : public ::testing::Test {
protected:
    TestCommander commander;
    Cmd::VectorExec<TestCommander> commands{testCommands, &commander};
};

template <class Action> std::string assertionOf(Action action) {
    try {
        action();
    } catch (const Win::AssertionFailure& e) {
        return e.what();
    }
    return "";
}

} // namespace

TEST_F(MenuTest, BarIsBuiltFromTheTemplate) {
    Menu::BarMaker maker(bar, commands);
    HMENU menu = maker.getHandle();
    ASSERT_EQ(GetMenuItemCount(menu), 2);
    EXPECT_EQ(label(menu, 0), "&File");
    EXPECT_EQ(label(menu, 1), "&Help");

    HMENU file = GetSubMenu(menu, 0);
    ASSERT_EQ(GetMenuItemCount(file), 6);
    EXPECT_EQ(label(file, 0), "&Open...\tCtrl+O");
    EXPECT_EQ(GetMenuItemID(file, 0), static_cast<UINT>(commands.cmdToId("Open")));
    EXPECT_EQ(GetMenuItemID(file, 1), static_cast<UINT>(commands.cmdToId("Save")));
    // Two adjacent separators stay two.
    EXPECT_TRUE(state(file, 2) & MF_SEPARATOR);
    EXPECT_TRUE(state(file, 3) & MF_SEPARATOR);
    HMENU more = GetSubMenu(file, 4);
    ASSERT_NE(more, nullptr);
    EXPECT_EQ(label(file, 4), "&More");
    EXPECT_EQ(GetMenuItemID(more, 0), static_cast<UINT>(commands.cmdToId("Check")));
    EXPECT_EQ(GetMenuItemID(file, 5), static_cast<UINT>(commands.cmdToId("Exit")));
}

TEST_F(MenuTest, PopupItemStatesFollowTheTestsEachTimeItOpens) {
    Menu::BarMaker maker(bar, commands);
    HMENU file = GetSubMenu(maker.getHandle(), 0);
    HMENU more = GetSubMenu(file, 4);

    commander.statuses["Open"] = Cmd::DISABLED;
    commander.statuses["Exit"] = Cmd::CHECKED;
    commander.statuses["Check"] = Cmd::DISABLED;
    maker.initPopup(file);
    EXPECT_TRUE(isGrayed(file, 0));
    EXPECT_FALSE(isGrayed(file, 1));
    EXPECT_FALSE(isChecked(file, 1));
    EXPECT_TRUE(isChecked(file, 5));
    EXPECT_FALSE(isGrayed(file, 5));
    // The nested popup is brought up to date when it opens itself.
    EXPECT_FALSE(isGrayed(more, 0));
    maker.initPopup(more);
    EXPECT_TRUE(isGrayed(more, 0));

    commander.statuses["Open"] = Cmd::ENABLED;
    commander.statuses["Exit"] = Cmd::ENABLED;
    maker.initPopup(file);
    EXPECT_FALSE(isGrayed(file, 0));
    EXPECT_FALSE(isChecked(file, 5));
    EXPECT_EQ(commander.ran, "") << "refreshing a popup ran a command";
}

TEST_F(MenuTest, PopupOpenedThroughTheWindowIsRefreshed) {
    struct Owner : Win::Controller {
        Menu::BarMaker* maker = nullptr;
        bool onInitPopup(HMENU popup, int) override {
            maker->initPopup(popup);
            return true;
        }
    } ctrl;
    TestWindow window(ctrl);
    Menu::BarMaker maker(bar, commands);
    ctrl.maker = &maker;
    HMENU menu = maker.getHandle();
    maker.attach(window.get());
    EXPECT_EQ(GetMenu(window.get()), menu);

    commander.statuses["Save"] = Cmd::DISABLED;
    HMENU file = GetSubMenu(menu, 0);
    SendMessageA(window.get(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), MAKELPARAM(0, 0));
    EXPECT_TRUE(isGrayed(file, 1));
}

TEST_F(MenuTest, DynamicPopupIsRefreshedInsteadOfWalked) {
    Menu::BarMaker maker(bar, commands);
    CountingPopup recent;
    recent.refresh(recent.getHandle());
    maker.insertDynamic(recent, "Open Recent", 0, 3);

    HMENU file = GetSubMenu(maker.getHandle(), 0);
    ASSERT_EQ(GetMenuItemCount(file), 7);
    EXPECT_EQ(label(file, 3), "Open Recent");
    EXPECT_EQ(GetSubMenu(file, 3), recent.getHandle());
    EXPECT_TRUE(state(file, 2) & MF_SEPARATOR);
    EXPECT_TRUE(state(file, 4) & MF_SEPARATOR);

    // The static walk still finds its items by command, around the inserted popup.
    commander.statuses["Exit"] = Cmd::DISABLED;
    maker.initPopup(file);
    EXPECT_TRUE(isGrayed(file, 6));
    EXPECT_EQ(recent.count, 1);

    maker.initPopup(recent.getHandle());
    EXPECT_EQ(recent.count, 2);
    EXPECT_EQ(recent.refreshed, recent.getHandle());
    EXPECT_EQ(GetMenuItemCount(recent.getHandle()), 2);
    EXPECT_EQ(label(recent.getHandle(), 1), "Recent 2");
}

TEST_F(MenuTest, UnknownPopupsAndIllegalStatusesAreErrors) {
    Menu::BarMaker maker(bar, commands);
    Menu::PopupMaker stranger;
    try {
        maker.initPopup(stranger.getHandle());
        FAIL() << "refreshed a popup that is not the bar's";
    } catch (const Win::Exception& e) {
        EXPECT_STREQ(e.getMessage(), "Internal error: Unknown menu initialization");
    }
    commander.statuses["Save"] = static_cast<Cmd::Status>(3);
    try {
        maker.initPopup(GetSubMenu(maker.getHandle(), 0));
        FAIL() << "accepted status 3";
    } catch (const Win::Exception& e) {
        EXPECT_STREQ(e.getMessage(), "Internal error: Illegal command status");
    }
}

TEST_F(MenuTest, TemplateMistakesAreAssertions) {
    const Menu::Item notAPopup[] = {{Menu::CMD, "&Open", "Open", nullptr},
                                    {Menu::END, nullptr, nullptr, nullptr}};
    EXPECT_NE(
        assertionOf([&] { Menu::BarMaker m(notAPopup, commands); }).find("_template[curMenu].kind==POP"),
        std::string::npos);
    const Menu::Item noItems[] = {{Menu::POP, "&File", "File", nullptr},
                                  {Menu::END, nullptr, nullptr, nullptr}};
    EXPECT_NE(assertionOf([&] { Menu::BarMaker m(noItems, commands); }).find("popupItems!=0"),
              std::string::npos);
    const Menu::Item badKind[] = {{static_cast<Menu::Kind>(7), "?", nullptr, nullptr},
                                  {Menu::END, nullptr, nullptr, nullptr}};
    const Menu::Item badBar[] = {{Menu::POP, "&File", "File", badKind},
                                 {Menu::END, nullptr, nullptr, nullptr}};
    EXPECT_NE(
        assertionOf([&] { Menu::BarMaker m(badBar, commands); }).find("popupItems[curItem].kind==SEPARATOR"),
        std::string::npos);
    const Menu::Item misspelt[] = {{Menu::CMD, "&Open", "Opn", nullptr},
                                   {Menu::END, nullptr, nullptr, nullptr}};
    const Menu::Item misspeltBar[] = {{Menu::POP, "&File", "File", misspelt},
                                      {Menu::END, nullptr, nullptr, nullptr}};
    EXPECT_NE(assertionOf([&] { Menu::BarMaker m(misspeltBar, commands); }).find("cmdId!=-1"),
              std::string::npos);

    Menu::BarMaker maker(bar, commands);
    CountingPopup recent;
    EXPECT_NE(assertionOf([&] { maker.insertDynamic(recent, "Recent", 2, 0); }).find("menuIdx<_barItemCnt"),
              std::string::npos);
}

TEST(MenuMaker, OwnsItsMenuUntilReleased) {
    HMENU owned;
    {
        Menu::Maker maker;
        owned = maker.getHandle();
        maker.addItem(5, "Five");
        EXPECT_TRUE(IsMenu(owned));
    }
    EXPECT_FALSE(IsMenu(owned)) << "the maker did not destroy its menu";

    HMENU released;
    {
        Menu::Maker maker;
        released = maker.release();
    }
    EXPECT_TRUE(IsMenu(released)) << "the maker destroyed a menu it had handed over";

    // A popup added to a parent goes with the parent.
    HMENU popupHandle;
    {
        Menu::Maker parent;
        Menu::PopupMaker popup;
        popupHandle = popup.getHandle();
        parent.addPopup(popup, "Popup");
        EXPECT_EQ(GetSubMenu(parent.getHandle(), 0), popupHandle);
        EXPECT_TRUE(IsMenu(popupHandle));
    }
    EXPECT_FALSE(IsMenu(popupHandle));

    // Failures carry their messages: the menu is gone under the maker.
    Menu::Maker broken;
    DestroyMenu(broken.release());
    try {
        broken.addItem(1, "One");
        FAIL() << "added an item to a destroyed menu";
    } catch (const Win::Exception& e) {
        EXPECT_STREQ(e.getMessage(), "Internal error: cannot add menu item");
    }
    try {
        broken.addSeparator();
        FAIL() << "added a separator to a destroyed menu";
    } catch (const Win::Exception& e) {
        EXPECT_STREQ(e.getMessage(), "Internal error: cannot add menu separator");
    }
    Menu::PopupMaker orphan;
    try {
        broken.addPopup(orphan, "Popup");
        FAIL() << "added a popup to a destroyed menu";
    } catch (const Win::Exception& e) {
        EXPECT_STREQ(e.getMessage(), "Internal error: cannot add popup menu");
    }
    EXPECT_TRUE(IsMenu(orphan.getHandle())) << "a popup that could not be added must stay with its maker";
    DestroyMenu(released);
}

TEST(MenuMaker, AttachFailsOnAChildWindow) {
    TestCommander commander;
    Cmd::VectorExec<TestCommander> commands(testCommands, &commander);
    Menu::BarMaker maker(bar, commands);
    struct Plain : Win::Controller {
    } ctrl;
    TestWindow window(ctrl);
    // Child windows cannot have a menu bar.
    HWND child = Win::ChildMaker("STATIC", window.get(), 9).create("");
    try {
        maker.attach(child);
        FAIL() << "attached a menu bar to a child window";
    } catch (const Win::Exception& e) {
        EXPECT_STREQ(e.getMessage(), "Internal error: Cannot attach menu");
    }
    EXPECT_TRUE(IsMenu(maker.getHandle()));
}
