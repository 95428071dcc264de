#include "tests/app/lorvantprocess.h"

#include "tests/app/probechannel.h"
#include "tests/scripteduser/screenshot.h"
#include "tests/scripteduser/scripteduser.h"
#include "tests/scripteduser/windowclass.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {

const DWORD PollMs = 20;
const char* const RecentDocsKey = "Software\\Tandrel\\Lorvant\\1.21\\MRU";

std::string programFolder() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.rfind('\\') + 1);
}

bool isMainWindow(HWND window) {
    return className(window) == "Lorvant Window Class";
}

// The process's visible top-level windows, owned ones (dialogs, message boxes) included.
std::vector<HWND> shownWindows(DWORD process) {
    std::pair<DWORD, std::vector<HWND>> search{process, {}};
    EnumWindows(
        [](HWND window, LPARAM param) {
            auto& [process, found] = *reinterpret_cast<std::pair<DWORD, std::vector<HWND>>*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == process && IsWindowVisible(window))
                found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.second;
}

// The main window by its class, the others by caption: the main window's title may read as a message box's.
HWND findWindow(DWORD process, const std::string& caption) {
    for (HWND window : shownWindows(process))
        if (caption.empty() ? isMainWindow(window)
                            : !isMainWindow(window) && LorvantProcess::text(window) == caption)
            return window;
    return nullptr;
}

RECT placeIn(const LorvantProcess::Row& fields, std::size_t first) {
    return RECT{std::stoi(fields.at(first)), std::stoi(fields.at(first + 1)), std::stoi(fields.at(first + 2)),
                std::stoi(fields.at(first + 3))};
}

std::vector<LorvantProcess::MenuItem> menuIn(const std::vector<LorvantProcess::Row>& lines) {
    std::vector<LorvantProcess::MenuItem> items;
    for (const LorvantProcess::Row& fields : lines)
        items.push_back({std::stoi(fields.at(0)), static_cast<UINT>(std::stoul(fields.at(1))), fields.at(2)});
    return items;
}

std::string numbers(const std::vector<int>& values) {
    std::string text;
    for (int value : values)
        text += " " + std::to_string(value);
    return text;
}

} // namespace

LorvantProcess::LorvantProcess(const std::string& commandLine, const std::string& folder)
    : LorvantProcess(WholeCommandLine{"\"" + programFolder() + "Lorvant.exe\"" +
                                      (commandLine.empty() ? "" : " " + commandLine)},
                     folder) {}

LorvantProcess::LorvantProcess(const WholeCommandLine& commandLine, const std::string& folder) {
    std::string line = commandLine.text;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &_process))
        fail("could not start " + line + " (error " + std::to_string(GetLastError()) + ")");
    // Failing from here, the object is never destroyed: the program is ended now.
    try {
        waitUntil([&] { return (_mainWindow = findWindow(_process.dwProcessId, "")) != nullptr; },
                  "the program's window to be shown");
        _thread = GetWindowThreadProcessId(_mainWindow, nullptr);

        const DWORD process = _process.dwProcessId;
        _memory =
            CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                               sizeof(ProbeChannel::Buffers), ProbeChannel::memoryName(process).c_str());
        _buffers =
            _memory ? MapViewOfFile(_memory, FILE_MAP_WRITE, 0, 0, sizeof(ProbeChannel::Buffers)) : nullptr;
        _answered = CreateEventA(nullptr, FALSE, FALSE, ProbeChannel::answeredName(process).c_str());
        HMODULE probe = LoadLibraryA((programFolder() + "lorvant_probe.dll").c_str());
        // Through void*, as a library's entry point is looked up without its type.
        auto hook = probe ? reinterpret_cast<HOOKPROC>(
                                reinterpret_cast<void*>(GetProcAddress(probe, "lorvantProbeHook")))
                          : nullptr;
        if (!_buffers || !_answered || !hook ||
            !(_hook = SetWindowsHookExA(WH_GETMESSAGE, hook, probe, _thread)))
            fail("could not hook the probe into the program");
        sync();
    } catch (...) {
        end();
        throw;
    }
}

