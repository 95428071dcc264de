#pragma once

#include "forecastchart.h"
#include "scorechart.h"

#include "WinLib/anchoredlayout.h"
#include "WinLib/dialog.h"
#include "app/model/schedulestatistics.h"
#include "app/model/scorestatistics.h"

// "Statistics": the chart of the items' ratios of right answers and, below it, the totals of all scores;
// beside them the forecast of the items due on each of the next days and the count of items in each state
// of the review schedule. The user may make it larger; the charts share the growth. Close and Escape end
// it.
class StatisticsDlg : public Dialog::ModalController {
public:
    StatisticsDlg(const ScoreStatistics& statistics, const ScheduleStatistics& schedule);

    void onInitDialog() override;
    bool onCommand(int controlId, int notifyCode) override;
    bool onSize(int width, int height) override;
    bool onGetMinMaxInfo(MINMAXINFO& info) override;
    bool onDrawItem(int controlId, DRAWITEMSTRUCT& item) override;

private:
    void showTotals();

    ScoreStatistics _statistics;
    ScheduleStatistics _schedule;
    ScoreChart _chart;
    ForecastChart _forecast;
    Win::AnchoredLayout _layout;
    SIZE _smallest{};
};
