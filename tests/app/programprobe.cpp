// A helper library that the end-to-end tests load into the running program with a message hook. Another
// process cannot read the program's menus, and reading its list and toolbar needs its memory; the probe runs
// on the program's own thread, reads what the program shows and acts on its controls as a person's clicks
// would, and answers in plain text.
#include "tests/app/probechannel.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

namespace {

const UINT RequestMessage = RegisterWindowMessageA(ProbeChannel::RequestMessageName);

HWND findThreadWindow(const char* className, bool visibleOnly) {
    struct Search {
        const char* className;
        bool visibleOnly;
        HWND found;
    } search{className, visibleOnly, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM param) {
            auto& s = *reinterpret_cast<Search*>(param);
            char name[64] = "";
            GetClassNameA(window, name, sizeof name);
            if (std::strcmp(name, s.className) == 0 && (!s.visibleOnly || IsWindowVisible(window))) {
                s.found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Hidden while a study session runs.
HWND mainWindow() {
    return findThreadWindow("Lorvant Window Class", false);
}
HWND listView() {
    return GetDlgItem(mainWindow(), 2);
}
HWND toolbar() {
    return GetDlgItem(mainWindow(), 3);
}

// One line per item: id, state as GetMenuState gives it by position, label.
void describeMenu(HMENU menu, std::ostream& out) {
    const int count = GetMenuItemCount(menu);
    for (int pos = 0; pos < count; ++pos) {
        char label[1024] = "";
        GetMenuStringA(menu, static_cast<UINT>(pos), label, sizeof label, MF_BYPOSITION);
        out << static_cast<int>(GetMenuItemID(menu, pos)) << ' '
            << GetMenuState(menu, static_cast<UINT>(pos), MF_BYPOSITION) << ' ' << label << '\n';
    }
}

// Opens the popups along the path from the menu bar the way the system does before showing one.
HMENU preparePopup(std::istream& path) {
    HWND window = mainWindow();
    HMENU menu = GetMenu(window);
    int position;
    while (menu != nullptr && path >> position) {
        menu = GetSubMenu(menu, position);
        if (menu != nullptr)
            SendMessageA(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu),
                         MAKELPARAM(position, FALSE));
    }
    return menu;
}

std::string itemText(HWND list, int row, int column) {
    char text[1024] = "";
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return text;
}

int columnCount(HWND list) {
    HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    return static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
}

void describeList(std::ostream& out) {
    HWND list = listView();
    out << "rows " << SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) << '\n';
    out << "selected " << SendMessageA(list, LVM_GETSELECTEDCOUNT, 0, 0) << '\n';
    for (int column = 0, count = columnCount(list); column < count; ++column) {
        char title[256] = "";
        LVCOLUMNA info{};
        info.mask = LVCF_TEXT;
        info.pszText = title;
        info.cchTextMax = sizeof title;
        SendMessageA(list, LVM_GETCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&info));
        out << "column " << SendMessageA(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0) << ' '
            << title << '\n';
    }
}

void describeCells(std::istream& args, std::ostream& out) {
    HWND list = listView();
    int first = 0, count = 0;
    args >> first >> count;
    const int columns = columnCount(list);
    for (int row = first; row < first + count; ++row) {
        for (int column = 0; column < columns; ++column)
            out << (column ? "\t" : "") << itemText(list, row, column);
        out << '\n';
    }
}

void describeSelection(std::ostream& out) {
    HWND list = listView();
    for (LRESULT row = SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED); row != -1;
         row = SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(row), LVNI_SELECTED))
        out << row << '\n';
}

void setRowState(HWND list, int row, UINT state, UINT mask) {
    LVITEMA item{};
    item.state = state;
    item.stateMask = mask;
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

// As Ctrl+clicks on the rows: the list reports each change to the program.
void selectRows(std::istream& args) {
    HWND list = listView();
    SetFocus(list);
    setRowState(list, -1, 0, LVIS_SELECTED);
    int row;
    while (args >> row)
        setRowState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

// Posted, as the mouse's messages come: the control may wait for the button's release in its queue, and
// what the click starts may open a dialog while the probe must go on answering.
// keys: MK_SHIFT or MK_CONTROL when the click is made with that key held.
void click(HWND window, POINT at, bool twice, WPARAM keys = 0) {
    const LPARAM place = MAKELPARAM(at.x, at.y);
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON | keys, place);
    PostMessageA(window, WM_LBUTTONUP, keys, place);
    if (twice) {
        PostMessageA(window, WM_LBUTTONDBLCLK, MK_LBUTTON | keys, place);
        PostMessageA(window, WM_LBUTTONUP, keys, place);
    }
}

POINT middle(const RECT& rect) {
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void rightClick(HWND window, POINT at) {
    const LPARAM place = MAKELPARAM(at.x, at.y);
    PostMessageA(window, WM_RBUTTONDOWN, MK_RBUTTON, place);
    PostMessageA(window, WM_RBUTTONUP, 0, place);
}

// A row, then "shift" for a click with Shift held.
void clickRow(std::istream& args, bool twice) {
    HWND list = listView();
    int row = 0;
    std::string key;
    args >> row >> key;
    RECT rect{};
    rect.left = LVIR_LABEL;
    SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect));
    click(list, middle(rect), twice, key == "shift" ? MK_SHIFT : 0);
}

