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

// Three fields, an empty value, a comment, a term without comment, bytes of the upper half.
const std::string Table = "Word\tDefinition\tExample\tNote\tComment\r\n"
                          "cat\tanimal\tthe cat sat\t\tpet\r\n"
                          "caf\xE9\tplace\t\tshort\t\r\n"
                          "\t\t\t\t";

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
    EXPECT_EQ(studyList.getOutline().getItemType(), "Word");
    ASSERT_EQ(studyList.getOutline().getDefCount(), 3);
    EXPECT_EQ(studyList.getOutline().getDef(2), "Note");
    ASSERT_EQ(studyList.getTermSetCount(), 3);
    for (int i = 0; i < 3; ++i) {
        const TermSet& termSet = studyList.getTermSet(static_cast<std::size_t>(i));
        EXPECT_EQ(termSet.getNumber(), i + 1);
        EXPECT_EQ(termSet.getTimesAsked(), 0);
        EXPECT_EQ(termSet.getCorrectAnswers(), 0);
    }
    EXPECT_EQ(studyList.getTermSet(1).getTerm(), "caf\xE9");
    EXPECT_EQ(studyList.getTermSet(1).getField(2), "short");
    EXPECT_EQ(studyList.getTermSet(0).getComment(), "pet");
    const StudyList fresh;
    EXPECT_TRUE(studyList.getSettings() == fresh.getSettings());
}

TEST(LvdTool, ImportAcceptsLineFeedsAndAFinalLineBreak) {
    TempFolder folder;
    writeFile(folder.file("lf.txt"), "Term\tDefinition\tComment\ncat\tanimal\t\ndog\tanimal\tloyal\n");
    ASSERT_EQ(lvdtool({"import", folder.file("lf.txt"), folder.file("list.lvd")}).exitCode, 0);
    ASSERT_EQ(lvdtool({"export", folder.file("list.lvd"), folder.file("out.txt")}).exitCode, 0);
    EXPECT_EQ(readFile(folder.file("out.txt")),
              "Term\tDefinition\tComment\r\ncat\tanimal\t\r\ndog\tanimal\tloyal");

    // A header alone makes an empty study list with that outline.
    writeFile(folder.file("header.txt"), "Term\tComment");
    ASSERT_EQ(lvdtool({"import", folder.file("header.txt"), folder.file("empty.lvd")}).exitCode, 0);
    const StudyList empty = DocumentFileInputMethod().read(folder.file("empty.lvd"));
    EXPECT_EQ(empty.getTermSetCount(), 0);
    EXPECT_EQ(empty.getOutline().getDefCount(), 0);
}

TEST(LvdTool, ImportRefusesALineThatDoesNotFitAndWritesNothing) {
    TempFolder folder;
    const std::string badLines[] = {
        "Term\tDefinition\tComment\r\ncat\tanimal\t\r\ndog\tanimal\r\nemu\tbird\t",     // too few
        "Term\tDefinition\tComment\r\ncat\tanimal\t\r\ndog\tani\tmal\t\r\nemu\tbird\t", // too many
        "Term\tDefinition\tComment\r\ncat\tanimal\t\r\n\r\nemu\tbird\t",                // empty line
    };
    for (const std::string& text : badLines) {
        writeFile(folder.file("in.txt"), text);
        const ToolRun run = lvdtool({"import", folder.file("in.txt"), folder.file("out.lvd")});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_NE(run.err.find("line 3"), std::string::npos) << run.err;
        EXPECT_EQ(folder.list(), std::vector<std::string>{"in.txt"});
    }

    // An existing document is left as it was.
    writeFile(folder.file("out.lvd"), "old contents");
    lvdtool({"import", folder.file("in.txt"), folder.file("out.lvd")});
    EXPECT_EQ(readFile(folder.file("out.lvd")), "old contents");
}

