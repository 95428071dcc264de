#pragma once

#include <windows.h>

#include <string>

namespace Win {

// A control of a dialog: its window and its id, borrowed from the dialog. Dialog controllers keep these
// as members, empty until the dialog is initialised.
class DlgControl {
public:
    DlgControl() = default;
    DlgControl(HWND dialog, int id) : _window(::GetDlgItem(dialog, id)), _id(id) {}

    HWND getHandle() const { return _window; }
    int getId() const { return _id; }

    std::string getText() const;
    void setText(const char* text);
    void enable(bool enabled = true);
    void disable() { enable(false); }
    bool isEnabled() const;
    void setFocus();
    bool hasFocus() const { return _window != nullptr && ::GetFocus() == _window; }

protected:
    LRESULT send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageA(_window, message, wParam, lParam);
    }

private:
    HWND _window = nullptr;
    int _id = 0;
};

} // namespace Win
