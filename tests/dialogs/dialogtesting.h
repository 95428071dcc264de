#pragma once

#include "WinLib/dialog.h"
#include "tests/scripteduser/scripteduser.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

// The dialogs use the common controls of the program's manifest; registered once for every test here.
inline const bool commonControlsRegistered = [] {
    INITCOMMONCONTROLSEX init{sizeof init, ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS | ICC_LISTVIEW_CLASSES |
                                               ICC_BAR_CLASSES | ICC_PROGRESS_CLASS};
    return InitCommonControlsEx(&init) != FALSE;
}();

// Runs a dialog with its controller modally on the test's thread while the scripted user works it.
inline INT_PTR runDialog(int templateId, Dialog::Controller& controller,
                         const std::function<void(ScriptedUser&)>& script) {
    return ScriptedUser::play([&] { return Dialog::run(nullptr, templateId, controller); }, script);
}

// A message of the program's string table, filled in as the program fills it.
template <class... Arguments> std::string message(int id, Arguments... arguments) {
    char format[512] = "", text[1024] = "";
    LoadStringA(GetModuleHandleA(nullptr), static_cast<UINT>(id), format, sizeof format);
    std::snprintf(text, sizeof text, format, arguments...);
    return text;
}
