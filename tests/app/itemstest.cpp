// Working on the items: adding, editing and removing them through the dialogs, selecting, sorting by a
// column, resetting the scores, customizing the outline and the session settings.
#include "tests/app/lorvantprocess.h"
#include "tests/app/testdocuments.h"

#include "resources/resource.h"

#include <gtest/gtest.h>

namespace {

using Rows = std::vector<LorvantProcess::Row>;

const std::vector<int> StudySetMenu{1};
const std::vector<int> StudyMenu{1, 9};
const std::vector<int> ItemMenu{2};

// Fills the item dialog that is open and confirms it.
void enterItem(LorvantProcess& lorvant, const std::string& term, const std::string& definition,
               const std::string& comment = "") {
    HWND dialog = lorvant.waitForWindow("Edit Item");
    lorvant.setText(dialog, IDC_MAIN_TEXT, term);
    lorvant.setText(dialog, IDC_FIELD_VALUE, definition);
    lorvant.setText(dialog, IDC_COMMENT, comment);
    lorvant.click(dialog, IDOK);
    lorvant.waitUntilGone(dialog);
    lorvant.sync();
}

std::vector<std::string> column(const Rows& rows, std::size_t index) {
    std::vector<std::string> result;
    for (const auto& row : rows)
        result.push_back(row.at(index));
    return result;
}

class Items : public ::testing::Test {
protected:
    TestFolder folder;
    void SetUp() override { deleteRecentDocsKey(); }
};

TEST_F(Items, AreAddedEditedAndRemovedThroughTheirDialogs) {
    LorvantProcess lorvant;

    lorvant.pressKey(VK_INSERT);
    enterItem(lorvant, "cat", "Katze", "a pet");
    lorvant.clickButton("Add");
    enterItem(lorvant, "dog", "Hund");
    lorvant.chooseMenuItem(ItemMenu, "&Add...\tIns");
    enterItem(lorvant, "cow", "Kuh");
    EXPECT_EQ(lorvant.rows(), (Rows{{"1", "cat", "Katze", "a pet", "0", "0", "0 %"},
                                    {"2", "dog", "Hund", "", "0", "0", "0 %"},
                                    {"3", "cow", "Kuh", "", "0", "0", "0 %"}}));
    EXPECT_EQ(lorvant.statusText(), "3 item(s), 0 selected");

    // A cancelled dialog adds nothing.
    lorvant.pressKey(VK_INSERT);
    HWND dialog = lorvant.waitForWindow("Edit Item");
    lorvant.setText(dialog, IDC_MAIN_TEXT, "pig");
    lorvant.click(dialog, IDCANCEL);
    lorvant.waitUntilGone(dialog);
    EXPECT_EQ(lorvant.rowCount(), 3);

    // A double-click edits its row; Enter edits the first of the selected rows.
    lorvant.doubleClickRow(1);
    dialog = lorvant.waitForWindow("Edit Item");
    EXPECT_EQ(LorvantProcess::text(dialog, IDC_MAIN_TEXT), "dog");
    lorvant.setText(dialog, IDC_MAIN_TEXT, "puppy");
    lorvant.click(dialog, IDOK);
    lorvant.waitUntilGone(dialog);
    lorvant.sync();
    EXPECT_EQ(column(lorvant.rows(), 1), (std::vector<std::string>{"cat", "puppy", "cow"}));
    EXPECT_EQ(lorvant.statusText(), "3 item(s), 0 selected");

    lorvant.selectRows({2, 0, 1});
    lorvant.pressKey(VK_RETURN);
    dialog = lorvant.waitForWindow("Edit Item");
    EXPECT_EQ(LorvantProcess::text(dialog, IDC_MAIN_TEXT), "cat");
    EXPECT_EQ(LorvantProcess::text(dialog, IDC_FIELD_VALUE), "Katze");
    EXPECT_EQ(LorvantProcess::text(dialog, IDC_COMMENT), "a pet");
    lorvant.click(dialog, IDCANCEL);
    lorvant.waitUntilGone(dialog);
    EXPECT_EQ(lorvant.statusText(), "3 item(s), 3 selected");

    // Removing asks first; the rest are numbered anew.
    lorvant.selectRows({0, 2});
    lorvant.pressKey(VK_DELETE);
    EXPECT_EQ(lorvant.answerMessageBox("Please confirm", IDNO),
              "Are you sure you want to delete the selected items?");
    EXPECT_EQ(lorvant.rowCount(), 3);
    EXPECT_EQ(lorvant.statusText(), "3 item(s), 2 selected");
    lorvant.clickButton("Remove");
    lorvant.answerMessageBox("Please confirm", IDYES);
    EXPECT_EQ(lorvant.rows(), (Rows{{"1", "puppy", "Hund", "", "0", "0", "0 %"}}));
    EXPECT_EQ(lorvant.statusText(), "1 item(s), 0 selected");

    lorvant.chooseMenuItem(ItemMenu, "Select &All\tCtrl+A");
    EXPECT_EQ(lorvant.statusText(), "1 item(s), 1 selected");
    EXPECT_EQ(lorvant.title(), "Lorvant");

    lorvant.close();
    lorvant.answerMessageBox("Lorvant", IDNO);
    EXPECT_TRUE(lorvant.waitForExit());
}

TEST_F(Items, SortByAColumnAscendingThenDescending) {
    const std::string path = folder.path("scores.lvd");
    writeDocument(path, {{"b", {"2"}, "", 3, 1}, {"c", {"3"}, "", 1, 1}, {"a", {"1"}, "", 2, 0}});
    LorvantProcess lorvant(path);
    lorvant.selectRows({1});

    lorvant.clickHeader(4); // "Times Asked"
    EXPECT_EQ(column(lorvant.rows(), 1), (std::vector<std::string>{"c", "a", "b"}));
    EXPECT_EQ(lorvant.statusText(), "3 item(s), 0 selected");
    EXPECT_TRUE(lorvant.selectedRows().empty());
    lorvant.clickHeader(4);
    EXPECT_EQ(column(lorvant.rows(), 1), (std::vector<std::string>{"b", "a", "c"}));
    lorvant.clickHeader(1); // the item type's column
    EXPECT_EQ(column(lorvant.rows(), 1), (std::vector<std::string>{"a", "b", "c"}));
    // The numbers stay with their items.
    EXPECT_EQ(column(lorvant.rows(), 0), (std::vector<std::string>{"3", "1", "2"}));
    lorvant.clickHeader(0);
    EXPECT_EQ(column(lorvant.rows(), 1), (std::vector<std::string>{"b", "c", "a"}));
    lorvant.clickHeader(0);
    EXPECT_EQ(column(lorvant.rows(), 1), (std::vector<std::string>{"a", "c", "b"}));

    // Sorting is no change to the document.
    lorvant.close();
    EXPECT_TRUE(lorvant.waitForExit());
}

TEST_F(Items, ScoresAreResetOnlyWhenConfirmed) {
    const std::string path = folder.path("scores.lvd");
    writeDocument(path, {{"b", {"2"}, "", 3, 1}, {"c", {"3"}, "", 4, 4}});
    LorvantProcess lorvant(path);
    lorvant.chooseMenuItem(StudySetMenu, "&Reset scores");
    EXPECT_EQ(lorvant.answerMessageBox("Please confirm", IDNO),
              "Are you sure you want to reset scores of all items?");
    EXPECT_EQ(column(lorvant.rows(), 6), (std::vector<std::string>{"33 %", "100 %"}));
    lorvant.chooseMenuItem(StudySetMenu, "&Reset scores");
    lorvant.answerMessageBox("Please confirm", IDYES);
    EXPECT_EQ(lorvant.rows(),
              (Rows{{"1", "b", "2", "", "0", "0", "0 %"}, {"2", "c", "3", "", "0", "0", "0 %"}}));
    lorvant.close();
    EXPECT_EQ(lorvant.answerMessageBox("Lorvant", IDYES), "Save changes to " + path + " ?");
    EXPECT_TRUE(lorvant.waitForExit());
    EXPECT_EQ(readDocument(path).getTermSet(1).getTimesAsked(), 0);
}

TEST_F(Items, OutlineChangesTheColumnsAndKeepsTheWidthsOfKeptFields) {
    LorvantProcess lorvant;
    std::vector<int> before;
    for (const auto& column : lorvant.columns())
        before.push_back(column.width);
    lorvant.dragColumnWidth(2, 80);
    lorvant.sync();
    lorvant.pressKey('L', {VK_CONTROL});
    HWND dialog = lorvant.waitForWindow("Customize StudySet");
    lorvant.setText(dialog, IDC_ITEM_TYPE, "Country");
    lorvant.setText(dialog, IDC_NEW_FIELD, "Capital");
    lorvant.click(dialog, IDC_ADD_FIELD);
    lorvant.click(dialog, IDOK);
    lorvant.waitUntilGone(dialog);
    lorvant.sync();
    std::vector<std::string> titles;
    std::vector<int> widths;
    for (const auto& column : lorvant.columns()) {
        titles.push_back(column.title);
        widths.push_back(column.width);
    }
    EXPECT_EQ(titles, (std::vector<std::string>{"#", "Country", "Definition", "Capital", "Comment",
                                                "Times Asked", "Correct Answers", "Ratio"}));
    // The dragged field keeps its width, the new field starts at 130, the others are as they were.
    EXPECT_EQ(widths,
              (std::vector<int>{before[0], before[1], 80, 130, before[3], before[4], before[5], before[6]}));

    // A new outline is a change to keep.
    lorvant.close();
    EXPECT_EQ(lorvant.answerMessageBox("Lorvant", IDCANCEL), "Save changes to new Study List ?");
    lorvant.close();
    lorvant.answerMessageBox("Lorvant", IDNO);
    EXPECT_TRUE(lorvant.waitForExit());
}

TEST_F(Items, ChangedSettingsAreAChangeToKeep) {
    const std::string path = folder.path("settings.lvd");
    writeDocument(path, {{"a", {"1"}, "", 0, 0}});
    LorvantProcess lorvant(path);
    lorvant.chooseMenuItem(StudyMenu, "&Settings...");
    HWND dialog = lorvant.waitForWindow("Study Settings");
    lorvant.click(dialog, IDCANCEL);
    lorvant.waitUntilGone(dialog);
    lorvant.chooseMenuItem(StudyMenu, "&Settings...");
    dialog = lorvant.waitForWindow("Study Settings");
    const bool shuffled = SendMessageA(GetDlgItem(dialog, IDC_SHUFFLE), BM_GETCHECK, 0, 0) == BST_CHECKED;
    lorvant.click(dialog, IDC_SHUFFLE);
    lorvant.click(dialog, IDOK);
    lorvant.waitUntilGone(dialog);
    lorvant.close();
    lorvant.answerMessageBox("Lorvant", IDYES);
    EXPECT_TRUE(lorvant.waitForExit());
    EXPECT_NE(readDocument(path).getSettings().isShuffle(), shuffled);
}

} // namespace
