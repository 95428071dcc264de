#include "resources/resource.h"
#include "tests/scripteduser/scripteduser.h"
#include "tests/scripteduser/templatedialog.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <optional>

namespace {

struct ControlShape {
    int id;
    const char* kind; // window class
    std::optional<std::string> text;
    std::optional<RECT> place; // x, y, width, height in dialog units
};

struct TemplateShape {
    int id;
    std::string caption;
    SIZE size; // dialog units
    std::string font;
    std::vector<ControlShape> controls; // in template order, which is the tab order
};

// The dialog manager maps a control's position and its size from dialog units each on its own.
RECT at(int x, int y, int width, int height) {
    return {x, y, width, height};
}

const std::vector<ControlShape> SessionFooter = {
    {IDC_NEXT, "Button", "&Next >", {}},     {IDC_STOP, "Button", "&Stop", {}},
    {IDC_STATIC, "Static", "Item", {}},      {IDC_ITEM_COUNTER, "Edit", "", {}},
    {IDC_STATIC, "Static", "of", {}},        {IDC_QUESTIONS_COUNT, "Edit", "", {}},
    {IDC_STATIC, "Static", "Time out:", {}}, {IDC_TIME_LEFT, "Edit", "", {}},
};

std::vector<ControlShape> sessionControls(std::vector<ControlShape> middle) {
    // The boxes' texts are left out: the screenshots fill them with samples.
    std::vector<ControlShape> all = {{IDC_QUESTION_LABEL, "Static", "Term:", {}},
                                     {IDC_QUESTION, "Edit", std::nullopt, {}}};
    all.insert(all.end(), middle.begin(), middle.end());
    all.insert(all.end(), SessionFooter.begin(), SessionFooter.end());
    return all;
}

std::vector<ControlShape> choiceControls() {
    std::vector<ControlShape> all = {{IDC_ANSWER_LABEL, "Static", "Definition:", {}}};
    for (int i = 0; i < 6; ++i)
        all.push_back({IDC_CHOICE1 + i, "Button", "&" + std::to_string(i + 1), {}});
    for (int i = 0; i < 6; ++i)
        all.push_back({IDC_CHOICE_TEXT1 + i, "Static", std::nullopt, {}});
    return all;
}

const std::vector<TemplateShape> Templates = {
    {IDD_SESSION_ITEMS,
     "Study Session",
     {156, 75},
     "MS Sans Serif",
     {{IDC_STATIC, "Static", "You have one or more items selected", {}},
      {IDC_USE_SELECTED, "Button", "Use only selected items for this session", {}},
      {IDC_USE_ALL, "Button", "Use all items for this session", {}},
      {IDOK, "Button", "OK", {}},
      {IDCANCEL, "Button", "Cancel", {}}}},
    {IDD_SETTINGS,
     "Study Settings",
     {301, 124},
     "MS Sans Serif",
     {{IDC_STATIC, "Button", "Questions direction", {}},
      {IDC_STATIC, "Static", "From", {}},
      {IDC_FROM_LIST, "ComboBox", "", {}},
      {IDC_STATIC, "Static", "to", {}},
      {IDC_TO_LIST, "ComboBox", "", {}},
      {IDC_STATIC, "Static", "Number of choices (in multiple choice sessions):", {}},
      {IDC_CHOICES, "Edit", std::nullopt, {}},
      {IDC_CHOICES_ARROWS, UPDOWN_CLASSA, std::nullopt, {}},
      {IDC_TIME_OUT_CHECK, "Button", "Questions time out in", {}},
      {IDC_TIME_OUT, "Edit", std::nullopt, {}},
      {IDC_TIME_OUT_ARROWS, UPDOWN_CLASSA, std::nullopt, {}},
      {IDC_STATIC, "Static", "seconds", {}},
      {IDC_SHUFFLE, "Button", "Shuffle questions", {}},
      {IDC_CONTINUOUS, "Button", "Continuous session", {}},
      {IDC_CASE_SENSITIVE, "Button", "Case-sensitive questions", {}},
      {IDOK, "Button", "OK", {}},
      {IDCANCEL, "Button", "Cancel", {}},
      {IDC_HELP_BUTTON, "Button", "Help", {}}}},
    {IDD_ABOUT,
     "About Lorvant",
     {229, 93},
     "MS Sans Serif",
     {{IDC_STATIC, "Static", std::nullopt, std::nullopt}, // the icon takes its own size
      {IDC_STATIC, "Static", "Lorvant", at(99, 4, 100, 8)},
      {IDC_STATIC, "Static", "Version: 1.21", at(99, 16, 97, 8)},
      {IDC_STATIC, "Static", "Copyright (C) Tandrel. All rights reserved.", at(20, 32, 192, 8)},
      {IDC_STATIC, "Static", "www.example.com/lorvant", at(20, 44, 168, 8)},
      {IDC_STATIC, "Static", "Support && Feedback: support@example.com", at(20, 56, 184, 8)},
      {IDC_EMAIL_SUPPORT, "Button", "E-Mail Support", at(8, 72, 52, 16)},
      {IDC_WEB_SITE, "Button", "Web Site", at(68, 72, 52, 16)},
      {IDOK, "Button", "OK", at(180, 72, 40, 16)}}},
    {IDD_OUTLINE,
     "Customize StudySet",
     {248, 151},
     "MS Sans Serif",
     {{IDC_STATIC, "Static", "Items type:", at(6, 7, 38, 10)},
      {IDC_ITEM_TYPE, "Edit", "", at(51, 6, 188, 12)},
      {IDC_STATIC, "Button", "Fields", at(6, 23, 234, 103)},
      {IDC_FIELD_NAMES, "ListBox", "", std::nullopt}, // a list box rounds its height to whole lines
      {IDC_MOVE_UP, "Button", "Move &up", at(195, 33, 40, 14)},
      {IDC_MOVE_DOWN, "Button", "Move dow&n", at(195, 51, 40, 14)},
      {IDC_REMOVE_FIELD, "Button", "&Remove", at(195, 71, 40, 14)},
      {IDC_STATIC, "Static", "Enter new field names below:", at(10, 93, 177, 8)},
      {IDC_NEW_FIELD, "Edit", "", at(10, 105, 180, 12)},
      {IDC_ADD_FIELD, "Button", "&Add", at(195, 105, 40, 14)},
      {IDOK, "Button", "OK", at(75, 131, 50, 14)},
      {IDCANCEL, "Button", "Cancel", at(130, 131, 50, 14)},
      {IDC_HELP_BUTTON, "Button", "Help", at(192, 131, 50, 14)}}},
    {IDD_EDIT_ITEM,
     "Edit Item",
     {335, 134},
     "Helv",
     {{IDC_ITEM_TYPE_LABEL, "Static", "Term:", at(6, 6, 80, 24)},
      {IDC_MAIN_TEXT, "Edit", "", at(86, 6, 240, 12)},
      {IDC_STATIC, "Static", "Comment (optional):", at(7, 33, 69, 12)},
      {IDC_COMMENT, "Edit", "", at(86, 31, 240, 12)},
      {IDC_STATIC, "Button", "", at(6, 53, 323, 58)},
      {IDC_FIELD_LABEL, "Static", "Type the definition below:", at(9, 63, 148, 10)},
      {IDC_FIELD_CHOOSER, "ComboBox", "", std::nullopt}, // its height is that of the closed list
      {IDC_FIELD_VALUE, "Edit", "", at(8, 77, 318, 12)},
      {IDC_PREVIOUS_FIELD, "Button", "<Pre&vious", at(232, 93, 40, 14)},
      {IDC_NEXT_FIELD, "Button", "&Next>", at(286, 93, 40, 14)},
      {IDOK, "Button", "OK", at(161, 114, 50, 14)},
      {IDCANCEL, "Button", "Cancel", at(216, 114, 50, 14)},
      {IDC_HELP_BUTTON, "Button", "Help", at(279, 114, 50, 14)}}},
    {IDD_PRESENTATION,
     "Presentation Study Session",
     {318, 164},
     "MS Sans Serif",
     sessionControls(
         {{IDC_ANSWER_LABEL, "Static", "Definition:", {}}, {IDC_ANSWER, "Edit", std::nullopt, {}}})},
    {IDD_QUESTIONS_ANSWERS,
     "Questions & Answers Study Session",
     {317, 164},
     "MS Sans Serif",
     sessionControls(
         {{IDC_ANSWER_LABEL, "Static", "Definition:", {}}, {IDC_ANSWER, "Edit", std::nullopt, {}}})},
    {IDD_MULTIPLE_CHOICE,
     "Multiple Choice Study Session",
     {317, 217},
     "MS Sans Serif",
     sessionControls(choiceControls())},
};

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

// Sample texts make the screenshots show how real questions and choices fit.
void fillSessionSamples(HWND dialog, UINT message) {
    if (message != WM_INITDIALOG)
        return;
    SetDlgItemTextA(dialog, IDC_QUESTION, "Mitochondrion");
    SetDlgItemTextA(dialog, IDC_ANSWER, "The organelle that makes most of the cell's supply of energy");
    const char* choices[] = {"Powerhouse of the cell",
                             "The organelle that makes most of the cell's supply of chemical energy, ATP, "
                             "through respiration & oxidation",
                             "Ribosome",
                             "Golgi apparatus",
                             "",
                             "Lysosome"};
    for (int i = 0; i < 6; ++i)
        SetDlgItemTextA(dialog, IDC_CHOICE_TEXT1 + i, choices[i]);
}

void PrintTo(const TemplateShape& shape, std::ostream* out) {
    *out << shape.id << " \"" << shape.caption << '"';
}

class DialogTemplates : public testing::TestWithParam<TemplateShape> {
protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX init{sizeof init, ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS};
        InitCommonControlsEx(&init);
    }
};

