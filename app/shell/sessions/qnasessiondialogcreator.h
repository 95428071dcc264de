#pragma once

#include "sessiondialogcreator.h"

// Starts a questions-and-answers session: the "Questions & Answers Study Session" dialog over a QnaSession.
class QNASessionDialogCreator : public SessionDialogCreator {
public:
    using SessionDialogCreator::SessionDialogCreator;

protected:
    void runDialog(StudySession& session) override;
    std::unique_ptr<StudySession> createSession(bool useAll) override;
};
