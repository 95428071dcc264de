#include "controller.h"

#include "pendingexception.h"

namespace Win {

namespace {

Controller* getController(HWND window) {
    return reinterpret_cast<Controller*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
}

int signedLow(LPARAM value) {
    return static_cast<short>(LOWORD(value));
}
int signedHigh(LPARAM value) {
    return static_cast<short>(HIWORD(value));
}

bool dispatchNotify(Controller& ctrl, LPARAM lParam) {
    NMHDR& header = *reinterpret_cast<NMHDR*>(lParam);
    const int fromId = static_cast<int>(header.idFrom);
    switch (header.code) {
    case TTN_NEEDTEXTA:
        return ctrl.onNeedText(header.hwndFrom, fromId, reinterpret_cast<NMTTDISPINFOA*>(lParam)->szText);
    case LVN_GETDISPINFOA:
        return ctrl.onGetDispInfo(header.hwndFrom, fromId, reinterpret_cast<NMLVDISPINFOA*>(lParam)->item);
    case LVN_COLUMNCLICK:
        return ctrl.onColumnClick(header.hwndFrom, fromId, reinterpret_cast<NMLISTVIEW*>(lParam)->iSubItem);
    default:
        return ctrl.onNotify(header);
    }
}

// Returns whether the controller handled the message; result is what the procedure then answers.
bool dispatch(Controller& ctrl, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    switch (message) {
    case WM_CREATE:
        return ctrl.onCreate(*reinterpret_cast<CREATESTRUCTA*>(lParam));
    case WM_CLOSE:
        return ctrl.onClose();
    case WM_DESTROY:
        ctrl.onDestroy();
        return true;
    case WM_ACTIVATE:
        return ctrl.onActivate(LOWORD(wParam), HIWORD(wParam) != 0, reinterpret_cast<HWND>(lParam));
    case WM_SETFOCUS:
        return ctrl.onFocus(reinterpret_cast<HWND>(wParam));
    case WM_SIZE:
        return ctrl.onSize(LOWORD(lParam), HIWORD(lParam), static_cast<int>(wParam));
    case WM_PAINT:
        return ctrl.onPaint();
    case WM_COMMAND:
        if (lParam == 0)
            return ctrl.onCommand(LOWORD(wParam), HIWORD(wParam) == 1);
        return ctrl.onControl(reinterpret_cast<HWND>(lParam), LOWORD(wParam), HIWORD(wParam));
    case WM_NOTIFY:
        return dispatchNotify(ctrl, lParam);
    case WM_INITMENUPOPUP:
        if (HIWORD(lParam) == 0)
            return ctrl.onInitPopup(reinterpret_cast<HMENU>(wParam), LOWORD(lParam));
        return ctrl.onInitSystemPopup(reinterpret_cast<HMENU>(wParam), LOWORD(lParam));
    case WM_MENUSELECT:
        return ctrl.onMenuSelect(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam));
    case WM_MOUSEMOVE:
        return ctrl.onMouseMove(signedLow(lParam), signedHigh(lParam), static_cast<int>(wParam));
    case WM_KEYDOWN:
        return ctrl.onKeyDown(static_cast<int>(wParam), lParam);
    case WM_CONTEXTMENU:
        // Signed: screens left of or above the primary one have negative coordinates, and the keyboard
        // asks with (-1, -1).
        result = 1;
        return ctrl.onContextMenu(reinterpret_cast<HWND>(wParam), signedLow(lParam), signedHigh(lParam));
    case WM_QUERYENDSESSION: {
        bool mayEnd = true;
        if (!ctrl.onQueryEndSession(mayEnd))
            return false;
        result = mayEnd ? TRUE : FALSE;
        return true;
    }
    case WM_ENDSESSION:
        return ctrl.onEndSession(wParam != FALSE);
    case WM_DPICHANGED:
        return ctrl.onDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
    default:
        if (message >= WM_USER)
            return ctrl.onUserMessage(message, wParam, lParam, result);
        return false;
    }
}

} // namespace

Controller::~Controller() {
    // A controller that goes before its window must not be called by it any more.
    if (_h != nullptr && getController(_h) == this)
        ::SetWindowLongPtrA(_h, GWLP_USERDATA, 0);
}

bool Controller::onCreate(CREATESTRUCTA&) {
    return false;
}
bool Controller::onClose() {
    return false;
}
bool Controller::onDestroy() {
    return false;
}
bool Controller::onActivate(int, bool, HWND) {
    return false;
}
bool Controller::onFocus(HWND) {
    return false;
}
bool Controller::onSize(int, int, int) {
    return false;
}
bool Controller::onPaint() {
    return false;
}
bool Controller::onCommand(int, bool) {
    return false;
}
bool Controller::onControl(HWND, int, int) {
    return false;
}
bool Controller::onNeedText(HWND, int, char (&)[NeedTextSize]) {
    return false;
}
bool Controller::onGetDispInfo(HWND, int, LVITEMA&) {
    return false;
}
bool Controller::onColumnClick(HWND, int, int) {
    return false;
}
bool Controller::onNotify(NMHDR&) {
    return false;
}
bool Controller::onInitPopup(HMENU, int) {
    return false;
}
bool Controller::onInitSystemPopup(HMENU, int) {
    return false;
}
bool Controller::onMenuSelect(int, int, HMENU) {
    return false;
}
bool Controller::onMouseMove(int, int, int) {
    return false;
}
bool Controller::onKeyDown(int, LPARAM) {
    return false;
}
bool Controller::onUserMessage(UINT, WPARAM, LPARAM, LRESULT&) {
    return false;
}
bool Controller::onContextMenu(HWND, int, int) {
    return false;
}
bool Controller::onQueryEndSession(bool&) {
    return false;
}
bool Controller::onEndSession(bool) {
    return false;
}
bool Controller::onDpiChanged(int, const RECT&) {
    return false;
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* ctrl = static_cast<Controller*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (ctrl != nullptr) {
            ctrl->_h = window;
            ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(ctrl));
        }
        return ::DefWindowProcA(window, message, wParam, lParam);
    }
    Controller* ctrl = getController(window);
    if (ctrl == nullptr)
        return ::DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        ctrl->_h = nullptr;
        return ::DefWindowProcA(window, message, wParam, lParam);
    }
    try {
        LRESULT result;
        if (dispatch(*ctrl, message, wParam, lParam, result))
            return result;
    } catch (...) {
        PendingException::catchCurrent(true);
        // A failed onCreate makes CreateWindowEx fail, and Maker::create throws the exception on.
        return message == WM_CREATE ? -1 : 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

} // namespace Win
