#include "tests/scripteduser/scripteduser.h"
#include "resources/resource.h"
#include "tests/scripteduser/templatedialog.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace {

class ScriptedUserTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX init{sizeof init, ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS};
        InitCommonControlsEx(&init);
    }
};

TEST_F(ScriptedUserTest, AFailingStepClosesTheDialogAndFailsTheTestWithItsMessage) {
    TemplateDialog about(IDD_ABOUT);
    try {
        auto showAbout = [&] { return about.run(); };
        ScriptedUser::play(showAbout, [](ScriptedUser& user) {
            user.waitForWindow("About Lorvant");
            user.waitForWindow("No Such Window", 200);
        });
        FAIL() << "the failed wait was not reported";
    } catch (const ScriptFailure& failure) {
        EXPECT_STREQ(failure.what(), "no window \"No Such Window\" appeared");
    }
    // A step that fails inside a message box opened by the dialog: both are closed.
    TemplateDialog edit(IDD_EDIT_ITEM, [](HWND dialog, UINT message, WPARAM wParam, LPARAM) {
        if (message == WM_COMMAND && LOWORD(wParam) == IDC_HELP_BUTTON)
            MessageBoxA(dialog, "Help is on its way", "Lorvant", MB_OK);
    });
    auto showEdit = [&] { return edit.run(); };
    auto answerWithAMissingButton = [](ScriptedUser& user) {
        HWND dialog = user.waitForWindow("Edit Item");
        user.click(dialog, IDC_HELP_BUTTON);
        HWND box = user.waitForMessageBox("Lorvant");
        user.click(box, IDYES); // a box with OK only
    };
    EXPECT_THROW(ScriptedUser::play(showEdit, answerWithAMissingButton), ScriptFailure);
}

} // namespace