void rightClickRow(std::istream& args) {
    HWND list = listView();
    int row = 0;
    args >> row;
    RECT rect{};
    rect.left = LVIR_LABEL;
    SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect));
    rightClick(list, middle(rect));
}

void clickHeader(std::istream& args) {
    HWND header = reinterpret_cast<HWND>(SendMessageA(listView(), LVM_GETHEADER, 0, 0));
    int column = 0;
    args >> column;
    RECT rect{};
    SendMessageA(header, HDM_GETITEMRECT, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&rect));
    click(header, middle(rect), false);
}

// Drags the right edge of a column heading to give the column a new width.
void dragColumnEdge(std::istream& args) {
    HWND header = reinterpret_cast<HWND>(SendMessageA(listView(), LVM_GETHEADER, 0, 0));
    int column = 0, width = 0;
    args >> column >> width;
    RECT rect{};
    SendMessageA(header, HDM_GETITEMRECT, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&rect));
    // Grabbed one pixel inside the edge, so let go one pixel short of the new edge.
    const int y = (rect.top + rect.bottom) / 2;
    const int to = rect.left + width - 1;
    PostMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rect.right - 1, y));
    PostMessageA(header, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to, y));
    PostMessageA(header, WM_LBUTTONUP, 0, MAKELPARAM(to, y));
}

// By position: separators carry command id 0 too.
std::string buttonText(HWND bar, int index) {
    char text[256] = "";
    TBBUTTONINFOA info{};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_TEXT | TBIF_BYINDEX;
    info.pszText = text;
    info.cchText = sizeof text;
    SendMessageA(bar, TB_GETBUTTONINFOA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info));
    return text;
}

// One line per button: id, state, style, rectangle in screen coordinates, text.
void describeToolbar(std::ostream& out) {
    HWND bar = toolbar();
    const int count = static_cast<int>(SendMessageA(bar, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        TBBUTTON button{};
        SendMessageA(bar, TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button));
        RECT rect{};
        SendMessageA(bar, TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&rect));
        MapWindowPoints(bar, nullptr, reinterpret_cast<POINT*>(&rect), 2);
        out << button.idCommand << ' ' << static_cast<int>(button.fsState) << ' '
            << static_cast<int>(button.fsStyle) << ' ' << rect.left << ' ' << rect.top << ' ' << rect.right
            << ' ' << rect.bottom << ' ' << buttonText(bar, i) << '\n';
    }
}

// As a click on the button with that text; a disabled button takes no click.
void clickButton(std::istream& args) {
    HWND bar = toolbar();
    std::string text;
    std::getline(args >> std::ws, text);
    const int count = static_cast<int>(SendMessageA(bar, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        TBBUTTON button{};
        SendMessageA(bar, TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button));
        if (!(button.fsStyle & TBSTYLE_SEP) && text == buttonText(bar, i)) {
            RECT rect{};
            SendMessageA(bar, TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&rect));
            click(bar, middle(rect), false);
            return;
        }
    }
}

// What a menu that the program tracks itself (the context menu) shows.
void describeTrackedMenu(std::ostream& out) {
    HWND popup = findThreadWindow("#32768", true);
    if (popup != nullptr)
        describeMenu(reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0)), out);
}

// As the mouse resting on a menu item: the system tells the window which item is highlighted.
void highlightMenuItem(std::istream& args) {
    std::string path;
    std::getline(args, path);
    std::istringstream steps(path);
    std::vector<int> positions;
    for (int position; steps >> position;)
        positions.push_back(position);
    const int item = positions.back();
    positions.pop_back();
    std::ostringstream popupPath;
    for (int position : positions)
        popupPath << position << ' ';
    std::istringstream popupSteps(popupPath.str());
    HMENU popup = preparePopup(popupSteps);
    const UINT state = GetMenuState(popup, static_cast<UINT>(item), MF_BYPOSITION);
    const UINT id = (state & MF_POPUP) ? static_cast<UINT>(item) : GetMenuItemID(popup, item);
    SendMessageA(mainWindow(), WM_MENUSELECT, MAKEWPARAM(id, (state & 0xFF) | MF_HILITE | MF_MOUSESELECT),
                 reinterpret_cast<LPARAM>(popup));
}

