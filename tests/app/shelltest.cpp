// The program's parts that need no window: the list's columns and cells, the commands' tests and their
// tables, and the recent documents in the registry.
#include "tests/app/lorvantprocess.h"

#include "WinLib/assertion.h"
#include "WinLib/command.h"
#include "WinLib/controller.h"
#include "app/model/lorvant.h"
#include "app/shell/acceleratortemplate.h"
#include "app/shell/commandtable.h"
#include "app/shell/listviewmodels.h"
#include "app/shell/menutemplate.h"
#include "app/shell/recentmenu.h"
#include "app/shell/toolbartemplate.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::string>;

Outline outlineOf(std::initializer_list<const char*> fields) {
    Outline outline;
    outline.removeDef(0);
    for (const char* field : fields)
        outline.addDef(field);
    return outline;
}

Texts titles(const StudyListOutlineModel& model) {
    Texts result;
    for (unsigned column = 0; column < model.getColumnsCount(); ++column)
        result.push_back(model.getColumnTitle(column));
    return result;
}

std::vector<int> widths(const StudyListOutlineModel& model) {
    std::vector<int> result;
    for (unsigned column = 0; column < model.getColumnsCount(); ++column)
        result.push_back(model.getColumnWidth(column));
    return result;
}

Texts cells(StudyListDataModel& model, unsigned row, unsigned columns) {
    Texts result;
    for (unsigned column = 0; column < columns; ++column)
        result.push_back(model.getItem(row).getText(column, ""));
    return result;
}

template <class Action> std::string assertionOf(Action action) {
    try {
        action();
    } catch (const Win::AssertionFailure& failure) {
        return failure.what();
    }
    return "";
}

TEST(StudyListOutlineModel, ColumnsFollowTheOutlineAndWidthsFollowFieldNames) {
    Outline outline = outlineOf({"Capital", "Continent"});
    outline.setItemType("Country");
    StudyListOutlineModel model(outline);
    EXPECT_EQ(titles(model), (Texts{"#", "Country", "Capital", "Continent", "Comment", "Times Asked",
                                    "Correct Answers", "Ratio"}));
    EXPECT_EQ(widths(model), (std::vector<int>{19, 120, 130, 130, 116, 75, 90, 38}));

    model.setColumnWidth(0, 25);
    model.setColumnWidth(2, 80);
    model.setColumnWidth(3, 90);
    model.setColumnWidth(7, 50);
    EXPECT_EQ(widths(model), (std::vector<int>{25, 120, 80, 90, 116, 75, 90, 50}));
    EXPECT_TRUE(model.hasUserWidth(3));
    EXPECT_FALSE(model.hasUserWidth(1));

    // A field keeps its width by name wherever it moves; a renamed or new field starts anew.
    outline.moveDefUp(1);
    outline.addDef("Capital city");
    EXPECT_EQ(titles(model)[2], "Continent");
    EXPECT_EQ(widths(model), (std::vector<int>{25, 120, 90, 80, 130, 116, 75, 90, 50}));
    outline.removeDef(1);
    EXPECT_EQ(widths(model), (std::vector<int>{25, 120, 90, 130, 116, 75, 90, 50}));

    // Without fields: the number, the item type, the comment and the scores.
    Outline bare = outlineOf({});
    StudyListOutlineModel bareModel(bare);
    EXPECT_EQ(titles(bareModel), (Texts{"#", "Term", "Comment", "Times Asked", "Correct Answers", "Ratio"}));
    EXPECT_NE(assertionOf([&] { bareModel.getColumnTitle(6); }).find("colIdx<getColumnsCount()"),
              std::string::npos);
    EXPECT_NE(assertionOf([&] { bareModel.setColumnWidth(6, 10); }).find("colIdx<getColumnsCount()"),
              std::string::npos);
}

