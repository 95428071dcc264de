#pragma once

#include <cstddef>

// Linked into a test executable, countingallocator.cpp replaces its operator new and delete to count
// the bytes that allocations hold, so that a test can bound the memory a reader takes whatever the
// allocator beneath.

// The most bytes held at once from its making on, above what was held then. One at a time.
class PeakAllocation {
public:
    PeakAllocation();
    std::size_t getBytes() const;

private:
    std::size_t _start;
};
