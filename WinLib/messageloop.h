#pragma once

#include <windows.h>

namespace Win {

// The program's one message loop, on the user-interface thread.
class MessageLoop {
public:
    // Keys of table are translated for window before dispatch.
    void setKbdAccelerator(HWND window, HACCEL table);
    // Returns the exit code that came with WM_QUIT. An exception parked by a window or dialog procedure
    // ends the loop and is thrown on from here.
    int run();

private:
    HWND _accelWindow = nullptr;
    HACCEL _accel = nullptr;
};

} // namespace Win
