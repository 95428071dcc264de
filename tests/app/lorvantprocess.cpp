#include "tests/app/lorvantprocess.h"

#include "tests/app/probechannel.h"
#include "tests/scripteduser/pngfile.h"
#include "tests/scripteduser/scripteduser.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
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

std::string className(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

struct WindowSearch {
    DWORD process;
    std::string caption; // empty: the main window, by its class
    HWND found;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM param) {
    auto& search = *reinterpret_cast<WindowSearch*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != search.process || !IsWindowVisible(window))
        return TRUE;
    // The main window is found by its class, the others by caption; the main window's title may read as a
    // message box's caption.
    const bool isMain = className(window) == "Lorvant Window Class";
    const bool match =
        search.caption.empty() ? isMain : !isMain && LorvantProcess::text(window) == search.caption;
    if (match) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

HWND findWindow(DWORD process, const std::string& caption) {
    WindowSearch search{process, caption, nullptr};
    EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        result.push_back(line);
    return result;
}

std::string popupName(const std::vector<int>& popupPath) {
    std::string name;
    for (int position : popupPath)
        name += " " + std::to_string(position);
    return name;
}

} // namespace

LorvantProcess::LorvantProcess(const std::string& commandLine, const std::string& folder) {
    std::string line = "\"" + programFolder() + "Lorvant.exe\"";
    if (!commandLine.empty())
        line += " " + commandLine;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &_process))
        fail("could not start " + line);
    for (DWORD waited = 0; (_mainWindow = findWindow(_process.dwProcessId, "")) == nullptr;
         waited += PollMs) {
        if (WaitForSingleObject(_process.hProcess, PollMs) == WAIT_OBJECT_0)
            fail("the program ended before its window was shown");
        if (waited > TimeoutMs)
            fail("the program's window was not shown");
    }
    _thread = GetWindowThreadProcessId(_mainWindow, nullptr);
    hookProbe();
}

LorvantProcess::~LorvantProcess() {
    if (_hook)
        UnhookWindowsHookEx(_hook);
    if (WaitForSingleObject(_process.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(_process.hProcess, 99);
        WaitForSingleObject(_process.hProcess, TimeoutMs);
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

void LorvantProcess::hookProbe() {
    const DWORD process = _process.dwProcessId;
    _memory = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                 sizeof(ProbeChannel::Buffers), ProbeChannel::memoryName(process).c_str());
    _buffers =
        _memory ? MapViewOfFile(_memory, FILE_MAP_WRITE, 0, 0, sizeof(ProbeChannel::Buffers)) : nullptr;
    _answered = CreateEventA(nullptr, FALSE, FALSE, ProbeChannel::answeredName(process).c_str());
    HMODULE probe = LoadLibraryA((programFolder() + "lorvant_probe.dll").c_str());
    // Through void*, as a library's entry point is looked up without its type.
    auto hook =
        probe ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(probe, "lorvantProbeHook")))
              : nullptr;
    if (!_buffers || !_answered || !hook)
        fail("could not prepare the probe");
    _hook = SetWindowsHookExA(WH_GETMESSAGE, hook, probe, _thread);
    if (!_hook)
        fail("could not hook the probe into the program");
    sync();
}

void LorvantProcess::fail(const std::string& what) const {
    throw UserFailure(what);
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
    if (result == WAIT_OBJECT_0 + 1)
        fail("the program ended (asked: " + request + ")");
    if (result != WAIT_OBJECT_0)
        fail("the program did not answer (asked: " + request + ")");
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

void LorvantProcess::changeDpi(int fromDpi, int toDpi) {
    ask("dpi-changed " + std::to_string(fromDpi) + " " + std::to_string(toDpi));
    sync();
}

void LorvantProcess::finishDrawing() {
    sync();
    ask("draw");
}

void LorvantProcess::post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!PostMessageA(window, message, wParam, lParam))
        fail("could not post message " + std::to_string(message) + " to the program");
}

