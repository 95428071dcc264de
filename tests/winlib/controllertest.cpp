#include "WinLib/controller.h"
#include "WinLib/classmaker.h"
#include "WinLib/exception.h"
#include "WinLib/maker.h"
#include "WinLib/resstring.h"
#include "tests/winlib/testwindow.h"
#include "tests/winlib/winlibtest.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace {

// Records the last handler called with its decoded arguments, and answers `handled`.
class RecordingController : public Win::Controller {
public:
    bool handled = true;
    std::string called;
    std::string createTitle;
    int a = 0, b = 0, c = 0;
    bool flag = false;
    HWND window = nullptr;
    HMENU menu = nullptr;
    void* pointer = nullptr;
    LPARAM data = 0;
    LRESULT userResult = 0;
    LRESULT presetResult = -1;
    int destroyCount = 0;

    bool onCreate(CREATESTRUCTA& createStruct) override {
        createTitle = createStruct.lpszName;
        return record("onCreate");
    }
    bool onClose() override { return record("onClose"); }
    bool onDestroy() override {
        ++destroyCount;
        return record("onDestroy");
    }
    bool onActivate(int state, bool isMinimized, HWND otherWindow) override {
        a = state, flag = isMinimized, window = otherWindow;
        return record("onActivate");
    }
    bool onFocus(HWND previousWindow) override {
        window = previousWindow;
        return record("onFocus");
    }
    bool onSize(int width, int height, int sizeFlag) override {
        a = width, b = height, c = sizeFlag;
        return record("onSize");
    }
    bool onPaint() override {
        if (handled)
            ValidateRect(getWindow(), nullptr);
        return record("onPaint");
    }
    bool onCommand(int commandId, bool isAccelerator) override {
        a = commandId, flag = isAccelerator;
        return record("onCommand");
    }
    bool onControl(HWND controlWindow, int controlId, int notifyCode) override {
        window = controlWindow, a = controlId, b = notifyCode;
        return record("onControl");
    }
    bool onNeedText(HWND fromWindow, int fromId, char (&textBuffer)[Win::NeedTextSize]) override {
        window = fromWindow, a = fromId;
        std::strcpy(textBuffer, "Help text");
        return record("onNeedText");
    }
    bool onGetDispInfo(HWND fromWindow, int fromId, LVITEMA& item) override {
        window = fromWindow, a = fromId, pointer = &item;
        return record("onGetDispInfo");
    }
    bool onColumnClick(HWND fromWindow, int fromId, int column) override {
        window = fromWindow, a = fromId, b = column;
        return record("onColumnClick");
    }
    bool onNotify(NMHDR& header) override {
        pointer = &header;
        return record("onNotify");
    }
    bool onInitPopup(HMENU popup, int position) override {
        menu = popup, a = position;
        return record("onInitPopup");
    }
    bool onInitSystemPopup(HMENU popup, int position) override {
        menu = popup, a = position;
        return record("onInitSystemPopup");
    }
    bool onMenuSelect(int itemId, int flags, HMENU popup) override {
        a = itemId, b = flags, menu = popup;
        return record("onMenuSelect");
    }
    bool onMouseMove(int x, int y, int keyFlags) override {
        a = x, b = y, c = keyFlags;
        return record("onMouseMove");
    }
    bool onKeyDown(int virtualKey, LPARAM keyData) override {
        a = virtualKey, data = keyData;
        return record("onKeyDown");
    }
    bool onUserMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        a = static_cast<int>(message), b = static_cast<int>(wParam), data = lParam;
        presetResult = result;
        result = userResult;
        return record("onUserMessage");
    }
    bool onContextMenu(HWND contextWindow, int x, int y) override {
        window = contextWindow, a = x, b = y;
        return record("onContextMenu");
    }

private:
    bool record(const char* name) {
        called = name;
        return handled;
    }
};

class WindowProcedureTest : public ::testing::Test {
protected:
    LRESULT send(UINT message, WPARAM wParam, LPARAM lParam) {
        ctrl.called.clear();
        return SendMessageA(window.get(), message, wParam, lParam);
    }

    RecordingController ctrl;
    TestWindow window{ctrl, "Recorded"};
};

