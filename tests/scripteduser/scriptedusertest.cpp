#include "tests/scripteduser/scripteduser.h"
#include "resources/resource.h"
#include "tests/scripteduser/templatedialog.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

namespace {

class ScriptedUserTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX init{sizeof init,
                                  ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS | ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&init);
    }
};

TEST_F(ScriptedUserTest, AnswersMessageBoxesAndReadsTheirText) {
    std::string shown;
    auto showBox = [] {
        return MessageBoxA(nullptr, "First line\nSecond line", "Please confirm", MB_YESNO | MB_ICONQUESTION);
    };
    const int answer = ScriptedUser::play(
        showBox, [&](ScriptedUser& user) { shown = user.answerMessageBox("Please confirm", IDNO); });
    EXPECT_EQ(answer, IDNO);
    EXPECT_EQ(shown, "First line\nSecond line");

    // Enter goes through the dialog manager to the default button.
    auto showQuestion = [] { return MessageBoxA(nullptr, "Go on?", "Lorvant", MB_OKCANCEL); };
    const int confirmed = ScriptedUser::play(showQuestion, [](ScriptedUser& user) {
        user.waitForMessageBox("Lorvant");
        user.pressKey(VK_RETURN);
    });
    EXPECT_EQ(confirmed, IDOK);
}

TEST_F(ScriptedUserTest, EnterAndEscapeReachTheDialogAsThePersonsKeysWould) {
    TemplateDialog session(IDD_QUESTIONS_ANSWERS);
    auto showSession = [&] { return session.run(); };
    const INT_PTR result = ScriptedUser::play(showSession, [&](ScriptedUser& user) {
        HWND dialog = user.waitForWindow("Questions & Answers Study Session");
        user.type(dialog, IDC_ANSWER, "Paris");
        EXPECT_EQ(user.focusedId(dialog), IDC_ANSWER);
        user.pressKey(VK_RETURN); // the answer box does not take Enter: the default button, Next, does
        EXPECT_TRUE(session.received(IDC_NEXT, BN_CLICKED));
        EXPECT_EQ(user.text(dialog, IDC_ANSWER), "Paris");
        user.pressKey(VK_ESCAPE);
    });
    EXPECT_EQ(result, IDCANCEL);
}

TEST_F(ScriptedUserTest, ClicksChecksAndChoosesWithTheNotificationsOfARealClick) {
    TemplateDialog settings(IDD_SETTINGS, [](HWND dialog, UINT message, WPARAM, LPARAM) {
        if (message != WM_INITDIALOG)
            return;
        for (const char* line : {"Term", "Definition", "Anything"})
            SendDlgItemMessageA(dialog, IDC_FROM_LIST, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line));
        SendDlgItemMessageA(dialog, IDC_FROM_LIST, CB_SETCURSEL, 0, 0);
        ShowWindow(GetDlgItem(dialog, IDC_HELP_BUTTON), SW_HIDE);
    });
    auto showSettings = [&] { return settings.run(); };
    const INT_PTR result = ScriptedUser::play(showSettings, [&](ScriptedUser& user) {
        HWND dialog = user.waitForWindow("Study Settings");
        EXPECT_EQ(user.items(dialog, IDC_FROM_LIST),
                  (std::vector<std::string>{"Term", "Definition", "Anything"}));
        user.choose(dialog, IDC_FROM_LIST, "Anything");
        EXPECT_EQ(user.selectedIndex(dialog, IDC_FROM_LIST), 2);
        EXPECT_EQ(user.selectedText(dialog, IDC_FROM_LIST), "Anything");
        EXPECT_TRUE(settings.received(IDC_FROM_LIST, CBN_SELCHANGE));
        EXPECT_EQ(user.focusedId(dialog), IDC_FROM_LIST);

        EXPECT_FALSE(user.isChecked(dialog, IDC_SHUFFLE));
        user.click(dialog, IDC_SHUFFLE);
        EXPECT_TRUE(user.isChecked(dialog, IDC_SHUFFLE));
        EXPECT_TRUE(settings.received(IDC_SHUFFLE, BN_CLICKED));

        // Digits only: the letters a person types are refused by the box itself.
        user.type(dialog, IDC_TIME_OUT, "4x2");
        EXPECT_EQ(user.text(dialog, IDC_TIME_OUT), "42");
        user.setText(dialog, IDC_CHOICES, "5");
        EXPECT_EQ(user.text(dialog, IDC_CHOICES), "5");
        EXPECT_TRUE(settings.received(IDC_CHOICES, EN_CHANGE));

        EXPECT_TRUE(user.isOpen("Study Settings"));
        EXPECT_FALSE(user.isVisible(dialog, IDC_HELP_BUTTON));
        EXPECT_THROW(user.click(dialog, IDC_HELP_BUTTON), ScriptFailure)
            << "a hidden button cannot be clicked";
        user.click(dialog, IDOK);
    });
    EXPECT_EQ(result, IDOK);
}

