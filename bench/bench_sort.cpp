#include "pagefaults.h"

#include "tools/lvdtool/studylistgenerator.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <numeric>
#include <random>

namespace {

constexpr int ItemCount = 999999;

// The generated items stand in entry order; the same items in a scrambled order show what a
// first click on the number column costs.
const StudyList& scrambled() {
    static const StudyList list = [] {
        const StudyList entryOrder = StudyListGenerator().make(ItemCount);
        std::vector<std::size_t> order(ItemCount);
        std::iota(order.begin(), order.end(), std::size_t{0});
        std::shuffle(order.begin(), order.end(), std::mt19937(1));
        StudyList result;
        result.setOutline(entryOrder.getOutline());
        for (const std::size_t idx : order)
            result.addTermSet(entryOrder.getTermSet(idx));
        return result;
    }();
    return list;
}

enum class Column { Number, Term, FirstField, Ratio };

Sorter sorterFor(Column column) {
    const int defCount = scrambled().getOutline().getDefCount();
    switch (column) {
    case Column::Number:
        return Sorter::forColumn(0, defCount);
    case Column::Term:
        return Sorter::forColumn(1, defCount);
    case Column::FirstField:
        return Sorter::forColumn(2, defCount);
    case Column::Ratio:
        break;
    }
    return Sorter::forColumn(defCount + 5, defCount);
}

bool isAscending(const StudyList& list, const Sorter& sorter) {
    for (int i = 1; i < list.getTermSetCount(); ++i) {
        if (sorter(list.getTermSet(static_cast<std::size_t>(i)),
                   list.getTermSet(static_cast<std::size_t>(i - 1))))
            return false;
    }
    return true;
}

// Each iteration sorts a fresh copy of the prepared order; copying is not timed.
// Each iteration sorts a fresh copy of the prepared order; copying is not timed. Returns the
// last sorted copy.
StudyList sortCopies(benchmark::State& state, const StudyList& prepared, const Sorter& sorter) {
    StudyList list;
    long faults = 0;
    for (auto _ : state) {
        state.PauseTiming();
        list = prepared;
        const long faultsBefore = minorPageFaults();
        state.ResumeTiming();
        list.sort(sorter);
        state.PauseTiming();
        faults += minorPageFaults() - faultsBefore;
        state.ResumeTiming();
    }
    state.counters["page_faults"] =
        benchmark::Counter(static_cast<double>(faults), benchmark::Counter::kAvgIterations);
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * list.getTermSetCount());
    return list;
}

void BM_SortFirstClick(benchmark::State& state, Column column) {
    const StudyList sorted = sortCopies(state, scrambled(), sorterFor(column));
    if (!isAscending(sorted, sorterFor(column)))
        state.SkipWithError("the first click did not sort ascending");
}

// The second click finds the list ascending by the column and turns it round.
void BM_SortSecondClick(benchmark::State& state, Column column) {
    StudyList ascending = scrambled();
    ascending.sort(sorterFor(column));
    const StudyList sorted = sortCopies(state, ascending, sorterFor(column));
    if (isAscending(sorted, sorterFor(column)))
        state.SkipWithError("the second click did not turn the order round");
}

} // namespace

#define SORT_BENCHMARK(click, column)                                                                        \
    BENCHMARK_CAPTURE(click, column, Column::column)->Iterations(3)->Unit(benchmark::kMillisecond)

SORT_BENCHMARK(BM_SortFirstClick, Number);
SORT_BENCHMARK(BM_SortFirstClick, Term);
SORT_BENCHMARK(BM_SortFirstClick, FirstField);
SORT_BENCHMARK(BM_SortFirstClick, Ratio);
SORT_BENCHMARK(BM_SortSecondClick, Number);
SORT_BENCHMARK(BM_SortSecondClick, Term);
SORT_BENCHMARK(BM_SortSecondClick, FirstField);
SORT_BENCHMARK(BM_SortSecondClick, Ratio);
