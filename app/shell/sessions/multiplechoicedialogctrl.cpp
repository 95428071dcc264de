#include "multiplechoicedialogctrl.h"

#include "app/sessions/multiplechoicesession.h"

#include "WinLib/dialogfocus.h"
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
    fitChoiceRows(static_cast<int>(_session->getChoices().size()));
}

namespace {

RECT placeOf(HWND control) {
    RECT place{};
    ::GetWindowRect(control, &place);
    ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&place), 2);
    return place;
}

} // namespace

// The template has a row for each of the most choices a session can have; a session has the same number
// for every question. The rows it does not use go, and what lies below them moves up, so that the dialog
// has no empty band.
void MultipleChoiceDialogCtrl::fitChoiceRows(int rows) {
    if (rows <= 0 || rows >= MaxChoices)
        return;
    const RECT firstUnused = placeOf(_choiceButtons[rows].getHandle());
    const int removed =
        (placeOf(_choiceButtons[1].getHandle()).top - placeOf(_choiceButtons[0].getHandle()).top) *
        (MaxChoices - rows);
    for (HWND child = ::GetWindow(_h, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
        const int id = ::GetDlgCtrlID(child);
        const bool unusedRow = (id >= IDC_CHOICE1 + rows && id < IDC_CHOICE1 + MaxChoices) ||
                               (id >= IDC_CHOICE_TEXT1 + rows && id < IDC_CHOICE_TEXT1 + MaxChoices);
        const RECT place = placeOf(child);
        if (unusedRow)
            ::ShowWindow(child, SW_HIDE);
        else if (place.top >= firstUnused.top)
            ::SetWindowPos(child, nullptr, place.left, place.top - removed, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // Smaller by the rows' height, and still centred where it was.
    RECT frame{};
    ::GetWindowRect(_h, &frame);
    ::SetWindowPos(_h, nullptr, frame.left, frame.top + removed / 2, frame.right - frame.left,
                   frame.bottom - frame.top - removed, SWP_NOZORDER | SWP_NOACTIVATE);
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