void LorvantProcess::end() {
    if (_hook)
        UnhookWindowsHookEx(_hook);
    if (!waitForExit(0)) {
        TerminateProcess(_process.hProcess, 99);
        waitForExit();
    }
    if (_buffers)
        UnmapViewOfFile(_buffers);
    if (_memory)
        CloseHandle(_memory);
    if (_answered)
        CloseHandle(_answered);
    CloseHandle(_process.hThread);
    CloseHandle(_process.hProcess);
}

void LorvantProcess::waitUntil(const std::function<bool()>& done, const std::string& what) {
    for (DWORD waited = 0; !done(); waited += PollMs) {
        if (waited > TimeoutMs)
            fail("waited in vain for " + what);
        if (waitForExit(PollMs) && !done())
            fail("the program ended while waiting for " + what);
    }
}

std::string LorvantProcess::ask(const std::string& request) {
    auto* buffers = static_cast<ProbeChannel::Buffers*>(_buffers);
    std::strncpy(buffers->request, request.c_str(), ProbeChannel::RequestSize - 1);
    buffers->reply[0] = '\0';
    ResetEvent(_answered);
    if (!PostThreadMessageA(_thread, RegisterWindowMessageA(ProbeChannel::RequestMessageName), 0, 0))
        fail("the program takes no more messages (asked: " + request + ")");
    const HANDLE waits[] = {_answered, _process.hProcess};
    const DWORD result = WaitForMultipleObjects(2, waits, FALSE, TimeoutMs);
    if (result != WAIT_OBJECT_0)
        fail((result == WAIT_OBJECT_0 + 1 ? "the program ended (asked: "
                                          : "the program did not answer (asked: ") +
             request + ")");
    std::string reply(buffers->reply);
    if (reply.rfind("error:", 0) == 0)
        fail(reply);
    return reply;
}

// Twice: what the program posted to itself while handling the messages before the first answer is handled
// before the second.
void LorvantProcess::sync() {
    ask("sync");
    ask("sync");
}

void LorvantProcess::waitUntilWorkDone() {
    sync();
    waitUntil([&] { return IsWindowEnabled(_mainWindow) != FALSE || waitForExit(0); },
              "the program to take input again");
}

void LorvantProcess::post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!PostMessageA(window, message, wParam, lParam))
        fail("could not post message " + std::to_string(message) + " to the program");
}

std::vector<LorvantProcess::Row> LorvantProcess::table(const std::string& request) {
    std::vector<Row> lines;
    std::istringstream in(ask(request));
    for (std::string line; std::getline(in, line);) {
        Row fields(1);
        for (char c : line)
            if (c == *ProbeChannel::FieldSeparator)
                fields.emplace_back();
            else
                fields.back() += c;
        lines.push_back(fields);
    }
    return lines;
}

std::vector<LorvantProcess::MenuItem> LorvantProcess::menu(const std::vector<int>& popupPath) {
    return menuIn(table("menu" + numbers(popupPath)));
}

LorvantProcess::MenuItem LorvantProcess::menuItem(const std::vector<int>& popupPath,
                                                  const std::string& label) {
    for (const MenuItem& item : menu(popupPath))
        if (item.label == label)
            return item;
    fail("the menu" + numbers(popupPath) + " has no item \"" + label + "\"");
}

void LorvantProcess::chooseMenuItem(const std::vector<int>& popupPath, const std::string& label) {
    const MenuItem item = menuItem(popupPath, label);
    if (!item.enabled())
        fail("\"" + label + "\" is greyed and cannot be chosen");
    post(_mainWindow, WM_COMMAND, MAKEWPARAM(item.id, 0), 0);
    sync();
}

void LorvantProcess::highlightMenuItem(std::vector<int> popupPath, int position) {
    popupPath.push_back(position);
    ask("highlight" + numbers(popupPath));
}

std::vector<LorvantProcess::MenuItem> LorvantProcess::trackedMenu() {
    std::vector<Row> lines;
    waitUntil([&] { return !(lines = table("tracked-menu")).empty(); }, "a context menu");
    return menuIn(lines);
}

