// Documents: opening, saving, exporting and importing, the recent documents, the question about unsaved
// changes, and no list lost to a failed save, the end of the session or a program killed while saving.
#include "tests/app/lorvantprocess.h"
#include "tests/app/testdocuments.h"

#include "resources/resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <future>

namespace {

using Rows = std::vector<LorvantProcess::Row>;
using Texts = std::vector<std::string>;

using Lorvant = LorvantProcess;

const std::string CannotSave = "Unable to save to the specified file.\nMake sure a disk is in the drive you "
                               "specified and you have sufficient permissions.\n";

Texts terms(const std::string& path) {
    const StudyList document = readDocument(path);
    Texts result;
    for (int i = 0; i < document.getTermSetCount(); ++i)
        result.emplace_back(document.getTermSet(static_cast<std::size_t>(i)).getTerm());
    return result;
}

// Asks the program, as the system does when the user logs off, whether the session may end; the answer comes
// once the program has asked the user whatever it asks.
std::future<LRESULT> queryEndSession(HWND mainWindow) {
    return std::async(std::launch::async, [mainWindow] {
        DWORD_PTR mayEnd = 99;
        SendMessageTimeoutA(mainWindow, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, 60000,
                            &mayEnd);
        return static_cast<LRESULT>(mayEnd);
    });
}

void removeRow(LorvantProcess& lorvant, int row) {
    lorvant.clickRow(row);
    lorvant.pressKey(VK_DELETE);
    lorvant.answerMessageBox("Please confirm", IDYES);
}

void saveAs(LorvantProcess& lorvant, const std::string& path, int type) {
    lorvant.chooseMenuItem(Lorvant::StudySetMenu, "Save &As...");
    lorvant.chooseFile("Save As", path, type);
}

Texts recentMenu(LorvantProcess& lorvant) {
    Texts labels;
    for (const auto& item : lorvant.menu(Lorvant::RecentMenu))
        if (!item.separator() && item.label != "Clear Recent")
            labels.push_back(item.label);
    return labels;
}

class Files : public ::testing::Test {
protected:
    TestFolder folder;
    const std::string animals = folder.path("my animals.lvd");
    void SetUp() override {
        deleteRecentDocsKey();
        writeDocument(
            animals, {{"cat", {"Katze"}, "", 2, 1}, {"dog", {"Hund"}, "", 0, 0}, {"cow", {"Kuh"}, "", 0, 0}});
    }
};

// Named relative to the folder Lorvant starts in, the document is known by its full path. Its changes are
// asked about before the session ends; a failed save keeps the file as it was and the window open. Save As
// writes a document under a new name; an export writes its file type, leaves the document, its name and
// its unsaved change alone, and never writes over the document's own file.
TEST_F(Files, ADocumentIsSavedOnlyWhereAndWhenTheSaveSucceeds) {
    LorvantProcess lorvant("\"my animals.lvd\"", animals.substr(0, animals.rfind('\\')));
    EXPECT_EQ(lorvant.title(), "Lorvant - " + animals);
    EXPECT_EQ(queryEndSession(lorvant.mainWindow()).get(), TRUE) << "nothing to ask about";
    removeRow(lorvant, 0);
    auto mayEnd = queryEndSession(lorvant.mainWindow());
    EXPECT_EQ(lorvant.answerMessageBox("Lorvant", IDCANCEL), "Save changes to " + animals + " ?");
    EXPECT_EQ(mayEnd.get(), FALSE);

    const std::string before = readFile(animals);
    SetFileAttributesA(animals.c_str(), FILE_ATTRIBUTE_READONLY);
    lorvant.clickButton("Save");
    EXPECT_EQ(lorvant.answerMessageBox("Lorvant Error", IDOK), CannotSave + animals);
    mayEnd = queryEndSession(lorvant.mainWindow());
    lorvant.answerMessageBox("Lorvant", IDYES);
    EXPECT_EQ(lorvant.answerMessageBox("Lorvant Error", IDOK), CannotSave + animals);
    EXPECT_EQ(mayEnd.get(), FALSE);
    lorvant.close();
    lorvant.answerMessageBox("Lorvant", IDYES);
    EXPECT_EQ(lorvant.answerMessageBox("Lorvant Error", IDOK), CannotSave + animals);
    EXPECT_FALSE(lorvant.waitForExit(500));
    EXPECT_EQ(readFile(animals), before);
    SetFileAttributesA(animals.c_str(), FILE_ATTRIBUTE_NORMAL);
    mayEnd = queryEndSession(lorvant.mainWindow());
    lorvant.answerMessageBox("Lorvant", IDYES);
    EXPECT_EQ(mayEnd.get(), TRUE);
    EXPECT_EQ(terms(animals), (Texts{"dog", "cow"}));

    removeRow(lorvant, 0);
    const struct {
        std::string name;
        int type;
        std::string start;
    } exports[] = {{"table.txt", 3, "Term\tDefinition\tComment\r\ncow\tKuh\t"},
                   {"page.html", 2, "<!DOCTYPE html>"},
                   {"sheet.csv", 4, "\xEF\xBB\xBFTerm,Definition,Comment\r\ncow,Kuh,\r\n"}};
    for (const auto& e : exports) {
        saveAs(lorvant, folder.path(e.name), e.type);
        EXPECT_EQ(readFile(folder.path(e.name)).rfind(e.start, 0), 0u) << e.name;
    }
    std::string upperCase = animals;
    std::transform(upperCase.begin(), upperCase.end(), upperCase.begin(), ::toupper);
    // Also through drive Y:, which tools/wine-run makes a second name of drive C:.
    for (const auto& [path, type] :
         {std::pair(animals, 2), std::pair(upperCase, 3), std::pair("Y" + animals.substr(1), 3)}) {
        saveAs(lorvant, path, type);
        const std::string refusal = lorvant.answerMessageBox("Lorvant Error", IDOK);
        EXPECT_EQ(refusal.rfind("The Study List itself is stored in this file.\nChoose another file name", 0),
                  0u)
            << refusal;
    }
    EXPECT_EQ(lorvant.title(), "Lorvant - " + animals);
    EXPECT_EQ(terms(animals), (Texts{"dog", "cow"}));

    // By the document type and by "All Files".
    const std::string copy = folder.path("copy.lvd"), other = folder.path("other.dat");
    saveAs(lorvant, copy, 1);
    EXPECT_EQ(lorvant.title(), "Lorvant - " + copy);
    saveAs(lorvant, other, 5);
    EXPECT_EQ(lorvant.title(), "Lorvant - " + other);
    lorvant.close();
    EXPECT_TRUE(lorvant.waitForExit()) << "saved: nothing to ask about";
    EXPECT_EQ(terms(copy), Texts{"cow"});
    EXPECT_EQ(terms(other), Texts{"cow"});
    EXPECT_EQ(readRecentDocsKey().at(0), animals);
}

// A word list as people have them (UTF-8 without a header, a row without its term, letters beyond the
// legacy code page, kept) becomes a new untitled list, a change to keep. A file that cannot be read is
// refused and leaves the list as it was; a document opens whatever its name.
TEST_F(Files, ATextFileBecomesANewListOfferedForSaving) {
    const std::string missing = folder.path("missing.lvd"), corrupt = folder.path("corrupt.lvd"),
                      named = folder.path("animals.txt"), words = folder.path("words.csv"),
                      wide = folder.path("wide.txt"), saved = folder.path("words.lvd");
    std::ofstream(corrupt, std::ios::binary) << "no document at all";
    writeDocument(named, {{"hen", {"Huhn"}, "", 0, 0}});
    std::ofstream(words, std::ios::binary) << "Aalspie\xC3\x9F,eel spear\n,no term\n\"gro\xC3\x9F, "
                                              "sehr\",big\n\xC5\x81\xC3\263d\xC5\xBA,\xE2\x82\xAC\n";
    std::ofstream(wide, std::ios::binary) << "Term\tDefinition\tComment\ncat\tanimal\tpet\textra\n";
    const std::string before = readFile(words);
    LorvantProcess lorvant(missing);
    const auto open = [&](const std::string& path) {
        lorvant.pressKey('O', {VK_CONTROL});
        lorvant.chooseFile("Open", path, 2);
    };
    EXPECT_EQ(lorvant.answerMessageBox("Lorvant Error", IDOK),
              "Can not open the specified file for reading.\nMake sure the specified path and file name are "
              "correct.\n" +
                  missing);
    open(words);
    lorvant.closeDialog(lorvant.waitForWindow("Import Text File"), IDOK);
    EXPECT_EQ(lorvant.answerMessageBox("Lorvant", IDOK),
              "Imported 3 item(s) from\n" + words +
                  "\n\nRows skipped because their first cell is empty: 1 (the first on line 2)");
    EXPECT_EQ(lorvant.title(), "Lorvant");
    EXPECT_EQ(lorvant.rows(),
              (Rows{{"1", "Aalspie\xC3\x9F", "eel spear", "", "0", "0", "0 %", "New"},
                    {"2", "gro\xC3\x9F, sehr", "big", "", "0", "0", "0 %", "New"},
                    {"3", "\xC5\x81\xC3\263d\xC5\xBA", "\xE2\x82\xAC", "", "0", "0", "0 %", "New"}}));
    lorvant.pressKey('S', {VK_CONTROL});
    lorvant.closeDialog(lorvant.waitForWindow("Save As"), IDCANCEL);
    EXPECT_EQ(readFile(words), before) << "Save asks for a name";

    // New: Cancel keeps the list, No discards it.
    lorvant.pressKey('N', {VK_CONTROL});
    EXPECT_EQ(lorvant.answerMessageBox("Lorvant", IDCANCEL), "Save changes to new Study List ?");
    EXPECT_EQ(lorvant.rowCount(), 3);
    lorvant.clickButton("New");
    lorvant.answerMessageBox("Lorvant", IDNO);
    EXPECT_EQ(lorvant.rowCount(), 0);

    // Open: Yes asks for a name, and cancelling that stops the open; with a name the list is saved first.
    open(words);
    lorvant.closeDialog(lorvant.waitForWindow("Import Text File"), IDOK);
    lorvant.answerMessageBox("Lorvant", IDOK);
    lorvant.pressKey('O', {VK_CONTROL});
    lorvant.answerMessageBox("Lorvant", IDYES);
    lorvant.closeDialog(lorvant.waitForWindow("Save As"), IDCANCEL);
    EXPECT_EQ(lorvant.otherWindows(), Texts{}) << "no Open dialog";
    lorvant.pressKey('O', {VK_CONTROL});
    lorvant.answerMessageBox("Lorvant", IDYES);
    lorvant.chooseFile("Save As", saved);
    // A file the import would refuse says why in the import dialog, which cannot be confirmed; Cancel
    // leaves the list as it was.
    lorvant.chooseFile("Open", wide, 2);
    HWND importDialog = lorvant.waitForWindow("Import Text File");
    EXPECT_EQ(LorvantProcess::text(importDialog, IDC_IMPORT_SUMMARY),
              "Can not import the text file specified.\nLine 2 has more cells than the header line, so data "
              "would be lost.");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(importDialog, IDOK)));
    lorvant.closeDialog(importDialog, IDCANCEL);
    EXPECT_EQ(lorvant.rowCount(), 3);
    lorvant.clickButton("Open");
    lorvant.chooseFile("Open", corrupt, 1);
    EXPECT_EQ(lorvant.answerMessageBox("Lorvant Error", IDOK),
              "Can not open the file specified.\nThis is not a valid Lorvant file or it is corrupt.\n" +
                  corrupt);
    EXPECT_EQ(lorvant.title(), "Lorvant - " + saved);
    EXPECT_EQ(terms(saved), (Texts{"Aalspie\xC3\x9F", "gro\xC3\x9F, sehr", "\xC5\x81\xC3\263d\xC5\xBA"}));
    open(named);
    EXPECT_EQ(lorvant.rows(), (Rows{{"1", "hen", "Huhn", "", "0", "0", "0 %", "New"}}));

    // An export chosen to save the changes does not save the list.
    open(words);
    lorvant.closeDialog(lorvant.waitForWindow("Import Text File"), IDOK);
    lorvant.answerMessageBox("Lorvant", IDOK);
    lorvant.close();
    EXPECT_EQ(lorvant.answerMessageBox("Lorvant", IDYES), "Save changes to new Study List ?");
    lorvant.chooseFile("Save As", folder.path("export.txt"), 3);
    EXPECT_FALSE(lorvant.waitForExit(500));
    lorvant.close();
    lorvant.answerMessageBox("Lorvant", IDNO);
    EXPECT_TRUE(lorvant.waitForExit());
    EXPECT_EQ(readRecentDocsKey(), (Texts{named, "", "", "", "", "", "", "", "", ""}))
        << "imports are no recent documents";
}

