#include "app/sessions/reviewsession.h"
#include "app/shell/sessions/reviewstarter.h"
#include "resources/resource.h"
#include "tests/core/testlists.h"
#include "tests/dialogs/dialogtesting.h"
#include "tests/scripteduser/layoutcheck.h"

#include <string>

namespace {

constexpr UtcTime Noon = 1767268800; // 2026-01-01 12:00 UTC
constexpr const char* Caption = "Review Due Items";

// Three new items, reviewed by a clock the test moves, with a visible stand-in for the main window.
class ReviewDialog : public testing::Test {
protected:
    void SetUp() override {
        _mainWindow = CreateWindowExA(0, "Static", "Lorvant review test", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                      40, 40, 400, 300, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(_mainWindow, nullptr);
        _list = makeStudyList({"Capital"}, {{"France", "Paris"}, {"Japan", "Tokyo"}, {"Peru", "Lima"}});
        markSaved(_list);
    }
    void TearDown() override { DestroyWindow(_mainWindow); }

    void review(const std::function<void(ScriptedUser&)>& script) {
        ScriptedUser::play([&] { ReviewStarter(_mainWindow, _list, [this] { return _now; }).run(); }, script);
    }

    // The dialog manager posts the command of a key's button, and a grade is applied from a posted
    // command too: waits until the dialog has come to the state looked for.
    static bool settles(ScriptedUser& user, const std::function<bool()>& reached) {
        for (int tries = 0; tries < 200; ++tries) {
            user.sync();
            if (reached())
                return true;
            Sleep(10);
        }
        return false;
    }
    static void waitForQuestion(ScriptedUser& user, HWND dialog, const std::string& question) {
        EXPECT_TRUE(settles(user, [&] { return user.text(dialog, IDC_QUESTION) == question; })) << question;
    }

    // Types the answer and checks it with Enter.
    void answer(ScriptedUser& user, HWND dialog, const std::string& text) {
        user.type(dialog, IDC_ANSWER, text);
        user.pressKey(VK_RETURN);
        EXPECT_TRUE(settles(user, [&] { return user.isVisible(dialog, IDC_GRADE_GOOD); })) << text;
    }

    HWND _mainWindow = nullptr;
    StudyList _list;
    UtcTime _now = Noon;
};

} // namespace

// Typed answers judged, the judged grade taken by Enter, a grade picked by its key, an item in
// learning back in the same review, and the summary at the end.
TEST_F(ReviewDialog, GradesAnswersAndBringsLearningItemsBack) {
    review([&](ScriptedUser& user) {
        HWND dialog = user.waitForWindow(Caption);
        EXPECT_FALSE(IsWindowVisible(_mainWindow));
        EXPECT_EQ(user.text(dialog, IDC_QUESTION), "France");
        EXPECT_EQ(user.text(dialog, IDC_ANSWER_LABEL), "Capital");
        EXPECT_EQ(user.text(dialog, IDC_REVIEWS_LEFT), "3 left in this review");
        EXPECT_FALSE(user.isVisible(dialog, IDC_GRADE_AGAIN));
        EXPECT_FALSE(user.isVisible(dialog, IDC_RIGHT_ANSWER));

        answer(user, dialog, "Paris");
        EXPECT_EQ(user.text(dialog, IDC_VERDICT), message(IDS_ANSWER_RIGHT));
        EXPECT_EQ(user.text(dialog, IDC_RIGHT_ANSWER), "Paris");
        EXPECT_EQ(user.text(dialog, IDC_INTERVAL_AGAIN), "1 min");
        EXPECT_EQ(user.text(dialog, IDC_INTERVAL_HARD), "6 min");
        EXPECT_EQ(user.text(dialog, IDC_INTERVAL_GOOD), "10 min");
        EXPECT_EQ(user.text(dialog, IDC_INTERVAL_EASY), "8 d");
        EXPECT_EQ(user.focusedId(dialog), IDC_GRADE_GOOD);
        user.screenshot(dialog, "review-" + std::to_string(LayoutCheck::screenDpi()) + "dpi");
        user.pressKey(VK_RETURN); // Good

        waitForQuestion(user, dialog, "Japan");
        EXPECT_EQ(user.text(dialog, IDC_ANSWER), "");
        answer(user, dialog, "Osaka");
        EXPECT_EQ(user.text(dialog, IDC_VERDICT), message(IDS_ANSWER_WRONG));
        EXPECT_EQ(user.text(dialog, IDC_RIGHT_ANSWER), "Tokyo");
        EXPECT_EQ(user.focusedId(dialog), IDC_GRADE_AGAIN);
        _now += 30;
        user.typeCharacter('2'); // Hard: back in 6 minutes

        waitForQuestion(user, dialog, "Peru");
        answer(user, dialog, "lima");
        user.click(dialog, IDC_GRADE_EASY);

        // Nothing else is left: the learning step ending first comes back at once.
        waitForQuestion(user, dialog, "Japan");
        EXPECT_FALSE(user.isVisible(dialog, IDC_GRADE_EASY));
        EXPECT_EQ(user.text(dialog, IDC_REVIEWS_LEFT), "2 left in this review");
        user.click(dialog, IDC_STOP);
        user.waitUntilGone(dialog);
        HWND summary = user.waitForMessageBox("Lorvant");
        EXPECT_EQ(user.messageBoxText(summary).rfind(
                      "Items reviewed:\t\t3\nAnswered right:\t\t2\nNext item due:", 0),
                  0u);
        user.answerMessageBox(summary, IDOK);
    });
    EXPECT_TRUE(IsWindowVisible(_mainWindow));
    EXPECT_EQ(_list.getReviewLog().getCount(), 3u);
    EXPECT_EQ(_list.getTermSet(0).getSchedule().state, ItemSchedule::LEARNING);
    EXPECT_EQ(_list.getTermSet(1).getSchedule().due, Noon + 30 + 360);
    EXPECT_EQ(_list.getTermSet(2).getSchedule().state, ItemSchedule::REVIEW);
    EXPECT_EQ(_list.getTermSet(1).getTimesAsked(), 1);
    EXPECT_EQ(_list.getTermSet(2).getCorrectAnswers(), 1);
    EXPECT_TRUE(_list.isModified());
}

// With nothing due and no new items left for the day, no review starts, and the user learns when
// the next item is due.
TEST_F(ReviewDialog, NothingDueSaysWhenTheNextItemIs) {
    ReviewSettings settings;
    settings.newPerDay = 0;
    _list.setReviewSettings(settings);
    review([&](ScriptedUser& user) {
        EXPECT_EQ(user.answerMessageBox("Lorvant", IDOK), message(IDS_NOTHING_SCHEDULED));
    });
    _list.reviewItem(0, Noon - 3600, Grade::EASY);
    review([&](ScriptedUser& user) {
        const std::string text = user.answerMessageBox("Lorvant", IDOK);
        EXPECT_EQ(text.rfind("Nothing is due for review now.\nThe next item is due ", 0), 0u) << text;
        EXPECT_FALSE(user.isOpen(Caption));
    });
}
