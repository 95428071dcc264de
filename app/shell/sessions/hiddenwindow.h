#pragma once

#include <windows.h>

// Keeps the main window out of sight while a session runs, and brings it back however the session ends,
// an error included, so that the error box is not left without its program.
class HiddenWindow {
public:
    explicit HiddenWindow(HWND window) : _window(window) { ::ShowWindow(_window, SW_HIDE); }
    HiddenWindow(const HiddenWindow&) = delete;
    HiddenWindow& operator=(const HiddenWindow&) = delete;
    // SW_SHOW rather than SW_SHOWNORMAL: a maximized main window comes back maximized.
    ~HiddenWindow() { ::ShowWindow(_window, SW_SHOW); }

private:
    HWND _window;
};
