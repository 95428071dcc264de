#include "testfiles.h"
#include "testlists.h"

#include "app/files/csvfileoutputmethod.h"
#include "app/files/documentfileoutputmethod.h"
#include "app/files/exporter.h"
#include "app/files/filetypes.h"
#include "app/files/htmlfileoutputmethod.h"
#include "app/files/spreadsheetcsvfileoutputmethod.h"

#include "WinLib/io/platformfiles.h"

#include <gtest/gtest.h>

namespace {

template <class OutputMethod> std::string exported(StudyList& list, const std::string& path) {
    OutputMethod(list).write(path);
    return readFile(path);
}

} // namespace

// Exports replace what the file held and leave the document's name and unsaved changes alone.
TEST(Export, TabSeparatedText) {
    TempFolder folder;
    const std::string path = folder.file("out.txt");
    writeFile(path, "previous, longer contents that must go");
    StudyList list = makeStudyList({"Definition"}, {});
    EXPECT_EQ(exported<CSVFileOutputMethod>(list, path), "Term\tDefinition\tComment");
    // In the legacy code page while every text fits it, in UTF-8 with its mark otherwise.
    list = makeStudyList({"Definition", "Example"},
                         {{"caf\xC3\xA9", "coffee", "", ""}, {"dog", "", "a dog\tbarks\n", "loud"}});
    list.setFileName(folder.file("cats.lvd"));
    EXPECT_EQ(exported<CSVFileOutputMethod>(list, path),
              "Term\tDefinition\tExample\tComment\r\ncaf\xE9\tcoffee\t\t\r\ndog\t\ta dog\tbarks\n\tloud");
    list.getTermSet(1).setComment("\xD0\xBB\xD0\xB0\xD0\xB9");
    EXPECT_EQ(exported<CSVFileOutputMethod>(list, path),
              "\xEF\xBB\xBFTerm\tDefinition\tExample\tComment\r\ncaf\xC3\xA9\tcoffee\t\t\r\n"
              "dog\t\ta dog\tbarks\n\t\xD0\xBB\xD0\xB0\xD0\xB9");
    EXPECT_EQ(list.getFileName(), folder.file("cats.lvd"));
    EXPECT_TRUE(list.isModified());
    EXPECT_EQ(failureOf([&] { CSVFileOutputMethod(list).write(folder.file("missing") + "/out.txt"); }),
              "open: ");
}

TEST(Export, HtmlPageIsAnEscapedTable) {
    TempFolder folder;
    StudyList list =
        makeStudyList({"Definition", "Example"}, {{"cat", "animal", "\"It's\" <b>", "a&b"}, {"dog"}});
    Outline outline = list.getOutline();
    outline.setItemType("Word & <Co>");
    list.setOutline(outline);
    const std::string path = folder.file("page.html");
    const std::string untitled = exported<HtmlFileOutputMethod>(list, path);
    EXPECT_NE(untitled.find("<title>new Study List</title>"), std::string::npos);
    list.setFileName(folder.file("cats.lvd"));
    const std::string html = exported<HtmlFileOutputMethod>(list, path);
    EXPECT_EQ(html.rfind("<!DOCTYPE html>", 0), 0u);
    for (const char* part :
         {"<meta charset=\"windows-1252\">", "<title>cats.lvd</title>",
          "<tr><th>Word &amp; &lt;Co&gt;</th><th>Definition</th><th>Example</th><th>Comment</th></tr>",
          "<tr><td>cat</td><td>animal</td><td>&quot;It&#39;s&quot; &lt;b&gt;</td><td>a&amp;b</td></tr>",
          "<tr><td>dog</td><td></td><td></td><td></td></tr>", "</html>"})
        EXPECT_NE(html.find(part), std::string::npos) << part;
    EXPECT_EQ(html.find("<b>"), std::string::npos);
    EXPECT_EQ(list.getFileName(), folder.file("cats.lvd"));
    EXPECT_EQ(failureOf([&] { HtmlFileOutputMethod(list).write(folder.file("missing") + "/x.html"); }),
              "open: ");
}

TEST(Export, CsvForSpreadsheetsIsUtf8WithAMarkCommasAndQuotesWhereNeeded) {
    StudyList list = makeStudyList(
        {"Definition", "Example"},
        {{"Stra\xC3\237e \xE2\x82\xAC", "street", "\"Hauptstra\xC3\237e\" is long", "two\r\nlines"},
         {"\"train on line\" indication"}});
    Outline outline = list.getOutline();
    outline.setItemType("Wort, deutsch");
    list.setOutline(outline);
    TempFolder folder;
    EXPECT_EQ(exported<SpreadsheetCSVFileOutputMethod>(list, folder.file("out.csv")),
              "\xEF\xBB\xBF\"Wort, deutsch\",Definition,Example,Comment\r\n"
              "Stra\xC3\237e \xE2\x82\xAC,street,\"\"\"Hauptstra\xC3\237e\"\" is long\",\"two\r\nlines\"\r\n"
              "\"\"\"train on line\"\" indication\",,,\r\n");
    EXPECT_TRUE(list.isModified());
    EXPECT_EQ(list.getFileName(), "");
}

// The text goes to the file as it is made, never whole into memory; a failing disk stops the export with the
// file's own error.
TEST(Export, WritesTheFileAsItExports) {
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

    using Injection = Win::IO::PlatformFiles::FailureInjection;
    Injection fullDisk(Injection::Step::Write, 100000);
    EXPECT_EQ(failureOf([&] { probe.exportToFile(probe.path); }), "write: File write failed");
}

// Exporting leaves the document unsaved, so an export over the document's own file, however it is named,
// is refused before anything is written.
TEST(Export, RefusesTheDocumentsOwnFile) {
    TempFolder folder;
    StudyList list = makeStudyList({"Definition"}, {{"cat", "animal"}});
    const std::string document = folder.file("cats.lvd");
    DocumentFileOutputMethod(list).write(document);
    list.addTermSet(makeStudyList({}, {{"dog"}}).getTermSet(0));
    const std::string saved = readFile(document);
    std::vector<std::string> sameFile = {document, folder.file(".") + "/cats.lvd"};
#ifdef _WIN32
    sameFile.push_back(folder.file("CATS.LVD"));
#endif
    for (const std::string& target : sameFile) {
        EXPECT_THROW(CSVFileOutputMethod(list).write(target), ExportOverDocumentException) << target;
        EXPECT_THROW(HtmlFileOutputMethod(list).write(target), ExportOverDocumentException) << target;
        EXPECT_EQ(readFile(document), saved);
    }
    EXPECT_TRUE(list.isModified());
    EXPECT_NE(exported<CSVFileOutputMethod>(list, folder.file("cats.txt")).find("dog"), std::string::npos);
}

TEST(FileTypes, TextFilesAreKnownByTheirExtension) {
    for (const char* name : {"words.txt", "C:\\lists\\Words.CSV", "a.b/c.Tsv"})
        EXPECT_TRUE(hasTextFileExtension(name)) << name;
    for (const char* name :
         {"words.lvd", "csv", "C:\\csv\\words", "C:\\lists\\txt", "words.txt.lvd", "words.csvx"})
        EXPECT_FALSE(hasTextFileExtension(name)) << name;
}
