#include "WinLib/toolbar.h"
#include "WinLib/classmaker.h"
#include "WinLib/command.h"
#include "WinLib/exception.h"
#include "WinLib/statusbar.h"
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

const Item bitmapsOnly[] = {{Item::BUTTON, Item::BITMAP, IDB_HELP, "Help", "Open"},
                            {Item::SEPARATOR, Item::BITMAP, 6, nullptr, nullptr},
                            {Item::BUTTON, Item::BITMAP, IDB_REMOVE_ITEM, "Remove", "Save"},
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

TBBUTTON button(HWND toolbar, int index) {
    TBBUTTON result{};
    SendMessageA(toolbar, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&result));
    return result;
}

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

TEST_F(ToolbarTest, ButtonsComeFromTheTemplate) {
    Win::Toolbar toolbar(window.get(), 3, toolbarTemplate, commands);
    toolbar.setFlat();
    toolbar.setToolTips();
    toolbar.addButtons();
    HWND bar = toolbar.getWindow();
    EXPECT_EQ(GetDlgItem(window.get(), 3), bar);
    LRESULT style = SendMessageA(bar, TB_GETSTYLE, 0, 0);
    EXPECT_TRUE(style & TBSTYLE_FLAT);
    EXPECT_TRUE(style & TBSTYLE_TOOLTIPS);

    ASSERT_EQ(SendMessageA(bar, TB_BUTTONCOUNT, 0, 0), 5);
    // The standard images come first, then the twelve view images, then the program's bitmaps as they are
    // met.
    int imageCount =
        ImageList_GetImageCount(reinterpret_cast<HIMAGELIST>(SendMessageA(bar, TB_GETIMAGELIST, 0, 0)));
    TBBUTTON open = button(bar, 0);
    EXPECT_EQ(open.idCommand, commands.cmdToId("Open"));
    EXPECT_EQ(open.iBitmap, STD_FILEOPEN);
    EXPECT_EQ(open.fsStyle, TBSTYLE_BUTTON);
    EXPECT_EQ(button(bar, 1).iBitmap, STD_FILESAVE);
    TBBUTTON separator = button(bar, 2);
    EXPECT_EQ(separator.fsStyle, TBSTYLE_SEP);
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(separator.iBitmap, MulDiv(6, GetDeviceCaps(screen, LOGPIXELSY), 96))
        << "6 pixels at 96 dots per inch";
    ReleaseDC(nullptr, screen);
    TBBUTTON add = button(bar, 3);
    EXPECT_EQ(add.idCommand, commands.cmdToId("Exit"));
    EXPECT_EQ(add.iBitmap, imageCount - 1);
    TBBUTTON details = button(bar, 4);
    EXPECT_EQ(details.fsStyle, TBSTYLE_CHECK);
    EXPECT_EQ(details.iBitmap, add.iBitmap - 12 + VIEW_DETAILS);

    char text[32] = "";
    SendMessageA(bar, TB_GETBUTTONTEXTA, commands.cmdToId("Save"), reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "Save");
    EXPECT_GT(toolbar.getHeight(), 16);
}

TEST_F(ToolbarTest, ProgramBitmapsAloneLoadNoSystemImages) {
    Win::Toolbar toolbar(window.get(), 3, bitmapsOnly, commands);
    toolbar.addButtons();
    EXPECT_EQ(button(toolbar.getWindow(), 0).iBitmap, 0);
    EXPECT_EQ(button(toolbar.getWindow(), 2).iBitmap, 1);

    // A separator that names the standard images is enough to load them.
    const Item withSeparator[] = {{Item::SEPARATOR, Item::STD_IMAGES, 6, nullptr, nullptr},
                                  {Item::BUTTON, Item::BITMAP, IDB_HELP, "Help", "Open"},
                                  {Item::END, Item::STD_IMAGES, 0, nullptr, nullptr}};
    Win::Toolbar second(window.get(), 4, withSeparator, commands);
    second.addButtons();
    EXPECT_GE(button(second.getWindow(), 1).iBitmap, 14);
}

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