// Named on the command line, as "Open with" names it, a file opens as Open opens it: a word list becomes a
// new list, a document under a text file's name opens as that document.
TEST_F(Files, AFileNamedOnTheCommandLineOpensAsOpenOpensIt) {
    const std::string words = folder.path("words.txt"), named = folder.path("animals.txt");
    std::ofstream(words, std::ios::binary) << "hen\tHuhn\ncow\tKuh\n";
    writeDocument(named, {{"dog", {"Hund"}, "", 2, 1}});
    {
        LorvantProcess lorvant("\"" + words + "\"");
        lorvant.closeDialog(lorvant.waitForWindow("Import Text File"), IDOK);
        lorvant.waitUntilWorkDone();
        EXPECT_EQ(lorvant.otherWindows(), Texts{});
        EXPECT_EQ(lorvant.title(), "Lorvant");
        EXPECT_EQ(lorvant.rows(), (Rows{{"1", "hen", "Huhn", "", "0", "0", "0 %", "New"},
                                        {"2", "cow", "Kuh", "", "0", "0", "0 %", "New"}}));
        lorvant.close();
        lorvant.answerMessageBox("Lorvant", IDNO);
        EXPECT_TRUE(lorvant.waitForExit());
    }
    LorvantProcess lorvant("\"" + named + "\"");
    EXPECT_EQ(lorvant.title(), "Lorvant - " + named);
    EXPECT_EQ(lorvant.rows(), (Rows{{"1", "dog", "Hund", "", "2", "1", "50 %", "New"}}));
}

