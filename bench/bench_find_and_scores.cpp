#include "app/model/itemsearch.h"
#include "app/model/scorestatistics.h"
#include "app/model/weakitemrule.h"
#include "tools/lvdtool/studylistgenerator.h"

#include <benchmark/benchmark.h>

#include <cstddef>

namespace {

constexpr int ItemCount = 999999;

const StudyList& largest() {
    static const StudyList list = StudyListGenerator().make(ItemCount);
    return list;
}

// The floor for any search: reading every text that Find looks at once.
void BM_ReadEveryText(benchmark::State& state) {
    const StudyList& list = largest();
    const int fieldCount = list.getOutline().getDefCount();
    for (auto _ : state) {
        std::size_t bytes = 0;
        for (int idx = 0; idx < list.getTermSetCount(); ++idx) {
            const TermSet& item = list.getTermSet(static_cast<std::size_t>(idx));
            bytes += item.getTerm().size() + item.getComment().size();
            for (int field = 0; field < fieldCount; ++field)
                bytes += item.getFieldView(field).size();
        }
        benchmark::DoNotOptimize(bytes);
    }
}

// A text that no item holds: the search goes round the whole list, the slowest Find there is.
void BM_FindNothing(benchmark::State& state, bool matchCase) {
    const StudyList& list = largest();
    const ItemSearch search("Zqxjv", matchCase);
    for (auto _ : state)
        if (search.findNext(list, -1) != -1)
            state.SkipWithError("found a text no item holds");
}

void BM_SelectWeakItems(benchmark::State& state) {
    const StudyList& list = largest();
    const WeakItemRule rule;
    std::size_t weak = 0;
    for (auto _ : state)
        weak = rule.findIn(list).size();
    state.counters["weak_items"] = static_cast<double>(weak);
}

void BM_ScoreStatistics(benchmark::State& state) {
    const StudyList& list = largest();
    for (auto _ : state)
        benchmark::DoNotOptimize(ScoreStatistics::of(list));
}

} // namespace

BENCHMARK(BM_ReadEveryText)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FindNothing, MatchCase, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FindNothing, IgnoreCase, false)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SelectWeakItems)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScoreStatistics)->Unit(benchmark::kMillisecond);