TEST_F(ScriptedUserTest, ListBoxChoiceKeyChordsAndMnemonics) {
    TemplateDialog outline(IDD_OUTLINE, [](HWND dialog, UINT message, WPARAM, LPARAM) {
        if (message != WM_INITDIALOG)
            return;
        for (const char* line : {"X", "Y", "Z"})
            SendDlgItemMessageA(dialog, IDC_FIELD_NAMES, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line));
        EnableWindow(GetDlgItem(dialog, IDC_ADD_FIELD), FALSE);
    });
    auto showOutline = [&] { return outline.run(); };
    ScriptedUser::play(showOutline, [&](ScriptedUser& user) {
        HWND dialog = user.waitForWindow("Customize StudySet");
        user.choose(dialog, IDC_FIELD_NAMES, "Y");
        EXPECT_EQ(user.selectedIndex(dialog, IDC_FIELD_NAMES), 1);
        EXPECT_TRUE(outline.received(IDC_FIELD_NAMES, LBN_SELCHANGE));

        user.pressChord(dialog, {VK_SHIFT}, VK_TAB); // back to the control before the list
        EXPECT_EQ(user.focusedId(dialog), IDC_ITEM_TYPE);
        user.pressKey(VK_TAB);
        EXPECT_EQ(user.focusedId(dialog), IDC_FIELD_NAMES);

        user.typeCharacter('n'); // the list takes characters itself: no mnemonic
        EXPECT_FALSE(outline.received(IDC_MOVE_DOWN, BN_CLICKED));
        user.focus(dialog, IDC_MOVE_UP);
        user.typeCharacter('n'); // a button does not: "Move dow&n" is pressed
        EXPECT_TRUE(outline.received(IDC_MOVE_DOWN, BN_CLICKED));

        EXPECT_FALSE(user.isEnabled(dialog, IDC_ADD_FIELD));
        EXPECT_THROW(user.click(dialog, IDC_ADD_FIELD), ScriptFailure);
        user.click(dialog, IDCANCEL);
    });
}

TEST_F(ScriptedUserTest, ReadsListViewsAndMenus) {
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 1, "&Add...\tIns");
    AppendMenuA(popup, MF_STRING | MF_GRAYED, 2, "&Remove\tDel");
    AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(popup, MF_STRING | MF_CHECKED, 3, "Select &All\tCtrl+A");
    HWND list = nullptr;
    TemplateDialog dialog(IDD_SESSION_ITEMS, [&](HWND window, UINT message, WPARAM wParam, LPARAM) {
        if (message == WM_INITMENUPOPUP)
            EnableMenuItem(reinterpret_cast<HMENU>(wParam), 2, MF_BYCOMMAND | MF_ENABLED);
        if (message != WM_INITDIALOG)
            return;
        list = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 200, 100,
                               window, reinterpret_cast<HMENU>(50), GetModuleHandleA(nullptr), nullptr);
        const char* titles[] = {"No.", "Term", "Definition"};
        for (int column = 0; column < 3; ++column) {
            LVCOLUMNA info{};
            info.mask = LVCF_TEXT | LVCF_WIDTH;
            info.cx = 60;
            info.pszText = const_cast<char*>(titles[column]);
            SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(column),
                         reinterpret_cast<LPARAM>(&info));
        }
        const char* rows[][3] = {{"1", "France", "Paris"}, {"2", "Peru", "Lima"}};
        for (int row = 0; row < 2; ++row) {
            LVITEMA item{};
            item.mask = LVIF_TEXT;
            item.iItem = row;
            item.pszText = const_cast<char*>(rows[row][0]);
            SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
            for (int column = 1; column < 3; ++column) {
                item.iSubItem = column;
                item.pszText = const_cast<char*>(rows[row][column]);
                SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(row),
                             reinterpret_cast<LPARAM>(&item));
            }
        }
    });
    auto showDialog = [&] { return dialog.run(); };
    ScriptedUser::play(showDialog, [&](ScriptedUser& user) {
        HWND window = user.waitForWindow("Study Session");
        EXPECT_EQ(user.listViewHeaders(list), (std::vector<std::string>{"No.", "Term", "Definition"}));
        EXPECT_EQ(user.listViewRowCount(list), 2);
        EXPECT_EQ(user.listViewCell(list, 1, 2), "Lima");
        user.selectListViewRows(list, {1});
        EXPECT_EQ(user.listViewSelectedRows(list), std::vector<int>{1});
        EXPECT_FALSE(dialog.notifications().empty()) << "the dialog hears of the new selection";

        auto items = user.menuItems(popup);
        ASSERT_EQ(items.size(), 4u);
        EXPECT_EQ(items[1].label, "&Remove\tDel");
        EXPECT_FALSE(items[1].enabled);
        EXPECT_EQ(items[2].label, "");
        EXPECT_TRUE(items[3].checked);
        user.preparePopup(window, popup, 0);
        EXPECT_TRUE(user.menuItems(popup)[1].enabled);
        user.click(window, IDCANCEL);
    });
    DestroyMenu(popup);
}

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

TEST_F(ScriptedUserTest, ScreenshotIsAPngOfTheWindow) {
    TemplateDialog items(IDD_SESSION_ITEMS);
    std::string path;
    RECT place{};
    auto showItems = [&] { return items.run(); };
    ScriptedUser::play(showItems, [&](ScriptedUser& user) {
        HWND dialog = user.waitForWindow("Study Session");
        GetWindowRect(dialog, &place);
        path = user.screenshot(dialog, "scripted-user-check");
        user.click(dialog, IDOK);
    });
    std::ifstream file(path, std::ios::binary);
    ASSERT_TRUE(file) << path;
    unsigned char header[24] = {};
    file.read(reinterpret_cast<char*>(header), sizeof header);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(header) + 1, 3), "PNG");
    const auto bigEndian = [&](int at) {
        return (header[at] << 24) | (header[at + 1] << 16) | (header[at + 2] << 8) | header[at + 3];
    };
    EXPECT_EQ(bigEndian(16), place.right - place.left);
    EXPECT_EQ(bigEndian(20), place.bottom - place.top);
}

} // namespace