// However a save is cut short, the document opens afterwards as the old list or as the new one. The program
// is killed at several moments after the save was asked for; some fall inside the writing. A later save
// removes what the killed ones left beside the document.
TEST_F(Files, ASaveCutShortLeavesTheOldOrTheNewDocument) {
    std::vector<TestItem> items;
    Texts oldTerms;
    for (int i = 99999; i >= 0; --i) {
        char term[16];
        std::snprintf(term, sizeof term, "t%06d", i);
        items.push_back(TestItem{term, {"a definition that makes the file larger"}, "", 0, 0});
        oldTerms.push_back(term);
    }
    const Texts newTerms(oldTerms.rbegin(), oldTerms.rend());
    const std::string path = folder.path("many.lvd");
    writeDocument(path, items);
    for (DWORD killAfterMs : {2, 6, 12, 25, 60}) {
        SCOPED_TRACE("killed " + std::to_string(killAfterMs) + " ms after the save was asked for");
        LorvantProcess lorvant(path);
        lorvant.clickHeader(1);
        ASSERT_EQ(lorvant.rows(0, 1).at(0).at(1), newTerms.front());
        const int save = lorvant.menuItem(Lorvant::StudySetMenu, "&Save\tCtrl+S").id;
        PostMessageA(lorvant.mainWindow(), WM_COMMAND, MAKEWPARAM(save, 0), 0);
        Sleep(killAfterMs);
        TerminateProcess(lorvant.processHandle(), 1);
        ASSERT_TRUE(lorvant.waitForExit());
        try {
            const Texts saved = terms(path);
            EXPECT_TRUE(saved == oldTerms || saved == newTerms)
                << saved.size() << " items, first " << saved.at(0);
        } catch (...) {
            const bool gone = GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES;
            ADD_FAILURE() << (gone ? "the document is gone" : "the document no longer opens");
        }
        writeDocument(path, items);
    }
    LorvantProcess lorvant(path);
    lorvant.clickHeader(1);
    lorvant.pressKey('S', {VK_CONTROL});
    EXPECT_EQ(terms(path), newTerms);
    Texts files = folder.files();
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (Texts{"many.lvd", "my animals.lvd"}));
}

