#pragma once

#include "sessiondialogctrl.h"

#include <string>

// A session dialog that asks: it judges the user's answer to every question, tells a wrong answer with the
// right one, and shows the totals at the end.
class QuestionsSessionDialogCtrl : public SessionDialogCtrl {
public:
    using SessionDialogCtrl::SessionDialogCtrl;

protected:
    void finish() override;
    void processAnswer() override;
    virtual std::string getAnswer() = 0;
};
