#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

// The few file-system services that differ between Windows and POSIX systems.
namespace Win::IO::PlatformFiles {

// Opens for binary writing, creating or truncating. Returns null on failure, also for a file
// marked read-only (on POSIX: no write permission bits at all, so that this holds even for root).
std::FILE* openForWriting(const std::string& path);
// Opens for binary reading; null on failure.
std::FILE* openForReading(const std::string& path);
// Size of an open file in bytes.
std::uint64_t getFileSize(std::FILE* file);

// Writes a block; false on error.
bool writeBlock(std::FILE* file, const void* data, std::size_t size);
// Has the system put everything written so far on the disk; false on error.
bool commitFile(std::FILE* file);
// Flushes and closes; false when either fails.
bool closeFile(std::FILE* file);

// Whether path may be replaced: true when no file of that name exists yet, false when one exists
// that cannot be written (read-only as for openForWriting, held by another program, a folder).
bool isReplaceable(const std::string& path);
// The path from the root of its drive; as given when the system cannot tell.
std::string getFullPath(const std::string& path);
// Whether both paths name one file (on Windows: the same full path, letter case aside).
bool isSameFile(const std::string& first, const std::string& second);
// The folder part of a path, up to and including its last separator; "" when it has none.
std::string getFolder(const std::string& path);
// Creates a new, empty, uniquely named file in folder ("" for the current one) and returns its
// path; throws FileOpenException ("Can not create temporary file").
std::string createTempFile(const std::string& folder);
// Puts the file replacement in the place of target in one step, on the disk before it returns:
// target then holds the new contents, keeping its attributes, or, on failure (false), its old
// ones. A target that does not exist yet is created.
bool replaceFile(const std::string& replacement, const std::string& target);
// Deletes a file; false on failure.
bool deleteFile(const std::string& path);

// Test hook: while an object lives, one step fails as on a full disk or a busy file. A write fails
// once more than byteLimit bytes in all would have gone through writeBlock.
class FailureInjection {
public:
    enum class Step { TempFile, Write, Commit, Close, Replace };

    explicit FailureInjection(Step step, std::uint64_t byteLimit = 0);
    ~FailureInjection();
    FailureInjection(const FailureInjection&) = delete;
    FailureInjection& operator=(const FailureInjection&) = delete;

    // For the services above: whether step is to fail now.
    static bool fails(Step step);
};

} // namespace Win::IO::PlatformFiles
