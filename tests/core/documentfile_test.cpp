#include "testfiles.h"
#include "testlists.h"

#include "app/files/documentfileinputmethod.h"
#include "app/files/documentfileoutputmethod.h"

#include "WinLib/io/platformfiles.h"
#include "WinLib/io/tempfilenames.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <stdexcept>
#ifdef _WIN32
#include <windows.h>
#else
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace Win::IO;

namespace {

const std::string EmptyDocument = bytes(
    {0x01, 0x00, 0xFE, 0xCA, 0xC5, 4,    0,    0,    0,    'T',  'e',  'r',  'm', 1,   0, 0, 0, 0xC5,
     10,   0,    0,    0,    'D',  'e',  'f',  'i',  'n',  'i',  't',  'i',  'o', 'n', 0, 0, 0, 0, // no items
     0,    0,    0,    0,                                                                    // no time-out
     0x12, 0xAD, 0xDD, 0xBA, 0x12, 0xAD, 0xDD, 0xBA, 0x12, 0xAD, 0xDD, 0xBA, 3,   0,   0, 0, // choices
     0,    0,    0,    0,    3,    0,    0,    0,   // from term, to everything else
     0,    0,    0,    0,    0,    0,    0,    0}); // field indices

StudyList makeList(int count) {
    StudyList list;
    for (int n = 1; n <= count; ++n) {
        TermSet item(list.getOutline(), n);
        item.setTerm("term " + std::to_string(n));
        item.setField(0, "definition of term " + std::to_string(n));
        list.addTermSet(item);
    }
    return list;
}

void save(StudyList& list, const std::string& path) {
    DocumentFileOutputMethod(list).write(path);
}

#ifndef _WIN32
struct SaveInAnotherProcess {
    pid_t process;
    std::string tempPath;
};

// A save in a process of its own makes its temporary file of the document, then ends without a word, as a
// killed save does. Given a pipe, it holds the file until the pipe is closed, as a save still writing does.
SaveInAnotherProcess saveInAnotherProcess(const std::string& document, const int (&hold)[2] = {-1, -1}) {
    int report[2];
    if (::pipe(report) != 0)
        throw std::runtime_error("no pipe");
    const pid_t process = ::fork();
    if (process == 0) {
        const PlatformFiles::TempFile file(document);
        const bool reported = ::write(report[1], file.getPath().data(), file.getPath().size()) > 0;
        ::close(report[1]);
        if (hold[1] >= 0)
            ::close(hold[1]);
        char ignored;
        while (hold[0] >= 0 && ::read(hold[0], &ignored, 1) > 0) {
        }
        ::_exit(reported ? 0 : 1);
    }
    ::close(report[1]);
    char tempPath[4096];
    const ssize_t length = ::read(report[0], tempPath, sizeof tempPath);
    ::close(report[0]);
    if (hold[0] < 0)
        ::waitpid(process, nullptr, 0);
    return {process, std::string(tempPath, static_cast<std::size_t>(std::max<ssize_t>(length, 0)))};
}
#endif

} // namespace

TEST(DocumentFile, BytesOfAnEmptyListAndOfAnItem) {
    TempFolder folder;
    const std::string path = folder.file("new.lvd");
    StudyList list;
    list.setModified();
    save(list, path);
    EXPECT_EQ(readFile(path), EmptyDocument);
    EXPECT_EQ(list.getFileName(), path);
    EXPECT_FALSE(list.isModified());
    EXPECT_EQ(folder.list(), std::vector<std::string>{"new.lvd"});

    list.addTermSet(makeStudyList({}, {{"cat"}}).getTermSet(0));
    save(list, path);
    EXPECT_EQ(readFile(path), EmptyDocument.substr(0, 32) + bytes({1, 0, 0, 0}) +
                                  bytes({1, 0, 0,    0, 0xC5, 3, 0, 0, 0, 'c', 'a', 't', 0xC5, 0, 0,
                                         0, 0, 0xC5, 0, 0,    0, 0, 0, 0, 0,   0,   0,   0,    0, 0}) +
                                  EmptyDocument.substr(36));
}

