#pragma once

#include "dlgcontrol.h"

namespace Win {

class Edit : public DlgControl {
public:
    using DlgControl::DlgControl;

    // Empties the control (selects everything and clears it); does nothing to a read-only one.
    void clear();
    void setReadOnly(bool readOnly);
};

} // namespace Win
