#include "testfiles.h"
#include "testlists.h"

#include "app/files/csvexporter.h"
#include "app/files/rowsource.h"
#include "app/files/textimporter.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>

namespace {

// The item type and field names, then each item as its term, fields and comment.
Rows namesThenItems(const StudyList& list) {
    Rows rows = itemsOf(list);
    rows.insert(rows.begin(), namesOf(list.getOutline()));
    return rows;
}

ImportRefusal refusalOf(const std::string& text, const ImportChoices& choices = {}) {
    try {
        TextImporter(choices).read(text);
    } catch (const ImportRefusal& e) {
        return e;
    }
    ADD_FAILURE() << "not refused: " << text.substr(0, 80);
    return ImportRefusal(ImportRefusal::Reason::NoRows, -1, "");
}

// ASCII text as UTF-16 without a byte-order mark.
std::string utf16(std::string_view text, bool bigEndian) {
    std::string wide;
    for (const char c : text) {
        wide.push_back(bigEndian ? '\0' : c);
        wide.push_back(bigEndian ? c : '\0');
    }
    return wide;
}

const Rows GermanWords = {{"Term", "Definition"}, {"banana", "Banane", ""}, {"apple", "Apfel", ""}};

// The items and every line the report names, or the refusal and its line.
std::pair<Rows, std::string> outcomeOf(TextImporter& importer, const auto& text) {
    try {
        const StudyList list = importer.read(text);
        const TextImportReport& report = importer.getReport();
        return {namesThenItems(list), std::to_string(report.replacedCharacters.firstLine) + " " +
                                          std::to_string(report.rowsWithoutTerm.firstLine) + " " +
                                          std::to_string(report.repeatedTerms.firstLine)};
    } catch (const ImportRefusal& e) {
        return {{}, e.what() + std::to_string(e.getLine())};
    }
}

} // namespace

