#include "tests/scripteduser/templatedialog.h"

#include <algorithm>

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
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        {
            std::lock_guard<std::mutex> guard(self->_lock);
            self->_commands.push_back({id, HIWORD(wParam)});
        }
        if (id == IDOK || id == IDCANCEL)
            EndDialog(dialog, id);
        return TRUE;
    }
    case WM_NOTIFY: {
        std::lock_guard<std::mutex> guard(self->_lock);
        self->_notifications.push_back(reinterpret_cast<const NMHDR*>(lParam)->code);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

std::vector<TemplateDialog::Command> TemplateDialog::commands() const {
    std::lock_guard<std::mutex> guard(_lock);
    return _commands;
}

bool TemplateDialog::received(int id, int code) const {
    std::lock_guard<std::mutex> guard(_lock);
    return std::any_of(_commands.begin(), _commands.end(),
                       [&](const Command& command) { return command.id == id && command.code == code; });
}

std::vector<UINT> TemplateDialog::notifications() const {
    std::lock_guard<std::mutex> guard(_lock);
    return _notifications;
}
