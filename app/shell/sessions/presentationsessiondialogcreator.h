#pragma once

#include "sessiondialogcreator.h"

// Starts a presentation: the "Presentation Study Session" dialog over a PresentationSession.
class PresentationSessionDialogCreator : public SessionDialogCreator {
public:
    using SessionDialogCreator::SessionDialogCreator;

protected:
    void runDialog(StudySession& session) override;
    std::unique_ptr<StudySession> createSession(bool useAll) override;
};
