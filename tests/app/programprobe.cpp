// A helper library that the end-to-end tests load into the running program with a message hook. Another
// process cannot read the program's menus, list and toolbar, nor hand it a pointer; the probe runs on the
// program's own thread, does that there and answers in lines of fields.
#include "tests/app/probechannel.h"

#include <commctrl.h>

#include <cstring>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace {

const UINT RequestMessage = RegisterWindowMessageA(ProbeChannel::RequestMessageName);

template <class... Fields> void line(std::ostream& out, const Fields&... fields) {
    const char* separator = "";
    ((out << separator << fields, separator = ProbeChannel::FieldSeparator), ...);
    out << '\n';
}

HWND threadWindow(const char* className, bool visibleOnly) {
    std::tuple<const char*, bool, HWND> search{className, visibleOnly, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM param) {
            auto& [className, visibleOnly, found] =
                *reinterpret_cast<std::tuple<const char*, bool, HWND>*>(param);
            char name[64] = "";
            GetClassNameA(window, name, sizeof name);
            if (std::strcmp(name, className) == 0 && (!visibleOnly || IsWindowVisible(window)))
                found = window;
            return found == nullptr ? TRUE : FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return std::get<2>(search);
}

// Hidden while a study session runs.
HWND mainWindow() {
    return threadWindow("Lorvant Window Class", false);
}
HWND list() {
    return GetDlgItem(mainWindow(), 2);
}

void describeMenu(HMENU menu, std::ostream& out) {
    for (int pos = 0, count = GetMenuItemCount(menu); pos < count; ++pos) {
        char label[1024] = "";
        GetMenuStringA(menu, static_cast<UINT>(pos), label, sizeof label, MF_BYPOSITION);
        line(out, static_cast<int>(GetMenuItemID(menu, pos)),
             GetMenuState(menu, static_cast<UINT>(pos), MF_BYPOSITION), label);
    }
}

// Opens the popups along the path from the menu bar the way the system does before showing one.
HMENU preparePopup(const std::vector<int>& path) {
    HMENU menu = GetMenu(mainWindow());
    for (int position : path)
        if ((menu = GetSubMenu(menu, position)) != nullptr)
            SendMessageA(mainWindow(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), position);
    return menu;
}

// As the mouse resting on the last item of the path: the system tells the window which item is highlighted.
void highlightMenuItem(std::vector<int> path) {
    const int item = path.back();
    path.pop_back();
    HMENU popup = preparePopup(path);
    const UINT state = GetMenuState(popup, static_cast<UINT>(item), MF_BYPOSITION);
    const UINT id = (state & MF_POPUP) ? static_cast<UINT>(item) : GetMenuItemID(popup, item);
    SendMessageA(mainWindow(), WM_MENUSELECT, MAKEWPARAM(id, (state & 0xFF) | MF_HILITE | MF_MOUSESELECT),
                 reinterpret_cast<LPARAM>(popup));
}

int columnCount() {
    return Header_GetItemCount(ListView_GetHeader(list()));
}

void describeColumns(std::ostream& out) {
    for (int column = 0; column < columnCount(); ++column) {
        char title[256] = "";
        LVCOLUMNA info{};
        info.mask = LVCF_TEXT;
        info.pszText = title;
        info.cchTextMax = sizeof title;
        SendMessageA(list(), LVM_GETCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&info));
        line(out, ListView_GetColumnWidth(list(), column), title);
    }
}

void describeCells(int first, int count, std::ostream& out) {
    for (int row = first, columns = columnCount(); row < first + count; ++row) {
        for (int column = 0; column < columns; ++column) {
            char text[1024] = "";
            ListView_GetItemText(list(), row, column, text, sizeof text);
            out << (column ? ProbeChannel::FieldSeparator : "") << text;
        }
        out << '\n';
    }
}

