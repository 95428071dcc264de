#include "tests/core/testfiles.h"

#include "tools/lvdtool/lvdtool.h"

#include "app/files/documentfileinputmethod.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace {

const char* const CannotOpenText =
    "Can not open the specified file for reading.\nMake sure the specified path and file name are correct.";
const char* const NotADocumentText =
    "Can not open the file specified.\nThis is not a valid Lorvant file or it is corrupt.";

struct ToolRun {
    int exitCode;
    std::string out;
    std::string err;
};

ToolRun lvdtool(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int exitCode = LvdTool(out, err).run(args);
    return {exitCode, out.str(), err.str()};
}

// Three fields, an empty value, a comment, a term without comment, bytes of the upper half, quotes
// that do not make a quoted cell.
const std::string Table = "Word\tDefinition\tExample\tNote\tComment\r\n"
                          "cat\tanimal\tthe cat sat\t\tpet\r\n"
                          "caf\xE9\tplace\t\tshort\t\r\n"
                          "\"in\" quotes\t\t\t\t";

} // namespace

TEST(LvdTool, ImportThenExportGivesTheTableBack) {
    TempFolder folder;
    writeFile(folder.file("in.txt"), Table);

    const ToolRun imported = lvdtool({"import", folder.file("in.txt"), folder.file("list.lvd")});
    ASSERT_EQ(imported.exitCode, 0) << imported.err;
    const ToolRun exported = lvdtool({"export", folder.file("list.lvd"), folder.file("out.txt")});
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    EXPECT_EQ(readFile(folder.file("out.txt")), Table);

    // The document holds the items numbered in file order, without scores, with default settings.
    const StudyList studyList = DocumentFileInputMethod().read(folder.file("list.lvd"));
    ASSERT_EQ(studyList.getTermSetCount(), 3);
    for (int i = 0; i < 3; ++i) {
        const TermSet& termSet = studyList.getTermSet(static_cast<std::size_t>(i));
        EXPECT_EQ(termSet.getNumber(), i + 1);
        EXPECT_EQ(termSet.getTimesAsked(), 0);
    }
    const StudyList fresh;
    EXPECT_TRUE(studyList.getSettings() == fresh.getSettings());

    // A header alone makes an empty study list with that outline.
    writeFile(folder.file("header.txt"), "Term\tComment");
    ASSERT_EQ(lvdtool({"import", folder.file("header.txt"), folder.file("empty.lvd")}).exitCode, 0);
    const StudyList empty = DocumentFileInputMethod().read(folder.file("empty.lvd"));
    EXPECT_EQ(empty.getTermSetCount(), 0);
    EXPECT_EQ(empty.getOutline().getDefCount(), 0);
}

