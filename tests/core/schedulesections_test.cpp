#include "testfiles.h"
#include "testlists.h"

#include "app/model/documentsections.h"
#include "app/model/schedulesections.h"

#include "WinLib/io/memoryserializer.h"

#include <gtest/gtest.h>

namespace {

constexpr UtcTime Noon = 1767268800; // 2026-01-01 12:00 UTC

StudyList reviewedList() {
    StudyList list = makeStudyList({"Definition"}, {{"a", "1"}, {"b", "2"}, {"c", "3"}, {"d", "4"}});
    list.reviewItem(0, Noon, Grade::GOOD);
    list.reviewItem(2, Noon + 5, Grade::EASY);
    list.reviewItem(2, Noon + 9 * 86400, Grade::AGAIN);
    list.reviewItem(3, Noon + 7, Grade::HARD);
    list.setReviewSettings({85, 7, 0});
    return list;
}

// The list with its items unscheduled and its log and settings at their defaults.
StudyList withoutSchedule(const StudyList& list) {
    StudyList copy = list;
    std::vector<int> all(static_cast<std::size_t>(copy.getTermSetCount()));
    for (std::size_t i = 0; i < all.size(); ++i)
        all[i] = static_cast<int>(i);
    copy.forgetSchedule(all);
    copy.setReviewLog(ReviewLog());
    copy.setReviewSettings(ReviewSettings());
    return copy;
}

using SectionWriter = void (*)(const StudyList&, Win::IO::Serializer&);
using SectionReader = void (*)(StudyList&, Win::IO::DeSerializer&);

std::string sectionOf(const StudyList& list, SectionWriter write) {
    Win::IO::MemorySerializer out;
    write(list, out);
    return out.getBytes();
}

void readSection(StudyList& list, SectionReader read, const std::string& bytes) {
    Win::IO::MemoryDeSerializer in(bytes);
    read(list, in);
}

std::string readScheduleFailure(const std::string& bytes) {
    StudyList list = withoutSchedule(reviewedList());
    return failureOf([&] { readSection(list, &ScheduleSections::readSchedule, bytes); });
}

std::string readLogFailure(const std::string& bytes) {
    StudyList list = withoutSchedule(reviewedList());
    return failureOf([&] { readSection(list, &ScheduleSections::readReviewLog, bytes); });
}

// Replaces bytes of a section at an offset.
std::string patched(std::string bytes, std::size_t offset, const std::string& with) {
    return bytes.replace(offset, with.size(), with);
}

} // namespace

TEST(ScheduleSections, RoundTripKeepsEveryItemsStateTheLogAndTheSettings) {
    const StudyList list = reviewedList();
    StudyList read = withoutSchedule(list);
    readSection(read, &ScheduleSections::readSchedule, sectionOf(list, &ScheduleSections::writeSchedule));
    readSection(read, &ScheduleSections::readReviewLog, sectionOf(list, &ScheduleSections::writeReviewLog));
    for (int idx = 0; idx < list.getTermSetCount(); ++idx)
        EXPECT_EQ(read.getTermSet(static_cast<std::size_t>(idx)),
                  list.getTermSet(static_cast<std::size_t>(idx)));
    EXPECT_EQ(read.getReviewLog(), list.getReviewLog());
    EXPECT_EQ(read.getReviewSettings(), list.getReviewSettings());
    // A new item takes one byte, a scheduled one 42; a review 22.
    EXPECT_EQ(sectionOf(list, &ScheduleSections::writeSchedule).size(), 16u + 1 + 3 * 42);
    EXPECT_EQ(sectionOf(list, &ScheduleSections::writeReviewLog).size(), 4u + 4 * 22);
}

// Every value out of range, a count that is not the document's, a short or long section: all
// refused as a corrupt file.
TEST(ScheduleSections, RefusesBadSchedules) {
    const std::string good = sectionOf(reviewedList(), &ScheduleSections::writeSchedule);
    ASSERT_EQ(readScheduleFailure(good), "");
    const std::string corrupt = "corrupt: Data corruption";
    // The first item (offset 16) is scheduled: state, step, stability, difficulty, due, last
    // review, reviews, lapses; the second (offset 58) is new.
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"retention 69", patched(good, 0, bytes({69, 0, 0, 0}))},
        {"retention 100", patched(good, 0, bytes({100, 0, 0, 0}))},
        {"new per day 10000", patched(good, 4, bytes({0x10, 0x27, 0, 0}))},
        {"negative review limit", patched(good, 8, bytes({0xFF, 0xFF, 0xFF, 0xFF}))},
        {"one item too many", patched(good, 12, bytes({5, 0, 0, 0}))},
        {"state 4", patched(good, 16, bytes({4}))},
        {"learning step 2", patched(good, 17, bytes({2}))},
        {"stability not a number", patched(good, 18, bytes({0, 0, 0, 0, 0, 0, 0xF8, 0x7F}))},
        {"difficulty 0", patched(good, 26, bytes({0, 0, 0, 0, 0, 0, 0, 0}))},
        {"due before 1970", patched(good, 41, bytes({0x80}))},
        {"no reviews", patched(good, 50, bytes({0, 0, 0, 0}))},
        {"more lapses than reviews", patched(good, 54, bytes({2, 0, 0, 0}))},
        {"truncated", good.substr(0, good.size() - 1)},
        {"trailing byte", good + '\0'},
        {"empty", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(readScheduleFailure(c.bytes), corrupt) << c.what;
}

TEST(ScheduleSections, RefusesBadReviewLogs) {
    const std::string good = sectionOf(reviewedList(), &ScheduleSections::writeReviewLog);
    ASSERT_EQ(readLogFailure(good), "");
    const std::string corrupt = "corrupt: Data corruption";
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        // A count the bytes cannot hold is refused before anything is made for it.
        {"count beyond the bytes", patched(good, 0, bytes({0xFF, 0xFF, 0xFF, 0x7F}))},
        {"negative count", patched(good, 0, bytes({0xFF, 0xFF, 0xFF, 0xFF}))},
        {"item 0", patched(good, 4, bytes({0, 0, 0, 0}))},
        {"item beyond the list", patched(good, 4, bytes({5, 0, 0, 0}))},
        {"state 4", patched(good, 8, bytes({4}))},
        {"grade 0", patched(good, 9, bytes({0}))},
        {"grade 5", patched(good, 9, bytes({5}))},
        {"time before 1970", patched(good, 17, bytes({0x80}))},
        {"negative time since", patched(good, 25, bytes({0x80}))},
        {"truncated", good.substr(0, good.size() - 3)},
        {"trailing byte", good + '\0'},
    };
    for (const auto& c : cases)
        EXPECT_EQ(readLogFailure(c.bytes), corrupt) << c.what;
}
