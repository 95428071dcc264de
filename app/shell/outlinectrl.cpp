#include "outlinectrl.h"

#include "WinLib/dialogfocus.h"

#include "WinLib/resstring.h"
#include "resources/resource.h"

namespace {

HINSTANCE programInstance() {
    return ::GetModuleHandleA(nullptr);
}

} // namespace

OutlineCtrl::OutlineCtrl(const Outline& outline) : _outline(outline) {}

void OutlineCtrl::onInitDialog() {
    _helpFile.emplace(_h, HelpFile::programHelpPath());
    _remove = Win::DlgControl(_h, IDC_REMOVE_FIELD);
    _add = Win::DlgControl(_h, IDC_ADD_FIELD);
    _moveUp = Win::DlgControl(_h, IDC_MOVE_UP);
    _moveDown = Win::DlgControl(_h, IDC_MOVE_DOWN);
    _itemType = Win::Edit(_h, IDC_ITEM_TYPE);
    _newField = Win::Edit(_h, IDC_NEW_FIELD);
    _fields = Win::ListBox(_h, IDC_FIELD_NAMES);

    _itemType.setText(_outline.getItemType().c_str());
    for (int i = 0; i < _outline.getDefCount(); ++i)
        _fields.addString(_outline.getDef(i).c_str());
    _newField.setText("");
    _add.disable();
    updateListButtons();
}

bool OutlineCtrl::onCommand(int controlId, int notifyCode) {
    switch (controlId) {
    case IDC_ITEM_TYPE:
        if (notifyCode == EN_CHANGE)
            _outline.setItemType(_itemType.getText());
        return true;
    case IDC_FIELD_NAMES:
        updateListButtons();
        return true;
    case IDC_NEW_FIELD:
        updateAddButton();
        return true;
    case IDC_ADD_FIELD:
        if (notifyCode == BN_CLICKED)
            addField();
        return true;
    case IDC_REMOVE_FIELD:
        if (notifyCode == BN_CLICKED)
            removeField();
        return true;
    case IDC_MOVE_UP:
        if (notifyCode == BN_CLICKED)
            moveFieldUp();
        return true;
    case IDC_MOVE_DOWN:
        if (notifyCode == BN_CLICKED)
            moveFieldDown();
        return true;
    case IDC_HELP_BUTTON:
        _helpFile->showTopic("customizestudysetstructure.htm");
        return true;
    case IDCANCEL:
        endCancel();
        return true;
    case IDOK:
        onOk();
        return true;
    default:
        return false;
    }
}

void OutlineCtrl::updateListButtons() {
    if (!_fields.isSelection()) {
        disableButton(_remove);
        disableButton(_moveUp);
        disableButton(_moveDown);
        return;
    }
    int idx = _fields.getSelection();
    _remove.enable();
    if (idx > 0)
        _moveUp.enable();
    else
        disableButton(_moveUp);
    if (idx < _outline.getDefCount() - 1)
        _moveDown.enable();
    else
        disableButton(_moveDown);
}

// A document with more fields than this could not be read back.
void OutlineCtrl::updateAddButton() {
    bool canAdd = !_newField.getText().empty() && _outline.getDefCount() < Outline::MaxDefCount;
    if (canAdd)
        _add.enable();
    else
        disableButton(_add);
}

// The list is where the buttons' work starts.
void OutlineCtrl::disableButton(Win::DlgControl& button) {
    disableMovingFocus(_h, button, _fields);
}

void OutlineCtrl::addField() {
    if (!_add.isEnabled())
        return;
    std::string name = _newField.getText();
    _outline.addDef(name);
    _fields.addString(name.c_str());
    _newField.setText("");
    moveDialogFocus(_h, _newField);
}

void OutlineCtrl::removeField() {
    if (!_fields.isSelection())
        return;
    int answer =
        ::MessageBoxA(_h, Win::ResString(programInstance(), IDS_CONFIRM_REMOVE_FIELD),
                      Win::ResString(programInstance(), IDS_CONFIRM_CAPTION), MB_YESNO | MB_ICONEXCLAMATION);
    if (answer != IDYES)
        return;
    int idx = _fields.getSelection();
    _outline.removeDef(idx);
    _fields.deleteString(idx);
    _fields.setSelection(-1);
    updateListButtons();
    updateAddButton();
}

void OutlineCtrl::moveFieldUp() {
    if (!_fields.isSelection() || _fields.getSelection() == 0)
        return;
    int idx = _fields.getSelection();
    _outline.moveDefUp(idx);
    _fields.insertString(idx - 1, _fields.getItemText(idx).c_str());
    _fields.deleteString(idx + 1);
    _fields.setSelection(idx - 1);
    updateListButtons();
}

void OutlineCtrl::moveFieldDown() {
    if (!_fields.isSelection() || _fields.getSelection() >= _outline.getDefCount() - 1)
        return;
    int idx = _fields.getSelection();
    _outline.moveDefDown(idx);
    _fields.insertString(idx + 2, _fields.getItemText(idx).c_str());
    _fields.deleteString(idx);
    _fields.setSelection(idx + 1);
    updateListButtons();
}

// Enter moves from the item type to the new field name and adds each name typed there; an Enter with
// nothing left to do confirms.
void OutlineCtrl::onOk() {
    if (_itemType.hasFocus() && !_itemType.getText().empty()) {
        moveDialogFocus(_h, _newField);
        return;
    }
    if (_newField.hasFocus() && !_newField.getText().empty()) {
        addField();
        return;
    }
    if (_outline.getItemType().empty()) {
        refuse(IDS_ENTER_ITEM_TYPE, _itemType);
        return;
    }
    if (_outline.getDefCount() == 0) {
        refuse(IDS_ENTER_ONE_FIELD, _newField);
        return;
    }
    endOk();
}

void OutlineCtrl::refuse(int messageId, const Win::DlgControl& focus) {
    ::MessageBoxA(_h, Win::ResString(programInstance(), messageId),
                  Win::ResString(programInstance(), IDS_DIALOG_ERROR_CAPTION), MB_OK | MB_ICONERROR);
    moveDialogFocus(_h, focus);
}
