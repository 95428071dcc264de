#pragma once

#include "reviewdialogctrl.h"

#include "app/sessions/messageformat.h"

#include <windows.h>

#include <optional>
#include <string>

class StudyList;

// Starts a review of what is due: asks whether to use only the selected items when some are
// selected, says so when nothing is due, hides the main window while the review runs, and ends
// with a summary of it.
class ReviewStarter {
public:
    // The clock gives the time of every choice and grade; tests pass their own.
    ReviewStarter(HWND mainWindow, StudyList& studyList, ReviewDialogCtrl::Clock clock);

    void run();

private:
    void showResult(int textId, std::initializer_list<MessageArg> args) const;

    HWND _mainWindow;
    StudyList& _studyList;
    ReviewDialogCtrl::Clock _clock;
};
