// Documents: opening from the command line and the Open dialog, saving, saving as each file type, the error
// messages, and the question about unsaved changes before a document is closed or replaced.
#include "tests/app/lorvantprocess.h"
#include "tests/app/testdocuments.h"

#include "resources/resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <future>

namespace {

using Rows = std::vector<LorvantProcess::Row>;

const std::vector<int> StudySetMenu{1};

const std::string CannotSave =
    "Unable to save to the specified file.\nMake sure a disk is in the drive you specified and "
    "you have sufficient permissions.";
const std::string CannotOpen =
    "Can not open the specified file for reading.\nMake sure the specified path and file name are correct.";
const std::string NotADocument =
    "Can not open the file specified.\nThis is not a valid Lorvant file or it is corrupt.";
const std::string ExportOverDocument =
    "The Study List itself is stored in this file.\nChoose another file name for the export.";

void addItem(LorvantProcess& lorvant, const std::string& term, const std::string& definition) {
    lorvant.pressKey(VK_INSERT);
    HWND dialog = lorvant.waitForWindow("Edit Item");
    lorvant.setText(dialog, IDC_MAIN_TEXT, term);
    lorvant.setText(dialog, IDC_FIELD_VALUE, definition);
    lorvant.click(dialog, IDOK);
    lorvant.waitUntilGone(dialog);
    lorvant.sync();
}

std::vector<std::string> terms(const StudyList& document) {
    std::vector<std::string> result;
    for (int i = 0; i < document.getTermSetCount(); ++i)
        result.push_back(document.getTermSet(static_cast<std::size_t>(i)).getTerm());
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

void writeText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

class Files : public ::testing::Test {
protected:
    TestFolder folder;
    const std::string animals = folder.path("animals.lvd");
    void SetUp() override {
        deleteRecentDocsKey();
        writeDocument(animals, {{"cat", {"Katze"}, "", 2, 1}, {"dog", {"Hund"}, "", 0, 0}});
    }
};

// A document named on the command line, quoted with blanks in its name or relative to the folder Lorvant
// starts in, is known by its full path: in the title, for saving and in the recent documents.
TEST_F(Files, ACommandLineDocumentIsKnownByItsFullPath) {
    const std::string blanks = folder.path("my animals.lvd");
    writeDocument(blanks, {{"cow", {"Kuh"}, "", 0, 0}});
    const struct {
        std::string commandLine, startFolder, path;
    } cases[] = {{"\"" + blanks + "\"", "", blanks},
                 {"animals.lvd", animals.substr(0, animals.rfind('\\')), animals}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.commandLine);
        LorvantProcess lorvant(c.commandLine, c.startFolder);
        EXPECT_EQ(lorvant.title(), "Lorvant - " + c.path);
        addItem(lorvant, "hen", "Huhn");
        lorvant.pressKey('S', {VK_CONTROL});
        EXPECT_EQ(terms(readDocument(c.path)).back(), "hen");
        lorvant.close();
        EXPECT_TRUE(lorvant.waitForExit());
        EXPECT_EQ(readRecentDocsKey().at(0), c.path);
    }
}

TEST_F(Files, CommandLineFilesThatCannotBeReadLeaveAnEmptyDocument) {
    const std::string missing = folder.path("missing.lvd");
    {
        LorvantProcess lorvant(missing);
        EXPECT_EQ(lorvant.answerMessageBox("Lorvant Error", IDOK), CannotOpen + "\n" + missing);
        EXPECT_EQ(lorvant.title(), "Lorvant");
        EXPECT_EQ(lorvant.rowCount(), 0);
        lorvant.close();
        EXPECT_TRUE(lorvant.waitForExit());
    }
    // A document of a later version, and one cut short inside its settings.
    const std::string later = folder.path("later.lvd");
    std::string bytes = readFile(animals);
    bytes[0] = 2;
    writeText(later, bytes);
    const std::string cut = folder.path("cut.lvd");
    writeText(cut, readFile(animals).substr(0, readFile(animals).size() - 6));
    for (const std::string& path : {later, cut}) {
        LorvantProcess lorvant(path);
        EXPECT_EQ(lorvant.answerMessageBox("Lorvant Error", IDOK), NotADocument + "\n" + path);
        EXPECT_EQ(lorvant.title(), "Lorvant");
        EXPECT_EQ(lorvant.rowCount(), 0);
        lorvant.close();
        EXPECT_TRUE(lorvant.waitForExit());
    }
    EXPECT_EQ(readRecentDocsKey(), std::vector<std::string>(10, ""));
}

TEST_F(Files, OpenAnotherDocumentThroughTheOpenDialog) {
    const std::string corrupt = folder.path("corrupt.lvd");
    writeText(corrupt, "no document at all");
    LorvantProcess lorvant;
    lorvant.pressKey('O', {VK_CONTROL});
    lorvant.chooseFile("Open", animals);
    EXPECT_EQ(lorvant.title(), "Lorvant - " + animals);
    EXPECT_EQ(lorvant.rows(),
              (Rows{{"1", "cat", "Katze", "", "2", "1", "50 %"}, {"2", "dog", "Hund", "", "0", "0", "0 %"}}));
    EXPECT_EQ(lorvant.statusText(), "2 item(s), 0 selected");

    // A file that is no document changes nothing.
    lorvant.clickButton("Open");
    lorvant.chooseFile("Open", corrupt);
    EXPECT_EQ(lorvant.answerMessageBox("Lorvant Error", IDOK), NotADocument + "\n" + corrupt);
    EXPECT_EQ(lorvant.title(), "Lorvant - " + animals);
    EXPECT_EQ(lorvant.rowCount(), 2);

    lorvant.chooseMenuItem(StudySetMenu, "&Open...\tCtrl+O");
    lorvant.cancelFileDialog("Open");
    EXPECT_EQ(lorvant.rowCount(), 2);
    lorvant.close();
    EXPECT_TRUE(lorvant.waitForExit());
}

TEST_F(Files, SaveKeepsTheNameAndSaveAsWritesEachFileType) {
    LorvantProcess lorvant(animals);
    addItem(lorvant, "cow", "Kuh");
    lorvant.pressKey('S', {VK_CONTROL});
    EXPECT_EQ(terms(readDocument(animals)), (std::vector<std::string>{"cat", "dog", "cow"}));
    EXPECT_EQ(lorvant.title(), "Lorvant - " + animals);

    // A document under a new name, by the document type and by "All Files".
    const std::string copy = folder.path("copy.lvd");
    lorvant.chooseMenuItem(StudySetMenu, "Save &As...");
    lorvant.chooseFile("Save As", copy, 1);
    EXPECT_EQ(lorvant.title(), "Lorvant - " + copy);
    EXPECT_EQ(terms(readDocument(copy)), (std::vector<std::string>{"cat", "dog", "cow"}));
    const std::string other = folder.path("other.dat");
    lorvant.chooseMenuItem(StudySetMenu, "Save &As...");
    lorvant.chooseFile("Save As", other, 5);
    EXPECT_EQ(lorvant.title(), "Lorvant - " + other);
    EXPECT_EQ(readDocument(other).getTermSetCount(), 3);

    // Exports leave the title and the unsaved change alone.
    addItem(lorvant, "pig", "Schwein");
    const std::string table = folder.path("table.txt");
    lorvant.chooseMenuItem(StudySetMenu, "Save &As...");
    lorvant.chooseFile("Save As", table, 3);
    const std::string text = readFile(table);
    EXPECT_EQ(text.substr(0, text.find('\n')).find("Term\tDefinition"), 0u) << text;
    EXPECT_NE(text.find("pig\tSchwein"), std::string::npos) << text;
    const std::string page = folder.path("page.html");
    lorvant.chooseMenuItem(StudySetMenu, "Save &As...");
    lorvant.chooseFile("Save As", page, 2);
    EXPECT_NE(readFile(page).find("Schwein"), std::string::npos);
    const std::string sheet = folder.path("sheet.csv");
    lorvant.chooseMenuItem(StudySetMenu, "Save &As...");
    lorvant.chooseFile("Save As", sheet, 4);
    EXPECT_EQ(readFile(sheet).rfind("\xEF\xBB\xBFTerm,Definition,Comment\r\n", 0), 0u);
    EXPECT_NE(readFile(sheet).find("pig,Schwein,\r\n"), std::string::npos);
    EXPECT_EQ(lorvant.title(), "Lorvant - " + other);
    EXPECT_EQ(readDocument(other).getTermSetCount(), 3);

    lorvant.close();
    EXPECT_EQ(lorvant.answerMessageBox("Lorvant", IDYES), "Save changes to " + other + " ?");
    EXPECT_TRUE(lorvant.waitForExit());
    EXPECT_EQ(terms(readDocument(other)), (std::vector<std::string>{"cat", "dog", "cow", "pig"}));
    EXPECT_EQ(readDocument(copy).getTermSetCount(), 3);
}

TEST_F(Files, AFailedSaveSaysSoAndKeepsTheFile) {
    const std::string before = readFile(animals);
    SetFileAttributesA(animals.c_str(), FILE_ATTRIBUTE_READONLY);
    LorvantProcess lorvant(animals);
    addItem(lorvant, "cow", "Kuh");
    lorvant.clickButton("Save");
    EXPECT_EQ(lorvant.answerMessageBox("Lorvant Error", IDOK), CannotSave + "\n" + animals);
    EXPECT_EQ(readFile(animals), before);

    // The question before closing goes on only when the save succeeded.
    lorvant.close();
    lorvant.answerMessageBox("Lorvant", IDYES);
    EXPECT_EQ(lorvant.answerMessageBox("Lorvant Error", IDOK), CannotSave + "\n" + animals);
    EXPECT_FALSE(lorvant.waitForExit(500));
    SetFileAttributesA(animals.c_str(), FILE_ATTRIBUTE_NORMAL);
    lorvant.close();
    lorvant.answerMessageBox("Lorvant", IDYES);
    EXPECT_TRUE(lorvant.waitForExit());
    EXPECT_EQ(terms(readDocument(animals)), (std::vector<std::string>{"cat", "dog", "cow"}));
}

TEST_F(Files, UnsavedChangesAreOfferedForSavingBeforeTheyAreLost) {
    LorvantProcess lorvant;
    addItem(lorvant, "cow", "Kuh");

    // New: Cancel keeps everything, No discards.
    lorvant.pressKey('N', {VK_CONTROL});
    EXPECT_EQ(lorvant.answerMessageBox("Lorvant", IDCANCEL), "Save changes to new Study List ?");
    EXPECT_EQ(lorvant.rowCount(), 1);
    lorvant.clickButton("New");
    lorvant.answerMessageBox("Lorvant", IDNO);
    EXPECT_EQ(lorvant.rowCount(), 0);
    EXPECT_EQ(lorvant.title(), "Lorvant");

    // Open: Yes on a document without a name asks for one; cancelling that stops the open.
    addItem(lorvant, "pig", "Schwein");
    lorvant.pressKey('O', {VK_CONTROL});
    lorvant.answerMessageBox("Lorvant", IDYES);
    lorvant.cancelFileDialog("Save As");
    EXPECT_FALSE(lorvant.hasWindow("Open"));
    EXPECT_EQ(lorvant.rowCount(), 1);

    // Yes and a name: saved, then the Open dialog.
    const std::string pigs = folder.path("pigs.lvd");
    lorvant.pressKey('O', {VK_CONTROL});
    lorvant.answerMessageBox("Lorvant", IDYES);
    lorvant.chooseFile("Save As", pigs);
    lorvant.chooseFile("Open", animals);
    EXPECT_EQ(terms(readDocument(pigs)), (std::vector<std::string>{"pig"}));
    EXPECT_EQ(lorvant.title(), "Lorvant - " + animals);

    // Closing: Cancel keeps the window; an export chosen for Yes does not count as saving the document.
    addItem(lorvant, "cow", "Kuh");
    lorvant.close();
    EXPECT_EQ(lorvant.answerMessageBox("Lorvant", IDCANCEL), "Save changes to " + animals + " ?");
    EXPECT_FALSE(lorvant.waitForExit(500));
    lorvant.pressKey('N', {VK_CONTROL});
    lorvant.answerMessageBox("Lorvant", IDYES);
    EXPECT_EQ(lorvant.rowCount(), 0);
    EXPECT_EQ(terms(readDocument(animals)), (std::vector<std::string>{"cat", "dog", "cow"}));

    addItem(lorvant, "hen", "Huhn");
    lorvant.close();
    lorvant.answerMessageBox("Lorvant", IDYES);
    lorvant.chooseFile("Save As", folder.path("hens.txt"), 3);
    EXPECT_FALSE(lorvant.waitForExit(500));
    EXPECT_EQ(lorvant.rowCount(), 1);
    lorvant.close();
    lorvant.answerMessageBox("Lorvant", IDNO);
    EXPECT_TRUE(lorvant.waitForExit());
}

// A word list as people have them: UTF-8 without a header, a row without its term, letters beyond the
// program's code page.
TEST_F(Files, OpenATextFileMakesANewUntitledList) {
    const std::string words = folder.path("words.csv");
    writeText(words, "Aalspie\xC3\x9F,eel spear\n,no term\n\"gro\xC3\x9F, "
                     "sehr\",big\n\xC5\x81\xC3\263d\xC5\xBA,\xE2\x82\xAC\n");
    const std::string before = readFile(words);
    LorvantProcess lorvant(animals);
    addItem(lorvant, "cow", "Kuh");

    lorvant.pressKey('O', {VK_CONTROL});
    EXPECT_EQ(lorvant.answerMessageBox("Lorvant", IDNO), "Save changes to " + animals + " ?");
    lorvant.chooseFile("Open", words, 2);
    lorvant.screenshot("import-report", lorvant.waitForWindow("Lorvant"));
    EXPECT_EQ(lorvant.answerMessageBox("Lorvant", IDOK),
              "Imported 3 item(s) from\n" + words +
                  "\n\nRows skipped because their first cell is empty: 1 (the first on line 2)"
                  "\nCharacters Lorvant cannot show, replaced by \"?\": 2 (the first on line 4)");
    EXPECT_EQ(lorvant.title(), "Lorvant");
    EXPECT_EQ(lorvant.rows(), (Rows{{"1", "Aalspie\xDF", "eel spear", "", "0", "0", "0 %"},
                                    {"2", "gro\xDF, sehr", "big", "", "0", "0", "0 %"},
                                    {"3", "?\363d?", "\x80", "", "0", "0", "0 %"}}));
    lorvant.screenshot("imported-word-list");

    // The new list is unsaved: Save asks for a name and never writes over the text file.
    lorvant.pressKey('S', {VK_CONTROL});
    lorvant.cancelFileDialog("Save As");
    EXPECT_EQ(readFile(words), before);

    // A refused file says why and leaves the list; a document saved under a text file's name opens as one.
    const std::string wide = folder.path("wide.txt");
    writeText(wide, "Term\tDefinition\tComment\ncat\tanimal\tpet\textra\n");
    lorvant.pressKey('O', {VK_CONTROL});
    lorvant.answerMessageBox("Lorvant", IDNO);
    lorvant.chooseFile("Open", wide);
    EXPECT_EQ(lorvant.answerMessageBox("Lorvant Error", IDOK),
              "Can not import the text file specified.\nLine 2 has more cells than the header line, so data "
              "would be lost.\n" +
                  wide);
    EXPECT_EQ(lorvant.rowCount(), 3);
    const std::string saved = folder.path("saved.txt");
    lorvant.chooseMenuItem(StudySetMenu, "Save &As...");
    lorvant.chooseFile("Save As", saved, 5);
    lorvant.pressKey('O', {VK_CONTROL});
    lorvant.chooseFile("Open", saved, 2);
    EXPECT_EQ(lorvant.title(), "Lorvant - " + saved);
    EXPECT_EQ(lorvant.rowCount(), 3);
    lorvant.close();
    EXPECT_TRUE(lorvant.waitForExit());
    // Imports are not recent documents.
    const std::vector<std::string> recent = readRecentDocsKey();
    EXPECT_EQ(std::vector<std::string>(recent.begin(), recent.begin() + 3),
              (std::vector<std::string>{saved, animals, ""}));
}

// Two hundred thousand UTF-8 words open with every letter the program's code page has.
TEST_F(Files, ALargeUtf8WordListShowsItsLetters) {
    const std::string words = folder.path("dictionary.txt");
    {
        std::ofstream out(words, std::ios::binary);
        const char* const stems[] = {"Stra\xC3\237e",
                                     "M\xC3\244dchen",
                                     "Caf\xC3\xA9",
                                     "Preis \xE2\x82\xAC",
                                     "\xC5\x81\xC3\263d\xC5\xBA",
                                     "\xE4\xB8\xAD\xE6\x96\x87"};
        for (int i = 0; i < 200000; ++i)
            out << stems[i % 6] << ' ' << i << '\t' << "meaning " << i << "\r\n";
    }
    LorvantProcess lorvant;
    lorvant.pressKey('O', {VK_CONTROL});
    lorvant.chooseFile("Open", words, 2);
    EXPECT_EQ(lorvant.answerMessageBox("Lorvant", IDOK),
              "Imported 200000 item(s) from\n" + words +
                  "\n\nCharacters Lorvant cannot show, replaced by \"?\": 133332 (the first on line 5)");
    EXPECT_EQ(lorvant.statusText(), "200000 item(s), 0 selected");
    EXPECT_EQ(lorvant.rows(0, 6), (Rows{{"1", "Stra\337e 0", "meaning 0", "", "0", "0", "0 %"},
                                        {"2", "M\344dchen 1", "meaning 1", "", "0", "0", "0 %"},
                                        {"3", "Caf\xE9 2", "meaning 2", "", "0", "0", "0 %"},
                                        {"4", "Preis \x80 3", "meaning 3", "", "0", "0", "0 %"},
                                        {"5", "?\363d? 4", "meaning 4", "", "0", "0", "0 %"},
                                        {"6", "?? 5", "meaning 5", "", "0", "0", "0 %"}}));
    EXPECT_EQ(lorvant.rows(199999, 1),
              (Rows{{"200000", "M\344dchen 199999", "meaning 199999", "", "0", "0", "0 %"}}));
    lorvant.screenshot("imported-large-word-list");
    lorvant.close();
    EXPECT_EQ(lorvant.answerMessageBox("Lorvant", IDNO), "Save changes to new Study List ?");
    EXPECT_TRUE(lorvant.waitForExit());
}

// Logging off or shutting down asks about unsaved changes as closing does; Cancel or a failed save keeps the
// session from ending.
TEST_F(Files, TheEndOfTheSessionAsksAboutUnsavedChanges) {
    LorvantProcess lorvant(animals);
    EXPECT_EQ(queryEndSession(lorvant.mainWindow()).get(), TRUE);

    addItem(lorvant, "cow", "Kuh");
    auto mayEnd = queryEndSession(lorvant.mainWindow());
    EXPECT_EQ(lorvant.answerMessageBox("Lorvant", IDCANCEL), "Save changes to " + animals + " ?");
    EXPECT_EQ(mayEnd.get(), FALSE);

    SetFileAttributesA(animals.c_str(), FILE_ATTRIBUTE_READONLY);
    mayEnd = queryEndSession(lorvant.mainWindow());
    lorvant.answerMessageBox("Lorvant", IDYES);
    EXPECT_EQ(lorvant.answerMessageBox("Lorvant Error", IDOK), CannotSave + "\n" + animals);
    EXPECT_EQ(mayEnd.get(), FALSE);
    SetFileAttributesA(animals.c_str(), FILE_ATTRIBUTE_NORMAL);

    mayEnd = queryEndSession(lorvant.mainWindow());
    lorvant.answerMessageBox("Lorvant", IDYES);
    EXPECT_EQ(mayEnd.get(), TRUE);
    EXPECT_EQ(terms(readDocument(animals)), (std::vector<std::string>{"cat", "dog", "cow"}));
    lorvant.close();
    EXPECT_TRUE(lorvant.waitForExit());
}

// An export chosen in Save As over the open document's own file, however its name is written, writes
// nothing: the document and its unsaved changes stay.
TEST_F(Files, AnExportOverTheDocumentsOwnFileIsRefused) {
    const std::string before = readFile(animals);
    LorvantProcess lorvant(animals);
    addItem(lorvant, "cow", "Kuh");
    std::string upperCase = animals;
    std::transform(upperCase.begin(), upperCase.end(), upperCase.begin(), ::toupper);
    for (const auto& [path, type] : {std::pair(animals, 2), std::pair(upperCase, 3)}) {
        lorvant.chooseMenuItem(StudySetMenu, "Save &As...");
        lorvant.chooseFileToReplace("Save As", path, type);
        const std::string message = lorvant.answerMessageBox("Lorvant Error", IDOK);
        EXPECT_EQ(message.substr(0, ExportOverDocument.size() + 1), ExportOverDocument + "\n");
        EXPECT_EQ(readFile(animals), before);
    }
    EXPECT_EQ(lorvant.title(), "Lorvant - " + animals);
    lorvant.close();
    EXPECT_EQ(lorvant.answerMessageBox("Lorvant", IDNO), "Save changes to " + animals + " ?");
    EXPECT_TRUE(lorvant.waitForExit());
}

// However a save is cut short, the document opens afterwards as the old list or as the new one. The program
// is killed at several moments after the save was asked for; some fall inside the writing.
TEST_F(Files, ASaveCutShortLeavesTheOldOrTheNewDocument) {
    const int count = 100000;
    std::vector<TestItem> items;
    std::vector<std::string> oldTerms;
    for (int i = count - 1; i >= 0; --i) {
        char term[16];
        std::snprintf(term, sizeof term, "t%06d", i);
        items.push_back(TestItem{term, {"a definition that makes the file larger"}, "", 0, 0});
        oldTerms.push_back(term);
    }
    const std::string path = folder.path("many.lvd");
    writeDocument(path, items);
    std::vector<std::string> newTerms(oldTerms.rbegin(), oldTerms.rend());

    for (DWORD killAfterMs : {2, 6, 12, 25, 60}) {
        SCOPED_TRACE("killed " + std::to_string(killAfterMs) + " ms after the save was asked for");
        LorvantProcess lorvant(path);
        lorvant.clickHeader(1);
        ASSERT_EQ(lorvant.rows(0, 1).at(0).at(1), newTerms.front());
        const int save = lorvant.menuItem(StudySetMenu, "&Save\tCtrl+S").id;
        PostMessageA(lorvant.mainWindow(), WM_COMMAND, MAKEWPARAM(save, 0), 0);
        Sleep(killAfterMs);
        TerminateProcess(lorvant.processHandle(), 1);
        ASSERT_TRUE(lorvant.waitForExit());
        try {
            const std::vector<std::string> saved = terms(readDocument(path));
            EXPECT_TRUE(saved == oldTerms || saved == newTerms)
                << saved.size() << " items, first " << saved.at(0);
        } catch (...) {
            ADD_FAILURE() << "the document no longer opens";
        }
        writeDocument(path, items);
    }
}

} // namespace