HWND fakeWindow(INT_PTR value) {
    return reinterpret_cast<HWND>(value);
}

} // namespace

TEST_F(WindowProcedureTest, CreationAttachesTheControllerBeforeOnCreate) {
    EXPECT_EQ(ctrl.getWindow(), window.get());
    EXPECT_EQ(ctrl.createTitle, "Recorded");
    EXPECT_EQ(reinterpret_cast<Win::Controller*>(GetWindowLongPtrA(window.get(), GWLP_USERDATA)), &ctrl);
}

TEST_F(WindowProcedureTest, DecodesWindowMessages) {
    EXPECT_EQ(send(WM_ACTIVATE, MAKEWPARAM(WA_CLICKACTIVE, 1), reinterpret_cast<LPARAM>(fakeWindow(0x1234))),
              0);
    EXPECT_EQ(ctrl.called, "onActivate");
    EXPECT_EQ(ctrl.a, WA_CLICKACTIVE);
    EXPECT_TRUE(ctrl.flag);
    EXPECT_EQ(ctrl.window, fakeWindow(0x1234));
    send(WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), 0);
    EXPECT_FALSE(ctrl.flag);

    send(WM_SETFOCUS, reinterpret_cast<WPARAM>(fakeWindow(0x88)), 0);
    EXPECT_EQ(ctrl.called, "onFocus");
    EXPECT_EQ(ctrl.window, fakeWindow(0x88));

    // Sizes are unsigned 16-bit halves.
    EXPECT_EQ(send(WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(0xFFFF, 480)), 0);
    EXPECT_EQ(ctrl.called, "onSize");
    EXPECT_EQ(ctrl.a, 65535);
    EXPECT_EQ(ctrl.b, 480);
    EXPECT_EQ(ctrl.c, SIZE_MAXIMIZED);

    EXPECT_EQ(send(WM_PAINT, 0, 0), 0);
    EXPECT_EQ(ctrl.called, "onPaint");

    // Mouse positions are signed.
    send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-5, 300));
    EXPECT_EQ(ctrl.called, "onMouseMove");
    EXPECT_EQ(ctrl.a, -5);
    EXPECT_EQ(ctrl.b, 300);
    EXPECT_EQ(ctrl.c, MK_LBUTTON);

    send(WM_KEYDOWN, VK_DELETE, 0x01530001);
    EXPECT_EQ(ctrl.called, "onKeyDown");
    EXPECT_EQ(ctrl.a, VK_DELETE);
    EXPECT_EQ(ctrl.data, 0x01530001);
}

TEST_F(WindowProcedureTest, SeparatesMenuAndAcceleratorCommandsFromControlNotifications) {
    send(WM_COMMAND, MAKEWPARAM(17, 1), 0);
    EXPECT_EQ(ctrl.called, "onCommand");
    EXPECT_EQ(ctrl.a, 17);
    EXPECT_TRUE(ctrl.flag);

    send(WM_COMMAND, MAKEWPARAM(18, 0), 0);
    EXPECT_EQ(ctrl.called, "onCommand");
    EXPECT_EQ(ctrl.a, 18);
    EXPECT_FALSE(ctrl.flag);

    EXPECT_EQ(send(WM_COMMAND, MAKEWPARAM(3, BN_CLICKED + 5), reinterpret_cast<LPARAM>(fakeWindow(0x4321))),
              0);
    EXPECT_EQ(ctrl.called, "onControl");
    EXPECT_EQ(ctrl.window, fakeWindow(0x4321));
    EXPECT_EQ(ctrl.a, 3);
    EXPECT_EQ(ctrl.b, BN_CLICKED + 5);
}

