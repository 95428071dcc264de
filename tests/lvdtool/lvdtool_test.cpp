#include "tests/core/testfiles.h"

#include "tools/lvdtool/lvdtool.h"

#include "app/files/documentfileinputmethod.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

const std::string CannotOpenText =
    "Can not open the specified file for reading.\nMake sure the specified path and file name are correct.\n";
const std::string NotADocumentText =
    "Can not open the file specified.\nThis is not a valid Lorvant file or it is corrupt.\n";

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

// Three fields, an empty value, a comment, a term without comment, a windows-1252 letter, quotes
// that do not make a quoted cell.
const std::string Table = "Word\tDefinition\tExample\tNote\tComment\r\n"
                          "cat\tanimal\tthe cat sat\t\tpet\r\n"
                          "caf\xE9\tplace\t\tshort\t\r\n"
                          "\"in\" quotes\t\t\t\t";

} // namespace

TEST(LvdTool, ImportThenExportAndCheck) {
    TempFolder folder;
    const std::string in = folder.file("in.txt"), list = folder.file("list.lvd");
    writeFile(in, Table);
    ASSERT_EQ(lvdtool({"import", in, list}).exitCode, 0);
    ASSERT_EQ(lvdtool({"export", list, folder.file("out.txt")}).exitCode, 0);
    EXPECT_EQ(readFile(folder.file("out.txt")), Table);
    const ToolRun check = lvdtool({"check", list});
    EXPECT_EQ(check.exitCode, 0);
    EXPECT_EQ(check.out, list + ": 3 items, 3 fields\n");

    // HTML by the extension, in any case, and only by the last one.
    for (const char* name : {"page.html", "PAGE.HTM"}) {
        ASSERT_EQ(lvdtool({"export", list, folder.file(name)}).exitCode, 0);
        EXPECT_EQ(readFile(folder.file(name)).rfind("<!DOCTYPE html>", 0), 0u) << name;
    }
    ASSERT_EQ(lvdtool({"export", list, folder.file("page.html.txt")}).exitCode, 0);
    EXPECT_EQ(readFile(folder.file("page.html.txt")), Table);
    // The spreadsheet's CSV by its extension: UTF-8 with a mark, commas.
    ASSERT_EQ(lvdtool({"export", list, folder.file("sheet.CSV")}).exitCode, 0);
    EXPECT_EQ(readFile(folder.file("sheet.CSV")).substr(0, 41),
              "\xEF\xBB\xBFWord,Definition,Example,Note,Comment\r\n");
    EXPECT_NE(readFile(folder.file("sheet.CSV")).find("caf\xC3\xA9,place,,short,"), std::string::npos);

    // Paths and texts in any script, in UTF-8.
    const std::string polish = folder.file("s\xC5\x82\xC3\xB3wka \xE6\x97\xA5\xE6\x9C\xAC.txt");
    const std::string polishTable =
        "\xEF\xBB\xBFTerm\tDefinition\tComment\r\n\xC5\x81\xC3\xB3\x64\xC5\xBA\tcity\t";
    writeFile(polish, polishTable);
    ASSERT_EQ(lvdtool({"import", polish, list}).exitCode, 0);
    EXPECT_EQ(lvdtool({"check", list}).out, list + ": 1 item, 1 field\n");
    ASSERT_EQ(lvdtool({"export", list, polish}).exitCode, 0);
    EXPECT_EQ(readFile(polish),
              "\xEF\xBB\xBFTerm\tDefinition\tComment\r\n\xC5\x81\xC3\xB3\x64\xC5\xBA\tcity\t");

    // Never over the document itself, by whatever name.
    const std::string document = readFile(list);
#ifdef _WIN32
    const std::string otherName = onSecondDrive(list);
#else
    const std::string otherName = folder.file("link.lvd");
    std::filesystem::create_symlink(list, otherName);
#endif
    const ToolRun overDocument = lvdtool({"export", list, otherName});
    EXPECT_EQ(overDocument.exitCode, 1);
    EXPECT_EQ(overDocument.err.rfind("Unable to save to the specified file.", 0), 0u) << overDocument.err;
    EXPECT_EQ(readFile(list), document);

    // Cut inside the settings record, not a document at all, or missing: nothing is written.
    writeFile(folder.file("cut.lvd"), document.substr(0, document.size() - 3));
    const std::pair<std::string, std::string> refused[] = {{folder.file("cut.lvd"), NotADocumentText},
                                                           {in, NotADocumentText},
                                                           {folder.file("missing.lvd"), CannotOpenText}};
    for (const auto& [file, message] : refused) {
        for (const std::vector<std::string>& args :
             {std::vector<std::string>{"check", file}, {"export", file, folder.file("none.txt")}}) {
            const ToolRun run = lvdtool(args);
            EXPECT_EQ(run.exitCode, 1) << args[0] << " " << file;
            EXPECT_EQ(run.err, message + file + "\n");
            EXPECT_EQ(run.out, "");
        }
    }
    EXPECT_FALSE(std::filesystem::exists(folder.file("none.txt")));
}

