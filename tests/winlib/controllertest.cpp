#include "WinLib/controller.h"
#include "tests/winlib/testwindow.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

// Records the last handler called with its decoded arguments, and answers `handled`.
class RecordingController : public Win::Controller {
public:
    bool handled = true;
    std::string called;
    int a = 0, b = 0;
    HWND window = nullptr;
    LPARAM data = 0;
    LRESULT userResult = 0;
    LRESULT presetResult = -1;
    int destroyCount = 0;

    bool onClose() override { return record("onClose"); }
    bool onDestroy() override {
        ++destroyCount;
        return record("onDestroy");
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

} // namespace

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

TEST(Controller, ControllerGoneBeforeItsWindowIsNotCalled) {
    auto ctrl = std::make_unique<RecordingController>();
    TestWindow window(*ctrl);
    ctrl->userResult = 5;
    EXPECT_EQ(SendMessageA(window.get(), WM_USER + 1, 0, 0), 5);
    ctrl.reset();
    EXPECT_EQ(SendMessageA(window.get(), WM_USER + 1, 0, 0), 0);
    EXPECT_EQ(GetWindowLongPtrA(window.get(), GWLP_USERDATA), 0);
}
