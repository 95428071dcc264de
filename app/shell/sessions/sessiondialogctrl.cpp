#include "sessiondialogctrl.h"

#include "app/sessions/studysession.h"

#include "WinLib/resstring.h"
#include "app/model/setting.h"
#include "resources/resource.h"

#include <string>

SessionDialogCtrl::SessionDialogCtrl(const Setting& settings)
    : _settings(&settings), _timeLeft(settings.getTimeOut()) {}

SessionDialogCtrl::~SessionDialogCtrl() = default;

void SessionDialogCtrl::onInitDialog() {
    _questionLabel = Win::DlgControl(_h, IDC_QUESTION_LABEL);
    _question = Win::DlgControl(_h, IDC_QUESTION);
    _itemCounter = Win::DlgControl(_h, IDC_ITEM_COUNTER);
    _questionsCount = Win::DlgControl(_h, IDC_QUESTIONS_COUNT);
    _timeLeftBox = Win::DlgControl(_h, IDC_TIME_LEFT);
    restartCountdown();
    initControls();
    showQuestion();
}

bool SessionDialogCtrl::onClose() {
    stop();
    return true;
}

bool SessionDialogCtrl::onCommand(int controlId, int) {
    switch (controlId) {
    case IDC_NEXT:
        nextQuestion();
        return true;
    case IDC_STOP:
        stop();
        return true;
    default:
        return false;
    }
}

// A tick can still be on its way when the countdown has been destroyed (the timer is killed before every
// message box, whose loop delivers what is queued); such a tick must neither count nor judge again.
bool SessionDialogCtrl::onTimer(unsigned timerId) {
    if (timerId != CountdownTimerId)
        return false;
    if (!_timer.isRunning())
        return true;
    if (_timeLeft > 1) {
        --_timeLeft;
        showTimeLeft();
    } else {
        _timeLeft = 0;
        nextQuestion();
    }
    return true;
}

bool SessionDialogCtrl::hasTimeOut() const {
    return _settings->getTimeOut() > 0;
}

void SessionDialogCtrl::restartCountdown() {
    if (!hasTimeOut())
        return;
    _timer.create(_h, CountdownPeriodMs, CountdownTimerId);
    _timeLeft = _settings->getTimeOut();
}

void SessionDialogCtrl::showQuestion() {
    StudySession& session = getSession();
    const int questionsCount = session.getQuestionsCount();
    _questionsCount.setText(questionsCount < 0 ? "" : std::to_string(questionsCount).c_str());
    _itemCounter.setText(std::to_string(session.getItemCounter()).c_str());
    showTimeLeft();
    _questionLabel.setText(session.getFromName().c_str());
    _question.setText(session.getFromText().c_str());
    showToSide();
}

void SessionDialogCtrl::showTimeLeft() {
    _timeLeftBox.setText(hasTimeOut() ? std::to_string(_timeLeft).c_str() : "");
}

void SessionDialogCtrl::nextQuestion() {
    _timer.kill();
    processAnswer();
    if (getSession().next()) {
        restartCountdown();
        showQuestion();
    } else {
        finish();
        endOk();
    }
}

void SessionDialogCtrl::stop() {
    _timer.kill();
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    const int answer =
        ::MessageBoxA(_h, Win::ResString(instance, IDS_CONFIRM_STOP_SESSION),
                      Win::ResString(instance, IDS_CONFIRM_CAPTION), MB_YESNO | MB_ICONQUESTION);
    if (answer == IDYES) {
        finish();
        endCancel();
    } else {
        nextQuestion();
    }
}