// As Ctrl+clicks on the rows: the list reports each change to the program.
void selectRows(const std::vector<int>& rows) {
    SetFocus(list());
    ListView_SetItemState(list(), -1, 0, LVIS_SELECTED);
    for (int row : rows)
        ListView_SetItemState(list(), row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

// Each button's state, text and place, by position: separators carry command id 0 too.
void describeToolbar(std::ostream& out) {
    HWND bar = GetDlgItem(mainWindow(), 3);
    for (int i = 0, count = static_cast<int>(SendMessageA(bar, TB_BUTTONCOUNT, 0, 0)); i < count; ++i) {
        TBBUTTON button{};
        SendMessageA(bar, TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button));
        if (button.fsStyle & TBSTYLE_SEP)
            continue;
        char text[256] = "";
        TBBUTTONINFOA info{};
        info.cbSize = sizeof info;
        info.dwMask = TBIF_TEXT | TBIF_BYINDEX;
        info.pszText = text;
        info.cchText = sizeof text;
        SendMessageA(bar, TB_GETBUTTONINFOA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&info));
        RECT rect{};
        SendMessageA(bar, TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&rect));
        MapWindowPoints(bar, nullptr, reinterpret_cast<POINT*>(&rect), 2);
        line(out, static_cast<int>(button.fsState), text, rect.left, rect.top, rect.right, rect.bottom);
    }
}

// Makes the window that takes the keyboard the foreground window: a dialog the program has open, else the
// main window with its list.
void activate() {
    HWND target = GetLastActivePopup(mainWindow());
    SetForegroundWindow(target);
    SetActiveWindow(target);
    if (target == mainWindow())
        SetFocus(list());
}

// What the system tells the main window when it is moved to a screen of another resolution: the new dots per
// inch and the place that keeps the window the same size to the eye.
void changeDpi(int from, int to) {
    RECT place{};
    GetWindowRect(mainWindow(), &place);
    RECT suggested{place.left, place.top, place.left + MulDiv(place.right - place.left, to, from),
                   place.top + MulDiv(place.bottom - place.top, to, from)};
    SendMessageA(mainWindow(), WM_DPICHANGED, MAKEWPARAM(to, to), reinterpret_cast<LPARAM>(&suggested));
}

// A request is a verb and numbers.
void answer(const std::string& request, std::ostream& out) {
    std::istringstream in(request);
    std::string verb;
    in >> verb;
    std::vector<int> n;
    for (int number; in >> number;)
        n.push_back(number);
    if (verb == "menu")
        describeMenu(preparePopup(n), out);
    else if (verb == "tracked-menu") {
        if (HWND popup = threadWindow("#32768", true))
            describeMenu(reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0)), out);
    } else if (verb == "highlight")
        highlightMenuItem(n);
    else if (verb == "close-menu")
        SendMessageA(mainWindow(), WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    else if (verb == "counts")
        line(out, ListView_GetItemCount(list()), ListView_GetSelectedCount(list()));
    else if (verb == "columns")
        describeColumns(out);
    else if (verb == "cells")
        describeCells(n.at(0), n.at(1), out);
    else if (verb == "selection") {
        for (int row = -1; (row = ListView_GetNextItem(list(), row, LVNI_SELECTED)) != -1;)
            line(out, row);
    } else if (verb == "select")
        selectRows(n);
    else if (verb == "row-place" || verb == "heading-place") {
        RECT rect{};
        HWND window = verb == "row-place" ? list() : ListView_GetHeader(list());
        if (window == list())
            ListView_GetItemRect(list(), n.at(0), &rect, LVIR_LABEL);
        else
            Header_GetItemRect(window, n.at(0), &rect);
        MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
        line(out, rect.left, rect.top, rect.right, rect.bottom);
    } else if (verb == "toolbar")
        describeToolbar(out);
    else if (verb == "status-part") {
        HWND bar = GetDlgItem(mainWindow(), 1);
        char text[256] = "";
        if (LOWORD(SendMessageA(bar, SB_GETTEXTLENGTHA, static_cast<WPARAM>(n.at(0)), 0)) < sizeof text)
            SendMessageA(bar, SB_GETTEXTA, static_cast<WPARAM>(n.at(0)), reinterpret_cast<LPARAM>(text));
        out << text;
    } else if (verb == "activate")
        activate();
    else if (verb == "dpi-changed")
        changeDpi(n.at(0), n.at(1));
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
    if (SharedBuffers buffers; buffers) {
        std::ostringstream out;
        try {
            answer(std::string(buffers->request, strnlen(buffers->request, ProbeChannel::RequestSize)), out);
        } catch (const std::exception&) { // too few numbers; nothing may unwind into the system's hook call
            out << "error: malformed request " << buffers->request;
        }
        const std::string reply = out.str().substr(0, ProbeChannel::ReplySize - 1);
        std::memcpy(buffers->reply, reply.c_str(), reply.size() + 1);
    }
    if (HANDLE answered = OpenEventA(EVENT_MODIFY_STATE, FALSE,
                                     ProbeChannel::answeredName(GetCurrentProcessId()).c_str())) {
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
