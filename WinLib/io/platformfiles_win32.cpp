#include "platformfiles.h"

#include "exceptions.h"
#include "tempfilenames.h"

#include <windows.h>

#include <io.h>

#include <optional>
#include <tuple>

namespace Win::IO::PlatformFiles {

namespace {

// The system itself refuses, except where it runs with more rights than Windows gives an
// administrator (Wine as root); a read-only file must stay as it is there too.
bool isReadOnly(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

std::wstring toWide(const std::string& text) {
    const int length = static_cast<int>(text.size());
    std::wstring wide(
        static_cast<std::size_t>(::MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0)), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide.data(), static_cast<int>(wide.size()));
    return wide;
}

// Compared as the file system compares names, letter case aside, in whatever code page the program runs:
// byte by byte a UTF-8 text would only match its own letter case.
bool isSameName(const std::string& first, const std::string& second) {
    const std::wstring one = toWide(first), other = toWide(second);
    return ::CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, one.c_str(), static_cast<int>(one.size()),
                            other.c_str(), static_cast<int>(other.size())) == CSTR_EQUAL;
}

// Opened for nothing but questions, so that no other program's use of the file stands in the way.
HANDLE openToAsk(const std::string& path) {
    return ::CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// The volume serial number and file index: one file has them whatever name leads to it.
std::optional<std::tuple<DWORD, DWORD, DWORD>> identityOf(const std::string& path) {
    const HANDLE file = openToAsk(path);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    BY_HANDLE_FILE_INFORMATION information{};
    const bool known = ::GetFileInformationByHandle(file, &information) != 0;
    ::CloseHandle(file);
    if (!known)
        return std::nullopt;
    return std::tuple{information.dwVolumeSerialNumber, information.nFileIndexHigh,
                      information.nFileIndexLow};
}

// A process whose id is still taken by a running program, other than this one.
bool isOtherProcessRunning(unsigned long processId) {
    if (processId == ::GetCurrentProcessId())
        return false;
    const HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, processId);
    if (process == nullptr)
        return ::GetLastError() != ERROR_INVALID_PARAMETER; // refused: it runs under another user
    const bool running = ::WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    ::CloseHandle(process);
    return running;
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
    const auto one = identityOf(first), other = identityOf(second);
    if (one && other)
        return *one == *other;
    return isSameName(getFullPath(first), getFullPath(second));
}

std::string getFolder(const std::string& path) {
    const auto separator = path.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

std::string resolveLinks(const std::string& path) {
    const HANDLE file = openToAsk(path);
    if (file == INVALID_HANDLE_VALUE)
        return path;
    char final[MAX_PATH + 8];
    const DWORD length = ::GetFinalPathNameByHandleA(file, final, sizeof final, FILE_NAME_NORMALIZED);
    ::CloseHandle(file);
    if (length == 0 || length >= sizeof final)
        return path;
    // The system gives its own form of a full path; the file services take the usual one.
    const std::string resolved(final, length);
    if (resolved.rfind("\\\\?\\UNC\\", 0) == 0)
        return "\\\\" + resolved.substr(8);
    if (resolved.rfind("\\\\?\\", 0) == 0)
        return resolved.substr(4);
    return resolved;
}

TempFile::TempFile(const std::string& document) : _document(document), _claim(-1) {
    static unsigned serial = 0;
    const int attempts = FailureInjection::fails(FailureInjection::Step::TempFile) ? 0 : 1000;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        _path = TempFileNames::make(document, ::GetCurrentProcessId(), serial++);
        // Without FILE_SHARE_DELETE nobody can delete the file while this handle claims it; the save writes
        // it through a handle of its own.
        const HANDLE claim = ::CreateFileA(_path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                           nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (claim != INVALID_HANDLE_VALUE) {
            _claim = reinterpret_cast<std::intptr_t>(claim);
            return;
        }
        if (::GetLastError() != ERROR_FILE_EXISTS)
            break;
    }
    throw FileOpenException("Can not create temporary file");
}

void TempFile::releaseClaim() {
    if (_claim == -1)
        return;
    ::CloseHandle(reinterpret_cast<HANDLE>(_claim));
    _claim = -1;
}

bool TempFile::replaceDocument() {
    if (FailureInjection::fails(FailureInjection::Step::Replace))
        return false;
    // The document keeps how it shows in folders; a new one gets the system's usual attributes.
    const DWORD attributes = ::GetFileAttributesA(_document.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        const DWORD kept =
            attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE);
        if (::SetFileAttributesA(_path.c_str(), kept != 0 ? kept : FILE_ATTRIBUTE_NORMAL) == 0)
            return false;
    }
    // A rename needs the file free of the claim. One rename over the old file, so that the document holds the
    // old or the new contents at every moment. ReplaceFile is not one rename everywhere: a process ended
    // inside it has been seen to leave neither file.
    releaseClaim();
    if (::MoveFileExA(_path.c_str(), _document.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ==
        0)
        return false;
    _replaced = true;
    return true;
}

void removeStaleTempFiles(const std::string& document) {
    const std::string folder = getFolder(document);
    WIN32_FIND_DATAA entry;
    const HANDLE search =
        ::FindFirstFileA((folder + TempFileNames::prefixOf(document) + "*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const auto writer = TempFileNames::writerOf(entry.cFileName, document);
        // A file that a save still claims cannot be deleted.
        if (writer && !isOtherProcessRunning(*writer))
            ::DeleteFileA((folder + entry.cFileName).c_str());
    } while (::FindNextFileA(search, &entry));
    ::FindClose(search);
}

bool deleteFile(const std::string& path) {
    return ::DeleteFileA(path.c_str()) != 0;
}

} // namespace Win::IO::PlatformFiles
