#include "testfiles.h"

#include "app/files/csvfileoutputmethod.h"
#include "app/files/documentfileinputmethod.h"
#include "app/files/documentfileoutputmethod.h"
#include "app/files/htmlfileoutputmethod.h"
#include "app/files/spreadsheetcsvfileoutputmethod.h"
#include "app/files/textfileinputmethod.h"
#include "app/model/itemsearch.h"
#include "app/sessions/qnasession.h"

#include "WinLib/io/utf8.h"

#include <gtest/gtest.h>

namespace {

struct Script {
    const char* name;
    const char* word;
    const char* otherCase; // the word as typed in another case, where the script has case
    const char* wrong;     // a different word of the same script
};

// A word of each script, with an IPA pronunciation as comment.
const Script Scripts[] = {
    {"Polish", "Zwi\xC4\x85zek", "ZWI\xC4\x84ZEK", "Zwi\xC4\x85zki"},
    {"Greek", "\xCF\x83\xCE\xBF\xCF\x86\xCE\xAF\xCE\xB1", "\xCE\xA3\xCE\x9F\xCE\xA6\xCE\x8A\xCE\x91",
     "\xCF\x83\xCE\xBF\xCF\x86\xCF\x8C\xCF\x82"},
    {"Cyrillic", "\xD0\xBF\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82",
     "\xD0\x9F\xD0\xA0\xD0\x98\xD0\x92\xD0\x95\xD0\xA2", "\xD0\xBF\xD0\xBE\xD0\xBA\xD0\xB0"},
    {"Devanagari", "\xE0\xA4\x8F\xE0\xA4\x95", "\xE0\xA4\x8F\xE0\xA4\x95", "\xE0\xA4\xA6\xE0\xA5\x8B"},
    {"Arabic", "\xD9\x83\xD8\xAA\xD8\xA7\xD8\xA8", "\xD9\x83\xD8\xAA\xD8\xA7\xD8\xA8",
     "\xD9\x82\xD9\x84\xD9\x85"},
    {"Japanese", "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E", "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E",
     "\xE3\x81\xAB\xE3\x81\xBB\xE3\x82\x93\xE3\x81\x98"},
    {"Korean", "\xED\x95\x9C\xEA\xB5\xAD\xEC\x96\xB4", "\xED\x95\x9C\xEA\xB5\xAD\xEC\x96\xB4",
     "\xEC\x98\x81\xEC\x96\xB4"},
    {"IPA", "\xCB\x88\x66\xC9\x99\xCA\x8A\x6E\xC9\x9B\x74\xC9\xAA\x6B",
     "\xCB\x88\x46\xC6\x8F\xC6\xB1\x4E\xC6\x90\x54\xEA\x9E\xAE\x4B", "\xCB\x88\x66\xC9\x94\xCB\x90\x6E"},
    {"Beyond the basic plane", "\xF0\x9F\x98\x80 smile", "\xF0\x9F\x98\x80 SMILE", "\xF0\x9F\x98\x81 smile"},
};

const std::string Ipa = "\xCB\x88w\xC9\x9C\xCB\x90rd";

std::string table(const Script& script) {
    return std::string("Term\tDefinition\tComment\r\nhouse\tdom\t\r\n") + script.word + "\tmeaning\t" + Ipa;
}

std::string utf16LittleEndian(const std::string& utf8) {
    std::string bytes = "\xFF\xFE";
    for (std::size_t at = 0; at < utf8.size();) {
        const Win::IO::Utf8::Character c = Win::IO::Utf8::decode(std::string_view(utf8).substr(at));
        at += c.length;
        const auto unit = [&](char32_t u) {
            bytes.push_back(static_cast<char>(u & 0xFF));
            bytes.push_back(static_cast<char>(u >> 8));
        };
        if (c.codePoint < 0x10000) {
            unit(c.codePoint);
        } else {
            unit(0xD800 + ((c.codePoint - 0x10000) >> 10));
            unit(0xDC00 + ((c.codePoint - 0x10000) & 0x3FF));
        }
    }
    return bytes;
}

StudyList imported(const std::string& path) {
    TextFileInputMethod reader;
    StudyList list = reader.read(path);
    EXPECT_EQ(reader.getReport().replacedCharacters.count, 0) << path;
    return list;
}

void expectWordKept(const StudyList& list, const Script& script) {
    ASSERT_EQ(list.getTermSetCount(), 2);
    EXPECT_EQ(list.getTermSet(1).getTerm(), script.word);
    EXPECT_EQ(list.getTermSet(1).getComment(), Ipa);
}

bool judged(StudyList& list, const char* given) {
    list.getSettings().setCaseSensitive(false);
    list.getSettings().setFromField(0);
    list.getSettings().setToTerm();
    list.getSettings().setShuffle(false);
    QnaSession session(list, true);
    EXPECT_TRUE(session.next() && session.next());
    return session.answer(given);
}

} // namespace

// Every character is kept from the import to the file, back, out through both exports and in again, and is
// found and judged in either case.
TEST(Scripts, EveryScriptIsKeptFoundAndJudged) {
    TempFolder folder;
    for (const Script& script : Scripts) {
        SCOPED_TRACE(script.name);
        writeFile(folder.file("utf8.txt"), table(script));
        writeFile(folder.file("utf16.txt"), utf16LittleEndian(table(script)));
        expectWordKept(imported(folder.file("utf16.txt")), script);
        StudyList list = imported(folder.file("utf8.txt"));
        expectWordKept(list, script);

        DocumentFileOutputMethod(list).write(folder.file("list.lvd"));
        EXPECT_EQ(readFile(folder.file("list.lvd")).substr(0, 4), bytes({0x02, 0x00, 0xFE, 0xCA}));
        StudyList reopened = DocumentFileInputMethod().read(folder.file("list.lvd"));
        expectWordKept(reopened, script);

        CSVFileOutputMethod(reopened).write(folder.file("tab.txt"));
        EXPECT_EQ(readFile(folder.file("tab.txt")).substr(0, 3), "\xEF\xBB\xBF");
        expectWordKept(imported(folder.file("tab.txt")), script);
        SpreadsheetCSVFileOutputMethod(reopened).write(folder.file("sheet.csv"));
        expectWordKept(imported(folder.file("sheet.csv")), script);
        HtmlFileOutputMethod(reopened).write(folder.file("page.html"));
        const std::string html = readFile(folder.file("page.html"));
        EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
        EXPECT_NE(html.find(std::string("<td>") + script.word + "</td>"), std::string::npos);

        EXPECT_EQ(ItemSearch(script.otherCase, false).findNext(reopened, -1), 1);
        EXPECT_EQ(ItemSearch(script.wrong, false).findNext(reopened, -1), -1);
        EXPECT_TRUE(judged(reopened, script.word));
        EXPECT_TRUE(judged(reopened, script.otherCase));
        EXPECT_FALSE(judged(reopened, script.wrong));
    }
}
