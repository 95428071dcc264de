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
// Flushes and closes; false when either fails.
bool closeFile(std::FILE* file);

// The folder part of a path, up to and including its last separator; "" when it has none.
std::string getFolder(const std::string& path);
// Creates a new, empty, uniquely named file in folder ("" for the current one) and returns its
// path; throws FileOpenException ("Can not create temporary file").
std::string createTempFile(const std::string& folder);
// Copies from over to, overwriting it; false on failure (for example when from does not exist).
bool copyFile(const std::string& from, const std::string& to);
// Clears attributes such as read-only.
void setNormalAttributes(const std::string& path);
// Deletes a file; false on failure.
bool deleteFile(const std::string& path);

// Test hook: while an object lives, writeBlock fails once more than byteLimit bytes in all would
// have gone through it, as on a full disk; with failClose, closeFile fails too.
class WriteFailureInjection {
public:
    explicit WriteFailureInjection(std::uint64_t byteLimit, bool failClose = false);
    ~WriteFailureInjection();
    WriteFailureInjection(const WriteFailureInjection&) = delete;
    WriteFailureInjection& operator=(const WriteFailureInjection&) = delete;
};

} // namespace Win::IO::PlatformFiles
