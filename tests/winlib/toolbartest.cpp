#include "WinLib/toolbar.h"
#include "WinLib/command.h"
#include "resources/resource.h"
#include "tests/winlib/testcommander.h"
#include "tests/winlib/testwindow.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace {

using Item = Win::ToolbarItem;

const Item toolbarTemplate[] = {{Item::BUTTON, Item::STD_IMAGES, STD_FILEOPEN, "Open", "Open"},
                                {Item::BUTTON, Item::STD_IMAGES, STD_FILESAVE, "Save", "Save"},
                                {Item::SEPARATOR, Item::STD_IMAGES, 6, nullptr, nullptr},
                                {Item::BUTTON, Item::BITMAP, IDB_ADD_ITEM, "Add", "Exit"},
                                {Item::CHECK, Item::VIEW_IMAGES, VIEW_DETAILS, "Details", "Check"},
                                {Item::END, Item::STD_IMAGES, 0, nullptr, nullptr}};

// Answers tooltips with the commands' help texts, as the main window does.
class ToolbarOwner : public Win::Controller {
public:
    const Cmd::Vector* commands = nullptr;
    int askedId = -1;

    bool onNeedText(HWND, int fromId, char (&textBuffer)[Win::NeedTextSize]) override {
        askedId = fromId;
        std::strncpy(textBuffer, commands->getHelp(fromId), Win::NeedTextSize - 1);
        return true;
    }
};

int state(HWND toolbar, int cmdId) {
    return static_cast<int>(SendMessageA(toolbar, TB_GETSTATE, cmdId, 0));
}

class ToolbarTest : public ::testing::Test {
protected:
    ToolbarTest() {
        owner.commands = &commands;
        INITCOMMONCONTROLSEX init{sizeof(init), ICC_BAR_CLASSES};
        InitCommonControlsEx(&init);
    }

    TestCommander commander;
    Cmd::VectorExec<TestCommander> commands{testCommands, &commander};
    ToolbarOwner owner;
    TestWindow window{owner};
};

} // namespace

// The tests run at 96, 144 and 192 dots per inch.
TEST_F(ToolbarTest, PicturesSuitTheScreensResolutionAndSurviveARemake) {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    const int expected = dpi >= 192 ? 32 : dpi >= 144 ? 24 : 16;
    const auto pictureSize = [](const Win::Toolbar& toolbar) {
        int width = 0, height = 0;
        ImageList_GetIconSize(
            reinterpret_cast<HIMAGELIST>(SendMessageA(toolbar.getWindow(), TB_GETIMAGELIST, 0, 0)), &width,
            &height);
        EXPECT_EQ(width, height);
        return width;
    };
    const Item standardAndOwn[] = {{Item::BUTTON, Item::STD_IMAGES, STD_FILEOPEN, "Open", "Open"},
                                   {Item::BUTTON, Item::BITMAP, IDB_ADD_ITEM, "Add", "Exit"},
                                   {Item::END, Item::STD_IMAGES, 0, nullptr, nullptr}};
    Win::Toolbar toolbar(window.get(), 3, standardAndOwn, commands);
    toolbar.setStandardImages32(IDB_STANDARD_32);
    toolbar.setFlat();
    toolbar.addButtons();
    EXPECT_EQ(pictureSize(toolbar), expected);

    // The system has no view images of 32 pixels.
    Win::Toolbar withViewImages(window.get(), 4, toolbarTemplate, commands);
    withViewImages.setStandardImages32(IDB_STANDARD_32);
    withViewImages.addButtons();
    EXPECT_EQ(pictureSize(withViewImages), std::min(expected, 24));

    commander.statuses["Open"] = Cmd::DISABLED;
    toolbar.updateButtons();
    HWND before = toolbar.getWindow();
    toolbar.remake(Win::Dpi(dpi));
    EXPECT_NE(toolbar.getWindow(), before);
    EXPECT_EQ(GetDlgItem(window.get(), 3), toolbar.getWindow());
    EXPECT_EQ(SendMessageA(toolbar.getWindow(), TB_BUTTONCOUNT, 0, 0), 2);
    EXPECT_TRUE(SendMessageA(toolbar.getWindow(), TB_GETSTYLE, 0, 0) & TBSTYLE_FLAT);
    EXPECT_EQ(state(toolbar.getWindow(), commands.cmdToId("Open")), TBSTATE_INDETERMINATE);
    EXPECT_EQ(pictureSize(toolbar), expected);
}

TEST_F(ToolbarTest, TooltipsAskTheParentForTheCommandsHelp) {
    Win::Toolbar toolbar(window.get(), 3, toolbarTemplate, commands);
    toolbar.setToolTips();
    toolbar.addButtons();
    HWND tips = reinterpret_cast<HWND>(SendMessageA(toolbar.getWindow(), TB_GETTOOLTIPS, 0, 0));
    ASSERT_NE(tips, nullptr);
    char text[Win::NeedTextSize] = "";
    TTTOOLINFOA tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = toolbar.getWindow();
    tool.uId = commands.cmdToId("Save");
    tool.lpszText = text;
    SendMessageA(tips, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
    EXPECT_EQ(owner.askedId, commands.cmdToId("Save"));
    EXPECT_STREQ(text, "Save the file");
}