TEST(StudyListOutlineModel, EachColumnSortsByWhatItShows) {
    Outline outline = outlineOf({"A", "B"});
    StudyListOutlineModel model(outline);
    TermSet low(outline, 1), high(outline, 2);
    low.setTerm("b");
    high.setTerm("a");
    low.setField(1, "x");
    high.setField(1, "y");
    low.setComment("z");
    high.addCorrectAnswer();
    high.addWrongAnswer();
    high.addCorrectAnswer();
    low.addWrongAnswer();
    EXPECT_TRUE(model.getSortKey(0)(low, high)); // number
    EXPECT_TRUE(model.getSortKey(1)(high, low)); // term
    EXPECT_TRUE(model.getSortKey(3)(low, high)); // second field
    EXPECT_TRUE(model.getSortKey(4)(high, low)); // comment
    EXPECT_TRUE(model.getSortKey(5)(low, high)); // times asked
    EXPECT_TRUE(model.getSortKey(6)(low, high)); // correct answers
    EXPECT_TRUE(model.getSortKey(7)(low, high)); // ratio
    EXPECT_NE(assertionOf([&] { model.getSortKey(8); }).find("colIdx<getColumnsCount()"), std::string::npos);
}

TEST(StudyListDataModel, CellsShowNumbersTextsScoresAndRatio) {
    StudyList document;
    Outline outline = outlineOf({"Capital", "Continent"});
    document.setOutline(outline);
    TermSet france(document.getOutline(), 1);
    france.setTerm("France");
    france.setField(0, "Paris");
    france.setComment("Seat of government");
    france.addCorrectAnswer();
    france.addWrongAnswer();
    document.addTermSet(france);
    TermSet peru(document.getOutline(), 2);
    peru.setTerm("Peru");
    peru.addCorrectAnswer();
    peru.addWrongAnswer();
    peru.addWrongAnswer();
    document.addTermSet(peru);
    document.addTermSet(TermSet(document.getOutline(), 3));

    StudyListDataModel model(document);
    EXPECT_EQ(model.getItemsCount(), 3u);
    EXPECT_EQ(cells(model, 0, 8),
              (Texts{"1", "France", "Paris", "", "Seat of government", "2", "1", "50 %"}));
    EXPECT_EQ(cells(model, 1, 8), (Texts{"2", "Peru", "", "", "", "3", "1", "33 %"}));
    EXPECT_EQ(cells(model, 2, 8), (Texts{"3", "", "", "", "", "0", "0", "0 %"}));
    EXPECT_NE(assertionOf([&] { model.getItem(3); }).find("idx<getItemsCount()"), std::string::npos);
}

class Commands : public ::testing::Test {
protected:
    StudyList document;
    Commander commander{nullptr, document};
    Cmd::VectorExec<Commander> commands{CommandTable, &commander};

    // The names of the commands that are not available.
    Texts disabled() const {
        Texts result;
        for (const Cmd::Item<Commander>* row = CommandTable; row->_exec != nullptr; ++row)
            if (commands.test(row->_name) == Cmd::DISABLED)
                result.push_back(row->_name);
        return result;
    }

    void addItem() { document.addTermSet(TermSet(document.getOutline(), document.getTermSetCount() + 1)); }
};

TEST_F(Commands, AreAvailableByItemsAndSelection) {
    EXPECT_EQ(disabled(), (Texts{"Study_Presentation", "Study_MC", "Study_QA", "StudySet_ResetScores",
                                 "Term_Remove", "Term_Edit", "Term_SelectAll", "Term_Find", "Term_FindNext",
                                 "Term_SelectWeak", "StudySet_Statistics"}));
    addItem();
    addItem();
    EXPECT_EQ(disabled(), (Texts{"Term_Remove", "Term_Edit"}));
    document.select(1);
    EXPECT_EQ(disabled(), Texts{});
    document.clearSelection();
    EXPECT_EQ(disabled(), (Texts{"Term_Remove", "Term_Edit"}));
}

