#include "windowplacement.h"

#include <algorithm>

namespace Win {

WindowPlacement getWindowPlacement(HWND window) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    ::GetWindowPlacement(window, &placement);
    // A window minimized from the maximized state comes back maximized.
    const bool maximized =
        placement.showCmd == SW_SHOWMAXIMIZED ||
        (placement.showCmd == SW_SHOWMINIMIZED && (placement.flags & WPF_RESTORETOMAXIMIZED));
    return {placement.rcNormalPosition, maximized};
}

void showWindowAt(HWND window, const WindowPlacement& place, int showCommand) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    placement.rcNormalPosition = keptOnScreen(place.normal);
    const bool minimized =
        showCommand == SW_SHOWMINIMIZED || showCommand == SW_MINIMIZE || showCommand == SW_SHOWMINNOACTIVE;
    placement.showCmd = minimized ? showCommand : place.maximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
    if (minimized && place.maximized)
        placement.flags = WPF_RESTORETOMAXIMIZED;
    ::SetWindowPlacement(window, &placement);
}

RECT keptOnScreen(const RECT& place) {
    const POINT topMiddle{place.left + (place.right - place.left) / 2, place.top + 4};
    if (::MonitorFromPoint(topMiddle, MONITOR_DEFAULTTONULL) != nullptr)
        return place;
    return fittedOnScreen(place);
}

RECT fittedOnScreen(const RECT& place) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoA(::MonitorFromRect(&place, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const LONG width = std::min(place.right - place.left, work.right - work.left);
    const LONG height = std::min(place.bottom - place.top, work.bottom - work.top);
    const LONG left = std::clamp(place.left, work.left, work.right - width);
    const LONG top = std::clamp(place.top, work.top, work.bottom - height);
    return {left, top, left + width, top + height};
}

} // namespace Win
