#include "statisticsdlg.h"

#include "WinLib/resstring.h"
#include "app/sessions/messageformat.h"
#include "resources/resource.h"

#include <string>
#include <vector>

namespace {

std::vector<std::string> barNames() {
    const HINSTANCE instance = ::GetModuleHandleA(nullptr);
    std::vector<std::string> names{std::string(Win::ResString(instance, IDS_NEVER_ASKED_BAR))};
    for (int band = 0; band < ScoreStatistics::BandCount; ++band)
        names.emplace_back(Win::ResString(instance, IDS_BAND_BAR_FIRST + band));
    return names;
}

std::vector<std::string> dayNames() {
    const HINSTANCE instance = ::GetModuleHandleA(nullptr);
    std::vector<std::string> names{std::string(Win::ResString(instance, IDS_FORECAST_TODAY))};
    const Win::ResString laterDay(instance, IDS_FORECAST_LATER_DAY);
    for (int day = 1; day < ScheduleStatistics::ForecastDays; ++day)
        names.push_back(formatMessage(static_cast<const char*>(laterDay), {day}));
    return names;
}

} // namespace

StatisticsDlg::StatisticsDlg(const ScoreStatistics& statistics, const ScheduleStatistics& schedule)
    : _statistics(statistics), _schedule(schedule), _chart(statistics, barNames()),
      _forecast(schedule, dayNames()) {}

void StatisticsDlg::onInitDialog() {
    RECT frame{};
    ::GetWindowRect(_h, &frame);
    _smallest = {frame.right - frame.left, frame.bottom - frame.top};
    _layout.add(_h, IDC_SCORE_CHART, Win::AnchoredLayout::GROW_LEFT_HALF);
    for (int id : {IDC_ITEMS_LABEL, IDC_ITEMS_TOTAL, IDC_ANSWERED_LABEL, IDC_ANSWERED_TOTAL, IDC_RIGHT_LABEL,
                   IDC_RIGHT_TOTAL, IDC_PERCENTAGE_LABEL, IDC_PERCENTAGE_TOTAL})
        _layout.add(_h, id, Win::AnchoredLayout::BOTTOM);
    _layout.add(_h, IDC_FORECAST_CAPTION, Win::AnchoredLayout::TOP_RIGHT_HALF);
    _layout.add(_h, IDC_FORECAST_CHART, Win::AnchoredLayout::GROW_RIGHT_HALF);
    for (int state = 0; state < ScheduleStatistics::StateCount; ++state) {
        _layout.add(_h, IDC_STATE_LABEL_FIRST + state, Win::AnchoredLayout::BOTTOM_RIGHT_HALF);
        _layout.add(_h, IDC_STATE_COUNT_FIRST + state, Win::AnchoredLayout::BOTTOM_RIGHT_HALF);
    }
    _layout.add(_h, IDOK, Win::AnchoredLayout::BOTTOM_RIGHT);
    // Screen readers, and anyone who cannot see the bars, read the charts as text.
    ::SetDlgItemTextA(_h, IDC_SCORE_CHART, _chart.describe().c_str());
    ::SetDlgItemTextA(_h, IDC_FORECAST_CHART, _forecast.describe().c_str());
    showTotals();
}

void StatisticsDlg::showTotals() {
    ::SetDlgItemTextA(_h, IDC_ITEMS_TOTAL, std::to_string(_statistics.items).c_str());
    ::SetDlgItemTextA(_h, IDC_ANSWERED_TOTAL, std::to_string(_statistics.questionsAnswered).c_str());
    ::SetDlgItemTextA(_h, IDC_RIGHT_TOTAL, std::to_string(_statistics.answeredRight).c_str());
    ::SetDlgItemTextA(_h, IDC_PERCENTAGE_TOTAL, (std::to_string(_statistics.getPercentage()) + " %").c_str());
    for (int state = 0; state < ScheduleStatistics::StateCount; ++state)
        ::SetDlgItemTextA(_h, IDC_STATE_COUNT_FIRST + state,
                          std::to_string(_schedule.states[static_cast<std::size_t>(state)]).c_str());
}

bool StatisticsDlg::onCommand(int controlId, int) {
    if (controlId != IDOK && controlId != IDCANCEL)
        return false;
    endOk();
    return true;
}

bool StatisticsDlg::onSize(int width, int height) {
    _layout.resize(width, height);
    ::InvalidateRect(::GetDlgItem(_h, IDC_SCORE_CHART), nullptr, FALSE);
    ::InvalidateRect(::GetDlgItem(_h, IDC_FORECAST_CHART), nullptr, FALSE);
    return true;
}

bool StatisticsDlg::onGetMinMaxInfo(MINMAXINFO& info) {
    info.ptMinTrackSize = {_smallest.cx, _smallest.cy};
    return true;
}

bool StatisticsDlg::onDrawItem(int controlId, DRAWITEMSTRUCT& item) {
    const auto font = reinterpret_cast<HFONT>(::SendMessageA(_h, WM_GETFONT, 0, 0));
    if (controlId == IDC_SCORE_CHART)
        _chart.draw(item.hDC, item.rcItem, font);
    else if (controlId == IDC_FORECAST_CHART)
        _forecast.draw(item.hDC, item.rcItem, font);
    else
        return false;
    return true;
}
