#pragma once

#include "WinLib/command.h"
#include "app/model/itemsearch.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

class StudyList;

// The program's commands, run on the open document with the main window as the owner of every dialog
// and message box. After changing the document a command tells the main window what to show anew.
class Commander {
public:
    Commander(HWND mainWindow, StudyList& studyList);

    void helpContents();
    void getStarted();
    void programAbout();
    void programExit();
    void studySetNew();
    void studySetOpen();
    // Reopens entry N (1 to 10) of the recent documents.
    template <int N> void openRecent() { openRecentDoc(N - 1); }
    void studySetSave();
    void studySetSaveAs();
    void studySetOutline();
    void studySetClearRecent();
    void studyPresentation();
    void studyMultipleChoice();
    void studyQuestionsAnswers();
    void studyReview();
    void studySetSettings();
    void studySetResetScores();
    void studySetStatistics();
    void termAdd();
    void termRemove();
    void termEdit();
    void termSelectAll();
    void termFind();
    // Repeats the last search, or asks what to find when there was none.
    void termFindNext();
    void termSelectWeak();
    void termForgetSchedule();

    Cmd::Status always() const { return Cmd::ENABLED; }
    Cmd::Status whenItems() const;
    Cmd::Status whenSelection() const;

private:
    void openRecentDoc(int idx);
    bool confirm(int questionId);
    void refresh(UINT message);
    void findNext(const ItemSearch& search);
    void tell(int messageId, const std::string& formatArgument);
    void selectRows(const std::vector<int>& rows);

    HWND _mainWindow;
    StudyList& _studyList;
    // What Find last looked for, for Find Next; for this run only.
    std::optional<ItemSearch> _lastSearch;
};
