#include "WinLib/filedlg.h"
#include "tests/scripteduser/scripteduser.h"

#include <dlgs.h>
#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace {

// A folder of its own under the temporary folder, with two files in it.
class FileDlgTest : public ::testing::Test {
protected:
    FileDlgTest() {
        char temp[MAX_PATH] = "";
        GetTempPathA(MAX_PATH, temp);
        folder = std::string(temp) + "winlib-filedlg-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(folder.c_str(), nullptr);
        std::ofstream(folder + "\\notes.txt") << "text";
        std::ofstream(folder + "\\capitals.lvd") << "list";
    }
    ~FileDlgTest() override {
        DeleteFileA((folder + "\\notes.txt").c_str());
        DeleteFileA((folder + "\\capitals.lvd").c_str());
        RemoveDirectoryA(folder.c_str());
    }

    std::string folder;
};

// The file name box: a combo box on some systems, an edit box on others.
int fileNameId(HWND dialog) {
    return GetDlgItem(dialog, cmb13) != nullptr ? cmb13 : edt1;
}

// The caption of the question before overwriting a file, which differs between systems.
std::string overwriteQuestion(ScriptedUser& user) {
    for (int i = 0; i < 250; ++i) {
        for (const char* caption : {"Confirm Save As", "Error"})
            if (user.isOpen(caption))
                return caption;
        Sleep(20);
    }
    user.fail("no question before overwriting a file");
}

} // namespace

TEST_F(FileDlgTest, SaveAddsTheDefaultExtensionToABareName) {
    Win::SaveFileDlg dialog(nullptr);
    dialog.addFilter("Study Lists (*.lvd)", "*.lvd");
    dialog.setDefaultExt("lvd");
    bool chosen = ScriptedUser::play([&] { return dialog.showSave(); },
                                     [&](ScriptedUser& user) {
                                         HWND save = user.waitForWindow("Save As");
                                         user.setText(save, fileNameId(save), folder + "\\spanish");
                                         user.click(save, IDOK);
                                         user.waitUntilGone(save);
                                     });
    EXPECT_TRUE(chosen);
    EXPECT_EQ(dialog.getPath(), folder + "\\spanish.lvd");
    EXPECT_EQ(dialog.getFilterIndex(), 1);
}

TEST_F(FileDlgTest, SaveOverAnExistingFileAsksFirst) {
    Win::SaveFileDlg dialog(nullptr);
    dialog.addFilter("Study Lists (*.lvd)", "*.lvd");
    auto saveOver = [&](int answer) {
        return ScriptedUser::play([&] { return dialog.showSave(); },
                                  [&](ScriptedUser& user) {
                                      HWND save = user.waitForWindow("Save As");
                                      user.setText(save, fileNameId(save), folder + "\\capitals.lvd");
                                      user.click(save, IDOK);
                                      user.answerMessageBox(overwriteQuestion(user), answer);
                                      if (answer == IDNO)
                                          user.click(save, IDCANCEL);
                                      user.waitUntilGone(save);
                                  });
    };
    EXPECT_FALSE(saveOver(IDNO));
    EXPECT_TRUE(saveOver(IDYES));
    EXPECT_EQ(dialog.getPath(), folder + "\\capitals.lvd");
}
