#pragma once

#include <windows.h>

#include <vector>

namespace Win {

// Keeps the controls of a dialog with a sizing border in place as the user changes its size: a control
// either grows with the dialog, or keeps its distance to the dialog's bottom edge, or to its bottom and
// right edges. Places are taken when a control is added, so add them while the dialog has its first size.
class AnchoredLayout {
public:
    enum Anchor { GROW, BOTTOM, BOTTOM_RIGHT };

    void add(HWND dialog, int controlId, Anchor anchor);
    // The dialog's new client size.
    void resize(int width, int height) const;

private:
    struct Entry {
        HWND control;
        RECT place; // in the dialog's client area, at the first size
        Anchor anchor;
    };
    SIZE _first{};
    std::vector<Entry> _entries;
};

} // namespace Win
