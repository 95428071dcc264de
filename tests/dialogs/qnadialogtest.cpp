#include "sessiondialogtesting.h"

#include "app/sessions/qnasessiondialogcreator.h"

namespace {

using QnaDialogTest = SessionDialogsTest;
using Scores = std::vector<std::pair<int, int>>;

TEST_F(QnaDialogTest, JudgesRightWrongAndTimedOutAnswersAndSumsThemUp) {
    _list.getSettings().setTimeOut(99);
    bool mainWindowHidden = false;
    runSession<QNASessionDialogCreator>([&](ScriptedUser& user) {
        HWND dialog = user.waitForWindow(QnaCaption);
        mainWindowHidden = !isMainWindowVisible();
        EXPECT_EQ(user.text(dialog, IDC_QUESTION_LABEL), "Term");
        EXPECT_EQ(user.text(dialog, IDC_QUESTION), "France");
        EXPECT_EQ(user.text(dialog, IDC_ANSWER_LABEL), "Definition");
        EXPECT_EQ(user.text(dialog, IDC_ITEM_COUNTER), "1");
        EXPECT_EQ(user.text(dialog, IDC_QUESTIONS_COUNT), "3");
        EXPECT_EQ(user.focusedId(dialog), IDC_ANSWER);

        // Right, ignoring the case of the letters; Enter in the answer box presses Next.
        user.type(dialog, IDC_ANSWER, "paris");
        user.pressKey(VK_RETURN);
        EXPECT_FALSE(user.isOpen("Lorvant"));
        EXPECT_EQ(user.text(dialog, IDC_QUESTION), "Japan");
        EXPECT_EQ(user.text(dialog, IDC_ITEM_COUNTER), "2");
        EXPECT_EQ(user.text(dialog, IDC_ANSWER), "");
        EXPECT_EQ(user.focusedId(dialog), IDC_ANSWER);

        // Wrong, with one second left. Ticks that arrive while the message box is open belong to a countdown
        // that no longer runs: they must neither count nor judge the question a second time.
        int shown = freezeCountdown(user, dialog);
        tick(user, dialog, shown - 1);
        EXPECT_EQ(user.text(dialog, IDC_TIME_LEFT), "1");
        user.type(dialog, IDC_ANSWER, "Kyoto");
        user.screenshot(dialog, "qna_dialog");
        user.click(dialog, IDC_NEXT);
        HWND wrongBox = user.waitForMessageBox("Lorvant");
        EXPECT_EQ(user.messageBoxText(wrongBox), wrongAnswerText("Kyoto", "Tokyo"));
        user.screenshot(wrongBox, "wrong_answer_box");
        tick(user, dialog, 3);
        user.answerMessageBox(wrongBox, IDOK);
        EXPECT_FALSE(user.isOpen("Lorvant"));
        EXPECT_EQ(user.text(dialog, IDC_QUESTION), "Peru");

        // Timed out: the countdown runs down to 1 and the next tick judges what is typed.
        shown = freezeCountdown(user, dialog);
        EXPECT_GE(shown, 98); // the new question starts again from the whole time-out
        user.type(dialog, IDC_ANSWER, "Lim");
        tick(user, dialog, shown - 2);
        EXPECT_EQ(user.text(dialog, IDC_TIME_LEFT), "2");
        tick(user, dialog);
        EXPECT_EQ(user.text(dialog, IDC_TIME_LEFT), "1");
        EXPECT_FALSE(user.isOpen("Lorvant"));
        tick(user, dialog);
        EXPECT_EQ(user.answerMessageBox("Lorvant", IDOK), wrongAnswerText("Lim", "Lima"));

        HWND summaryBox = user.waitForMessageBox("Lorvant");
        EXPECT_EQ(user.messageBoxText(summaryBox), summaryText(3, 1, 33));
        user.screenshot(summaryBox, "summary_box");
        user.answerMessageBox(summaryBox, IDOK);
        user.waitUntilGone(dialog);
    });
    EXPECT_TRUE(mainWindowHidden);
    EXPECT_TRUE(isMainWindowVisible());
    EXPECT_EQ(scores(), (Scores{{1, 1}, {1, 0}, {1, 0}}));
    EXPECT_TRUE(_list.isModified());
}

TEST_F(QnaDialogTest, StopAsksFirstAndNoJudgesTheQuestionWhileYesEndsTheSession) {
    runSession<QNASessionDialogCreator>([&](ScriptedUser& user) {
        HWND dialog = user.waitForWindow(QnaCaption);
        // No time-out: the countdown box stays empty and a stray tick changes nothing.
        EXPECT_EQ(user.text(dialog, IDC_TIME_LEFT), "");
        tick(user, dialog);
        EXPECT_EQ(user.text(dialog, IDC_TIME_LEFT), "");
        EXPECT_EQ(user.text(dialog, IDC_QUESTION), "France");

        user.type(dialog, IDC_ANSWER, "Paris");
        user.click(dialog, IDC_STOP);
        EXPECT_EQ(user.answerMessageBox("Please confirm", IDNO),
                  "Do you want to stop the current study session?");
        EXPECT_FALSE(user.isOpen("Lorvant"));
        EXPECT_EQ(user.text(dialog, IDC_QUESTION), "Japan");
        EXPECT_EQ(user.focusedId(dialog), IDC_ANSWER);

        // Escape on a button does nothing; in the answer box, which takes every key, it asks as the close
        // box.
        user.focus(dialog, IDC_NEXT);
        user.pressKey(VK_ESCAPE);
        EXPECT_FALSE(user.isOpen("Please confirm"));
        EXPECT_EQ(user.text(dialog, IDC_QUESTION), "Japan");
        user.type(dialog, IDC_ANSWER, "Tokyo");
        user.pressKey(VK_ESCAPE);
        user.answerMessageBox("Please confirm", IDNO);
        EXPECT_EQ(user.text(dialog, IDC_QUESTION), "Peru");

        // The close box asks as Stop does; the question on screen is not counted.
        user.type(dialog, IDC_ANSWER, "Lima");
        PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        user.answerMessageBox("Please confirm", IDYES);
        EXPECT_EQ(user.answerMessageBox("Lorvant", IDOK), summaryText(2, 2, 100));
        user.waitUntilGone(dialog);
    });
    EXPECT_TRUE(isMainWindowVisible());
    EXPECT_EQ(scores(), (Scores{{1, 1}, {1, 1}, {0, 0}}));
}

// The system timer itself: the question is judged when the countdown reaches zero, and the new question's
// countdown starts afresh once the wrong-answer message is closed.
TEST_F(QnaDialogTest, TheCountdownReachingZeroJudgesTheQuestion) {
    _list.getSettings().setTimeOut(2);
    runSession<QNASessionDialogCreator>([&](ScriptedUser& user) {
        HWND dialog = user.waitForWindow(QnaCaption);
        HWND wrongBox = user.waitForMessageBox("Lorvant", 5000);
        EXPECT_EQ(user.messageBoxText(wrongBox), wrongAnswerText("", "Paris"));
        Sleep(1500); // the countdown stands still while the message is open
        EXPECT_EQ(user.text(dialog, IDC_QUESTION), "France");
        EXPECT_EQ(user.text(dialog, IDC_TIME_LEFT), "1");
        user.answerMessageBox(wrongBox, IDOK);
        EXPECT_EQ(user.text(dialog, IDC_QUESTION), "Japan");
        EXPECT_EQ(user.text(dialog, IDC_TIME_LEFT), "2");
        user.click(dialog, IDC_STOP);
        user.answerMessageBox("Please confirm", IDYES);
        EXPECT_EQ(user.answerMessageBox("Lorvant", IDOK), summaryText(1, 0, 0));
    });
    EXPECT_EQ(scores(), (Scores{{1, 0}, {0, 0}, {0, 0}}));
}

TEST_F(QnaDialogTest, AContinuousSessionHasNoQuestionsCountAndGoesRound) {
    _list.getSettings().setContinuous(true);
    runSession<QNASessionDialogCreator>([&](ScriptedUser& user) {
        HWND dialog = user.waitForWindow(QnaCaption);
        EXPECT_EQ(user.text(dialog, IDC_QUESTIONS_COUNT), "");
        for (const char* answer : {"Paris", "Tokyo", "Lima"}) {
            user.type(dialog, IDC_ANSWER, answer);
            user.click(dialog, IDC_NEXT);
        }
        EXPECT_EQ(user.text(dialog, IDC_QUESTION), "France");
        EXPECT_EQ(user.text(dialog, IDC_ITEM_COUNTER), "4");
        EXPECT_EQ(user.text(dialog, IDC_QUESTIONS_COUNT), "");
        user.click(dialog, IDC_STOP);
        user.answerMessageBox("Please confirm", IDYES);
        EXPECT_EQ(user.answerMessageBox("Lorvant", IDOK), summaryText(3, 3, 100));
    });
    EXPECT_EQ(scores(), (Scores{{1, 1}, {1, 1}, {1, 1}}));
}

} // namespace
