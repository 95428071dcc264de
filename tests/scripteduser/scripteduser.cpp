#include "tests/scripteduser/scripteduser.h"

#include "tests/scripteduser/pngfile.h"

#include <commctrl.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <thread>

namespace {

const DWORD AnswerTimeoutMs = 15000; // how long the program may take to answer one message
const DWORD PollMs = 20;
const int MessageBoxTextId = 0xFFFF;

const UINT TaskMessage = RegisterWindowMessageA("Lorvant scripted user task");

std::string className(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

bool isListBox(HWND box) {
    return lstrcmpiA(className(box).c_str(), "ListBox") == 0;
}

bool isDialog(HWND window) {
    return className(window) == "#32770";
}

LPARAM keyData(UINT virtualKey, bool release) {
    const LPARAM scan = MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
    return 1 | (scan << 16) | (release ? 0xC0000000 : 0);
}

// Reads a caption without sending a message, so a busy program cannot stall the search.
std::string captionOf(HWND window) {
    wchar_t wide[256] = L"";
    InternalGetWindowText(window, wide, 256);
    char narrow[512] = "";
    WideCharToMultiByte(CP_ACP, 0, wide, -1, narrow, sizeof narrow, nullptr, nullptr);
    return narrow;
}

struct WindowSearch {
    const std::string& caption;
    bool messageBoxOnly;
    HWND found;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM param) {
    auto& search = *reinterpret_cast<WindowSearch*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId() || !IsWindowVisible(window) || captionOf(window) != search.caption)
        return TRUE;
    if (search.messageBoxOnly && !(isDialog(window) && GetDlgItem(window, MessageBoxTextId)))
        return TRUE;
    search.found = window;
    return FALSE;
}

BOOL CALLBACK closeWindow(HWND window, LPARAM destroy) {
    if (destroy)
        DestroyWindow(window);
    else if (isDialog(window))
        EndDialog(window, IDCANCEL);
    return TRUE;
}

} // namespace

// Work that the script hands to the program's thread. The program's thread runs it when it takes the task's
// message from its queue, that is after everything posted to it before, which is what `sync` relies on.
struct ScriptedUser::Task {
    std::function<void()> work;
    std::atomic<bool> done{false};
};

