// Words in every script, typed with real keys as an input method sends them: kept by the item editor, shown
// in the list, found without regard to case, judged in a session, saved in a document whose name is itself
// in two scripts, and that name remembered among the recent documents.
#include "tests/app/lorvantprocess.h"
#include "tests/app/testdocuments.h"

#include "resources/resource.h"

#include <gtest/gtest.h>

namespace {

using Rows = std::vector<LorvantProcess::Row>;
using Texts = std::vector<std::string>;
using Selection = std::vector<int>;

using Lorvant = LorvantProcess;

Texts column(LorvantProcess& lorvant, std::size_t index) {
    Texts result;
    for (const auto& row : lorvant.rows())
        result.push_back(row.at(index));
    return result;
}

class Languages : public ::testing::Test {
protected:
    TestFolder folder;
    const std::string path = folder.path("Słówka 日本語.lvd");
    void SetUp() override { deleteRecentDocsKey(); }
};

TEST_F(Languages, WordsOfEveryScriptAreTypedShownFoundSavedAndTheirDocumentRemembered) {
    writeDocument(path, {{"日本語", {"Japanese"}, "にほんご", 0, 0},
                         {"Привет", {"hello"}, "", 0, 0},
                         {"مرحبا", {"hello"}, "", 0, 0},
                         {"ΣΟΦΊΑ", {"wisdom"}, "", 0, 0},
                         {"Łódź", {"a city"}, "", 0, 0}});
    {
        LorvantProcess lorvant;
        lorvant.pressKey('O', {VK_CONTROL});
        lorvant.chooseFile("Open", path);
        EXPECT_EQ(lorvant.title(), "Lorvant - " + path);
        EXPECT_EQ(column(lorvant, 1), (Texts{"日本語", "Привет", "مرحبا", "ΣΟΦΊΑ", "Łódź"}));
        EXPECT_EQ(lorvant.rows(0, 1),
                  (Rows{{"1", "日本語", "Japanese", "にほんご", "0", "0", "0 %", "New"}}));
        lorvant.screenshot("list-in-every-script");

        // Enter walks from the main text to the comment to the field, then confirms.
        lorvant.pressKey(VK_INSERT);
        HWND dialog = lorvant.waitForWindow("Edit Item");
        lorvant.type("Żółw");
        lorvant.pressKey(VK_RETURN);
        lorvant.type("かめ");
        lorvant.pressKey(VK_RETURN);
        lorvant.type("черепаха");
        EXPECT_EQ(LorvantProcess::text(dialog, IDC_MAIN_TEXT), "Żółw");
        EXPECT_EQ(LorvantProcess::text(dialog, IDC_COMMENT), "かめ");
        EXPECT_EQ(LorvantProcess::text(dialog, IDC_FIELD_VALUE), "черепаха");
        lorvant.screenshot("item-editor-in-every-script", dialog);
        lorvant.pressKey(VK_RETURN);
        lorvant.waitUntilGone(dialog);
        EXPECT_EQ(lorvant.rows(5, 1), (Rows{{"6", "Żółw", "черепаха", "かめ", "0", "0", "0 %", "New"}}));

        lorvant.pressKey('F', {VK_CONTROL});
        dialog = lorvant.waitForWindow("Find");
        lorvant.type("σοφία");
        EXPECT_EQ(LorvantProcess::text(dialog, IDC_FIND_TEXT), "σοφία");
        lorvant.closeDialog(dialog, IDOK);
        EXPECT_EQ(lorvant.selectedRows(), Selection{3})
            << "Greek capitals, not the Arabic word of as many letters";

        lorvant.pressKey('S', {VK_CONTROL});
        lorvant.close();
        EXPECT_TRUE(lorvant.waitForExit()) << "saved, nothing to ask about";
    }
    EXPECT_EQ(readRecentDocsKey().at(0), path);
    const StudyList saved = readDocument(path);
    ASSERT_EQ(saved.getTermSetCount(), 6);
    EXPECT_EQ(saved.getTermSet(0).getComment(), "にほんご");
    EXPECT_EQ(saved.getTermSet(5).getTerm(), "Żółw");
    EXPECT_EQ(saved.getTermSet(5).getField(0), "черепаха");

    LorvantProcess lorvant;
    const auto recent = lorvant.menu(Lorvant::RecentMenu);
    ASSERT_EQ(recent.size(), 3u);
    EXPECT_EQ(recent[2].label, path);
    lorvant.chooseMenuItem(Lorvant::RecentMenu, path);
    EXPECT_EQ(lorvant.title(), "Lorvant - " + path);
    EXPECT_EQ(lorvant.rowCount(), 6);

    // The chart's texts come through the wide drawing functions: a name is drawn under every bar. The strip
    // looked at lies within the letters of the bottom line, below the axis.
    lorvant.chooseMenuItem(Lorvant::StudySetMenu, "Stat&istics...");
    HWND dialog = lorvant.waitForWindow("Statistics");
    HWND chart = GetDlgItem(dialog, IDC_SCORE_CHART);
    lorvant.screenshot("statistics-chart", dialog);
    RECT place{};
    GetClientRect(chart, &place);
    const int barCount = 6;
    for (int bar = 0; bar < barCount; ++bar) {
        const int left = place.left + (place.right - place.left) * bar / barCount;
        const int right = place.left + (place.right - place.left) * (bar + 1) / barCount;
        EXPECT_FALSE(lorvant.showsOneColour(chart, {left, place.bottom - 10, right, place.bottom - 5}))
            << "the name under bar " << bar;
    }
    lorvant.pressKey(VK_ESCAPE);
    lorvant.waitUntilGone(dialog);
    lorvant.close();
    EXPECT_TRUE(lorvant.waitForExit());
}

// Answers typed in Polish, Russian and Japanese are judged as they were typed: right in any case when case
// does not count, and a wrong Japanese answer is wrong, not equal to every other answer of as many
// characters.
TEST_F(Languages, AnswersInEveryScriptAreJudgedAsTyped) {
    writeDocument(path, {{"city", {"Łódź"}, "", 0, 0},
                         {"hello", {"Привет"}, "", 0, 0},
                         {"Japanese", {"日本語"}, "", 0, 0},
                         {"Japan", {"日本"}, "", 0, 0}});
    LorvantProcess lorvant(path);
    lorvant.chooseMenuItem(Lorvant::StudyMenu, "&Questions && Answers");
    HWND session = lorvant.waitForWindow("Questions & Answers Study Session");
    const std::vector<std::pair<std::string, std::string>> answers{
        {"city", "łódź"}, {"hello", "привет"}, {"Japanese", "日本語"}, {"Japan", "にほんじ"}};
    for (const auto& [question, answer] : answers) {
        EXPECT_EQ(LorvantProcess::text(session, IDC_QUESTION), question);
        lorvant.type(answer);
        EXPECT_EQ(LorvantProcess::text(session, IDC_ANSWER), answer);
        lorvant.click(session, IDC_NEXT);
    }
    EXPECT_EQ(lorvant.answerMessageBox("Lorvant", IDOK),
              "\"にほんじ\" is wrong.\nThe correct answer is:\n\"日本\".");
    EXPECT_EQ(lorvant.answerMessageBox("Lorvant", IDOK),
              "Total questions:\t\t4\nCorrectly answered:\t\t3\nResult:\t\t\t75%");
    lorvant.waitUntilGone(session);
    EXPECT_EQ(column(lorvant, 5), (Texts{"1", "1", "1", "0"}));
    lorvant.close();
    lorvant.answerMessageBox("Lorvant", IDNO);
    EXPECT_TRUE(lorvant.waitForExit());
}

// Where the system ignores the manifest's request for UTF-8, as Windows before 10 version 1903 does, the
// program says what it needs and stops before it shows or stores a word. Its copy here has the manifest
// without that request.
TEST_F(Languages, WhereTheSystemGivesNoUtf8TheProgramSaysWhatItNeedsAndStops) {
    char self[MAX_PATH] = "";
    std::string original(self, GetModuleFileNameA(nullptr, self, MAX_PATH));
    original.replace(original.rfind('\\') + 1, std::string::npos, "Lorvant.exe");
    const std::string program = folder.path("Lorvant.exe");
    ASSERT_TRUE(CopyFileA(original.c_str(), program.c_str(), FALSE));
    HMODULE image = LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(image, nullptr);
    HRSRC found = FindResourceA(image, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)); // RT_MANIFEST
    ASSERT_NE(found, nullptr);
    std::string manifest(static_cast<const char*>(LockResource(LoadResource(image, found))),
                         SizeofResource(image, found));
    FreeLibrary(image);
    const std::size_t start = manifest.find("<activeCodePage");
    const std::string end = "</activeCodePage>";
    ASSERT_NE(start, std::string::npos);
    manifest.erase(start, manifest.find(end) + end.size() - start);
    HANDLE update = BeginUpdateResourceA(program.c_str(), FALSE);
    ASSERT_NE(update, nullptr);
    ASSERT_TRUE(UpdateResourceA(update, MAKEINTRESOURCEA(24), MAKEINTRESOURCEA(1),
                                MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), manifest.data(),
                                static_cast<DWORD>(manifest.size())));
    ASSERT_TRUE(EndUpdateResourceA(update, FALSE));

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    std::string commandLine = "\"" + program + "\" \"" + path + "\"";
    ASSERT_TRUE(CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &started));
    struct Search {
        DWORD process;
        HWND box = nullptr;
        bool mainWindow = false;
    } search{started.dwProcessId};
    for (int wait = 0; wait < 300 && search.box == nullptr; ++wait) {
        Sleep(50);
        EnumWindows(
            [](HWND window, LPARAM found) {
                auto& search = *reinterpret_cast<Search*>(found);
                DWORD process = 0;
                GetWindowThreadProcessId(window, &process);
                if (process != search.process)
                    return TRUE;
                char name[64] = "";
                GetClassNameA(window, name, sizeof name);
                search.mainWindow = search.mainWindow || std::string(name) == "Lorvant Window Class";
                if (LorvantProcess::text(window) == "Lorvant Error" && IsWindowVisible(window))
                    search.box = window;
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
    }
    ASSERT_NE(search.box, nullptr) << "no message";
    EXPECT_EQ(
        LorvantProcess::messageBoxText(search.box),
        "Lorvant needs Windows 10 version 1903 or later.\nOn this version of Windows it cannot show or keep "
        "words in every language.");
    EXPECT_FALSE(search.mainWindow);
    PostMessageA(search.box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(WaitForSingleObject(started.hProcess, LorvantProcess::TimeoutMs), WAIT_OBJECT_0);
    DWORD exitCode = 0;
    GetExitCodeProcess(started.hProcess, &exitCode);
    EXPECT_EQ(exitCode, static_cast<DWORD>(-1));
    if (exitCode == STILL_ACTIVE)
        TerminateProcess(started.hProcess, 1);
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
}

} // namespace
