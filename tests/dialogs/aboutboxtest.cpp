#include "editingdialogtesting.h"

#include "app/shell/aboutctrl.h"
#include "resources/resource.h"

namespace {

using AboutBoxTest = EditingDialogTest;

TEST_F(AboutBoxTest, OkAndEscapeBothEndItWithOne) {
    AboutCtrl ctrl;
    INT_PTR result = run(IDD_ABOUT, ctrl, [](ScriptedUser& user) {
        HWND box = user.waitForWindow("About Lorvant");
        EXPECT_TRUE(user.isEnabled(box, IDC_WEB_SITE));
        EXPECT_TRUE(user.isEnabled(box, IDC_EMAIL_SUPPORT));
        user.screenshot(box, "about-lorvant");
        user.pressKey(VK_ESCAPE);
    });
    EXPECT_EQ(result, 1);

    result = run(IDD_ABOUT, ctrl, [](ScriptedUser& user) {
        HWND box = user.waitForWindow("About Lorvant");
        user.click(box, IDOK);
    });
    EXPECT_EQ(result, 1);
}

} // namespace
