#include "WinLib/edit.h"
#include "WinLib/maker.h"
#include "tests/winlib/testwindow.h"

#include <gtest/gtest.h>

#include <string>

// The dialogs read what the user typed through these controls: a long definition must come back whole.
TEST(DlgControl, TextLongerThanAnyFixedBufferComesBackWhole) {
    Win::Controller owner;
    auto window = makeTestWindow(owner);
    Win::ChildMaker maker("EDIT", window.get(), 10);
    maker.addStyle(ES_AUTOHSCROLL);
    maker.create("");
    Win::Edit edit(window.get(), 10);
    const std::string text(5000, 'q');
    edit.setText(text.c_str());
    EXPECT_EQ(edit.getText(), text);
}
