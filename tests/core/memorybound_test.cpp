// Peak memory while reading documents shaped to cost the most per byte: it stays under three times the
// file's size plus 64 MiB. Counted by this executable's own operator new, so it holds for any allocator.
#include "hostiledocuments.h"
#include "testfiles.h"

#include "app/files/documentfileinputmethod.h"

#include "WinLib/io/exceptions.h"

#include <gtest/gtest.h>

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

TEST(MemoryBound, ReadingCostsAtMostThreeTimesTheFileAndSixtyFourMegabytes) {
    TempFolder folder;
    for (const HostileShape shape : AllHostileShapes) {
        SCOPED_TRACE(hostileShapeName(shape));
        const std::string path = folder.file("hostile.lvd");
        const std::size_t fileSize = [&] {
            const std::string bytes = makeHostileDocument(shape);
            writeFile(path, bytes);
            return bytes.size();
        }();

        const std::size_t before = liveBytes;
        peakBytes = liveBytes;
        bool read = false;
        try {
            const StudyList studyList = DocumentFileInputMethod().read(path);
            read = studyList.getTermSetCount() > 0;
        } catch (const Win::SimpleException&) {
        }
        EXPECT_EQ(read, shape != HostileShape::CutShort);
        EXPECT_LE(peakBytes - before, 3 * fileSize + (std::size_t{64} << 20))
            << "peak " << (peakBytes - before) << " bytes for a file of " << fileSize;
    }
}
