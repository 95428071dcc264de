#include "weakitemsdlg.h"

#include "WinLib/dialogfocus.h"

#include "WinLib/resstring.h"
#include "resources/resource.h"

#include <optional>

void WeakItemsDlg::onInitDialog() {
    _threshold = Win::UpDown(_h, IDC_WEAK_THRESHOLD_ARROWS);
    _includeNeverAsked = Win::CheckBox(_h, IDC_INCLUDE_NEVER_ASKED);
    _threshold.setRange(WeakItemRule::ThresholdMin, WeakItemRule::ThresholdMax);
    _threshold.setPos(_rule.threshold);
    _includeNeverAsked.check(_rule.includeNeverAsked);
}

bool WeakItemsDlg::onCommand(int controlId, int) {
    switch (controlId) {
    case IDOK:
        confirm();
        return true;
    case IDCANCEL:
        endCancel();
        return true;
    default:
        return false;
    }
}

void WeakItemsDlg::confirm() {
    const std::optional<int> threshold = _threshold.getPos();
    if (!threshold) {
        const HINSTANCE instance = ::GetModuleHandleA(nullptr);
        ::MessageBoxA(_h, Win::ResString(instance, IDS_ENTER_THRESHOLD),
                      Win::ResString(instance, IDS_DIALOG_ERROR_CAPTION), MB_OK | MB_ICONEXCLAMATION);
        moveDialogFocus(_h, Win::DlgControl(_h, IDC_WEAK_THRESHOLD));
        return;
    }
    _rule.threshold = *threshold;
    _rule.includeNeverAsked = _includeNeverAsked.isChecked();
    endOk();
}
