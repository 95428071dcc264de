// No exception may unwind through the system's procedures (window, dialog, the list's own): each is parked at
// the boundary and thrown again in our own code, wherever the loop that dispatched it was.
#include "WinLib/dialog.h"
#include "WinLib/listview.h"
#include "WinLib/messageloop.h"
#include "resources/resource.h"
#include "tests/winlib/testwindow.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
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
struct FailingDialog : Dialog::ModalController {
    bool inInit = false;

    void onInitDialog() override {
        if (inInit)
            throw std::runtime_error("dialog failed to open");
        PostMessageA(getWindow(), WM_COMMAND, IDOK, 0);
    }
    bool onCommand(int, int) override { throw std::runtime_error("dialog command failed"); }
};

// A list whose rows cannot be read, as when the program's model fails.
struct FailingList : Win::ListViewLayoutModel, Win::ListViewDataModel {
    unsigned getColumnsCount() const override { return 1; }
    std::string getColumnTitle(unsigned) const override { return "Term"; }
    void setColumnWidth(unsigned, int) override {}
    bool hasUserWidth(unsigned) const override { return false; }
    unsigned getItemsCount() const override { return 3; }
    const Win::ListViewItem& getItem(unsigned) override {
        throw std::runtime_error("list failed while typing");
    }
    bool isSelected(unsigned) const override { return false; }
    void setSelection(const std::vector<int>&) override {}
};

// Ends a loop that the error should have ended, so that such a fault fails the test instead of hanging it.
bool stalled = false;
void CALLBACK endStalledLoop(HWND, UINT, UINT_PTR, DWORD) {
    stalled = true;
    PostQuitMessage(0);
}

} // namespace

TEST(ExceptionBoundary, ErrorsReachTheLoopFromWhereverTheyHappenAndCloseWhatTheyInterrupted) {
    ActionController ctrl;
    auto window = makeTestWindow(ctrl);
    const HWND owner = window.get();
    FailingList model;
    Win::ListView list(model, model);
    Win::ListViewMaker maker(owner, 20);
    maker.setReportView();
    maker.setVirtual();
    list.attach(maker.create(""), 20);
    list.rebuildColumns();
    list.refillItems();
    const auto runFailingDialog = [&](bool inInit) {
        FailingDialog dialog;
        dialog.inInit = inInit;
        Dialog::run(owner, IDD_ABOUT, dialog);
    };
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
        {"dialog failed to open", [&] { runFailingDialog(true); }},
        {"dialog command failed", [&] { runFailingDialog(false); }},
        {"list failed while typing", [&] { SendMessageA(list.getWindow(), WM_CHAR, 'a', 0); }},
    };
    Win::MessageLoop loop;
    for (const auto& [failure, action] : cases) {
        ctrl.action = action;
        PostMessageA(owner, Trigger, 0, 0);
        stalled = false;
        const UINT_PTR watchdog = SetTimer(nullptr, 0, 10000, endStalledLoop);
        try {
            loop.run();
            ADD_FAILURE() << "the loop ended without: " << failure;
        } catch (const std::exception& e) {
            EXPECT_EQ(e.what(), failure);
        }
        KillTimer(nullptr, watchdog);
        EXPECT_FALSE(stalled) << failure;
        EXPECT_EQ(FindWindowA(nullptr, "WinLib Test Box"), nullptr) << failure;
        EXPECT_EQ(FindWindowA(nullptr, "About Lorvant"), nullptr) << failure;
        // A quit left behind would end the next loop at once: the program's error box, or the program.
        MSG quit;
        EXPECT_FALSE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << failure;
        // The list would not draw again.
        EXPECT_FALSE(list.isRedrawHeld()) << failure;
    }
}

struct FailingWindow : Win::Controller {
    bool onCreate(CREATESTRUCTA&) override { throw std::runtime_error("window failed to open"); }
};

// The program's main window is made before its loop runs: the maker itself throws the error that stopped it.
// Its error box is owned by the main window, whose controller has gone by then: that is not called.
TEST(ExceptionBoundary, AWindowThatFailsToOpenThrowsAndAControllerGoneBeforeItsWindowIsNotCalled) {
    FailingWindow failing;
    EXPECT_THROW(makeTestWindow(failing), std::runtime_error);
    // Its storage stays, so that a fault here fails the test rather than crashing it.
    std::optional<ActionController> ctrl(std::in_place);
    auto window = makeTestWindow(*ctrl);
    ctrl.reset();
    // Else the window's next message would call freed memory.
    ASSERT_EQ(GetWindowLongPtrA(window.get(), GWLP_USERDATA), 0);
    EXPECT_EQ(SendMessageA(window.get(), Trigger, 0, 0), 0);
}
