#include "sessiondialogtesting.h"

#include "app/sessions/qnasession.h"
#include "app/sessions/qnasessiondialogcreator.h"

#include <stdexcept>

namespace {

using SessionStarterTest = SessionDialogsTest;
using Scores = std::vector<std::pair<int, int>>;

TEST_F(SessionStarterTest, CancellingOrClosingTheItemsDialogStartsNothing) {
    _list.select(1);
    for (bool useCloseBox : {false, true}) {
        bool visibleMeanwhile = false;
        runSession<QNASessionDialogCreator>([&](ScriptedUser& user) {
            HWND items = user.waitForWindow(ItemsCaption);
            visibleMeanwhile = isMainWindowVisible();
            EXPECT_TRUE(user.isChecked(items, IDC_USE_SELECTED));
            EXPECT_FALSE(user.isChecked(items, IDC_USE_ALL));
            if (useCloseBox) {
                PostMessageA(items, WM_SYSCOMMAND, SC_CLOSE, 0);
            } else {
                user.screenshot(items, "items_dialog");
                user.click(items, IDCANCEL);
            }
            user.waitUntilGone(items);
        });
        EXPECT_TRUE(visibleMeanwhile);
        EXPECT_TRUE(isMainWindowVisible());
    }
    EXPECT_EQ(scores(), (Scores{{0, 0}, {0, 0}, {0, 0}}));
    EXPECT_FALSE(_list.isModified());
}

TEST_F(SessionStarterTest, WithASelectionTheUserChoosesTheSelectedItemsOrAll) {
    _list.select(2);
    _list.select(0);
    std::vector<std::string> asked;
    runSession<QNASessionDialogCreator>([&](ScriptedUser& user) {
        user.click(user.waitForWindow(ItemsCaption), IDOK);
        HWND dialog = user.waitForWindow(QnaCaption);
        EXPECT_EQ(user.text(dialog, IDC_QUESTIONS_COUNT), "2");
        for (const char* answer : {"Paris", "Lima"}) {
            asked.push_back(user.text(dialog, IDC_QUESTION));
            user.type(dialog, IDC_ANSWER, answer);
            user.click(dialog, IDC_NEXT);
        }
        EXPECT_EQ(user.answerMessageBox("Lorvant", IDOK), summaryText(2, 2, 100));
    });
    EXPECT_EQ(asked, (std::vector<std::string>{"France", "Peru"}));
    EXPECT_EQ(scores(), (Scores{{1, 1}, {0, 0}, {1, 1}}));

    runSession<QNASessionDialogCreator>([&](ScriptedUser& user) {
        HWND items = user.waitForWindow(ItemsCaption);
        user.click(items, IDC_USE_ALL);
        user.click(items, IDOK);
        HWND dialog = user.waitForWindow(QnaCaption);
        EXPECT_EQ(user.text(dialog, IDC_QUESTIONS_COUNT), "3");
        EXPECT_EQ(user.text(dialog, IDC_QUESTION), "France");
        user.click(dialog, IDC_STOP);
        user.answerMessageBox("Please confirm", IDYES);
        user.answerMessageBox("Lorvant", IDOK);
    });
}

TEST_F(SessionStarterTest, ASessionWithoutQuestionsIsReportedAndChangesNothing) {
    _list = makeStudyList({"Definition"}, {{"France", ""}, {"Japan", ""}});
    markSaved(_list);
    bool hiddenMeanwhile = false;
    runSession<QNASessionDialogCreator>([&](ScriptedUser& user) {
        HWND box = user.waitForMessageBox("Lorvant Error");
        hiddenMeanwhile = !isMainWindowVisible();
        EXPECT_FALSE(user.isOpen(QnaCaption));
        EXPECT_EQ(user.messageBoxText(box), "There were no questions for this session.");
        user.answerMessageBox(box, IDOK);
    });
    EXPECT_TRUE(hiddenMeanwhile);
    EXPECT_TRUE(isMainWindowVisible());
    EXPECT_FALSE(_list.isModified());
}

// A session whose dialog fails: the error goes on to the caller, and the main window is back as it was.
class FailingDialogCreator : public SessionDialogCreator {
public:
    using SessionDialogCreator::SessionDialogCreator;

protected:
    void runDialog(StudySession&) override { throw std::runtime_error("the dialog could not be shown"); }
    std::unique_ptr<StudySession> createSession(bool useAll) override {
        return std::make_unique<QnaSession>(_studyList, useAll);
    }
};

TEST_F(SessionStarterTest, AFailingDialogStillBringsBackTheMainWindowAsItWas) {
    ShowWindow(_mainWindow, SW_MAXIMIZE);
    FailingDialogCreator creator(_mainWindow, _list);
    EXPECT_THROW(creator.run(), std::runtime_error);
    EXPECT_TRUE(isMainWindowVisible());
    EXPECT_TRUE(IsZoomed(_mainWindow));
}

} // namespace
