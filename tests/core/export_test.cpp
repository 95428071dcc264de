#include "testfiles.h"

#include "app/files/csvexporter.h"
#include "app/files/csvfileoutputmethod.h"
#include "app/files/documentfileoutputmethod.h"
#include "app/files/filetypes.h"
#include "app/files/htmlexporter.h"
#include "app/files/htmlfileoutputmethod.h"
#include "app/files/spreadsheetcsvexporter.h"
#include "app/files/spreadsheetcsvfileoutputmethod.h"
#include "app/model/lorvant.h"

#include "WinLib/io/exceptions.h"
#include "WinLib/io/platformfiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace {

std::string csvOf(const StudyList& list) {
    std::ostringstream out;
    CSVExporter(list).exportTo(out);
    return out.str();
}

std::string htmlOf(const StudyList& list) {
    std::ostringstream out;
    HtmlExporter(list).exportTo(out);
    return out.str();
}

void addItem(StudyList& list, const std::string& term, std::initializer_list<const char*> fields,
             const std::string& comment = "") {
    TermSet item(list.getOutline(), list.getTermSetCount() + 1);
    item.setTerm(term);
    int idx = 0;
    for (const char* field : fields)
        item.setField(idx++, field);
    item.setComment(comment);
    list.addTermSet(item);
}

} // namespace

TEST(CSVExporter, Layout) {
    StudyList list;
    EXPECT_EQ(csvOf(list), "Term\tDefinition\tComment");
    addItem(list, "cat", {"animal"});
    EXPECT_EQ(csvOf(list), "Term\tDefinition\tComment\r\ncat\tanimal\t");

    Outline outline = list.getOutline();
    outline.addDef("Example");
    list.setOutline(outline);
    addItem(list, "dog", {"", "a dog\tbarks\n"}, "loud");
    EXPECT_EQ(csvOf(list),
              "Term\tDefinition\tExample\tComment\r\ncat\tanimal\t\t\r\ndog\t\ta dog\tbarks\n\tloud");
}

TEST(FileOutputMethods, WriteTheFileAndLeaveTheDocumentAlone) {
    TempFolder folder;
    StudyList list;
    addItem(list, "caf\xE9", {"coffee"});
    list.setFileName(folder.file("cats.lvd"));
    const std::string path = folder.file("out.txt");
    writeFile(path, "previous, longer contents that must go");
    CSVFileOutputMethod(list).write(path);
    EXPECT_EQ(readFile(path), "Term\tDefinition\tComment\r\ncaf\xE9\tcoffee\t");
    HtmlFileOutputMethod(list).write(path);
    EXPECT_EQ(readFile(path), htmlOf(list));
    EXPECT_NE(readFile(path).find("<title>cats.lvd</title>"), std::string::npos);
    EXPECT_EQ(list.getFileName(), folder.file("cats.lvd"));
    EXPECT_TRUE(list.isModified());

    try {
        CSVFileOutputMethod(list).write(folder.file("missing") + "/out.txt");
        ADD_FAILURE() << "no exception";
    } catch (const Win::IO::FileOpenException& e) {
        EXPECT_STREQ(e.getMessage(), "");
    }
    EXPECT_THROW(HtmlFileOutputMethod(list).write(folder.file("missing") + "/x.html"),
                 Win::IO::FileOpenException);
}

TEST(SpreadsheetCSVExporter, Utf8WithAMarkCommasAndQuotesWhereNeeded) {
    StudyList list;
    Outline outline;
    outline.setItemType("Wort, deutsch");
    outline.addDef("Example");
    list.setOutline(outline);
    addItem(list, "Stra\337e \x80", {"street", "\"Hauptstra\337e\" is long"}, "two\r\nlines");
    addItem(list, "\"train on line\" indication", {}, "");
    TempFolder folder;
    const std::string path = folder.file("out.csv");
    SpreadsheetCSVFileOutputMethod(list).write(path);
    EXPECT_EQ(readFile(path),
              "\xEF\xBB\xBF\"Wort, deutsch\",Definition,Example,Comment\r\n"
              "Stra\xC3\237e \xE2\x82\xAC,street,\"\"\"Hauptstra\xC3\237e\"\" is long\",\"two\r\nlines\"\r\n"
              "\"\"\"train on line\"\" indication\",,,\r\n");
    EXPECT_TRUE(list.isModified());
    EXPECT_EQ(list.getFileName(), "");
}