// Kept in the registry from one run to the next, also when the session ends, the ten most recent shown in
// "Open Recent", reopened from there, and cleared.
TEST_F(Files, RecentDocumentsAreKeptReopenedAndCleared) {
    std::vector<std::string> doc;
    for (int i = 0; i <= 10; ++i) {
        doc.push_back(folder.path("doc" + std::to_string(i) + ".lvd"));
        writeDocument(doc.back(), {{"item", {"of " + std::to_string(i)}, "", 0, 0}});
    }
    // Eight documents, most recent first, as another run may have left them: an empty value and one repeated.
    writeRecentDocsKey({doc[9], "", doc[8], doc[9], doc[7], doc[6], doc[5], doc[4], doc[3], doc[2]});
    Texts expected{doc[10], doc[0], doc[1], doc[9], doc[8], doc[7], doc[6], doc[5], doc[4], doc[3]};
    {
        LorvantProcess lorvant(doc[1]);
        EXPECT_EQ(recentMenu(lorvant),
                  (Texts{doc[1], doc[9], doc[8], doc[7], doc[6], doc[5], doc[4], doc[3], doc[2]}));
        for (int i : {0, 10}) {
            lorvant.pressKey('O', {VK_CONTROL});
            lorvant.chooseFile("Open", doc[i]);
        }
        EXPECT_EQ(recentMenu(lorvant), expected);

        // A changed document is offered for saving first.
        lorvant.chooseMenuItem(Lorvant::RecentMenu, doc[1]);
        EXPECT_EQ(lorvant.rows(0, 1).at(0).at(2), "of 1");
        removeRow(lorvant, 0);
        lorvant.chooseMenuItem(Lorvant::RecentMenu, doc[0]);
        EXPECT_EQ(lorvant.answerMessageBox("Lorvant", IDCANCEL), "Save changes to " + doc[1] + " ?");
        EXPECT_EQ(lorvant.rowCount(), 0);
        lorvant.chooseMenuItem(Lorvant::RecentMenu, doc[0]);
        lorvant.answerMessageBox("Lorvant", IDNO);
        EXPECT_EQ(lorvant.title(), "Lorvant - " + doc[0]);
        EXPECT_EQ(readDocument(doc[1]).getTermSetCount(), 1);

        // An entry whose file has gone says so and changes nothing.
        DeleteFileA(doc[3].c_str());
        lorvant.chooseMenuItem(Lorvant::RecentMenu, doc[3]);
        EXPECT_EQ(
            lorvant.answerMessageBox("Lorvant Error", IDOK),
            "Can not open the specified file for reading.\nMake sure the specified path and file name are "
            "correct.\n" +
                doc[3]);
        EXPECT_EQ(lorvant.title(), "Lorvant - " + doc[0]);
        expected = {doc[0], doc[1], doc[10], doc[9], doc[8], doc[7], doc[6], doc[5], doc[4], doc[3]};
        EXPECT_EQ(recentMenu(lorvant), expected);
        lorvant.close();
        ASSERT_TRUE(lorvant.waitForExit());
    }
    EXPECT_EQ(readRecentDocsKey(), expected);
    {
        LorvantProcess lorvant;
        EXPECT_EQ(recentMenu(lorvant), expected);
        lorvant.chooseMenuItem(Lorvant::RecentMenu, "Clear Recent");
        EXPECT_EQ(recentMenu(lorvant), Texts{});
        lorvant.close();
        ASSERT_TRUE(lorvant.waitForExit());
    }
    EXPECT_EQ(readRecentDocsKey(), Texts(10, ""));

    // When the session ends the system may end the program without destroying its window.
    {
        LorvantProcess lorvant(doc[4]);
        EXPECT_EQ(queryEndSession(lorvant.mainWindow()).get(), TRUE);
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(lorvant.mainWindow(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_NORMAL, 60000,
                            &ignored);
        TerminateProcess(lorvant.processHandle(), 0);
        ASSERT_TRUE(lorvant.waitForExit());
    }
    EXPECT_EQ(readRecentDocsKey().at(0), doc[4]);
}

} // namespace

