#include "finddlg.h"

#include "resources/resource.h"

void FindDlg::onInitDialog() {
    _text = Win::Edit(_h, IDC_FIND_TEXT);
    _matchCase = Win::CheckBox(_h, IDC_MATCH_CASE);
    _findNext = Win::DlgControl(_h, IDOK);
    _text.setText(_search.getText().c_str());
    _matchCase.check(_search.isMatchCase());
    _findNext.enable(!_search.getText().empty());
}

bool FindDlg::onCommand(int controlId, int notifyCode) {
    switch (controlId) {
    case IDC_FIND_TEXT:
        if (notifyCode == EN_CHANGE)
            _findNext.enable(!_text.getText().empty());
        return true;
    case IDOK:
        // Enter reaches the default button even while it is disabled.
        if (_text.getText().empty())
            return true;
        _search = ItemSearch(_text.getText(), _matchCase.isChecked());
        endOk();
        return true;
    case IDCANCEL:
        endCancel();
        return true;
    default:
        return false;
    }
}
