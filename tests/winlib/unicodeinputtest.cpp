// Words in every script reach the program's own controls whole when typed with real keys: the message loop
// hands the characters on, and the list's own typing takes each character, also one that comes in two
// halves, and compares without case in every script. The list cuts a text too long for a cell before a
// character, never inside one.
#include "WinLib/listview.h"
#include "WinLib/messageloop.h"
#include "tests/scripteduser/scripteduser.h"
#include "tests/winlib/testwindow.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct PlainController : Win::Controller {};

// The list's first column.
struct Words : Win::ListViewLayoutModel, Win::ListViewDataModel, Win::ListViewItem {
    std::vector<std::string> rows{"Жизнь", "жук", "😃 smiley", "😀 grin", "日本"};
    unsigned row = 0;

    unsigned getColumnsCount() const override { return 1; }
    std::string getColumnTitle(unsigned) const override { return "Word"; }
    void setColumnWidth(unsigned, int) override {}
    bool hasUserWidth(unsigned) const override { return false; }
    unsigned getItemsCount() const override { return static_cast<unsigned>(rows.size()); }
    const Win::ListViewItem& getItem(unsigned index) override {
        row = index;
        return *this;
    }
    std::string getText(unsigned, const std::string&) const override { return rows.at(row); }
    bool isSelected(unsigned) const override { return false; }
    void setSelection(const std::vector<int>&) override {}
};

// Ends the loop at the key that follows the typed text: keys come in order, and the characters made of a
// key are handled before the next key.
bool endAtLastKey(MSG& msg) {
    if (msg.message != WM_KEYUP || msg.wParam != VK_F24)
        return false;
    PostQuitMessage(0);
    return true;
}

void CALLBACK endStalledLoop(HWND, UINT, UINT_PTR, DWORD) {
    PostQuitMessage(0);
}

// Types into the focused window with real keys, as an input method does, through the program's loop.
void type(const std::string& text) {
    std::vector<INPUT> keys = typingInput(text);
    const std::vector<INPUT> last = keyChordInput({}, VK_F24);
    keys.insert(keys.end(), last.begin(), last.end());
    ASSERT_EQ(SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT)), keys.size());
    Win::MessageLoop loop;
    loop.setPreTranslator(&endAtLastKey);
    const UINT_PTR watchdog = SetTimer(nullptr, 0, 10000, endStalledLoop);
    loop.run();
    KillTimer(nullptr, watchdog);
}

std::string windowText(HWND window) {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

} // namespace

TEST(UnicodeInput, TypedCharactersOfEveryScriptReachTheControlsWhole) {
    ASSERT_EQ(GetACP(), static_cast<UINT>(CP_UTF8)) << "the manifest asks for UTF-8";
    PlainController ctrl;
    auto window = makeTestWindow(ctrl);
    ShowWindow(window.get(), SW_SHOW);
    SetForegroundWindow(window.get());

    HWND edit =
        CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 0, 0, 300, 24, window.get(),
                        reinterpret_cast<HMENU>(10), GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(edit, nullptr);
    SetFocus(edit);
    const std::string words = "Zażółć gęślą jaźń, Привет мир, Σοφία, مرحبا, 日本語, 😀";
    type(words);
    EXPECT_EQ(windowText(edit), words);

    Words model;
    Win::ListView list(model, model);
    Win::ListViewMaker maker(window.get(), 20);
    maker.setReportView();
    maker.setVirtual();
    list.attach(maker.create(""), 20);
    list.rebuildColumns();
    list.refillItems();
    SetFocus(list.getWindow());
    type("жу");
    EXPECT_EQ(list.getFocusedRow(), 1) << "lower case finds upper case, then the longer text the next row";
    // A second apart, typing starts a new search after the focused row.
    Sleep(1100);
    type("😀");
    EXPECT_EQ(list.getFocusedRow(), 3);
    Sleep(1100);
    type("日");
    EXPECT_EQ(list.getFocusedRow(), 4);

    char cell[6] = "";
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.pszText = cell;
    item.cchTextMax = sizeof cell;
    list.getDispInfo(item);
    EXPECT_EQ(std::string(cell), "Жи") << "five bytes would end inside the third letter";
}