std::vector<LorvantProcess::Column> LorvantProcess::columns() {
    std::vector<Column> result;
    for (const Row& fields : table("columns"))
        result.push_back({std::stoi(fields.at(0)), fields.at(1)});
    return result;
}

std::vector<LorvantProcess::Row> LorvantProcess::rows(int first, int count) {
    return table("cells" + numbers({first, count}));
}

std::vector<int> LorvantProcess::selectedRows() {
    std::vector<int> result;
    for (const Row& fields : table("selection"))
        result.push_back(std::stoi(fields.at(0)));
    return result;
}

void LorvantProcess::selectRows(const std::vector<int>& rows) {
    ask("select" + numbers(rows));
    sync();
}

// Posted, as the mouse's messages come: the control may wait for the button's release in its queue. A right
// click returns at once: the context menu it opens holds the program until it closes.
void LorvantProcess::mouse(HWND window, const RECT& onScreen, UINT down, WPARAM keys, bool twice) {
    POINT at{(onScreen.left + onScreen.right) / 2, (onScreen.top + onScreen.bottom) / 2};
    ScreenToClient(window, &at);
    const LPARAM place = MAKELPARAM(at.x, at.y);
    const WPARAM button = down == WM_LBUTTONDOWN ? MK_LBUTTON : MK_RBUTTON;
    post(window, down, button | keys, place);
    post(window, down + 1, keys, place);
    if (twice) {
        post(window, down + 2, button | keys, place); // the double click
        post(window, down + 1, keys, place);
    }
    if (down != WM_RBUTTONDOWN)
        sync();
}

void LorvantProcess::mouseOnRow(int row, UINT down, WPARAM keys, bool twice) {
    mouse(GetDlgItem(_mainWindow, 2), placeIn(table("row-place " + std::to_string(row)).at(0), 0), down, keys,
          twice);
}

HWND LorvantProcess::header() const {
    return FindWindowExA(GetDlgItem(_mainWindow, 2), nullptr, WC_HEADERA, nullptr);
}

void LorvantProcess::clickHeader(int column) {
    mouse(header(), placeIn(table("heading-place " + std::to_string(column)).at(0), 0), WM_LBUTTONDOWN, 0,
          false);
}

// Grabs the right edge of the heading one pixel inside, so lets go one pixel short of the new edge.
void LorvantProcess::dragColumnWidth(int column, int width) {
    RECT heading = placeIn(table("heading-place " + std::to_string(column)).at(0), 0);
    MapWindowPoints(nullptr, header(), reinterpret_cast<POINT*>(&heading), 2);
    const int y = (heading.top + heading.bottom) / 2, to = heading.left + width - 1;
    post(header(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(heading.right - 1, y));
    post(header(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to, y));
    post(header(), WM_LBUTTONUP, 0, MAKELPARAM(to, y));
    sync();
}

std::vector<LorvantProcess::Button> LorvantProcess::toolbar() {
    std::vector<Button> result;
    for (const Row& fields : table("toolbar"))
        result.push_back({std::stoi(fields.at(0)), placeIn(fields, 2), fields.at(1)});
    return result;
}

LorvantProcess::Button LorvantProcess::button(const std::string& text) {
    for (const Button& button : toolbar())
        if (button.text == text)
            return button;
    fail("the toolbar has no button \"" + text + "\"");
}

void LorvantProcess::clickButton(const std::string& text) {
    mouse(GetDlgItem(_mainWindow, 3), button(text).place, WM_LBUTTONDOWN, 0, false);
}

std::string LorvantProcess::tooltip(const std::string& text) {
    const RECT place = button(text).place;
    ask("activate");
    // Come from outside the toolbar, so that the tooltip starts anew for this button.
    SetCursorPos(place.left + 2, place.bottom + 100);
    Sleep(200);
    SetCursorPos((place.left + place.right) / 2, (place.top + place.bottom) / 2);
    std::string shown;
    waitUntil(
        [&] {
            for (HWND tip : shownWindows(_process.dwProcessId))
                if (className(tip) == TOOLTIPS_CLASSA && !(shown = LorvantProcess::text(tip)).empty())
                    return true;
            return false;
        },
        "a tooltip over \"" + text + "\"");
    return shown;
}

void LorvantProcess::pressKey(UINT virtualKey, const std::vector<UINT>& modifiers) {
    ask("activate");
    auto* buffers = static_cast<ProbeChannel::Buffers*>(_buffers);
    const LONG expected = buffers->keyUps + 1 + static_cast<LONG>(modifiers.size());
    std::vector<INPUT> keys = keyChordInput(modifiers, virtualKey);
    if (SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT)) != keys.size())
        fail("the keyboard input was refused");
    waitUntil([&] { return buffers->keyUps >= expected; }, "the program to receive the keys");
    sync();
}

