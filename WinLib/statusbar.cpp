#include "statusbar.h"

#include "exception.h"
#include "widetext.h"

#include <commctrl.h>

namespace Win {

StatusBar::StatusBar(HWND parent, int id) : ChildMaker("", parent, id) {
    _exStyle = WS_EX_CLIENTEDGE;
    _style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SBARS_SIZEGRIP | CCS_BOTTOM;
}

HWND StatusBar::create() {
    _window = ::CreateStatusWindowA(static_cast<LONG>(_style), "", _parent,
                                    static_cast<UINT>(reinterpret_cast<UINT_PTR>(_menu)));
    if (_window == nullptr)
        throw Exception("Internal error: couldn't create status bar");
    return _window;
}

int StatusBar::getHeight() {
    RECT rect;
    if (::SendMessageA(_window, SB_GETRECT, 0, reinterpret_cast<LPARAM>(&rect)))
        _height = rect.bottom - rect.top;
    return _height;
}

void StatusBar::resize() {
    ::SendMessageA(_window, WM_SIZE, 0, 0);
    fitParts();
}

void StatusBar::setText(const char* text) {
    ::SetWindowTextA(_window, text);
}

void StatusBar::setRightText(const std::string& text) {
    _rightText = text;
    fitParts();
    ::SendMessageA(_window, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>(_rightText.c_str()));
}

void StatusBar::fitParts() {
    if (_window == nullptr)
        return;
    if (_rightText.empty()) {
        int whole = -1;
        ::SendMessageA(_window, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(&whole));
        return;
    }
    // The bar's font, in which it draws the text; the text is UTF-8, which GDI's ANSI calls do not read.
    const HDC dc = ::GetDC(_window);
    const HGDIOBJ font = reinterpret_cast<HGDIOBJ>(::SendMessageA(_window, WM_GETFONT, 0, 0));
    const HGDIOBJ previous = ::SelectObject(dc, font != nullptr ? font : ::GetStockObject(DEFAULT_GUI_FONT));
    const std::wstring wide = toWide(_rightText);
    SIZE extent{};
    ::GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &extent);
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc, &metrics);
    ::SelectObject(dc, previous);
    ::ReleaseDC(_window, dc);
    // The part's borders and margins, and the size grip, which sits inside the last part and is about as
    // wide as a line is high.
    int borders[3] = {};
    ::SendMessageA(_window, SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
    const int width = extent.cx + 2 * metrics.tmAveCharWidth + 2 * borders[2] + metrics.tmHeight;
    RECT client{};
    ::GetClientRect(_window, &client);
    int edges[2] = {client.right - width, -1};
    if (edges[0] < 0)
        edges[0] = client.right / 2;
    ::SendMessageA(_window, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(edges));
}

} // namespace Win
