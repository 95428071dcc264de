#pragma once

#include "questionssessiondialogctrl.h"

#include "WinLib/checkbox.h"

#include <array>
#include <string>
#include <vector>

class MultipleChoiceSession;

// "Multiple Choice Study Session": the choices of each question are offered in the session's order, one a
// row; the user picks one by clicking its button or its text, or with its number key, 1 to 6. Next judges
// the pick; no pick is judged as an empty answer.
class MultipleChoiceDialogCtrl : public QuestionsSessionDialogCtrl {
public:
    static constexpr int MaxChoices = 6;

    MultipleChoiceDialogCtrl(const Setting& settings, MultipleChoiceSession& session);

    bool onCommand(int controlId, int notifyCode) override;

protected:
    void initControls() override;
    StudySession& getSession() override;
    void showToSide() override;
    std::string getAnswer() override;

private:
    void pick(int choiceIdx);
    void fitChoiceRows(int rows);

    Win::DlgControl _answerLabel;
    std::array<Win::CheckBox, MaxChoices> _choiceButtons;
    std::array<Win::DlgControl, MaxChoices> _choiceTexts;
    std::vector<std::string> _choices;
    MultipleChoiceSession* _session;
};
