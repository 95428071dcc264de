#include "messageloop.h"

#include "exception.h"
#include "pendingexception.h"

namespace Win {

void MessageLoop::setKbdAccelerator(HWND window, HACCEL table) {
    _accelWindow = window;
    _accel = table;
}

int MessageLoop::run() {
    MSG msg;
    for (;;) {
        BOOL status = ::GetMessageA(&msg, nullptr, 0, 0);
        if (status == -1)
            throw Exception("Error in Windows message loop");
        PendingException::rethrowIfSet();
        if (status == 0)
            return static_cast<int>(msg.wParam);
        if (_accel == nullptr || ::TranslateAcceleratorA(_accelWindow, _accel, &msg) == 0) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        PendingException::rethrowIfSet();
    }
}

} // namespace Win
