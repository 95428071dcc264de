#pragma once

#include <windows.h>

namespace Cmd {
class Vector;
}

namespace Win {

// One entry of a toolbar template. image is the index in the system's standard or view images, the
// program's bitmap resource id for BITMAP, or a separator's width in pixels. A template ends with an
// END entry.
struct ToolbarItem {
    enum Kind { BUTTON = 0, CHECK = 1, SEPARATOR = 2, END = 3 };
    enum ImageList { STD_IMAGES = 0, VIEW_IMAGES = 1, BITMAP = 2 };

    Kind kind;
    ImageList imageList;
    int image;
    const char* text;
    const char* cmdName;
};

// A toolbar whose buttons raise commands; their states follow the commands' tests, and their tooltips
// come from the parent (TTN_NEEDTEXTA with the command id).
class Toolbar {
public:
    Toolbar(HWND parent, int id, const ToolbarItem* toolbarTemplate, const Cmd::Vector& cmdVector);
    Toolbar(const Toolbar&) = delete;
    Toolbar& operator=(const Toolbar&) = delete;

    void setFlat();
    void setToolTips();
    // Takes the system's large images instead of the small ones; before addButtons.
    void setLargeImages() { _largeImages = true; }
    void addButtons();
    void autoSize();
    int getHeight() const;
    void updateButtons();
    HWND getWindow() const { return _window; }

private:
    void addStyle(DWORD style);

    int _buttonCount = 0;
    const ToolbarItem* _template;
    HWND _window;
    const Cmd::Vector& _cmdVector;
    bool _largeImages = false;
};

} // namespace Win