void closeMenu() {
    SendMessageA(mainWindow(), WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
}

// Makes the window that takes the keyboard the foreground window: a dialog the program has open, else the
// main window with its list.
void activate() {
    HWND target = GetLastActivePopup(mainWindow());
    SetForegroundWindow(target);
    SetActiveWindow(target);
    if (target == mainWindow())
        SetFocus(listView());
}

// What the system tells the main window when it is moved to a screen of another resolution: the new dots per
// inch and the place that keeps the window the same size to the eye.
void changeDpi(std::istream& args) {
    int from = 96, to = 96;
    args >> from >> to;
    RECT place{};
    GetWindowRect(mainWindow(), &place);
    RECT suggested{place.left, place.top, place.left + MulDiv(place.right - place.left, to, from),
                   place.top + MulDiv(place.bottom - place.top, to, from)};
    SendMessageA(mainWindow(), WM_DPICHANGED, MAKEWPARAM(to, to), reinterpret_cast<LPARAM>(&suggested));
}

void answer(const std::string& request, std::ostream& out) {
    std::istringstream args(request);
    std::string verb;
    args >> verb;
    if (verb == "menu")
        describeMenu(preparePopup(args), out);
    else if (verb == "tracked-menu")
        describeTrackedMenu(out);
    else if (verb == "highlight")
        highlightMenuItem(args);
    else if (verb == "close-menu")
        closeMenu();
    else if (verb == "list")
        describeList(out);
    else if (verb == "cells")
        describeCells(args, out);
    else if (verb == "selection")
        describeSelection(out);
    else if (verb == "select")
        selectRows(args);
    else if (verb == "click-row")
        clickRow(args, false);
    else if (verb == "double-click-row")
        clickRow(args, true);
    else if (verb == "right-click-row")
        rightClickRow(args);
    else if (verb == "click-header")
        clickHeader(args);
    else if (verb == "drag-column-edge")
        dragColumnEdge(args);
    else if (verb == "toolbar")
        describeToolbar(out);
    else if (verb == "click-button")
        clickButton(args);
    else if (verb == "activate")
        activate();
    else if (verb == "dpi-changed")
        changeDpi(args);
    else if (verb == "draw")
        RedrawWindow(mainWindow(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    else if (verb != "sync")
        out << "error: unknown request " << verb;
}

// The shared memory, mapped while the probe works on it.
class SharedBuffers {
public:
    SharedBuffers()
        : _memory(OpenFileMappingA(FILE_MAP_WRITE, FALSE,
                                   ProbeChannel::memoryName(GetCurrentProcessId()).c_str())),
          _buffers(_memory ? static_cast<ProbeChannel::Buffers*>(
                                 MapViewOfFile(_memory, FILE_MAP_WRITE, 0, 0, sizeof(ProbeChannel::Buffers)))
                           : nullptr) {}
    SharedBuffers(const SharedBuffers&) = delete;
    SharedBuffers& operator=(const SharedBuffers&) = delete;
    ~SharedBuffers() {
        if (_buffers)
            UnmapViewOfFile(_buffers);
        if (_memory)
            CloseHandle(_memory);
    }
    ProbeChannel::Buffers* operator->() const { return _buffers; }
    explicit operator bool() const { return _buffers != nullptr; }

private:
    HANDLE _memory;
    ProbeChannel::Buffers* _buffers;
};

void answerRequest() {
    SharedBuffers buffers;
    if (buffers) {
        std::ostringstream out;
        answer(std::string(buffers->request, strnlen(buffers->request, ProbeChannel::RequestSize)), out);
        const std::string reply = out.str();
        const std::size_t length = std::min<std::size_t>(reply.size(), ProbeChannel::ReplySize - 1);
        std::memcpy(buffers->reply, reply.data(), length);
        buffers->reply[length] = '\0';
    }
    HANDLE answered =
        OpenEventA(EVENT_MODIFY_STATE, FALSE, ProbeChannel::answeredName(GetCurrentProcessId()).c_str());
    if (answered != nullptr) {
        SetEvent(answered);
        CloseHandle(answered);
    }
}

} // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK lorvantProbeHook(int code, WPARAM removal, LPARAM message) {
    auto* msg = reinterpret_cast<MSG*>(message);
    if (code == HC_ACTION && removal == PM_REMOVE) {
        if (msg->hwnd == nullptr && msg->message == RequestMessage) {
            msg->message = WM_NULL;
            answerRequest();
        } else if (msg->message == WM_KEYUP || msg->message == WM_SYSKEYUP) {
            if (SharedBuffers buffers; buffers)
                InterlockedIncrement(&buffers->keyUps);
        }
    }
    return CallNextHookEx(nullptr, code, removal, message);
}
