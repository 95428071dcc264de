#pragma once

#include <windows.h>

namespace Win {

// Where a top-level window stands when it is neither minimized nor maximized, and whether it is maximized:
// what a person expects to find again when the program starts next time.
struct WindowPlacement {
    RECT normal;
    bool maximized;
};

WindowPlacement getWindowPlacement(HWND window);
// Shows the window at the placement. Minimized start-ups (showCommand) stay minimized.
void showWindowAt(HWND window, const WindowPlacement& placement, int showCommand);
// The place itself when a screen shows the middle of its top edge, where its title bar can be grabbed;
// otherwise the place moved, and shrunk where needed, into the work area of the nearest screen.
RECT keptOnScreen(const RECT& place);
// The place moved, and shrunk where needed, into the work area of the nearest screen.
RECT fittedOnScreen(const RECT& place);

} // namespace Win