LRESULT CALLBACK ScriptedUser::onGetMessage(int code, WPARAM removal, LPARAM message) {
    auto* msg = reinterpret_cast<MSG*>(message);
    if (code == HC_ACTION && removal == PM_REMOVE) {
        if (msg->hwnd == nullptr && msg->message == TaskMessage) {
            auto* task = reinterpret_cast<Task*>(msg->lParam);
            msg->message = WM_NULL;
            task->work();
            task->done = true;
        }
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
        throw ScriptFailure("the scripted user could not watch the program's messages");

    std::thread player([&] { user.runScript(script); });
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
        throw ScriptFailure(user._failure);
    if (modalError)
        std::rethrow_exception(modalError);
}

void ScriptedUser::runScript(const std::function<void(ScriptedUser&)>& script) {
    try {
        script(*this);
        if (!modalEnded(DefaultTimeoutMs))
            fail("the script ended, but the program did not return from its modal call");
        return;
    } catch (const ScriptFailure& failure) {
        _failure = failure.what();
    } catch (const std::exception& error) {
        _failure = std::string("the script threw: ") + error.what();
    }
    closeEverything();
}

void ScriptedUser::fail(const std::string& what) {
    throw ScriptFailure(what);
}

bool ScriptedUser::modalEnded(DWORD waitMs) {
    return WaitForSingleObject(_modalEnded.get(), waitMs) == WAIT_OBJECT_0;
}

// Ends every dialog and message box of the program's thread with IDCANCEL, then destroys what is left, so
// that a failed test does not hang; when even that does not end the modal call, the process is ended.
void ScriptedUser::closeEverything() {
    for (int round = 0; round < 40 && !modalEnded(0); ++round) {
        const bool destroy = round >= 10;
        auto task = std::make_unique<Task>();
        task->work = [thread = _programThread, destroy] { EnumThreadWindows(thread, &closeWindow, destroy); };
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
    auto task = std::make_unique<Task>();
    task->work = std::move(work);
    Task& posted = *task;
    _tasks.push_back(std::move(task));
    if (!PostThreadMessageA(_programThread, TaskMessage, 0, reinterpret_cast<LPARAM>(&posted)))
        fail("the program's thread takes no more messages");
    for (DWORD waited = 0; !posted.done; waited += PollMs) {
        if (modalEnded(PollMs))
            return;
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

HWND ScriptedUser::findTopLevel(const std::string& caption, bool messageBoxOnly) {
    WindowSearch search{caption, messageBoxOnly, nullptr};
    EnumWindows(&matchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND ScriptedUser::waitForWindow(const std::string& caption, DWORD timeoutMs) {
    for (DWORD waited = 0;; waited += PollMs) {
        if (HWND window = findTopLevel(caption, false)) {
            sync();
            return window;
        }
        if (modalEnded(PollMs))
            fail("the program's modal call ended while waiting for the window \"" + caption + "\"");
        if (waited > timeoutMs)
            fail("no window \"" + caption + "\" appeared");
    }
}

HWND ScriptedUser::waitForMessageBox(const std::string& caption, DWORD timeoutMs) {
    for (DWORD waited = 0;; waited += PollMs) {
        if (HWND box = findTopLevel(caption, true)) {
            sync();
            return box;
        }
        if (modalEnded(PollMs))
            fail("the program's modal call ended while waiting for the message box \"" + caption + "\"");
        if (waited > timeoutMs)
            fail("no message box \"" + caption + "\" appeared");
    }
}

void ScriptedUser::waitUntilGone(HWND window, DWORD timeoutMs) {
    for (DWORD waited = 0; IsWindow(window) && IsWindowVisible(window); waited += PollMs) {
        if (waited > timeoutMs)
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

HWND ScriptedUser::enabledControl(HWND dialog, int id) {
    HWND child = control(dialog, id);
    if (!IsWindowVisible(child))
        fail("control " + std::to_string(id) + " (\"" + text(child) + "\") is hidden");
    if (!IsWindowEnabled(child))
        fail("control " + std::to_string(id) + " (\"" + text(child) + "\") is disabled");
    return child;
}

std::string ScriptedUser::text(HWND window) {
    std::string result(static_cast<std::size_t>(send(window, WM_GETTEXTLENGTH, 0, 0)) + 1, '\0');
    const LRESULT copied = send(window, WM_GETTEXT, result.size(), reinterpret_cast<LPARAM>(result.data()));
    result.resize(static_cast<std::size_t>(copied));
    return result;
}

bool ScriptedUser::isChecked(HWND dialog, int id) {
    return send(control(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool ScriptedUser::isEnabled(HWND dialog, int id) {
    return IsWindowEnabled(control(dialog, id)) != FALSE;
}

bool ScriptedUser::isVisible(HWND dialog, int id) {
    return IsWindowVisible(control(dialog, id)) != FALSE;
}

int ScriptedUser::focusedId(HWND dialog) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(_programThread, &info))
        fail("could not read which control has the focus");
    for (HWND window = info.hwndFocus; window; window = GetParent(window)) {
        if (GetParent(window) == dialog)
            return GetDlgCtrlID(window);
    }
    return 0;
}

std::vector<std::string> ScriptedUser::items(HWND dialog, int id) {
    HWND box = control(dialog, id);
    const bool list = isListBox(box);
    const LRESULT count = send(box, list ? LB_GETCOUNT : CB_GETCOUNT, 0, 0);
    std::vector<std::string> lines;
    for (LRESULT i = 0; i < count; ++i) {
        std::string line(
            static_cast<std::size_t>(send(box, list ? LB_GETTEXTLEN : CB_GETLBTEXTLEN, i, 0)) + 1, '\0');
        send(box, list ? LB_GETTEXT : CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(line.data()));
        line.resize(line.size() - 1);
        lines.push_back(line);
    }
    return lines;
}

int ScriptedUser::selectedIndex(HWND dialog, int id) {
    HWND box = control(dialog, id);
    const LRESULT index = send(box, isListBox(box) ? LB_GETCURSEL : CB_GETCURSEL, 0, 0);
    return index < 0 ? -1 : static_cast<int>(index);
}

std::string ScriptedUser::selectedText(HWND dialog, int id) {
    const int index = selectedIndex(dialog, id);
    return index < 0 ? std::string() : items(dialog, id).at(static_cast<std::size_t>(index));
}

std::string ScriptedUser::messageBoxText(HWND box) {
    return text(control(box, MessageBoxTextId));
}

void ScriptedUser::click(HWND dialog, int id) {
    post(enabledControl(dialog, id), BM_CLICK, 0, 0);
    sync();
}

void ScriptedUser::focus(HWND dialog, int id) {
    HWND child = enabledControl(dialog, id);
    if (isDialog(dialog))
        post(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(child), TRUE);
    else
        runOnProgramThread([child] { SetFocus(child); });
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

void ScriptedUser::selectLine(HWND dialog, int id, HWND box, int index) {
    focus(dialog, id);
    const bool list = isListBox(box);
    if (send(box, list ? LB_SETCURSEL : CB_SETCURSEL, static_cast<WPARAM>(index), 0) != index)
        fail("control " + std::to_string(id) + " has no line " + std::to_string(index));
    const bool notifies = !list || (GetWindowLongA(box, GWL_STYLE) & LBS_NOTIFY);
    if (notifies)
        post(dialog, WM_COMMAND, MAKEWPARAM(id, list ? LBN_SELCHANGE : CBN_SELCHANGE),
             reinterpret_cast<LPARAM>(box));
    sync();
}

void ScriptedUser::choose(HWND dialog, int id, int index) {
    selectLine(dialog, id, enabledControl(dialog, id), index);
}

void ScriptedUser::choose(HWND dialog, int id, const std::string& itemText) {
    const auto lines = items(dialog, id);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] == itemText)
            return selectLine(dialog, id, enabledControl(dialog, id), static_cast<int>(i));
    }
    fail("control " + std::to_string(id) + " has no line \"" + itemText + "\"");
}

void ScriptedUser::pressKey(UINT virtualKey) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(_programThread, &info) || !(info.hwndFocus || info.hwndActive))
        fail("no window of the program has the keyboard focus");
    HWND target = info.hwndFocus ? info.hwndFocus : info.hwndActive;
    post(target, WM_KEYDOWN, virtualKey, keyData(virtualKey, false));
    // The key may already have closed the window (Escape ends a dialog); its key-up then has nowhere to go.
    if (!PostMessageA(target, WM_KEYUP, virtualKey, keyData(virtualKey, true)) && IsWindow(target))
        fail("could not post the key-up to the program");
    sync();
}

void ScriptedUser::typeCharacter(char character) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(_programThread, &info) || !(info.hwndFocus || info.hwndActive))
        fail("no window of the program has the keyboard focus");
    post(info.hwndFocus ? info.hwndFocus : info.hwndActive, WM_CHAR, static_cast<unsigned char>(character),
         1);
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

std::string ScriptedUser::screenshot(HWND window, const std::string& name) {
    runOnProgramThread([window] {
        RedrawWindow(window, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    });
    Sleep(100); // lets the display server finish drawing
    RECT place{};
    GetWindowRect(window, &place);
    const int width = place.right - place.left, height = place.bottom - place.top;

    std::unique_ptr<HDC__, void (*)(HDC)> screen(GetDC(nullptr), [](HDC dc) { ReleaseDC(nullptr, dc); });
    std::unique_ptr<HDC__, decltype(&DeleteDC)> memory(CreateCompatibleDC(screen.get()), &DeleteDC);
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height; // top row first
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    std::unique_ptr<HBITMAP__, decltype(&DeleteObject)> picture(
        CreateDIBSection(screen.get(), &format, DIB_RGB_COLORS, &bits, nullptr, 0), &DeleteObject);
    if (!picture || !bits)
        fail("could not make a picture of " + std::to_string(width) + " x " + std::to_string(height) +
             " pixels");
    HGDIOBJ old = SelectObject(memory.get(), picture.get());
    const bool copied =
        BitBlt(memory.get(), 0, 0, width, height, screen.get(), place.left, place.top, SRCCOPY);
    SelectObject(memory.get(), old);
    if (!copied)
        fail("could not copy the screen");

    std::vector<std::uint8_t> rgb;
    rgb.reserve(static_cast<std::size_t>(width) * height * 3);
    const auto* pixel = static_cast<const std::uint8_t*>(bits);
    for (int i = 0; i < width * height; ++i, pixel += 4)
        rgb.insert(rgb.end(), {pixel[2], pixel[1], pixel[0]});

    const char* folder = std::getenv("LORVANT_SCREENSHOT_DIR");
    const std::string dir = folder && *folder ? folder : "screenshots";
    CreateDirectoryA(dir.c_str(), nullptr);
    const std::string path = dir + "\\" + name + ".png";
    if (!writePngFile(path, width, height, rgb))
        fail("could not write " + path);
    return path;
}