TEST(LvdTool, ImportReportsWhatItMadeOfTheFile) {
    TempFolder folder;
    writeFile(folder.file("in.csv"),
              "\xEF\xBB\xBFHaus,house\n,nothing\nHaus,home\n\xC5\x81\xC3\263d\xC5\xBA,Lodz\n");
    const ToolRun run = lvdtool({"import", folder.file("in.csv"), folder.file("out.lvd")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, folder.file("in.csv") + ": 3 items, UTF-8, comma-separated, no header line\n"
                                               "  rows without a term, skipped: 1 (first on line 2)\n"
                                               "  characters replaced by \"?\": 2 (first on line 4)\n"
                                               "  items repeating an earlier term: 1 (first on line 3)\n");
    EXPECT_EQ(DocumentFileInputMethod().read(folder.file("out.lvd")).getTermSet(2).getTerm(), "?\363d?");

    // The separator can be named when the first rows mislead.
    writeFile(folder.file("in.txt"), "a;b,c\nd;e,f\n");
    ASSERT_EQ(
        lvdtool({"import", "--separator=comma", folder.file("in.txt"), folder.file("out.lvd")}).exitCode, 0);
    EXPECT_EQ(DocumentFileInputMethod().read(folder.file("out.lvd")).getTermSet(1).getTerm(), "d;e");
    EXPECT_EQ(
        lvdtool({"import", "--separator=space", folder.file("in.txt"), folder.file("out.lvd")}).exitCode, 2);
}

TEST(LvdTool, ImportRefusalsNameTheLineAndWriteNothing) {
    TempFolder folder;
    const std::pair<std::string, std::string> refused[] = {
        {"", ": the file holds no rows\n"},
        {"Term\tX\tX\tComment\r\ncat\tsame\tsame\t\r\ndog\ta\tb\t",
         ", line 3: different texts in the two fields named \"X\"\n"},
    };
    for (const auto& [text, message] : refused) {
        writeFile(folder.file("in.txt"), text);
        const ToolRun run = lvdtool({"import", folder.file("in.txt"), folder.file("out.lvd")});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, folder.file("in.txt") + message);
        EXPECT_EQ(folder.list(), std::vector<std::string>{"in.txt"});
    }

    // An existing document is left as it was.
    writeFile(folder.file("out.lvd"), "old contents");
    lvdtool({"import", folder.file("in.txt"), folder.file("out.lvd")});
    EXPECT_EQ(readFile(folder.file("out.lvd")), "old contents");

    const ToolRun missing = lvdtool({"import", folder.file("missing.txt"), folder.file("new.lvd")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err, std::string(CannotOpenText) + "\n" + folder.file("missing.txt") + "\n");
    EXPECT_FALSE(std::filesystem::exists(folder.file("new.lvd")));
}

TEST(LvdTool, ExportWritesHtmlByExtension) {
    TempFolder folder;
    writeFile(folder.file("in.txt"), "Term\tDefinition\tComment\r\nfish & chips\t<food>\t");
    ASSERT_EQ(lvdtool({"import", folder.file("in.txt"), folder.file("list.lvd")}).exitCode, 0);
    for (const char* name : {"page.html", "PAGE.HTM"}) {
        ASSERT_EQ(lvdtool({"export", folder.file("list.lvd"), folder.file(name)}).exitCode, 0);
        const std::string page = readFile(folder.file(name));
        EXPECT_EQ(page.rfind("<!DOCTYPE html>", 0), 0u) << name;
        EXPECT_NE(page.find("fish &amp; chips"), std::string::npos);
    }
    ASSERT_EQ(lvdtool({"export", folder.file("list.lvd"), folder.file("page.html.txt")}).exitCode, 0);
    EXPECT_EQ(readFile(folder.file("page.html.txt")), "Term\tDefinition\tComment\r\nfish & chips\t<food>\t");

    const ToolRun corrupt = lvdtool({"export", folder.file("in.txt"), folder.file("out.txt")});
    EXPECT_EQ(corrupt.exitCode, 1);
    EXPECT_FALSE(std::filesystem::exists(folder.file("out.txt")));
}

TEST(LvdTool, CheckTellsWhetherTheProgramWouldOpenAFile) {
    TempFolder folder;
    writeFile(folder.file("in.txt"), Table);
    ASSERT_EQ(lvdtool({"import", folder.file("in.txt"), folder.file("good.lvd")}).exitCode, 0);
    const ToolRun good = lvdtool({"check", folder.file("good.lvd")});
    EXPECT_EQ(good.exitCode, 0);
    EXPECT_EQ(good.out, folder.file("good.lvd") + ": 3 items, 3 fields\n");

    // Cut inside the settings record, and not a document at all.
    const std::string document = readFile(folder.file("good.lvd"));
    writeFile(folder.file("cut.lvd"), document.substr(0, document.size() - 3));
    for (const char* name : {"cut.lvd", "in.txt"}) {
        const ToolRun corrupt = lvdtool({"check", folder.file(name)});
        EXPECT_EQ(corrupt.exitCode, 1) << name;
        EXPECT_EQ(corrupt.err, std::string(NotADocumentText) + "\n" + folder.file(name) + "\n");
        EXPECT_EQ(corrupt.out, "");
    }

    const ToolRun missing = lvdtool({"check", folder.file("missing.lvd")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err, std::string(CannotOpenText) + "\n" + folder.file("missing.lvd") + "\n");
}

TEST(LvdTool, GenMakesTheAskedNumberOfPlausibleItems) {
    TempFolder folder;
    ASSERT_EQ(lvdtool({"gen", "2000", folder.file("a.lvd")}).exitCode, 0);
    ASSERT_EQ(lvdtool({"gen", "2000", folder.file("b.lvd")}).exitCode, 0);
    EXPECT_EQ(readFile(folder.file("a.lvd")), readFile(folder.file("b.lvd")));

    const StudyList studyList = DocumentFileInputMethod().read(folder.file("a.lvd"));
    ASSERT_EQ(studyList.getTermSetCount(), 2000);
    EXPECT_GE(studyList.getOutline().getDefCount(), 2);
    int partlyRight = 0;
    for (int i = 0; i < 2000; ++i) {
        const TermSet& termSet = studyList.getTermSet(static_cast<std::size_t>(i));
        EXPECT_EQ(termSet.getNumber(), i + 1);
        EXPECT_FALSE(termSet.getTerm().empty());
        partlyRight +=
            termSet.getCorrectAnswers() > 0 && termSet.getCorrectAnswers() < termSet.getTimesAsked();
    }
    EXPECT_GT(partlyRight, 500);

    ASSERT_EQ(lvdtool({"gen", "0", folder.file("none.lvd")}).exitCode, 0);
    EXPECT_EQ(lvdtool({"check", folder.file("none.lvd")}).out,
              folder.file("none.lvd") + ": 0 items, 3 fields\n");
}

TEST(LvdTool, BadArgumentsShowTheUsage) {
    TempFolder folder;
    const std::vector<std::string> bad[] = {
        {},
        {"help"},
        {"check"},
        {"import", "only.txt"},
        {"gen", "1000000", folder.file("x.lvd")},
        {"gen", "12ab", folder.file("x.lvd")},
    };
    for (const auto& args : bad) {
        const ToolRun run = lvdtool(args);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.err.rfind("usage: lvdtool", 0), 0u);
    }
    EXPECT_TRUE(folder.list().empty());
}
