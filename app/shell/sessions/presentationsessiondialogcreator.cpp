#include "presentationsessiondialogcreator.h"

#include "app/sessions/presentationsession.h"
#include "presentationdialogctrl.h"

#include "WinLib/assertion.h"
#include "app/model/lorvant.h"
#include "resources/resource.h"

void PresentationSessionDialogCreator::runDialog(StudySession& session) {
    auto* presentation = dynamic_cast<PresentationSession*>(&session);
    WIN_ASSERT(presentation != nullptr, "dynamic_cast<PresentationSession*>(&session)!=nullptr");
    PresentationDialogCtrl ctrl(_studyList.getSettings(), *presentation);
    Dialog::run(_mainWindow, IDD_PRESENTATION, ctrl);
}

std::unique_ptr<StudySession> PresentationSessionDialogCreator::createSession(bool useAll) {
    return std::make_unique<PresentationSession>(_studyList, useAll);
}
