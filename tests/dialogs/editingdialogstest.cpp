#include "tests/dialogs/dialogtesting.h"

#include "app/model/outline.h"
#include "app/model/setting.h"
#include "app/model/termset.h"
#include "app/shell/outlinectrl.h"
#include "app/shell/sessions/settingsdlgctrl.h"
#include "app/shell/termeditctrl.h"
#include "resources/resource.h"

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

Outline makeOutline(const std::string& itemType, const Lines& fields) {
    Outline outline;
    outline.setItemType(itemType);
    outline.removeDef(0);
    for (const std::string& field : fields)
        outline.addDef(field);
    return outline;
}

Lines fieldsOf(const Outline& outline) {
    Lines fields;
    for (int i = 0; i < outline.getDefCount(); ++i)
        fields.push_back(outline.getDef(i));
    return fields;
}

const Outline countries = makeOutline("Country", {"Capital", "Continent", "Language"});

TEST(ItemDialog, RefusesAnItemWithoutTextsAndEnterWalksThroughEveryFieldBeforeConfirming) {
    TermEditCtrl ctrl(countries, TermSet(countries, 7));
    const std::string longComment(5000, 'q'); // longer than any fixed buffer
    INT_PTR result = runDialog(IDD_EDIT_ITEM, ctrl, [&](ScriptedUser& user) {
        HWND dialog = user.waitForWindow("Edit Item");
        EXPECT_EQ(user.text(dialog, IDC_ITEM_TYPE_LABEL), "Country:");
        EXPECT_EQ(user.items(dialog, IDC_FIELD_CHOOSER), (Lines{"Capital", "Continent", "Language"}));
        user.click(dialog, IDOK);
        EXPECT_EQ(user.answerMessageBox("Lorvant", IDOK), message(IDS_ENTER_MAIN_TEXT, "Country"));
        EXPECT_EQ(user.focusedId(dialog), IDC_MAIN_TEXT);
        user.pressKey(VK_RETURN); // an empty main text does not move on
        EXPECT_EQ(user.answerMessageBox("Lorvant", IDOK), message(IDS_ENTER_MAIN_TEXT, "Country"));
        user.type(dialog, IDC_MAIN_TEXT, "France");
        user.click(dialog, IDOK);
        EXPECT_EQ(user.answerMessageBox("Lorvant", IDOK), message(IDS_ENTER_ONE_DEFINITION));
        EXPECT_EQ(user.focusedId(dialog), IDC_FIELD_VALUE);

        user.focus(dialog, IDC_MAIN_TEXT);
        user.pressKey(VK_RETURN);
        EXPECT_EQ(user.focusedId(dialog), IDC_COMMENT);
        user.setText(dialog, IDC_COMMENT, longComment);
        user.pressKey(VK_RETURN);
        EXPECT_EQ(user.focusedId(dialog), IDC_FIELD_VALUE);
        EXPECT_FALSE(user.isEnabled(dialog, IDC_PREVIOUS_FIELD));
        user.type(dialog, IDC_FIELD_VALUE, "Paris");
        user.pressKey(VK_RETURN);
        EXPECT_EQ(user.text(dialog, IDC_FIELD_LABEL), message(IDS_FIELD_LABEL_FORMAT, "Continent"));
        EXPECT_TRUE(user.isEnabled(dialog, IDC_PREVIOUS_FIELD));
        user.type(dialog, IDC_FIELD_VALUE, "Europe");
        user.click(dialog, IDC_NEXT_FIELD);
        EXPECT_EQ(user.selectedText(dialog, IDC_FIELD_CHOOSER), "Language");
        EXPECT_FALSE(user.isEnabled(dialog, IDC_NEXT_FIELD));
        EXPECT_EQ(user.focusedId(dialog), IDC_FIELD_VALUE); // not left on the disabled button

        // What was typed stays when the user steps back.
        user.choose(dialog, IDC_FIELD_CHOOSER, "Continent");
        EXPECT_EQ(user.text(dialog, IDC_FIELD_VALUE), "Europe");
        user.choose(dialog, IDC_FIELD_CHOOSER, "Language");
        user.pressKey(VK_RETURN); // nothing left to walk to: Enter confirms
    });
    EXPECT_EQ(result, 1);
    TermSet expected(countries, 7);
    expected.setTerm("France");
    expected.setComment(longComment);
    expected.setField(0, "Paris");
    expected.setField(1, "Europe");
    // Language was shown but never typed into: it is not stored as an empty value.
    EXPECT_EQ(ctrl.getTermSet(), expected);
}