TEST(DocumentFile, RoundTripThroughFileKeepsEveryByte) {
    TempFolder folder;
    const std::string path = folder.file("list.lvd");
    StudyList list = makeStudyList({"Definition", "Example", "Notes"}, {});
    for (int n = 1; n <= 3000; ++n) {
        TermSet item(list.getOutline(), n);
        item.setTerm("term " + std::to_string(n));
        item.setField(n % 3, "value " + std::to_string(n));
        item.setComment(n % 2 ? "" : "comment");
        addScores(item, n % 5 / 2 + n % 5 % 2, n % 5 / 2);
        list.addTermSet(item);
    }
    list.getSettings().setTimeOut(30);
    list.getSettings().setCaseSensitive(true);
    list.getSettings().setFromField(2);
    list.getSettings().setToField(1);
    list.getSettings().setToEverythingElse(); // the stale index 1 is still stored
    save(list, path);

    StudyList read = DocumentFileInputMethod().read(path);
    EXPECT_EQ(read.getFileName(), path);
    EXPECT_FALSE(read.isModified());
    EXPECT_EQ(read.getOutline(), list.getOutline());
    ASSERT_EQ(read.getTermSetCount(), 3000);
    for (std::size_t i = 0; i < 3000; ++i)
        ASSERT_EQ(read.getTermSet(i), list.getTermSet(i));
    EXPECT_EQ(read.getSettings(), list.getSettings());
    EXPECT_EQ(&read.getTermSet(0).getOutline(), &read.getOutline());
    // Saved again, the file is the same byte for byte.
    save(read, folder.file("again.lvd"));
    EXPECT_EQ(readFile(folder.file("again.lvd")), readFile(path));
}

// Whatever step of a save fails, the document file stays byte for byte as it was, nothing else is left in
// its folder, and the list keeps its name and its unsaved changes.
TEST(DocumentFile, FailedSaveLeavesTheFileAsItWas) {
    using Step = PlatformFiles::FailureInjection::Step;
    TempFolder folder;
    const std::string path = folder.file("doc.lvd");
    StudyList old = makeList(10);
    save(old, path);
    const std::string oldBytes = readFile(path);

    // The bigger list fails in the middle of writing (it is far larger than the write buffer), the small
    // one on the final flush.
    StudyList bigger = makeList(20000);
    StudyList small = makeList(11);
    const struct {
        StudyList* list;
        Step step;
        std::uint64_t byteLimit;
        const char* failure;
    } failures[] = {
        {&small, Step::TempFile, 0, "open: Can not create temporary file"},
        {&bigger, Step::Write, 200000, "write: File write failed"},
        {&small, Step::Write, 10, "write: File write failed"},
        {&small, Step::Commit, 0, "write: File write failed"},
        {&small, Step::Close, 0, "write: File write failed"},
        {&small, Step::Replace, 0, "open: Couldn't replace file"},
    };
    for (const std::string& target : {path, folder.file("new.lvd")}) {
        for (const auto& failure : failures) {
            SCOPED_TRACE(target + " " + failure.failure);
            failure.list->setFileName("before.lvd");
            failure.list->setModified();
            PlatformFiles::FailureInjection injection(failure.step, failure.byteLimit);
            EXPECT_EQ(failureOf([&] { save(*failure.list, target); }), failure.failure);
            EXPECT_EQ(readFile(path), oldBytes);
            EXPECT_EQ(folder.list(), std::vector<std::string>{"doc.lvd"});
            EXPECT_EQ(failure.list->getFileName(), "before.lvd");
            EXPECT_TRUE(failure.list->isModified());
        }
    }

    // With nothing failing, the new contents take the old file's place and its permissions.
    using std::filesystem::perms;
#ifndef _WIN32
    std::filesystem::permissions(path, perms::owner_read | perms::owner_write | perms::group_read);
#endif
    const auto permissions = std::filesystem::status(path).permissions();
    save(bigger, path);
    EXPECT_EQ(DocumentFileInputMethod().read(path).getTermSetCount(), 20000);
    EXPECT_EQ(folder.list(), std::vector<std::string>{"doc.lvd"});
    EXPECT_EQ(std::filesystem::status(path).permissions(), permissions);

    // A read-only document is refused before anything is written.
    const std::string newBytes = readFile(path);
    std::filesystem::permissions(path, perms::owner_write | perms::group_write | perms::others_write,
                                 std::filesystem::perm_options::remove);
    EXPECT_EQ(failureOf([&] { save(small, path); }), "open: Couldn't open file for writing");
    EXPECT_EQ(readFile(path), newBytes);
    EXPECT_EQ(folder.list(), std::vector<std::string>{"doc.lvd"});
    EXPECT_TRUE(small.isModified());
}

