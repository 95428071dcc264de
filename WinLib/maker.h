#pragma once

#include <windows.h>

namespace Win {

class Controller;

// The parameters of CreateWindowEx for a top-level window; derived makers adjust style and extended
// style before creating.
class Maker {
public:
    Maker(const char* className, HINSTANCE instance);

    // Creates the window run by controller. An exception thrown by one of controller's handlers during
    // creation is thrown on from here.
    HWND create(Controller& controller, const char* title);

    void addStyle(DWORD style) { _style |= style; }
    void addExStyle(DWORD exStyle) { _exStyle |= exStyle; }
    void setPosition(int x, int y);
    void setSize(int width, int height);

protected:
    HWND createWindow(const char* title, void* creationData);

    HINSTANCE _instance;
    const char* _className;
    DWORD _style = WS_OVERLAPPEDWINDOW;
    DWORD _exStyle = 0;
    int _x = CW_USEDEFAULT;
    int _y = 0;
    int _width = CW_USEDEFAULT;
    int _height = 0;
    HWND _parent = nullptr;
    HMENU _menu = nullptr;
};

// A child window: the instance comes from the parent, the child id stands in the menu field.
class ChildMaker : public Maker {
public:
    ChildMaker(const char* className, HWND parent, int childId);

    HWND create(const char* title);
    using Maker::create;
};

} // namespace Win
