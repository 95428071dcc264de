#pragma once

#include "dlgcontrol.h"

namespace Win {

// A check box or a radio button.
class CheckBox : public DlgControl {
public:
    using DlgControl::DlgControl;

    bool isChecked() const { return send(BM_GETCHECK) == BST_CHECKED; }
    void check(bool checked = true) { send(BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED); }
    void uncheck() { check(false); }
};

} // namespace Win
