#include "benchfolder.h"
#include "pagefaults.h"

#include "tests/core/hostiledocuments.h"
#include "tools/lvdtool/studylistgenerator.h"

#include "app/files/documentfileinputmethod.h"
#include "app/files/documentfileoutputmethod.h"

#include "WinLib/io/exceptions.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <malloc.h>
#include <map>
#include <vector>

namespace {

BenchFolder& folder() {
    static BenchFolder folder;
    return folder;
}

// Making a million items takes seconds, so each size is made once.
StudyList& generated(int count) {
    static std::map<int, StudyList> lists;
    auto found = lists.find(count);
    if (found == lists.end())
        found = lists.emplace(count, StudyListGenerator().make(count)).first;
    return found->second;
}

std::int64_t fileSize(const std::string& path) {
    return static_cast<std::int64_t>(std::filesystem::file_size(path));
}

// Saving as the program does, over the file of the previous iteration: backup copy, writing,
// removing the backup.
void BM_SaveDocument(benchmark::State& state) {
    StudyList& studyList = generated(static_cast<int>(state.range(0)));
    const std::string path = folder().file("save-" + std::to_string(state.range(0)) + ".lvd");
    for (auto _ : state)
        DocumentFileOutputMethod(studyList).write(path);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * fileSize(path));
}

// Reading only: letting go of the list read before is not timed. The first reads of a process
// take fresh memory from the system, which on a virtual machine can cost more than the reading
// itself; two untimed reads come first, and the page faults of the timed ones are counted.
void BM_OpenDocument(benchmark::State& state) {
    const std::string path = folder().file("open-" + std::to_string(state.range(0)) + ".lvd");
    DocumentFileOutputMethod(generated(static_cast<int>(state.range(0)))).write(path);
    StudyList studyList;
    for (int warmUp = 0; warmUp < 2; ++warmUp) {
        studyList = StudyList();
        studyList = DocumentFileInputMethod().read(path);
    }
    const long faultsBefore = minorPageFaults();
    for (auto _ : state) {
        state.PauseTiming();
        studyList = StudyList();
        state.ResumeTiming();
        studyList = DocumentFileInputMethod().read(path);
    }
    state.counters["page_faults"] = benchmark::Counter(static_cast<double>(minorPageFaults() - faultsBefore),
                                                       benchmark::Counter::kAvgIterations);
    if (studyList.getTermSetCount() != state.range(0))
        state.SkipWithError("the document read back has another size");

    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * fileSize(path));
}

// The file of BM_OpenDocument read in the reader's block size and nothing made of it: what reading
// the bytes alone costs, for comparison.
void BM_RawRead(benchmark::State& state) {
    const std::string path = folder().file("open-" + std::to_string(state.range(0)) + ".lvd");
    if (!std::filesystem::exists(path))
        DocumentFileOutputMethod(generated(static_cast<int>(state.range(0)))).write(path);
    std::vector<char> buffer(1 << 16);
    for (auto _ : state) {
        std::FILE* file = std::fopen(path.c_str(), "rb");
        while (std::fread(buffer.data(), 1, buffer.size(), file) == buffer.size())
            benchmark::DoNotOptimize(buffer.data());
        std::fclose(file);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * fileSize(path));
}

// Documents shaped to cost the most memory per byte: the time to open or refuse them, and the memory
// the opened document holds per byte of file.
void BM_OpenHostile(benchmark::State& state) {
    const auto shape = static_cast<HostileShape>(state.range(0));
    state.SetLabel(hostileShapeName(shape));
    const std::string path = folder().file("hostile.lvd");
    const std::string bytes = makeHostileDocument(shape);
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    double heldPerByte = 0;
    for (auto _ : state) {
        const std::size_t before = mallinfo2().uordblks + mallinfo2().hblkhd;
        try {
            const StudyList studyList = DocumentFileInputMethod().read(path);
            heldPerByte = static_cast<double>(mallinfo2().uordblks + mallinfo2().hblkhd - before) /
                          static_cast<double>(bytes.size());
        } catch (const Win::SimpleException&) {
        }
    }
    state.counters["held_per_file_byte"] = heldPerByte;
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(bytes.size()));
}

void writeBytes(const std::string& path, std::initializer_list<int> values, std::size_t size) {
    std::string bytes;
    for (const int value : values)
        bytes.push_back(static_cast<char>(value));
    bytes.resize(size, '\0');
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void refuseEachTime(benchmark::State& state, const std::string& path) {
    for (auto _ : state) {
        try {
            DocumentFileInputMethod().read(path);
            state.SkipWithError("a hostile file was read");
            return;
        } catch (const Win::SimpleException&) {
        }
    }
}

// The item type's length says 2 GiB; the file holds 30 bytes.
void BM_RefuseHugeString(benchmark::State& state) {
    const std::string path = folder().file("huge-string.lvd");
    writeBytes(path, {0x01, 0x00, 0xFE, 0xCA, 0xC5, 0xFF, 0xFF, 0xFF, 0x7F}, 30);
    refuseEachTime(state, path);
}

// A valid outline, then 999,999 items announced and none there.
void BM_RefuseManyItems(benchmark::State& state) {
    const std::string path = folder().file("many-items.lvd");
    writeBytes(path, {0x01, 0x00, 0xFE, 0xCA, 0xC5, 4,    0,   0,   0,    'T',  'e',  'r',
                      'm',  1,    0,    0,    0,    0xC5, 10,  0,   0,    0,    'D',  'e',
                      'f',  'i',  'n',  'i',  't',  'i',  'o', 'n', 0x3F, 0x42, 0x0F, 0x00},
               64);
    refuseEachTime(state, path);
}

} // namespace

BENCHMARK(BM_SaveDocument)->Arg(1000)->Arg(100000)->Arg(999999)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenDocument)
    ->Arg(1000)
    ->Arg(100000)
    ->Arg(999999)

    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RawRead)->Arg(999999)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenHostile)->DenseRange(0, std::size(AllHostileShapes) - 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RefuseHugeString)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RefuseManyItems)->Unit(benchmark::kMicrosecond);