void LorvantProcess::type(const std::string& text) {
    ask("activate");
    auto* buffers = static_cast<ProbeChannel::Buffers*>(_buffers);
    std::vector<INPUT> keys = typingInput(text);
    const LONG expected = buffers->keyUps + static_cast<LONG>(keys.size() / 2);
    if (SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT)) != keys.size())
        fail("the keyboard input was refused");
    waitUntil([&] { return buffers->keyUps >= expected; }, "the program to receive the keys");
    sync();
}

HWND LorvantProcess::waitForWindow(const std::string& caption) {
    HWND window = nullptr;
    waitUntil([&] { return (window = findWindow(_process.dwProcessId, caption)) != nullptr; },
              "a window \"" + caption + "\"");
    return window;
}

std::vector<std::string> LorvantProcess::otherWindows() {
    sync();
    std::vector<std::string> captions;
    for (HWND window : shownWindows(_process.dwProcessId))
        if (!isMainWindow(window))
            captions.push_back(text(window));
    return captions;
}

void LorvantProcess::waitUntilGone(HWND window) {
    waitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window) || waitForExit(0); },
              "the window \"" + text(window) + "\" to close");
}

// Asked of the window itself: GetWindowText does not ask another process's controls, and a status bar keeps
// its text to itself.
std::string LorvantProcess::text(HWND window) {
    char buffer[4096] = "";
    DWORD_PTR length = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer), SMTO_NORMAL,
                        TimeoutMs, &length);
    return std::string(buffer, std::min<std::size_t>(length, sizeof buffer - 1));
}

void LorvantProcess::press(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    if (control == nullptr || !IsWindowVisible(control) || !IsWindowEnabled(control))
        fail("the control " + std::to_string(id) + " of \"" + text(dialog) + "\" cannot be clicked");
    post(control, BM_CLICK, 0, 0);
}

void LorvantProcess::click(HWND dialog, int id) {
    press(dialog, id);
    sync();
}

void LorvantProcess::closeDialog(HWND dialog, int id) {
    click(dialog, id);
    waitUntilGone(dialog);
    sync();
}

void LorvantProcess::setText(HWND dialog, int id, const std::string& text) {
    HWND control = GetDlgItem(dialog, id);
    DWORD_PTR result = 0;
    if (control == nullptr || !IsWindowEnabled(control) ||
        !SendMessageTimeoutA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_NORMAL,
                             TimeoutMs, &result))
        fail("the control " + std::to_string(id) + " of \"" + LorvantProcess::text(dialog) +
             "\" did not take the text");
}

std::string LorvantProcess::answerMessageBox(const std::string& caption, int buttonId) {
    HWND box = waitForWindow(caption);
    const std::string shown = messageBoxText(box);
    press(box, buttonId);
    waitUntilGone(box);
    // The answer may end the program, even while it is being asked whether it is done.
    try {
        sync();
    } catch (const std::runtime_error&) {
        if (!waitForExit())
            throw;
    }
    return shown;
}