// A save changes what the document holds and nothing else about it: saved through a symbolic link, the linked
// file gets the new contents and the link stays; attributes, owner and group stay as they were.
TEST(DocumentFile, SaveKeepsWhatTheFileWas) {
    TempFolder folder;
    StudyList list = makeList(3);
#ifdef _WIN32
    const std::string path = folder.file("doc.lvd");
    save(list, path);
    constexpr DWORD Kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
    for (const DWORD attributes :
         {DWORD{FILE_ATTRIBUTE_HIDDEN}, DWORD{FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM},
          DWORD{FILE_ATTRIBUTE_ARCHIVE}}) {
        ASSERT_NE(SetFileAttributesA(path.c_str(), attributes), 0);
        const DWORD before = GetFileAttributesA(path.c_str()) & Kept; // some systems add archive
        list.addTermSet(makeList(1).getTermSet(0));
        save(list, path);
        EXPECT_EQ(GetFileAttributesA(path.c_str()) & Kept, before);
        EXPECT_EQ(DocumentFileInputMethod().read(path).getTermSetCount(), list.getTermSetCount());
    }
#else
    std::filesystem::create_directory(folder.file("shared"));
    const std::string path = folder.file("shared/doc.lvd"), link = folder.file("link.lvd");
    save(list, path);
    std::filesystem::create_symlink("shared/doc.lvd", link);
    std::filesystem::create_symlink(link, folder.file("link to link.lvd"));
    // Another user's document, in a folder both may write, as root may save it.
    const bool mayGiveAway = ::geteuid() == 0;
    if (mayGiveAway) {
        ASSERT_EQ(::chown(path.c_str(), 1234, 5678), 0);
    }
    for (const std::string& name : {link, folder.file("link to link.lvd")}) {
        list.addTermSet(makeList(1).getTermSet(0));
        save(list, name);
        EXPECT_TRUE(std::filesystem::is_symlink(name));
        EXPECT_EQ(DocumentFileInputMethod().read(path).getTermSetCount(), list.getTermSetCount());
        EXPECT_EQ(list.getFileName(), name);
        struct stat status;
        ASSERT_EQ(::stat(path.c_str(), &status), 0);
        if (mayGiveAway) {
            EXPECT_EQ(std::vector<unsigned>({status.st_uid, status.st_gid}),
                      std::vector<unsigned>({1234, 5678}));
        }
    }
    EXPECT_EQ(filesIn(folder.file("shared")), std::vector<std::string>{"doc.lvd"});
#endif
}

