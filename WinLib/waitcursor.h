#pragma once

#include <windows.h>

namespace Win {

// The hourglass while the program works without taking input; the cursor before it comes back when the
// guard ends.
class WaitCursor {
public:
    WaitCursor() : _previous(::SetCursor(::LoadCursorA(nullptr, IDC_WAIT))) {}
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
    ~WaitCursor() { ::SetCursor(_previous); }

private:
    HCURSOR _previous;
};

} // namespace Win
