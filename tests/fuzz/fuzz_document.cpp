// Arbitrary bytes as a document file. The open procedure reports every Win::IO error and every
// standard exception as a damaged file, so those are caught; anything else escaping, a sanitizer
// report, a leak, a hang or a huge allocation is a fault. Beyond not crashing, the file reader and
// the memory reader must agree, a document that was read must read back the same once saved, and
// opening must hold memory in proportion to the input.

#include "tests/core/countingallocator.h"

#include "app/files/documentfileinputmethod.h"
#include "app/files/documentformat.h"

#include "WinLib/io/exceptions.h"
#include "WinLib/io/memoryserializer.h"

#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

// The file the open procedure reads, rewritten for every input. It lives in memory where the
// system offers a memory file system: rewriting a file on disk costs a write-back each time.
class InputFile {
public:
    InputFile() : _path((folder() / ("lorvant-fuzz-" + std::to_string(::getpid()) + ".lvd")).string()) {}
    ~InputFile() { std::remove(_path.c_str()); }
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    const std::string& write(std::string_view bytes) const {
        std::FILE* file = std::fopen(_path.c_str(), "wb");
        if (file == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() ||
            std::fclose(file) != 0)
            __builtin_trap();
        return _path;
    }

private:
    static std::filesystem::path folder() {
        std::error_code error;
        if (std::filesystem::is_directory("/dev/shm", error))
            return "/dev/shm";
        return std::filesystem::temp_directory_path();
    }

    std::string _path;
};

// As the open procedure reads a file, and assigns what it read to the program's study list.
std::optional<StudyList> openFile(const std::string& path) {
    try {
        StudyList program;
        program = DocumentFileInputMethod().read(path);
        return program;
    } catch (const Win::SimpleException&) {
    } catch (const std::exception&) {
    }
    return std::nullopt;
}

std::optional<StudyList> readMemory(std::string_view bytes) {
    try {
        Win::IO::MemoryDeSerializer in(bytes);
        return DocumentFormat::read(in);
    } catch (const Win::SimpleException&) {
    } catch (const std::exception&) {
    }
    return std::nullopt;
}

bool sameDocument(const StudyList& a, const StudyList& b) {
    if (!(a.getOutline() == b.getOutline()) || !(a.getSettings() == b.getSettings()) ||
        a.getTermSetCount() != b.getTermSetCount() || a.getUnknownSections() != b.getUnknownSections())
        return false;
    for (std::size_t i = 0; i < static_cast<std::size_t>(a.getTermSetCount()); ++i) {
        if (!(a.getTermSet(i) == b.getTermSet(i)))
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const InputFile inputFile;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string& path = inputFile.write(bytes);
    const PeakAllocation peak;
    const std::optional<StudyList> opened = openFile(path);
    // A small document costs more per byte than a large one: an item's fixed part takes 96 bytes for its
    // 22 bytes of file, and the reader's buffer is as large as a small file. Far below what copying a
    // field name into every item would take.
    if (peak.getBytes() > 8 * size + (std::size_t{1} << 20))
        __builtin_trap();
    const std::optional<StudyList> fromMemory = readMemory(bytes);
    if (opened.has_value() != fromMemory.has_value())
        __builtin_trap();
    if (!opened)
        return 0;
    if (!sameDocument(*opened, *fromMemory))
        __builtin_trap();

    StudyList saved = *opened;
    std::optional<Win::IO::MemorySerializer> out;
    DocumentFormat::write(saved, [&]() -> Win::IO::Serializer& {
        out.reset();
        return out.emplace();
    });
    const std::optional<StudyList> reopened = readMemory(out->getBytes());
    if (!reopened || !sameDocument(*opened, *reopened))
        __builtin_trap();
    return 0;
}