// A save removes the temporary files that saves of its document left behind when they were killed, and no
// other file: not one that a save still writes, in this process or another, nor another document's.
TEST(DocumentFile, SaveRemovesWhatKilledSavesLeftBehind) {
    TempFolder folder;
    const std::string path = folder.file("doc.lvd"), other = folder.file("other.lvd");
    StudyList list = makeList(3);
    save(list, path);
    const PlatformFiles::TempFile running(path), otherRunning(other);
    std::vector<std::string> stay{path, running.getPath(), otherRunning.getPath()}, go;
#ifndef _WIN32
    int hold[2];
    ASSERT_EQ(::pipe(hold), 0);
    const SaveInAnotherProcess writing = saveInAnotherProcess(path, hold);
    stay.push_back(writing.tempPath);
    stay.push_back(saveInAnotherProcess(other).tempPath);
    go.push_back(saveInAnotherProcess(path).tempPath);
    go.push_back(saveInAnotherProcess(path).tempPath);
#endif
    save(list, path);
    for (const std::string& name : stay)
        EXPECT_TRUE(std::filesystem::exists(name)) << name;
    for (const std::string& name : go)
        EXPECT_FALSE(std::filesystem::exists(name)) << name;
#ifndef _WIN32
    ::close(hold[0]);
    ::close(hold[1]);
    ::waitpid(writing.process, nullptr, 0);
    save(list, path);
    EXPECT_FALSE(std::filesystem::exists(writing.tempPath)) << "once its process has ended";
#endif
}

// From its name alone a temporary file tells its document, letter case aside as Windows names files, and the
// process that wrote it.
TEST(DocumentFile, TemporaryFileNamesTellTheDocumentAndTheWriter) {
    const std::string path = TempFileNames::make("lists/Doc.lvd", 0x1f4, 3);
    ASSERT_EQ(path.rfind("lists/.lorvant-", 0), 0u) << path;
    const std::string name = path.substr(6);
    EXPECT_EQ(TempFileNames::writerOf(name, "lists/DOC.lvd"), 0x1f4ul);
    for (const std::string& other : {name + "x", "x" + name, name.substr(0, name.size() - 6) + "-.tmp"})
        EXPECT_EQ(TempFileNames::writerOf(other, "lists/Doc.lvd"), std::nullopt) << other;
    EXPECT_EQ(TempFileNames::writerOf(name, "lists/Dog.lvd"), std::nullopt);
}

// A real full disk: a file system of 1 MiB with room for less than another copy of the document.
TEST(DocumentFile, FullDiskLeavesTheFileAsItWas) {
#ifdef _WIN32
    GTEST_SKIP() << "the small disk is mounted by the native tests only";
#else
    TempFolder folder;
    const std::string diskFolder = folder.file("disk");
    std::filesystem::create_directory(diskFolder);
    if (::mount("tmpfs", diskFolder.c_str(), "tmpfs", 0, "size=1m") != 0)
        GTEST_SKIP() << "cannot mount a 1 MiB tmpfs here (it needs root): " << std::strerror(errno);
    const auto unmount = [](const std::string* mounted) { ::umount2(mounted->c_str(), MNT_DETACH); };
    const std::unique_ptr<const std::string, decltype(unmount)> disk(&diskFolder, unmount);
    const std::string path = diskFolder + "/doc.lvd";
    StudyList old = makeList(6000); // about 350 KB
    save(old, path);
    const std::string oldBytes = readFile(path);
    const std::string filler = diskFolder + "/filler";
    writeFile(filler, std::string(600000, 'x'));

    StudyList changed = makeList(8000); // about 470 KB, more than the old file and the free room
    EXPECT_EQ(failureOf([&] { save(changed, path); }), "write: File write failed");
    EXPECT_TRUE(readFile(path) == oldBytes);
    EXPECT_EQ(filesIn(diskFolder).size(), 2u);
    EXPECT_TRUE(changed.isModified());

    // With room for the old contents and the new ones side by side, the save goes through.
    std::filesystem::remove(filler);
    save(changed, path);
    EXPECT_EQ(DocumentFileInputMethod().read(path).getTermSetCount(), 8000);
    EXPECT_EQ(filesIn(diskFolder), std::vector<std::string>{"doc.lvd"});
#endif
}
