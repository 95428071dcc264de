#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Checks of what a person sees of a window's layout, measured on the window as the system made it, at the
// screen's resolution: each finding is one line that names the control and says what is wrong.
namespace LayoutCheck {

// The screen's dots per inch, as the program sees them.
int screenDpi();

// Every child lies inside the window's client area, and no two children overlap, except a group box and the
// controls that it holds.
std::vector<std::string> placement(HWND window);

// Every static text, button, check box and radio button has room for its whole text in its own font.
std::vector<std::string> textRoom(HWND window);

// The dialog's font is one that the system draws at any size (not a bitmap font made for one resolution).
std::vector<std::string> scalableFont(HWND window);

struct Column {
    std::string title;
    int width;
    std::string widestCell; // the widest text the column can show; empty when only the heading counts
};

// Every column of a report list view is at least as wide as a list view of the system's list font, made
// here, finds it needs for the column's heading and widest cell.
std::vector<std::string> listColumns(const std::vector<Column>& columns);

// A name for a control in the findings: its id and its text.
std::string describe(HWND control);

} // namespace LayoutCheck