TEST_F(Commands, TablesNameOnlyExistingCommandsWithHelpForTooltips) {
    Texts names;
    for (const Cmd::Item<Commander>* row = CommandTable; row->_exec != nullptr; ++row) {
        names.push_back(row->_name);
        ASSERT_NE(row->_test, nullptr) << row->_name;
        ASSERT_NE(row->_help, nullptr) << row->_name;
        EXPECT_LT(std::strlen(row->_help), static_cast<std::size_t>(Win::NeedTextSize)) << row->_name;
    }
    EXPECT_EQ(names.size(), 33u);
    for (int n = 1; n <= StudyList::MaxRecentDocs; ++n)
        EXPECT_NE(commands.cmdToId(("OpenRecent" + std::to_string(n)).c_str()), -1) << n;
    EXPECT_EQ(commands.cmdToId("OpenRecent11"), -1);

    // Every command item of the menu bar, at any depth.
    std::vector<const Menu::Item*> popups{MenuTemplate};
    int menuCommands = 0;
    while (!popups.empty()) {
        const Menu::Item* items = popups.back();
        popups.pop_back();
        for (const Menu::Item* item = items; item->kind != Menu::END; ++item) {
            if (item->kind == Menu::POP) {
                popups.push_back(item->popupItems);
            }
            if (item->kind == Menu::CMD) {
                EXPECT_NE(commands.cmdToId(item->name), -1) << item->name;
                ++menuCommands;
            }
        }
    }
    EXPECT_EQ(menuCommands, 22);
    // Id 0 is also every separator's: the system would take a key or a button of command 0 for a separator.
    for (const Win::AcceleratorItem* key = AcceleratorTemplate; key->cmdName != nullptr; ++key) {
        EXPECT_NE(commands.cmdToId(key->cmdName), -1) << key->cmdName;
        EXPECT_NE(commands.cmdToId(key->cmdName), 0) << key->cmdName;
    }
    for (const Win::ToolbarItem* button = ToolbarTemplate; button->kind != Win::ToolbarItem::END; ++button) {
        if (button->kind != Win::ToolbarItem::SEPARATOR) {
            EXPECT_NE(commands.cmdToId(button->cmdName), -1) << button->cmdName;
            EXPECT_NE(commands.cmdToId(button->cmdName), 0) << button->cmdName;
        }
    }
}

class RecentDocs : public ::testing::Test {
protected:
    void SetUp() override { deleteRecentDocsKey(); }
    void TearDown() override { deleteRecentDocsKey(); }
};

TEST_F(RecentDocs, AreWrittenAsTenValuesAndReadBackInOrder) {
    StudyList nothingYet;
    loadRecentDocs(nothingYet);
    EXPECT_TRUE(nothingYet.getRecentDocs().empty());
    saveRecentDocs(nothingYet);
    EXPECT_EQ(readRecentDocsKey(), Texts(10, ""));

    StudyList document;
    document.addRecentDoc("C:\\old.lvd");
    document.addRecentDoc("C:\\middle.lvd");
    document.addRecentDoc("C:\\new & shiny.lvd");
    saveRecentDocs(document);
    Texts expected(10, "");
    expected[0] = "C:\\new & shiny.lvd";
    expected[1] = "C:\\middle.lvd";
    expected[2] = "C:\\old.lvd";
    EXPECT_EQ(readRecentDocsKey(), expected);

    StudyList nextRun;
    loadRecentDocs(nextRun);
    EXPECT_EQ(nextRun.getRecentDocs(), (Texts{"C:\\new & shiny.lvd", "C:\\middle.lvd", "C:\\old.lvd"}));

    // A shorter list leaves no stale entries behind.
    nextRun.clearRecentDocs();
    nextRun.addRecentDoc("C:\\only.lvd");
    saveRecentDocs(nextRun);
    expected = Texts(10, "");
    expected[0] = "C:\\only.lvd";
    EXPECT_EQ(readRecentDocsKey(), expected);
}

TEST_F(RecentDocs, SkipEmptyAndRepeatedValues) {
    writeRecentDocsKey({"C:\\a.lvd", "", "C:\\c.lvd", "C:\\a.lvd"});
    StudyList document;
    loadRecentDocs(document);
    EXPECT_EQ(document.getRecentDocs(), (Texts{"C:\\a.lvd", "C:\\c.lvd"}));
}

} // namespace
