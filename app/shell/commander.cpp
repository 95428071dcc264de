#include "commander.h"

#include "aboutctrl.h"
#include "finddlg.h"
#include "helpfile.h"
#include "outlinectrl.h"
#include "refreshmessages.h"
#include "statisticsdlg.h"
#include "termeditctrl.h"
#include "weakitemrulestore.h"
#include "weakitemsdlg.h"

#include "WinLib/dialog.h"
#include "WinLib/resstring.h"
#include "app/model/lorvant.h"
#include "app/model/schedulestatistics.h"
#include "app/model/scorestatistics.h"
#include "app/model/weakitemrule.h"
#include "app/sessions/reviewchoice.h"
#include "app/shell/fileprocedures.h"
#include "app/shell/sessions/multiplechoicesessiondialogcreator.h"
#include "app/shell/sessions/presentationsessiondialogcreator.h"
#include "app/shell/sessions/qnasessiondialogcreator.h"
#include "app/shell/sessions/reviewstarter.h"
#include "app/shell/sessions/settingsdlgctrl.h"
#include "resources/resource.h"

#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

namespace {

// A dialog that could not be made (-1) counts as cancelled.
bool confirmed(INT_PTR dialogResult) {
    return dialogResult != 0 && dialogResult != -1;
}

} // namespace

Commander::Commander(HWND mainWindow, StudyList& studyList)
    : _mainWindow(mainWindow), _studyList(studyList) {}

Cmd::Status Commander::whenItems() const {
    return _studyList.getTermSetCount() > 0 ? Cmd::ENABLED : Cmd::DISABLED;
}

Cmd::Status Commander::whenSelection() const {
    return _studyList.hasSelection() ? Cmd::ENABLED : Cmd::DISABLED;
}

void Commander::refresh(UINT message) {
    ::SendMessageA(_mainWindow, message, 0, 0);
}

