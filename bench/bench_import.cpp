#include "benchfolder.h"
#include "peakmemory.h"

#include "tools/lvdtool/studylistgenerator.h"

#include "app/files/csvexporter.h"
#include "app/files/spreadsheetcsvexporter.h"
#include "app/files/textfileinputmethod.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

#include <filesystem>
#include <fstream>
#include <random>

namespace {

constexpr int LongCellRows = 900000;

// A fresh run measures one import of the file it is named, and ends before any benchmark runs.
const bool freshRun = [] {
    const std::string path = freshRunArgument();
    if (path.empty())
        return false;
    std::printf("%.1f\n", peakMemoryMB([&path] { TextFileInputMethod().read(path); }));
    std::fflush(stdout);
    std::_Exit(0);
}();

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

// A dictionary of long entries: 900,000 rows of a word, a definition of about 300 letters and a
// short comment, 282 MB.
std::string longCellFile() {
    const std::string path = folder().file("long-cells.txt");
    if (std::filesystem::exists(path))
        return path;
    std::mt19937 random(282);
    std::ofstream out(path, std::ios::binary);
    out << "Word\tDefinition\tComment\r\n";
    std::string row;
    for (int idx = 0; idx < LongCellRows; ++idx) {
        row = "word" + std::to_string(idx) + '\t';
        while (row.size() < 290) {
            for (std::size_t letters = random() % 9 + 2; letters > 0; --letters)
                row.push_back(static_cast<char>('a' + random() % 26));
            row += random() % 8 == 0 ? ", " : " ";
        }
        row += "\tnoun\r\n";
        out << row;
    }
    return path;
}

void importFile(benchmark::State& state, const std::string& path, int items) {
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
    if (studyList.getTermSetCount() != items)
        state.SkipWithError("the import made another number of items");
    studyList = StudyList();
    const double fileMB = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
    state.counters["file_MB"] = fileMB;
    state.counters["peak_MB"] = numberFromFreshRun(path);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(std::filesystem::file_size(path)));
}

void BM_ImportTabDelimited(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    importFile(state, exportedFile<CSVExporter>(count, "tab"), count);
}

void BM_ImportSpreadsheetCSV(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    importFile(state, exportedFile<SpreadsheetCSVExporter>(count, "csv"), count);
}

void BM_ImportLongCells(benchmark::State& state) {
    importFile(state, longCellFile(), LongCellRows);
}

// The floor for any import: the file's bytes read into memory, nothing made of them.
void BM_RawReadLongCells(benchmark::State& state) {
    const std::string path = longCellFile();
    std::string bytes(std::filesystem::file_size(path), '\0');
    for (auto _ : state) {
        std::ifstream in(path, std::ios::binary);
        in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(bytes.size()));
}

} // namespace

BENCHMARK(BM_ImportTabDelimited)->Arg(1000)->Arg(100000)->Arg(999999)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportSpreadsheetCSV)->Arg(1000)->Arg(100000)->Arg(999999)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RawReadLongCells)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportLongCells)->Unit(benchmark::kMillisecond)->Iterations(2);
