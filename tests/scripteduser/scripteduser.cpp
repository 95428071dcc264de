#include "tests/scripteduser/scripteduser.h"

#include "tests/scripteduser/screenshot.h"
#include "tests/scripteduser/windowclass.h"

#include "WinLib/widetext.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <stdexcept>
#include <thread>

namespace {

const DWORD AnswerTimeoutMs = 15000; // how long the program may take to answer one message
const DWORD PollMs = 20;
const int MessageBoxTextId = 0xFFFF;

const UINT TaskMessage = RegisterWindowMessageA("Lorvant scripted user task");

bool isListBox(HWND box) {
    return lstrcmpiA(className(box).c_str(), "ListBox") == 0;
}

bool isDialog(HWND window) {
    return className(window) == "#32770";
}

// Reads a caption without sending a message, so that a busy program cannot stall the search.
std::string captionOf(HWND window) {
    wchar_t wide[256] = L"";
    InternalGetWindowText(window, wide, 256);
    char narrow[512] = "";
    WideCharToMultiByte(CP_ACP, 0, wide, -1, narrow, sizeof narrow, nullptr, nullptr);
    return narrow;
}

// A visible top-level window of this process with the caption; with `messageBox`, only a message box.
HWND findTopLevel(const std::string& caption, bool messageBox) {
    struct Search {
        const std::string& caption;
        bool messageBox;
        HWND found;
    } search{caption, messageBox, nullptr};
    EnumWindows(
        [](HWND window, LPARAM param) {
            auto& search = *reinterpret_cast<Search*>(param);
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            if (process != GetCurrentProcessId() || !IsWindowVisible(window) ||
                captionOf(window) != search.caption ||
                (search.messageBox && !(isDialog(window) && GetDlgItem(window, MessageBoxTextId))))
                return TRUE;
            search.found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

BOOL CALLBACK closeWindow(HWND window, LPARAM destroy) {
    if (destroy)
        DestroyWindow(window);
    else if (isDialog(window))
        EndDialog(window, IDCANCEL);
    return TRUE;
}

} // namespace

// Work that the script hands to the program's thread, posted to its queue: it runs after everything posted
// before it, which is what `sync` relies on. A hook runs it, as modal loops do not dispatch thread messages.
struct ScriptedUser::Task {
    std::function<void()> work;
    std::atomic<bool> done{false};
};

LRESULT CALLBACK ScriptedUser::onGetMessage(int code, WPARAM removal, LPARAM message) {
    auto* msg = reinterpret_cast<MSG*>(message);
    if (code == HC_ACTION && removal == PM_REMOVE && msg->hwnd == nullptr && msg->message == TaskMessage) {
        auto* task = reinterpret_cast<Task*>(msg->lParam);
        msg->message = WM_NULL;
        task->work();
        task->done = true;
    }
    return CallNextHookEx(nullptr, code, removal, message);
}

ScriptedUser::ScriptedUser(DWORD programThread)
    : _programThread(programThread), _modalEnded(CreateEventA(nullptr, TRUE, FALSE, nullptr), &CloseHandle) {}

ScriptedUser::~ScriptedUser() = default;

void ScriptedUser::playModal(const std::function<void()>& modal,
                             const std::function<void(ScriptedUser&)>& script) {
    ScriptedUser user(GetCurrentThreadId());
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE); // the thread needs a queue before tasks are posted to it
    std::unique_ptr<HHOOK__, decltype(&UnhookWindowsHookEx)> hook(
        SetWindowsHookExA(WH_GETMESSAGE, onGetMessage, nullptr, GetCurrentThreadId()), &UnhookWindowsHookEx);
    if (!hook)
        throw std::runtime_error("the scripted user could not watch the program's messages");

    std::thread player([&] {
        try {
            script(user);
            if (!user.modalEnded(DefaultTimeoutMs))
                user.fail("the script ended, but the program did not return from its modal call");
            return;
        } catch (const std::exception& error) {
            user._failure = error.what();
        }
        user.closeEverything();
    });
    std::exception_ptr modalError;
    try {
        modal();
    } catch (...) {
        modalError = std::current_exception();
    }
    SetEvent(user._modalEnded.get());
    player.join();
    hook.reset();
    while (PeekMessageA(&msg, nullptr, TaskMessage, TaskMessage, PM_REMOVE)) {
        // tasks posted while the modal call was ending; their owner goes with `user`
    }
    if (!user._failure.empty())
        throw std::runtime_error(user._failure);
    if (modalError)
        std::rethrow_exception(modalError);
}

void ScriptedUser::fail(const std::string& what) {
    throw std::runtime_error(what);
}

bool ScriptedUser::modalEnded(DWORD waitMs) {
    return WaitForSingleObject(_modalEnded.get(), waitMs) == WAIT_OBJECT_0;
}

// Ends every dialog and message box of the program's thread with IDCANCEL, then destroys what is left, so
// that a failed test does not hang; when even that does not end the modal call, the process is ended.
void ScriptedUser::closeEverything() {
    for (int round = 0; round < 40 && !modalEnded(0); ++round) {
        auto task = std::make_unique<Task>();
        task->work = [thread = _programThread, destroy = round >= 10] {
            EnumThreadWindows(thread, &closeWindow, destroy);
        };
        PostThreadMessageA(_programThread, TaskMessage, 0, reinterpret_cast<LPARAM>(task.get()));
        _tasks.push_back(std::move(task));
        modalEnded(250);
    }
    if (!modalEnded(0)) {
        std::fprintf(stderr, "Scripted user: %s\nThe program could not be closed; ending the test process.\n",
                     _failure.c_str());
        std::fflush(stderr);
        TerminateProcess(GetCurrentProcess(), 3);
    }
}

void ScriptedUser::runOnProgramThread(std::function<void()> work) {
    _tasks.push_back(std::make_unique<Task>());
    Task& posted = *_tasks.back();
    posted.work = std::move(work);
    if (!PostThreadMessageA(_programThread, TaskMessage, 0, reinterpret_cast<LPARAM>(&posted)))
        fail("the program's thread takes no more messages");
    for (DWORD waited = 0; !posted.done && !modalEnded(PollMs); waited += PollMs) {
        if (waited > AnswerTimeoutMs)
            fail("the program stopped handling messages");
    }
}

void ScriptedUser::sync() {
    runOnProgramThread([] {});
}

LRESULT ScriptedUser::send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, AnswerTimeoutMs, &result))
        fail("the program did not answer message " + std::to_string(message) + " within the time allowed");
    return static_cast<LRESULT>(result);
}

