#include "questionssessiondialogctrl.h"

#include "app/sessions/sessiontexts.h"
#include "app/sessions/studysession.h"

#include "WinLib/resstring.h"
#include "resources/resource.h"

#include <string_view>

void QuestionsSessionDialogCtrl::finish() {
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    const Win::ResString format(instance, IDS_SESSION_SUMMARY);
    const std::string summary = summaryText(std::string_view(format), getSession());
    ::MessageBoxA(_h, summary.c_str(), Win::ResString(instance, IDS_PROGRAM_NAME),
                  MB_OK | MB_ICONINFORMATION);
}

void QuestionsSessionDialogCtrl::processAnswer() {
    StudySession& session = getSession();
    const std::string given = getAnswer();
    if (session.answer(given))
        return;
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    const Win::ResString format(instance, IDS_WRONG_ANSWER);
    // Made in full, however long the two answers are.
    const std::string message = wrongAnswerText(std::string_view(format), given, session.getToText());
    ::MessageBoxA(_h, message.c_str(), Win::ResString(instance, IDS_PROGRAM_NAME), MB_OK | MB_ICONSTOP);
}
