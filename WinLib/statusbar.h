#pragma once

#include "maker.h"

#include <windows.h>

#include <string>

namespace Win {

// A status bar with a size grip along the bottom of its parent: one part, or two when a text is kept
// at its right end beside what the first part shows.
class StatusBar : public ChildMaker {
public:
    StatusBar(HWND parent, int id);

    HWND create();
    // The height of the bar's part, kept from the last time it could be read; 0 before.
    int getHeight();
    // Follows the parent's new size; also after a change of font.
    void resize();
    // The first part's text.
    void setText(const char* text);
    // The text of a second part at the right end, as wide as the text; empty for none.
    void setRightText(const std::string& text);
    HWND getWindow() const { return _window; }

private:
    void fitParts();

    HWND _window = nullptr;
    int _height = 0;
    std::string _rightText;
};

} // namespace Win
