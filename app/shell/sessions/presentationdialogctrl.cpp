#include "presentationdialogctrl.h"

#include "app/sessions/presentationsession.h"

#include "resources/resource.h"

PresentationDialogCtrl::PresentationDialogCtrl(const Setting& settings, PresentationSession& session)
    : SessionDialogCtrl(settings), _session(&session) {}

void PresentationDialogCtrl::initControls() {
    _answerLabel = Win::DlgControl(_h, IDC_ANSWER_LABEL);
    _answer = Win::DlgControl(_h, IDC_ANSWER);
}

StudySession& PresentationDialogCtrl::getSession() {
    return *_session;
}

void PresentationDialogCtrl::showToSide() {
    _answerLabel.setText(_session->getToName().c_str());
    _answer.setText(_session->getToText().c_str());
}