TEST(LvdTool, ImportRefusesWhatTheDocumentCouldNotHold) {
    TempFolder folder;
    const std::pair<std::string, int> refused[] = {
        {"", 1},                                                        // no header
        {"Term\tDefinition\r\ncat\tanimal", 1},                         // no comment column
        {"Term\tX\tX\tComment\r\ncat\tsame\tsame\t\r\ndog\ta\tb\t", 3}, // one value for two columns
    };
    for (const auto& [text, line] : refused) {
        writeFile(folder.file("in.txt"), text);
        const ToolRun run = lvdtool({"import", folder.file("in.txt"), folder.file("out.lvd")});
        EXPECT_EQ(run.exitCode, 1) << text;
        EXPECT_NE(run.err.find("line " + std::to_string(line) + ":"), std::string::npos) << run.err;
        EXPECT_FALSE(std::filesystem::exists(folder.file("out.lvd")));
    }

    std::string wide = "Term\t";
    for (int i = 0; i < 501; ++i)
        wide += "F" + std::to_string(i) + "\t";
    writeFile(folder.file("wide.txt"), wide + "Comment");
    EXPECT_EQ(lvdtool({"import", folder.file("wide.txt"), folder.file("out.lvd")}).exitCode, 1);
    EXPECT_FALSE(std::filesystem::exists(folder.file("out.lvd")));

    // One item more than a document may hold; 999,999 would be written.
    std::string tooMany = "Term\tComment";
    for (int i = 0; i < 1000000; ++i)
        tooMany += "\n\t";
    writeFile(folder.file("many.txt"), tooMany);
    const ToolRun many = lvdtool({"import", folder.file("many.txt"), folder.file("out.lvd")});
    EXPECT_EQ(many.exitCode, 1);
    EXPECT_NE(many.err.find("line 1000001:"), std::string::npos) << many.err;
    EXPECT_FALSE(std::filesystem::exists(folder.file("out.lvd")));

    const ToolRun missing = lvdtool({"import", folder.file("missing.txt"), folder.file("out.lvd")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err, std::string(CannotOpenText) + "\n" + folder.file("missing.txt") + "\n");
}

TEST(LvdTool, ExportWritesHtmlByExtension) {
    TempFolder folder;
    writeFile(folder.file("in.txt"), "Term\tDefinition\tComment\r\nfish & chips\t<food>\t");
    ASSERT_EQ(lvdtool({"import", folder.file("in.txt"), folder.file("list.lvd")}).exitCode, 0);
    for (const char* name : {"page.html", "PAGE.HTM", "page.Htm"}) {
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

    // Cut inside the settings record, and a wrong signature.
    const std::string document = readFile(folder.file("good.lvd"));
    writeFile(folder.file("cut.lvd"), document.substr(0, document.size() - 3));
    std::string otherVersion = document;
    otherVersion[0] = 2;
    writeFile(folder.file("version.lvd"), otherVersion);
    for (const char* name : {"cut.lvd", "version.lvd", "in.txt"}) {
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
    int asked = 0;
    int partlyRight = 0;
    int withComment = 0;
    for (int i = 0; i < 2000; ++i) {
        const TermSet& termSet = studyList.getTermSet(static_cast<std::size_t>(i));
        EXPECT_EQ(termSet.getNumber(), i + 1);
        EXPECT_LE(termSet.getCorrectAnswers(), termSet.getTimesAsked());
        EXPECT_GE(termSet.getCorrectAnswers(), 0);
        EXPECT_GE(termSet.getTerm().size(), 4u);
        EXPECT_LE(termSet.getTerm().size(), 20u);
        EXPECT_GE(termSet.getField(0).size(), 10u);
        EXPECT_LE(termSet.getField(0).size(), 80u);
        asked += termSet.getTimesAsked() > 0;
        partlyRight +=
            termSet.getCorrectAnswers() > 0 && termSet.getCorrectAnswers() < termSet.getTimesAsked();
        withComment += !termSet.getComment().empty();
    }
    EXPECT_GT(asked, 1000);
    EXPECT_GT(partlyRight, 500);
    EXPECT_GT(withComment, 100);
    EXPECT_LT(withComment, 1900);

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
        {"export", "a", "b", "c"},
        {"gen", "1000000", folder.file("x.lvd")},
        {"gen", "-1", folder.file("x.lvd")},
        {"gen", "12ab", folder.file("x.lvd")},
    };
    for (const auto& args : bad) {
        const ToolRun run = lvdtool(args);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.err.rfind("usage: lvdtool", 0), 0u);
    }
    EXPECT_TRUE(folder.list().empty());
}
