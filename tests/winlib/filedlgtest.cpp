#include "WinLib/filedlg.h"
#include "tests/scripteduser/scripteduser.h"

#include <dlgs.h>
#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace {

// The question before overwriting a file, whose caption differs between systems.
void answerOverwriteQuestion(ScriptedUser& user, int answer) {
    for (int i = 0; i < 250; ++i) {
        for (const char* caption : {"Confirm Save As", "Error"})
            if (user.isOpen(caption))
                return (void)user.answerMessageBox(caption, answer);
        Sleep(20);
    }
    user.fail("no question before overwriting a file");
}

} // namespace

// A bare name gets the default extension, and a name that is then an existing file is asked about first.
TEST(SaveFileDlg, AddsTheDefaultExtensionAndAsksBeforeOverwriting) {
    char temp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = temp + ("winlib-save-" + std::to_string(GetCurrentProcessId()));
    CreateDirectoryA(folder.c_str(), nullptr);
    std::ofstream(folder + "\\capitals.lvd") << "list";

    struct Step {
        const char* typed;
        int overwriteAnswer; // 0: no question expected
        bool chosen;
    };
    for (const Step step :
         {Step{"spanish", 0, true}, Step{"capitals", IDNO, false}, Step{"capitals", IDYES, true}}) {
        Win::SaveFileDlg dialog(nullptr);
        dialog.addFilter("Study Lists (*.lvd)", "*.lvd");
        dialog.setDefaultExt("lvd");
        const bool chosen =
            ScriptedUser::play([&] { return dialog.showSave(); },
                               [&](ScriptedUser& user) {
                                   HWND save = user.waitForWindow("Save As");
                                   // The file name box: a combo box on some systems, an edit box on others.
                                   user.setText(save, GetDlgItem(save, cmb13) != nullptr ? cmb13 : edt1,
                                                folder + "\\" + step.typed);
                                   user.click(save, IDOK);
                                   if (step.overwriteAnswer != 0)
                                       answerOverwriteQuestion(user, step.overwriteAnswer);
                                   if (!step.chosen)
                                       user.click(save, IDCANCEL);
                                   user.waitUntilGone(save);
                               });
        EXPECT_EQ(chosen, step.chosen) << step.typed;
        if (chosen) {
            EXPECT_EQ(dialog.getPath(), folder + "\\" + step.typed + ".lvd");
        }
    }
    DeleteFileA((folder + "\\capitals.lvd").c_str());
    RemoveDirectoryA(folder.c_str());
}
