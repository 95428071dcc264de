#pragma once

#include "WinLib/checkbox.h"
#include "WinLib/dialog.h"

// "Study Session": asks whether a session covers only the selected items or all of them.
class SessionItemsDlg : public Dialog::ModalController {
public:
    void onInitDialog() override;
    bool onCommand(int controlId, int notifyCode) override;

    bool isUseAll() const { return _useAll; }

private:
    Win::CheckBox _useSelected;
    Win::CheckBox _useAllItems;
    bool _useAll = false;
};
