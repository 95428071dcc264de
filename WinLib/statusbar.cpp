#include "statusbar.h"

#include "exception.h"

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
}

void StatusBar::setText(const char* text) {
    ::SetWindowTextA(_window, text);
}

} // namespace Win
