#pragma once

#include <cstdint>

class StudyList;

namespace Win::IO {
class Serializer;
class DeSerializer;
} // namespace Win::IO

// The two document sections of the review schedule. Their bytes are little-endian:
// - "SCHD": desired retention, new items per day and maximum reviews per day (4 bytes each),
//   the item count (4 bytes, the document's), then per item in document order its state (1 byte:
//   0 new, 1 learning, 2 review, 3 relearning) and, unless new, its step (1 byte), stability and
//   difficulty (8-byte IEEE doubles), due and last review time (8-byte UTC seconds), reviews and
//   lapses (4 bytes each).
// - "RLOG": the review count (4 bytes), then per review the item number (4 bytes), the item's
//   state before it (1 byte), the grade (1 byte, 1 to 4), its time and the seconds since the
//   item's previous review (8 bytes each).
// A reader refuses any value out of range with DataCorruptionException.
namespace ScheduleSections {

inline constexpr std::uint32_t tagOf(const char (&name)[5]) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(name[0])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(name[1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(name[2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(name[3])) << 24;
}
inline constexpr std::uint32_t ScheduleTag = tagOf("SCHD");
inline constexpr std::uint32_t ReviewLogTag = tagOf("RLOG");

// True for a list never reviewed on the schedule, whose review settings are the defaults.
bool isScheduleEmpty(const StudyList& list);
void writeSchedule(const StudyList& list, Win::IO::Serializer& out);
// The list's items must have been read already: the section must hold one state per item. Reads
// the section to its end.
void readSchedule(StudyList& list, Win::IO::DeSerializer& in);
bool isReviewLogEmpty(const StudyList& list);
void writeReviewLog(const StudyList& list, Win::IO::Serializer& out);
void readReviewLog(StudyList& list, Win::IO::DeSerializer& in);

} // namespace ScheduleSections
