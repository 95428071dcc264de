#include "benchfolder.h"

#include "app/files/textfileinputmethod.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

namespace {

// A 300 MB word list of quoted spreadsheet cells; the preview reads only its beginning.
std::string largeFile() {
    static BenchFolder folder;
    const std::string path = folder.file("large.csv");
    if (std::filesystem::exists(path))
        return path;
    std::ofstream out(path, std::ios::binary);
    out << "Word,Meaning,Comment\r\n";
    const std::string meaning(280, 'm');
    for (int idx = 0; out.tellp() < 300'000'000; ++idx)
        out << "word" << idx << ",\"" << meaning << ", more\",noun\r\n";
    return path;
}

// What the import dialog shows after every change: the first rows of the file as items.
void BM_PreviewFirstRows(benchmark::State& state) {
    const std::string path = largeFile();
    for (auto _ : state) {
        TextFileInputMethod reader;
        benchmark::DoNotOptimize(
            reader.readFirstRows(path, static_cast<int>(state.range(0))).getTermSetCount());
    }
    state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
}

} // namespace

BENCHMARK(BM_PreviewFirstRows)->Arg(50)->Unit(benchmark::kMillisecond);
