#pragma once

#include "WinLib/dialog.h"
#include "tests/scripteduser/scripteduser.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>

// The item, outline and settings dialogs, each run modally on the test's thread while the scripted user works
// it from its own.
class EditingDialogTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX init{sizeof init, ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS};
        InitCommonControlsEx(&init);
    }

    static INT_PTR run(int templateId, Dialog::Controller& controller,
                       const std::function<void(ScriptedUser&)>& script) {
        return ScriptedUser::play([&] { return Dialog::run(nullptr, templateId, controller); }, script);
    }
};
