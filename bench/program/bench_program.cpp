// Times the running program as a person meets it: Lorvant.exe in a process of its own, driven through the
// end-to-end tests' probe. Every figure runs from the person's action until the program has handled it,
// drawn what it changed and waits for input again.
//   bench_program DOCUMENT.lvd ITEMS [ROUNDS [SCHEDULED.lvd]]
// DOCUMENT holds ITEMS items; each round opens its own copy of it, so the saves leave it as it is.
// SCHEDULED holds the same items, each reviewed once long ago: a review on it is timed too.
#include "resources/resource.h"
#include "tests/app/lorvantprocess.h"

#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void check(bool condition, const std::string& what) {
    if (!condition)
        throw std::runtime_error(what);
}

// Asks again until the program shows what is awaited; the program may post itself part of the work.
template <typename Shown> void waitUntil(LorvantProcess& lorvant, Shown shown, const std::string& what) {
    for (DWORD waited = 0; !shown(); waited += 20) {
        check(waited < LorvantProcess::TimeoutMs, "the program did not show " + what);
        Sleep(20);
        lorvant.sync();
    }
}

void waitForInputIdle(LorvantProcess& lorvant) {
    check(WaitForInputIdle(lorvant.processHandle(), LorvantProcess::TimeoutMs) == 0,
          "the program did not become idle");
}

void closeProgram(LorvantProcess& lorvant) {
    lorvant.close();
    check(lorvant.waitForExit(), "the program did not end when its window was closed");
}

FILETIME lastWritten(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    check(GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) != 0, "no file " + path);
    return data.ftLastWriteTime;
}

std::string statusFor(int items, int selected) {
    return std::to_string(items) + " item(s), " + std::to_string(selected) + " selected";
}

struct Round {
    double startUp = 0;
    double open = 0;
    double sort = 0;
    double selectAll = 0;
    double findNothing = 0;
    double statistics = 0;
    double selectWeak = 0;
    double clickAfterWeak = 0;
    double clickAfterOne = 0;
    double save = 0;
    double openScheduled = 0;
    double reviewStart = 0;
    double gradeToNext = 0;
    double idleKey = 0;
    double startUpWorkingSetMb = 0;
    double openWorkingSetMb = 0;
    double openPagefileMb = 0;
    double peakWorkingSetMb = 0;
    double peakPagefileMb = 0;
};

PROCESS_MEMORY_COUNTERS memoryOf(LorvantProcess& lorvant) {
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    check(GetProcessMemoryInfo(lorvant.processHandle(), &memory, sizeof memory) != 0,
          "could not read the program's memory use");
    return memory;
}

