#include "tests/winlib/testwindow.h"

#include "WinLib/classmaker.h"
#include "WinLib/maker.h"

const char* TestWindow::className() {
    static const char* name = [] {
        Win::ClassMaker maker("WinLib Test Class", GetModuleHandleA(nullptr));
        maker.Register();
        return "WinLib Test Class";
    }();
    return name;
}

TestWindow::TestWindow(Win::Controller& controller, const char* title) {
    Win::Maker maker(className(), GetModuleHandleA(nullptr));
    _window = maker.create(controller, title);
}

TestWindow::~TestWindow() {
    if (IsWindow(_window))
        DestroyWindow(_window);
}

bool takeQuitMessage() {
    MSG msg;
    return PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
}
