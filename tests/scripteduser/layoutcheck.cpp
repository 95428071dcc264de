#include "tests/scripteduser/layoutcheck.h"

#include "tests/scripteduser/windowclass.h"

#include "WinLib/drawtext.h"

#include <commctrl.h>

#include <algorithm>
#include <memory>

namespace LayoutCheck {

namespace {

using Findings = std::vector<std::string>;

bool isClass(HWND window, const char* name) {
    return lstrcmpiA(className(window).c_str(), name) == 0;
}

std::string textOf(HWND window) {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

LONG styleOf(HWND window) {
    return GetWindowLongA(window, GWL_STYLE);
}

bool isGroupBox(HWND window) {
    return isClass(window, "Button") && (styleOf(window) & BS_TYPEMASK) == BS_GROUPBOX;
}

// Up-down arrows are placed by the system over their box's edge.
bool isBuddyOf(HWND box, HWND arrows) {
    return isClass(arrows, UPDOWN_CLASSA) &&
           reinterpret_cast<HWND>(SendMessageA(arrows, UDM_GETBUDDY, 0, 0)) == box;
}

// A child's place in its parent's client coordinates.
RECT placeOf(HWND child) {
    RECT place{};
    GetWindowRect(child, &place);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&place), 2);
    return place;
}

bool contains(const RECT& outer, const RECT& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

std::vector<HWND> visibleChildren(HWND window) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (styleOf(child) & WS_VISIBLE)
            children.push_back(child);
    return children;
}

// A control's class, id and text.
std::string describe(HWND control) {
    return className(control) + ' ' + std::to_string(static_cast<short>(GetDlgCtrlID(control))) + " \"" +
           textOf(control) + '"';
}

std::string size(int width, int height) {
    return std::to_string(width) + " x " + std::to_string(height) + " px";
}

// The text's extent in the control's own font (width 0: one line), and the font's average character width.
SIZE measure(HWND control, const std::string& text, UINT format, int width, int* averageCharWidth = nullptr) {
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    RECT box{0, 0, width, 0};
    Win::drawText(dc, text, box, format | DT_CALCRECT);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    if (averageCharWidth)
        *averageCharWidth = metrics.tmAveCharWidth;
    return {box.right - box.left, box.bottom - box.top};
}

// The room a static text, button, check box, radio button or group box heading needs; 0 x 0 when it has
// nothing that must fit (no text, pictures, frames, texts shortened on purpose).
SIZE neededRoom(HWND control, const RECT& client) {
    const LONG style = styleOf(control);
    const std::string text = textOf(control);
    if (text.empty())
        return {};
    if (isClass(control, "Static")) {
        const LONG kind = style & SS_TYPEMASK;
        const bool wraps = kind == SS_LEFT || kind == SS_CENTER || kind == SS_RIGHT;
        if ((style & SS_ELLIPSISMASK) || !(wraps || kind == SS_LEFTNOWORDWRAP || kind == SS_SIMPLE))
            return {};
        return measure(control, text,
                       DT_EXPANDTABS | (wraps ? DT_WORDBREAK : DT_SINGLELINE) |
                           ((style & SS_NOPREFIX) ? DT_NOPREFIX : 0),
                       wraps ? client.right : 0);
    }
    if (!isClass(control, "Button") || (style & BS_TYPEMASK) == BS_OWNERDRAW)
        return {};
    if ((style & BS_TYPEMASK) == BS_GROUPBOX) {
        // The heading sits in the frame's top line, a character's width in from each corner.
        int averageCharWidth = 0;
        SIZE needed = measure(control, text, DT_SINGLELINE, 0, &averageCharWidth);
        needed.cx += 2 * averageCharWidth;
        return needed;
    }
    SIZE needed{};
    SendMessageA(control, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&needed));
    return needed;
}

} // namespace

int screenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

Findings placement(HWND window) {
    Findings findings;
    RECT client{};
    GetClientRect(window, &client);
    const std::vector<HWND> children = visibleChildren(window);
    for (std::size_t i = 0; i < children.size(); ++i) {
        const RECT a = placeOf(children[i]);
        if (!contains(client, a))
            findings.push_back(describe(children[i]) + " reaches out of the client area (" +
                               size(client.right, client.bottom) + ") to " + std::to_string(a.right) + ", " +
                               std::to_string(a.bottom));
        for (std::size_t j = i + 1; j < children.size(); ++j) {
            const RECT b = placeOf(children[j]);
            RECT common{};
            if (!IntersectRect(&common, &a, &b) || (isGroupBox(children[i]) && contains(a, b)) ||
                (isGroupBox(children[j]) && contains(b, a)) || isBuddyOf(children[i], children[j]) ||
                isBuddyOf(children[j], children[i]))
                continue;
            findings.push_back(describe(children[i]) + " and " + describe(children[j]) + " overlap by " +
                               size(common.right - common.left, common.bottom - common.top));
        }
    }
    return findings;
}

Findings textRoom(HWND window) {
    Findings findings;
    for (HWND child : visibleChildren(window)) {
        RECT client{};
        GetClientRect(child, &client);
        const SIZE needed = neededRoom(child, client);
        if (needed.cx > client.right || needed.cy > client.bottom)
            findings.push_back(describe(child) + " is too small for its text: needs " +
                               size(needed.cx, needed.cy) + ", has " + size(client.right, client.bottom));
    }
    return findings;
}

Findings scalableFont(HWND window) {
    HDC dc = GetDC(window);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)));
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    char face[LF_FACESIZE] = "";
    GetTextFaceA(dc, sizeof face, face);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    if (metrics.tmPitchAndFamily & (TMPF_TRUETYPE | TMPF_VECTOR))
        return {};
    return {std::string("the font \"") + face + "\" is a bitmap font"};
}

Findings listColumns(const std::vector<Column>& columns) {
    // The reference list: one row of the widest cells, and one column more, so that no column is the last
    // one, which the control would stretch to the list's edge.
    std::unique_ptr<HWND__, decltype(&DestroyWindow)> list(
        CreateWindowExA(0, WC_LISTVIEWA, "", WS_POPUP | LVS_REPORT, 0, 0, 400, 200, nullptr, nullptr,
                        GetModuleHandleA(nullptr), nullptr),
        &DestroyWindow);
    if (!list)
        return {"could not make a list view to measure with"};
    for (std::size_t i = 0; i <= columns.size(); ++i) {
        std::string title = i < columns.size() ? columns[i].title : "";
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = 10;
        column.pszText = title.data();
        SendMessageA(list.get(), LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
    LVITEMA row{};
    row.mask = LVIF_TEXT;
    row.pszText = const_cast<char*>("");
    SendMessageA(list.get(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&row));
    Findings findings;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        std::string cell = columns[i].widestCell;
        row.iSubItem = static_cast<int>(i);
        row.pszText = cell.data();
        SendMessageA(list.get(), LVM_SETITEMTEXTA, 0, reinterpret_cast<LPARAM>(&row));
        int wanted = 0;
        for (int fit : {LVSCW_AUTOSIZE, LVSCW_AUTOSIZE_USEHEADER}) {
            SendMessageA(list.get(), LVM_SETCOLUMNWIDTH, i, fit);
            wanted = std::max(wanted, static_cast<int>(SendMessageA(list.get(), LVM_GETCOLUMNWIDTH, i, 0)));
        }
        if (columns[i].width < wanted)
            findings.push_back("column \"" + columns[i].title + "\" is " + std::to_string(columns[i].width) +
                               " px wide; its heading and \"" + cell + "\" need " + std::to_string(wanted) +
                               " px");
    }
    return findings;
}

} // namespace LayoutCheck
