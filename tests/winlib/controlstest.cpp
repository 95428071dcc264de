#include "WinLib/edit.h"
#include "WinLib/listview.h"
#include "WinLib/maker.h"
#include "WinLib/pendingexception.h"
#include "tests/winlib/testwindow.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

enum { EditId = 10, MultiLineId };

// A window holding two edit boxes, found by id as in a dialog.
class ControlsTest : public ::testing::Test {
protected:
    ControlsTest() {
        INITCOMMONCONTROLSEX init{sizeof(init), ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&init);
        make("EDIT", EditId, ES_AUTOHSCROLL);
        make("EDIT", MultiLineId, ES_MULTILINE | ES_AUTOVSCROLL);
    }

    void make(const char* className, int id, DWORD style) {
        Win::ChildMaker maker(className, window.get(), id);
        maker.addStyle(WS_VISIBLE | style);
        maker.setPosition(0, 30 * (id - EditId));
        maker.setSize(200, 100);
        maker.create("");
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