// An outline without fields comes only from a document made elsewhere; its items are still editable.
TEST(ItemDialog, AnOutlineWithoutFieldsNeedsOnlyTheMainText) {
    const Outline bare = makeOutline("Term", {});
    TermEditCtrl ctrl(bare, TermSet(bare, 1));
    EXPECT_EQ(runDialog(IDD_EDIT_ITEM, ctrl,
                        [](ScriptedUser& user) {
                            HWND dialog = user.waitForWindow("Edit Item");
                            EXPECT_FALSE(user.isEnabled(dialog, IDC_FIELD_VALUE));
                            user.type(dialog, IDC_MAIN_TEXT, "alone");
                            user.pressKey(VK_RETURN);
                            user.pressKey(VK_RETURN);
                        }),
              1);
    EXPECT_EQ(ctrl.getTermSet().getTerm(), "alone");
}

// Remove, Move Up and Move Down are offered only where they can act.
void expectListButtons(ScriptedUser& user, HWND dialog, bool remove, bool up, bool down) {
    EXPECT_EQ(user.isEnabled(dialog, IDC_REMOVE_FIELD), remove);
    EXPECT_EQ(user.isEnabled(dialog, IDC_MOVE_UP), up);
    EXPECT_EQ(user.isEnabled(dialog, IDC_MOVE_DOWN), down);
}

