#include "resources/resource.h"
#include "tests/scripteduser/scripteduser.h"
#include "tests/scripteduser/templatedialog.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace {

LONG styleOf(HWND dialog, int id) {
    return GetWindowLongA(GetDlgItem(dialog, id), GWL_STYLE);
}

bool has(LONG style, LONG bits) {
    return (style & bits) == bits;
}

// The dialog manager draws a template's WS_BORDER as a sunken client edge.
bool bordered(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    return (GetWindowLongA(control, GWL_STYLE) & WS_BORDER) ||
           (GetWindowLongA(control, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
}

LONG buttonKind(HWND dialog, int id) {
    return styleOf(dialog, id) & BS_TYPEMASK;
}

// What the templates' styles promise a person, tried out through the dialog manager. How the dialogs are laid
// out is checked by measuring them (dialoglayouttest.cpp).
class TemplateBehaviour : public testing::Test {
protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX init{sizeof init, ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS};
        InitCommonControlsEx(&init);
    }
};

TEST_F(TemplateBehaviour, SessionItemsRadioButtonsFormOneGroup) {
    TemplateDialog items(IDD_SESSION_ITEMS);
    auto showItems = [&] { return items.run(); };
    ScriptedUser::play(showItems, [&](ScriptedUser& user) {
        HWND dialog = user.waitForWindow("Study Session");
        EXPECT_EQ(buttonKind(dialog, IDC_USE_SELECTED), BS_AUTORADIOBUTTON);
        EXPECT_EQ(buttonKind(dialog, IDOK), BS_DEFPUSHBUTTON);
        user.click(dialog, IDC_USE_SELECTED);
        user.click(dialog, IDC_USE_ALL);
        EXPECT_TRUE(user.isChecked(dialog, IDC_USE_ALL));
        EXPECT_FALSE(user.isChecked(dialog, IDC_USE_SELECTED));
        user.pressKey(VK_RETURN);
    });
}

TEST_F(TemplateBehaviour, SettingsNumberBoxesFollowTheirArrows) {
    TemplateDialog settings(IDD_SETTINGS, [](HWND dialog, UINT message, WPARAM, LPARAM) {
        if (message != WM_INITDIALOG)
            return;
        SendDlgItemMessageA(dialog, IDC_CHOICES_ARROWS, UDM_SETRANGE32, 2, 6);
        SendDlgItemMessageA(dialog, IDC_CHOICES_ARROWS, UDM_SETPOS32, 0, 3);
        SendDlgItemMessageA(dialog, IDC_TIME_OUT_ARROWS, UDM_SETRANGE32, 2, 99);
        SendDlgItemMessageA(dialog, IDC_TIME_OUT_ARROWS, UDM_SETPOS32, 0, 2);
    });
    auto showSettings = [&] { return settings.run(); };
    ScriptedUser::play(showSettings, [&](ScriptedUser& user) {
        HWND dialog = user.waitForWindow("Study Settings");
        for (int list : {IDC_FROM_LIST, IDC_TO_LIST}) {
            EXPECT_EQ(styleOf(dialog, list) & 3, CBS_DROPDOWNLIST);
            EXPECT_FALSE(styleOf(dialog, list) & CBS_SORT);
        }
        const struct {
            int box, arrows;
            const char* shown;
        } pairs[] = {{IDC_CHOICES, IDC_CHOICES_ARROWS, "3"}, {IDC_TIME_OUT, IDC_TIME_OUT_ARROWS, "2"}};
        for (const auto& pair : pairs) {
            EXPECT_TRUE(has(styleOf(dialog, pair.box), ES_NUMBER));
            EXPECT_TRUE(has(styleOf(dialog, pair.arrows),
                            UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_ALIGNRIGHT));
            EXPECT_EQ(reinterpret_cast<HWND>(SendDlgItemMessageA(dialog, pair.arrows, UDM_GETBUDDY, 0, 0)),
                      GetDlgItem(dialog, pair.box));
            EXPECT_EQ(user.text(dialog, pair.box), pair.shown);
        }
        user.focus(dialog, IDC_CHOICES);
        user.pressKey(VK_UP); // the arrow keys work the arrows
        EXPECT_EQ(user.text(dialog, IDC_CHOICES), "4");
        EXPECT_EQ(buttonKind(dialog, IDC_TIME_OUT_CHECK), BS_AUTOCHECKBOX);
        user.click(dialog, IDCANCEL);
    });
}

TEST_F(TemplateBehaviour, OutlineListKeepsTheFieldOrder) {
    TemplateDialog outline(IDD_OUTLINE, [](HWND dialog, UINT message, WPARAM, LPARAM) {
        if (message != WM_INITDIALOG)
            return;
        for (const char* name : {"Zeta", "Alpha"})
            SendDlgItemMessageA(dialog, IDC_FIELD_NAMES, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    });
    auto showOutline = [&] { return outline.run(); };
    ScriptedUser::play(showOutline, [&](ScriptedUser& user) {
        HWND dialog = user.waitForWindow("Customize StudySet");
        EXPECT_EQ(user.items(dialog, IDC_FIELD_NAMES), (std::vector<std::string>{"Zeta", "Alpha"}));
        EXPECT_TRUE(has(styleOf(dialog, IDC_FIELD_NAMES), LBS_NOTIFY));
        EXPECT_FALSE(styleOf(dialog, IDC_FIELD_NAMES) & LBS_SORT);
        EXPECT_TRUE(bordered(dialog, IDC_FIELD_NAMES));
        EXPECT_EQ(user.focusedId(dialog), IDC_ITEM_TYPE);
        user.click(dialog, IDCANCEL);
    });
}

TEST_F(TemplateBehaviour, AboutBoxShowsTheIconAndClosesOnEscape) {
    TemplateDialog about(IDD_ABOUT);
    auto showAbout = [&] { return about.run(); };
    const INT_PTR result = ScriptedUser::play(showAbout, [&](ScriptedUser& user) {
        HWND dialog = user.waitForWindow("About Lorvant");
        HWND icon = GetWindow(dialog, GW_CHILD);
        EXPECT_EQ(GetWindowLongA(icon, GWL_STYLE) & SS_TYPEMASK, SS_ICON);
        EXPECT_NE(SendMessageA(icon, STM_GETICON, 0, 0), 0);
        user.pressKey(VK_ESCAPE);
    });
    EXPECT_EQ(result, IDCANCEL);
}

TEST_F(TemplateBehaviour, SessionDialogsStartOnTheirWorkingControl) {
    const struct {
        int id;
        const char* caption;
        int focused;
        bool answerReadOnly;
    } sessions[] = {{IDD_PRESENTATION, "Presentation Study Session", IDC_NEXT, true},
                    {IDD_QUESTIONS_ANSWERS, "Questions & Answers Study Session", IDC_ANSWER, false}};
    for (const auto& session : sessions) {
        SCOPED_TRACE(session.caption);
        TemplateDialog dialog(session.id);
        auto showDialog = [&] { return dialog.run(); };
        ScriptedUser::play(showDialog, [&](ScriptedUser& user) {
            HWND window = user.waitForWindow(session.caption);
            EXPECT_EQ(user.focusedId(window), session.focused);
            EXPECT_EQ(buttonKind(window, IDC_NEXT), BS_DEFPUSHBUTTON);
            EXPECT_TRUE(has(styleOf(window, IDC_QUESTION), ES_MULTILINE | ES_CENTER | ES_READONLY));
            EXPECT_TRUE(has(styleOf(window, IDC_ANSWER), ES_MULTILINE | ES_CENTER));
            EXPECT_EQ((styleOf(window, IDC_ANSWER) & ES_READONLY) != 0, session.answerReadOnly);
            EXPECT_FALSE(styleOf(window, IDC_ANSWER) & ES_WANTRETURN);
            EXPECT_TRUE(has(styleOf(window, IDC_QUESTION_LABEL), SS_RIGHT));
            for (int box : {IDC_ITEM_COUNTER, IDC_QUESTIONS_COUNT, IDC_TIME_LEFT})
                EXPECT_TRUE(has(styleOf(window, box), ES_READONLY)) << box;
            for (int box : {IDC_QUESTION, IDC_ANSWER, IDC_ITEM_COUNTER, IDC_QUESTIONS_COUNT, IDC_TIME_LEFT})
                EXPECT_TRUE(bordered(window, box)) << box;
            user.pressKey(VK_ESCAPE);
        });
    }
}

TEST_F(TemplateBehaviour, MultipleChoiceDigitKeysPickTheirChoice) {
    TemplateDialog choice(IDD_MULTIPLE_CHOICE);
    auto showChoice = [&] { return choice.run(); };
    ScriptedUser::play(showChoice, [&](ScriptedUser& user) {
        HWND dialog = user.waitForWindow("Multiple Choice Study Session");
        for (int i = 0; i < 6; ++i) {
            EXPECT_FALSE(user.isChecked(dialog, IDC_CHOICE1 + i)) << "no choice is made for the person";
            EXPECT_EQ(buttonKind(dialog, IDC_CHOICE1 + i), BS_AUTORADIOBUTTON);
            EXPECT_TRUE(has(styleOf(dialog, IDC_CHOICE_TEXT1 + i), SS_NOPREFIX | SS_NOTIFY));
        }
        user.focus(dialog, IDC_NEXT);
        user.typeCharacter('3');
        EXPECT_TRUE(user.isChecked(dialog, IDC_CHOICE3));
        EXPECT_TRUE(choice.received(IDC_CHOICE3, BN_CLICKED));
        user.typeCharacter('5');
        EXPECT_TRUE(user.isChecked(dialog, IDC_CHOICE5));
        EXPECT_FALSE(user.isChecked(dialog, IDC_CHOICE3));
        user.pressKey(VK_RETURN); // Next stays the default button
        EXPECT_TRUE(choice.received(IDC_NEXT, BN_CLICKED));
        user.pressKey(VK_ESCAPE);
    });
}

} // namespace
