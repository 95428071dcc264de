#include "sessiondialogtesting.h"

#include "app/sessions/multiplechoicesessiondialogcreator.h"
#include "tests/scripteduser/layoutcheck.h"

#include <algorithm>

namespace {

using MultipleChoiceDialogTest = SessionDialogsTest;
using Scores = std::vector<std::pair<int, int>>;

std::vector<std::string> shownChoices(ScriptedUser& user, HWND dialog) {
    std::vector<std::string> choices;
    for (int i = 0; i < 6; ++i) {
        if (user.isVisible(dialog, IDC_CHOICE1 + i))
            choices.push_back(user.text(dialog, IDC_CHOICE_TEXT1 + i));
    }
    return choices;
}

int checkedChoice(ScriptedUser& user, HWND dialog) {
    for (int i = 0; i < 6; ++i) {
        if (user.isChecked(dialog, IDC_CHOICE1 + i))
            return i;
    }
    return -1;
}

int position(const std::vector<std::string>& choices, const std::string& choice) {
    const auto found = std::find(choices.begin(), choices.end(), choice);
    if (found == choices.end())
        ADD_FAILURE() << "\"" << choice << "\" is not offered";
    return static_cast<int>(found - choices.begin());
}

RECT placeOf(ScriptedUser& user, HWND dialog, int id) {
    RECT place{};
    GetWindowRect(user.control(dialog, id), &place);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
    return place;
}

// A click with the mouse on a choice's text, beside its button.
void clickText(ScriptedUser& user, HWND dialog, int choiceIdx) {
    HWND text = user.control(dialog, IDC_CHOICE_TEXT1 + choiceIdx);
    PostMessageA(text, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 5));
    PostMessageA(text, WM_LBUTTONUP, 0, MAKELPARAM(20, 5));
    user.sync();
}

TEST_F(MultipleChoiceDialogTest, ChoicesArePickedByKeyOrMouseAndJudged) {
    _list = makeStudyList({"Capital"},
                          {{"France", "Paris"}, {"Japan", "Tokyo"}, {"Peru", "Lima"}, {"Kenya", "Nairobi"}});
    markSaved(_list);
    const std::vector<std::string> capitals{"Paris", "Tokyo", "Lima", "Nairobi"};
    runSession<MultipleChoiceSessionDialogCreator>([&](ScriptedUser& user) {
        HWND dialog = user.waitForWindow(MultipleChoiceCaption);
        EXPECT_EQ(user.text(dialog, IDC_QUESTION), "France");
        EXPECT_EQ(user.text(dialog, IDC_ANSWER_LABEL), "Capital");
        EXPECT_EQ(user.text(dialog, IDC_QUESTIONS_COUNT), "4");
        std::vector<std::string> choices = shownChoices(user, dialog);
        ASSERT_EQ(choices.size(), 3u);
        for (const std::string& choice : choices) {
            EXPECT_EQ(std::count(choices.begin(), choices.end(), choice), 1);
            EXPECT_NE(std::find(capitals.begin(), capitals.end(), choice), capitals.end());
        }
        EXPECT_EQ(checkedChoice(user, dialog), -1);
        EXPECT_EQ(user.focusedId(dialog), IDC_NEXT);
        // Three rows, with the buttons right below them.
        const int rowPitch = placeOf(user, dialog, IDC_CHOICE2).top - placeOf(user, dialog, IDC_CHOICE1).top;
        EXPECT_LT(placeOf(user, dialog, IDC_NEXT).top - placeOf(user, dialog, IDC_CHOICE_TEXT3).bottom,
                  rowPitch);
        EXPECT_EQ(LayoutCheck::placement(dialog), std::vector<std::string>{});

        // Right, by its number key.
        int right = position(choices, "Paris");
        user.typeCharacter(static_cast<char>('1' + right));
        EXPECT_EQ(checkedChoice(user, dialog), right);
        user.screenshot(dialog, "multiple_choice_dialog");
        user.pressKey(VK_RETURN);
        EXPECT_FALSE(user.isOpen("Lorvant"));

        // Wrong, by a click on its text.
        EXPECT_EQ(user.text(dialog, IDC_QUESTION), "Japan");
        EXPECT_EQ(checkedChoice(user, dialog), -1);
        choices = shownChoices(user, dialog);
        right = position(choices, "Tokyo");
        const int wrong = (right + 1) % 3;
        clickText(user, dialog, wrong);
        EXPECT_EQ(checkedChoice(user, dialog), wrong);
        user.click(dialog, IDC_NEXT);
        EXPECT_EQ(user.answerMessageBox("Lorvant", IDOK), wrongAnswerText(choices[wrong], "Tokyo"));

        // Right, by a click on its button, after the key of a row that is not offered did nothing.
        EXPECT_EQ(user.text(dialog, IDC_QUESTION), "Peru");
        user.typeCharacter('4');
        EXPECT_EQ(checkedChoice(user, dialog), -1);
        user.click(dialog, IDC_CHOICE1 + position(shownChoices(user, dialog), "Lima"));
        user.click(dialog, IDC_NEXT);
        EXPECT_FALSE(user.isOpen("Lorvant"));

        // Nothing picked: an empty answer, and wrong.
        EXPECT_EQ(user.text(dialog, IDC_QUESTION), "Kenya");
        user.click(dialog, IDC_NEXT);
        EXPECT_EQ(user.answerMessageBox("Lorvant", IDOK), wrongAnswerText("", "Nairobi"));
        EXPECT_EQ(user.answerMessageBox("Lorvant", IDOK), summaryText(4, 2, 50));
        user.waitUntilGone(dialog);
    });
    EXPECT_TRUE(isMainWindowVisible());
    EXPECT_EQ(scores(), (Scores{{1, 1}, {1, 0}, {1, 1}, {1, 0}}));
}

TEST_F(MultipleChoiceDialogTest, TooFewItemsForTheChoicesMeansNoQuestions) {
    _list = makeStudyList({"Capital"}, {{"France", "Paris"}, {"Japan", "Tokyo"}});
    markSaved(_list);
    runSession<MultipleChoiceSessionDialogCreator>([&](ScriptedUser& user) {
        EXPECT_EQ(user.answerMessageBox("Lorvant Error", IDOK), "There were no questions for this session.");
        EXPECT_FALSE(user.isOpen(MultipleChoiceCaption));
    });
    EXPECT_TRUE(isMainWindowVisible());
    EXPECT_FALSE(_list.isModified());
}

} // namespace
