// Every dialog of the program's resources as the dialog manager makes it at the screen's resolution (also
// run at 144 and 192 dots per inch): nothing cut, nothing overlapping, nothing outside the dialog.
#include "tests/dialogs/dialogtesting.h"
#include "tests/scripteduser/layoutcheck.h"

#include <atomic>
#include <memory>
#include <string>
#include <vector>

namespace {

using Findings = std::vector<std::string>;

// Every dialog template of the executable, so that a dialog added to the resources is checked too.
std::vector<int> dialogTemplates() {
    std::vector<int> ids;
    EnumResourceNamesA(
        GetModuleHandleA(nullptr), MAKEINTRESOURCEA(5), // RT_DIALOG
        [](HMODULE, LPCSTR, LPSTR name, LONG_PTR found) {
            if (IS_INTRESOURCE(name))
                reinterpret_cast<std::vector<int>*>(found)->push_back(
                    static_cast<int>(reinterpret_cast<ULONG_PTR>(name)));
            return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&ids));
    return ids;
}

std::atomic<HWND> shownTemplate = nullptr;

// The template alone, without the program's controllers: ends on OK and Cancel.
INT_PTR CALLBACK showTemplate(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG)
        shownTemplate = dialog;
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL))
        EndDialog(dialog, LOWORD(wParam));
    return message == WM_INITDIALOG || message == WM_COMMAND;
}

TEST(LayoutChecks, SeeEveryDialogTemplate) {
    EXPECT_GE(dialogTemplates().size(), 8u);
}

class DialogLayout : public testing::TestWithParam<int> {};

TEST_P(DialogLayout, ShowsEveryControlWholeInsideTheDialog) {
    shownTemplate = nullptr;
    const INT_PTR result = ScriptedUser::play(
        [] {
            return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(GetParam()), nullptr,
                                   &showTemplate, 0);
        },
        [](ScriptedUser& user) {
            for (int tries = 0; tries < 200 && !shownTemplate; ++tries)
                Sleep(50);
            if (!shownTemplate)
                user.fail("the dialog did not open");
            HWND window = user.waitForWindow(user.text(shownTemplate));
            user.screenshot(window, "dialog-" + std::to_string(GetParam()) + "-" +
                                        std::to_string(LayoutCheck::screenDpi()) + "dpi");
            EXPECT_EQ(LayoutCheck::placement(window), Findings{});
            EXPECT_EQ(LayoutCheck::textRoom(window), Findings{});
            EXPECT_EQ(LayoutCheck::scalableFont(window), Findings{});
            PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
        });
    EXPECT_EQ(result, IDCANCEL);
}

INSTANTIATE_TEST_SUITE_P(Resources, DialogLayout, testing::ValuesIn(dialogTemplates()),
                         [](const testing::TestParamInfo<int>& info) {
                             return "Template" + std::to_string(info.param);
                         });

// The checks themselves, on a window laid out badly on purpose, with places chosen at 96 dots per inch.
TEST(LayoutChecks, FindCutTextsOverlapsControlsOutsideAndNarrowColumns) {
    const int dpi = LayoutCheck::screenDpi();
    const auto px = [&](int standardPixels) { return MulDiv(standardPixels, dpi, 96); };
    std::unique_ptr<HWND__, decltype(&DestroyWindow)> window(
        CreateWindowExA(0, "#32770", "Bad layout", WS_POPUP | WS_CAPTION, 0, 0, px(300), px(200), nullptr,
                        nullptr, GetModuleHandleA(nullptr), nullptr),
        &DestroyWindow);
    ASSERT_NE(window, nullptr);
    RECT client{};
    GetClientRect(window.get(), &client);
    const auto add = [&](const char* kind, const char* text, DWORD style, int x, int y, int width,
                         int height) {
        HWND control = CreateWindowExA(0, kind, text, WS_CHILD | WS_VISIBLE | style, px(x), px(y), px(width),
                                       px(height), window.get(), nullptr, GetModuleHandleA(nullptr), nullptr);
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    };
    add("Button", "Frame", BS_GROUPBOX, 5, 5, 150, 80);
    add("Button", "OK", BS_PUSHBUTTON, 15, 25, 60, 24);                            // inside the frame: fine
    add("Button", "Questions time out in", BS_AUTOCHECKBOX, 15, 55, 40, 16);       // cut
    add("Static", "You have one or more items selected", SS_LEFT, 160, 5, 60, 14); // cut
    add("Edit", "", 0, 160, 40, 60, 20);
    add("Edit", "", 0, 200, 50, 60, 20); // overlaps the other box
    add("Button", "Help", BS_PUSHBUTTON, MulDiv(client.right, 96, dpi) - 30, 100, 60, 24); // reaches out

    EXPECT_EQ(LayoutCheck::placement(window.get()).size(), 2u);
    EXPECT_EQ(LayoutCheck::textRoom(window.get()).size(), 2u);
    const Findings columns = LayoutCheck::listColumns({{"#", px(19), "999999"},
                                                       {"Term", px(120), ""},
                                                       {"Correct Answers", px(40), ""},
                                                       {"Ratio", px(80), "100 %"}});
    ASSERT_EQ(columns.size(), 2u);
    EXPECT_NE(columns[0].find("\"#\""), std::string::npos);
    EXPECT_NE(columns[1].find("\"Correct Answers\""), std::string::npos);
}

} // namespace