std::vector<LorvantProcess::MenuItem> LorvantProcess::menu(const std::vector<int>& popupPath) {
    std::vector<MenuItem> items;
    for (const std::string& line : lines(ask("menu" + popupName(popupPath)))) {
        std::istringstream in(line);
        MenuItem item{};
        in >> item.id >> item.state;
        in.get();
        std::getline(in, item.label);
        items.push_back(item);
    }
    return items;
}

LorvantProcess::MenuItem LorvantProcess::menuItem(const std::vector<int>& popupPath,
                                                  const std::string& label) {
    for (const MenuItem& item : menu(popupPath))
        if (item.label == label)
            return item;
    fail("the menu" + popupName(popupPath) + " has no item \"" + label + "\"");
}

void LorvantProcess::chooseMenuItem(const std::vector<int>& popupPath, const std::string& label) {
    const MenuItem item = menuItem(popupPath, label);
    if (!item.enabled())
        fail("\"" + label + "\" is greyed and cannot be chosen");
    post(_mainWindow, WM_COMMAND, MAKEWPARAM(item.id, 0), 0);
    sync();
}

void LorvantProcess::highlightMenuItem(const std::vector<int>& popupPath, int position) {
    ask("highlight" + popupName(popupPath) + " " + std::to_string(position));
}

void LorvantProcess::closeMenu() {
    ask("close-menu");
}

std::vector<LorvantProcess::MenuItem> LorvantProcess::trackedMenu() {
    std::string reply;
    for (DWORD waited = 0; (reply = ask("tracked-menu")).empty(); waited += PollMs) {
        if (waited > TimeoutMs)
            fail("no context menu appeared");
        Sleep(PollMs);
    }
    std::vector<MenuItem> items;
    for (const std::string& line : lines(reply)) {
        std::istringstream in(line);
        MenuItem item{};
        in >> item.id >> item.state;
        in.get();
        std::getline(in, item.label);
        items.push_back(item);
    }
    return items;
}

int LorvantProcess::rowCount() {
    for (const std::string& line : lines(ask("list")))
        if (line.rfind("rows ", 0) == 0)
            return std::stoi(line.substr(5));
    fail("the list did not tell its rows");
}

int LorvantProcess::selectedCount() {
    for (const std::string& line : lines(ask("list")))
        if (line.rfind("selected ", 0) == 0)
            return std::stoi(line.substr(9));
    fail("the list did not tell its selection");
}

std::vector<LorvantProcess::Column> LorvantProcess::columns() {
    std::vector<Column> result;
    for (const std::string& line : lines(ask("list"))) {
        if (line.rfind("column ", 0) != 0)
            continue;
        std::istringstream in(line.substr(7));
        Column column{};
        in >> column.width;
        in.get();
        std::getline(in, column.title);
        result.push_back(column);
    }
    return result;
}

std::vector<LorvantProcess::Row> LorvantProcess::rows(int first, int count) {
    std::vector<Row> result;
    for (const std::string& line :
         lines(ask("cells " + std::to_string(first) + " " + std::to_string(count)))) {
        Row row;
        std::size_t start = 0;
        for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
            row.push_back(line.substr(start, tab - start));
        row.push_back(line.substr(start));
        result.push_back(row);
    }
    return result;
}

std::vector<int> LorvantProcess::selectedRows() {
    std::vector<int> result;
    for (const std::string& line : lines(ask("selection")))
        result.push_back(std::stoi(line));
    return result;
}

void LorvantProcess::selectRows(const std::vector<int>& rows) {
    std::string request = "select";
    for (int row : rows)
        request += " " + std::to_string(row);
    ask(request);
    sync();
}

void LorvantProcess::clickRow(int row) {
    ask("click-row " + std::to_string(row));
    sync();
}

void LorvantProcess::shiftClickRow(int row) {
    ask("click-row " + std::to_string(row) + " shift");
    sync();
}

