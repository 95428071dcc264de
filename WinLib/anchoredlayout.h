#pragma once

#include <windows.h>

#include <vector>

namespace Win {

// Keeps the controls of a dialog with a sizing border in place as the user changes its size: a control
// either grows with the dialog, or keeps its distance to the dialog's bottom edge, or to its bottom and
// right edges. Two columns side by side share the growth in width: the left column's controls take its
// first half, the right column's the second. Places are taken when a control is added, so add them while
// the dialog has its first size.
class AnchoredLayout {
public:
    enum Anchor {
        GROW,
        BOTTOM,
        BOTTOM_RIGHT,
        // Grow in height and by half the growth in width, in the left or the right column.
        GROW_LEFT_HALF,
        GROW_RIGHT_HALF,
        // In the right column, above or below the controls that grow.
        TOP_RIGHT_HALF,
        BOTTOM_RIGHT_HALF
    };

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
