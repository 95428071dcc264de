#pragma once

#include "WinLib/dialog.h"
#include "WinLib/dlgcontrol.h"
#include "WinLib/timer.h"

class Setting;
class StudySession;

// What every session dialog shares: the question with its field name, the "Item" and "of" numbers, the
// countdown of the question's time-out, and the Next and Stop buttons. Each kind of session fills the
// hooks: its own controls, what the answer side shows, how an answer is judged and how the session ends.
class SessionDialogCtrl : public Dialog::ModalController {
public:
    static constexpr unsigned CountdownTimerId = 543;
    static constexpr unsigned CountdownPeriodMs = 1000;

    explicit SessionDialogCtrl(const Setting& settings);
    ~SessionDialogCtrl() override;

    void onInitDialog() override;
    // The close box asks, as Stop does.
    bool onClose() override;
    // Next and Stop. The Esc key's IDCANCEL is left alone: it must not end a session unasked.
    bool onCommand(int controlId, int notifyCode) override;
    bool onTimer(unsigned timerId) override;

protected:
    virtual void initControls() = 0;
    virtual StudySession& getSession() = 0;
    virtual void showToSide() = 0;
    // After the last question or a confirmed Stop.
    virtual void finish() {}
    // On Next, on a time-out and on No after Stop, before the session moves on.
    virtual void processAnswer() {}

private:
    void restartCountdown();
    void showQuestion();
    void showTimeLeft();
    void nextQuestion();
    void stop();
    bool hasTimeOut() const;

    Win::DlgControl _questionsCount;
    Win::DlgControl _timeLeftBox;
    const Setting* _settings;
    int _timeLeft;
    Win::Timer _timer;
    Win::DlgControl _question;
    Win::DlgControl _itemCounter;
    Win::DlgControl _questionLabel;
};
