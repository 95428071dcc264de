// The three kinds of study session, started from the main window: the main window steps aside while the
// session runs, and shows the new scores when it is back.
#include "tests/app/lorvantprocess.h"
#include "tests/app/testdocuments.h"

#include "resources/resource.h"

#include <gtest/gtest.h>

namespace {

using Rows = std::vector<LorvantProcess::Row>;

const std::vector<int> StudyMenu{1, 9};

class Study : public ::testing::Test {
protected:
    TestFolder folder;
    const std::string countries = folder.path("countries.lvd");
    void SetUp() override {
        deleteRecentDocsKey();
        writeDocument(
            countries,
            {{"France", {"Paris"}, "", 0, 0}, {"Peru", {"Lima"}, "", 0, 0}, {"Japan", {"Tokyo"}, "", 0, 0}});
    }

    static void stop(LorvantProcess& lorvant, HWND session) {
        lorvant.click(session, IDC_STOP);
        EXPECT_EQ(lorvant.answerMessageBox("Please confirm", IDYES),
                  "Do you want to stop the current study session?");
    }
};

TEST_F(Study, QuestionsAndAnswersScoreTheItems) {
    LorvantProcess lorvant(countries);
    lorvant.selectRows({0});
    lorvant.chooseMenuItem(StudyMenu, "&Questions && Answers");
    HWND items = lorvant.waitForWindow("Study Session");
    lorvant.click(items, IDOK); // only the selected item
    HWND session = lorvant.waitForWindow("Questions & Answers Study Session");
    EXPECT_FALSE(IsWindowVisible(lorvant.mainWindow()));
    EXPECT_EQ(LorvantProcess::text(session, IDC_QUESTION), "France");
    lorvant.setText(session, IDC_ANSWER, "Paris");
    lorvant.screenshot("questions-and-answers", session);
    lorvant.click(session, IDC_NEXT);
    lorvant.answerMessageBox("Lorvant", IDOK); // the summary
    lorvant.waitUntilGone(session);
    lorvant.sync();
    EXPECT_TRUE(IsWindowVisible(lorvant.mainWindow()));
    EXPECT_EQ(lorvant.rows(), (Rows{{"1", "France", "Paris", "", "1", "1", "100 %"},
                                    {"2", "Peru", "Lima", "", "0", "0", "0 %"},
                                    {"3", "Japan", "Tokyo", "", "0", "0", "0 %"}}));
    EXPECT_EQ(lorvant.statusText(), "3 item(s), 0 selected");
    lorvant.close();
    EXPECT_EQ(lorvant.answerMessageBox("Lorvant", IDYES), "Save changes to " + countries + " ?");
    EXPECT_TRUE(lorvant.waitForExit());
    EXPECT_EQ(readDocument(countries).getTermSet(0).getCorrectAnswers(), 1);
}

TEST_F(Study, PresentationAndMultipleChoiceRunInTheirDialogs) {
    LorvantProcess lorvant(countries);
    lorvant.chooseMenuItem(StudyMenu, "&Presentation");
    HWND session = lorvant.waitForWindow("Presentation Study Session");
    EXPECT_FALSE(IsWindowVisible(lorvant.mainWindow()));
    stop(lorvant, session);
    lorvant.waitUntilGone(session);

    lorvant.chooseMenuItem(StudyMenu, "&Multiple choice");
    session = lorvant.waitForWindow("Multiple Choice Study Session");
    lorvant.screenshot("multiple-choice", session);
    stop(lorvant, session);
    lorvant.answerMessageBox("Lorvant", IDOK); // the summary
    lorvant.waitUntilGone(session);
    lorvant.sync();
    EXPECT_TRUE(IsWindowVisible(lorvant.mainWindow()));
    EXPECT_EQ(lorvant.rowCount(), 3);
    lorvant.close();
    EXPECT_TRUE(lorvant.waitForExit());
}

} // namespace