// Types the name into the file name box (cmb13, a combo box around an edit box with the same id) after
// choosing the type in cmb1 as a click in its list would, then presses OK and says Yes if asked to replace.
void LorvantProcess::chooseFile(const std::string& caption, const std::string& path, int typeIndex) {
    HWND dialog = waitForWindow(caption);
    if (typeIndex > 0) {
        HWND types = GetDlgItem(dialog, 0x470);
        if (types == nullptr)
            fail("the file dialog has no file type box");
        SendMessageA(types, CB_SETCURSEL, static_cast<WPARAM>(typeIndex - 1), 0);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(0x470, CBN_SELCHANGE), reinterpret_cast<LPARAM>(types));
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(0x470, CBN_SELENDOK), reinterpret_cast<LPARAM>(types));
    }
    HWND name = nullptr;
    EnumChildWindows(
        dialog,
        [](HWND window, LPARAM found) {
            if (GetDlgCtrlID(window) != 0x47C || className(window) != "Edit")
                return TRUE;
            *reinterpret_cast<HWND*>(found) = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&name));
    setText(GetParent(name), 0x47C, path);
    press(dialog, IDOK);
    HWND question = nullptr; // whether to replace the file
    waitUntil(
        [&] {
            for (HWND window : shownWindows(_process.dwProcessId))
                if (!question && GetWindow(window, GW_OWNER) == dialog)
                    press(question = window, IDYES);
            return !IsWindowVisible(dialog);
        },
        "the file dialog to take " + path);
    sync();
}

bool LorvantProcess::waitForExit(DWORD timeoutMs) {
    return WaitForSingleObject(_process.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

DWORD LorvantProcess::exitCode() {
    DWORD code = 0;
    GetExitCodeProcess(_process.hProcess, &code);
    return code;
}

std::string LorvantProcess::screenshot(const std::string& name, HWND window) {
    window = window ? window : _mainWindow;
    sync();
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    sync();
    Sleep(300); // lets the display server finish drawing
    const std::string path = saveScreenshot(window, name);
    if (path.empty())
        fail("could not save a picture of the window as " + name);
    return path;
}

bool LorvantProcess::showsOneColour(HWND window, const RECT& clientArea) {
    RECT place = clientArea;
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&place), 2);
    const std::vector<std::uint8_t> rgb = screenPixels(place);
    if (rgb.empty())
        fail("could not read the screen");
    for (std::size_t i = 3; i < rgb.size(); i += 3)
        if (!std::equal(rgb.begin(), rgb.begin() + 3, rgb.begin() + static_cast<std::ptrdiff_t>(i)))
            return false;
    return true;
}

TestFolder::TestFolder()
    : _path([] {
          char temp[MAX_PATH] = "";
          GetTempPathA(MAX_PATH, temp);
          return std::string(temp) + "lorvant-app-test-" + std::to_string(GetCurrentProcessId()) + "-" +
                 std::to_string(GetTickCount());
      }()) {
    CreateDirectoryA(_path.c_str(), nullptr);
}

TestFolder::~TestFolder() {
    for (const std::string& name : files()) {
        SetFileAttributesA(path(name).c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path(name).c_str());
    }
    RemoveDirectoryA(_path.c_str());
}

std::vector<std::string> TestFolder::files() const {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((_path + "\\*").c_str(), &entry);
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &entry))
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.emplace_back(entry.cFileName);
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
    return names;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void deleteRecentDocsKey() {
    RegDeleteKeyA(HKEY_CURRENT_USER, RecentDocsKey);
}

std::vector<std::string> readRecentDocsKey() {
    std::vector<std::string> values;
    for (int n = 1; n <= 10; ++n) {
        char value[1024] = "";
        DWORD size = sizeof value;
        if (RegGetValueA(HKEY_CURRENT_USER, RecentDocsKey, std::to_string(n).c_str(), RRF_RT_REG_SZ, nullptr,
                         value, &size) != ERROR_SUCCESS)
            value[0] = '\0';
        values.emplace_back(value);
    }
    return values;
}

void writeRecentDocsKey(const std::vector<std::string>& values) {
    for (std::size_t n = 1; n <= values.size(); ++n)
        RegSetKeyValueA(HKEY_CURRENT_USER, RecentDocsKey, std::to_string(n).c_str(), REG_SZ,
                        values[n - 1].c_str(), static_cast<DWORD>(values[n - 1].size() + 1));
}
