#pragma once

#include <windows.h>

namespace Win {

// A GDI object selected into a device context while the guard lives; the object it replaced goes back
// when it ends. The object itself stays its owner's.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : _dc(dc), _previous(::SelectObject(dc, object)) {}
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    ~SelectedObject() { ::SelectObject(_dc, _previous); }

private:
    HDC _dc;
    HGDIOBJ _previous;
};

} // namespace Win
