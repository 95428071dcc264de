#include "platformfiles.h"

#include "exceptions.h"
#include "tempfilenames.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

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

// A process whose id is still taken by a running program, other than this one. An id beyond this system's
// range comes from a program of another system and counts as running; given to kill, it would name a
// process group.
bool isOtherProcessRunning(unsigned long processId) {
    if (processId > INT_MAX)
        return true;
    const auto id = static_cast<pid_t>(processId);
    return id != ::getpid() && (::kill(id, 0) == 0 || errno == EPERM);
}

// Deletes the file unless a save holds its lock, and only the file that was locked.
void deleteUnclaimed(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return;
    struct stat locked, named;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &locked) == 0 &&
        ::lstat(path.c_str(), &named) == 0 && locked.st_dev == named.st_dev && locked.st_ino == named.st_ino)
        ::unlink(path.c_str());
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
    if (first.empty() || second.empty())
        return false;
    struct stat one, other;
    if (::stat(first.c_str(), &one) == 0 && ::stat(second.c_str(), &other) == 0)
        return one.st_dev == other.st_dev && one.st_ino == other.st_ino;
    return getFullPath(first) == getFullPath(second);
}

std::string getFolder(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string resolveLinks(const std::string& path) {
    std::string resolved = path;
    // As far as the system itself follows links in a row.
    for (int link = 0; link < 40; ++link) {
        struct stat status;
        if (::lstat(resolved.c_str(), &status) != 0 || !S_ISLNK(status.st_mode))
            return resolved;
        char target[4096];
        const ssize_t length = ::readlink(resolved.c_str(), target, sizeof target);
        if (length <= 0 || static_cast<std::size_t>(length) >= sizeof target)
            break;
        // A relative target is relative to the link's folder.
        resolved = target[0] == '/'
                       ? std::string(target, static_cast<std::size_t>(length))
                       : getFolder(resolved) + std::string(target, static_cast<std::size_t>(length));
    }
    return path;
}

TempFile::TempFile(const std::string& document) : _document(document), _claim(-1) {
    static unsigned serial = 0;
    const int attempts = FailureInjection::fails(FailureInjection::Step::TempFile) ? 0 : 1000;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        _path = TempFileNames::make(document, static_cast<unsigned long>(::getpid()), serial++);
        const int fd = ::open(_path.c_str(), O_RDONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0) {
            // Held until the file has taken the document's place; the save writes it through a descriptor of
            // its own.
            ::flock(fd, LOCK_EX);
            _claim = fd;
            return;
        }
        if (errno != EEXIST)
            break;
    }
    throw FileOpenException("Can not create temporary file");
}

void TempFile::releaseClaim() {
    if (_claim == -1)
        return;
    ::close(static_cast<int>(_claim));
    _claim = -1;
}

bool TempFile::replaceDocument() {
    if (FailureInjection::fails(FailureInjection::Step::Replace))
        return false;
    const int fd = static_cast<int>(_claim);
    // The new contents keep the old file's owner, group and permissions, where the file was made with the
    // process's own and the narrowest permissions. Only root may give a file away; a member of the group may
    // still keep the group. The owner goes first, as it clears the set-id bits.
    struct stat status;
    mode_t mode = newFileMode();
    if (::stat(_document.c_str(), &status) == 0) {
        static_cast<void>(::fchown(fd, status.st_uid, status.st_gid) == 0 ||
                          ::fchown(fd, static_cast<uid_t>(-1), status.st_gid) == 0);
        mode = status.st_mode & 07777;
    }
    if (::fchmod(fd, mode) != 0 || ::rename(_path.c_str(), _document.c_str()) != 0)
        return false;
    _replaced = true;
    releaseClaim();
    commitFolder(getFolder(_document));
    return true;
}

void removeStaleTempFiles(const std::string& document) {
    const std::string folder = getFolder(document);
    DIR* const entries = ::opendir(folder.empty() ? "." : folder.c_str());
    if (entries == nullptr)
        return;
    std::vector<std::string> stale;
    while (const dirent* entry = ::readdir(entries)) {
        const auto writer = TempFileNames::writerOf(entry->d_name, document);
        if (writer && !isOtherProcessRunning(*writer))
            stale.push_back(folder + entry->d_name);
    }
    ::closedir(entries);
    for (const std::string& path : stale)
        deleteUnclaimed(path);
}

bool deleteFile(const std::string& path) {
    return ::unlink(path.c_str()) == 0;
}

} // namespace Win::IO::PlatformFiles