std::vector<HWND> childrenInOrder(HWND dialog) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

TEST_P(DialogTemplates, ShowsItsControlsWithTheirIdsTextsAndPlaces) {
    const TemplateShape& shape = GetParam();
    TemplateDialog dialog(
        shape.id, [](HWND window, UINT message, WPARAM, LPARAM) { fillSessionSamples(window, message); });
    auto showDialog = [&] { return dialog.run(); };
    const INT_PTR result = ScriptedUser::play(showDialog, [&](ScriptedUser& user) {
        HWND window = user.waitForWindow(shape.caption);
        user.screenshot(window, "template-" + std::to_string(shape.id));

        const LONG style = GetWindowLongA(window, GWL_STYLE);
        EXPECT_TRUE(has(style, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME)) << std::hex << style;
        RECT client{}, size{0, 0, shape.size.cx, shape.size.cy};
        GetClientRect(window, &client);
        MapDialogRect(window, &size);
        EXPECT_EQ(client.right, size.right);
        EXPECT_EQ(client.bottom, size.bottom);

        RECT frame{}, work{};
        GetWindowRect(window, &frame);
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        EXPECT_NEAR((frame.left + frame.right) / 2, (work.left + work.right) / 2, 2) << "centred";
        EXPECT_NEAR((frame.top + frame.bottom) / 2, (work.top + work.bottom) / 2, 2) << "centred";

        LOGFONTA font{};
        GetObjectA(reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)), sizeof font, &font);
        EXPECT_STREQ(font.lfFaceName, shape.font.c_str());

        const std::vector<HWND> children = childrenInOrder(window);
        ASSERT_EQ(children.size(), shape.controls.size());
        for (std::size_t i = 0; i < children.size(); ++i) {
            const ControlShape& expected = shape.controls[i];
            SCOPED_TRACE("control " + std::to_string(i) + ", id " + std::to_string(expected.id));
            char kind[64] = "";
            GetClassNameA(children[i], kind, sizeof kind);
            EXPECT_EQ(lstrcmpiA(kind, expected.kind), 0) << kind;
            EXPECT_EQ(static_cast<short>(GetDlgCtrlID(children[i])), expected.id);
            if (expected.text) {
                EXPECT_EQ(user.text(children[i]), *expected.text);
            }
            if (expected.place) {
                RECT want = *expected.place, got{};
                MapDialogRect(window, &want);
                GetWindowRect(children[i], &got);
                MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&got), 2);
                EXPECT_EQ(got.left, want.left);
                EXPECT_EQ(got.top, want.top);
                EXPECT_EQ(got.right - got.left, want.right);
                EXPECT_EQ(got.bottom - got.top, want.bottom);
            }
        }
        user.pressKey(VK_ESCAPE);
    });
    EXPECT_EQ(result, IDCANCEL);
}

INSTANTIATE_TEST_SUITE_P(Resources, DialogTemplates, testing::ValuesIn(Templates),
                         [](const testing::TestParamInfo<TemplateShape>& info) {
                             return "Template" + std::to_string(info.param.id);
                         });

// What the templates' styles promise a person, tried out through the dialog manager.
class TemplateBehaviour : public DialogTemplates {};

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
