#pragma once
#include <windows.h>

#include <string>

inline std::string className(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}