bool Commander::confirm(int questionId) {
    const HINSTANCE instance = ::GetModuleHandleA(nullptr);
    return ::MessageBoxA(_mainWindow, Win::ResString(instance, questionId),
                         Win::ResString(instance, IDS_CONFIRM_CAPTION),
                         MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
}

void Commander::helpContents() {
    HelpFile(_mainWindow, HelpFile::programHelpPath()).showContents();
}

void Commander::getStarted() {
    HelpFile(_mainWindow, HelpFile::programHelpPath()).showTopic("gettingstarted.htm");
}

void Commander::programAbout() {
    AboutCtrl about;
    Dialog::run(_mainWindow, IDD_ABOUT, about);
}

void Commander::programExit() {
    ::SendMessageA(_mainWindow, WM_CLOSE, 0, 0);
}

void Commander::studySetNew() {
    if (!FileProcedures(_studyList, _mainWindow).querySaveChanges())
        return;
    _studyList.clear();
    refresh(FileNameChangedMessage);
    refresh(DocumentReplacedMessage);
}

void Commander::studySetOpen() {
    FileProcedures procedures(_studyList, _mainWindow);
    if (!procedures.querySaveChanges())
        return;
    procedures.openWithDialog();
    refresh(DocumentReplacedMessage);
}

void Commander::openRecentDoc(int idx) {
    const std::vector<std::string> recentDocs = _studyList.getRecentDocs();
    if (idx >= static_cast<int>(recentDocs.size()))
        return;
    FileProcedures procedures(_studyList, _mainWindow);
    if (!procedures.querySaveChanges())
        return;
    procedures.open(recentDocs[static_cast<std::size_t>(idx)]);
    refresh(DocumentReplacedMessage);
}

void Commander::studySetSave() {
    FileProcedures(_studyList, _mainWindow).save(_studyList.getFileName());
}

void Commander::studySetSaveAs() {
    FileProcedures(_studyList, _mainWindow).save("");
}

void Commander::studySetOutline() {
    OutlineCtrl dialog(_studyList.getOutline());
    if (!confirmed(Dialog::run(_mainWindow, IDD_OUTLINE, dialog)))
        return;
    _studyList.setOutline(dialog.getOutline());
    refresh(DocumentReplacedMessage);
}

void Commander::studySetClearRecent() {
    _studyList.clearRecentDocs();
}

void Commander::studyPresentation() {
    PresentationSessionDialogCreator(_mainWindow, _studyList).run();
    refresh(ItemsChangedMessage);
}

void Commander::studyMultipleChoice() {
    MultipleChoiceSessionDialogCreator(_mainWindow, _studyList).run();
    refresh(ItemsChangedMessage);
}

void Commander::studyQuestionsAnswers() {
    QNASessionDialogCreator(_mainWindow, _studyList).run();
    refresh(ItemsChangedMessage);
}

void Commander::studyReview() {
    ReviewStarter(_mainWindow, _studyList, [] { return static_cast<UtcTime>(std::time(nullptr)); }).run();
    refresh(ItemsChangedMessage);
}

void Commander::studySetSettings() {
    SettingsDlgCtrl dialog(_studyList.getSettings(), _studyList.getOutline(), _studyList.getReviewSettings());
    if (!confirmed(Dialog::run(_mainWindow, IDD_SETTINGS, dialog)))
        return;
    // The settings are stored in the document file: a change must not be lost without a question.
    if (!(dialog.getSetting() == _studyList.getSettings()) ||
        !(dialog.getReviewSettings() == _studyList.getReviewSettings()))
        _studyList.setModified();
    _studyList.getSettings() = dialog.getSetting();
    _studyList.setReviewSettings(dialog.getReviewSettings());
    refresh(ReviewSettingsChangedMessage);
}

void Commander::studySetResetScores() {
    if (!confirm(IDS_CONFIRM_RESET_SCORES))
        return;
    _studyList.resetScores();
    refresh(ItemsChangedMessage);
}

void Commander::termForgetSchedule() {
    if (!confirm(IDS_CONFIRM_FORGET_SCHEDULE))
        return;
    _studyList.forgetSchedule(_studyList.getSelection());
    refresh(ItemsChangedMessage);
}

void Commander::termAdd() {
    const TermSet newItem(_studyList.getOutline(), _studyList.getTermSetCount() + 1);
    TermEditCtrl dialog(_studyList.getOutline(), newItem);
    if (!confirmed(Dialog::run(_mainWindow, IDD_EDIT_ITEM, dialog)))
        return;
    _studyList.addTermSet(dialog.getTermSet());
    refresh(ItemsChangedMessage);
}

void Commander::termRemove() {
    if (!confirm(IDS_CONFIRM_REMOVE_ITEMS))
        return;
    _studyList.removeSelected();
    refresh(ItemsChangedMessage);
}

void Commander::termEdit() {
    TermEditCtrl dialog(_studyList.getOutline(), _studyList.getSelectedTermSet());
    if (!confirmed(Dialog::run(_mainWindow, IDD_EDIT_ITEM, dialog)))
        return;
    _studyList.setSelectedTermSet(dialog.getTermSet());
    refresh(ItemsChangedMessage);
}

void Commander::termSelectAll() {
    refresh(SelectAllMessage);
}

void Commander::studySetStatistics() {
    // The forecast's days are the user's calendar days.
    ScheduleStatistics::DayStarts days{localDayStart(static_cast<UtcTime>(std::time(nullptr)))};
    for (std::size_t day = 1; day < days.size(); ++day)
        days[day] = nextLocalDayStart(days[day - 1]);
    StatisticsDlg dialog(ScoreStatistics::of(_studyList), ScheduleStatistics::of(_studyList, days));
    Dialog::run(_mainWindow, IDD_STATISTICS, dialog);
}

void Commander::termFind() {
    FindDlg dialog(_lastSearch.value_or(ItemSearch("", false)));
    if (!confirmed(Dialog::run(_mainWindow, IDD_FIND, dialog)))
        return;
    _lastSearch = dialog.getSearch();
    findNext(*_lastSearch);
}

void Commander::termFindNext() {
    if (!_lastSearch) {
        termFind();
        return;
    }
    findNext(*_lastSearch);
}

void Commander::findNext(const ItemSearch& search) {
    const int focused = static_cast<int>(::SendMessageA(_mainWindow, FocusedRowQuery, 0, 0));
    const int found = search.findNext(_studyList, focused);
    if (found < 0) {
        tell(IDS_TEXT_NOT_FOUND, search.getText());
        return;
    }
    selectRows({found});
}

void Commander::termSelectWeak() {
    WeakItemsDlg dialog(loadWeakItemRule());
    if (!confirmed(Dialog::run(_mainWindow, IDD_WEAK_ITEMS, dialog)))
        return;
    const WeakItemRule& rule = dialog.getRule();
    saveWeakItemRule(rule);
    const std::vector<int> weak = rule.findIn(_studyList);
    if (weak.empty()) {
        tell(rule.includeNeverAsked ? IDS_NO_WEAK_OR_NEVER_ASKED_ITEMS : IDS_NO_WEAK_ITEMS,
             std::to_string(rule.threshold));
        return;
    }
    selectRows(weak);
}

void Commander::selectRows(const std::vector<int>& rows) {
    ::SendMessageA(_mainWindow, SelectRowsMessage, 0, reinterpret_cast<LPARAM>(&rows));
}

// A result for the user, under the program's name, with one text or number put into its message.
void Commander::tell(int messageId, const std::string& formatArgument) {
    const HINSTANCE instance = ::GetModuleHandleA(nullptr);
    const Win::ResString format(instance, messageId);
    std::vector<char> text(std::strlen(format) + formatArgument.size() + 1);
    std::snprintf(text.data(), text.size(), format, formatArgument.c_str());
    ::MessageBoxA(_mainWindow, text.data(), Win::ResString(instance, IDS_PROGRAM_NAME),
                  MB_OK | MB_ICONINFORMATION);
}
