#include "testfiles.h"
#include "testlists.h"

#include "app/files/documentfileinputmethod.h"
#include "app/files/documentfileoutputmethod.h"

#include <gtest/gtest.h>

namespace {

constexpr UtcTime Noon = 1767268800; // 2026-01-01 12:00 UTC

std::string savedBytes(StudyList& list, const TempFolder& folder) {
    const std::string path = folder.file("saved.lvd");
    DocumentFileOutputMethod(list).write(path);
    return readFile(path);
}

} // namespace

// A list reviewed on the schedule is written as version 2 with its schedule and log and comes back
// whole; once nothing of the schedule is left, the list is written as version 1 again, byte for
// byte as before it was ever reviewed.
TEST(ScheduleDocument, ScheduledListsAreVersion2AndUnscheduledOnesStayVersion1) {
    TempFolder folder;
    StudyList list = makeStudyList({"Definition"}, {{"cat", "Katze"}, {"dog", "Hund"}, {"cow", "Kuh"}});
    const std::string neverReviewed = savedBytes(list, folder);
    EXPECT_EQ(neverReviewed.substr(0, 4), bytes({0x01, 0x00, 0xFE, 0xCA}));

    list.reviewItem(1, Noon, Grade::GOOD);
    list.reviewItem(1, Noon + 600, Grade::GOOD);
    list.reviewItem(2, Noon + 60, Grade::AGAIN);
    list.setReviewSettings({80, 5, 50});
    const std::string scheduled = savedBytes(list, folder);
    EXPECT_EQ(scheduled.substr(0, 4), bytes({0x02, 0x00, 0xFE, 0xCA}));
    EXPECT_NE(scheduled.find("SCHD"), std::string::npos);
    EXPECT_NE(scheduled.find("RLOG"), std::string::npos);

    const StudyList read = DocumentFileInputMethod().read(folder.file("saved.lvd"));
    for (std::size_t idx = 0; idx < 3; ++idx)
        EXPECT_EQ(read.getTermSet(idx).getSchedule(), list.getTermSet(idx).getSchedule()) << idx;
    EXPECT_EQ(read.getReviewLog(), list.getReviewLog());
    EXPECT_EQ(read.getReviewSettings(), list.getReviewSettings());
    EXPECT_FALSE(read.isModified());

    list.forgetSchedule({0, 1, 2});
    list.setReviewLog(ReviewLog());
    list.setReviewSettings(ReviewSettings());
    EXPECT_EQ(savedBytes(list, folder), neverReviewed);
}

// A bad schedule section makes the whole file refused, as any other corrupt file is.
TEST(ScheduleDocument, ABadScheduleSectionRefusesTheFile) {
    TempFolder folder;
    StudyList list = makeStudyList({"Definition"}, {{"cat", "Katze"}});
    list.reviewItem(0, Noon, Grade::GOOD);
    std::string file = savedBytes(list, folder);
    const std::size_t schedule = file.find("SCHD");
    ASSERT_NE(schedule, std::string::npos);
    // The retention, first in the section, set to 100 %.
    file[schedule + 8] = 100;
    writeFile(folder.file("bad.lvd"), file);
    EXPECT_EQ(failureOf([&] { DocumentFileInputMethod().read(folder.file("bad.lvd")); }),
              "corrupt: Data corruption");
}