void LorvantProcess::doubleClickRow(int row) {
    ask("double-click-row " + std::to_string(row));
    sync();
}

void LorvantProcess::rightClickRow(int row) {
    ask("right-click-row " + std::to_string(row));
}

void LorvantProcess::clickHeader(int column) {
    ask("click-header " + std::to_string(column));
    sync();
}

void LorvantProcess::dragColumnWidth(int column, int width) {
    ask("drag-column-edge " + std::to_string(column) + " " + std::to_string(width));
    sync();
}

std::vector<LorvantProcess::Button> LorvantProcess::toolbar() {
    std::vector<Button> result;
    for (const std::string& line : lines(ask("toolbar"))) {
        std::istringstream in(line);
        Button button{};
        int style = 0;
        in >> button.id >> button.state >> style >> button.place.left >> button.place.top >>
            button.place.right >> button.place.bottom;
        in.get();
        std::getline(in, button.text);
        button.separator = (style & TBSTYLE_SEP) != 0;
        result.push_back(button);
    }
    return result;
}

LorvantProcess::Button LorvantProcess::button(const std::string& text) {
    for (const Button& button : toolbar())
        if (!button.separator && button.text == text)
            return button;
    fail("the toolbar has no button \"" + text + "\"");
}

void LorvantProcess::clickButton(const std::string& text) {
    button(text);
    ask("click-button " + text);
    sync();
}

std::string LorvantProcess::tooltip(const std::string& text) {
    const Button target = button(text);
    ask("activate");
    // Come from outside the toolbar, so that the tooltip starts anew for this button.
    SetCursorPos(target.place.left + 2, target.place.bottom + 100);
    Sleep(200);
    SetCursorPos((target.place.left + target.place.right) / 2, (target.place.top + target.place.bottom) / 2);
    for (DWORD waited = 0; waited < TimeoutMs; waited += PollMs) {
        Sleep(PollMs);
        HWND tip = nullptr;
        while ((tip = FindWindowExA(nullptr, tip, TOOLTIPS_CLASSA, nullptr)) != nullptr) {
            DWORD process = 0;
            GetWindowThreadProcessId(tip, &process);
            if (process == _process.dwProcessId && IsWindowVisible(tip) && !LorvantProcess::text(tip).empty())
                return LorvantProcess::text(tip);
        }
    }
    fail("no tooltip appeared over \"" + text + "\"");
}

void LorvantProcess::pressKey(UINT virtualKey, const std::vector<UINT>& modifiers) {
    ask("activate");
    auto* buffers = static_cast<ProbeChannel::Buffers*>(_buffers);
    const LONG keyUpsBefore = buffers->keyUps;
    std::vector<INPUT> keys = keyChordInput(modifiers, virtualKey);
    if (SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT)) != keys.size())
        fail("the keyboard input was refused");
    const LONG expected = keyUpsBefore + 1 + static_cast<LONG>(modifiers.size());
    for (DWORD waited = 0; buffers->keyUps < expected; waited += PollMs) {
        if (waited > TimeoutMs)
            fail("the program did not receive the keys");
        Sleep(PollMs);
    }
    sync();
}

HWND LorvantProcess::waitForWindow(const std::string& caption, DWORD timeoutMs) {
    for (DWORD waited = 0;; waited += PollMs) {
        if (HWND window = findWindow(_process.dwProcessId, caption))
            return window;
        if (waited > timeoutMs)
            fail("no window \"" + caption + "\" appeared");
        if (WaitForSingleObject(_process.hProcess, PollMs) == WAIT_OBJECT_0)
            fail("the program ended while a window \"" + caption + "\" was awaited");
    }
}

bool LorvantProcess::hasWindow(const std::string& caption) {
    sync();
    return findWindow(_process.dwProcessId, caption) != nullptr;
}

