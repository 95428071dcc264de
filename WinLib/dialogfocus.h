#pragma once

#include "WinLib/dlgcontrol.h"

#include <windows.h>

// Moves the keyboard focus inside a dialog as the Tab key does: the default button follows the focus and
// the text of an edit box is selected, ready to be typed over.
inline void moveDialogFocus(HWND dialog, const Win::DlgControl& control) {
    ::SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control.getHandle()), TRUE);
}

// A disabled control cannot keep the keyboard: when it has the focus, the focus goes on to where the user
// continues from.
inline void disableMovingFocus(HWND dialog, Win::DlgControl& control, const Win::DlgControl& continueAt) {
    if (control.hasFocus())
        moveDialogFocus(dialog, continueAt);
    control.disable();
}
