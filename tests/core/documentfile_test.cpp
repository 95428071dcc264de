#include "testfiles.h"
#include "testlists.h"

#include "app/files/documentfileinputmethod.h"
#include "app/files/documentfileoutputmethod.h"

#include "WinLib/io/platformfiles.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <memory>
#ifndef _WIN32
#include <sys/mount.h>
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
