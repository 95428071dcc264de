#include "qnadialogctrl.h"

#include "app/sessions/qnasession.h"

#include "WinLib/dialogfocus.h"
#include "resources/resource.h"

QnaDialogCtrl::QnaDialogCtrl(const Setting& settings, QnaSession& session)
    : QuestionsSessionDialogCtrl(settings), _session(&session) {}

void QnaDialogCtrl::initControls() {
    _answerLabel = Win::DlgControl(_h, IDC_ANSWER_LABEL);
    _answer = Win::Edit(_h, IDC_ANSWER);
}

StudySession& QnaDialogCtrl::getSession() {
    return *_session;
}

void QnaDialogCtrl::showToSide() {
    _answerLabel.setText(_session->getToName().c_str());
    _answer.clear();
    // Through the dialog manager, so that Next stays the default button after Stop had the focus.
    moveDialogFocus(_h, _answer);
}

std::string QnaDialogCtrl::getAnswer() {
    return _answer.getText();
}
