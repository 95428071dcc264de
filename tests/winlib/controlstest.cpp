#include "WinLib/assertion.h"
#include "WinLib/checkbox.h"
#include "WinLib/combobox.h"
#include "WinLib/edit.h"
#include "WinLib/listbox.h"
#include "WinLib/listview.h"
#include "WinLib/maker.h"
#include "WinLib/pendingexception.h"
#include "WinLib/updown.h"
#include "tests/winlib/testwindow.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

enum { EditId = 10, MultiLineId, ListId, ComboId, CheckId, NumberId, ArrowsId };

// A window holding one control of each kind, found by id as in a dialog.
class ControlsTest : public ::testing::Test {
protected:
    ControlsTest() {
        INITCOMMONCONTROLSEX init{sizeof(init), ICC_UPDOWN_CLASS | ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&init);
        make("EDIT", EditId, ES_AUTOHSCROLL);
        make("EDIT", MultiLineId, ES_MULTILINE | ES_AUTOVSCROLL);
        make("LISTBOX", ListId, LBS_NOTIFY);
        make("COMBOBOX", ComboId, CBS_DROPDOWNLIST);
        make("BUTTON", CheckId, BS_AUTOCHECKBOX);
        make("EDIT", NumberId, ES_NUMBER);
        HWND arrows = make(UPDOWN_CLASSA, ArrowsId, UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS);
        SendMessageA(arrows, UDM_SETBUDDY, reinterpret_cast<WPARAM>(GetDlgItem(window.get(), NumberId)), 0);
    }

    HWND make(const char* className, int id, DWORD style) {
        Win::ChildMaker maker(className, window.get(), id);
        maker.addStyle(WS_VISIBLE | style);
        maker.setPosition(0, 30 * (id - EditId));
        maker.setSize(200, 100);
        return maker.create("");
    }

    std::pair<LRESULT, LRESULT> selection(int id) {
        DWORD start = 0, end = 0;
        SendDlgItemMessageA(window.get(), id, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                            reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }

    struct Plain : Win::Controller {
    } ctrl;
    TestWindow window{ctrl};
};

template <class Action> std::string assertionOf(Action action) {
    try {
        action();
    } catch (const Win::AssertionFailure& e) {
        return e.what();
    }
    return "";
}

} // namespace

TEST_F(ControlsTest, EditTextIsReadAppendedAndCleared) {
    Win::Edit edit(window.get(), EditId);
    EXPECT_EQ(edit.getId(), EditId);
    EXPECT_EQ(edit.getText(), "");
    edit.setText("Capital");
    edit.append(" of France");
    EXPECT_EQ(edit.getText(), "Capital of France");
    EXPECT_EQ(selection(EditId), std::make_pair(LRESULT(17), LRESULT(17)));
    edit.clear();
    EXPECT_EQ(edit.getText(), "");
    edit.append("x");
    EXPECT_EQ(edit.getText(), "x");

    // Texts longer than any fixed buffer come back whole.
    std::string longText(5000, 'q');
    edit.setText(longText.c_str());
    EXPECT_EQ(edit.getText(), longText);

    // A read-only box keeps its text, as the system does.
    SendMessageA(edit.getHandle(), EM_SETREADONLY, TRUE, 0);
    edit.setText("kept");
    edit.clear();
    EXPECT_EQ(edit.getText(), "kept");
}

TEST_F(ControlsTest, SelectLineSelectsOneWholeLine) {
    Win::Edit edit(window.get(), MultiLineId);
    edit.setText("one\r\ntwo\r\nthree");
    edit.selectLine(1);
    EXPECT_EQ(selection(MultiLineId), std::make_pair(LRESULT(5), LRESULT(8)));
    edit.selectLine(2);
    EXPECT_EQ(selection(MultiLineId), std::make_pair(LRESULT(10), LRESULT(15)));
    edit.selectLine(7);
    EXPECT_EQ(selection(MultiLineId), std::make_pair(LRESULT(10), LRESULT(15)));
}

