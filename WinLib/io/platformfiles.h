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
// Whether both paths name one file. Where both exist, by the file's identity (volume serial number and file
// index on Windows, device and inode on POSIX), so that any other name of the file counts: a link, another
// drive letter for its folder, a "\\?\" path. Otherwise by the full paths (on Windows letter case aside).
bool isSameFile(const std::string& first, const std::string& second);
// The folder part of a path, up to and including its last separator; "" when it has none.
std::string getFolder(const std::string& path);
// The file that writing to path is meant to change: where path leads when it is a symbolic link, else path.
std::string resolveLinks(const std::string& path);

// A new, empty file beside a document, in which a save writes the document's new contents before they take
// its place; its name (TempFileNames) tells it from other files. While the object lives the file is
// claimed, so that removeStaleTempFiles in any process leaves it alone. The file goes with the object unless
// it has taken the document's place.
class TempFile {
public:
    // Throws FileOpenException ("Can not create temporary file").
    explicit TempFile(const std::string& document);
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    const std::string& getPath() const { return _path; }
    // Puts the file in the place of the document in one step, on the disk before it returns: the document
    // then holds the new contents, keeping its attributes (on Windows hidden, system and archive; on POSIX
    // its permissions, and its owner and group where the process may set them), or, on failure (false), its
    // old ones. A document that does not exist yet is created.
    bool replaceDocument();

private:
    void releaseClaim();

    std::string _document;
    std::string _path;
    std::intptr_t _claim; // the open file (handle or descriptor) that holds the claim; -1 once let go
    bool _replaced = false;
};

// Deletes the temporary files of the document that earlier saves left behind: those whose writing process
// has ended, or is this one, and that no save holds now.
void removeStaleTempFiles(const std::string& document);

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
