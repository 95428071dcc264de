#include "tests/dialogs/dialogtesting.h"
#include "tests/scripteduser/layoutcheck.h"

#include "WinLib/progressdlg.h"
#include "resources/resource.h"

#include <atomic>
#include <stdexcept>
#include <string>

namespace {

const Win::ProgressDlgTemplate ImportProgressDlg{IDD_IMPORT_PROGRESS, IDC_IMPORT_PROGRESS_BAR,
                                                 IDC_IMPORT_PROGRESS_FILE};

// Dialogs made on this thread while it lives.
class DialogCounter {
public:
    DialogCounter() { _hook = SetWindowsHookExA(WH_CBT, &onCbt, nullptr, GetCurrentThreadId()); }
    ~DialogCounter() { UnhookWindowsHookEx(_hook); }
    DialogCounter(const DialogCounter&) = delete;
    DialogCounter& operator=(const DialogCounter&) = delete;
    static int made() { return _made; }

private:
    static LRESULT CALLBACK onCbt(int code, WPARAM window, LPARAM data) {
        if (code == HCBT_CREATEWND) {
            char className[16] = "";
            GetClassNameA(reinterpret_cast<HWND>(window), className, sizeof className);
            _made += std::string(className) == "#32770" ? 1 : 0;
        }
        return CallNextHookEx(nullptr, code, window, data);
    }
    static inline int _made = 0;
    HHOOK _hook;
};

} // namespace

// Work that ends at once shows no window; its owner takes no input meanwhile and has it back afterwards,
// and what the work threw reaches the caller.
TEST(ProgressDialog, ShortWorkShowsNothingAndItsErrorReachesTheCaller) {
    HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(owner, nullptr);
    const DialogCounter counter;
    std::atomic<bool> ownerEnabled = true;
    Win::runWithProgress(owner, ImportProgressDlg, "short", [&](Win::WorkProgress& progress) {
        ownerEnabled = IsWindowEnabled(owner) != FALSE;
        EXPECT_TRUE(progress.report(1, 1));
    });
    EXPECT_FALSE(ownerEnabled) << "no input while the work runs";
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_THROW(Win::runWithProgress(owner, ImportProgressDlg, "failing",
                                      [](Win::WorkProgress&) { throw std::logic_error("failed"); }),
                 std::logic_error);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(DialogCounter::made(), 0);
    DestroyWindow(owner);
}

// Longer work shows the window with the text and how far the work has come; Cancel asks the work to stop,
// and the window stays until it has.
TEST(ProgressDialog, LongWorkShowsItsProgressAndCancelStopsIt) {
    std::atomic<bool> stopAsked = false;
    std::string stopped;
    ScriptedUser::play(
        [&] {
            try {
                Win::runWithProgress(nullptr, ImportProgressDlg, "C:\\Word lists\\large.txt",
                                     [&](Win::WorkProgress& progress) {
                                         while (progress.report(3, 10))
                                             Sleep(10);
                                         stopAsked = true;
                                         Sleep(300);
                                         throw std::runtime_error("stopped");
                                     });
            } catch (const std::runtime_error& error) {
                stopped = error.what();
            }
        },
        [&](ScriptedUser& user) {
            HWND window = user.waitForWindow("Importing Text File");
            EXPECT_EQ(user.text(window, IDC_IMPORT_PROGRESS_FILE), "C:\\Word lists\\large.txt");
            EXPECT_EQ(SendMessageA(user.control(window, IDC_IMPORT_PROGRESS_BAR), PBM_GETPOS, 0, 0),
                      3 * Win::WorkProgress::Parts / 10);
            user.screenshot(window, "import-progress-" + std::to_string(LayoutCheck::screenDpi()) + "dpi");
            user.click(window, IDCANCEL);
            EXPECT_FALSE(user.isEnabled(window, IDCANCEL));
            EXPECT_TRUE(user.isOpen("Importing Text File")) << "until the work has stopped";
            user.waitUntilGone(window);
            EXPECT_TRUE(stopAsked);
        });
    EXPECT_EQ(stopped, "stopped");
}
