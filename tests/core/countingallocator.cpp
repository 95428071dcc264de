#include "countingallocator.h"

#include <algorithm>
#include <cstdlib>
#include <new>

namespace {

std::size_t liveBytes = 0;
std::size_t peakBytes = 0;

// Each block carries its size ahead of the caller's bytes, kept at the strictest fundamental alignment.
constexpr std::size_t Header = alignof(std::max_align_t);

void* allocate(std::size_t size) {
    void* block = std::malloc(size + Header);
    if (block == nullptr)
        throw std::bad_alloc();
    *static_cast<std::size_t*>(block) = size;
    liveBytes += size;
    peakBytes = std::max(peakBytes, liveBytes);
    return static_cast<char*>(block) + Header;
}

void release(void* pointer) noexcept {
    if (pointer == nullptr)
        return;
    void* block = static_cast<char*>(pointer) - Header;
    liveBytes -= *static_cast<std::size_t*>(block);
    std::free(block);
}

} // namespace

PeakAllocation::PeakAllocation() : _start(liveBytes) {
    peakBytes = liveBytes;
}

std::size_t PeakAllocation::getBytes() const {
    return peakBytes - _start;
}

void* operator new(std::size_t size) {
    return allocate(size);
}
void* operator new[](std::size_t size) {
    return allocate(size);
}
void operator delete(void* pointer) noexcept {
    release(pointer);
}
void operator delete[](void* pointer) noexcept {
    release(pointer);
}
void operator delete(void* pointer, std::size_t) noexcept {
    release(pointer);
}
void operator delete[](void* pointer, std::size_t) noexcept {
    release(pointer);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return allocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return allocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void operator delete(void* pointer, const std::nothrow_t&) noexcept {
    release(pointer);
}
void operator delete[](void* pointer, const std::nothrow_t&) noexcept {
    release(pointer);
}
