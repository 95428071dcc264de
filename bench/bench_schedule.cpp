#include "benchfolder.h"
#include "peakmemory.h"

#include "tools/lvdtool/studylistgenerator.h"

#include "app/files/documentfileinputmethod.h"
#include "app/files/documentfileoutputmethod.h"
#include "app/model/schedulesections.h"
#include "app/model/schedulestatistics.h"
#include "app/sessions/reviewchoice.h"

#include "WinLib/io/memoryserializer.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>

namespace {

constexpr int ItemCount = 999999;
constexpr UtcTime Now = 1767268800; // 2026-01-01 12:00 UTC
constexpr UtcTime Day = 86400;

// The largest list with a schedule for every item: a fifth new, a few in (re)learning, the rest
// in review, due from a year ago to a year ahead.
StudyList& scheduled() {
    static StudyList list = [] {
        StudyList made = StudyListGenerator().make(ItemCount);
        std::mt19937 random(19);
        for (int idx = 0; idx < ItemCount; ++idx) {
            const unsigned kind = random() % 20;
            if (kind < 4)
                continue;
            ItemSchedule item;
            item.state = kind == 4   ? ItemSchedule::LEARNING
                         : kind == 5 ? ItemSchedule::RELEARNING
                                     : ItemSchedule::REVIEW;
            item.stability = 1 + random() % 3000;
            item.difficulty = 1 + random() % 9;
            item.lastReview = Now - static_cast<UtcTime>(random() % (365 * Day));
            item.due = item.lastReview + static_cast<UtcTime>(random() % (730 * Day));
            item.reviews = 1 + static_cast<int>(random() % 30);
            item.lapses = static_cast<int>(random() % 2);
            made.getTermSet(static_cast<std::size_t>(idx)).setSchedule(item);
        }
        return made;
    }();
    return list;
}

// The same items without a schedule, as lists are before their first review.
StudyList& unscheduled() {
    static StudyList list = StudyListGenerator().make(ItemCount);
    return list;
}

// Choosing the items of a review: one pass over the items and a sort of the due ones.
void BM_ChooseReviewItems(benchmark::State& state) {
    const StudyList& list = scheduled();
    std::size_t chosen = 0;
    for (auto _ : state)
        chosen = ReviewChoice::of(list, Now, Now - Day / 2).items.size();
    state.counters["items_chosen"] = static_cast<double>(chosen);
}

// The raw baseline: the same pass reading each item's due time and nothing else.
void BM_RawScanDueTimes(benchmark::State& state) {
    const StudyList& list = scheduled();
    for (auto _ : state) {
        std::size_t due = 0;
        for (int idx = 0; idx < list.getTermSetCount(); ++idx)
            due += list.getTermSet(static_cast<std::size_t>(idx)).getSchedule().due <= Now;
        benchmark::DoNotOptimize(due);
    }
}

// One grade applied: the item's schedule moves on and the log gains a row.
void BM_ApplyGrade(benchmark::State& state) {
    StudyList& list = scheduled();
    std::mt19937 random(7);
    UtcTime now = Now;
    for (auto _ : state) {
        list.reviewItem(random() % ItemCount, ++now, static_cast<Grade>(1 + random() % 4));
    }
    list.setReviewLog(ReviewLog());
}

// The statistics of the schedule, as the dialog opens: the states counted and the next 30 days' forecast.
void BM_ScheduleStatistics(benchmark::State& state) {
    const StudyList& list = scheduled();
    ScheduleStatistics::DayStarts days{};
    for (std::size_t day = 0; day < days.size(); ++day)
        days[day] = Now - Day / 2 + static_cast<UtcTime>(day) * Day;
    for (auto _ : state)
        benchmark::DoNotOptimize(ScheduleStatistics::of(list, days));
}

// The sections' sizes, and the time to write them.
void BM_WriteScheduleSections(benchmark::State& state) {
    StudyList& list = scheduled();
    ReviewLog log;
    for (int i = 0; i < 100000; ++i)
        log.add({1 + i % ItemCount, ItemSchedule::REVIEW, Grade::GOOD, Now + i, 3 * Day});
    list.setReviewLog(std::move(log));
    std::size_t scheduleBytes = 0, logBytes = 0;
    for (auto _ : state) {
        Win::IO::MemorySerializer schedule, reviews;
        ScheduleSections::writeSchedule(list, schedule);
        ScheduleSections::writeReviewLog(list, reviews);
        scheduleBytes = schedule.getBytes().size();
        logBytes = reviews.getBytes().size();
    }
    list.setReviewLog(ReviewLog());
    state.counters["schedule_MB"] = static_cast<double>(scheduleBytes) / 1e6;
    state.counters["log_100k_MB"] = static_cast<double>(logBytes) / 1e6;
}

// Opening the largest list with a schedule for every item (1) beside the same list without one (0): the
// time, the file's size and the most memory the opening takes, whose bound is twice the file's size and
// 64 MB. Letting go of the list read before is not timed.
void BM_OpenWithAndWithoutSchedule(benchmark::State& state) {
    const bool withSchedule = state.range(0) != 0;
    state.SetLabel(withSchedule ? "with schedule" : "without schedule");
    static BenchFolder folder;
    const std::string path = folder.file(withSchedule ? "scheduled.lvd" : "unscheduled.lvd");
    if (!std::filesystem::exists(path))
        DocumentFileOutputMethod(withSchedule ? scheduled() : unscheduled()).write(path);
    const double fileMB = static_cast<double>(std::filesystem::file_size(path)) / (1 << 20);
    const double peakMB = peakMemoryMB([&path] { DocumentFileInputMethod().read(path); });
    StudyList list;
    for (auto _ : state) {
        state.PauseTiming();
        list = StudyList();
        state.ResumeTiming();
        list = DocumentFileInputMethod().read(path);
    }
    if (list.getTermSetCount() != ItemCount)
        state.SkipWithError("the document read back has another size");
    state.counters["file_MB"] = fileMB;
    state.counters["peak_MB"] = peakMB;
    state.counters["bound_MB"] = 2 * fileMB + 64;
}

} // namespace

BENCHMARK(BM_ChooseReviewItems)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RawScanDueTimes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ApplyGrade)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ScheduleStatistics)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteScheduleSections)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenWithAndWithoutSchedule)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);
