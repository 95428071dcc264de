#pragma once

#include "maker.h"

#include <windows.h>

namespace Win {

// A one-part status bar with a size grip along the bottom of its parent.
class StatusBar : public ChildMaker {
public:
    StatusBar(HWND parent, int id);

    HWND create();
    // The height of the bar's part, kept from the last time it could be read; 0 before.
    int getHeight();
    // Follows the parent's new size.
    void resize();
    void setText(const char* text);
    HWND getWindow() const { return _window; }

private:
    HWND _window = nullptr;
    int _height = 0;
};

} // namespace Win
