#pragma once
#include "WinLib/controller.h"

#include <windows.h>

// A top-level window of the tests' own class, run by the given controller, destroyed with this object.
class TestWindow {
public:
    explicit TestWindow(Win::Controller& controller, const char* title = "WinLib Test Window");
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    ~TestWindow();

    HWND get() const { return _window; }

    static const char* className();

private:
    HWND _window;
};

// True when a WM_QUIT waits in this thread's queue (and takes it out).
bool takeQuitMessage();
