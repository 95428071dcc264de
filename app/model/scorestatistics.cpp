#include "scorestatistics.h"

#include "lorvant.h"

#include <cassert>

ScoreStatistics ScoreStatistics::of(const StudyList& list) {
    ScoreStatistics statistics;
    statistics.items = list.getTermSetCount();
    for (int idx = 0; idx < statistics.items; ++idx) {
        const TermSet& item = list.getTermSet(static_cast<std::size_t>(idx));
        statistics.questionsAnswered += item.getTimesAsked();
        statistics.answeredRight += item.getCorrectAnswers();
        if (item.getTimesAsked() == 0)
            ++statistics.neverAsked;
        else
            ++statistics.bands[static_cast<std::size_t>(bandOf(item.getRatio()))];
    }
    return statistics;
}

int ScoreStatistics::bandOf(int ratio) {
    assert(ratio >= 0 && ratio <= 100);
    int band = BandCount - 1;
    while (band > 0 && ratio < BandLowest[static_cast<std::size_t>(band)])
        --band;
    return band;
}

int ScoreStatistics::getPercentage() const {
    if (questionsAnswered == 0)
        return 0;
    return static_cast<int>(100 * answeredRight / questionsAnswered);
}
