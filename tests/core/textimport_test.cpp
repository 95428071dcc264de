#include "testfiles.h"
#include "testlists.h"

#include "app/files/spreadsheetcsvexporter.h"
#include "app/files/tablereader.h"
#include "app/files/textdecoder.h"
#include "app/files/textfileinputmethod.h"
#include "app/files/textimporter.h"

#include "WinLib/io/exceptions.h"
#include "WinLib/io/legacycodepage.h"
#include "WinLib/io/utf8.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>

namespace {

using Table = std::vector<std::vector<std::string>>;

Table rowsOf(const std::string& text, char separator) {
    TableReader reader(text, separator);
    Table rows;
    std::vector<std::string> cells;
    while (reader.next(cells))
        rows.push_back(cells);
    return rows;
}

TextImporter::Error refusalOf(const std::string& text) {
    try {
        TextImporter().read(text);
    } catch (const TextImporter::Error& e) {
        return e;
    }
    ADD_FAILURE() << "not refused: " << text;
    return TextImporter::Error(TextImporter::Refusal::NoRows, -1, "");
}

} // namespace

TEST(TextDecoder, ConvertsEveryEncodingToUtf8) {
    const struct {
        std::string bytes;
        std::string text;
        TextEncoding encoding;
    } cases[] = {
        {"Aalspie\xC3\x9F gro\xC3\x9F \xE2\x82\xAC", "Aalspie\xC3\x9F gro\xC3\x9F \xE2\x82\xAC",
         TextEncoding::Utf8},
        {"\xEF\xBB\xBFGerman\tEnglish", "German\tEnglish", TextEncoding::Utf8},
        {bytes({0xFF, 0xFE, 'G', 0, 0xDF, 0, 0xAC, 0x20}), "G\xC3\x9F\xE2\x82\xAC",
         TextEncoding::Utf16LittleEndian},
        {bytes({0xFE, 0xFF, 0, 'G', 0, 0xDF, 0x20, 0xAC}), "G\xC3\x9F\xE2\x82\xAC",
         TextEncoding::Utf16BigEndian},
        // Beyond the basic plane, from a surrogate pair.
        {bytes({0xFF, 0xFE, 0x3D, 0xD8, 0x00, 0xDE}), "\xF0\x9F\x98\x80", TextEncoding::Utf16LittleEndian},
        // Not UTF-8 (an overlong form, a lone continuation byte, a cut sequence): windows-1252.
        {"caf\xE9", "caf\xC3\xA9", TextEncoding::Windows1252},
        {"\xC0\xAF x \x80 y \xC3", "\xC3\x80\xC2\xAF x \xE2\x82\xAC y \xC3\x83", TextEncoding::Windows1252},
        {"plain", "plain", TextEncoding::Windows1252},
    };
    for (const auto& c : cases) {
        const DecodedText decoded = decodeText(c.bytes);
        EXPECT_EQ(decoded.text, c.text);
        EXPECT_EQ(decoded.encoding, c.encoding) << c.text;
        EXPECT_EQ(decoded.replacedCharacters.count, 0);
    }
}

TEST(TextDecoder, ReplacesOnlyWhatIsNoCharacterOfTheEncoding) {
    // Behind a byte-order mark, on lines ended by CR, CR and CR LF: Polish, Chinese and a character beyond
    // the basic plane are kept; a byte that is no UTF-8 and a cut sequence are not.
    const DecodedText utf8 = decodeText("\xEF\xBB\xBFok\rstill\rok\r\n\xC5\x81\xC3\263d\xC5\xBA "
                                        "\xE4\xB8\xAD\xF0\x9F\x98\x80 \xFF \xE4\xB8");
    EXPECT_EQ(utf8.text, "ok\rstill\rok\r\n\xC5\x81\xC3\263d\xC5\xBA \xE4\xB8\xAD\xF0\x9F\x98\x80 ? ??");
    EXPECT_EQ(utf8.replacedCharacters.count, 3);
    EXPECT_EQ(utf8.replacedCharacters.firstLine, 4);

    // A lone surrogate and an odd last byte.
    const DecodedText utf16 =
        decodeText(bytes({0xFF, 0xFE, 'a', 0, 0x3D, 0xD8, 0x00, 0xDE, 0x00, 0xDC, 'b', 0, 'c'}));
    EXPECT_EQ(utf16.text, "a\xF0\x9F\x98\x80?b?");
    EXPECT_EQ(utf16.replacedCharacters.count, 2);
    EXPECT_EQ(utf16.replacedCharacters.firstLine, 1);
}

