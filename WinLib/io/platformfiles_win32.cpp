#include "platformfiles.h"

#include "exceptions.h"

#include <windows.h>

#include <io.h>

namespace Win::IO::PlatformFiles {

std::FILE* openForWriting(const std::string& path) {
    // The system itself refuses, except where it runs with more rights than Windows gives an
    // administrator (Wine as root); a read-only file must stay as it is there too.
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
        return nullptr;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    // The serializers buffer themselves.
    if (file != nullptr)
        std::setvbuf(file, nullptr, _IONBF, 0);
    return file;
}

std::uint64_t getFileSize(std::FILE* file) {
    const __int64 size = ::_filelengthi64(::_fileno(file));
    return size < 0 ? 0 : static_cast<std::uint64_t>(size);
}

std::string getFolder(const std::string& path) {
    const auto separator = path.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

std::string createTempFile(const std::string& folder) {
    char name[MAX_PATH];
    if (::GetTempFileNameA(folder.empty() ? "." : folder.c_str(), ".", 0, name) == 0)
        throw FileOpenException("Can not create temporary file");
    return name;
}

bool copyFile(const std::string& from, const std::string& to) {
    return ::CopyFileA(from.c_str(), to.c_str(), FALSE) != 0;
}

void setNormalAttributes(const std::string& path) {
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

bool deleteFile(const std::string& path) {
    return ::DeleteFileA(path.c_str()) != 0;
}

} // namespace Win::IO::PlatformFiles