TEST(OutlineDialog, KeepsListAndOutlineInStepAndRefusesNoFieldsOrNoItemType) {
    OutlineCtrl ctrl(makeOutline("Term", {"X", "Y", "Z"}));
    INT_PTR result = runDialog(IDD_OUTLINE, ctrl, [](ScriptedUser& user) {
        HWND dialog = user.waitForWindow("Customize StudySet");
        EXPECT_FALSE(user.isEnabled(dialog, IDC_ADD_FIELD));
        expectListButtons(user, dialog, false, false, false);
        user.choose(dialog, IDC_FIELD_NAMES, "X");
        expectListButtons(user, dialog, true, false, true);
        user.choose(dialog, IDC_FIELD_NAMES, "Y");
        user.click(dialog, IDC_MOVE_UP);
        EXPECT_EQ(user.items(dialog, IDC_FIELD_NAMES), (Lines{"Y", "X", "Z"}));
        EXPECT_EQ(user.selectedText(dialog, IDC_FIELD_NAMES), "Y");
        expectListButtons(user, dialog, true, false, true);
        EXPECT_EQ(user.focusedId(dialog), IDC_FIELD_NAMES); // not left on the disabled button
        user.click(dialog, IDC_MOVE_DOWN);
        user.click(dialog, IDC_MOVE_DOWN);
        EXPECT_EQ(user.items(dialog, IDC_FIELD_NAMES), (Lines{"X", "Z", "Y"}));
        expectListButtons(user, dialog, true, true, false);

        user.choose(dialog, IDC_FIELD_NAMES, "Z");
        user.click(dialog, IDC_REMOVE_FIELD);
        EXPECT_EQ(user.answerMessageBox("Please confirm", IDNO), message(IDS_CONFIRM_REMOVE_FIELD));
        EXPECT_EQ(user.items(dialog, IDC_FIELD_NAMES), (Lines{"X", "Z", "Y"}));
        for (const char* field : {"Z", "X", "Y"}) {
            user.choose(dialog, IDC_FIELD_NAMES, field);
            user.click(dialog, IDC_REMOVE_FIELD);
            user.answerMessageBox("Please confirm", IDYES);
        }
        EXPECT_EQ(user.items(dialog, IDC_FIELD_NAMES), Lines{});
        expectListButtons(user, dialog, false, false, false);
        user.click(dialog, IDOK);
        EXPECT_EQ(user.answerMessageBox("Lorvant", IDOK), message(IDS_ENTER_ONE_FIELD));
        EXPECT_EQ(user.focusedId(dialog), IDC_NEW_FIELD);

        // Enter adds what is typed, a repeated name as it is.
        user.type(dialog, IDC_NEW_FIELD, "Example");
        user.pressKey(VK_RETURN);
        EXPECT_EQ(user.text(dialog, IDC_NEW_FIELD), "");
        EXPECT_EQ(user.focusedId(dialog), IDC_NEW_FIELD);
        user.type(dialog, IDC_NEW_FIELD, "Example");
        user.click(dialog, IDC_ADD_FIELD);
        EXPECT_EQ(user.items(dialog, IDC_FIELD_NAMES), (Lines{"Example", "Example"}));

        user.setText(dialog, IDC_ITEM_TYPE, "");
        user.click(dialog, IDOK);
        EXPECT_EQ(user.answerMessageBox("Lorvant", IDOK), message(IDS_ENTER_ITEM_TYPE));
        EXPECT_EQ(user.focusedId(dialog), IDC_ITEM_TYPE);
        user.type(dialog, IDC_ITEM_TYPE, "Word");
        user.pressKey(VK_RETURN);
        EXPECT_EQ(user.focusedId(dialog), IDC_NEW_FIELD);
        user.pressKey(VK_RETURN); // nothing left to add: Enter confirms
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(ctrl.getOutline().getItemType(), "Word");
    EXPECT_EQ(fieldsOf(ctrl.getOutline()), (Lines{"Example", "Example"}));
}

TEST(OutlineDialog, NoMoreFieldsThanADocumentCanHold) {
    Lines many;
    for (int i = 0; i < Outline::MaxDefCount - 1; ++i)
        many.push_back("Field " + std::to_string(i));
    OutlineCtrl ctrl(makeOutline("Term", many));
    INT_PTR result = runDialog(IDD_OUTLINE, ctrl, [](ScriptedUser& user) {
        HWND dialog = user.waitForWindow("Customize StudySet");
        user.type(dialog, IDC_NEW_FIELD, "Last");
        user.pressKey(VK_RETURN);
        user.type(dialog, IDC_NEW_FIELD, "One too many");
        EXPECT_FALSE(user.isEnabled(dialog, IDC_ADD_FIELD));
        user.pressKey(VK_RETURN); // no silent close with the name dropped
        EXPECT_TRUE(user.isOpen("Customize StudySet"));

        user.choose(dialog, IDC_FIELD_NAMES, "Field 0");
        user.click(dialog, IDC_REMOVE_FIELD);
        user.answerMessageBox("Please confirm", IDYES);
        user.click(dialog, IDC_ADD_FIELD);
        user.click(dialog, IDOK);
    });
    EXPECT_EQ(result, 1);
    ASSERT_EQ(ctrl.getOutline().getDefCount(), Outline::MaxDefCount);
    EXPECT_EQ(ctrl.getOutline().getDef(Outline::MaxDefCount - 1), "One too many");
}

const Outline capitals = makeOutline("Country", {"Capital", "Continent"});

Setting runSettings(const Setting& start, const std::function<void(ScriptedUser&, HWND)>& script,
                    INT_PTR expectedResult = 1) {
    SettingsDlgCtrl ctrl(start, capitals);
    EXPECT_EQ(runDialog(IDD_SETTINGS, ctrl,
                        [&](ScriptedUser& user) { script(user, user.waitForWindow("Study Settings")); }),
              expectedResult);
    return ctrl.getSetting();
}

// The number boxes scroll, so a third digit can be typed; it is refused, not cut.
TEST(SettingsDialog, RefusesTheSameFieldOnBothSidesAndKeepsNumbersOutOfRangeAsTheyWere) {
    Setting setting(capitals);
    setting.setTimeOut(10);
    setting.setChoicesNum(4);
    EXPECT_EQ(runSettings(
                  setting,
                  [](ScriptedUser& user, HWND dialog) {
                      EXPECT_EQ(user.items(dialog, IDC_FROM_LIST),
                                (Lines{"Country", "Capital", "Continent", "Anything"}));
                      EXPECT_EQ(user.items(dialog, IDC_TO_LIST), (Lines{"Country", "Capital", "Continent",
                                                                        "Anything else", "Everything else"}));
                      user.choose(dialog, IDC_FROM_LIST, "Capital");
                      user.choose(dialog, IDC_TO_LIST, "Capital");
                      user.click(dialog, IDC_SHUFFLE);
                      user.click(dialog, IDOK);
                      EXPECT_EQ(user.answerMessageBox("Study Settings", IDOK), message(IDS_SAME_FROM_AND_TO));
                      user.pressKey(VK_ESCAPE);
                  },
                  0),
              setting);
    EXPECT_EQ(runSettings(setting,
                          [](ScriptedUser& user, HWND dialog) {
                              user.setText(dialog, IDC_TIME_OUT, "");
                              user.type(dialog, IDC_TIME_OUT, "150");
                              EXPECT_EQ(user.text(dialog, IDC_TIME_OUT), "150");
                              user.type(dialog, IDC_CHOICES, "9");
                              user.click(dialog, IDOK);
                          }),
              setting);
    Setting cleared = setting;
    cleared.setTimeOut(0);
    EXPECT_EQ(runSettings(setting,
                          [](ScriptedUser& user, HWND dialog) {
                              user.setText(dialog, IDC_CHOICES, "");
                              user.click(dialog, IDC_TIME_OUT_CHECK);
                              EXPECT_FALSE(user.isEnabled(dialog, IDC_TIME_OUT));
                              user.click(dialog, IDOK);
                          }),
              cleared);
}

// Each choice is stored, and shown again the next time.
TEST(SettingsDialog, StoresDirectionsSwitchesAndTimeOutAndShowsThemAgain) {
    struct Choice {
        const char *from, *to, *choices;
        bool toggle; // shuffle, continuous, case and the time-out
        void (*direct)(Setting&);
    };
    const Choice choices[] = {
        // "Anything else" has the place of "Anything" in its list, yet is another choice.
        {"Anything", "Anything else", "5", true,
         [](Setting& s) { s.setFromAnything(), s.setToAnythingElse(); }},
        {"Continent", "Country", "4", true, [](Setting& s) { s.setFromField(1), s.setToTerm(); }},
        {"Country", "Capital", "4", false, [](Setting& s) { s.setFromTerm(), s.setToField(0); }}};
    Setting expected(capitals);
    std::string shownFrom = "Country", shownTo = "Everything else";
    for (const Choice& choice : choices) {
        SCOPED_TRACE(std::string(choice.from) + " to " + choice.to);
        const Setting before = expected;
        const Setting stored = runSettings(before, [&](ScriptedUser& user, HWND dialog) {
            EXPECT_EQ(user.selectedText(dialog, IDC_FROM_LIST), shownFrom);
            EXPECT_EQ(user.selectedText(dialog, IDC_TO_LIST), shownTo);
            EXPECT_EQ(user.text(dialog, IDC_CHOICES), std::to_string(before.getChoicesNum()));
            EXPECT_EQ(user.isChecked(dialog, IDC_TIME_OUT_CHECK), before.getTimeOut() > 0);
            EXPECT_EQ(user.isEnabled(dialog, IDC_TIME_OUT), before.getTimeOut() > 0);
            for (int id : {IDC_SHUFFLE, IDC_CONTINUOUS, IDC_CASE_SENSITIVE})
                EXPECT_EQ(user.isChecked(dialog, id), before.isShuffle()) << id;
            user.choose(dialog, IDC_FROM_LIST, choice.from);
            user.choose(dialog, IDC_TO_LIST, choice.to);
            user.type(dialog, IDC_CHOICES, choice.choices);
            if (choice.toggle)
                for (int id : {IDC_SHUFFLE, IDC_CONTINUOUS, IDC_CASE_SENSITIVE, IDC_TIME_OUT_CHECK})
                    user.click(dialog, id);
            user.click(dialog, IDOK);
        });
        shownFrom = choice.from;
        shownTo = choice.to;
        expected.setChoicesNum(std::stoi(choice.choices));
        choice.direct(expected);
        if (choice.toggle) {
            expected.setShuffle(!before.isShuffle());
            expected.setContinuous(!before.isContinuous());
            expected.setCaseSensitive(!before.isCaseSensitive());
            expected.setTimeOut(before.getTimeOut() > 0 ? 0 : 2);
        }
        EXPECT_EQ(stored, expected);
        expected = stored;
    }
}

} // namespace

// The review schedule's retention and daily limits are shown and stored; a number outside its
// range keeps the value it had.
TEST(SettingsDialog, StoresTheReviewScheduleSettings) {
    const Setting setting(capitals);
    const ReviewSettings before{90, 20, 200};
    const auto run = [&](const std::function<void(ScriptedUser&, HWND)>& script) {
        SettingsDlgCtrl ctrl(setting, capitals, before);
        EXPECT_EQ(runDialog(IDD_SETTINGS, ctrl,
                            [&](ScriptedUser& user) { script(user, user.waitForWindow("Study Settings")); }),
                  1);
        return ctrl.getReviewSettings();
    };
    EXPECT_EQ(run([](ScriptedUser& user, HWND dialog) {
                  EXPECT_EQ(user.text(dialog, IDC_RETENTION), "90");
                  EXPECT_EQ(user.text(dialog, IDC_NEW_PER_DAY), "20");
                  EXPECT_EQ(user.text(dialog, IDC_MAX_REVIEWS), "200");
                  user.type(dialog, IDC_RETENTION, "85");
                  user.type(dialog, IDC_NEW_PER_DAY, "9999");
                  user.type(dialog, IDC_MAX_REVIEWS, "0");
                  user.click(dialog, IDOK);
              }),
              (ReviewSettings{85, 9999, 0}));
    EXPECT_EQ(run([](ScriptedUser& user, HWND dialog) {
                  user.type(dialog, IDC_RETENTION, "100");
                  user.type(dialog, IDC_NEW_PER_DAY, "10000");
                  user.type(dialog, IDC_MAX_REVIEWS, "100000");
                  user.click(dialog, IDOK);
              }),
              before);
}