TEST(TableReader, ReadsCellsAsSpreadsheetsWriteThem) {
    // Quoted separators, doubled quotes, a line break in a cell, CR LF, LF and CR line ends, a
    // blank line, an empty last cell.
    EXPECT_EQ(rowsOf("a,\"b, c\",\"say \"\"hi\"\"\"\r\n\"two\r\nlines\",x\n\ny,\rz,", ','),
              (Table{{"a", "b, c", "say \"hi\""}, {"two\r\nlines", "x"}, {"y", ""}, {"z", ""}}));
    // Cells that are not well formed are taken as they stand.
    EXPECT_EQ(
        rowsOf("\"train on line\" indication (railway)\tZugmeldung\n\"open\tx\nsay \"a\"\t\"\"\"\"", '\t'),
        (Table{
            {"\"train on line\" indication (railway)", "Zugmeldung"}, {"\"open", "x"}, {"say \"a\"", "\""}}));

    // Rows are found by the line they begin on, whatever their cells span.
    TableReader reader("h\r\n\r\n\"1\n2\r3\r\n4\"\rnext\n", ',');
    std::vector<std::string> cells;
    std::vector<int> lines;
    while (reader.next(cells))
        lines.push_back(reader.getLine());
    EXPECT_EQ(lines, (std::vector<int>{1, 3, 7}));
}

