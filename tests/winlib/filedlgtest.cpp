#include "WinLib/filedlg.h"
#include "tests/scripteduser/scripteduser.h"

#include <dlgs.h>
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace {

// The question's caption differs between systems.
void answerOverwriteQuestion(ScriptedUser& user, int answer) {
    for (int i = 0; i < 250; ++i, Sleep(20))
        for (const char* caption : {"Confirm Save As", "Error"})
            if (user.isOpen(caption))
                return (void)user.answerMessageBox(caption, answer);
    user.fail("no question before overwriting a file");
}

} // namespace

// A bare name gets the default extension, and a name that is then an existing file is asked about first.
TEST(SaveFileDlg, AddsTheDefaultExtensionAndAsksBeforeOverwriting) {
    char temp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, temp);
    const std::string existing = temp + ("winlib-save-" + std::to_string(GetCurrentProcessId()));
    std::ofstream(existing + ".lvd") << "list";
    // What is typed, and the answer to the question before overwriting (0: no question due).
    const std::vector<std::pair<std::string, int>> steps{
        {existing + "-new", 0}, {existing, IDNO}, {existing, IDYES}};
    for (const auto& [typed, answer] : steps) {
        Win::SaveFileDlg dialog(nullptr);
        dialog.addFilter("Study Lists (*.lvd)", "*.lvd");
        dialog.setDefaultExt("lvd");
        const bool chosen = ScriptedUser::play(
            [&] { return dialog.showSave(); },
            [&](ScriptedUser& user) {
                HWND save = user.waitForWindow("Save As");
                // The file name box: a combo box on some systems, an edit box on others.
                user.setText(save, GetDlgItem(save, cmb13) != nullptr ? cmb13 : edt1, typed);
                user.click(save, IDOK);
                if (answer != 0)
                    answerOverwriteQuestion(user, answer);
                if (answer == IDNO)
                    user.click(save, IDCANCEL);
                user.waitUntilGone(save);
            });
        EXPECT_EQ(chosen, answer != IDNO) << typed;
        if (chosen) {
            EXPECT_EQ(dialog.getPath(), typed + ".lvd");
        }
    }
    DeleteFileA((existing + ".lvd").c_str());
}
