#include "dialog.h"

#include "pendingexception.h"

namespace Dialog {

namespace {

Controller* getController(HWND dialog) {
    return reinterpret_cast<Controller*>(::GetWindowLongPtrA(dialog, GWLP_USERDATA));
}

bool dispatchNotify(Controller& ctrl, LPARAM lParam) {
    NMHDR& header = *reinterpret_cast<NMHDR*>(lParam);
    if (header.code == TTN_NEEDTEXTA)
        return ctrl.onNeedText(static_cast<int>(header.idFrom),
                               reinterpret_cast<NMTTDISPINFOA*>(lParam)->szText);
    return ctrl.onNotify(header);
}

bool dispatch(Controller& ctrl, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        return ctrl.onClose();
    case WM_COMMAND:
        return ctrl.onCommand(LOWORD(wParam), HIWORD(wParam));
    case WM_NOTIFY:
        return dispatchNotify(ctrl, lParam);
    case WM_TIMER:
        return ctrl.onTimer(static_cast<unsigned>(wParam));
    case WM_SIZE:
        return ctrl.onSize(LOWORD(lParam), HIWORD(lParam));
    case WM_GETMINMAXINFO:
        return ctrl.onGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam));
    case WM_DRAWITEM:
        return ctrl.onDrawItem(static_cast<int>(wParam), *reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
    default:
        return false;
    }
}

} // namespace

Controller::~Controller() {
    if (_h != nullptr && getController(_h) == this)
        ::SetWindowLongPtrA(_h, GWLP_USERDATA, 0);
}

void Controller::onInitDialog() {}

bool Controller::onClose() {
    endCancel();
    return true;
}

bool Controller::onCommand(int, int) {
    return false;
}
bool Controller::onNeedText(int, char (&)[Win::NeedTextSize]) {
    return false;
}
bool Controller::onNotify(NMHDR&) {
    return false;
}
bool Controller::onTimer(unsigned) {
    return false;
}
bool Controller::onSize(int, int) {
    return false;
}
bool Controller::onGetMinMaxInfo(MINMAXINFO&) {
    return false;
}
bool Controller::onDrawItem(int, DRAWITEMSTRUCT&) {
    return false;
}

void ModalController::endOk() {
    ::EndDialog(_h, 1);
}
void ModalController::endCancel() {
    ::EndDialog(_h, 0);
}

INT_PTR CALLBACK DialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        if (message == WM_INITDIALOG) {
            auto* ctrl = reinterpret_cast<Controller*>(lParam);
            ::SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
            ctrl->_h = dialog;
            ctrl->onInitDialog();
            return TRUE;
        }
        Controller* ctrl = getController(dialog);
        if (ctrl == nullptr)
            return FALSE;
        if (message == WM_NCDESTROY) {
            ::SetWindowLongPtrA(dialog, GWLP_USERDATA, 0);
            ctrl->_h = nullptr;
            return FALSE;
        }
        return dispatch(*ctrl, message, wParam, lParam) ? TRUE : FALSE;
    } catch (...) {
        // Only this dialog's loop needs to end: run throws the exception on to our code.
        Win::PendingException::catchCurrent(false);
        ::EndDialog(dialog, -1);
        return TRUE;
    }
}

INT_PTR run(HWND parent, int templateId, Controller& controller) {
    HINSTANCE instance = parent != nullptr
                             ? reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(parent, GWLP_HINSTANCE))
                             : ::GetModuleHandleA(nullptr);
    INT_PTR result = ::DialogBoxParamA(instance, MAKEINTRESOURCEA(templateId), parent, DialogProcedure,
                                       reinterpret_cast<LPARAM>(&controller));
    Win::PendingException::rethrowIfSet();
    return result;
}

} // namespace Dialog
