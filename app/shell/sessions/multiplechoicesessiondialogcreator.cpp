#include "multiplechoicesessiondialogcreator.h"

#include "app/sessions/multiplechoicesession.h"
#include "multiplechoicedialogctrl.h"

#include "WinLib/assertion.h"
#include "app/model/lorvant.h"
#include "resources/resource.h"

void MultipleChoiceSessionDialogCreator::runDialog(StudySession& session) {
    auto* multipleChoice = dynamic_cast<MultipleChoiceSession*>(&session);
    WIN_ASSERT(multipleChoice != nullptr, "dynamic_cast<MultipleChoiceSession*>(&session)!=nullptr");
    MultipleChoiceDialogCtrl ctrl(_studyList.getSettings(), *multipleChoice);
    Dialog::run(_mainWindow, IDD_MULTIPLE_CHOICE, ctrl);
}

std::unique_ptr<StudySession> MultipleChoiceSessionDialogCreator::createSession(bool useAll) {
    return std::make_unique<MultipleChoiceSession>(_studyList, useAll);
}
