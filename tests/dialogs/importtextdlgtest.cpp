#include "tests/core/testfiles.h"
#include "tests/dialogs/dialogtesting.h"
#include "tests/scripteduser/layoutcheck.h"

#include "app/files/textfileinputmethod.h"
#include "app/model/lorvant.h"
#include "app/shell/importtextdlg.h"
#include "resources/resource.h"

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

// The preview as the user reads it: the headings, then each row's cells.
std::vector<Lines> preview(HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_IMPORT_PREVIEW);
    HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    const int columns = static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
    const auto cell = [list](int row, int column) {
        char text[256] = "";
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        return std::string(text);
    };
    std::vector<Lines> shown(1);
    for (int column = 0; column < columns; ++column) {
        char text[256] = "";
        LVCOLUMNA heading{};
        heading.mask = LVCF_TEXT;
        heading.pszText = text;
        heading.cchTextMax = sizeof text;
        SendMessageA(list, LVM_GETCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&heading));
        shown[0].push_back(text);
    }
    for (int row = 0; row < static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); ++row) {
        Lines& cells = shown.emplace_back();
        for (int column = 0; column < columns; ++column)
            cells.push_back(cell(row, column));
    }
    return shown;
}

HelpFile noHelp() {
    return HelpFile(nullptr, "");
}

} // namespace

// Each choice redraws the preview at once, and OK gives exactly what the preview and the counts showed.
TEST(ImportTextDialog, ShowsEveryChoiceInThePreviewAndOkImportsWithThem) {
    TempFolder folder;
    const std::string path = folder.file("words.csv");
    writeFile(path, "Word;Meaning;Note\ncat;Katze;pet\ndog;H\xC3\xBCndin;\n;leer;x\ncat;Kater;again\n");
    ImportTextDlg dialog(path, noHelp());
    const INT_PTR result = runDialog(IDD_IMPORT_TEXT, dialog, [&](ScriptedUser& user) {
        HWND window = user.waitForWindow("Import Text File");
        EXPECT_EQ(user.selectedText(window, IDC_IMPORT_ENCODING), "UTF-8");
        EXPECT_EQ(user.selectedText(window, IDC_IMPORT_SEPARATOR), "Semicolon");
        EXPECT_FALSE(user.isEnabled(window, IDC_IMPORT_OTHER_SEPARATOR));
        EXPECT_EQ(user.items(window, IDC_IMPORT_COLUMN), (Lines{"Column 1", "Column 2", "Column 3"}));
        if (user.isChecked(window, IDC_IMPORT_HEADER))
            user.click(window, IDC_IMPORT_HEADER);
        EXPECT_EQ(preview(window)[1], (Lines{"Word", "Meaning", "Note"})) << "the first row is an item";

        user.choose(window, IDC_IMPORT_SEPARATOR, "Comma");
        EXPECT_EQ(preview(window)[2], (Lines{"cat;Katze;pet", ""}))
            << "one column: a term, and an empty field";
        user.choose(window, IDC_IMPORT_SEPARATOR, "Other:");
        user.type(window, IDC_IMPORT_OTHER_SEPARATOR, ";");
        EXPECT_EQ(preview(window)[2], (Lines{"cat", "Katze", "pet"}));

        user.click(window, IDC_IMPORT_HEADER);
        user.choose(window, IDC_IMPORT_COLUMN, "Column 3");
        user.choose(window, IDC_IMPORT_ROLE, "Comment");
        user.choose(window, IDC_IMPORT_COLUMN, "Column 2");
        EXPECT_EQ(user.selectedText(window, IDC_IMPORT_ROLE), "Field");
        user.choose(window, IDC_IMPORT_ROLE, "Skip");
        EXPECT_EQ(preview(window),
                  (std::vector<Lines>{{"Word", "Comment"}, {"cat", "pet"}, {"dog", ""}, {"cat", "again"}}));
        EXPECT_EQ(user.text(window, IDC_IMPORT_SUMMARY),
                  "The whole file gives 3 item(s).\n"
                  "Rows skipped because their first cell is empty: 1 (the first on line 4)\n"
                  "Items with the same first cell as an earlier item: 1 (the first on line 5)");
        user.screenshot(window, "import-text-" + std::to_string(LayoutCheck::screenDpi()) + "dpi");
        user.click(window, IDOK);
    });
    ASSERT_EQ(result, 1);
    TextFileInputMethod reader(dialog.getChoices());
    const StudyList list = reader.read(path);
    ASSERT_EQ(list.getTermSetCount(), 3);
    EXPECT_EQ(list.getOutline().getItemType(), "Word");
    EXPECT_EQ(list.getOutline().getDefCount(), 0);
    EXPECT_EQ(list.getTermSet(0).getComment(), "pet");
    EXPECT_EQ(list.getTermSet(2).getComment(), "again");
}

