#include "documentsections.h"

#include "lorvant.h"
#include "schedulesections.h"

#include "WinLib/io/exceptions.h"
#include "WinLib/io/memoryserializer.h"

#include <algorithm>
#include <array>
#include <limits>
#include <utility>
#include <vector>

namespace DocumentSections {

namespace {

constexpr std::uint32_t EndTag = 0;

constexpr std::array<Known, 2> KnownSections{{
    {ScheduleSections::ScheduleTag, &ScheduleSections::isScheduleEmpty, &ScheduleSections::writeSchedule,
     &ScheduleSections::readSchedule},
    {ScheduleSections::ReviewLogTag, &ScheduleSections::isReviewLogEmpty, &ScheduleSections::writeReviewLog,
     &ScheduleSections::readReviewLog},
}};

void writeSection(Win::IO::Serializer& out, std::uint32_t tag, const std::string& bytes) {
    if (bytes.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        throw Win::IO::IOException("File write failed");
    out.writeInt(static_cast<std::int32_t>(tag));
    out.writeInt(static_cast<std::int32_t>(bytes.size()));
    out.write(bytes.data(), bytes.size());
}

const Known* find(std::span<const Known> sections, std::uint32_t tag) {
    const auto found =
        std::find_if(sections.begin(), sections.end(), [tag](const Known& k) { return k.tag == tag; });
    return found == sections.end() ? nullptr : &*found;
}

} // namespace

std::span<const Known> known() {
    return KnownSections;
}

bool anyToWrite(const StudyList& studyList, std::span<const Known> sections) {
    return !studyList.getUnknownSections().empty() ||
           std::any_of(sections.begin(), sections.end(),
                       [&](const Known& k) { return !k.isEmpty(studyList); });
}

void write(const StudyList& studyList, Win::IO::Serializer& out, std::span<const Known> sections) {
    for (const Known& section : sections) {
        if (section.isEmpty(studyList))
            continue;
        Win::IO::MemorySerializer bytes;
        bytes.setTextCoding(Win::IO::TextCoding::Utf8);
        section.write(studyList, bytes);
        writeSection(out, section.tag, bytes.getBytes());
    }
    for (const StoredSection& section : studyList.getUnknownSections())
        writeSection(out, section.tag, section.bytes);
    out.writeInt(static_cast<std::int32_t>(EndTag));
    out.writeInt(0);
}

void read(StudyList& studyList, Win::IO::DeSerializer& in, std::span<const Known> sections) {
    std::vector<StoredSection> unknown;
    std::vector<std::uint32_t> seen;
    for (;;) {
        const auto tag = static_cast<std::uint32_t>(in.readInt());
        const std::int32_t length = in.readInt();
        in.checkCount(length, 1);
        if (tag == EndTag) {
            if (length != 0)
                throw Win::IO::DataCorruptionException("Data corruption");
            break;
        }
        std::string bytes = in.readBytes(static_cast<std::size_t>(length));
        const Known* section = find(sections, tag);
        if (section == nullptr) {
            unknown.push_back(StoredSection{tag, std::move(bytes)});
            continue;
        }
        if (std::find(seen.begin(), seen.end(), tag) != seen.end())
            throw Win::IO::DataCorruptionException("Data corruption");
        seen.push_back(tag);
        Win::IO::MemoryDeSerializer sectionIn(bytes);
        sectionIn.setTextCoding(Win::IO::TextCoding::Utf8);
        section->read(studyList, sectionIn);
        if (sectionIn.getBytesLeft() != 0)
            throw Win::IO::DataCorruptionException("Data corruption");
    }
    studyList.setUnknownSections(std::move(unknown));
}

} // namespace DocumentSections
