#include "reviewstarter.h"

#include "hiddenwindow.h"
#include "sessionitemsdlg.h"

#include "WinLib/localtimetext.h"
#include "WinLib/resstring.h"
#include "app/model/lorvant.h"
#include "app/sessions/reviewchoice.h"
#include "app/sessions/reviewsession.h"
#include "resources/resource.h"

#include <utility>

ReviewStarter::ReviewStarter(HWND mainWindow, StudyList& studyList, ReviewDialogCtrl::Clock clock)
    : _mainWindow(mainWindow), _studyList(studyList), _clock(std::move(clock)) {}

void ReviewStarter::showResult(int textId, std::initializer_list<MessageArg> args) const {
    const HINSTANCE instance = ::GetModuleHandleA(nullptr);
    const std::string text = formatMessage(std::string(Win::ResString(instance, textId)), args);
    ::MessageBoxA(_mainWindow, text.c_str(), Win::ResString(instance, IDS_PROGRAM_NAME),
                  MB_OK | MB_ICONINFORMATION);
}

void ReviewStarter::run() {
    std::vector<int> scope;
    if (_studyList.hasSelection()) {
        SessionItemsDlg itemsDlg;
        if (Dialog::run(_mainWindow, IDD_SESSION_ITEMS, itemsDlg) != 1)
            return;
        if (!itemsDlg.isUseAll())
            scope = _studyList.getSelection();
    }
    const UtcTime now = _clock();
    ReviewSession session(_studyList, ReviewChoice::of(_studyList, now, localDayStart(now), scope).items);
    if (!session.next(now)) {
        const std::optional<UtcTime> due = session.nextDue();
        if (due)
            showResult(IDS_NOTHING_DUE, {Win::localDateTimeText(*due)});
        else
            showResult(IDS_NOTHING_SCHEDULED, {});
        return;
    }
    {
        HiddenWindow hidden(_mainWindow);
        ReviewDialogCtrl ctrl(session, _clock);
        Dialog::run(_mainWindow, IDD_REVIEW, ctrl);
    }
    const std::optional<UtcTime> due = session.nextDue();
    if (due)
        showResult(IDS_REVIEW_SUMMARY, {session.getReviewedCount(), session.getCorrectAnswersCnt(),
                                        Win::localDateTimeText(*due)});
    else
        showResult(IDS_REVIEW_SUMMARY_NONE, {session.getReviewedCount(), session.getCorrectAnswersCnt()});
}
