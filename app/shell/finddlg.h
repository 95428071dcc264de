#pragma once

#include "WinLib/checkbox.h"
#include "WinLib/dialog.h"
#include "WinLib/edit.h"
#include "app/model/itemsearch.h"

// "Find": what text to look for in the items, and whether its case must match. Find Next ends it with 1
// and is enabled only while there is a text to look for.
class FindDlg : public Dialog::ModalController {
public:
    explicit FindDlg(const ItemSearch& last) : _search(last) {}

    void onInitDialog() override;
    bool onCommand(int controlId, int notifyCode) override;

    const ItemSearch& getSearch() const { return _search; }

private:
    ItemSearch _search;
    Win::Edit _text;
    Win::CheckBox _matchCase;
    Win::DlgControl _findNext;
};
