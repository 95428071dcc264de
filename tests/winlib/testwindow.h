#pragma once
#include "WinLib/classmaker.h"
#include "WinLib/controller.h"
#include "WinLib/maker.h"

#include <windows.h>

// A top-level window of the tests' own class, run by the given controller, destroyed with this object.
class TestWindow {
public:
    explicit TestWindow(Win::Controller& controller) {
        static const char* const className = [] {
            Win::ClassMaker("WinLib Test Class", GetModuleHandleA(nullptr)).Register();
            return "WinLib Test Class";
        }();
        _window = Win::Maker(className, GetModuleHandleA(nullptr)).create(controller, "WinLib Test Window");
    }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    ~TestWindow() { DestroyWindow(_window); }

    HWND get() const { return _window; }

private:
    HWND _window;
};
