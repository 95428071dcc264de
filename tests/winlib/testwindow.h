#pragma once
#include "WinLib/classmaker.h"
#include "WinLib/controller.h"
#include "WinLib/maker.h"

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <type_traits>

// A top-level window of the tests' own class, run by the given controller, destroyed with the result. The
// lists and toolbars the tests put in it are registered with the class.
inline auto makeTestWindow(Win::Controller& controller) {
    static const char* const className = [] {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
        InitCommonControlsEx(&controls);
        Win::ClassMaker("WinLib Test Class", GetModuleHandleA(nullptr)).Register();
        return "WinLib Test Class";
    }();
    HWND window = Win::Maker(className, GetModuleHandleA(nullptr)).create(controller, "WinLib Test Window");
    return std::unique_ptr<std::remove_pointer_t<HWND>, decltype(&DestroyWindow)>(window, &DestroyWindow);
}