TEST_F(ControlsTest, ListBoxLinesAndSelection) {
    Win::ListBox list(window.get(), ListId);
    list.addString("Definition");
    list.addString("Capital");
    list.insertString(1, "Continent");
    ASSERT_EQ(list.getCount(), 3);
    EXPECT_EQ(list.getItemText(0), "Definition");
    EXPECT_EQ(list.getItemText(1), "Continent");
    EXPECT_EQ(list.getItemText(2), "Capital");
    EXPECT_FALSE(list.isSelection());
    EXPECT_NE(assertionOf([&] { list.getSelection(); }).find("isSelection()"), std::string::npos);

    list.setSelection(2);
    EXPECT_TRUE(list.isSelection());
    EXPECT_EQ(list.getSelection(), 2);
    list.deleteString(0);
    EXPECT_EQ(list.getCount(), 2);
    EXPECT_EQ(list.getItemText(0), "Continent");

    EXPECT_NE(assertionOf([&] { list.getItemText(2); }).find("idx<getCount()"), std::string::npos);
    EXPECT_NE(assertionOf([&] { list.getItemText(-1); }).find("idx<getCount()"), std::string::npos);
    list.addString("");
    EXPECT_EQ(list.getItemText(2), "");
}

TEST_F(ControlsTest, ComboBoxAndCheckBox) {
    Win::ComboBox combo(window.get(), ComboId);
    combo.addString("Term");
    combo.addString("Definition");
    EXPECT_EQ(combo.getSelection(), -1);
    combo.setSelection(1);
    EXPECT_EQ(combo.getSelection(), 1);
    EXPECT_EQ(combo.getText(), "Definition");
    combo.clear();
    EXPECT_EQ(combo.getCount(), 0);

    Win::CheckBox box(window.get(), CheckId);
    box.check();
    EXPECT_TRUE(box.isChecked());
    box.uncheck();
    EXPECT_FALSE(box.isChecked());
    box.disable();
    EXPECT_FALSE(box.isEnabled());
    box.enable();
    EXPECT_TRUE(box.isEnabled());
}

TEST_F(ControlsTest, UpDownReadsItsBuddysNumber) {
    Win::UpDown arrows(window.get(), ArrowsId);
    Win::Edit number(window.get(), NumberId);
    arrows.setRange(2, 99);
    arrows.setPos(5);
    EXPECT_EQ(number.getText(), "5");
    EXPECT_EQ(arrows.getPos(), 5);

    number.setText("42");
    EXPECT_EQ(arrows.getPos(), 42);
    number.setText("150");
    EXPECT_FALSE(arrows.getPos().has_value()) << "a number outside the range counts as an error";
    number.setText("");
    EXPECT_FALSE(arrows.getPos().has_value());
}

TEST_F(ControlsTest, FocusFollowsTheControl) {
    Win::Edit edit(window.get(), EditId);
    Win::Edit other(window.get(), MultiLineId);
    SetForegroundWindow(window.get());
    edit.setFocus();
    EXPECT_TRUE(edit.hasFocus());
    EXPECT_FALSE(other.hasFocus());
    other.setFocus();
    EXPECT_TRUE(other.hasFocus());
    EXPECT_FALSE(Win::Edit().hasFocus());
}

// An error in the list's own handling of the user's input, here a model that fails while the user types,
// is parked for the message loop like any window procedure's, and the list draws again.
TEST_F(ControlsTest, ListViewInputErrorsReachTheMessageLoop) {
    struct Layout : Win::ListViewLayoutModel {
        unsigned getColumnsCount() const override { return 1; }
        std::string getColumnTitle(unsigned) const override { return "Term"; }
        void setColumnWidth(unsigned, int) override {}
        bool hasUserWidth(unsigned) const override { return false; }
    } layout;
    struct Rows : Win::ListViewDataModel {
        unsigned getItemsCount() const override { return 3; }
        const Win::ListViewItem& getItem(unsigned) override { throw std::runtime_error("model failed"); }
        bool isSelected(unsigned) const override { return false; }
        void setSelection(const std::vector<int>&) override {}
    } rows;
    Win::ListView list(layout, rows);
    Win::ListViewMaker maker(window.get(), 20);
    maker.setReportView();
    maker.setVirtual();
    list.attach(maker.create(""), 20);
    list.rebuildColumns();
    list.refillItems();

    SendMessageA(list.getWindow(), WM_CHAR, 'a', 0);
    EXPECT_FALSE(list.isRedrawHeld());
    EXPECT_THROW(Win::PendingException::rethrowIfSet(), std::runtime_error);
}
