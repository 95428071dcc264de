#include "reviewdialogctrl.h"

#include "WinLib/dialogfocus.h"
#include "WinLib/edit.h"
#include "WinLib/resstring.h"
#include "app/sessions/messageformat.h"
#include "app/sessions/reviewsession.h"
#include "resources/resource.h"

#include <utility>

namespace {

// A grade is applied from a posted command with this code: a key picks its button through the
// dialog manager, which moves the focus to that button after the click; the next question must
// take the focus only after that.
constexpr int GradeLater = 0x4000;

std::string resourceText(int id) {
    return std::string(Win::ResString(::GetModuleHandleA(nullptr), id));
}

} // namespace

ReviewDialogCtrl::ReviewDialogCtrl(ReviewSession& session, Clock clock)
    : _session(session), _clock(std::move(clock)) {}

void ReviewDialogCtrl::onInitDialog() {
    showQuestion();
}

bool ReviewDialogCtrl::onCommand(int controlId, int notifyCode) {
    switch (controlId) {
    case IDC_CHECK:
        check();
        return true;
    case IDC_GRADE_AGAIN:
    case IDC_GRADE_HARD:
    case IDC_GRADE_GOOD:
    case IDC_GRADE_EASY:
        if (notifyCode == GradeLater)
            grade(static_cast<Grade>(controlId - IDC_GRADE_AGAIN + 1));
        else if (notifyCode == BN_CLICKED)
            ::PostMessageA(_h, WM_COMMAND, MAKEWPARAM(controlId, GradeLater), 0);
        return true;
    case IDC_STOP:
        endCancel();
        return true;
    default:
        // Esc is left alone, as in the other sessions: it must not end a review unasked.
        return false;
    }
}

bool ReviewDialogCtrl::onClose() {
    endCancel();
    return true;
}

void ReviewDialogCtrl::showGrades(bool shown) {
    for (int id : {IDC_RIGHT_ANSWER_LABEL, IDC_RIGHT_ANSWER, IDC_VERDICT, IDC_GRADE_AGAIN, IDC_GRADE_HARD,
                   IDC_GRADE_GOOD, IDC_GRADE_EASY, IDC_INTERVAL_AGAIN, IDC_INTERVAL_HARD, IDC_INTERVAL_GOOD,
                   IDC_INTERVAL_EASY})
        ::ShowWindow(::GetDlgItem(_h, id), shown ? SW_SHOW : SW_HIDE);
    ::ShowWindow(::GetDlgItem(_h, IDC_CHECK), shown ? SW_HIDE : SW_SHOW);
    Win::DlgControl(_h, IDC_CHECK).enable(!shown);
    for (int id = IDC_GRADE_AGAIN; id <= IDC_GRADE_EASY; ++id)
        Win::DlgControl(_h, id).enable(shown);
}

void ReviewDialogCtrl::showQuestion() {
    Win::DlgControl(_h, IDC_QUESTION_LABEL).setText(_session.getFromName().c_str());
    Win::DlgControl(_h, IDC_QUESTION).setText(_session.getFromText().c_str());
    Win::DlgControl(_h, IDC_ANSWER_LABEL).setText(_session.getToName().c_str());
    Win::DlgControl(_h, IDC_REVIEWS_LEFT)
        .setText(formatMessage(resourceText(IDS_REVIEWS_LEFT), {_session.getItemsLeft()}).c_str());
    Win::Edit answer(_h, IDC_ANSWER);
    answer.setText("");
    answer.setReadOnly(false);
    showGrades(false);
    ::SendMessageA(_h, DM_SETDEFID, IDC_CHECK, 0);
    moveDialogFocus(_h, answer);
}

void ReviewDialogCtrl::check() {
    Win::Edit answer(_h, IDC_ANSWER);
    const bool right = _session.answer(answer.getText());
    answer.setReadOnly(true);
    Win::DlgControl(_h, IDC_RIGHT_ANSWER).setText(_session.getToText().c_str());
    Win::DlgControl(_h, IDC_VERDICT)
        .setText(resourceText(right ? IDS_ANSWER_RIGHT : IDS_ANSWER_WRONG).c_str());
    const UtcTime now = _clock();
    const std::array<UtcTime, 4> due = _session.dueTimes(now);
    for (int g = 0; g < 4; ++g)
        Win::DlgControl(_h, IDC_INTERVAL_AGAIN + g)
            .setText(intervalText(now, due[static_cast<std::size_t>(g)]).c_str());
    showGrades(true);
    const int suggested = IDC_GRADE_AGAIN + static_cast<int>(_session.suggestedGrade()) - 1;
    ::SendMessageA(_h, DM_SETDEFID, static_cast<WPARAM>(suggested), 0);
    moveDialogFocus(_h, Win::DlgControl(_h, suggested));
}

void ReviewDialogCtrl::grade(Grade grade) {
    const UtcTime now = _clock();
    _session.grade(grade, now);
    if (_session.next(now))
        showQuestion();
    else
        endOk();
}
