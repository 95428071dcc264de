#include "benchfolder.h"

#include "tools/lvdtool/studylistgenerator.h"

#include "app/files/csvexporter.h"
#include "app/files/spreadsheetcsvexporter.h"
#include "app/files/textfileinputmethod.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

BenchFolder& folder() {
    static BenchFolder folder;
    return folder;
}

// The generated list of that size exported once, as the tab-delimited table (windows-1252) or as
// the CSV for spreadsheets (UTF-8, quoted cells).
template <class Exporter> std::string exportedFile(int count, const char* name) {
    const std::string path = folder().file(std::string(name) + "-" + std::to_string(count));
    if (!std::filesystem::exists(path))
        Exporter(StudyListGenerator().make(count)).exportToFile(path);
    return path;
}

template <class Exporter> void importFile(benchmark::State& state, const char* name) {
    const int count = static_cast<int>(state.range(0));
    const std::string path = exportedFile<Exporter>(count, name);
    // As for opening documents: the first imports of a process take fresh memory from the system.
    StudyList studyList;
    for (int warmUp = 0; warmUp < 2; ++warmUp) {
        studyList = StudyList();
        studyList = TextFileInputMethod().read(path);
    }
    for (auto _ : state) {
        state.PauseTiming();
        studyList = StudyList();
        state.ResumeTiming();
        studyList = TextFileInputMethod().read(path);
    }
    if (studyList.getTermSetCount() != count)
        state.SkipWithError("the import made another number of items");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(std::filesystem::file_size(path)));
}

void BM_ImportTabDelimited(benchmark::State& state) {
    importFile<CSVExporter>(state, "tab");
}

void BM_ImportSpreadsheetCSV(benchmark::State& state) {
    importFile<SpreadsheetCSVExporter>(state, "csv");
}

} // namespace

BENCHMARK(BM_ImportTabDelimited)->Arg(1000)->Arg(100000)->Arg(999999)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportSpreadsheetCSV)->Arg(1000)->Arg(100000)->Arg(999999)->Unit(benchmark::kMillisecond);
