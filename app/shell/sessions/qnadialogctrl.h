#pragma once

#include "questionssessiondialogctrl.h"

#include "WinLib/edit.h"

class QnaSession;

// "Questions & Answers Study Session": the user types each answer into the answer box.
class QnaDialogCtrl : public QuestionsSessionDialogCtrl {
public:
    QnaDialogCtrl(const Setting& settings, QnaSession& session);

protected:
    void initControls() override;
    StudySession& getSession() override;
    void showToSide() override;
    std::string getAnswer() override;

private:
    Win::Edit _answer;
    Win::DlgControl _answerLabel;
    QnaSession* _session;
};
