#pragma once

#include <sys/resource.h>

// Pages the process has taken from the system so far. Fresh memory is dear on a virtual machine,
// so the benchmarks that allocate much show how many pages their timed part took.
inline long minorPageFaults() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}