std::vector<std::string> LorvantProcess::otherWindows() {
    sync();
    struct Search {
        DWORD process;
        std::vector<std::string> captions;
    } search{_process.dwProcessId, {}};
    EnumWindows(
        [](HWND window, LPARAM param) {
            auto& s = *reinterpret_cast<Search*>(param);
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            if (process == s.process && IsWindowVisible(window) &&
                className(window) != "Lorvant Window Class")
                s.captions.push_back(text(window));
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.captions;
}

void LorvantProcess::waitUntilGone(HWND window) {
    for (DWORD waited = 0; IsWindow(window) && IsWindowVisible(window); waited += PollMs) {
        if (waited > TimeoutMs)
            fail("the window \"" + text(window) + "\" did not close");
        Sleep(PollMs);
    }
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

void LorvantProcess::setText(HWND dialog, int id, const std::string& text) {
    HWND control = GetDlgItem(dialog, id);
    if (control == nullptr || !IsWindowEnabled(control))
        fail("the control " + std::to_string(id) + " of \"" + LorvantProcess::text(dialog) +
             "\" cannot take text");
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_NORMAL,
                             TimeoutMs, &result))
        fail("the program did not take the text");
}

std::string LorvantProcess::answerMessageBox(const std::string& caption, int buttonId) {
    HWND box = waitForWindow(caption);
    const std::string shown = messageBoxText(box);
    press(box, buttonId);
    waitUntilGone(box);
    // The answer may end the program, even while it is being asked whether it is done.
    try {
        sync();
    } catch (const UserFailure&) {
        if (!waitForExit())
            throw;
    }
    return shown;
}

HWND LorvantProcess::fillFileDialog(const std::string& caption, const std::string& path, int typeIndex) {
    HWND dialog = waitForWindow(caption);
    if (typeIndex > 0) {
        // The file type box (cmb1) tells the dialog of a new choice as a click in its list would.
        HWND types = GetDlgItem(dialog, 0x470);
        if (types == nullptr)
            fail("the file dialog has no file type box");
        SendMessageA(types, CB_SETCURSEL, static_cast<WPARAM>(typeIndex - 1), 0);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(0x470, CBN_SELCHANGE), reinterpret_cast<LPARAM>(types));
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(0x470, CBN_SELENDOK), reinterpret_cast<LPARAM>(types));
    }
    // The file name box (cmb13) is a combo box around an edit box with the same id.
    struct Search {
        HWND found;
    } search{nullptr};
    EnumChildWindows(
        dialog,
        [](HWND window, LPARAM param) {
            if (GetDlgCtrlID(window) == 0x47C && className(window) == "Edit") {
                reinterpret_cast<Search*>(param)->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    if (search.found == nullptr)
        fail("the file dialog has no file name box");
    setText(GetParent(search.found), 0x47C, path);
    return dialog;
}

void LorvantProcess::chooseFile(const std::string& caption, const std::string& path, int typeIndex) {
    HWND dialog = fillFileDialog(caption, path, typeIndex);
    click(dialog, IDOK);
    waitUntilGone(dialog);
    sync();
}

void LorvantProcess::chooseFileToReplace(const std::string& caption, const std::string& path, int typeIndex) {
    HWND dialog = fillFileDialog(caption, path, typeIndex);
    press(dialog, IDOK);
    // The question is a message box owned by the dialog.
    struct Search {
        HWND owner;
        HWND found;
    } search{dialog, nullptr};
    for (DWORD waited = 0; search.found == nullptr; waited += PollMs) {
        if (waited > TimeoutMs)
            fail("the dialog \"" + caption + "\" did not ask whether to replace " + path);
        Sleep(PollMs);
        EnumThreadWindows(
            _thread,
            [](HWND window, LPARAM param) {
                auto& s = *reinterpret_cast<Search*>(param);
                if (!IsWindowVisible(window) || GetWindow(window, GW_OWNER) != s.owner)
                    return TRUE;
                s.found = window;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
    }
    press(search.found, IDYES);
    waitUntilGone(dialog);
    sync();
}

void LorvantProcess::cancelFileDialog(const std::string& caption) {
    HWND dialog = waitForWindow(caption);
    click(dialog, IDCANCEL);
    waitUntilGone(dialog);
    sync();
}

void LorvantProcess::close() {
    post(_mainWindow, WM_CLOSE, 0, 0);
}

bool LorvantProcess::waitForExit(DWORD timeoutMs) {
    return WaitForSingleObject(_process.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

DWORD LorvantProcess::exitCode() {
    DWORD code = 0;
    GetExitCodeProcess(_process.hProcess, &code);
    return code;
}

std::vector<std::uint8_t> LorvantProcess::capture(const RECT& place) {
    const int width = place.right - place.left, height = place.bottom - place.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP picture = CreateDIBSection(screen, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, picture);
    const bool copied = BitBlt(memory, 0, 0, width, height, screen, place.left, place.top, SRCCOPY);
    SelectObject(memory, old);
    std::vector<std::uint8_t> rgb;
    if (copied && bits) {
        const auto* pixel = static_cast<const std::uint8_t*>(bits);
        for (int i = 0; i < width * height; ++i, pixel += 4)
            rgb.insert(rgb.end(), {pixel[2], pixel[1], pixel[0]});
    }
    DeleteObject(picture);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    if (rgb.empty())
        fail("could not read the screen");
    return rgb;
}

std::string LorvantProcess::screenshot(const std::string& name, HWND window) {
    if (window == nullptr)
        window = _mainWindow;
    sync();
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    sync();
    Sleep(300); // lets the display server finish drawing
    RECT place{};
    GetWindowRect(window, &place);
    const std::vector<std::uint8_t> rgb = capture(place);
    const char* folder = std::getenv("LORVANT_SCREENSHOT_DIR");
    const std::string dir = folder && *folder ? folder : "screenshots";
    CreateDirectoryA(dir.c_str(), nullptr);
    const std::string path = dir + "\\" + name + ".png";
    if (!writePngFile(path, place.right - place.left, place.bottom - place.top, rgb))
        fail("could not save a picture of the window as " + path);
    return path;
}

bool LorvantProcess::showsOneColour(HWND window, const RECT& clientArea) {
    RECT place = clientArea;
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&place), 2);
    const std::vector<std::uint8_t> rgb = capture(place);
    for (std::size_t i = 3; i < rgb.size(); i += 3)
        if (!std::equal(rgb.begin(), rgb.begin() + 3, rgb.begin() + static_cast<std::ptrdiff_t>(i)))
            return false;
    return true;
}

TestFolder::TestFolder() {
    char temp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, temp);
    _path = std::string(temp) + "lorvant-app-test-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(GetTickCount());
    CreateDirectoryA(_path.c_str(), nullptr);
}

TestFolder::~TestFolder() {
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((_path + "\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string file = path(entry.cFileName);
            SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(file.c_str());
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryA(_path.c_str());
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool fileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void deleteRecentDocsKey() {
    RegDeleteKeyA(HKEY_CURRENT_USER, RecentDocsKey);
}

std::vector<std::string> readRecentDocsKey() {
    std::vector<std::string> values;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, RecentDocsKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return values;
    for (int n = 1; n <= 10; ++n) {
        char value[1024] = "";
        DWORD size = sizeof value;
        if (RegQueryValueExA(key, std::to_string(n).c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(value),
                             &size) != ERROR_SUCCESS)
            value[0] = '\0';
        values.emplace_back(value);
    }
    RegCloseKey(key);
    return values;
}

void writeRecentDocsKey(const std::vector<std::string>& values) {
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, RecentDocsKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
    for (std::size_t n = 1; n <= values.size(); ++n)
        RegSetValueExA(key, std::to_string(n).c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(values[n - 1].c_str()),
                       static_cast<DWORD>(values[n - 1].size() + 1));
    RegCloseKey(key);
}
