#pragma once

#include "WinLib/dialog.h"
#include "WinLib/dlgcontrol.h"
#include "app/model/itemschedule.h"

#include <functional>

class ReviewSession;

// "Review Due Items": shows each question, takes the typed answer, and on Check shows the right
// answer, the verdict and the four grade buttons with the interval each gives, the judged grade
// preselected so that Enter takes it; the keys 1 to 4 pick a grade. The review ends when nothing
// is left or on Stop; every grade given is kept.
class ReviewDialogCtrl : public Dialog::ModalController {
public:
    using Clock = std::function<UtcTime()>;

    ReviewDialogCtrl(ReviewSession& session, Clock clock);

    void onInitDialog() override;
    bool onCommand(int controlId, int notifyCode) override;
    bool onClose() override;

private:
    void showQuestion();
    void check();
    void grade(Grade grade);
    void showGrades(bool shown);

    ReviewSession& _session;
    Clock _clock;
};
