#pragma once

#include "dpi.h"

#include <windows.h>

#include <memory>
#include <type_traits>
#include <vector>

namespace Cmd {
class Vector;
}

namespace Win {

// One entry of a toolbar template. image is the index in the system's standard or view images, the
// program's bitmap resource id for BITMAP, or a separator's width in pixels at 96 dots per inch. A
// template ends with an END entry. A bitmap of the program holds its picture at 16, 24 and 32 pixels
// square, side by side and top-aligned, on light grey, which the toolbar shows as its own colour.
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
// come from the parent (TTN_NEEDTEXTA with the command id). Its pictures are 16, 24 or 32 pixels square, for
// the resolution of the screen: the system's standard and view images come in 16 and 24 pixels only, so 32
// needs the program's own standard images (setStandardImages32) and no view images.
class Toolbar {
public:
    Toolbar(HWND parent, int id, const ToolbarItem* toolbarTemplate, const Cmd::Vector& cmdVector);
    Toolbar(const Toolbar&) = delete;
    Toolbar& operator=(const Toolbar&) = delete;

    void setFlat();
    void setToolTips();
    // Takes the system's large images instead of the small ones; before addButtons.
    void setLargeImages() { _largeImages = true; }
    // A bitmap resource of the program with, at 32 pixels, pictures in the order of the system's standard
    // images, for the buttons that use those; before addButtons.
    void setStandardImages32(int bitmapId) { _standardImages32 = bitmapId; }
    void addButtons();
    // Makes the window anew, with its styles, buttons and their states, and pictures for a screen of another
    // resolution.
    void remake(const Dpi& dpi);
    int getImageSize() const { return _imageSize; }
    void autoSize();
    int getHeight() const;
    // The width that shows every button: the right edge of the last one; 0 without buttons.
    int getButtonsWidth() const;
    void updateButtons();
    HWND getWindow() const { return _window; }

private:
    struct DeleteBitmap {
        void operator()(HBITMAP bitmap) const { ::DeleteObject(bitmap); }
    };
    using Picture = std::unique_ptr<std::remove_pointer_t<HBITMAP>, DeleteBitmap>;

    static HWND createWindow(HWND parent, int id);
    void addStyle(DWORD style);
    int chooseImageSize() const;
    int addPicture(int bitmapId);

    int _buttonCount = 0;
    const ToolbarItem* _template;
    HWND _window;
    const Cmd::Vector& _cmdVector;
    Dpi _dpi; // of the screen that shows the toolbar
    bool _largeImages = false;
    int _standardImages32 = 0;
    DWORD _addedStyles = 0;
    int _imageSize = 16;
    // The pictures of the program's bitmaps at the toolbar's size, kept while the toolbar shows them.
    std::vector<Picture> _pictures;
};

} // namespace Win