// A file the import would refuse says why, on which line, and cannot be confirmed; a change that makes
// it importable lets OK be pressed again.
TEST(ImportTextDialog, GreysOkWhileTheFileWouldBeRefused) {
    TempFolder folder;
    const std::string path = folder.file("wide.txt");
    writeFile(path, "Term\tDefinition\tComment\ncat\tanimal\tpet\textra\n");
    ImportTextDlg dialog(path, noHelp());
    const INT_PTR result = runDialog(IDD_IMPORT_TEXT, dialog, [&](ScriptedUser& user) {
        HWND window = user.waitForWindow("Import Text File");
        EXPECT_EQ(user.text(window, IDC_IMPORT_SUMMARY),
                  "Can not import the text file specified.\n"
                  "Line 2 has more cells than the header line, so data would be lost.");
        EXPECT_FALSE(user.isEnabled(window, IDOK));
        user.focus(window, IDC_IMPORT_SEPARATOR);
        user.pressKey(VK_RETURN);
        EXPECT_TRUE(user.isOpen("Import Text File")) << "Enter does not import a refused file";
        user.click(window, IDC_IMPORT_HEADER);
        EXPECT_TRUE(user.isEnabled(window, IDOK)) << "without a header every column is read";
        EXPECT_EQ(preview(window).size(), 3u);
        user.click(window, IDCANCEL);
    });
    EXPECT_EQ(result, 0);
}

// The counts of a large file follow while the dialog answers; a change of the choices counts anew, and a
// refusal found far down the file greys OK.
TEST(ImportTextDialog, CountsALargeFileInTheBackground) {
    TempFolder folder;
    const std::string path = folder.file("large.csv");
    std::string text;
    for (int i = 1; i <= 200000; ++i)
        text += "word" + std::to_string(i) + ";meaning " + std::to_string(i) + "\n";
    writeFile(path, text + "last;Ende;extra\n");
    // The counts, once they have come; read once more, as a text read while it changes may come cut.
    const auto waitForSummary = [](ScriptedUser& user, HWND window, const std::string& start) {
        for (int tries = 0; tries < 300 && user.text(window, IDC_IMPORT_SUMMARY).rfind(start, 0) != 0;
             ++tries)
            Sleep(50);
        return user.text(window, IDC_IMPORT_SUMMARY);
    };
    ImportTextDlg dialog(path, noHelp());
    const INT_PTR result = runDialog(IDD_IMPORT_TEXT, dialog, [&](ScriptedUser& user) {
        HWND window = user.waitForWindow("Import Text File");
        EXPECT_EQ(waitForSummary(user, window, "The whole file"), "The whole file gives 200001 item(s).");
        user.choose(window, IDC_IMPORT_COLUMN, "Column 2");
        user.choose(window, IDC_IMPORT_ROLE, "Skip");
        EXPECT_EQ(preview(window)[1], (Lines{"word1", ""})) << "the preview at once";
        EXPECT_EQ(waitForSummary(user, window, "Can not"), "Can not import the text file specified.\n"
                                                           "Line 200001 has more cells than the header line, "
                                                           "so data would be lost.");
        EXPECT_FALSE(user.isEnabled(window, IDOK));
        user.click(window, IDC_IMPORT_QUOTES); // the columns are guessed anew
        EXPECT_EQ(waitForSummary(user, window, "The whole file"), "The whole file gives 200001 item(s).");
        EXPECT_TRUE(user.isEnabled(window, IDOK));
        user.click(window, IDOK);
    });
    EXPECT_EQ(result, 1);
}
