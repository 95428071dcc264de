#include "tests/dialogs/dialogtesting.h"

#include "app/model/outline.h"
#include "app/model/setting.h"
#include "app/sessions/settingsdlgctrl.h"
#include "resources/resource.h"

namespace {

// A step that fails ends the test with its message instead of leaving the program's windows open, even a
// message box that a dialog opened: the next test would otherwise wait for them until it timed out.
TEST(ScriptedUser, AFailingStepClosesEveryWindowAndFailsTheTestWithItsMessage) {
    Outline outline;
    Setting setting(outline);
    SettingsDlgCtrl ctrl(setting, outline);
    try {
        runDialog(IDD_SETTINGS, ctrl, [](ScriptedUser& user) {
            HWND dialog = user.waitForWindow("Study Settings");
            user.waitForWindow("No Such Window", 200);
            ADD_FAILURE() << "still in " << user.text(dialog);
        });
        ADD_FAILURE() << "the failed wait was not reported";
    } catch (const ScriptFailure& failure) {
        EXPECT_STREQ(failure.what(), "no window \"No Such Window\" appeared");
    }
    EXPECT_THROW(runDialog(IDD_SETTINGS, ctrl,
                           [](ScriptedUser& user) {
                               HWND dialog = user.waitForWindow("Study Settings");
                               user.choose(dialog, IDC_TO_LIST, "Term"); // the same field on both sides
                               user.click(dialog, IDOK);
                               user.click(user.waitForMessageBox("Study Settings"), IDYES); // OK only
                           }),
                 ScriptFailure);
    EXPECT_EQ(FindWindowA(nullptr, "Study Settings"), nullptr);
}

} // namespace
