#include "qnasessiondialogcreator.h"

#include "app/sessions/qnasession.h"
#include "qnadialogctrl.h"

#include "WinLib/assertion.h"
#include "app/model/lorvant.h"
#include "resources/resource.h"

void QNASessionDialogCreator::runDialog(StudySession& session) {
    auto* qna = dynamic_cast<QnaSession*>(&session);
    WIN_ASSERT(qna != nullptr, "dynamic_cast<QnaSession*>(&session)!=nullptr");
    QnaDialogCtrl ctrl(_studyList.getSettings(), *qna);
    Dialog::run(_mainWindow, IDD_QUESTIONS_ANSWERS, ctrl);
}

std::unique_ptr<StudySession> QNASessionDialogCreator::createSession(bool useAll) {
    return std::make_unique<QnaSession>(_studyList, useAll);
}
