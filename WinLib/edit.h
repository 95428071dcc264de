#pragma once

#include "dlgcontrol.h"

namespace Win {

class Edit : public DlgControl {
public:
    using DlgControl::DlgControl;

    // Puts text after the current text.
    void append(const char* text);
    // Empties the control (selects everything and clears it); does nothing to a read-only one.
    void clear();
    // Selects line number line (from 0); nothing happens when there is no such line.
    void selectLine(int line);
};

} // namespace Win
