#include "WinLib/command.h"
#include "WinLib/acceleratortable.h"
#include "WinLib/exception.h"
#include "tests/winlib/testcommander.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

// The message of the assertion that action fails with; empty when it does not fail.
template <class Action> std::string assertionOf(Action action) {
    try {
        action();
    } catch (const Win::AssertionFailure& e) {
        return e.what();
    }
    return "";
}

} // namespace

TEST(CommandVector, NamesMapToRowIndices) {
    TestCommander commander;
    Cmd::VectorExec<TestCommander> commands(testCommands, &commander);
    EXPECT_EQ(commands.cmdToId("Open"), 0);
    EXPECT_EQ(commands.cmdToId("Exit"), 3);
    EXPECT_EQ(commands.cmdToId("exit"), -1);
    EXPECT_EQ(commands.cmdToId("Nothing"), -1);
    EXPECT_STREQ(commands.getHelp(1), "Save the file");
}

TEST(CommandVector, ExecutesAndTestsOnTheCommander) {
    TestCommander commander;
    Cmd::VectorExec<TestCommander> commands(testCommands, &commander);
    commands.execute(commands.cmdToId("Save"));
    commands.execute(commands.cmdToId("Open"));
    EXPECT_EQ(commander.ran, "save;open;");

    commander.statuses["Check"] = Cmd::CHECKED;
    commander.statuses["Save"] = Cmd::DISABLED;
    EXPECT_EQ(commands.test("Check"), Cmd::CHECKED);
    EXPECT_EQ(commands.test("Save"), Cmd::DISABLED);
    EXPECT_EQ(commands.test(commands.cmdToId("Save")), Cmd::DISABLED);
    EXPECT_EQ(commands.test("Open"), Cmd::ENABLED);
}

TEST(CommandVector, UnknownCommandsAreAssertionsNeverCalls) {
    TestCommander commander;
    Cmd::VectorExec<TestCommander> commands(testCommands, &commander);
    EXPECT_NE(assertionOf([&] { commands.execute(-1); }).find("cmdId!=-1"), std::string::npos);
    EXPECT_NE(assertionOf([&] { commands.test("Nothing"); }).find("cmdId!=-1"), std::string::npos);
    EXPECT_NE(assertionOf([&] { commands.getHelp(-1); }).find("cmdId!=-1"), std::string::npos);
    // The terminating row and beyond.
    EXPECT_NE(assertionOf([&] { commands.execute(4); }), "");
    EXPECT_NE(assertionOf([&] { commands.test(400); }), "");
    EXPECT_EQ(commander.ran, "");

    Cmd::VectorExec<TestCommander> noCommander(testCommands, nullptr);
    std::string failure = assertionOf([&] { noCommander.execute(0); });
    EXPECT_NE(failure.find("_commander!=0"), std::string::npos) << failure;
    EXPECT_NE(failure.find("command.h"), std::string::npos) << failure;
}

TEST(CommandVector, RowsWithoutTestOrHelpAreAssertions) {
    const Cmd::Item<TestCommander> table[] = {{"Bare", &TestCommander::open, nullptr, nullptr},
                                              {nullptr, nullptr, nullptr, nullptr}};
    TestCommander commander;
    Cmd::VectorExec<TestCommander> commands(table, &commander);
    EXPECT_NE(assertionOf([&] { commands.test("Bare"); }).find("_cmd[cmdId]._test!=0"), std::string::npos);
    EXPECT_NE(assertionOf([&] { commands.getHelp(0); }).find("_cmd[cmdId]._help != 0"), std::string::npos);
    commands.execute(0);
    EXPECT_EQ(commander.ran, "open;");
}

TEST(AcceleratorTable, EveryEntryBecomesAVirtualKeyForItsCommand) {
    TestCommander commander;
    Cmd::VectorExec<TestCommander> commands(testCommands, &commander);
    const Win::AcceleratorItem keys[] = {{0, VK_F1, "Exit"},
                                         {FCONTROL, 'O', "Open"},
                                         {FCONTROL, 'S', "Save"},
                                         {0, 0, "Check"},
                                         {0, VK_F2, "Check"}};
    Win::AcceleratorTable table(keys, commands);
    ASSERT_NE(table.getHandle(), nullptr);
    std::vector<ACCEL> read(8);
    ASSERT_EQ(CopyAcceleratorTableA(table.getHandle(), read.data(), 8), 3);
    EXPECT_EQ(read[0].fVirt, FVIRTKEY);
    EXPECT_EQ(read[0].key, VK_F1);
    EXPECT_EQ(read[0].cmd, 3);
    EXPECT_EQ(read[1].fVirt, FVIRTKEY | FCONTROL);
    EXPECT_EQ(read[1].key, 'O');
    EXPECT_EQ(read[1].cmd, 0);
    EXPECT_EQ(read[2].fVirt, FVIRTKEY | FCONTROL);
    EXPECT_EQ(read[2].cmd, 1);

    // Ownership moves with the table; the last owner destroys it.
    HACCEL handle = table.getHandle();
    {
        Win::AcceleratorTable moved(std::move(table));
        EXPECT_EQ(table.getHandle(), nullptr);
        EXPECT_EQ(moved.getHandle(), handle);
    }
    EXPECT_EQ(CopyAcceleratorTableA(handle, nullptr, 0), 0) << "the table outlived its owner";
}

TEST(AcceleratorTable, TemplateEndsAtAMissingNameOrKeyZero) {
    TestCommander commander;
    Cmd::VectorExec<TestCommander> commands(testCommands, &commander);
    const Win::AcceleratorItem empty[] = {{0, 0, "Open"}, {0, VK_F1, "Exit"}};
    EXPECT_EQ(Win::AcceleratorTable(empty, commands).getHandle(), nullptr);
    const Win::AcceleratorItem oneKey[] = {{0, VK_F3, "Open"}, {0, VK_F1, nullptr}, {0, VK_F2, "Exit"}};
    Win::AcceleratorTable table(oneKey, commands);
    EXPECT_EQ(CopyAcceleratorTableA(table.getHandle(), nullptr, 0), 1);

    const Win::AcceleratorItem misspelt[] = {{0, VK_F3, "Opne"}, {0, 0, nullptr}};
    EXPECT_NE(assertionOf([&] { Win::AcceleratorTable bad(misspelt, commands); }).find("cmdId!=-1"),
              std::string::npos);
}