TEST_F(WindowProcedureTest, DecodesNotificationsByCode) {
    NMTTDISPINFOA needText{};
    needText.hdr = NMHDR{fakeWindow(0x77), 12, TTN_NEEDTEXTA};
    EXPECT_EQ(send(WM_NOTIFY, 12, reinterpret_cast<LPARAM>(&needText)), 0);
    EXPECT_EQ(ctrl.called, "onNeedText");
    EXPECT_EQ(ctrl.window, fakeWindow(0x77));
    EXPECT_EQ(ctrl.a, 12);
    EXPECT_STREQ(needText.szText, "Help text");

    NMLVDISPINFOA dispInfo{};
    dispInfo.hdr = NMHDR{fakeWindow(0x78), 2, LVN_GETDISPINFOA};
    send(WM_NOTIFY, 2, reinterpret_cast<LPARAM>(&dispInfo));
    EXPECT_EQ(ctrl.called, "onGetDispInfo");
    EXPECT_EQ(ctrl.pointer, &dispInfo.item);

    NMLISTVIEW columnClick{};
    columnClick.hdr = NMHDR{fakeWindow(0x79), 2, LVN_COLUMNCLICK};
    columnClick.iSubItem = 4;
    send(WM_NOTIFY, 2, reinterpret_cast<LPARAM>(&columnClick));
    EXPECT_EQ(ctrl.called, "onColumnClick");
    EXPECT_EQ(ctrl.window, fakeWindow(0x79));
    EXPECT_EQ(ctrl.a, 2);
    EXPECT_EQ(ctrl.b, 4);

    NMHDR other{fakeWindow(0x80), 2, static_cast<UINT>(NM_DBLCLK)};
    send(WM_NOTIFY, 2, reinterpret_cast<LPARAM>(&other));
    EXPECT_EQ(ctrl.called, "onNotify");
    EXPECT_EQ(ctrl.pointer, &other);
}

TEST_F(WindowProcedureTest, DecodesMenuMessages) {
    HMENU popup = CreatePopupMenu();
    send(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), MAKELPARAM(2, 0));
    EXPECT_EQ(ctrl.called, "onInitPopup");
    EXPECT_EQ(ctrl.menu, popup);
    EXPECT_EQ(ctrl.a, 2);

    send(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), MAKELPARAM(0, 1));
    EXPECT_EQ(ctrl.called, "onInitSystemPopup");

    send(WM_MENUSELECT, MAKEWPARAM(5, MF_HILITE), reinterpret_cast<LPARAM>(popup));
    EXPECT_EQ(ctrl.called, "onMenuSelect");
    EXPECT_EQ(ctrl.a, 5);
    EXPECT_EQ(ctrl.b, MF_HILITE);
    EXPECT_EQ(ctrl.menu, popup);

    send(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(ctrl.b, 0xFFFF);
    EXPECT_EQ(ctrl.menu, nullptr);
    DestroyMenu(popup);
}

TEST_F(WindowProcedureTest, ContextMenuAnswersOneWhenHandled) {
    EXPECT_EQ(send(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window.get()), MAKELPARAM(120, 340)), 1);
    EXPECT_EQ(ctrl.called, "onContextMenu");
    EXPECT_EQ(ctrl.window, window.get());
    EXPECT_EQ(ctrl.a, 120);
    EXPECT_EQ(ctrl.b, 340);

    // From the keyboard.
    send(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window.get()), MAKELPARAM(-1, -1));
    EXPECT_EQ(ctrl.a, -1);
    EXPECT_EQ(ctrl.b, -1);

    ctrl.handled = false;
    EXPECT_EQ(send(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window.get()), MAKELPARAM(120, 340)), 0);
    EXPECT_EQ(ctrl.called, "onContextMenu");
}

TEST_F(WindowProcedureTest, UserMessagesGetTheirOwnResultOrTheDefault) {
    ctrl.userResult = 42;
    EXPECT_EQ(send(WM_USER + 4, 7, 99), 42);
    EXPECT_EQ(ctrl.called, "onUserMessage");
    EXPECT_EQ(ctrl.a, WM_USER + 4);
    EXPECT_EQ(ctrl.b, 7);
    EXPECT_EQ(ctrl.data, 99);
    EXPECT_EQ(ctrl.presetResult, 0);

    // Not handled: the default answer, whatever the handler put in the result.
    ctrl.handled = false;
    EXPECT_EQ(send(WM_APP + 1, 0, 0), 0);
    EXPECT_EQ(ctrl.called, "onUserMessage");

    // Below WM_USER and not in the table: straight to the default.
    ctrl.handled = true;
    send(WM_USER - 1, 0, 0);
    EXPECT_EQ(ctrl.called, "");
}

