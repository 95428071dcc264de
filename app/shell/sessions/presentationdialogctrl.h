#pragma once

#include "sessiondialogctrl.h"

class PresentationSession;

// "Presentation Study Session": each question is shown with its answer beside it; nothing is asked or
// scored, and the session ends without a summary.
class PresentationDialogCtrl : public SessionDialogCtrl {
public:
    PresentationDialogCtrl(const Setting& settings, PresentationSession& session);

protected:
    void initControls() override;
    StudySession& getSession() override;
    void showToSide() override;

private:
    Win::DlgControl _answerLabel;
    Win::DlgControl _answer;
    PresentationSession* _session;
};
