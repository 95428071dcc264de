#include "progressdlg.h"

#include "dialog.h"
#include "pendingexception.h"
#include "timer.h"
#include "waitcursor.h"

#include <commctrl.h>

#include <optional>
#include <utility>

namespace Win {

namespace {

// Work that ends within this time shows no window.
constexpr DWORD QuietMilliseconds = 500;
// How often the window looks at the work.
constexpr unsigned PollMilliseconds = 50;
constexpr unsigned PollTimerId = 1;

class ProgressController : public Dialog::ModalController {
public:
    ProgressController(BackgroundWork& work, const ProgressDlgTemplate& dialog, const std::string& text)
        : _work(work), _dialog(dialog), _text(text) {}

    void onInitDialog() override {
        ::SetDlgItemTextA(_h, _dialog.textId, _text.c_str());
        ::SendDlgItemMessageA(_h, _dialog.progressBarId, PBM_SETRANGE32, 0, WorkProgress::Parts);
        showProgress();
        _poll.create(_h, PollMilliseconds, PollTimerId);
    }

    bool onTimer(unsigned) override {
        showProgress();
        if (_work.hasEnded())
            endOk();
        return true;
    }

    bool onCommand(int controlId, int) override {
        if (controlId != IDCANCEL)
            return false;
        endCancel();
        return true;
    }

    // The window goes when the work has ended, so that the caller never waits without one.
    void endCancel() override {
        _work.getProgress().cancel();
        ::EnableWindow(::GetDlgItem(_h, IDCANCEL), FALSE);
    }

private:
    void showProgress() {
        ::SendDlgItemMessageA(_h, _dialog.progressBarId, PBM_SETPOS, _work.getProgress().getPartsDone(), 0);
    }

    BackgroundWork& _work;
    const ProgressDlgTemplate& _dialog;
    const std::string& _text;
    Timer _poll;
};

bool isInput(UINT message) {
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
           (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK);
}

// Waits up to the quiet time for the work while the thread's windows are drawn and answer what is sent
// to them; the user's input is dropped, as the owner's would be while a modal window is up. False when
// the loop must end (WM_QUIT), which is posted again for the loop that asked for it.
bool waitQuietly(BackgroundWork& work) {
    const ULONGLONG until = ::GetTickCount64() + QuietMilliseconds;
    const HANDLE ended = work.getEndedEvent();
    for (ULONGLONG now = ::GetTickCount64(); now < until; now = ::GetTickCount64()) {
        const DWORD woken =
            ::MsgWaitForMultipleObjects(1, &ended, FALSE, static_cast<DWORD>(until - now), QS_ALLINPUT);
        if (woken != WAIT_OBJECT_0 + 1)
            return true;
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                return false;
            }
            if (isInput(msg.message))
                continue;
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (PendingException::isSet())
            return false;
    }
    return true;
}

// Takes input from the owner for a while, and gives it back with the focus where it was.
class DisabledOwner {
public:
    explicit DisabledOwner(HWND owner)
        : _owner(owner != nullptr && ::IsWindowEnabled(owner) ? owner : nullptr), _focus(::GetFocus()) {
        if (_owner != nullptr)
            ::EnableWindow(_owner, FALSE);
    }
    DisabledOwner(const DisabledOwner&) = delete;
    DisabledOwner& operator=(const DisabledOwner&) = delete;
    ~DisabledOwner() {
        if (_owner == nullptr)
            return;
        ::EnableWindow(_owner, TRUE);
        if (_focus != nullptr && ::IsWindow(_focus))
            ::SetFocus(_focus);
    }

private:
    HWND _owner;
    HWND _focus;
};

} // namespace

void runWithProgress(HWND owner, const ProgressDlgTemplate& dialog, const std::string& text,
                     BackgroundWork::Work work) {
    std::optional<DisabledOwner> disabled(std::in_place, owner);
    BackgroundWork background(std::move(work));
    bool goOn = true;
    {
        const WaitCursor waiting;
        goOn = waitQuietly(background);
    }
    // The progress window takes the owner's input from here on.
    disabled.reset();
    if (goOn && !background.hasEnded()) {
        ProgressController controller(background, dialog, text);
        // The window ends with 0 before the work has ended only when the program's loop must end; when it
        // could not be made, the work goes on unseen.
        goOn = Dialog::run(owner, dialog.templateId, controller) != 0;
    }
    if (!goOn)
        background.getProgress().cancel();
    background.finish();
}

} // namespace Win