void ScriptedUser::post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!PostMessageA(window, message, wParam, lParam))
        fail("could not post message " + std::to_string(message) + " to the program");
}

HWND ScriptedUser::waitFor(const std::string& caption, bool messageBox, DWORD timeoutMs) {
    const std::string what = (messageBox ? "the message box \"" : "the window \"") + caption + "\"";
    for (DWORD waited = 0;; waited += PollMs) {
        if (HWND window = findTopLevel(caption, messageBox)) {
            sync();
            return window;
        }
        if (modalEnded(PollMs))
            fail("the program's modal call ended while waiting for " + what);
        if (waited > timeoutMs)
            fail("no " + what.substr(4) + " appeared");
    }
}

void ScriptedUser::waitUntilGone(HWND window) {
    for (DWORD waited = 0; IsWindow(window) && IsWindowVisible(window); waited += PollMs) {
        if (waited > DefaultTimeoutMs)
            fail("the window \"" + captionOf(window) + "\" did not close");
        Sleep(PollMs);
    }
    if (!modalEnded(0))
        sync();
}

bool ScriptedUser::isOpen(const std::string& caption) {
    return findTopLevel(caption, false) != nullptr;
}

HWND ScriptedUser::control(HWND dialog, int id) {
    HWND child = GetDlgItem(dialog, id);
    if (!child)
        fail("the window \"" + captionOf(dialog) + "\" has no control " + std::to_string(id));
    return child;
}

HWND ScriptedUser::usableControl(HWND dialog, int id) {
    HWND child = control(dialog, id);
    if (!IsWindowVisible(child) || !IsWindowEnabled(child))
        fail("control " + std::to_string(id) + " (\"" + text(child) + "\") is hidden or disabled");
    return child;
}

std::string ScriptedUser::text(HWND window) {
    std::string result(static_cast<std::size_t>(send(window, WM_GETTEXTLENGTH, 0, 0)) + 1, '\0');
    result.resize(static_cast<std::size_t>(
        send(window, WM_GETTEXT, result.size(), reinterpret_cast<LPARAM>(result.data()))));
    return result;
}

int ScriptedUser::focusedId(HWND dialog) {
    for (HWND window = focusedWindow(); window; window = GetParent(window)) {
        if (GetParent(window) == dialog)
            return GetDlgCtrlID(window);
    }
    return 0;
}

std::vector<std::string> ScriptedUser::items(HWND dialog, int id) {
    HWND box = control(dialog, id);
    const bool list = isListBox(box);
    std::vector<std::string> lines(
        static_cast<std::size_t>(send(box, list ? LB_GETCOUNT : CB_GETCOUNT, 0, 0)));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        lines[i].resize(static_cast<std::size_t>(send(box, list ? LB_GETTEXTLEN : CB_GETLBTEXTLEN, i, 0)) +
                        1);
        lines[i].resize(static_cast<std::size_t>(
            send(box, list ? LB_GETTEXT : CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(lines[i].data()))));
    }
    return lines;
}