// A long import shows its progress and a Cancel button while the program stays responsive. Cancel keeps
// the list as it was. The end of the session, asked for meanwhile, asks about the open list and saves it;
// without Cancel, the import then replaces the list.
TEST_F(Files, ALongImportShowsItsProgressAndCancelKeepsTheList) {
    const std::string large = folder.path("large.txt");
    {
        std::string text;
        text.reserve(64 << 20);
        for (int i = 1; i <= 999999; ++i)
            text += "word " + std::to_string(i) + "\tthe meaning of word number " + std::to_string(i) +
                    ", written out\n";
        std::ofstream(large, std::ios::binary) << text;
    }
    LorvantProcess lorvant("\"" + animals + "\"");
    removeRow(lorvant, 1);
    const Rows before = lorvant.rows();
    const auto importLarge = [&] {
        lorvant.pressKey('O', {VK_CONTROL});
        EXPECT_EQ(lorvant.answerMessageBox("Lorvant", IDNO), "Save changes to " + animals + " ?");
        lorvant.chooseFile("Open", large, 2);
        lorvant.closeDialog(lorvant.waitForWindow("Import Text File"), IDOK);
        return lorvant.waitForWindow("Importing Text File");
    };
    lorvant.closeDialog(importLarge(), IDCANCEL);
    EXPECT_EQ(lorvant.otherWindows(), Texts{});
    EXPECT_EQ(lorvant.rows(), before);
    EXPECT_EQ(lorvant.title(), "Lorvant - " + animals);

    HWND progress = importLarge();
    EXPECT_EQ(lorvant.rows(), before) << "the program answers while it imports";
    auto mayEnd = queryEndSession(lorvant.mainWindow());
    EXPECT_EQ(lorvant.answerMessageBox("Lorvant", IDYES), "Save changes to " + animals + " ?");
    EXPECT_EQ(mayEnd.get(), TRUE);
    EXPECT_EQ(terms(animals), (Texts{"cat", "cow"}));
    lorvant.waitUntilGone(progress);
    lorvant.sync();
    EXPECT_EQ(lorvant.otherWindows(), Texts{});
    EXPECT_EQ(lorvant.rowCount(), 999999);
    EXPECT_EQ(lorvant.rows(999998, 1),
              (Rows{{"999999", "word 999999", "the meaning of word number 999999, written out", "", "0", "0",
                     "0 %", "New"}}));
    EXPECT_EQ(lorvant.title(), "Lorvant");
    lorvant.close();
    lorvant.answerMessageBox("Lorvant", IDNO);
    EXPECT_TRUE(lorvant.waitForExit());
}
