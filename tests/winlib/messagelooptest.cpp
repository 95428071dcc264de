#include "WinLib/messageloop.h"
#include "WinLib/acceleratortable.h"
#include "WinLib/command.h"
#include "WinLib/dialog.h"
#include "WinLib/exception.h"
#include "WinLib/maker.h"
#include "WinLib/timer.h"
#include "tests/winlib/testwindow.h"
#include "tests/winlib/winlibtest.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

const UINT Trigger = WM_USER + 1;

// Runs the given action on WM_USER + 1 and quits with the commands it is sent.
class ActionController : public Win::Controller {
public:
    std::function<void()> onTrigger;
    std::function<void(int, bool)> onCmd;

    bool onUserMessage(UINT message, WPARAM, LPARAM, LRESULT&) override {
        if (message != Trigger)
            return false;
        onTrigger();
        return true;
    }
    bool onCommand(int commandId, bool isAccelerator) override {
        onCmd(commandId, isAccelerator);
        return true;
    }
};

// A dialog of the test template that runs given actions.
class ActionDialog : public Dialog::ModalController {
public:
    std::function<void(ActionDialog&)> init = [](ActionDialog&) {};
    std::function<bool(ActionDialog&, int, int)> command = [](ActionDialog&, int, int) { return false; };
    std::function<bool(ActionDialog&, unsigned)> timer = [](ActionDialog&, unsigned) { return false; };

    void onInitDialog() override { init(*this); }
    bool onCommand(int controlId, int notifyCode) override { return command(*this, controlId, notifyCode); }
    bool onTimer(unsigned timerId) override { return timer(*this, timerId); }
};

class MessageLoopTest : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_FALSE(takeQuitMessage()) << "a quit request was left behind"; }

    ActionController ctrl;
    TestWindow window{ctrl};
    Win::MessageLoop loop;
};

} // namespace

TEST_F(MessageLoopTest, RunReturnsTheQuitCode) {
    ctrl.onTrigger = [] { PostQuitMessage(3); };
    PostMessageA(window.get(), Trigger, 0, 0);
    EXPECT_EQ(loop.run(), 3);
}

namespace {

struct KeyCommander {
    void run() {}
    Cmd::Status test() const { return Cmd::ENABLED; }
};
const Cmd::Item<KeyCommander> KeyCommands[] = {{"Unused", &KeyCommander::run, &KeyCommander::test, "unused"},
                                               {"Help", &KeyCommander::run, &KeyCommander::test, "help"},
                                               {nullptr, nullptr, nullptr, nullptr}};
const Win::AcceleratorItem Keys[] = {{0, VK_F1, "Help"}, {0, VK_F2, "Help"}, {0, 0, nullptr}};

// Key presses the pre-translator of the test took.
std::vector<WPARAM> keysTaken;

} // namespace

TEST_F(MessageLoopTest, AcceleratorsBecomeCommandsFromTheKeyboard) {
    KeyCommander commander;
    Cmd::VectorExec<KeyCommander> commands(KeyCommands, &commander);
    Win::AcceleratorTable accelerators(Keys, commands);
    loop.setKbdAccelerator(window.get(), accelerators.getHandle());

    int commandId = -1;
    bool fromAccelerator = false;
    ctrl.onCmd = [&](int id, bool isAccelerator) {
        commandId = id;
        fromAccelerator = isAccelerator;
        PostQuitMessage(0);
    };
    PostMessageA(window.get(), WM_KEYDOWN, VK_F1, 0x003B0001);
    EXPECT_EQ(loop.run(), 0);
    EXPECT_EQ(commandId, 1);
    EXPECT_TRUE(fromAccelerator);
}

