#pragma once

#include "dlgcontrol.h"

namespace Win {

// A drop-down list.
class ComboBox : public DlgControl {
public:
    using DlgControl::DlgControl;

    void clear();
    void addString(const char* text);
    int getCount() const;
    // -1 when nothing is selected.
    int getSelection() const;
    void setSelection(int idx);
};

} // namespace Win
