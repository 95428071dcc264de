#include "tempfilenames.h"

#include "platformfiles.h"

#include <cstdint>
#include <cstdio>

namespace Win::IO::TempFileNames {

namespace {

constexpr const char* Extension = ".tmp";
// Hexadecimal digits of a process id, which is 32 bits on every system the program runs on.
constexpr std::size_t MaxIdDigits = 8;

std::string hex(unsigned long value) {
    char digits[20];
    std::snprintf(digits, sizeof digits, "%lx", value);
    return digits;
}

// FNV-1a over the file name with ASCII letters folded to lower case, since Windows names "Doc.lvd" and
// "doc.lvd" the same file.
std::string nameHash(const std::string& documentPath) {
    const std::string name = documentPath.substr(PlatformFiles::getFolder(documentPath).size());
    std::uint32_t hash = 2166136261u;
    for (const char character : name) {
        const char folded =
            character >= 'A' && character <= 'Z' ? static_cast<char>(character - 'A' + 'a') : character;
        hash = (hash ^ static_cast<unsigned char>(folded)) * 16777619u;
    }
    char digits[9];
    std::snprintf(digits, sizeof digits, "%08lx", static_cast<unsigned long>(hash));
    return digits;
}

// Reads hexadecimal digits from position up to the character end; nullopt when there are none, too many or
// others.
std::optional<unsigned long> readHex(const std::string& text, std::size_t& position, char end) {
    const std::size_t stop = text.find(end, position);
    if (stop == std::string::npos || stop == position || stop - position > MaxIdDigits)
        return std::nullopt;
    unsigned long value = 0;
    for (; position < stop; ++position) {
        const char c = text[position];
        const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
        if (digit < 0)
            return std::nullopt;
        value = value * 16 + static_cast<unsigned long>(digit);
    }
    ++position;
    return value;
}

} // namespace

std::string prefixOf(const std::string& documentPath) {
    return ".lorvant-" + nameHash(documentPath) + "-";
}

std::string make(const std::string& documentPath, unsigned long processId, unsigned serial) {
    return PlatformFiles::getFolder(documentPath) + prefixOf(documentPath) + hex(processId) + "-" +
           hex(serial) + Extension;
}

std::optional<unsigned long> writerOf(const std::string& fileName, const std::string& documentPath) {
    const std::string prefix = prefixOf(documentPath);
    const std::string extension = Extension;
    if (fileName.compare(0, prefix.size(), prefix) != 0 ||
        fileName.size() <= prefix.size() + extension.size() ||
        fileName.compare(fileName.size() - extension.size(), extension.size(), extension) != 0)
        return std::nullopt;
    const std::string numbers =
        fileName.substr(prefix.size(), fileName.size() - prefix.size() - extension.size()) + '.';
    std::size_t position = 0;
    const auto processId = readHex(numbers, position, '-');
    if (!processId || !readHex(numbers, position, '.') || position != numbers.size())
        return std::nullopt;
    return processId;
}

} // namespace Win::IO::TempFileNames