// Keys typed into another window of the thread, such as a help viewer's, stay that window's: only the main
// window and its children raise commands, and the pre-translator sees every message first.
TEST_F(MessageLoopTest, AcceleratorsOnlyForTheMainWindowAndItsChildren) {
    KeyCommander commander;
    Cmd::VectorExec<KeyCommander> commands(KeyCommands, &commander);
    Win::AcceleratorTable accelerators(Keys, commands);
    loop.setKbdAccelerator(window.get(), accelerators.getHandle());
    keysTaken.clear();
    loop.setPreTranslator([](MSG& msg) {
        if (msg.message != WM_KEYDOWN || msg.wParam != VK_F2)
            return false;
        keysTaken.push_back(msg.wParam);
        return true;
    });
    ActionController otherCtrl;
    TestWindow other(otherCtrl, "WinLib other window");
    HWND child = Win::ChildMaker("BUTTON", window.get(), 5).create("");

    int commandCount = 0;
    ctrl.onCmd = [&](int, bool) { ++commandCount; };
    ctrl.onTrigger = [] { PostQuitMessage(0); };
    PostMessageA(other.get(), WM_KEYDOWN, VK_F1, 0x003B0001);
    PostMessageA(window.get(), WM_KEYDOWN, VK_F2, 0x003C0001);
    PostMessageA(child, WM_KEYDOWN, VK_F1, 0x003B0001);
    PostMessageA(window.get(), Trigger, 0, 0);
    EXPECT_EQ(loop.run(), 0);
    EXPECT_EQ(commandCount, 1);
    EXPECT_EQ(keysTaken, std::vector<WPARAM>{VK_F2});
}

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

TEST(Dialog, EndOkAndEndCancelGiveTheRunsResult) {
    ActionDialog okDialog;
    HWND seen = nullptr;
    okDialog.init = [&](ActionDialog& self) {
        seen = self.getWindow();
        PostMessageA(self.getWindow(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    };
    okDialog.command = [](ActionDialog& self, int id, int code) {
        if (id != IDOK || code != BN_CLICKED)
            return false;
        self.endOk();
        return true;
    };
    EXPECT_EQ(Dialog::run(nullptr, IDD_WINLIB_TEST, okDialog), 1);
    EXPECT_NE(seen, nullptr);
    EXPECT_FALSE(IsWindow(seen));

    ActionDialog cancelDialog;
    cancelDialog.init = [](ActionDialog& self) { PostMessageA(self.getWindow(), WM_COMMAND, IDCANCEL, 0); };
    cancelDialog.command = [](ActionDialog& self, int id, int) {
        self.endCancel();
        return id == IDCANCEL;
    };
    EXPECT_EQ(Dialog::run(nullptr, IDD_WINLIB_TEST, cancelDialog), 0);
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

TEST(Dialog, MissingTemplateGivesMinusOne) {
    ActionDialog dialog;
    EXPECT_EQ(Dialog::run(nullptr, 4321, dialog), -1);
}

TEST(Timer, TicksReachTheDialogUntilKilled) {
    ActionDialog dialog;
    Win::Timer timer;
    std::string ticks;
    dialog.init = [&](ActionDialog& self) {
        timer.create(self.getWindow(), 20, 543);
        EXPECT_TRUE(timer.isRunning());
    };
    dialog.timer = [&](ActionDialog& self, unsigned id) {
        ticks += std::to_string(id) + ";";
        if (ticks.size() == 3 * 4) {
            timer.kill();
            self.endOk();
        }
        return true;
    };
    EXPECT_EQ(Dialog::run(nullptr, IDD_WINLIB_TEST, dialog), 1);
    EXPECT_EQ(ticks, "543;543;543;");
    EXPECT_FALSE(timer.isRunning());
}

TEST(Timer, DestroyingOrReplacingATimerKillsIt) {
    ActionController ctrl;
    TestWindow window(ctrl);
    {
        Win::Timer timer;
        timer.create(window.get(), 1000, 1);
    }
    EXPECT_FALSE(KillTimer(window.get(), 1)) << "the timer outlived its object";

    Win::Timer first;
    first.create(window.get(), 1000, 2);
    Win::Timer second(std::move(first));
    EXPECT_FALSE(first.isRunning());
    EXPECT_TRUE(second.isRunning());
    first = Win::Timer();
    EXPECT_TRUE(KillTimer(window.get(), 2)) << "a moved-from timer killed the timer it handed over";

    Win::Timer third;
    third.create(window.get(), 1000, 3);
    third = std::move(second);
    EXPECT_FALSE(KillTimer(window.get(), 3)) << "the replaced timer still runs";

    // Creating again replaces the running timer.
    third.create(window.get(), 1000, 4);
    third.create(window.get(), 1000, 5);
    EXPECT_FALSE(KillTimer(window.get(), 4));
    EXPECT_TRUE(KillTimer(window.get(), 5));
}
