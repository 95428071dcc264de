#include "multiplechoicedialogctrl.h"

#include "multiplechoicesession.h"

#include "app/shell/dialogfocus.h"
#include "resources/resource.h"

MultipleChoiceDialogCtrl::MultipleChoiceDialogCtrl(const Setting& settings, MultipleChoiceSession& session)
    : QuestionsSessionDialogCtrl(settings), _session(&session) {}

void MultipleChoiceDialogCtrl::initControls() {
    _answerLabel = Win::DlgControl(_h, IDC_ANSWER_LABEL);
    for (int i = 0; i < MaxChoices; ++i) {
        _choiceButtons[i] = Win::CheckBox(_h, IDC_CHOICE1 + i);
        _choiceTexts[i] = Win::DlgControl(_h, IDC_CHOICE_TEXT1 + i);
    }
    // Next comes first in the tab order, so that the dialog opens with the focus on it. The first choice
    // would otherwise take it, and a radio button that takes the focus from the keyboard picks itself.
    ::SetWindowPos(::GetDlgItem(_h, IDC_NEXT), HWND_TOP, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

StudySession& MultipleChoiceDialogCtrl::getSession() {
    return *_session;
}

// A session has the same number of choices for every question; rows beyond it are hidden, which also
// takes their number keys out of use.
void MultipleChoiceDialogCtrl::showToSide() {
    _answerLabel.setText(_session->getToName().c_str());
    _choices = _session->getChoices();
    for (std::size_t i = 0; i < MaxChoices; ++i) {
        const bool offered = i < _choices.size();
        _choiceTexts[i].setText(offered ? _choices[i].c_str() : "");
        _choiceButtons[i].uncheck();
        ::ShowWindow(_choiceButtons[i].getHandle(), offered ? SW_SHOW : SW_HIDE);
        ::ShowWindow(_choiceTexts[i].getHandle(), offered ? SW_SHOW : SW_HIDE);
    }
    // On Next rather than on a choice, which nobody has picked yet.
    moveDialogFocus(_h, Win::DlgControl(_h, IDC_NEXT));
}

std::string MultipleChoiceDialogCtrl::getAnswer() {
    for (std::size_t i = 0; i < _choices.size() && i < MaxChoices; ++i) {
        if (_choiceButtons[i].isChecked())
            return _choices[i];
    }
    return std::string();
}

bool MultipleChoiceDialogCtrl::onCommand(int controlId, int notifyCode) {
    const int textIdx = controlId - IDC_CHOICE_TEXT1;
    if (textIdx >= 0 && textIdx < MaxChoices && notifyCode == STN_CLICKED) {
        pick(textIdx);
        return true;
    }
    return QuestionsSessionDialogCtrl::onCommand(controlId, notifyCode);
}

// A click on a choice's text picks it as a click on its button does.
void MultipleChoiceDialogCtrl::pick(int choiceIdx) {
    for (int i = 0; i < MaxChoices; ++i)
        _choiceButtons[i].check(i == choiceIdx);
    moveDialogFocus(_h, _choiceButtons[choiceIdx]);
}