TEST_F(WindowProcedureTest, CloseHandledKeepsTheWindowUnhandledDestroysIt) {
    EXPECT_EQ(send(WM_CLOSE, 0, 0), 0);
    EXPECT_EQ(ctrl.called, "onClose");
    EXPECT_TRUE(IsWindow(window.get()));

    ctrl.handled = false;
    send(WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window.get()));
    EXPECT_EQ(ctrl.destroyCount, 1);
    // Detached on the way out.
    EXPECT_EQ(ctrl.getWindow(), nullptr);
}

TEST_F(WindowProcedureTest, DestroyAnswersZeroWhateverTheHandlerSays) {
    ctrl.handled = false;
    EXPECT_EQ(send(WM_DESTROY, 0, 0), 0);
    EXPECT_EQ(ctrl.called, "onDestroy");
    ctrl.handled = true;
    EXPECT_EQ(send(WM_DESTROY, 0, 0), 0);
}

TEST(Controller, ControllerGoneBeforeItsWindowIsNotCalled) {
    auto ctrl = std::make_unique<RecordingController>();
    TestWindow window(*ctrl);
    ctrl->userResult = 5;
    EXPECT_EQ(SendMessageA(window.get(), WM_USER + 1, 0, 0), 5);
    ctrl.reset();
    EXPECT_EQ(SendMessageA(window.get(), WM_USER + 1, 0, 0), 0);
    EXPECT_EQ(GetWindowLongPtrA(window.get(), GWLP_USERDATA), 0);
}

TEST(Maker, WindowWithoutControllerGetsDefaultProcessing) {
    RecordingController parentCtrl;
    TestWindow parent(parentCtrl);
    Win::ChildMaker childMaker(TestWindow::className(), parent.get(), 55);
    childMaker.addStyle(WS_VISIBLE);
    HWND child = childMaker.create("child");
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(GetParent(child), parent.get());
    EXPECT_EQ(GetDlgCtrlID(child), 55);
    EXPECT_EQ(GetWindowLongPtrA(child, GWLP_USERDATA), 0);
    EXPECT_EQ(SendMessageA(child, WM_USER + 1, 0, 0), 0);
    EXPECT_EQ(reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(child, GWLP_HINSTANCE)),
              GetModuleHandleA(nullptr));
}

TEST(Maker, FailuresCarryTheirMessageAndSystemError) {
    RecordingController ctrl;
    Win::Maker maker("No Such WinLib Class", GetModuleHandleA(nullptr));
    try {
        maker.create(ctrl, "x");
        FAIL() << "created a window of an unknown class";
    } catch (const Win::Exception& e) {
        EXPECT_STREQ(e.getMessage(), "Internal error: CreateWindowEx failed.");
        // Systems differ in which of the two they report.
        EXPECT_TRUE(e.getError() == ERROR_CANNOT_FIND_WND_CLASS || e.getError() == ERROR_CLASS_DOES_NOT_EXIST)
            << e.getError();
    }

    // A child window needs a parent.
    Win::ChildMaker orphan("BUTTON", nullptr, 1);
    EXPECT_THROW(orphan.create("orphan"), Win::Exception);

    Win::ClassMaker twice(TestWindow::className(), GetModuleHandleA(nullptr));
    try {
        twice.Register();
        FAIL() << "registered a class twice";
    } catch (const Win::Exception& e) {
        EXPECT_STREQ(e.getMessage(), "Internal error: RegisterClassEx failed");
        EXPECT_EQ(e.getError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));
    }
}

TEST(ResString, LoadsTextsAndRejectsMissingOnes) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    Win::ResString text(instance, IDS_WINLIB_TEST);
    EXPECT_STREQ(text, "Test string, %i item(s)");

    // Longer texts are cut to 254 characters.
    Win::ResString longText(instance, IDS_WINLIB_LONG);
    EXPECT_EQ(std::strlen(longText), 254u);

    try {
        Win::ResString missing(instance, 12345);
        FAIL() << "loaded a string that does not exist";
    } catch (const Win::Exception& e) {
        EXPECT_STREQ(e.getMessage(), "Unable to load string resource");
    }
}
