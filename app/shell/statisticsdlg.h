#pragma once

#include "scorechart.h"

#include "WinLib/anchoredlayout.h"
#include "WinLib/dialog.h"
#include "app/model/scorestatistics.h"

// "Statistics": the chart of the items' ratios of right answers and, below it, the totals of all scores.
// The user may make it larger; the chart grows with it. Close and Escape end it.
class StatisticsDlg : public Dialog::ModalController {
public:
    explicit StatisticsDlg(const ScoreStatistics& statistics);

    void onInitDialog() override;
    bool onCommand(int controlId, int notifyCode) override;
    bool onSize(int width, int height) override;
    bool onGetMinMaxInfo(MINMAXINFO& info) override;
    bool onDrawItem(int controlId, DRAWITEMSTRUCT& item) override;

private:
    void showTotals();

    ScoreStatistics _statistics;
    ScoreChart _chart;
    Win::AnchoredLayout _layout;
    SIZE _smallest{};
};
