// Peak memory while reading documents shaped to cost the most per byte: it stays under three times the
// file's size plus 64 MiB.
#include "countingallocator.h"
#include "hostiledocuments.h"
#include "testfiles.h"

#include "app/files/documentfileinputmethod.h"

#include "WinLib/io/exceptions.h"

#include <gtest/gtest.h>

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

        const PeakAllocation peak;
        bool read = false;
        try {
            const StudyList studyList = DocumentFileInputMethod().read(path);
            read = studyList.getTermSetCount() > 0;
        } catch (const Win::SimpleException&) {
        }
        EXPECT_EQ(read, shape != HostileShape::CutShort);
        EXPECT_LE(peak.getBytes(), 3 * fileSize + (std::size_t{64} << 20))
            << "peak " << peak.getBytes() << " bytes for a file of " << fileSize;
    }
}
