// No exception may unwind through the system's procedures: each is parked at the boundary and thrown again in
// our own code, wherever the loop that dispatched it was. A window must not call a controller that is gone.
#include "WinLib/dialog.h"
#include "WinLib/listview.h"
#include "WinLib/messageloop.h"
#include "WinLib/pendingexception.h"
#include "tests/winlib/testwindow.h"
#include "tests/winlib/winlibtest.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

const UINT Trigger = WM_USER + 1;

// Runs its action on Trigger.
class ActionController : public Win::Controller {
public:
    std::function<void()> action;

    bool onUserMessage(UINT message, WPARAM, LPARAM, LRESULT&) override {
        if (message != Trigger)
            return false;
        action();
        return true;
    }
};

// Fails as it opens, or at the OK it sends itself once open.
class FailingDialog : public Dialog::ModalController {
public:
    explicit FailingDialog(bool inInit) : _inInit(inInit) {}

    void onInitDialog() override {
        if (_inInit)
            throw std::runtime_error("dialog failed to open");
        PostMessageA(getWindow(), WM_COMMAND, IDOK, 0);
    }
    bool onCommand(int, int) override { throw std::runtime_error("dialog command failed"); }

private:
    bool _inInit;
};

void runFailingDialog(HWND owner, bool inInit) {
    FailingDialog dialog(inInit);
    Dialog::run(owner, IDD_WINLIB_TEST, dialog);
}

// True when a WM_QUIT waits in this thread's queue (and takes it out).
bool takeQuitMessage() {
    MSG msg;
    return PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
}

} // namespace

TEST(ExceptionBoundary, ErrorsReachTheLoopFromHandlersMessageBoxesAndDialogsAndCloseThem) {
    ActionController ctrl;
    TestWindow window(ctrl);
    const HWND owner = window.get();
    Win::MessageLoop loop;
    bool inBox = false;
    const std::vector<std::pair<std::string, std::function<void()>>> cases{
        {"handler failed", [] { throw std::runtime_error("handler failed"); }},
        // The box's own loop dispatches the second trigger, whose handler throws.
        {"handler failed in a box",
         [&] {
             if (inBox)
                 throw std::runtime_error("handler failed in a box");
             inBox = true;
             PostMessageA(owner, Trigger, 0, 0);
             MessageBoxA(owner, "waiting", "WinLib Test Box", MB_OK);
         }},
        {"dialog failed to open", [&] { runFailingDialog(owner, true); }},
        {"dialog command failed", [&] { runFailingDialog(owner, false); }},
    };
    for (const auto& [failure, action] : cases) {
        ctrl.action = action;
        PostMessageA(owner, Trigger, 0, 0);
        try {
            loop.run();
            ADD_FAILURE() << "the loop ended without: " << failure;
        } catch (const std::runtime_error& e) {
            EXPECT_EQ(e.what(), failure);
        }
        EXPECT_EQ(FindWindowA(nullptr, "WinLib Test Box"), nullptr) << failure;
        EXPECT_EQ(FindWindowA(nullptr, "WinLib Test Dialog"), nullptr) << failure;
        // A quit left behind would end the next loop at once: the program's error box, or the program.
        EXPECT_FALSE(takeQuitMessage()) << failure;
    }
    // The window lives on and the loop runs as before.
    ctrl.action = [] { PostQuitMessage(7); };
    PostMessageA(owner, Trigger, 0, 0);
    EXPECT_EQ(loop.run(), 7);
}

TEST(ExceptionBoundary, AWindowWhoseCreationFailsIsNotMadeAndTheErrorIsThrown) {
    struct Failing : Win::Controller {
        bool onCreate(CREATESTRUCTA&) override { throw std::runtime_error("no create"); }
    } ctrl;
    EXPECT_THROW(TestWindow window(ctrl), std::runtime_error);
    EXPECT_EQ(FindWindowA(nullptr, TestWindow::Title), nullptr);
    EXPECT_FALSE(takeQuitMessage());
}

// The program's error box is owned by the main window, whose controller has gone by then.
TEST(ExceptionBoundary, AControllerGoneBeforeItsWindowIsNotCalled) {
    auto ctrl = std::make_unique<ActionController>();
    TestWindow window(*ctrl);
    int calls = 0;
    ctrl->action = [&] { ++calls; };
    SendMessageA(window.get(), Trigger, 0, 0);
    ctrl.reset();
    SendMessageA(window.get(), Trigger, 0, 0);
    EXPECT_EQ(calls, 1);
}

// A model that fails while the user types into the list: parked like any window procedure's error, and the
// list draws again.
TEST(ExceptionBoundary, ListViewInputErrorsReachTheLoop) {
    struct Layout : Win::ListViewLayoutModel {
        unsigned getColumnsCount() const override { return 1; }
        std::string getColumnTitle(unsigned) const override { return "Term"; }
        void setColumnWidth(unsigned, int) override {}
        bool hasUserWidth(unsigned) const override { return false; }
    } layout;
    struct Rows : Win::ListViewDataModel {
        unsigned getItemsCount() const override { return 3; }
        const Win::ListViewItem& getItem(unsigned) override { throw std::runtime_error("model failed"); }
        bool isSelected(unsigned) const override { return false; }
        void setSelection(const std::vector<int>&) override {}
    } rows;
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&init);
    Win::Controller owner;
    TestWindow window(owner);
    Win::ListView list(layout, rows);
    Win::ListViewMaker maker(window.get(), 20);
    maker.setReportView();
    maker.setVirtual();
    list.attach(maker.create(""), 20);
    list.rebuildColumns();
    list.refillItems();

    SendMessageA(list.getWindow(), WM_CHAR, 'a', 0);
    EXPECT_FALSE(list.isRedrawHeld());
    EXPECT_THROW(Win::PendingException::rethrowIfSet(), std::runtime_error);
}
