#include "statisticsdlg.h"

#include "WinLib/resstring.h"
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

} // namespace

StatisticsDlg::StatisticsDlg(const ScoreStatistics& statistics)
    : _statistics(statistics), _chart(statistics, barNames()) {}

void StatisticsDlg::onInitDialog() {
    RECT frame{};
    ::GetWindowRect(_h, &frame);
    _smallest = {frame.right - frame.left, frame.bottom - frame.top};
    _layout.add(_h, IDC_SCORE_CHART, Win::AnchoredLayout::GROW);
    for (int id : {IDC_ITEMS_LABEL, IDC_ITEMS_TOTAL, IDC_ANSWERED_LABEL, IDC_ANSWERED_TOTAL, IDC_RIGHT_LABEL,
                   IDC_RIGHT_TOTAL, IDC_PERCENTAGE_LABEL, IDC_PERCENTAGE_TOTAL})
        _layout.add(_h, id, Win::AnchoredLayout::BOTTOM);
    _layout.add(_h, IDOK, Win::AnchoredLayout::BOTTOM_RIGHT);
    // Screen readers, and anyone who cannot see the bars, read the chart as text.
    ::SetDlgItemTextA(_h, IDC_SCORE_CHART, _chart.describe().c_str());
    showTotals();
}

void StatisticsDlg::showTotals() {
    ::SetDlgItemTextA(_h, IDC_ITEMS_TOTAL, std::to_string(_statistics.items).c_str());
    ::SetDlgItemTextA(_h, IDC_ANSWERED_TOTAL, std::to_string(_statistics.questionsAnswered).c_str());
    ::SetDlgItemTextA(_h, IDC_RIGHT_TOTAL, std::to_string(_statistics.answeredRight).c_str());
    ::SetDlgItemTextA(_h, IDC_PERCENTAGE_TOTAL, (std::to_string(_statistics.getPercentage()) + " %").c_str());
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
    return true;
}

bool StatisticsDlg::onGetMinMaxInfo(MINMAXINFO& info) {
    info.ptMinTrackSize = {_smallest.cx, _smallest.cy};
    return true;
}

bool StatisticsDlg::onDrawItem(int controlId, DRAWITEMSTRUCT& item) {
    if (controlId != IDC_SCORE_CHART)
        return false;
    _chart.draw(item.hDC, item.rcItem, reinterpret_cast<HFONT>(::SendMessageA(_h, WM_GETFONT, 0, 0)));
    return true;
}
