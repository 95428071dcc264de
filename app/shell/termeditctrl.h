#pragma once

#include "helpfile.h"

#include "WinLib/combobox.h"
#include "WinLib/dialog.h"
#include "WinLib/dlgcontrol.h"
#include "WinLib/edit.h"
#include "app/model/termset.h"

#include <optional>
#include <string>

class Outline;

// The "Edit Item" dialog: the main text, the comment and, one at a time, the value of each field of one
// item. It edits a copy, which the caller takes back when the dialog ends with OK.
class TermEditCtrl : public Dialog::ModalController {
public:
    TermEditCtrl(const Outline& outline, const TermSet& item);

    const TermSet& getTermSet() const { return _termSet; }

    void onInitDialog() override;
    bool onCommand(int controlId, int notifyCode) override;

private:
    int currentField() const { return _fieldList.getSelection(); }
    bool hasNextField() const;
    void showField(int idx);
    void showCurrentField();
    void updateStepButtons();
    void disableStepButton(Win::DlgControl& button);
    void onOk();
    void refuse(int messageId, const std::string& argument, const Win::DlgControl& focus);

    const Outline& _outline;
    TermSet _termSet;
    Win::DlgControl _itemTypeLabel;
    Win::DlgControl _fieldLabel;
    Win::Edit _mainText;
    Win::Edit _comment;
    Win::Edit _fieldValue;
    Win::ComboBox _fieldList;
    Win::DlgControl _previous;
    Win::DlgControl _next;
    std::string _fieldLabelFormat;
    std::optional<HelpFile> _helpFile;
};
