#include "tests/scripteduser/layoutcheck.h"

#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <sstream>

namespace LayoutCheck {

namespace {

using Findings = std::vector<std::string>;

std::string className(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
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
    return lstrcmpiA(className(window).c_str(), "Button") == 0 &&
           (styleOf(window) & BS_TYPEMASK) == BS_GROUPBOX;
}

bool isBuddyOf(HWND box, HWND arrows) {
    return lstrcmpiA(className(arrows).c_str(), UPDOWN_CLASSA) == 0 &&
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

std::vector<HWND> childrenOf(HWND window) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (styleOf(child) & WS_VISIBLE) // hidden controls are not seen
            children.push_back(child);
    return children;
}

std::string size(int width, int height) {
    return std::to_string(width) + " x " + std::to_string(height) + " px";
}

// The extent of a text as the control draws it with its own font; width 0 measures one line.
SIZE measure(HWND control, const std::string& text, UINT format, int width) {
    HDC hdc = GetDC(control);
    HGDIOBJ old = SelectObject(hdc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    RECT box{0, 0, width, 0};
    DrawTextA(hdc, text.c_str(), static_cast<int>(text.size()), &box, format | DT_CALCRECT);
    SelectObject(hdc, old);
    ReleaseDC(control, hdc);
    return {box.right - box.left, box.bottom - box.top};
}

std::string staticRoom(HWND control) {
    const LONG style = styleOf(control);
    const LONG kind = style & SS_TYPEMASK;
    const std::string text = textOf(control);
    // Texts shortened on purpose, pictures and frames have nothing to fit.
    if (text.empty() || (style & SS_ELLIPSISMASK) ||
        (kind != SS_LEFT && kind != SS_CENTER && kind != SS_RIGHT && kind != SS_LEFTNOWORDWRAP &&
         kind != SS_SIMPLE))
        return "";
    RECT client{};
    GetClientRect(control, &client);
    const bool wraps = kind == SS_LEFT || kind == SS_CENTER || kind == SS_RIGHT;
    const UINT format =
        DT_EXPANDTABS | (wraps ? DT_WORDBREAK : DT_SINGLELINE) | ((style & SS_NOPREFIX) ? DT_NOPREFIX : 0);
    const SIZE needed = measure(control, text, format, wraps ? client.right : 0);
    if (needed.cx <= client.right && needed.cy <= client.bottom)
        return "";
    return "needs " + size(needed.cx, needed.cy) + ", has " + size(client.right, client.bottom);
}

std::string buttonRoom(HWND control) {
    const LONG kind = styleOf(control) & BS_TYPEMASK;
    const std::string text = textOf(control);
    RECT client{};
    GetClientRect(control, &client);
    if (text.empty() || kind == BS_OWNERDRAW)
        return "";
    SIZE needed{};
    if (kind == BS_GROUPBOX) {
        // The heading sits in the frame's top line, a character's width in from each corner.
        TEXTMETRICA metrics{};
        HDC dc = GetDC(control);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
        GetTextMetricsA(dc, &metrics);
        SelectObject(dc, old);
        ReleaseDC(control, dc);
        needed = measure(control, text, DT_SINGLELINE, 0);
        needed.cx += 2 * metrics.tmAveCharWidth;
    } else if (!SendMessageA(control, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&needed))) {
        return "";
    }
    if (needed.cx <= client.right && needed.cy <= client.bottom)
        return "";
    return "needs " + size(needed.cx, needed.cy) + ", has " + size(client.right, client.bottom);
}

} // namespace

int screenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

std::string describe(HWND control) {
    std::ostringstream out;
    out << className(control) << ' ' << static_cast<short>(GetDlgCtrlID(control)) << " \"" << textOf(control)
        << '"';
    return out.str();
}

Findings placement(HWND window) {
    Findings findings;
    RECT client{};
    GetClientRect(window, &client);
    const std::vector<HWND> children = childrenOf(window);
    for (HWND child : children) {
        const RECT place = placeOf(child);
        if (!contains(client, place))
            findings.push_back(describe(child) + " reaches out of the client area (" +
                               size(client.right, client.bottom) + ") to " + std::to_string(place.right) +
                               ", " + std::to_string(place.bottom));
    }
    for (std::size_t i = 0; i < children.size(); ++i) {
        for (std::size_t j = i + 1; j < children.size(); ++j) {
            const RECT a = placeOf(children[i]), b = placeOf(children[j]);
            RECT common{};
            if (!IntersectRect(&common, &a, &b))
                continue;
            if ((isGroupBox(children[i]) && contains(a, b)) || (isGroupBox(children[j]) && contains(b, a)))
                continue;
            // Up-down arrows are placed by the system over their box's edge.
            if (isBuddyOf(children[i], children[j]) || isBuddyOf(children[j], children[i]))
                continue;
            findings.push_back(describe(children[i]) + " and " + describe(children[j]) + " overlap by " +
                               size(common.right - common.left, common.bottom - common.top));
        }
    }
    return findings;
}

Findings textRoom(HWND window) {
    Findings findings;
    for (HWND child : childrenOf(window)) {
        const std::string kind = className(child);
        std::string problem;
        if (lstrcmpiA(kind.c_str(), "Static") == 0)
            problem = staticRoom(child);
        else if (lstrcmpiA(kind.c_str(), "Button") == 0)
            problem = buttonRoom(child);
        if (!problem.empty())
            findings.push_back(describe(child) + " is too small for its text: " + problem);
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
        SendMessageA(list.get(), LVM_SETCOLUMNWIDTH, i, LVSCW_AUTOSIZE);
        const int forCell = static_cast<int>(SendMessageA(list.get(), LVM_GETCOLUMNWIDTH, i, 0));
        SendMessageA(list.get(), LVM_SETCOLUMNWIDTH, i, LVSCW_AUTOSIZE_USEHEADER);
        const int forHeading = static_cast<int>(SendMessageA(list.get(), LVM_GETCOLUMNWIDTH, i, 0));
        const int wanted = std::max(forCell, forHeading);
        if (columns[i].width < wanted)
            findings.push_back("column \"" + columns[i].title + "\" is " + std::to_string(columns[i].width) +
                               " px wide; its heading and \"" + cell + "\" need " + std::to_string(wanted) +
                               " px");
    }
    return findings;
}

} // namespace LayoutCheck
