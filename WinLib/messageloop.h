#pragma once

#include <windows.h>

namespace Win {

// The program's one message loop, on the user-interface thread.
class MessageLoop {
public:
    // Sees each message first; true when it has handled the message.
    using PreTranslator = bool (*)(MSG& msg);

    // Keys of table are translated for window and its child windows before dispatch; other windows of
    // the thread keep their keys.
    void setKbdAccelerator(HWND window, HACCEL table);
    // For windows of the thread that are not the program's own, such as a help viewer's.
    void setPreTranslator(PreTranslator preTranslator) { _preTranslator = preTranslator; }
    // Returns the exit code that came with WM_QUIT. An exception parked by a window or dialog procedure
    // ends the loop and is thrown on from here.
    int run();

private:
    bool translateAccelerator(MSG& msg) const;

    HWND _accelWindow = nullptr;
    HACCEL _accel = nullptr;
    PreTranslator _preTranslator = nullptr;
};

} // namespace Win
