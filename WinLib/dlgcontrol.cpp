#include "dlgcontrol.h"

namespace Win {

std::string DlgControl::getText() const {
    int length = static_cast<int>(send(WM_GETTEXTLENGTH));
    if (length <= 0)
        return std::string();
    std::string text(length, '\0');
    // WM_GETTEXTLENGTH may count more than WM_GETTEXT then delivers.
    int copied = static_cast<int>(send(WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data())));
    text.resize(copied);
    return text;
}

void DlgControl::setText(const char* text) {
    ::SetWindowTextA(_window, text);
}

void DlgControl::enable(bool enabled) {
    ::EnableWindow(_window, enabled);
}

bool DlgControl::isEnabled() const {
    return ::IsWindowEnabled(_window) != 0;
}

void DlgControl::setFocus() {
    ::SetFocus(_window);
}

} // namespace Win
