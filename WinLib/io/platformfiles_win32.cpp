#include "platformfiles.h"

#include "exceptions.h"

#include <windows.h>

#include <io.h>

namespace Win::IO::PlatformFiles {

namespace {

// The system itself refuses, except where it runs with more rights than Windows gives an
// administrator (Wine as root); a read-only file must stay as it is there too.
bool isReadOnly(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

} // namespace

std::FILE* openForWriting(const std::string& path) {
    if (isReadOnly(path))
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

bool commitFile(std::FILE* file) {
    return std::fflush(file) == 0 && ::_commit(::_fileno(file)) == 0 &&
           !FailureInjection::fails(FailureInjection::Step::Commit);
}

bool isReplaceable(const std::string& path) {
    if (isReadOnly(path))
        return false;
    // Opened as a save would write it, sharing everything, so that only what stops a save refuses it.
    const HANDLE file =
        ::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return ::GetLastError() == ERROR_FILE_NOT_FOUND;
    ::CloseHandle(file);
    return true;
}

std::string getFullPath(const std::string& path) {
    char full[MAX_PATH];
    const DWORD length = ::GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    return length == 0 || length >= MAX_PATH ? path : std::string(full, length);
}

bool isSameFile(const std::string& first, const std::string& second) {
    if (first.empty() || second.empty())
        return false;
    const std::string one = getFullPath(first), other = getFullPath(second);
    return ::CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, one.c_str(), static_cast<int>(one.size()),
                            other.c_str(), static_cast<int>(other.size())) == CSTR_EQUAL;
}

std::string getFolder(const std::string& path) {
    const auto separator = path.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

std::string createTempFile(const std::string& folder) {
    char name[MAX_PATH];
    if (FailureInjection::fails(FailureInjection::Step::TempFile) ||
        ::GetTempFileNameA(folder.empty() ? "." : folder.c_str(), ".", 0, name) == 0)
        throw FileOpenException("Can not create temporary file");
    return name;
}

bool replaceFile(const std::string& replacement, const std::string& target) {
    if (FailureInjection::fails(FailureInjection::Step::Replace))
        return false;
    // One rename over the old file, so that the document holds the old or the new contents at every moment.
    // ReplaceFile is not one rename everywhere: a process ended inside it has been seen to leave neither
    // file.
    return ::MoveFileExA(replacement.c_str(), target.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool deleteFile(const std::string& path) {
    return ::DeleteFileA(path.c_str()) != 0;
}

} // namespace Win::IO::PlatformFiles
