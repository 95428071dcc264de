#include "editingdialogtesting.h"

#include "app/model/outline.h"
#include "app/shell/outlinectrl.h"
#include "resources/resource.h"

#include <string>
#include <vector>

namespace {

const char* const Caption = "Customize StudySet";
const char* const RemoveQuestion =
    "Are you sure you want to remove this field?\nAll data under this field in your Study List will be lost.";

using Lines = std::vector<std::string>;

Outline makeOutline(const Lines& fields) {
    Outline outline;
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

void expectListButtons(ScriptedUser& user, HWND dialog, bool remove, bool up, bool down) {
    EXPECT_EQ(user.isEnabled(dialog, IDC_REMOVE_FIELD), remove);
    EXPECT_EQ(user.isEnabled(dialog, IDC_MOVE_UP), up);
    EXPECT_EQ(user.isEnabled(dialog, IDC_MOVE_DOWN), down);
}

using OutlineDialogTest = EditingDialogTest;

TEST_F(OutlineDialogTest, ButtonsFollowTheSelectionAndMovesKeepListAndOutlineInStep) {
    OutlineCtrl ctrl(makeOutline({"X", "Y", "Z"}));
    INT_PTR result = run(IDD_OUTLINE, ctrl, [](ScriptedUser& user) {
        HWND dialog = user.waitForWindow(Caption);
        EXPECT_EQ(user.text(dialog, IDC_ITEM_TYPE), "Term");
        EXPECT_EQ(user.items(dialog, IDC_FIELD_NAMES), (Lines{"X", "Y", "Z"}));
        EXPECT_EQ(user.selectedIndex(dialog, IDC_FIELD_NAMES), -1);
        EXPECT_FALSE(user.isEnabled(dialog, IDC_ADD_FIELD));
        expectListButtons(user, dialog, false, false, false);

        user.choose(dialog, IDC_FIELD_NAMES, "X");
        expectListButtons(user, dialog, true, false, true);
        user.choose(dialog, IDC_FIELD_NAMES, "Z");
        expectListButtons(user, dialog, true, true, false);
        user.screenshot(dialog, "customize-studyset");

        user.choose(dialog, IDC_FIELD_NAMES, "Y");
        user.click(dialog, IDC_MOVE_UP);
        EXPECT_EQ(user.items(dialog, IDC_FIELD_NAMES), (Lines{"Y", "X", "Z"}));
        EXPECT_EQ(user.selectedText(dialog, IDC_FIELD_NAMES), "Y"); // the moved field stays selected
        expectListButtons(user, dialog, true, false, true);
        EXPECT_EQ(user.focusedId(dialog), IDC_FIELD_NAMES); // not left on the disabled button

        user.click(dialog, IDC_MOVE_DOWN);
        user.click(dialog, IDC_MOVE_DOWN);
        EXPECT_EQ(user.items(dialog, IDC_FIELD_NAMES), (Lines{"X", "Z", "Y"}));
        EXPECT_EQ(user.selectedIndex(dialog, IDC_FIELD_NAMES), 2);
        expectListButtons(user, dialog, true, true, false);
        user.click(dialog, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(fieldsOf(ctrl.getOutline()), (Lines{"X", "Z", "Y"}));
    EXPECT_EQ(ctrl.getOutline().getItemType(), "Term");
}

TEST_F(OutlineDialogTest, EnterMovesOnAddsTypedNamesAndConfirmsWhenNothingIsLeftToAdd) {
    OutlineCtrl ctrl(Outline{});
    INT_PTR result = run(IDD_OUTLINE, ctrl, [](ScriptedUser& user) {
        HWND dialog = user.waitForWindow(Caption);
        user.type(dialog, IDC_ITEM_TYPE, "Word");
        user.pressKey(VK_RETURN);
        EXPECT_EQ(user.focusedId(dialog), IDC_NEW_FIELD);

        user.type(dialog, IDC_NEW_FIELD, "Example");
        EXPECT_TRUE(user.isEnabled(dialog, IDC_ADD_FIELD));
        user.pressKey(VK_RETURN);
        EXPECT_EQ(user.items(dialog, IDC_FIELD_NAMES), (Lines{"Definition", "Example"}));
        EXPECT_EQ(user.text(dialog, IDC_NEW_FIELD), "");
        EXPECT_EQ(user.focusedId(dialog), IDC_NEW_FIELD);
        EXPECT_FALSE(user.isEnabled(dialog, IDC_ADD_FIELD));

        user.type(dialog, IDC_NEW_FIELD, "Example"); // a repeated name is taken as typed
        user.click(dialog, IDC_ADD_FIELD);
        EXPECT_EQ(user.focusedId(dialog), IDC_NEW_FIELD);
        EXPECT_TRUE(user.isOpen(Caption));
        user.pressKey(VK_RETURN);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(ctrl.getOutline().getItemType(), "Word");
    EXPECT_EQ(fieldsOf(ctrl.getOutline()), (Lines{"Definition", "Example", "Example"}));
}

TEST_F(OutlineDialogTest, RemovingAsksAndOkRefusesNoFieldsAndNoItemType) {
    OutlineCtrl ctrl(Outline{});
    INT_PTR result = run(IDD_OUTLINE, ctrl, [](ScriptedUser& user) {
        HWND dialog = user.waitForWindow(Caption);
        user.choose(dialog, IDC_FIELD_NAMES, "Definition");
        expectListButtons(user, dialog, true, false, false);
        user.click(dialog, IDC_REMOVE_FIELD);
        EXPECT_EQ(user.answerMessageBox("Please confirm", IDNO), RemoveQuestion);
        EXPECT_EQ(user.items(dialog, IDC_FIELD_NAMES), (Lines{"Definition"}));

        user.click(dialog, IDC_REMOVE_FIELD);
        EXPECT_EQ(user.answerMessageBox("Please confirm", IDYES), RemoveQuestion);
        EXPECT_TRUE(user.items(dialog, IDC_FIELD_NAMES).empty());
        expectListButtons(user, dialog, false, false, false);

        user.click(dialog, IDOK);
        EXPECT_EQ(user.answerMessageBox("Lorvant", IDOK), "Please enter at least one field.");
        EXPECT_EQ(user.focusedId(dialog), IDC_NEW_FIELD);

        user.type(dialog, IDC_NEW_FIELD, "Meaning");
        user.click(dialog, IDC_ADD_FIELD);
        user.setText(dialog, IDC_ITEM_TYPE, "");
        user.click(dialog, IDOK);
        EXPECT_EQ(user.answerMessageBox("Lorvant", IDOK), "Please specify item type");
        EXPECT_EQ(user.focusedId(dialog), IDC_ITEM_TYPE);
        EXPECT_TRUE(user.isOpen(Caption));
        user.pressKey(VK_ESCAPE);
    });
    EXPECT_EQ(result, 0);
}

TEST_F(OutlineDialogTest, NoMoreFieldsThanADocumentCanHold) {
    Lines many;
    for (int i = 0; i < Outline::MaxDefCount - 1; ++i)
        many.push_back("Field " + std::to_string(i));
    OutlineCtrl ctrl(makeOutline(many));
    INT_PTR result = run(IDD_OUTLINE, ctrl, [](ScriptedUser& user) {
        HWND dialog = user.waitForWindow(Caption);
        user.type(dialog, IDC_NEW_FIELD, "Last");
        user.pressKey(VK_RETURN);
        user.type(dialog, IDC_NEW_FIELD, "One too many");
        EXPECT_FALSE(user.isEnabled(dialog, IDC_ADD_FIELD));
        user.pressKey(VK_RETURN); // nothing to add, and no silent close with the name dropped
        EXPECT_TRUE(user.isOpen(Caption));
        EXPECT_EQ(user.text(dialog, IDC_NEW_FIELD), "One too many");

        user.choose(dialog, IDC_FIELD_NAMES, 0);
        user.click(dialog, IDC_REMOVE_FIELD);
        user.answerMessageBox("Please confirm", IDYES);
        EXPECT_TRUE(user.isEnabled(dialog, IDC_ADD_FIELD));
        user.click(dialog, IDC_ADD_FIELD);
        user.click(dialog, IDOK);
    });
    EXPECT_EQ(result, 1);
    ASSERT_EQ(ctrl.getOutline().getDefCount(), Outline::MaxDefCount);
    EXPECT_EQ(ctrl.getOutline().getDef(0), "Field 1");
    EXPECT_EQ(ctrl.getOutline().getDef(Outline::MaxDefCount - 1), "One too many");
}

} // namespace
