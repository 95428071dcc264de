// The program's parts that need no window: the list's columns and their sorting, the commands' tests and
// their tables, and the recent documents in the registry.
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
}

class Commands : public ::testing::Test {
protected:
    StudyList document;
    Commander commander{nullptr, document};
    Cmd::VectorExec<Commander> commands{CommandTable, &commander};
};

TEST_F(Commands, TablesNameOnlyExistingCommandsWithHelpForTooltips) {
    for (const Cmd::Item<Commander>* row = CommandTable; row->_exec != nullptr; ++row) {
        ASSERT_NE(row->_test, nullptr) << row->_name;
        ASSERT_NE(row->_help, nullptr) << row->_name;
        EXPECT_LT(std::strlen(row->_help), static_cast<std::size_t>(Win::NeedTextSize)) << row->_name;
    }
    for (int n = 1; n <= StudyList::MaxRecentDocs; ++n)
        EXPECT_NE(commands.cmdToId(("OpenRecent" + std::to_string(n)).c_str()), -1) << n;
    EXPECT_EQ(commands.cmdToId("OpenRecent11"), -1);

    // Every command item of the menu bar, at any depth.
    std::vector<const Menu::Item*> popups{MenuTemplate};
    while (!popups.empty()) {
        const Menu::Item* items = popups.back();
        popups.pop_back();
        for (const Menu::Item* item = items; item->kind != Menu::END; ++item) {
            if (item->kind == Menu::POP) {
                popups.push_back(item->popupItems);
            }
            if (item->kind == Menu::CMD) {
                EXPECT_NE(commands.cmdToId(item->name), -1) << item->name;
            }
        }
    }
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

TEST_F(RecentDocs, SkipEmptyAndRepeatedValues) {
    writeRecentDocsKey({"C:\\a.lvd", "", "C:\\c.lvd", "C:\\a.lvd"});
    StudyList document;
    loadRecentDocs(document);
    EXPECT_EQ(document.getRecentDocs(), (Texts{"C:\\a.lvd", "C:\\c.lvd"}));
}

} // namespace
