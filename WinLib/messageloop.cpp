#include "messageloop.h"

#include "exception.h"
#include "pendingexception.h"

namespace Win {

void MessageLoop::setKbdAccelerator(HWND window, HACCEL table) {
    _accelWindow = window;
    _accel = table;
}

bool MessageLoop::translateAccelerator(MSG& msg) const {
    if (_accel == nullptr || msg.hwnd == nullptr)
        return false;
    if (msg.hwnd != _accelWindow && !::IsChild(_accelWindow, msg.hwnd))
        return false;
    return ::TranslateAcceleratorW(_accelWindow, _accel, &msg) != 0;
}

int MessageLoop::run() {
    MSG msg;
    for (;;) {
        // The Unicode loop: a typed character outside the system's old code page reaches the controls whole,
        // where the ANSI loop would turn it into "?" before any window saw it.
        BOOL status = ::GetMessageW(&msg, nullptr, 0, 0);
        if (status == -1)
            throw Exception("Error in Windows message loop");
        PendingException::rethrowIfSet();
        if (status == 0)
            return static_cast<int>(msg.wParam);
        const bool handled = (_preTranslator != nullptr && _preTranslator(msg)) || translateAccelerator(msg);
        if (!handled) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        PendingException::rethrowIfSet();
    }
}

} // namespace Win
