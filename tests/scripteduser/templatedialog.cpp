#include "tests/scripteduser/templatedialog.h"

#include <utility>

TemplateDialog::TemplateDialog(int templateId, Handler handler)
    : _templateId(templateId), _handler(std::move(handler)) {}

INT_PTR TemplateDialog::run(HWND owner) {
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(_templateId), owner, &procedure,
                           reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK TemplateDialog::procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        reinterpret_cast<TemplateDialog*>(lParam)->_window = dialog;
    }
    auto* self = reinterpret_cast<TemplateDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (!self)
        return FALSE;
    if (self->_handler)
        self->_handler(dialog, message, wParam, lParam);
    if (message == WM_INITDIALOG)
        return TRUE;
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return message == WM_COMMAND;
}
