#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Checks of what a person sees of a window's layout, on the window as the system made it at the screen's
// resolution. Each finding is one line that names the control and says what is wrong.
namespace LayoutCheck {

int screenDpi();

// Every child lies inside the client area; no two children overlap, except a group box and what it holds.
std::vector<std::string> placement(HWND window);

// Every static text, button, check box, radio button and group box has room for its text in its own font.
std::vector<std::string> textRoom(HWND window);

// The window's font is one that the system draws at any size, not a bitmap font made for one resolution.
std::vector<std::string> scalableFont(HWND window);

struct Column {
    std::string title;
    int width;
    std::string widestCell; // the widest text the column can show; empty when only the heading counts
};

// Every column is at least as wide as a list view of the system's list font finds it needs for the
// column's heading and widest cell.
std::vector<std::string> listColumns(const std::vector<Column>& columns);

} // namespace LayoutCheck