double megabytes(SIZE_T bytes) {
    return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

// From CreateProcess until the empty main window is shown, drawn and idle.
void timeStartUp(Round& round) {
    const auto start = Clock::now();
    LorvantProcess lorvant;
    waitForInputIdle(lorvant);
    lorvant.finishDrawing();
    round.startUp = secondsSince(start);
    round.startUpWorkingSetMb = megabytes(memoryOf(lorvant).WorkingSetSize);
    closeProgram(lorvant);
}

// A text that no item holds: Find goes round the whole list before it says so. Then the statistics window
// shown and drawn.
void timeFindAndStatistics(LorvantProcess& lorvant, Round& round) {
    lorvant.pressKey('F', {VK_CONTROL});
    HWND dialog = lorvant.waitForWindow("Find");
    lorvant.setText(dialog, IDC_FIND_TEXT, "Zqxjv");
    auto start = Clock::now();
    lorvant.click(dialog, IDOK);
    HWND box = lorvant.waitForWindow("Lorvant");
    round.findNothing = secondsSince(start);
    check(LorvantProcess::messageBoxText(box) == "Cannot find \"Zqxjv\".", "Find found a text no item holds");
    lorvant.answerMessageBox("Lorvant", IDOK);

    start = Clock::now();
    lorvant.chooseMenuItem({1}, "Stat&istics...");
    dialog = lorvant.waitForWindow("Statistics");
    lorvant.finishDrawing();
    round.statistics = secondsSince(start);
    static bool shownOnce = false;
    if (!shownOnce) {
        shownOnce = true;
        std::printf("statistics: %s\n", LorvantProcess::text(dialog, IDC_SCORE_CHART).c_str());
        std::printf("screenshot: %s\n", lorvant.screenshot("statistics-999999", dialog).c_str());
    }
    lorvant.pressKey(VK_ESCAPE);
    lorvant.waitUntilGone(dialog);
}

// The weak items of a generated list are most of its rows, scattered; then a click on a row deselects them.
void timeSelectWeak(LorvantProcess& lorvant, int items, Round& round) {
    lorvant.chooseMenuItem({2}, "Select &Weak Items...");
    HWND dialog = lorvant.waitForWindow("Select Weak Items");
    lorvant.setText(dialog, IDC_WEAK_THRESHOLD, "80");
    auto start = Clock::now();
    lorvant.click(dialog, IDOK);
    lorvant.waitUntilGone(dialog);
    lorvant.finishDrawing();
    round.selectWeak = secondsSince(start);
    const int weak = lorvant.selectedCount();
    check(weak > 0 && weak < items, "Select Weak Items selected " + std::to_string(weak) + " rows");
    check(lorvant.statusText() == statusFor(items, weak),
          "unexpected status \"" + lorvant.statusText() + "\"");
    static bool shownOnce = false;
    if (!shownOnce) {
        shownOnce = true;
        std::printf("weak items selected: %d\n", weak);
    }

    start = Clock::now();
    lorvant.clickRow(0);
    waitUntil(
        lorvant, [&] { return lorvant.statusText() == statusFor(items, 1); }, "one row selected");
    lorvant.finishDrawing();
    round.clickAfterWeak = secondsSince(start);

    start = Clock::now();
    lorvant.clickRow(1);
    lorvant.finishDrawing();
    round.clickAfterOne = secondsSince(start);
    check(lorvant.selectedRows() == std::vector<int>{1}, "a click did not select its row alone");
}

// The list with a schedule opened, a review started with Ctrl+R until its first question shows, and a
// grade given by key until the next question shows (the median of several); then the review is stopped
// and nothing kept.
void timeReview(const std::string& document, int items, Round& round) {
    TestFolder folder;
    const std::string path = folder.path("scheduled.lvd");
    check(CopyFileA(document.c_str(), path.c_str(), FALSE) != 0, "could not copy " + document);
    auto start = Clock::now();
    LorvantProcess lorvant("\"" + path + "\"");
    waitUntil(
        lorvant, [&] { return lorvant.rowCount() == items; }, "the scheduled document's rows");
    waitForInputIdle(lorvant);
    lorvant.finishDrawing();
    round.openScheduled = secondsSince(start);
    static bool shownOnce = false;
    if (!shownOnce)
        std::printf("scheduled list's status: %s\n", lorvant.statusText(1).c_str());

    start = Clock::now();
    lorvant.pressKey('R', {VK_CONTROL});
    HWND dialog = lorvant.waitForWindow("Review Due Items");
    waitUntil(
        lorvant, [&] { return !LorvantProcess::text(dialog, IDC_QUESTION).empty(); }, "the first question");
    lorvant.finishDrawing();
    round.reviewStart = secondsSince(start);

    // The cost of the probe itself: a key the dialog ignores, pressed and drawn.
    std::vector<double> grades, idleKeys;
    for (int i = 0; i < 5; ++i) {
        start = Clock::now();
        lorvant.pressKey(VK_SHIFT);
        lorvant.finishDrawing();
        idleKeys.push_back(secondsSince(start));

        lorvant.type("x");
        lorvant.pressKey(VK_RETURN);
        waitUntil(
            lorvant, [&] { return IsWindowVisible(GetDlgItem(dialog, IDC_GRADE_GOOD)) != FALSE; },
            "the grades");
        start = Clock::now();
        lorvant.pressKey('3');
        waitUntil(
            lorvant,
            [&] {
                return !IsWindowVisible(GetDlgItem(dialog, IDC_GRADE_GOOD)) &&
                       LorvantProcess::text(dialog, IDC_ANSWER).empty();
            },
            "the next question");
        lorvant.finishDrawing();
        grades.push_back(secondsSince(start));
    }
    std::sort(grades.begin(), grades.end());
    round.gradeToNext = grades[grades.size() / 2];
    std::sort(idleKeys.begin(), idleKeys.end());
    round.idleKey = idleKeys[idleKeys.size() / 2];
    if (!shownOnce) {
        shownOnce = true;
        std::printf("review: %s\n", LorvantProcess::text(dialog, IDC_REVIEWS_LEFT).c_str());
    }

    lorvant.click(dialog, IDC_STOP);
    lorvant.answerMessageBox("Lorvant", IDOK);
    lorvant.waitUntilGone(dialog);
    lorvant.close();
    lorvant.answerMessageBox("Lorvant", IDNO);
    check(lorvant.waitForExit(), "the program did not end when its window was closed");
}

Round runRound(const std::string& document, int items) {
    Round round;
    timeStartUp(round);

    TestFolder folder;
    const std::string path = folder.path("bench.lvd");
    check(CopyFileA(document.c_str(), path.c_str(), FALSE) != 0, "could not copy " + document);

    // Opening from the command line: the program reads the document before its message loop runs, so the
    // probe answers only once it has been read.
    auto start = Clock::now();
    LorvantProcess lorvant("\"" + path + "\"");
    const std::string title = "Lorvant - " + path;
    waitUntil(
        lorvant, [&] { return lorvant.title() == title && lorvant.rowCount() == items; },
        "the document's title and rows");
    waitForInputIdle(lorvant);
    lorvant.finishDrawing();
    round.open = secondsSince(start);
    check(lorvant.statusText() == statusFor(items, 0), "unexpected status \"" + lorvant.statusText() + "\"");
    const PROCESS_MEMORY_COUNTERS opened = memoryOf(lorvant);
    round.openWorkingSetMb = megabytes(opened.WorkingSetSize);
    round.openPagefileMb = megabytes(opened.PagefileUsage);

    // A click on the heading of the first term column: the list is sorted by it and filled anew.
    const auto before = lorvant.rows(0, 1);
    start = Clock::now();
    lorvant.clickHeader(1);
    lorvant.finishDrawing();
    round.sort = secondsSince(start);
    check(lorvant.rowCount() == items, "the sort changed the number of rows");
    static bool shownOnce = false;
    if (!shownOnce) {
        shownOnce = true;
        const auto after = lorvant.rows(0, 1);
        std::printf("sorted by \"%s\"; first row before: \"%s\", after: \"%s\"\n",
                    lorvant.columns().at(1).title.c_str(), before.at(0).at(1).c_str(),
                    after.at(0).at(1).c_str());
    }

    start = Clock::now();
    lorvant.pressKey('A', {VK_CONTROL});
    waitUntil(
        lorvant, [&] { return lorvant.statusText() == statusFor(items, items); }, "every item selected");
    lorvant.finishDrawing();
    round.selectAll = secondsSince(start);
    check(lorvant.selectedCount() == items, "the list does not show every row selected");

    timeFindAndStatistics(lorvant, round);
    timeSelectWeak(lorvant, items, round);

    const FILETIME written = lastWritten(path);
    Sleep(50); // lets the file time of the save differ from that of the copy
    start = Clock::now();
    lorvant.pressKey('S', {VK_CONTROL});
    lorvant.finishDrawing();
    round.save = secondsSince(start);
    const FILETIME saved = lastWritten(path);
    check(CompareFileTime(&saved, &written) > 0, "Ctrl+S did not write the document");
    check(lorvant.otherWindows().empty(), "the save opened a window");
    check(lorvant.title() == title, "the title no longer names the document");

    const PROCESS_MEMORY_COUNTERS memory = memoryOf(lorvant);
    round.peakWorkingSetMb = megabytes(memory.PeakWorkingSetSize);
    round.peakPagefileMb = megabytes(memory.PeakPagefileUsage);

    // Saved, so closing asks nothing.
    closeProgram(lorvant);
    return round;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

struct Measure {
    const char* name;
    double Round::*value;
    const char* unit;
    const char* target;
};

void printTable(const std::vector<Round>& rounds) {
    const Measure measures[] = {
        {"start-up to a shown, idle window", &Round::startUp, "s", "< 1"},
        {"open and show the document", &Round::open, "s", "< 1"},
        {"header click sort", &Round::sort, "s", "< 0.5"},
        {"Select All (Ctrl+A)", &Round::selectAll, "s", "< 0.3"},
        {"Find a text no item holds", &Round::findNothing, "s", ""},
        {"Statistics shown", &Round::statistics, "s", ""},
        {"Select Weak Items (most rows)", &Round::selectWeak, "s", "< 0.2"},
        {"a click deselecting them", &Round::clickAfterWeak, "s", "< 1"},
        {"a click on another row", &Round::clickAfterOne, "s", ""},
        {"save (Ctrl+S)", &Round::save, "s", "< 0.5"},
        {"open the list with a schedule", &Round::openScheduled, "s", "< 1"},
        {"Ctrl+R to the first question", &Round::reviewStart, "s", ""},
        {"a grade to the next question", &Round::gradeToNext, "s", "< 0.016"},
        {"an ignored key (the probe's cost)", &Round::idleKey, "s", ""},
        {"working set of the empty program", &Round::startUpWorkingSetMb, "MB", ""},
        {"working set once opened", &Round::openWorkingSetMb, "MB", ""},
        {"pagefile usage once opened", &Round::openPagefileMb, "MB", ""},
        {"peak working set", &Round::peakWorkingSetMb, "MB", "< 300"},
        {"peak pagefile usage", &Round::peakPagefileMb, "MB", ""},
    };
    std::printf("\n%-34s", "");
    for (std::size_t i = 0; i < rounds.size(); ++i)
        std::printf(" %9s%zu", "round ", i + 1);
    std::printf(" %10s %4s %7s\n", "median", "", "target");
    for (const Measure& measure : measures) {
        // The review is not timed without a list with a schedule.
        if (std::all_of(rounds.begin(), rounds.end(),
                        [&](const Round& round) { return round.*measure.value == 0; }))
            continue;
        std::printf("%-34s", measure.name);
        std::vector<double> values;
        for (const Round& round : rounds) {
            values.push_back(round.*measure.value);
            std::printf(" %10.3f", round.*measure.value);
        }
        std::printf(" %10.3f %-4s %7s\n", median(values), measure.unit, measure.target);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc > 5) {
        std::fprintf(stderr, "usage: bench_program DOCUMENT.lvd ITEMS [ROUNDS [SCHEDULED.lvd]]\n");
        return 2;
    }
    const std::string document = argv[1];
    const int items = std::atoi(argv[2]);
    const int rounds = argc > 3 ? std::atoi(argv[3]) : 3;
    const std::string scheduled = argc > 4 ? argv[4] : "";
    if (items <= 0 || rounds <= 0) {
        std::fprintf(stderr, "bench_program: ITEMS and ROUNDS must be positive\n");
        return 2;
    }
    try {
        deleteRecentDocsKey();
        // Untimed: brings up wine's own services and loads the program's files into memory.
        Round untimed;
        timeStartUp(untimed);
        std::vector<Round> results;
        for (int i = 0; i < rounds; ++i) {
            results.push_back(runRound(document, items));
            if (!scheduled.empty())
                timeReview(scheduled, items, results.back());
            std::printf("round %d done\n", i + 1);
            std::fflush(stdout);
        }
        printTable(results);
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "bench_program: %s\n", failure.what());
        return 1;
    }
    return 0;
}
