#include "editingdialogtesting.h"

#include "app/model/outline.h"
#include "app/model/setting.h"
#include "app/sessions/settingsdlgctrl.h"
#include "resources/resource.h"

#include <string>
#include <vector>

namespace {

const char* const Caption = "Study Settings";

using Lines = std::vector<std::string>;

class SettingsDialogTest : public EditingDialogTest {
protected:
    SettingsDialogTest() {
        _outline.setItemType("Country");
        _outline.removeDef(0);
        _outline.addDef("Capital");
        _outline.addDef("Continent");
    }

    Outline _outline;
};

TEST_F(SettingsDialogTest, ShowsTheDefaultsAndACheckedTimeOutOfTwoSecondsIsStored) {
    Setting setting(_outline);
    SettingsDlgCtrl ctrl(setting, _outline);
    INT_PTR result = run(IDD_SETTINGS, ctrl, [](ScriptedUser& user) {
        HWND dialog = user.waitForWindow(Caption);
        EXPECT_EQ(user.items(dialog, IDC_FROM_LIST), (Lines{"Country", "Capital", "Continent", "Anything"}));
        EXPECT_EQ(user.items(dialog, IDC_TO_LIST),
                  (Lines{"Country", "Capital", "Continent", "Anything else", "Everything else"}));
        EXPECT_EQ(user.selectedText(dialog, IDC_FROM_LIST), "Country");
        EXPECT_EQ(user.selectedText(dialog, IDC_TO_LIST), "Everything else");
        EXPECT_EQ(user.text(dialog, IDC_CHOICES), "3");
        EXPECT_FALSE(user.isChecked(dialog, IDC_TIME_OUT_CHECK));
        EXPECT_FALSE(user.isEnabled(dialog, IDC_TIME_OUT));
        EXPECT_EQ(user.text(dialog, IDC_TIME_OUT), "2");
        EXPECT_FALSE(user.isChecked(dialog, IDC_SHUFFLE));
        EXPECT_FALSE(user.isChecked(dialog, IDC_CONTINUOUS));
        EXPECT_FALSE(user.isChecked(dialog, IDC_CASE_SENSITIVE));
        user.screenshot(dialog, "study-settings");

        user.click(dialog, IDC_TIME_OUT_CHECK);
        EXPECT_TRUE(user.isEnabled(dialog, IDC_TIME_OUT));
        user.click(dialog, IDC_TIME_OUT_CHECK);
        EXPECT_FALSE(user.isEnabled(dialog, IDC_TIME_OUT));
        user.click(dialog, IDC_TIME_OUT_CHECK);
        user.pressKey(VK_RETURN);
    });
    EXPECT_EQ(result, 1);
    Setting expected(_outline);
    expected.setTimeOut(2);
    EXPECT_EQ(ctrl.getSetting(), expected);
}

TEST_F(SettingsDialogTest, TheSameFieldOnBothSidesIsRefusedAndNothingIsStored) {
    Setting setting(_outline);
    setting.setChoicesNum(4);
    SettingsDlgCtrl ctrl(setting, _outline);
    INT_PTR result = run(IDD_SETTINGS, ctrl, [](ScriptedUser& user) {
        HWND dialog = user.waitForWindow(Caption);
        user.choose(dialog, IDC_FROM_LIST, "Capital");
        user.choose(dialog, IDC_TO_LIST, "Capital");
        user.click(dialog, IDC_SHUFFLE);
        user.click(dialog, IDOK);
        EXPECT_EQ(user.answerMessageBox(Caption, IDOK), "\"From\" and \"To\" must specify different fields.");
        EXPECT_TRUE(user.isOpen(Caption));
        user.pressKey(VK_ESCAPE);
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(ctrl.getSetting(), setting);
}

TEST_F(SettingsDialogTest, StoresDirectionsAndSwitchesAndShowsThemAgain) {
    Setting setting(_outline);
    SettingsDlgCtrl first(setting, _outline);
    INT_PTR result = run(IDD_SETTINGS, first, [](ScriptedUser& user) {
        HWND dialog = user.waitForWindow(Caption);
        user.choose(dialog, IDC_FROM_LIST, "Anything");
        user.choose(dialog, IDC_TO_LIST, "Anything else"); // same position as "Anything", yet allowed
        user.type(dialog, IDC_CHOICES, "5");
        user.click(dialog, IDC_SHUFFLE);
        user.click(dialog, IDC_CONTINUOUS);
        user.click(dialog, IDC_CASE_SENSITIVE);
        user.click(dialog, IDOK);
    });
    ASSERT_EQ(result, 1);
    EXPECT_TRUE(first.getSetting().isFromAnything());
    EXPECT_TRUE(first.getSetting().isToAnythingElse());
    EXPECT_EQ(first.getSetting().getChoicesNum(), 5);
    EXPECT_TRUE(first.getSetting().isShuffle());
    EXPECT_TRUE(first.getSetting().isContinuous());
    EXPECT_TRUE(first.getSetting().isCaseSensitive());
    EXPECT_EQ(first.getSetting().getTimeOut(), 0);

    SettingsDlgCtrl second(first.getSetting(), _outline);
    result = run(IDD_SETTINGS, second, [](ScriptedUser& user) {
        HWND dialog = user.waitForWindow(Caption);
        EXPECT_EQ(user.selectedText(dialog, IDC_FROM_LIST), "Anything");
        EXPECT_EQ(user.selectedText(dialog, IDC_TO_LIST), "Anything else");
        EXPECT_EQ(user.text(dialog, IDC_CHOICES), "5");
        EXPECT_TRUE(user.isChecked(dialog, IDC_SHUFFLE));
        EXPECT_TRUE(user.isChecked(dialog, IDC_CONTINUOUS));
        EXPECT_TRUE(user.isChecked(dialog, IDC_CASE_SENSITIVE));
        user.choose(dialog, IDC_FROM_LIST, "Continent");
        user.choose(dialog, IDC_TO_LIST, "Country");
        user.click(dialog, IDC_SHUFFLE);
        user.click(dialog, IDOK);
    });
    ASSERT_EQ(result, 1);
    ASSERT_TRUE(second.getSetting().isFromField());
    EXPECT_EQ(second.getSetting().getFromField(), 1);
    EXPECT_TRUE(second.getSetting().isToTerm());
    EXPECT_FALSE(second.getSetting().isShuffle());

    SettingsDlgCtrl third(second.getSetting(), _outline);
    result = run(IDD_SETTINGS, third, [](ScriptedUser& user) {
        HWND dialog = user.waitForWindow(Caption);
        EXPECT_EQ(user.selectedText(dialog, IDC_FROM_LIST), "Continent");
        EXPECT_EQ(user.selectedText(dialog, IDC_TO_LIST), "Country");
        user.choose(dialog, IDC_FROM_LIST, "Country");
        user.choose(dialog, IDC_TO_LIST, "Capital");
        user.click(dialog, IDOK);
    });
    ASSERT_EQ(result, 1);
    EXPECT_TRUE(third.getSetting().isFromTerm());
    ASSERT_TRUE(third.getSetting().isToField());
    EXPECT_EQ(third.getSetting().getToField(), 0);
}

TEST_F(SettingsDialogTest, NumbersOutOfRangeKeepThePreviousValues) {
    Setting setting(_outline);
    setting.setTimeOut(10);
    setting.setChoicesNum(4);
    SettingsDlgCtrl ctrl(setting, _outline);
    INT_PTR result = run(IDD_SETTINGS, ctrl, [](ScriptedUser& user) {
        HWND dialog = user.waitForWindow(Caption);
        EXPECT_TRUE(user.isChecked(dialog, IDC_TIME_OUT_CHECK));
        EXPECT_TRUE(user.isEnabled(dialog, IDC_TIME_OUT));
        EXPECT_EQ(user.text(dialog, IDC_TIME_OUT), "10");
        user.setText(dialog, IDC_TIME_OUT, "");
        user.type(dialog, IDC_TIME_OUT, "150");
        EXPECT_EQ(user.text(dialog, IDC_TIME_OUT), "150");
        user.type(dialog, IDC_CHOICES, "9");
        user.click(dialog, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(ctrl.getSetting().getTimeOut(), 10);
    EXPECT_EQ(ctrl.getSetting().getChoicesNum(), 4);

    SettingsDlgCtrl cleared(ctrl.getSetting(), _outline);
    result = run(IDD_SETTINGS, cleared, [](ScriptedUser& user) {
        HWND dialog = user.waitForWindow(Caption);
        user.setText(dialog, IDC_CHOICES, "");
        user.click(dialog, IDC_TIME_OUT_CHECK);
        user.click(dialog, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(cleared.getSetting().getTimeOut(), 0);
    EXPECT_EQ(cleared.getSetting().getChoicesNum(), 4);
}

} // namespace
