#include "WinLib/messageloop.h"
#include "WinLib/dialog.h"
#include "WinLib/exception.h"
#include "WinLib/maker.h"
#include "tests/winlib/testwindow.h"
#include "tests/winlib/winlibtest.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

namespace {

const UINT Trigger = WM_USER + 1;

// Runs the given action on WM_USER + 1.
class ActionController : public Win::Controller {
public:
    std::function<void()> onTrigger;

    bool onUserMessage(UINT message, WPARAM, LPARAM, LRESULT&) override {
        if (message != Trigger)
            return false;
        onTrigger();
        return true;
    }
};

// A dialog of the test template that runs given actions.
class ActionDialog : public Dialog::ModalController {
public:
    std::function<void(ActionDialog&)> init = [](ActionDialog&) {};
    std::function<bool(ActionDialog&, int, int)> command = [](ActionDialog&, int, int) { return false; };

    void onInitDialog() override { init(*this); }
    bool onCommand(int controlId, int notifyCode) override { return command(*this, controlId, notifyCode); }
};

class MessageLoopTest : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_FALSE(takeQuitMessage()) << "a quit request was left behind"; }

    ActionController ctrl;
    TestWindow window{ctrl};
    Win::MessageLoop loop;
};

} // namespace

TEST_F(MessageLoopTest, HandlerExceptionEndsTheLoopAndIsThrownFromRun) {
    ctrl.onTrigger = [] { throw std::runtime_error("handler failed"); };
    PostMessageA(window.get(), Trigger, 0, 0);
    try {
        loop.run();
        FAIL() << "the loop ended without the exception";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "handler failed");
    }
    // The window lives on; the next run works as usual.
    ctrl.onTrigger = [] { PostQuitMessage(7); };
    PostMessageA(window.get(), Trigger, 0, 0);
    EXPECT_EQ(loop.run(), 7);
}

TEST_F(MessageLoopTest, ExceptionInsideAMessageBoxEndsTheBoxAndTheLoop) {
    bool boxReturned = false;
    int triggers = 0;
    ctrl.onTrigger = [&] {
        // The box's own loop dispatches the second message, whose handler throws.
        if (++triggers == 2)
            throw Win::Exception("Internal error: test", 5);
        PostMessageA(window.get(), Trigger, 0, 0);
        MessageBoxA(window.get(), "waiting", "WinLib test box", MB_OK);
        boxReturned = true;
    };
    PostMessageA(window.get(), Trigger, 0, 0);
    try {
        loop.run();
        FAIL() << "the loop ended without the exception";
    } catch (const Win::Exception& e) {
        EXPECT_STREQ(e.getMessage(), "Internal error: test");
        EXPECT_EQ(e.getError(), 5u);
    }
    EXPECT_TRUE(boxReturned);
    EXPECT_EQ(FindWindowA(nullptr, "WinLib test box"), nullptr);
}

TEST_F(MessageLoopTest, ExceptionInADialogRunFromAHandlerReachesRun) {
    bool dialogReturned = false;
    ctrl.onTrigger = [&] {
        ActionDialog dialog;
        dialog.init = [](ActionDialog& self) {
            PostMessageA(self.getWindow(), WM_COMMAND, IDC_TEST_BUTTON, 0);
        };
        dialog.command = [](ActionDialog&, int id, int) -> bool {
            if (id == IDC_TEST_BUTTON)
                throw std::logic_error("dialog failed");
            return false;
        };
        Dialog::run(window.get(), IDD_WINLIB_TEST, dialog);
        dialogReturned = true;
    };
    PostMessageA(window.get(), Trigger, 0, 0);
    EXPECT_THROW(loop.run(), std::logic_error);
    EXPECT_FALSE(dialogReturned);
    EXPECT_EQ(FindWindowA(nullptr, "WinLib Test Dialog"), nullptr);
}

TEST(PendingException, ExceptionInOnCreateIsThrownFromCreate) {
    struct FailingController : Win::Controller {
        bool onCreate(CREATESTRUCTA&) override { throw std::runtime_error("no create"); }
    } ctrl;
    Win::Maker maker(TestWindow::className(), GetModuleHandleA(nullptr));
    try {
        maker.create(ctrl, "WinLib failing window");
        FAIL() << "created a window whose onCreate failed";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "no create");
    }
    EXPECT_EQ(FindWindowA(nullptr, "WinLib failing window"), nullptr);
    EXPECT_FALSE(takeQuitMessage());
}

namespace {

// A thread timer walks through the steps inside the dialog's loop: OK, Cancel, then the title bar's close.
int plainDialogStep = 0;

void CALLBACK nextPlainDialogStep(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = FindWindowA(nullptr, "WinLib Test Dialog");
    if (dialog == nullptr)
        return;
    if (plainDialogStep == 0)
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    else if (plainDialogStep == 1)
        SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    else if (plainDialogStep == 2) {
        EXPECT_TRUE(IsWindowVisible(dialog)) << "OK or Cancel ended a dialog that does not handle them";
        SendMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    ++plainDialogStep;
}

} // namespace

TEST(Dialog, DialogThatHandlesNothingClosesOnlyFromItsTitleBar) {
    class Plain : public Dialog::ModalController {
    } plain;
    UINT_PTR timer = SetTimer(nullptr, 0, 30, nextPlainDialogStep);
    EXPECT_EQ(Dialog::run(nullptr, IDD_WINLIB_TEST, plain), 0);
    KillTimer(nullptr, timer);
    EXPECT_EQ(plainDialogStep, 3);
}

TEST(Dialog, ExceptionInInitDialogEndsTheDialogAndIsThrownFromRun) {
    ActionDialog dialog;
    dialog.init = [](ActionDialog&) { throw Win::Exception("Internal error: init", 9); };
    try {
        Dialog::run(nullptr, IDD_WINLIB_TEST, dialog);
        FAIL() << "no exception from the dialog";
    } catch (const Win::Exception& e) {
        EXPECT_STREQ(e.getMessage(), "Internal error: init");
    }
    EXPECT_EQ(FindWindowA(nullptr, "WinLib Test Dialog"), nullptr);
    EXPECT_FALSE(takeQuitMessage());
}
