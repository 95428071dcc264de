#pragma once

#include "WinLib/checkbox.h"
#include "WinLib/dialog.h"
#include "WinLib/updown.h"
#include "app/model/weakitemrule.h"

// "Select Weak Items": the share of right answers below which an item counts as weak, and whether items
// never asked count too. OK with a percentage outside 0 to 100 asks for a valid one and keeps the dialog
// open.
class WeakItemsDlg : public Dialog::ModalController {
public:
    explicit WeakItemsDlg(const WeakItemRule& rule) : _rule(rule) {}

    void onInitDialog() override;
    bool onCommand(int controlId, int notifyCode) override;

    const WeakItemRule& getRule() const { return _rule; }

private:
    void confirm();

    WeakItemRule _rule;
    Win::UpDown _threshold;
    Win::CheckBox _includeNeverAsked;
};
