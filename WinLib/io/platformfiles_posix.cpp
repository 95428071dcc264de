#include "platformfiles.h"

#include "exceptions.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Win::IO::PlatformFiles {

namespace {

// Windows refuses to write a file with the read-only attribute, even for administrators; here a
// file without any write permission bit plays that part, also for root, who ignores the bits.
bool isReadOnly(const std::string& path) {
    struct stat status;
    return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
           (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

// The permissions a file made by openForWriting would get.
mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// A renamed file's new name survives a crash only once its folder is on the disk too.
void commitFolder(const std::string& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

std::FILE* openForWriting(const std::string& path) {
    if (isReadOnly(path)) {
        errno = EACCES;
        return nullptr;
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    // The serializers buffer themselves.
    if (file != nullptr)
        std::setvbuf(file, nullptr, _IONBF, 0);
    return file;
}

std::uint64_t getFileSize(std::FILE* file) {
    struct stat status;
    if (::fstat(::fileno(file), &status) != 0 || status.st_size < 0)
        return 0;
    return static_cast<std::uint64_t>(status.st_size);
}

bool commitFile(std::FILE* file) {
    return std::fflush(file) == 0 && ::fsync(::fileno(file)) == 0 &&
           !FailureInjection::fails(FailureInjection::Step::Commit);
}

bool isReplaceable(const std::string& path) {
    if (isReadOnly(path))
        return false;
    const int fd = ::open(path.c_str(), O_WRONLY);
    if (fd < 0)
        return errno == ENOENT;
    ::close(fd);
    return true;
}

std::string getFullPath(const std::string& path) {
    if (path.empty() || path.front() == '/')
        return path;
    char folder[4096];
    return ::getcwd(folder, sizeof folder) == nullptr ? path : std::string(folder) + "/" + path;
}

bool isSameFile(const std::string& first, const std::string& second) {
    struct stat one, other;
    return ::stat(first.c_str(), &one) == 0 && ::stat(second.c_str(), &other) == 0 &&
           one.st_dev == other.st_dev && one.st_ino == other.st_ino;
}

std::string getFolder(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string createTempFile(const std::string& folder) {
    std::string name = folder + ".XXXXXX";
    const int fd = FailureInjection::fails(FailureInjection::Step::TempFile) ? -1 : ::mkstemp(name.data());
    if (fd < 0)
        throw FileOpenException("Can not create temporary file");
    ::close(fd);
    return name;
}

bool replaceFile(const std::string& replacement, const std::string& target) {
    if (FailureInjection::fails(FailureInjection::Step::Replace))
        return false;
    // The new contents keep the old file's permissions, where mkstemp gave them the narrowest.
    struct stat status;
    const mode_t mode = ::stat(target.c_str(), &status) == 0 ? status.st_mode & 07777 : newFileMode();
    if (::chmod(replacement.c_str(), mode) != 0 || ::rename(replacement.c_str(), target.c_str()) != 0)
        return false;
    commitFolder(getFolder(target));
    return true;
}

bool deleteFile(const std::string& path) {
    return ::unlink(path.c_str()) == 0;
}

} // namespace Win::IO::PlatformFiles
