#pragma once

#include "app/sessions/sessiondialogctrl.h"
#include "resources/resource.h"
#include "tests/dialogs/dialogtesting.h"
#include "tests/sessions/sessiontestlist.h"

#include <string>
#include <utility>
#include <vector>

// A visible stand-in for the main window, which a session hides and shows again, and a study list of three
// countries with their capitals.
class SessionDialogsTest : public testing::Test {
protected:
    using Scores = std::vector<std::pair<int, int>>; // times asked and correct answers of each item
    static constexpr const char* QnaCaption = "Questions & Answers Study Session";
    static constexpr const char* MultipleChoiceCaption = "Multiple Choice Study Session";

    void SetUp() override {
        _mainWindow = CreateWindowExA(0, "Static", "Lorvant session test", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                      40, 40, 400, 300, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(_mainWindow, nullptr);
        markSaved(_list);
    }

    void TearDown() override { DestroyWindow(_mainWindow); }

    template <class Creator> void runSession(const std::function<void(ScriptedUser&)>& script) {
        ScriptedUser::play([&] { Creator(_mainWindow, _list).run(); }, script);
    }

    bool isMainWindowVisible() const { return IsWindowVisible(_mainWindow) != FALSE; }

    // Stops the countdown's system timer so that only the script's ticks move it; returns the seconds shown.
    static int freezeCountdown(ScriptedUser& user, HWND dialog) {
        user.runOnProgramThread([dialog] { KillTimer(dialog, SessionDialogCtrl::CountdownTimerId); });
        return std::stoi(user.text(dialog, IDC_TIME_LEFT));
    }

    // Ticks of the countdown, as the system timer delivers them.
    static void tick(ScriptedUser& user, HWND dialog, int count = 1) {
        for (int i = 0; i < count; ++i)
            PostMessageA(dialog, WM_TIMER, SessionDialogCtrl::CountdownTimerId, 0);
        user.sync();
    }

    static std::string wrongAnswer(const std::string& given, const std::string& right) {
        return message(IDS_WRONG_ANSWER, given.c_str(), right.c_str());
    }

    Scores scores() const {
        Scores all;
        for (int i = 0; i < _list.getTermSetCount(); ++i)
            all.emplace_back(_list.getTermSet(i).getTimesAsked(), _list.getTermSet(i).getCorrectAnswers());
        return all;
    }

    HWND _mainWindow = nullptr;
    StudyList _list =
        makeStudyList({"Definition"}, {{"France", "Paris"}, {"Japan", "Tokyo"}, {"Peru", "Lima"}});
};