TEST_F(ToolbarTest, ButtonStatesFollowTheTests) {
    Win::Toolbar toolbar(window.get(), 3, toolbarTemplate, commands);
    toolbar.addButtons();
    HWND bar = toolbar.getWindow();
    commander.statuses["Open"] = Cmd::DISABLED;
    commander.statuses["Check"] = Cmd::CHECKED;
    toolbar.updateButtons();
    EXPECT_EQ(state(bar, commands.cmdToId("Open")), TBSTATE_INDETERMINATE);
    EXPECT_FALSE(SendMessageA(bar, TB_ISBUTTONENABLED, commands.cmdToId("Open"), 0));
    EXPECT_EQ(state(bar, commands.cmdToId("Save")), TBSTATE_ENABLED);
    EXPECT_EQ(state(bar, commands.cmdToId("Check")), TBSTATE_CHECKED | TBSTATE_ENABLED);

    commander.statuses["Open"] = Cmd::ENABLED;
    commander.statuses["Check"] = Cmd::ENABLED;
    toolbar.updateButtons();
    EXPECT_EQ(state(bar, commands.cmdToId("Open")), TBSTATE_ENABLED);
    EXPECT_EQ(state(bar, commands.cmdToId("Check")), TBSTATE_ENABLED);

    commander.statuses["Save"] = static_cast<Cmd::Status>(5);
    EXPECT_THROW(toolbar.updateButtons(), Win::Exception);
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

TEST_F(ToolbarTest, StatusBarKeepsItsHeightAndSitsAtTheBottom) {
    Win::StatusBar status(window.get(), 1);
    HWND bar = status.create();
    EXPECT_EQ(status.getWindow(), bar);
    EXPECT_EQ(GetDlgCtrlID(bar), 1);
    EXPECT_TRUE(GetWindowLongA(bar, GWL_STYLE) & SBARS_SIZEGRIP);
    int height = status.getHeight();
    EXPECT_GT(height, 0);

    status.setText("3 item(s), 1 selected");
    char text[64] = "";
    SendMessageA(bar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "3 item(s), 1 selected");

    SetWindowPos(window.get(), nullptr, 0, 0, 640, 480, SWP_NOMOVE | SWP_NOZORDER);
    status.resize();
    EXPECT_EQ(status.getHeight(), height);
    RECT client, barRect;
    GetClientRect(window.get(), &client);
    GetWindowRect(bar, &barRect);
    MapWindowPoints(nullptr, window.get(), reinterpret_cast<POINT*>(&barRect), 2);
    EXPECT_EQ(barRect.bottom, client.bottom);
    EXPECT_EQ(barRect.right - barRect.left, client.right);
}

TEST(StatusBar, FailureCarriesItsMessage) {
    Win::StatusBar status(nullptr, 1);
    try {
        status.create();
        FAIL() << "made a status bar without a parent";
    } catch (const Win::Exception& e) {
        EXPECT_STREQ(e.getMessage(), "Internal error: couldn't create status bar");
    }
    EXPECT_EQ(status.getHeight(), 0);
}

TEST(ClassMaker, TakesTheIconsFromTheResources) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    Win::ClassMaker maker("WinLib Icon Class", instance);
    maker.setResIcons(IDI_LORVANT);
    maker.Register();
    WNDCLASSEXA info{};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(GetClassInfoExA(instance, "WinLib Icon Class", &info));
    EXPECT_NE(info.hIcon, LoadIconA(nullptr, IDI_APPLICATION));
    ICONINFO icon{};
    ASSERT_TRUE(GetIconInfo(info.hIconSm, &icon));
    BITMAP bitmap{};
    GetObjectA(icon.hbmColor ? icon.hbmColor : icon.hbmMask, sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmWidth, GetSystemMetrics(SM_CXSMICON));
    DeleteObject(icon.hbmColor);
    DeleteObject(icon.hbmMask);
    UnregisterClassA("WinLib Icon Class", instance);
}
