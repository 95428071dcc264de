#include "sessionitemsdlg.h"

#include "resources/resource.h"

void SessionItemsDlg::onInitDialog() {
    _useSelected = Win::CheckBox(_h, IDC_USE_SELECTED);
    _useAllItems = Win::CheckBox(_h, IDC_USE_ALL);
    _useSelected.check();
}

bool SessionItemsDlg::onCommand(int controlId, int) {
    switch (controlId) {
    case IDOK:
        _useAll = _useAllItems.isChecked();
        endOk();
        return true;
    case IDCANCEL:
        endCancel();
        return true;
    default:
        return false;
    }
}
