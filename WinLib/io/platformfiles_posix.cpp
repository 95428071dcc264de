#include "platformfiles.h"

#include "exceptions.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <vector>

namespace Win::IO::PlatformFiles {

namespace {

// Windows refuses to write a file with the read-only attribute, even for administrators; here a
// file without any write permission bit plays that part, also for root, who ignores the bits.
bool isReadOnly(const std::string& path) {
    struct stat status;
    return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
           (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

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

std::string getFolder(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string createTempFile(const std::string& folder) {
    std::string name = folder + ".XXXXXX";
    const int fd = ::mkstemp(name.data());
    if (fd < 0)
        throw FileOpenException("Can not create temporary file");
    ::close(fd);
    return name;
}

bool copyFile(const std::string& from, const std::string& to) {
    FilePtr source(openForReading(from));
    if (!source)
        return false;
    FilePtr target(openForWriting(to));
    if (!target)
        return false;
    std::vector<char> buffer(1 << 16);
    for (;;) {
        const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), source.get());
        if (got != 0 && std::fwrite(buffer.data(), 1, got, target.get()) != got)
            return false;
        if (got < buffer.size())
            break;
    }
    if (std::ferror(source.get()) != 0)
        return false;
    // Like CopyFile, the copy takes the source's attributes, read-only included.
    struct stat status;
    if (::fstat(::fileno(source.get()), &status) == 0)
        ::fchmod(::fileno(target.get()), status.st_mode & 07777);
    return std::fclose(target.release()) == 0;
}

void setNormalAttributes(const std::string& path) {
    struct stat status;
    if (::stat(path.c_str(), &status) == 0)
        ::chmod(path.c_str(), (status.st_mode & 07777) | S_IWUSR);
}

bool deleteFile(const std::string& path) {
    return ::unlink(path.c_str()) == 0;
}

} // namespace Win::IO::PlatformFiles
