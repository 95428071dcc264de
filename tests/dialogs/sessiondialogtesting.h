#pragma once

#include "app/sessions/sessiondialogctrl.h"
#include "resources/resource.h"
#include "tests/scripteduser/scripteduser.h"
#include "tests/sessions/sessiontestlist.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

// The session dialogs' tests: a visible stand-in for the main window, which the starter hides and shows,
// and a study list of three countries with their capitals.
class SessionDialogsTest : public testing::Test {
protected:
    static constexpr const char* MainWindowCaption = "Lorvant session test";
    static constexpr const char* ItemsCaption = "Study Session";
    static constexpr const char* PresentationCaption = "Presentation Study Session";
    static constexpr const char* QnaCaption = "Questions & Answers Study Session";
    static constexpr const char* MultipleChoiceCaption = "Multiple Choice Study Session";
    // Sent to the main window, which runs on the program's thread: kills the countdown's system timer of the
    // dialog in wParam behind the controller's back, so that the script alone makes the countdown tick.
    static constexpr UINT FreezeCountdownMessage = WM_APP + 1;

    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX init{sizeof init, ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&init);
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = mainWindowProcedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        windowClass.lpszClassName = "Lorvant session test window";
        RegisterClassExA(&windowClass);
    }

    void SetUp() override {
        _mainWindow = CreateWindowExA(0, "Lorvant session test window", MainWindowCaption,
                                      WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 400, 300, nullptr, nullptr,
                                      GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(_mainWindow, nullptr);
        markSaved(_list);
    }

    void TearDown() override { DestroyWindow(_mainWindow); }

    template <class Creator> void runSession(const std::function<void(ScriptedUser&)>& script) {
        ScriptedUser::play(
            [&] {
                Creator creator(_mainWindow, _list);
                creator.run();
            },
            script);
    }

    bool isMainWindowVisible() const { return IsWindowVisible(_mainWindow) != FALSE; }

    // Returns the number of seconds the countdown box shows once the system timer no longer feeds it.
    int freezeCountdown(ScriptedUser& user, HWND dialog) {
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutA(_mainWindow, FreezeCountdownMessage, reinterpret_cast<WPARAM>(dialog), 0,
                                 SMTO_NORMAL, 5000, &result))
            user.fail("the countdown could not be frozen");
        return std::stoi(user.text(dialog, IDC_TIME_LEFT));
    }

    // One tick of the countdown, as the system timer delivers it.
    static void tick(ScriptedUser& user, HWND dialog, int count = 1) {
        for (int i = 0; i < count; ++i)
            PostMessageA(dialog, WM_TIMER, SessionDialogCtrl::CountdownTimerId, 0);
        user.sync();
    }

    static std::string wrongAnswerText(const std::string& given, const std::string& right) {
        return "\"" + given + "\" is wrong.\nThe correct answer is:\n\"" + right + "\".";
    }

    static std::string summaryText(int asked, int correct, int result) {
        return "Total questions:\t\t" + std::to_string(asked) + "\nCorrectly answered:\t\t" +
               std::to_string(correct) + "\nResult:\t\t\t" + std::to_string(result) + "%";
    }

    // times asked and correct answers of each item
    std::vector<std::pair<int, int>> scores() const {
        std::vector<std::pair<int, int>> all;
        for (int i = 0; i < _list.getTermSetCount(); ++i)
            all.emplace_back(_list.getTermSet(i).getTimesAsked(), _list.getTermSet(i).getCorrectAnswers());
        return all;
    }

    HWND _mainWindow = nullptr;
    StudyList _list =
        makeStudyList({"Definition"}, {{"France", "Paris"}, {"Japan", "Tokyo"}, {"Peru", "Lima"}});

private:
    static LRESULT CALLBACK mainWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == FreezeCountdownMessage) {
            KillTimer(reinterpret_cast<HWND>(wParam), SessionDialogCtrl::CountdownTimerId);
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }
};
