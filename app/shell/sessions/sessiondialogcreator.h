#pragma once

#include <windows.h>

#include <memory>

class StudyList;
class StudySession;

// Starts a study session: asks whether to use only the selected items, hides the main window while the
// session's dialog runs, and shows it again afterwards. Each kind of session supplies its session and
// its dialog.
class SessionDialogCreator {
public:
    SessionDialogCreator(HWND mainWindow, StudyList& studyList);
    SessionDialogCreator(const SessionDialogCreator&) = delete;
    SessionDialogCreator& operator=(const SessionDialogCreator&) = delete;
    virtual ~SessionDialogCreator();

    void run();

protected:
    // Runs the session's dialog modally, owned by the main window, on the question the session holds.
    virtual void runDialog(StudySession& session) = 0;
    virtual std::unique_ptr<StudySession> createSession(bool useAll) = 0;

    StudyList& _studyList;
    HWND _mainWindow;
};