std::string ScriptedUser::selectedText(HWND dialog, int id) {
    HWND box = control(dialog, id);
    const LRESULT index = send(box, isListBox(box) ? LB_GETCURSEL : CB_GETCURSEL, 0, 0);
    return index < 0 ? std::string() : items(dialog, id).at(static_cast<std::size_t>(index));
}

void ScriptedUser::click(HWND dialog, int id) {
    post(usableControl(dialog, id), BM_CLICK, 0, 0);
    sync();
}

void ScriptedUser::focus(HWND dialog, int id) {
    post(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(usableControl(dialog, id)), TRUE);
    sync();
}

void ScriptedUser::setText(HWND dialog, int id, const std::string& newText) {
    focus(dialog, id);
    send(control(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(newText.c_str()));
    sync();
}

void ScriptedUser::type(HWND dialog, int id, const std::string& characters) {
    focus(dialog, id);
    HWND edit = control(dialog, id);
    send(edit, EM_SETSEL, 0, -1);
    for (char c : characters)
        post(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
    sync();
}

void ScriptedUser::choose(HWND dialog, int id, const std::string& line) {
    const auto lines = items(dialog, id);
    const auto index = std::find(lines.begin(), lines.end(), line) - lines.begin();
    if (index == static_cast<std::ptrdiff_t>(lines.size()))
        fail("control " + std::to_string(id) + " has no line \"" + line + "\"");
    focus(dialog, id);
    HWND box = control(dialog, id);
    const bool list = isListBox(box);
    send(box, list ? LB_SETCURSEL : CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    if (!list || (GetWindowLongA(box, GWL_STYLE) & LBS_NOTIFY))
        post(dialog, WM_COMMAND, MAKEWPARAM(id, list ? LBN_SELCHANGE : CBN_SELCHANGE),
             reinterpret_cast<LPARAM>(box));
    sync();
}

HWND ScriptedUser::focusedWindow() {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(_programThread, &info) || !(info.hwndFocus || info.hwndActive))
        fail("no window of the program has the keyboard focus");
    return info.hwndFocus ? info.hwndFocus : info.hwndActive;
}

void ScriptedUser::pressKey(UINT virtualKey) {
    HWND target = focusedWindow();
    const LPARAM keyData = 1 | static_cast<LPARAM>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC)) << 16;
    post(target, WM_KEYDOWN, virtualKey, keyData);
    // The key may already have closed the window (Escape ends a dialog); its key-up then has nowhere to go.
    if (!PostMessageA(target, WM_KEYUP, virtualKey, keyData | 0xC0000000) && IsWindow(target))
        fail("could not post the key-up to the program");
    sync();
}

void ScriptedUser::typeCharacter(char character) {
    post(focusedWindow(), WM_CHAR, static_cast<unsigned char>(character), 1);
    sync();
}

std::vector<INPUT> keyChordInput(const std::vector<UINT>& modifiers, UINT virtualKey) {
    std::vector<INPUT> keys;
    auto add = [&](UINT key, bool release) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = static_cast<WORD>(key);
        input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
        input.ki.dwFlags = release ? KEYEVENTF_KEYUP : 0;
        keys.push_back(input);
    };
    for (UINT modifier : modifiers)
        add(modifier, false);
    add(virtualKey, false);
    add(virtualKey, true);
    for (auto modifier = modifiers.rbegin(); modifier != modifiers.rend(); ++modifier)
        add(*modifier, true);
    return keys;
}

std::vector<INPUT> typingInput(const std::string& text) {
    std::vector<INPUT> keys;
    for (const wchar_t unit : Win::toWide(text))
        for (const DWORD release : {DWORD(0), DWORD(KEYEVENTF_KEYUP)}) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wScan = static_cast<WORD>(unit);
            input.ki.dwFlags = KEYEVENTF_UNICODE | release;
            keys.push_back(input);
        }
    return keys;
}

void ScriptedUser::answerMessageBox(HWND box, int buttonId) {
    click(box, buttonId);
    waitUntilGone(box);
}

std::string ScriptedUser::answerMessageBox(const std::string& caption, int buttonId) {
    HWND box = waitForMessageBox(caption);
    std::string shown = messageBoxText(box);
    answerMessageBox(box, buttonId);
    return shown;
}

void ScriptedUser::screenshot(HWND window, const std::string& name) {
    runOnProgramThread([window] {
        RedrawWindow(window, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    });
    Sleep(100); // lets the display server finish drawing
    if (saveScreenshot(window, name).empty())
        fail("could not save a picture of " + name);
}
