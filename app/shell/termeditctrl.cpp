#include "termeditctrl.h"

#include "WinLib/dialogfocus.h"

#include "WinLib/resstring.h"
#include "app/model/outline.h"
#include "app/sessions/messageformat.h"
#include "resources/resource.h"

namespace {

HINSTANCE programInstance() {
    return ::GetModuleHandleA(nullptr);
}

} // namespace

TermEditCtrl::TermEditCtrl(const Outline& outline, const TermSet& item)
    : _outline(outline), _termSet(item, outline),
      _fieldLabelFormat(Win::ResString(programInstance(), IDS_FIELD_LABEL_FORMAT)) {}

void TermEditCtrl::onInitDialog() {
    _helpFile.emplace(_h, HelpFile::programHelpPath());
    _itemTypeLabel = Win::DlgControl(_h, IDC_ITEM_TYPE_LABEL);
    _fieldLabel = Win::DlgControl(_h, IDC_FIELD_LABEL);
    _mainText = Win::Edit(_h, IDC_MAIN_TEXT);
    _comment = Win::Edit(_h, IDC_COMMENT);
    _fieldValue = Win::Edit(_h, IDC_FIELD_VALUE);
    _fieldList = Win::ComboBox(_h, IDC_FIELD_CHOOSER);
    _previous = Win::DlgControl(_h, IDC_PREVIOUS_FIELD);
    _next = Win::DlgControl(_h, IDC_NEXT_FIELD);

    _itemTypeLabel.setText((_outline.getItemType() + ":").c_str());
    _mainText.setText(std::string(_termSet.getTerm()).c_str());
    _comment.setText(std::string(_termSet.getComment()).c_str());
    for (int i = 0; i < _outline.getDefCount(); ++i)
        _fieldList.addString(_outline.getDef(i).c_str());
    if (_outline.getDefCount() > 0) {
        _fieldList.setSelection(0);
        showCurrentField();
    } else {
        // Only a document from elsewhere has an outline without fields; its items have just a main text.
        _fieldLabel.setText("");
        _fieldList.disable();
        _fieldValue.disable();
    }
    updateStepButtons();
}

bool TermEditCtrl::onCommand(int controlId, int notifyCode) {
    switch (controlId) {
    case IDC_MAIN_TEXT:
        if (notifyCode == EN_CHANGE)
            _termSet.setTerm(_mainText.getText());
        return true;
    case IDC_COMMENT:
        if (notifyCode == EN_CHANGE)
            _termSet.setComment(_comment.getText());
        return true;
    case IDC_FIELD_VALUE:
        if (notifyCode == EN_CHANGE && currentField() >= 0) {
            // Showing a field's value echoes back here; a value the item never had stays missing.
            std::string text = _fieldValue.getText();
            if (text != _termSet.getFieldView(currentField()))
                _termSet.setField(currentField(), text);
        }
        return true;
    case IDC_FIELD_CHOOSER:
        if (currentField() >= 0) {
            showCurrentField();
            updateStepButtons();
        }
        return true;
    case IDC_PREVIOUS_FIELD:
        if (currentField() > 0)
            showField(currentField() - 1);
        return true;
    case IDC_NEXT_FIELD:
        if (hasNextField())
            showField(currentField() + 1);
        return true;
    case IDC_HELP_BUTTON:
        _helpFile->showTopic("addeditstudyitems.htm");
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

bool TermEditCtrl::hasNextField() const {
    int idx = currentField();
    return idx >= 0 && idx < _outline.getDefCount() - 1;
}

void TermEditCtrl::showField(int idx) {
    _fieldList.setSelection(idx);
    showCurrentField();
    updateStepButtons();
}

void TermEditCtrl::showCurrentField() {
    int idx = currentField();
    _fieldLabel.setText(formatMessage(_fieldLabelFormat, {_outline.getDef(idx)}).c_str());
    _fieldValue.setText(_termSet.getField(idx).c_str());
}

void TermEditCtrl::updateStepButtons() {
    if (currentField() > 0)
        _previous.enable();
    else
        disableStepButton(_previous);
    if (hasNextField())
        _next.enable();
    else
        disableStepButton(_next);
}

// The field value is where the user goes on from.
void TermEditCtrl::disableStepButton(Win::DlgControl& button) {
    disableMovingFocus(_h, button, _fieldValue);
}

// Enter walks from the main text to the comment and through the fields; only the last Enter confirms.
void TermEditCtrl::onOk() {
    if (_mainText.hasFocus() && !_mainText.getText().empty()) {
        moveDialogFocus(_h, _comment);
        return;
    }
    if (_comment.hasFocus() && _fieldValue.isEnabled()) {
        moveDialogFocus(_h, _fieldValue);
        return;
    }
    if (_fieldValue.hasFocus() && hasNextField()) {
        showField(currentField() + 1);
        return;
    }
    if (_mainText.getText().empty()) {
        refuse(IDS_ENTER_MAIN_TEXT, _outline.getItemType(), _mainText);
        return;
    }
    bool anyField = _outline.getDefCount() == 0;
    for (int i = 0; i < _outline.getDefCount() && !anyField; ++i)
        anyField = !_termSet.getFieldView(i).empty();
    if (!anyField) {
        refuse(IDS_ENTER_ONE_DEFINITION, std::string(), _fieldValue);
        return;
    }
    endOk();
}

void TermEditCtrl::refuse(int messageId, const std::string& argument, const Win::DlgControl& focus) {
    Win::ResString format(programInstance(), messageId);
    std::string message = formatMessage(static_cast<const char*>(format), {argument});
    ::MessageBoxA(_h, message.c_str(), Win::ResString(programInstance(), IDS_DIALOG_ERROR_CAPTION),
                  MB_OK | MB_ICONERROR);
    moveDialogFocus(_h, focus);
}