// The separator splits the first rows most evenly, unless a header ending in "Comment" decides; with a
// header its names make the outline, without one every row is an item. Blank lines are skipped, rows
// without a term too.
TEST(TextImporter, ReadsTheOutlineAndItemsAsTheFileLaysThemOut) {
    const struct {
        std::string text;
        char separator;
        bool header;
        Table namesThenItems; // items as term, fields, comment
    } cases[] = {
        {"Term\tDefinition\tComment\r\ncat\tsmall, furry\t\r\n",
         '\t',
         true,
         {{"Term", "Definition"}, {"cat", "small, furry", ""}}},
        {"Haus;house, home\nAuto;car\n",
         ';',
         false,
         {{"Term", "Definition"}, {"Haus", "house, home", ""}, {"Auto", "car", ""}}},
        {"Term,Definition\n\"a;b\",\"c;d\"\n",
         ',',
         false,
         {{"Term", "Definition"}, {"Term", "Definition", ""}, {"a;b", "c;d", ""}}},
        // Rows narrower than the header are filled up, wider ones with empty cells lose nothing.
        {"Term\tDefinition\tComment\ncat\tanimal\n\ndog\tanimal\t\t\t\n",
         '\t',
         true,
         {{"Term", "Definition"}, {"cat", "animal", ""}, {"dog", "animal", ""}}},
        {"Word\tor,Comment\ncat\tx,y\n", ',', true, {{"Word\tor"}, {"cat\tx", "y"}}},
        {"Word;Meaning;Example;COMMENT\r\ncat;animal;\"the cat; "
         "sat\";pet\r\ndog;animal\r\n\r\n;orphan;;\r\ncat;again;;\r",
         ';',
         true,
         {{"Word", "Meaning", "Example"},
          {"cat", "animal", "the cat; sat", "pet"},
          {"dog", "animal", "", ""},
          {"cat", "again", "", ""}}},
        // Names the outline dialog would refuse are given one.
        {",Definition,,comment\nx,y,z,\n",
         ',',
         true,
         {{"Term", "Definition", "Field 2"}, {"x", "y", "z", ""}}},
        {"Haus\n", '\t', false, {{"Term", "Definition"}, {"Haus", "", ""}}},
        {"Haus,house,das\nBaum,tree\nAuto,car,das,Autos\n",
         ',',
         false,
         {{"Term", "Field 1", "Field 2", "Field 3"},
          {"Haus", "house", "das", "", ""},
          {"Baum", "tree", "", "", ""},
          {"Auto", "car", "das", "Autos", ""}}},
        // The last column holds data, not comments; quotes that nothing needed are text.
        {"Aal\teel\n\"Comment\"\tcomment\n",
         '\t',
         false,
         {{"Term", "Definition"}, {"Aal", "eel", ""}, {"\"Comment\"", "comment", ""}}},
    };
    for (const auto& c : cases) {
        TextImporter importer;
        const StudyList list = importer.read(c.text);
        Table namesThenItems = itemsOf(list);
        namesThenItems.insert(namesThenItems.begin(), namesOf(list.getOutline()));
        EXPECT_EQ(namesThenItems, c.namesThenItems) << c.text;
        EXPECT_EQ(importer.getReport().separator, c.separator) << c.text;
        EXPECT_EQ(importer.getReport().hasHeader, c.header) << c.text;
        EXPECT_EQ(numbersOf(list).back(), list.getTermSetCount());
    }

    TextImporter importer;
    const StudyList list = importer.read(cases[5].text);
    EXPECT_EQ(numbersOf(list), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(list.getTermSet(0).getTimesAsked(), 0);
    EXPECT_TRUE(list.isModified());
    EXPECT_EQ(list.getFileName(), "");
    const TextImportReport& report = importer.getReport();
    EXPECT_EQ(report.itemCount, 3);
    EXPECT_EQ(report.rowsWithoutTerm.count, 1);
    EXPECT_EQ(report.rowsWithoutTerm.firstLine, 5);
    EXPECT_EQ(report.repeatedTerms.count, 1);
    EXPECT_EQ(report.repeatedTerms.firstLine, 6);
    EXPECT_TRUE(report.changedAnything());
}

// Lists of texts made to trouble a table (separators, quotes, line breaks of every kind, characters of
// every length but NUL, which no text file holds) come back from the spreadsheet export unchanged.
TEST(TextImporter, TheSpreadsheetExportReadsBackTheSameItems) {
    std::mt19937 random(20261206);
    const std::string pieces[] = {",",    ";", "\t", "\"",       "\"\"",         "\r",       "\n",
                                  "\r\n", " ", "ab", "\xC3\x9F", "\xE2\x82\xAC", "\xC2\x81", "Comment"};
    const auto randomCharacter = [&] {
        const char32_t limits[] = {0x80, 0x800, 0xD800, 0x110000};
        const auto codePoint = static_cast<char32_t>(random() % limits[random() % std::size(limits)]);
        return codePoint == 0 || (codePoint >= 0xD800 && codePoint <= 0xDFFF) ? U'?' : codePoint;
    };
    const auto text = [&](bool nonEmpty) {
        std::string made;
        for (std::size_t length = random() % 6 + (nonEmpty ? 1 : 0); length > 0; --length) {
            if (random() % 2 == 0)
                made += pieces[random() % std::size(pieces)];
            else
                Win::IO::Utf8::append(made, randomCharacter());
        }
        return made;
    };
    std::string everyByte;
    for (int byte = 1; byte < 256; ++byte)
        everyByte.push_back(static_cast<char>(byte));
    everyByte = Win::IO::LegacyCodePage::toUtf8(everyByte);
    for (int round = 0; round < 200; ++round) {
        std::vector<std::string> fields;
        for (std::size_t i = random() % 4; i > 0; --i)
            fields.push_back(text(true) + std::to_string(i));
        Rows rows(random() % 12);
        for (std::vector<std::string>& row : rows) {
            row.push_back(text(true));
            for (std::size_t i = 0; i <= fields.size(); ++i)
                row.push_back(text(false));
        }
        if (round == 0)
            rows.push_back({everyByte});
        StudyList list = makeStudyList(fields, rows);
        Outline outline = list.getOutline();
        outline.setItemType(text(true));
        list.setOutline(outline);

        std::ostringstream exported;
        SpreadsheetCSVExporter(list).exportTo(exported);
        TextImporter importer;
        const StudyList imported = importer.read(exported.str());
        ASSERT_EQ(namesOf(imported.getOutline()), namesOf(list.getOutline())) << "round " << round;
        ASSERT_EQ(itemsOf(imported), itemsOf(list)) << "round " << round;
        EXPECT_EQ(importer.getReport().replacedCharacters.count, 0);
    }
}

TEST(TextImporter, RefusesWhatWouldLoseDataAndNamesTheLine) {
    using Refusal = TextImporter::Refusal;
    const struct {
        std::string text;
        Refusal refusal;
        int line;
    } cases[] = {
        {"", Refusal::NoRows, 0},
        {"\r\n\n", Refusal::NoRows, 0},
        {"Term\tDefinition\tComment\ncat\tanimal\t\nemu\tbird\t\tflies\n", Refusal::TooManyCells, 3},
        {"Term\tX\tX\tComment\r\ncat\tsame\tsame\t\r\ndog\ta\tb\t", Refusal::RepeatedFieldDiffers, 3},
    };
    for (const auto& c : cases) {
        const TextImporter::Error error = refusalOf(c.text);
        EXPECT_EQ(error.getRefusal(), c.refusal) << c.text;
        EXPECT_EQ(error.getLine(), c.line) << c.text;
    }

    // At most the fields an outline can hold.
    std::string wide = "Term";
    for (int i = 0; i < Outline::MaxDefCount; ++i)
        wide += "\tF" + std::to_string(i);
    EXPECT_EQ(TextImporter().read(wide + "\tComment").getOutline().getDefCount(), Outline::MaxDefCount);
    wide += "\tone too many";
    EXPECT_EQ(refusalOf(wide + "\tComment").getRefusal(), Refusal::TooManyFields);
    EXPECT_EQ(refusalOf(wide).getRefusal(), Refusal::TooManyFields);

    // At most the items a document can hold.
    std::string rows = "Term\tComment";
    for (int i = 0; i < StudyList::MaxTermSetCount + 1; ++i)
        rows += "\nx\t";
    const TextImporter::Error error = refusalOf(rows);
    EXPECT_EQ(error.getRefusal(), Refusal::TooManyItems);
    EXPECT_EQ(error.getLine(), StudyList::MaxTermSetCount + 2);
}

TEST(TextFileInputMethod, ReadsWhatASpreadsheetProgramWroteIntoAnUntitledModifiedList) {
    const Table items{
        {"Aalspie\xC3\x9F", "eel spear", ""},
        {"gro\xC3\x9F, sehr gro\xC3\x9F", "big; very big", "\xC3\x9F \xC3\xA4 \xC3\xA9 \xE2\x82\xAC"},
        {"\"train on line\" indication (railway)", "Zugmeldung", "quote first"},
        {"Stra\xC3\x9F"
         "e\nWeg",
         "street", "two lines"},
        {"\xC5\x81\xC3\xB3"
         "d\xC5\xBA",
         "Lodz", ""},
        {"Tabulator", "tab\tstop", ""}};
    for (const char* name : {"words.csv", "words-semicolon.csv", "words-tab.txt", "words-utf16.txt"}) {
        SCOPED_TRACE(name);
        TextFileInputMethod reader;
        const StudyList list = reader.read(std::string(LORVANT_IMPORT_DATA) + "/" + name);
        EXPECT_EQ(namesOf(list.getOutline()), (std::vector<std::string>{"German", "English"}));
        EXPECT_EQ(itemsOf(list), items);
        EXPECT_EQ(reader.getReport().rowsWithoutTerm.firstLine, 7);
        EXPECT_EQ(reader.getReport().replacedCharacters.count, 0);
        EXPECT_EQ(list.getFileName(), "");
        EXPECT_TRUE(list.isModified());
    }
    EXPECT_THROW(TextFileInputMethod().read(std::string(LORVANT_IMPORT_DATA) + "/missing.csv"),
                 Win::IO::FileOpenException);
}

// The hook hears a figure that only rises, from every pass, and ends at the total with the items made;
// the first "stop" ends the import at once with ImportCancelled, in whichever pass it comes.
TEST(ImportProgress, RisesToTheTotalAndStopsTheImportWhenTold) {
    // Beyond the first megabyte, which the layout is guessed from in one piece.
    std::string text = "Word\tMeaning\n";
    for (int i = 0; i < 25000; ++i)
        text += "word" + std::to_string(i) + "\ta meaning long enough to make a text of over a megabyte, " +
                std::to_string(i) + "\n";
    // Cut anywhere, as the file is read.
    const auto pieces = [&text] {
        TextChunks chunks;
        for (std::size_t at = 0; at < text.size(); at += 4093)
            chunks.push_back(text.substr(at, 4093));
        return chunks;
    };

    std::vector<std::uint64_t> heard;
    ImportProgress progress([&heard](std::uint64_t done, std::uint64_t total) {
        EXPECT_EQ(total, ImportProgress::Total);
        heard.push_back(done);
        return true;
    });
    EXPECT_EQ(TextImporter().read(pieces(), progress).getTermSetCount(), 25000);
    EXPECT_TRUE(std::is_sorted(heard.begin(), heard.end()));
    ASSERT_FALSE(heard.empty());
    EXPECT_EQ(heard.back(), ImportProgress::Total);
    EXPECT_GE(heard.size(), 3 * 100u) << "decoding, finding the columns and making the items, piece by piece";
    EXPECT_LT(heard.front(), ImportProgress::Total / 4);

    for (const std::uint64_t stopAt :
         {std::uint64_t{1}, ImportProgress::Total / 5, ImportProgress::Total / 2, ImportProgress::Total}) {
        SCOPED_TRACE(stopAt);
        int callsAfterStop = 0;
        bool stopped = false;
        ImportProgress stopping([&](std::uint64_t done, std::uint64_t) {
            callsAfterStop += stopped ? 1 : 0;
            stopped = stopped || done >= stopAt;
            return !stopped;
        });
        EXPECT_THROW(TextImporter().read(pieces(), stopping), ImportCancelled);
        EXPECT_TRUE(stopped);
        EXPECT_EQ(callsAfterStop, 0);
    }
}

// Reading the file is the first pass: a stop while the first piece is read leaves the rest unread.
TEST(ImportProgress, ReadingAFileIsReportedAndCanBeStopped) {
    TempFolder folder;
    const std::string path = folder.file("large.txt");
    const std::string row = "a term\ta meaning that is long enough to fill the file quickly\n";
    std::string text;
    while (text.size() < 17 * 1024 * 1024)
        text += row;
    writeFile(path, text);

    std::vector<std::uint64_t> heard;
    EXPECT_THROW(TextFileInputMethod().read(path,
                                            [&heard](std::uint64_t done, std::uint64_t) {
                                                heard.push_back(done);
                                                return false;
                                            }),
                 ImportCancelled);
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_GT(heard[0], 0u);
    EXPECT_LT(heard[0], ImportProgress::Total / 10) << "a third of the reading";

    const std::string small = folder.file("small.txt");
    writeFile(small, "cat\tKatze\ndog\tHund\n");
    std::uint64_t last = 0;
    const StudyList list = TextFileInputMethod().read(small, [&last](std::uint64_t done, std::uint64_t) {
        last = done;
        return true;
    });
    EXPECT_EQ(list.getTermSetCount(), 2);
    EXPECT_EQ(last, ImportProgress::Total);
}
