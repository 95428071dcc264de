#include "app/model/lorvant.h"
#include "app/sessions/multiplechoicesession.h"
#include "app/sessions/qnasession.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

constexpr int LargestList = StudyList::MaxTermSetCount;

// The largest list in which only the last item yields a question: every other item has a
// definition but no term, so each of its questions is passed over.
StudyList& lastAskableList() {
    static StudyList list = [] {
        StudyList made;
        TermSet skipped(made.getOutline(), 1);
        skipped.setField(0, "definition");
        for (int number = 1; number < LargestList; ++number) {
            skipped.setNumber(number);
            made.addTermSet(skipped);
        }
        TermSet last(made.getOutline(), LargestList);
        last.setTerm("last");
        last.setField(0, "definition");
        made.addTermSet(last);
        return made;
    }();
    return list;
}

// The largest list with distinct terms and definitions, asked round and round.
StudyList& distinctList() {
    static StudyList list = [] {
        StudyList made;
        for (int number = 1; number <= LargestList; ++number) {
            TermSet item(made.getOutline(), number);
            item.setTerm("term " + std::to_string(number));
            item.setField(0, "definition " + std::to_string(number));
            made.addTermSet(item);
        }
        made.getSettings().setContinuous(true);
        made.getSettings().setShuffle(true);
        return made;
    }();
    return list;
}

void BM_FirstQuestionAfterSkippingAllButTheLastItem(benchmark::State& state) {
    StudyList& list = lastAskableList();
    for (auto _ : state) {
        QnaSession session(list, true);
        benchmark::DoNotOptimize(session.next());
    }
}
BENCHMARK(BM_FirstQuestionAfterSkippingAllButTheLastItem)->Unit(benchmark::kMillisecond);

// The first question of a multiple-choice session also sorts out the answers of the asked field.
void BM_FirstMultipleChoiceQuestion(benchmark::State& state) {
    StudyList& list = distinctList();
    for (auto _ : state) {
        MultipleChoiceSession session(list, true);
        benchmark::DoNotOptimize(session.next());
    }
}
BENCHMARK(BM_FirstMultipleChoiceQuestion)->Unit(benchmark::kMillisecond);

void BM_MultipleChoiceQuestion(benchmark::State& state) {
    StudyList& list = distinctList();
    MultipleChoiceSession session(list, true);
    session.next();
    for (auto _ : state)
        benchmark::DoNotOptimize(session.next());
}
BENCHMARK(BM_MultipleChoiceQuestion)->Unit(benchmark::kMicrosecond);

} // namespace
