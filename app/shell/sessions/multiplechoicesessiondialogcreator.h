#pragma once

#include "sessiondialogcreator.h"

// Starts a multiple-choice session: the "Multiple Choice Study Session" dialog over a MultipleChoiceSession.
class MultipleChoiceSessionDialogCreator : public SessionDialogCreator {
public:
    using SessionDialogCreator::SessionDialogCreator;

protected:
    void runDialog(StudySession& session) override;
    std::unique_ptr<StudySession> createSession(bool useAll) override;
};
