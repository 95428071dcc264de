#include "editingdialogtesting.h"

#include "app/model/outline.h"
#include "app/model/termset.h"
#include "app/shell/termeditctrl.h"
#include "resources/resource.h"

namespace {

const char* const Caption = "Edit Item";

Outline makeOutline(const std::string& itemType, const std::vector<std::string>& fields) {
    Outline outline;
    outline.setItemType(itemType);
    outline.removeDef(0);
    for (const std::string& field : fields)
        outline.addDef(field);
    return outline;
}

class TermEditDialogTest : public EditingDialogTest {
protected:
    Outline _countries = makeOutline("Country", {"Capital", "Continent", "Language"});
};

TEST_F(TermEditDialogTest, ShowsTheItemAndEnterWalksThroughEveryFieldBeforeConfirming) {
    TermSet france(_countries, 7);
    france.setTerm("France");
    france.setField(0, "Paris");
    TermEditCtrl ctrl(_countries, france);
    INT_PTR result = run(IDD_EDIT_ITEM, ctrl, [](ScriptedUser& user) {
        HWND dialog = user.waitForWindow(Caption);
        EXPECT_EQ(user.text(dialog, IDC_ITEM_TYPE_LABEL), "Country:");
        EXPECT_EQ(user.text(dialog, IDC_MAIN_TEXT), "France");
        EXPECT_EQ(user.text(dialog, IDC_COMMENT), "");
        EXPECT_EQ(user.items(dialog, IDC_FIELD_CHOOSER),
                  (std::vector<std::string>{"Capital", "Continent", "Language"}));
        EXPECT_EQ(user.selectedIndex(dialog, IDC_FIELD_CHOOSER), 0);
        EXPECT_EQ(user.text(dialog, IDC_FIELD_LABEL), "Enter the Capital below:");
        EXPECT_EQ(user.text(dialog, IDC_FIELD_VALUE), "Paris");
        EXPECT_FALSE(user.isEnabled(dialog, IDC_PREVIOUS_FIELD));
        EXPECT_TRUE(user.isEnabled(dialog, IDC_NEXT_FIELD));
        user.screenshot(dialog, "edit-item");

        user.focus(dialog, IDC_MAIN_TEXT);
        user.pressKey(VK_RETURN);
        EXPECT_EQ(user.focusedId(dialog), IDC_COMMENT);
        user.type(dialog, IDC_COMMENT, "Western Europe");
        user.pressKey(VK_RETURN);
        EXPECT_EQ(user.focusedId(dialog), IDC_FIELD_VALUE);
        user.pressKey(VK_RETURN);
        EXPECT_EQ(user.focusedId(dialog), IDC_FIELD_VALUE);
        EXPECT_EQ(user.selectedText(dialog, IDC_FIELD_CHOOSER), "Continent");
        EXPECT_EQ(user.text(dialog, IDC_FIELD_LABEL), "Enter the Continent below:");
        EXPECT_TRUE(user.isEnabled(dialog, IDC_PREVIOUS_FIELD));
        user.type(dialog, IDC_FIELD_VALUE, "Europe");
        user.pressKey(VK_RETURN);
        EXPECT_EQ(user.selectedText(dialog, IDC_FIELD_CHOOSER), "Language");
        EXPECT_FALSE(user.isEnabled(dialog, IDC_NEXT_FIELD));
        EXPECT_TRUE(user.isOpen(Caption));
        user.pressKey(VK_RETURN); // the last field: nothing left to walk to, so Enter confirms
    });
    EXPECT_EQ(result, 1);
    TermSet expected(_countries, 7);
    expected.setTerm("France");
    expected.setComment("Western Europe");
    expected.setField(0, "Paris");
    expected.setField(1, "Europe");
    // Language was shown but never typed into: it stays as it was, not stored as an empty value.
    EXPECT_EQ(ctrl.getTermSet(), expected);
}

TEST_F(TermEditDialogTest, RefusesAnEmptyMainTextAndAllFieldsEmptyButNotAnEmptyComment) {
    Outline words = makeOutline("Word", {"Meaning"});
    TermEditCtrl ctrl(words, TermSet(words, 1));
    INT_PTR result = run(IDD_EDIT_ITEM, ctrl, [](ScriptedUser& user) {
        HWND dialog = user.waitForWindow(Caption);
        EXPECT_FALSE(user.isEnabled(dialog, IDC_PREVIOUS_FIELD));
        EXPECT_FALSE(user.isEnabled(dialog, IDC_NEXT_FIELD));

        user.click(dialog, IDOK);
        EXPECT_EQ(user.answerMessageBox("Lorvant", IDOK), "You must enter a Word.");
        EXPECT_EQ(user.focusedId(dialog), IDC_MAIN_TEXT);
        user.pressKey(VK_RETURN); // an empty main text does not move on
        EXPECT_EQ(user.answerMessageBox("Lorvant", IDOK), "You must enter a Word.");
        EXPECT_EQ(user.focusedId(dialog), IDC_MAIN_TEXT);

        user.type(dialog, IDC_MAIN_TEXT, "hello");
        user.click(dialog, IDOK);
        EXPECT_EQ(user.answerMessageBox("Lorvant", IDOK), "You must enter at least one definition.");
        EXPECT_EQ(user.focusedId(dialog), IDC_FIELD_VALUE);
        EXPECT_TRUE(user.isOpen(Caption));

        user.type(dialog, IDC_FIELD_VALUE, "a greeting");
        user.pressKey(VK_RETURN); // the only field: Enter confirms at once
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(ctrl.getTermSet().getTerm(), "hello");
    EXPECT_EQ(ctrl.getTermSet().getField(0), "a greeting");
    EXPECT_EQ(ctrl.getTermSet().getComment(), "");
}

TEST_F(TermEditDialogTest, StepsThroughFieldsKeepingWhatWasTypedAndOneFilledFieldIsEnough) {
    TermEditCtrl ctrl(_countries, TermSet(_countries, 2));
    INT_PTR result = run(IDD_EDIT_ITEM, ctrl, [](ScriptedUser& user) {
        HWND dialog = user.waitForWindow(Caption);
        user.type(dialog, IDC_MAIN_TEXT, "Peru");
        user.type(dialog, IDC_FIELD_VALUE, "Lima");
        user.click(dialog, IDC_NEXT_FIELD);
        EXPECT_EQ(user.text(dialog, IDC_FIELD_VALUE), "");
        user.click(dialog, IDC_NEXT_FIELD);
        EXPECT_EQ(user.selectedText(dialog, IDC_FIELD_CHOOSER), "Language");
        EXPECT_EQ(user.text(dialog, IDC_FIELD_LABEL), "Enter the Language below:");
        EXPECT_FALSE(user.isEnabled(dialog, IDC_NEXT_FIELD));
        EXPECT_TRUE(user.isEnabled(dialog, IDC_PREVIOUS_FIELD));
        // Next was clicked and is now disabled: the keyboard is not left on a dead button.
        EXPECT_EQ(user.focusedId(dialog), IDC_FIELD_VALUE);

        user.choose(dialog, IDC_FIELD_CHOOSER, "Capital");
        EXPECT_FALSE(user.isEnabled(dialog, IDC_PREVIOUS_FIELD));
        EXPECT_TRUE(user.isEnabled(dialog, IDC_NEXT_FIELD));
        EXPECT_EQ(user.text(dialog, IDC_FIELD_VALUE), "Lima");

        // Only the last field filled, and the first emptied again: one field is enough.
        user.choose(dialog, IDC_FIELD_CHOOSER, "Language");
        user.type(dialog, IDC_FIELD_VALUE, "Spanish");
        user.click(dialog, IDC_PREVIOUS_FIELD);
        user.click(dialog, IDC_PREVIOUS_FIELD);
        EXPECT_EQ(user.text(dialog, IDC_FIELD_VALUE), "Lima");
        user.setText(dialog, IDC_FIELD_VALUE, "");
        user.click(dialog, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(ctrl.getTermSet().getTerm(), "Peru");
    EXPECT_EQ(ctrl.getTermSet().getField(0), "");
    EXPECT_EQ(ctrl.getTermSet().getField(1), "");
    EXPECT_EQ(ctrl.getTermSet().getField(2), "Spanish");
}

// An outline without fields comes only from a document made elsewhere; its items are still editable.
TEST_F(TermEditDialogTest, AnOutlineWithoutFieldsNeedsOnlyTheMainText) {
    Outline bare = makeOutline("Term", {});
    TermEditCtrl ctrl(bare, TermSet(bare, 1));
    INT_PTR result = run(IDD_EDIT_ITEM, ctrl, [](ScriptedUser& user) {
        HWND dialog = user.waitForWindow(Caption);
        EXPECT_FALSE(user.isEnabled(dialog, IDC_FIELD_VALUE));
        EXPECT_FALSE(user.isEnabled(dialog, IDC_FIELD_CHOOSER));
        EXPECT_FALSE(user.isEnabled(dialog, IDC_NEXT_FIELD));
        user.type(dialog, IDC_MAIN_TEXT, "alone");
        user.pressKey(VK_RETURN);
        EXPECT_EQ(user.focusedId(dialog), IDC_COMMENT);
        user.pressKey(VK_RETURN);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(ctrl.getTermSet().getTerm(), "alone");
}

} // namespace
