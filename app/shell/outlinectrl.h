#pragma once

#include "helpfile.h"

#include "WinLib/dialog.h"
#include "WinLib/dlgcontrol.h"
#include "WinLib/edit.h"
#include "WinLib/listbox.h"
#include "app/model/outline.h"

#include <optional>

// The "Customize StudySet" dialog: the item type name and the ordered field names of the study list. It
// edits a copy, which the caller takes back when the dialog ends with OK. The list box always shows the
// copy's fields in the copy's order, so a line number is a field index.
class OutlineCtrl : public Dialog::ModalController {
public:
    explicit OutlineCtrl(const Outline& outline);

    const Outline& getOutline() const { return _outline; }

    void onInitDialog() override;
    bool onCommand(int controlId, int notifyCode) override;

private:
    void updateListButtons();
    void updateAddButton();
    void disableButton(Win::DlgControl& button);
    void addField();
    void removeField();
    void moveFieldUp();
    void moveFieldDown();
    void onOk();
    void refuse(int messageId, const Win::DlgControl& focus);

    Win::DlgControl _remove;
    Win::DlgControl _add;
    Win::DlgControl _moveUp;
    Win::DlgControl _moveDown;
    Win::Edit _itemType;
    Win::Edit _newField;
    Win::ListBox _fields;
    Outline _outline;
    std::optional<HelpFile> _helpFile;
};
