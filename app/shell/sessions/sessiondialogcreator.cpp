#include "sessiondialogcreator.h"

#include "app/sessions/studysession.h"
#include "hiddenwindow.h"
#include "sessionitemsdlg.h"

#include "WinLib/resstring.h"
#include "app/model/lorvant.h"
#include "resources/resource.h"

SessionDialogCreator::SessionDialogCreator(HWND mainWindow, StudyList& studyList)
    : _studyList(studyList), _mainWindow(mainWindow) {}

SessionDialogCreator::~SessionDialogCreator() = default;

void SessionDialogCreator::run() {
    bool useAll = true;
    if (_studyList.hasSelection()) {
        SessionItemsDlg itemsDlg;
        // Cancel, the close box and a dialog that could not be shown all mean: no session.
        if (Dialog::run(_mainWindow, IDD_SESSION_ITEMS, itemsDlg) != 1)
            return;
        useAll = itemsDlg.isUseAll();
    }
    HiddenWindow hidden(_mainWindow);
    std::unique_ptr<StudySession> session = createSession(useAll);
    if (session->next()) {
        runDialog(*session);
    } else {
        HINSTANCE instance = ::GetModuleHandleA(nullptr);
        ::MessageBoxA(_mainWindow, Win::ResString(instance, IDS_NO_QUESTIONS),
                      Win::ResString(instance, IDS_ERROR_CAPTION), MB_OK | MB_ICONSTOP);
    }
}
