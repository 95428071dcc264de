#pragma once

#include <cstdint>
#include <span>
#include <string>

class StudyList;

namespace Win::IO {
class Serializer;
class DeSerializer;
} // namespace Win::IO

// A section of a document file that this program does not know, kept as it was read so that saving
// writes it back unchanged.
struct StoredSection {
    std::uint32_t tag = 0;
    std::string bytes;

    bool operator==(const StoredSection&) const = default;
};

// The sections that follow the items in a version-2 document file: each a 4-byte tag, a 32-bit
// length and that many bytes; a section of tag 0 and length 0 ends them.
namespace DocumentSections {

// A section the program knows. A new one is a row of the table in documentsections.cpp.
struct Known {
    std::uint32_t tag;
    // Whether the study list holds nothing for it; an empty section is left out of the file.
    bool (*isEmpty)(const StudyList& studyList);
    void (*write)(const StudyList& studyList, Win::IO::Serializer& out);
    // Reads from exactly the section's bytes; bytes it leaves unread make the section bad.
    void (*read)(StudyList& studyList, Win::IO::DeSerializer& in);
};

std::span<const Known> known();

// Whether the study list holds anything that only sections can store.
bool anyToWrite(const StudyList& studyList, std::span<const Known> sections = known());
void write(const StudyList& studyList, Win::IO::Serializer& out, std::span<const Known> sections = known());
// Refuses a bad list of sections with DataCorruptionException: a length beyond the file, a known
// section twice or with bytes its reader does not take, no end.
void read(StudyList& studyList, Win::IO::DeSerializer& in, std::span<const Known> sections = known());

} // namespace DocumentSections