TEST(LvdTool, ImportReportsWhatItMadeOfTheFileOrWhyItRefusedIt) {
    TempFolder folder;
    const std::string in = folder.file("in.csv"), out = folder.file("out.lvd");
    writeFile(in, "\xEF\xBB\xBFHaus,house\n,nothing\nHaus,home\n\xC5\x81\xC3\263d\xC5\xBA,Lodz\n");
    const ToolRun run = lvdtool({"import", in, out});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, in + ": 3 items, UTF-8, comma-separated, no header line, quotes kept as written\n"
                            "  rows without a term, skipped: 1 (first on line 2)\n"
                            "  items repeating an earlier term: 1 (first on line 3)\n");
    EXPECT_EQ(DocumentFileInputMethod().read(out).getTermSet(2).getTerm(), "\xC5\x81\xC3\263d\xC5\xBA");

    // The separator can be named when the first rows mislead.
    writeFile(in, "a;b,c\nd;e,f\n");
    ASSERT_EQ(lvdtool({"import", "--separator=comma", in, out}).exitCode, 0);
    EXPECT_EQ(DocumentFileInputMethod().read(out).getTermSet(1).getTerm(), "d;e");
    // Every guess can be overruled: encoding, separator, header, quoting and what each column becomes.
    writeFile(in, "Front|Back|Level\n\"cat\"|\xC3\x9F|1\n");
    const ToolRun chosen = lvdtool({"import", "--encoding=legacy", "--separator=|", "--header=yes",
                                    "--quotes=no", "--columns=field,term,comment", in, out});
    ASSERT_EQ(chosen.exitCode, 0) << chosen.err;
    EXPECT_EQ(chosen.out, in + ": 1 item, windows-1252, |-separated, header line, quotes kept as written\n");
    const StudyList list = DocumentFileInputMethod().read(out);
    EXPECT_EQ(list.getOutline().getItemType(), "Back");
    EXPECT_EQ(list.getOutline().getDef(0), "Front");
    EXPECT_EQ(list.getTermSet(0).getTerm(), "\xC3\x83\xC5\xB8"); // the two bytes in windows-1252
    EXPECT_EQ(list.getTermSet(0).getField(0), "\"cat\"");
    EXPECT_EQ(list.getTermSet(0).getComment(), "1");
    // A header alone makes an empty study list with that outline.
    writeFile(in, "Term\tComment");
    ASSERT_EQ(lvdtool({"import", in, out}).exitCode, 0);
    EXPECT_EQ(lvdtool({"check", out}).out, out + ": 0 items, 0 fields\n");

    // Refusals name the line and leave an existing document as it was.
    const std::pair<std::string, std::string> refused[] = {
        {"", ": the file holds no rows\n"},
        {"Term\tX\tX\tComment\r\ncat\tsame\tsame\t\r\ndog\ta\tb\t",
         ", line 3: different texts in the two fields named \"X\"\n"},
    };
    const std::string document = readFile(out);
    for (const auto& [text, message] : refused) {
        writeFile(in, text);
        const ToolRun refusal = lvdtool({"import", in, out});
        EXPECT_EQ(refusal.exitCode, 1);
        EXPECT_EQ(refusal.err, in + message);
        EXPECT_EQ(readFile(out), document);
    }
    const ToolRun missing = lvdtool({"import", folder.file("missing.txt"), folder.file("new.lvd")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err, CannotOpenText + folder.file("missing.txt") + "\n");
    EXPECT_EQ(folder.list().size(), 2u);
}

