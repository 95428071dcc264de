#include "WinLib/menu.h"
#include "WinLib/exception.h"

#include <gtest/gtest.h>

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