// Files as people have them, which a guess from the first row alone read wrong: a title line or a word
// without a definition first, decimal commas, commas inside tab-separated definitions, the empty columns
// spreadsheets pad rows with, UTF-16 without a byte-order mark, a header of names.
TEST(ImportGuesses, ReadRealShapedFilesAsTheyWereMeant) {
    const struct {
        const char* what;
        std::string text;
        char separator;
        Rows namesThenItems;
    } cases[] = {
        {"title line",
         "German words\nbanana,Banane\napple,Apfel\n",
         ',',
         {{"Term", "Definition"},
          {"German words", "", ""},
          {"banana", "Banane", ""},
          {"apple", "Apfel", ""}}},
        {"word without a definition first",
         "Obst\r\nbanana;Banane\r\napple;Apfel\r\n",
         ';',
         {{"Term", "Definition"}, {"Obst", "", ""}, {"banana", "Banane", ""}, {"apple", "Apfel", ""}}},
        {"decimal commas and a row with one more column",
         "Apfel;1,50\nBirne;2,25\nKirsche;3,20;Kilo\nPflaume;0,99\n",
         ';',
         {{"Term", "Field 1", "Field 2"},
          {"Apfel", "1,50", "", ""},
          {"Birne", "2,25", "", ""},
          {"Kirsche", "3,20", "Kilo", ""},
          {"Pflaume", "0,99", "", ""}}},
        {"commas in tab-separated definitions",
         "cat\tsmall, furry, cute\ndog\tloyal, loud, big\n",
         '\t',
         {{"Term", "Definition"}, {"cat", "small, furry, cute", ""}, {"dog", "loyal, loud, big", ""}}},
        {"padding columns", "banana,Banane,,,,\r\napple,Apfel,,,,\r\n", ',', GermanWords},
        {"padding in a middle column", "banana,,Banane\napple,,Apfel\n", ',', GermanWords},
        {"UTF-16 LE without a mark", utf16("banana\tBanane\r\napple\tApfel\r\n", false), '\t', GermanWords},
        {"UTF-16 BE without a mark", utf16("banana;Banane\napple;Apfel\n", true), ';', GermanWords},
        {"a header of names above rows that are not",
         "Word;Meaning\nHaus;house, home\nAuto;car, automobile\nBaum;tree (oak, beech)\n",
         ';',
         {{"Word", "Meaning"},
          {"Haus", "house, home", ""},
          {"Auto", "car, automobile", ""},
          {"Baum", "tree (oak, beech)", ""}}},
        {"names above names are items",
         "Front,Back\ncat,Katze\ndog,Hund\n",
         ',',
         {{"Term", "Definition"}, {"Front", "Back", ""}, {"cat", "Katze", ""}, {"dog", "Hund", ""}}},
        {"every cell quoted",
         "\"cat\",\"Katze\"\n\"dog\",\"Hund\"\n",
         ',',
         {{"Term", "Definition"}, {"cat", "Katze", ""}, {"dog", "Hund", ""}}},
        {"quotes that were needed",
         "say,\"\"\"hi\"\"\"\n\"a, b\",c\nquote,\"\"\"Carpe diem\"\"\"\n",
         ',',
         {{"Term", "Definition"}, {"say", "\"hi\"", ""}, {"a, b", "c", ""}, {"quote", "\"Carpe diem\"", ""}}},
        {"one quoted cell, holding a line break",
         "Term,Definition,Comment\ncat,\"small, furry\ncute\",\n",
         ',',
         {{"Term", "Definition"}, {"cat", "small, furry\ncute", ""}}},
        {"quotes nothing needed",
         "\"Carpe diem\"\tseize the day\nx\t\"y\"\n",
         '\t',
         {{"Term", "Definition"}, {"\"Carpe diem\"", "seize the day", ""}, {"x", "\"y\"", ""}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TextImporter importer;
        EXPECT_EQ(namesThenItems(importer.read(c.text)), c.namesThenItems);
        EXPECT_EQ(importer.getReport().separator, c.separator);
    }

    // A row of 100,000 empty cells is a row without a term, not 100,000 fields.
    TextImporter importer;
    EXPECT_EQ(namesThenItems(importer.read("banana,Banane\n" + std::string(100000, ',') + "\napple,Apfel\n")),
              GermanWords);
    EXPECT_EQ(importer.getReport().rowsWithoutTerm.firstLine, 2);
}

// The spreadsheet files of the other tests without their byte-order mark read the same.
TEST(ImportGuesses, ReadUtf16WithoutAByteOrderMark) {
    const std::string marked = readFile(std::string(LORVANT_IMPORT_DATA) + "/words-utf16.txt");
    TextImporter withMark;
    TextImporter without;
    const Rows expected = namesThenItems(withMark.read(marked));
    EXPECT_EQ(namesThenItems(without.read(marked.substr(2))), expected);
    EXPECT_EQ(without.getReport().encoding, TextEncoding::Utf16LittleEndian);
}

TEST(ImportGuesses, RefuseWhatIsNoTextOrWouldLoseTextNamingTheLine) {
    using Reason = ImportRefusal::Reason;
    using namespace std::string_literals;
    std::string manyCells;
    for (int i = 0; i < 600; ++i)
        manyCells += "x,";
    const struct {
        std::string text;
        ImportChoices choices;
        Reason reason;
        int line;
    } cases[] = {
        {"cat\tKatze\r\ndog\tHund\r\n\x01\x02\0\x03"s, {}, Reason::NotText, 3},
        {utf16(std::string(200, 'a') + "\nb", false) + "\0\0"s, {}, Reason::NotText, 2},
        {"cat,Katze\n" + std::string(600, ',') + "x\n" + manyCells, {}, Reason::TooManyFields, 3},
        {"cat;Katze\ndog;Hund;Rüde\n",
         {.columns = std::vector{ColumnRole::Term, ColumnRole::Field}},
         Reason::TooManyCells,
         2},
    };
    for (const auto& c : cases) {
        const ImportRefusal refusal = refusalOf(c.text, c.choices);
        EXPECT_EQ(refusal.getRefusal(), c.reason) << c.text;
        EXPECT_EQ(refusal.getLine(), c.line) << c.text;
    }
}

// Every text a user can type (no tab, no line break) comes back from the tab-delimited export unchanged,
// quotes first and last, doubled quotes and all.
TEST(ImportGuesses, TheTabDelimitedExportReadsBackUnchanged) {
    std::mt19937 random(20261207);
    const std::string pieces[] = {"\"", "\"\"",    "\"a\"",    "a", " ",       ",",
                                  ";",  "Comment", "\xC3\x9F", "1", "\xC5\x81"};
    const auto text = [&](bool nonEmpty) {
        std::string made;
        for (std::size_t length = random() % 4 + (nonEmpty ? 1 : 0); length > 0; --length)
            made += pieces[random() % std::size(pieces)];
        return made;
    };
    for (int round = 0; round < 300; ++round) {
        std::vector<std::string> fields;
        for (std::size_t i = random() % 3 + 1; i > 0; --i)
            fields.push_back(text(true) + std::to_string(i));
        Rows rows(random() % 6 + 1);
        for (std::vector<std::string>& row : rows) {
            row.push_back(text(true));
            for (std::size_t i = 0; i <= fields.size(); ++i)
                row.push_back(text(false));
        }
        if (round == 0)
            rows = {{"\"Carpe diem\"", "seize the day", ""}, {"a\"\"b", "\"a\"\"b\"", "\""}};
        const StudyList list = makeStudyList(round == 0 ? std::vector<std::string>{"Meaning"} : fields, rows);
        std::ostringstream exported;
        CSVExporter(list).exportTo(exported);
        StudyList imported;
        try {
            imported = TextImporter().read(exported.str());
        } catch (const ImportRefusal& e) {
            FAIL() << e.what() << " " << e.getLine() << "\n" << exported.str();
        }
        ASSERT_EQ(namesThenItems(imported), namesThenItems(list)) << exported.str();
    }
}

// Each choice the user makes is taken as made.
TEST(TextImporter, TakesTheChoicesGiven) {
    const std::string text = "Front,Back,Note,Level\ncat,Katze,pet,\"1,2\"\ndog,Hund,,3\n";
    EXPECT_EQ(namesThenItems(TextImporter({.header = true}).read(text)),
              (Rows{{"Front", "Back", "Note", "Level"},
                    {"cat", "Katze", "pet", "1,2", ""},
                    {"dog", "Hund", "", "3", ""}}));
    const ImportChoices mapped{
        .header = true,
        .columns = std::vector{ColumnRole::Skip, ColumnRole::Term, ColumnRole::Comment, ColumnRole::Field}};
    EXPECT_EQ(namesThenItems(TextImporter(mapped).read(text)),
              (Rows{{"Back", "Level"}, {"Katze", "1,2", "pet"}, {"Hund", "3", ""}}));
    EXPECT_EQ(namesThenItems(TextImporter({.separator = ';', .quoting = false, .header = false}).read(text)),
              (Rows{{"Term", "Definition"},
                    {"Front,Back,Note,Level", "", ""},
                    {"cat,Katze,pet,\"1,2\"", "", ""},
                    {"dog,Hund,,3", "", ""}}));

    // The encoding too: legacy bytes that happen to be valid UTF-8 ("\xC3\x9F" is "ß" in UTF-8, "ÃŸ" in
    // windows-1252).
    TextImporter legacy({.encoding = TextEncoding::Windows1252});
    EXPECT_EQ(legacy.read("\xC3\x9F\tx\n").getTermSet(0).getTerm(), "\xC3\x83\xC5\xB8");
    EXPECT_EQ(TextImporter().read("\xC3\x9F\tx\n").getTermSet(0).getTerm(), "\xC3\x9F");
}

// A file read in pieces cut anywhere (inside a character, a quoted cell, a CR LF) gives what the whole
// gives, lines in the report and refusals included. The first megabyte decides the layout, so the files
// are larger.
TEST(TextImporter, ReadsAFileInPiecesAsAWhole) {
    using namespace std::string_literals;
    const auto repeated = [](const std::string& rows) {
        std::string text;
        while (text.size() < LayoutSampleBytes + 100000)
            text += rows;
        return text;
    };
    const std::string polish = "\xC5\x81\xC3\xB3"
                               "d\xC5\xBA";
    // Long cells keep the number of items, and so the test's time, small.
    const std::string longText(500, 'w');
    const std::string texts[] = {
        "\xEF\xBB\xBFWort,Bedeutung,Comment\r\n" +
            repeated(polish + ",\"city\r\nin Poland\",\r\n,none,\r\n" + polish + ",again " + longText +
                     ",\xF0\x9F\x98\x80\r\n") +
            "\"open,x\r\nlast,row\r",
        "\xFF\xFE" + repeated(utf16("a\tb" + longText + "\r\nc\td\r\n", false) + "\x3D\xD8\x00\xDE"s +
                              utf16("\te\r\n", false)),
        repeated(utf16("x;y" + longText + "\ny;z\n", true)),
        repeated("caf\xE9\tcoffee " + longText + "\r\n\"a\"\"b\"\t\"c\td\"\r\nx\ty\r\n"),
        repeated("a\tb" + longText + "\r\nc\td\r\n") + "\x01\0e"s,
    };
    std::mt19937 random(8);
    for (const std::string& text : texts) {
        TextImporter importer;
        const std::pair<Rows, std::string> whole = outcomeOf(importer, text);
        for (int round = 0; round < 2; ++round) {
            TextChunks pieces;
            for (std::size_t at = 0; at < text.size();) {
                const std::size_t size = std::min<std::size_t>(random() % 20000 + 1, text.size() - at);
                pieces.push_back(text.substr(at, size));
                at += size;
            }
            const std::pair<Rows, std::string> inPieces = outcomeOf(importer, pieces);
            ASSERT_TRUE(inPieces == whole) << inPieces.second << " / " << whole.second << " round " << round;
        }
    }
}

// Rows read from pieces cut anywhere are the rows of the whole, on the same lines, with or without
// quoting, whether the pieces are kept or let go.
TEST(RowSource, ReadsRowsAcrossPiecesAsFromTheWhole) {
    const std::string text =
        "a,\"b, c\",\"say \"\"hi\"\"\"\r\n\"two\r\nlines\",x\n\ny,\rz,\r\n\"open,x\r\nlast,\"row\"";
    std::mt19937 random(3);
    for (const bool quoting : {true, false}) {
        std::vector<std::pair<int, std::vector<std::string>>> whole;
        TableReader reader(text, ',', quoting);
        std::vector<std::string> cells;
        while (reader.next(cells))
            whole.emplace_back(reader.getLine(), cells);
        for (int round = 0; round < 100; ++round) {
            TextChunks pieces;
            for (std::size_t at = 0; at < text.size();) {
                const std::size_t size = std::min<std::size_t>(random() % 5, text.size() - at);
                pieces.push_back(text.substr(at, size));
                at += size;
            }
            std::vector<std::pair<int, std::vector<std::string>>> read;
            RowSource source(pieces, ',', quoting, round % 2 == 0);
            while (source.next(cells))
                read.emplace_back(source.getLine(), cells);
            ASSERT_EQ(read, whole) << "round " << round;
        }
    }
}