TEST(HtmlExporter, EscapedTableOfTheOutlineAndItems) {
    StudyList list;
    Outline outline;
    outline.setItemType("Word & <Co>");
    outline.addDef("Example");
    list.setOutline(outline);
    addItem(list, "cat", {"animal", "\"It's\" <b>"}, "a&b");
    addItem(list, "dog", {}, "");
    const std::string html = htmlOf(list);

    EXPECT_EQ(html.rfind("<!DOCTYPE html>", 0), 0u);
    EXPECT_NE(html.find("<meta charset=\"windows-1252\">"), std::string::npos);
    EXPECT_NE(html.find("<title>new Study List</title>"), std::string::npos);
    EXPECT_NE(
        html.find(
            "<tr><th>Word &amp; &lt;Co&gt;</th><th>Definition</th><th>Example</th><th>Comment</th></tr>"),
        std::string::npos);
    EXPECT_NE(
        html.find(
            "<tr><td>cat</td><td>animal</td><td>&quot;It&#39;s&quot; &lt;b&gt;</td><td>a&amp;b</td></tr>"),
        std::string::npos);
    EXPECT_NE(html.find("<tr><td>dog</td><td></td><td></td><td></td></tr>"), std::string::npos);
    EXPECT_NE(html.find("</html>"), std::string::npos);
    EXPECT_EQ(html.find("<b>"), std::string::npos);
}

// The text goes to the file as it is made, never whole into memory; a failing disk stops the export with the
// file's own error.
TEST(Exporter, WritesTheFileAsItExports) {
    struct Probe : Exporter {
        using Exporter::Exporter;
        std::string path;
        mutable std::uintmax_t sizeMidway = 0;
        void exportTo(std::ostream& out) const override {
            out << std::string(1 << 20, 'x');
            sizeMidway = std::filesystem::file_size(path);
            out << "end";
        }
    };
    TempFolder folder;
    StudyList list;
    Probe probe(list);
    probe.path = folder.file("out.txt");
    probe.exportToFile(probe.path);
    EXPECT_GT(probe.sizeMidway, 900000u);
    EXPECT_EQ(std::filesystem::file_size(probe.path), (1u << 20) + 3);

    Win::IO::PlatformFiles::FailureInjection fullDisk(Win::IO::PlatformFiles::FailureInjection::Step::Write,
                                                      100000);
    try {
        probe.exportToFile(probe.path);
        ADD_FAILURE() << "no exception";
    } catch (const Win::IO::IOException& e) {
        EXPECT_STREQ(e.getMessage(), "File write failed");
    }
}

// Exporting leaves the document unsaved, so an export over the document's own file, however it is named,
// is refused before anything is written.
TEST(Exporter, RefusesTheDocumentsOwnFile) {
    TempFolder folder;
    StudyList list;
    addItem(list, "cat", {"animal"});
    const std::string document = folder.file("cats.lvd");
    DocumentFileOutputMethod(list).write(document);
    addItem(list, "dog", {"animal"});
    const std::string bytes = readFile(document);
    std::vector<std::string> sameFile = {document, folder.file(".") + "/cats.lvd"};
#ifdef _WIN32
    sameFile.push_back(folder.file("CATS.LVD"));
#endif
    for (const std::string& target : sameFile) {
        EXPECT_THROW(CSVFileOutputMethod(list).write(target), ExportOverDocumentException) << target;
        EXPECT_THROW(HtmlFileOutputMethod(list).write(target), ExportOverDocumentException) << target;
        EXPECT_EQ(readFile(document), bytes);
    }
    EXPECT_TRUE(list.isModified());
    CSVFileOutputMethod(list).write(folder.file("cats.txt"));
    EXPECT_NE(readFile(folder.file("cats.txt")).find("dog"), std::string::npos);
}

TEST(FileTypes, TextFilesAreKnownByTheirExtension) {
    for (const char* name : {"words.txt", "C:\\lists\\Words.CSV", "a.b/c.Tsv"})
        EXPECT_TRUE(hasTextFileExtension(name)) << name;
    for (const char* name :
         {"words.lvd", "csv", "C:\\csv\\words", "C:\\lists\\txt", "words.txt.lvd", "words.csvx"})
        EXPECT_FALSE(hasTextFileExtension(name)) << name;
}
