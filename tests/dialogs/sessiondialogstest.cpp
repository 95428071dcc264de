#include "app/sessions/qnasession.h"
#include "app/shell/sessions/multiplechoicesessiondialogcreator.h"
#include "app/shell/sessions/presentationsessiondialogcreator.h"
#include "app/shell/sessions/qnasessiondialogcreator.h"
#include "app/shell/sessions/sessiondialogctrl.h"
#include "resources/resource.h"
#include "tests/core/testlists.h"
#include "tests/dialogs/dialogtesting.h"
#include "tests/scripteduser/layoutcheck.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

// A visible stand-in for the main window, which a session hides and shows again, and a study list of three
// countries with their capitals.
class SessionDialogsTest : public testing::Test {
protected:
    using Scores = std::vector<std::pair<int, int>>; // times asked and correct answers of each item
    static constexpr const char* QnaCaption = "Questions & Answers Study Session";

    void SetUp() override {
        _mainWindow = CreateWindowExA(0, "Static", "Lorvant session test", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                      40, 40, 400, 300, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(_mainWindow, nullptr);
        useList({"Definition"}, {{"France", "Paris"}, {"Japan", "Tokyo"}, {"Peru", "Lima"}});
    }
    void TearDown() override { DestroyWindow(_mainWindow); }

    void useList(const std::vector<std::string>& fields, const std::vector<std::vector<std::string>>& items) {
        _list = makeStudyList(fields, items);
        markSaved(_list);
    }

    template <class Creator> void runSession(const std::function<void(ScriptedUser&)>& script) {
        ScriptedUser::play([&] { Creator(_mainWindow, _list).run(); }, script);
    }

    bool isMainWindowVisible() const { return IsWindowVisible(_mainWindow) != FALSE; }

    // Stops the countdown's system timer so that only the script's ticks move it; returns the seconds shown.
    static int freezeCountdown(ScriptedUser& user, HWND dialog) {
        user.runOnProgramThread([dialog] { KillTimer(dialog, SessionDialogCtrl::CountdownTimerId); });
        return std::stoi(user.text(dialog, IDC_TIME_LEFT));
    }

    // Ticks of the countdown, as the system timer delivers them.
    static void tick(ScriptedUser& user, HWND dialog, int count = 1) {
        for (int i = 0; i < count; ++i)
            PostMessageA(dialog, WM_TIMER, SessionDialogCtrl::CountdownTimerId, 0);
        user.sync();
    }

    static std::string wrongAnswer(const std::string& given, const std::string& right) {
        return message(IDS_WRONG_ANSWER, given.c_str(), right.c_str());
    }

    Scores scores() const {
        Scores all;
        for (int i = 0; i < _list.getTermSetCount(); ++i)
            all.emplace_back(_list.getTermSet(i).getTimesAsked(), _list.getTermSet(i).getCorrectAnswers());
        return all;
    }

    HWND _mainWindow = nullptr;
    StudyList _list;
};

class FailingDialogCreator : public SessionDialogCreator {
public:
    using SessionDialogCreator::SessionDialogCreator;

protected:
    void runDialog(StudySession&) override { throw std::runtime_error("the dialog could not be shown"); }
    std::unique_ptr<StudySession> createSession(bool useAll) override {
        return std::make_unique<QnaSession>(_studyList, useAll);
    }
};

TEST_F(SessionDialogsTest, NothingStartsWithoutQuestionsAndTheMainWindowAlwaysComesBackAsItWas) {
    _list.select(1);
    for (bool closeBox : {false, true}) {
        runSession<QNASessionDialogCreator>([&](ScriptedUser& user) {
            HWND items = user.waitForWindow("Study Session");
            EXPECT_TRUE(isMainWindowVisible());
            EXPECT_TRUE(user.isChecked(items, IDC_USE_SELECTED));
            if (closeBox)
                PostMessageA(items, WM_SYSCOMMAND, SC_CLOSE, 0);
            else
                user.click(items, IDCANCEL);
            user.waitUntilGone(items);
        });
        EXPECT_TRUE(isMainWindowVisible());
    }
    // No answers to ask for, or fewer items than multiple choice has choices (three).
    for (bool multipleChoice : {false, true}) {
        useList({"Capital"},
                {{"France", multipleChoice ? "Paris" : ""}, {"Japan", multipleChoice ? "Tokyo" : ""}});
        const auto script = [&](ScriptedUser& user) {
            HWND box = user.waitForMessageBox("Lorvant Error");
            EXPECT_FALSE(isMainWindowVisible());
            EXPECT_EQ(user.messageBoxText(box), message(IDS_NO_QUESTIONS));
            user.answerMessageBox(box, IDOK);
        };
        if (multipleChoice)
            runSession<MultipleChoiceSessionDialogCreator>(script);
        else
            runSession<QNASessionDialogCreator>(script);
        EXPECT_TRUE(isMainWindowVisible());
    }
    EXPECT_FALSE(_list.isModified());
    ShowWindow(_mainWindow, SW_MAXIMIZE);
    EXPECT_THROW(FailingDialogCreator(_mainWindow, _list).run(), std::runtime_error);
    EXPECT_TRUE(isMainWindowVisible());
    EXPECT_TRUE(IsZoomed(_mainWindow));
}

// The system timer judges the question at zero, stands still while the message is open and starts afresh on
// the next question.
TEST_F(SessionDialogsTest, TheCountdownJudgesAtZeroAndStartsAfreshOnTheNextQuestion) {
    _list.getSettings().setTimeOut(2);
    _list.select(1); // else no items dialog
    runSession<QNASessionDialogCreator>([&](ScriptedUser& user) {
        HWND items = user.waitForWindow("Study Session");
        user.click(items, IDC_USE_ALL);
        user.click(items, IDOK);
        HWND dialog = user.waitForWindow(QnaCaption);
        EXPECT_EQ(user.text(dialog, IDC_QUESTIONS_COUNT), "3");
        HWND wrongBox = user.waitForMessageBox("Lorvant", 5000);
        EXPECT_EQ(user.messageBoxText(wrongBox), wrongAnswer("", "Paris"));
        Sleep(1500);
        EXPECT_EQ(user.text(dialog, IDC_TIME_LEFT), "1");
        user.answerMessageBox(wrongBox, IDOK);
        EXPECT_EQ(user.text(dialog, IDC_QUESTION), "Japan");
        EXPECT_EQ(user.text(dialog, IDC_TIME_LEFT), "2");
        user.click(dialog, IDC_STOP);
        user.answerMessageBox("Please confirm", IDYES);
        EXPECT_EQ(user.answerMessageBox("Lorvant", IDOK), message(IDS_SESSION_SUMMARY, 1, 0, 0));
    });
    EXPECT_EQ(scores(), (Scores{{1, 0}, {0, 0}, {0, 0}}));
}

// A continuous session goes round the list until Stop, Escape in the answer box or the close box is
// confirmed.
TEST_F(SessionDialogsTest, QuestionsAndAnswersJudgesRightWrongAndTimedOutAnswersUntilStopped) {
    _list.getSettings().setTimeOut(99);
    _list.getSettings().setContinuous(true);
    runSession<QNASessionDialogCreator>([&](ScriptedUser& user) {
        HWND dialog = user.waitForWindow(QnaCaption);
        EXPECT_FALSE(isMainWindowVisible());
        EXPECT_EQ(user.text(dialog, IDC_QUESTION_LABEL), "Term");
        EXPECT_EQ(user.text(dialog, IDC_ANSWER_LABEL), "Definition");
        EXPECT_EQ(user.text(dialog, IDC_QUESTIONS_COUNT), "");
        EXPECT_EQ(user.focusedId(dialog), IDC_ANSWER);

        // Right whatever the case of the letters; Enter in the answer box presses Next.
        user.type(dialog, IDC_ANSWER, "paris");
        user.pressKey(VK_RETURN);
        EXPECT_EQ(user.text(dialog, IDC_QUESTION), "Japan");
        EXPECT_EQ(user.text(dialog, IDC_ITEM_COUNTER), "2");
        EXPECT_EQ(user.text(dialog, IDC_ANSWER), "");

        // Wrong, with one second left. Ticks while the message box is open belong to a countdown that no
        // longer runs: they must not judge the question a second time.
        tick(user, dialog, freezeCountdown(user, dialog) - 1);
        user.type(dialog, IDC_ANSWER, "Kyoto");
        user.click(dialog, IDC_NEXT);
        HWND wrongBox = user.waitForMessageBox("Lorvant");
        EXPECT_EQ(user.messageBoxText(wrongBox), wrongAnswer("Kyoto", "Tokyo"));
        tick(user, dialog, 3);
        user.answerMessageBox(wrongBox, IDOK);
        EXPECT_FALSE(user.isOpen("Lorvant"));

        // Timed out: the new question starts from the whole time-out and the tick after 1 judges what is
        // typed.
        EXPECT_EQ(user.text(dialog, IDC_QUESTION), "Peru");
        const int shown = freezeCountdown(user, dialog);
        EXPECT_GE(shown, 98);
        user.type(dialog, IDC_ANSWER, "Lim");
        tick(user, dialog, shown - 1);
        EXPECT_EQ(user.text(dialog, IDC_TIME_LEFT), "1");
        EXPECT_FALSE(user.isOpen("Lorvant"));
        tick(user, dialog);
        EXPECT_EQ(user.answerMessageBox("Lorvant", IDOK), wrongAnswer("Lim", "Lima"));

        // Round again. Stop answered No judges the question and moves on.
        EXPECT_EQ(user.text(dialog, IDC_QUESTION), "France");
        EXPECT_EQ(user.text(dialog, IDC_ITEM_COUNTER), "4");
        user.type(dialog, IDC_ANSWER, "Paris");
        user.click(dialog, IDC_STOP);
        EXPECT_EQ(user.answerMessageBox("Please confirm", IDNO), message(IDS_CONFIRM_STOP_SESSION));
        EXPECT_EQ(user.text(dialog, IDC_QUESTION), "Japan");
        EXPECT_EQ(user.focusedId(dialog), IDC_ANSWER);

        // Escape on a button does nothing; in the answer box, which takes every key, it asks as Stop does.
        user.focus(dialog, IDC_NEXT);
        user.pressKey(VK_ESCAPE);
        EXPECT_FALSE(user.isOpen("Please confirm"));
        user.type(dialog, IDC_ANSWER, "Tokyo");
        user.pressKey(VK_ESCAPE);
        user.answerMessageBox("Please confirm", IDNO);

        // The close box asks too; Yes ends without counting the question on screen.
        EXPECT_EQ(user.text(dialog, IDC_QUESTION), "Peru");
        user.type(dialog, IDC_ANSWER, "Lima");
        PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        user.answerMessageBox("Please confirm", IDYES);
        EXPECT_EQ(user.answerMessageBox("Lorvant", IDOK), message(IDS_SESSION_SUMMARY, 5, 3, 60));
        user.waitUntilGone(dialog);
    });
    EXPECT_TRUE(isMainWindowVisible());
    EXPECT_EQ(scores(), (Scores{{2, 2}, {2, 1}, {1, 0}}));
    EXPECT_TRUE(_list.isModified());
}

// With "Everything else" each field is shown in turn under one item number; Next or the countdown moves on
// and the last screen ends the presentation without a summary or a score.
TEST_F(SessionDialogsTest, APresentationShowsEveryFieldOfEachItemAndScoresNothing) {
    useList({"Capital", "Continent"}, {{"France", "Paris", "Europe"}, {"Chile", "", "America"}});
    _list.getSettings().setTimeOut(99);
    runSession<PresentationSessionDialogCreator>([&](ScriptedUser& user) {
        HWND dialog = user.waitForWindow("Presentation Study Session");
        user.pressKey(VK_ESCAPE); // does not end a presentation either
        const char* const screens[][4] = {{"1", "France", "Capital", "Paris"},
                                          {"1", "France", "Continent", "Europe"},
                                          {"2", "Chile", "Continent", "America"}};
        bool byCountdown = true;
        for (const auto& [item, question, field, answer] : screens) {
            EXPECT_EQ(user.text(dialog, IDC_ITEM_COUNTER), item);
            EXPECT_EQ(user.text(dialog, IDC_QUESTION), question);
            EXPECT_EQ(user.text(dialog, IDC_ANSWER_LABEL), field);
            EXPECT_EQ(user.text(dialog, IDC_ANSWER), answer);
            if ((byCountdown = !byCountdown))
                tick(user, dialog, freezeCountdown(user, dialog));
            else
                user.click(dialog, IDC_NEXT);
        }
        user.waitUntilGone(dialog);
        EXPECT_FALSE(user.isOpen("Lorvant"));
    });
    EXPECT_TRUE(isMainWindowVisible());
    EXPECT_FALSE(_list.isModified());
}

class MultipleChoiceDialog : public SessionDialogsTest {
protected:
    void SetUp() override {
        SessionDialogsTest::SetUp();
        useList({"Capital"},
                {{"France", "Paris"}, {"Japan", "Tokyo"}, {"Peru", "Lima"}, {"Kenya", "Nairobi"}});
    }

