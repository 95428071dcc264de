#include "sessiondialogtesting.h"

#include "app/sessions/presentationsessiondialogcreator.h"

namespace {

using PresentationDialogTest = SessionDialogsTest;
using Scores = std::vector<std::pair<int, int>>;

TEST_F(PresentationDialogTest, ShowsEachQuestionWithItsAnswerAndScoresNothing) {
    runSession<PresentationSessionDialogCreator>([&](ScriptedUser& user) {
        HWND dialog = user.waitForWindow(PresentationCaption);
        EXPECT_EQ(user.text(dialog, IDC_QUESTIONS_COUNT), "3");
        EXPECT_EQ(user.text(dialog, IDC_TIME_LEFT), "");
        user.screenshot(dialog, "presentation_dialog");

        // Escape does not end a presentation either.
        user.pressKey(VK_ESCAPE);
        EXPECT_FALSE(user.isOpen("Please confirm"));

        const char* const shown[][2] = {{"France", "Paris"}, {"Japan", "Tokyo"}, {"Peru", "Lima"}};
        int item = 0;
        for (const auto& [question, answer] : shown) {
            EXPECT_EQ(user.text(dialog, IDC_ITEM_COUNTER), std::to_string(++item));
            EXPECT_EQ(user.text(dialog, IDC_QUESTION_LABEL), "Term");
            EXPECT_EQ(user.text(dialog, IDC_QUESTION), question);
            EXPECT_EQ(user.text(dialog, IDC_ANSWER_LABEL), "Definition");
            EXPECT_EQ(user.text(dialog, IDC_ANSWER), answer);
            user.click(dialog, IDC_NEXT);
        }
        // The last Next closes the dialog without a summary.
        user.waitUntilGone(dialog);
        EXPECT_FALSE(user.isOpen("Lorvant"));
    });
    EXPECT_TRUE(isMainWindowVisible());
    EXPECT_EQ(scores(), (Scores{{0, 0}, {0, 0}, {0, 0}}));
    EXPECT_FALSE(_list.isModified());
}

// With "Everything else" each field of an item is shown in turn under one item number; the countdown moves
// the screens on by itself.
TEST_F(PresentationDialogTest, TheCountdownMovesThroughEveryFieldOfAnItem) {
    _list =
        makeStudyList({"Capital", "Continent"}, {{"France", "Paris", "Europe"}, {"Chile", "", "America"}});
    markSaved(_list);
    _list.getSettings().setTimeOut(99);
    runSession<PresentationSessionDialogCreator>([&](ScriptedUser& user) {
        HWND dialog = user.waitForWindow(PresentationCaption);
        const char* const shown[][3] = {
            {"1", "Capital", "Paris"}, {"1", "Continent", "Europe"}, {"2", "Continent", "America"}};
        for (const auto& [item, field, answer] : shown) {
            EXPECT_EQ(user.text(dialog, IDC_ITEM_COUNTER), item);
            EXPECT_EQ(user.text(dialog, IDC_ANSWER_LABEL), field);
            EXPECT_EQ(user.text(dialog, IDC_ANSWER), answer);
            tick(user, dialog, freezeCountdown(user, dialog));
        }
        user.waitUntilGone(dialog);
        EXPECT_FALSE(user.isOpen("Lorvant"));
    });
    EXPECT_FALSE(_list.isModified());
}

} // namespace
