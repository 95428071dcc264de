#include "updown.h"

#include <commctrl.h>

namespace Win {

void UpDown::setRange(int low, int high) {
    send(UDM_SETRANGE32, low, high);
}

void UpDown::setPos(int pos) {
    send(UDM_SETPOS32, 0, pos);
}

std::optional<int> UpDown::getPos() const {
    BOOL error = FALSE;
    int pos = static_cast<int>(send(UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&error)));
    if (error)
        return std::nullopt;
    return pos;
}

} // namespace Win