    void run(const std::function<void(ScriptedUser&, HWND)>& script) {
        runSession<MultipleChoiceSessionDialogCreator>(
            [&](ScriptedUser& user) { script(user, user.waitForWindow("Multiple Choice Study Session")); });
    }

    static std::vector<std::string> shownChoices(ScriptedUser& user, HWND dialog) {
        std::vector<std::string> choices;
        for (int i = 0; i < 6; ++i)
            if (user.isVisible(dialog, IDC_CHOICE1 + i))
                choices.push_back(user.text(dialog, IDC_CHOICE_TEXT1 + i));
        return choices;
    }

    static int checkedChoice(ScriptedUser& user, HWND dialog) {
        for (int i = 0; i < 6; ++i)
            if (user.isChecked(dialog, IDC_CHOICE1 + i))
                return i;
        return -1;
    }

    static int position(ScriptedUser& user, HWND dialog, const std::string& choice) {
        const std::vector<std::string> choices = shownChoices(user, dialog);
        const auto found = std::find(choices.begin(), choices.end(), choice);
        if (found == choices.end())
            user.fail("\"" + choice + "\" is not offered");
        return static_cast<int>(found - choices.begin());
    }
};

// Also run at every screen resolution: the dialog lays its rows out itself.
TEST_F(MultipleChoiceDialog, LayoutHasOneRowPerChoiceAndTheButtonsRightBelow) {
    run([&](ScriptedUser& user, HWND dialog) {
        std::vector<std::string> choices = shownChoices(user, dialog);
        std::sort(choices.begin(), choices.end());
        EXPECT_EQ(std::unique(choices.begin(), choices.end()) - choices.begin(), 3);
        const auto top = [&](int id) {
            RECT place{};
            GetWindowRect(user.control(dialog, id), &place);
            return place.top;
        };
        EXPECT_LT(top(IDC_NEXT) - top(IDC_CHOICE3), 2 * (top(IDC_CHOICE2) - top(IDC_CHOICE1)));
        EXPECT_EQ(LayoutCheck::placement(dialog), std::vector<std::string>{});
        EXPECT_EQ(LayoutCheck::textRoom(dialog), std::vector<std::string>{});
        user.screenshot(dialog, "multiple-choice-" + std::to_string(LayoutCheck::screenDpi()) + "dpi");
        user.click(dialog, IDC_STOP);
        user.answerMessageBox("Please confirm", IDYES);
        user.answerMessageBox("Lorvant", IDOK);
    });
}

TEST_F(MultipleChoiceDialog, ChoicesArePickedByKeyOrMouseAndJudged) {
    run([&](ScriptedUser& user, HWND dialog) {
        EXPECT_EQ(user.text(dialog, IDC_QUESTION), "France");
        EXPECT_EQ(user.text(dialog, IDC_ANSWER_LABEL), "Capital");
        EXPECT_EQ(checkedChoice(user, dialog), -1);
        EXPECT_EQ(user.focusedId(dialog), IDC_NEXT);
        // No time-out: the countdown stays empty and a stray tick changes nothing.
        tick(user, dialog);
        EXPECT_EQ(user.text(dialog, IDC_TIME_LEFT), "");

        // Right, by its number key; Enter presses Next.
        const int paris = position(user, dialog, "Paris");
        user.typeCharacter(static_cast<char>('1' + paris));
        EXPECT_EQ(checkedChoice(user, dialog), paris);
        user.pressKey(VK_RETURN);

        // Wrong, by a click on its text beside the button.
        EXPECT_EQ(user.text(dialog, IDC_QUESTION), "Japan");
        EXPECT_EQ(checkedChoice(user, dialog), -1);
        const int wrong = (position(user, dialog, "Tokyo") + 1) % 3;
        const std::string wrongText = shownChoices(user, dialog)[wrong];
        HWND text = user.control(dialog, IDC_CHOICE_TEXT1 + wrong);
        PostMessageA(text, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 5));
        PostMessageA(text, WM_LBUTTONUP, 0, MAKELPARAM(20, 5));
        user.sync();
        EXPECT_EQ(checkedChoice(user, dialog), wrong);
        user.click(dialog, IDC_NEXT);
        EXPECT_EQ(user.answerMessageBox("Lorvant", IDOK), wrongAnswer(wrongText, "Tokyo"));

        // Right, by a click on its button, after the key of a row that is not offered did nothing.
        EXPECT_EQ(user.text(dialog, IDC_QUESTION), "Peru");
        user.typeCharacter('4');
        EXPECT_EQ(checkedChoice(user, dialog), -1);
        user.click(dialog, IDC_CHOICE1 + position(user, dialog, "Lima"));
        user.click(dialog, IDC_NEXT);

        // Nothing picked: an empty answer, and wrong.
        EXPECT_EQ(user.text(dialog, IDC_QUESTION), "Kenya");
        user.click(dialog, IDC_NEXT);
        EXPECT_EQ(user.answerMessageBox("Lorvant", IDOK), wrongAnswer("", "Nairobi"));
        EXPECT_EQ(user.answerMessageBox("Lorvant", IDOK), message(IDS_SESSION_SUMMARY, 4, 2, 50));
        user.waitUntilGone(dialog);
    });
    EXPECT_EQ(scores(), (Scores{{1, 1}, {1, 0}, {1, 1}, {1, 0}}));
}

} // namespace