TEST(LvdTool, GenMakesTheSameListEachTimeAndBadArgumentsShowTheUsage) {
    TempFolder folder;
    ASSERT_EQ(lvdtool({"gen", "2000", folder.file("a.lvd")}).exitCode, 0);
    ASSERT_EQ(lvdtool({"gen", "2000", folder.file("b.lvd")}).exitCode, 0);
    EXPECT_EQ(readFile(folder.file("a.lvd")), readFile(folder.file("b.lvd")));
    EXPECT_EQ(lvdtool({"check", folder.file("a.lvd")}).out,
              folder.file("a.lvd") + ": 2000 items, 3 fields\n");
    ASSERT_EQ(lvdtool({"gen", "0", folder.file("none.lvd")}).exitCode, 0);
    EXPECT_EQ(lvdtool({"check", folder.file("none.lvd")}).out,
              folder.file("none.lvd") + ": 0 items, 3 fields\n");

    const std::vector<std::string> bad[] = {
        {},
        {"help"},
        {"check"},
        {"import", "only.txt"},
        {"import", "--separator=space", folder.file("in.txt"), folder.file("x.lvd")},
        {"import", "--columns=field,comment", folder.file("in.txt"), folder.file("x.lvd")},
        {"import", "--columns=term,term", folder.file("in.txt"), folder.file("x.lvd")},
        {"import", "--header=maybe", folder.file("in.txt"), folder.file("x.lvd")},
        {"import", "--encoding=latin1", folder.file("in.txt"), folder.file("x.lvd")},
        {"gen", "1000000", folder.file("x.lvd")},
        {"gen", "12ab", folder.file("x.lvd")},
    };
    for (const auto& args : bad) {
        const ToolRun run = lvdtool(args);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.err.rfind("usage: lvdtool", 0), 0u);
    }
    EXPECT_EQ(folder.list().size(), 3u);
}

// Reviews applied in order print each item's schedule after its review; the items a review takes
// follow from them; a bad line is refused with its number and nothing is printed or saved.
TEST(LvdTool, ReviewAppliesALogAndDueListsTheItemsOfAReview) {
    TempFolder folder;
    const std::string list = folder.file("list.lvd"), log = folder.file("log.tsv"),
                      out = folder.file("out.lvd");
    ASSERT_EQ(lvdtool({"gen", "4", list}).exitCode, 0);
    writeFile(log, "1\t2026-01-31T08:00:00Z\t3\r\n"
                   "1\t2026-01-31T08:10:00Z\t3\n"
                   "2\t2026-01-31T08:00:00Z\t1\n"
                   "1\t2026-02-02T08:00:00Z\t4\n");
    const ToolRun run = lvdtool({"review", list, log, "--save", out});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "1\tlearning\t2026-01-31T08:10:00Z\t2.306500\t2.118104\t1\t0\n"
                       "1\treview\t2026-02-02T08:10:00Z\t2.306500\t2.111214\t2\t0\n"
                       "2\tlearning\t2026-01-31T08:01:00Z\t0.212000\t6.413300\t1\t0\n"
                       "1\treview\t2026-02-21T08:00:00Z\t18.534332\t1.000000\t3\t0\n");
    // Item 2's step has passed; 3 and 4 are new, so they come last in list order.
    EXPECT_EQ(lvdtool({"due", out, "--now", "2026-02-02T09:00:00Z"}).out, "2\n3\n4\n");
    EXPECT_EQ(lvdtool({"due", out, "--now", "2026-02-21T09:00:00Z"}).out, "2\n1\n3\n4\n");
    EXPECT_EQ(lvdtool({"reviews", out}).out, "1\t2026-01-31T08:00:00Z\t3\t0\tnew\n"
                                             "1\t2026-01-31T08:10:00Z\t3\t600\tlearning\n"
                                             "2\t2026-01-31T08:00:00Z\t1\t0\tnew\n"
                                             "1\t2026-02-02T08:00:00Z\t4\t172200\treview\n");

    const std::pair<std::string, std::string> refused[] = {
        {"1\t2026-01-31T08:00:00Z\t3\n1\t2026-01-31T08:00:00Z\t5\n",
         ", line 2: bad grade \"5\" (expected 1 to 4)\n"},
        {"9\t2026-01-31T08:00:00Z\t3\n", ", line 1: no item numbered 9\n"},
        {"1\t2026-02-30T08:00:00Z\t3\n",
         ", line 1: bad time \"2026-02-30T08:00:00Z\" (expected the form 2026-01-31T08:00:00Z)\n"},
        {"1\t2026-01-31T08:00:00Z\n", ", line 1: expected item number, time and grade separated by tabs\n"},
        {"1\t2026-01-31T08:00:00Z\t3\n1\t2026-01-30T08:00:00Z\t3\n",
         ", line 2: time before the item's last review\n"},
    };
    const std::string saved = readFile(out);
    for (const auto& [text, message] : refused) {
        writeFile(log, text);
        const ToolRun refusal = lvdtool({"review", list, log, "--save", out});
        EXPECT_EQ(refusal.exitCode, 1);
        EXPECT_EQ(refusal.err, log + message);
        EXPECT_EQ(refusal.out, "");
        EXPECT_EQ(readFile(out), saved);
    }
    EXPECT_EQ(lvdtool({"due", out, "--now", "yesterday"}).exitCode, 2);
}
