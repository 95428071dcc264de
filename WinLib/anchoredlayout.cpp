#include "anchoredlayout.h"

namespace Win {

void AnchoredLayout::add(HWND dialog, int controlId, Anchor anchor) {
    RECT client{};
    ::GetClientRect(dialog, &client);
    _first = {client.right, client.bottom};
    const HWND control = ::GetDlgItem(dialog, controlId);
    RECT place{};
    ::GetWindowRect(control, &place);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
    _entries.push_back({control, place, anchor});
}

void AnchoredLayout::resize(int width, int height) const {
    const int dx = width - _first.cx;
    const int dy = height - _first.cy;
    const int half = dx / 2;
    for (const Entry& entry : _entries) {
        RECT place = entry.place;
        switch (entry.anchor) {
        case GROW:
            place.right += dx;
            place.bottom += dy;
            break;
        case BOTTOM_RIGHT:
            ::OffsetRect(&place, dx, dy);
            break;
        case BOTTOM:
            ::OffsetRect(&place, 0, dy);
            break;
        case GROW_LEFT_HALF:
            place.right += half;
            place.bottom += dy;
            break;
        case GROW_RIGHT_HALF:
            place.left += half;
            place.right += dx;
            place.bottom += dy;
            break;
        case TOP_RIGHT_HALF:
            ::OffsetRect(&place, half, 0);
            break;
        case BOTTOM_RIGHT_HALF:
            ::OffsetRect(&place, half, dy);
            break;
        }
        ::SetWindowPos(entry.control, nullptr, place.left, place.top, place.right - place.left,
                       place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

} // namespace Win
