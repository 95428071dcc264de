// Runs at 96, 144 and 192 dots per inch.
#include "WinLib/toolbar.h"
#include "WinLib/command.h"
#include "resources/resource.h"
#include "tests/scripteduser/layoutcheck.h"
#include "tests/winlib/testwindow.h"

#include <gtest/gtest.h>

namespace {

using Item = Win::ToolbarItem;

// Open's test answers what the test sets; Add is always available.
class Commands : public Cmd::Vector {
public:
    Cmd::Status open = Cmd::ENABLED;

    Commands() {
        addName("Open", 0);
        addName("Add", 1);
    }
    void execute(int) override {}
    Cmd::Status test(const char* name) const override { return test(cmdToId(name)); }
    Cmd::Status test(int cmdId) const override { return cmdId == 0 ? open : Cmd::ENABLED; }
    const char* getHelp(int) const override { return ""; }
};

int pictureSize(const Win::Toolbar& toolbar) {
    int width = 0, height = 0;
    ImageList_GetIconSize(
        reinterpret_cast<HIMAGELIST>(SendMessageA(toolbar.getWindow(), TB_GETIMAGELIST, 0, 0)), &width,
        &height);
    return width;
}

} // namespace

TEST(Toolbar, PicturesSuitTheScreensResolutionAndSurviveARemake) {
    const int dpi = LayoutCheck::screenDpi();
    const int expected = dpi >= 192 ? 32 : dpi >= 144 ? 24 : 16;
    Commands commands;
    Win::Controller owner;
    auto window = makeTestWindow(owner);
    const Item standardAndOwn[] = {{Item::BUTTON, Item::STD_IMAGES, STD_FILEOPEN, "Open", "Open"},
                                   {Item::BUTTON, Item::BITMAP, IDB_ADD_ITEM, "Add", "Add"},
                                   {Item::END, Item::STD_IMAGES, 0, nullptr, nullptr}};
    Win::Toolbar toolbar(window.get(), 3, standardAndOwn, commands);
    toolbar.setStandardImages32(IDB_STANDARD_32);
    toolbar.setFlat();
    toolbar.addButtons();
    EXPECT_EQ(pictureSize(toolbar), expected);

    // A remake, as when the window moves to another screen, keeps the id, buttons, style and states.
    commands.open = Cmd::DISABLED;
    toolbar.updateButtons();
    toolbar.remake(Win::Dpi(dpi));
    EXPECT_EQ(GetDlgItem(window.get(), 3), toolbar.getWindow());
    EXPECT_EQ(SendMessageA(toolbar.getWindow(), TB_BUTTONCOUNT, 0, 0), 2);
    EXPECT_TRUE(SendMessageA(toolbar.getWindow(), TB_GETSTYLE, 0, 0) & TBSTYLE_FLAT);
    EXPECT_EQ(SendMessageA(toolbar.getWindow(), TB_GETSTATE, commands.cmdToId("Open"), 0),
              TBSTATE_INDETERMINATE);
    EXPECT_EQ(pictureSize(toolbar), expected);
}
