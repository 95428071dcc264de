#include "testfiles.h"
#include "testlists.h"

#include "app/files/documentfileinputmethod.h"
#include "app/files/documentfileoutputmethod.h"
#include "app/files/documentformat.h"

#include "WinLib/io/memoryserializer.h"

#include <gtest/gtest.h>

#include <climits>

using namespace Win::IO;

namespace {

const std::string Version1Data = LORVANT_VERSION1_DATA;
const std::string Polish = "\xC5\x81\xC3\xB3"
                           "d\xC5\xBA"; // Łódź

std::string saved(StudyList& list, const TempFolder& folder) {
    const std::string path = folder.file("saved.lvd");
    DocumentFileOutputMethod(list).write(path);
    return readFile(path);
}

StudyList opened(const std::string& bytes, const TempFolder& folder) {
    const std::string path = folder.file("opened.lvd");
    writeFile(path, bytes);
    return DocumentFileInputMethod().read(path);
}

// A section as the file holds it.
std::string section(std::uint32_t tag, const std::string& bytes) {
    MemorySerializer out;
    out.writeInt(static_cast<std::int32_t>(tag));
    out.writeInt(static_cast<std::int32_t>(bytes.size()));
    out.write(bytes.data(), bytes.size());
    return out.getBytes();
}

const std::string EndOfSections = std::string(8, '\0');

// The version-2 file of a list: the signature, the study list with its text in UTF-8, then the sections.
std::string version2(StudyList list, const std::string& sections) {
    MemorySerializer out;
    out.writeInt(static_cast<std::int32_t>(0xCAFE0002u));
    list.serialize(out);
    return out.getBytes() + sections;
}

} // namespace

TEST(DocumentVersion1, FilesOfEarlierVersionsOpenAndSaveByteForByte) {
    TempFolder folder;
    for (const char* name : {"empty.lvd", "words.lvd", "windows-1252.lvd", "scores.lvd"}) {
        SCOPED_TRACE(name);
        const std::string original = readFile(Version1Data + "/" + name);
        ASSERT_FALSE(original.empty());
        StudyList list = opened(original, folder);
        EXPECT_EQ(saved(list, folder), original);
    }
    // Its windows-1252 letters, the euro sign among them, and the bytes the code page leaves undefined.
    const StudyList list = opened(readFile(Version1Data + "/windows-1252.lvd"), folder);
    EXPECT_EQ(list.getOutline().getDef(0), "D\xC3\xA9"
                                           "finition");
    EXPECT_EQ(list.getTermSet(0).getTerm(), "caf\xC3\xA9");
    EXPECT_EQ(list.getTermSet(0).getComment(), "\xE2\x82\xAC \xC2\x81\xC3\xBF");
    EXPECT_EQ(list.getTermSet(1).getField(0), "\xC5\xBE\xC5\xA0\xC5\xA1");
}

TEST(DocumentVersion2, WrittenOnlyForTextBeyondTheCodePageAndReadBack) {
    TempFolder folder;
    StudyList list = makeStudyList({"Definition"}, {{"cat", "animal"}, {Polish, "city"}});
    const std::string file = saved(list, folder);
    EXPECT_EQ(file.substr(0, 4), bytes({0x02, 0x00, 0xFE, 0xCA}));
    EXPECT_NE(file.find(bytes({0xC5, 7, 0, 0, 0}) + Polish), std::string::npos);
    EXPECT_EQ(file.substr(file.size() - 8), EndOfSections);
    const StudyList reopened = opened(file, folder);
    EXPECT_EQ(reopened.getTermSet(1).getTerm(), Polish);
    EXPECT_EQ(reopened.getTermSet(0), list.getTermSet(0));

    // Once the text fits again, the list is written as version 1.
    list.getTermSet(1).setTerm("Lodz");
    EXPECT_EQ(saved(list, folder).substr(0, 4), bytes({0x01, 0x00, 0xFE, 0xCA}));
    // The outline's names count too.
    Outline outline = list.getOutline();
    outline.setItemType("\xCE\x9B\xCE\xAD\xCE\xBE\xCE\xB7");
    list.setOutline(outline);
    EXPECT_EQ(opened(saved(list, folder), folder).getOutline().getItemType(), outline.getItemType());
}

TEST(DocumentVersion2, SectionsItDoesNotKnowSurviveASave) {
    TempFolder folder;
    const StudyList list = makeStudyList({"Definition"}, {{"cat", "animal"}});
    const std::string sections =
        section(0x48435344, "schedule\0bytes") + section(7, "") + section(0xFFFFFFFF, "\xFF") + EndOfSections;
    const std::string file = version2(list, sections);
    StudyList reopened = opened(file, folder);
    ASSERT_EQ(reopened.getUnknownSections().size(), 3u);
    EXPECT_EQ(reopened.getUnknownSections()[0].tag, 0x48435344u);
    // Its text fits version 1, but version 1 has no room for the sections.
    EXPECT_EQ(saved(reopened, folder), file);
    StudyList copy;
    copy = reopened;
    EXPECT_EQ(copy.getUnknownSections(), reopened.getUnknownSections());
    reopened.clear();
    EXPECT_TRUE(reopened.getUnknownSections().empty());
}

TEST(DocumentVersion2, RefusesEveryBrokenFile) {
    TempFolder folder;
    const StudyList list = makeStudyList({"Definition"}, {{"cat", "animal"}});
    const std::string body = version2(list, "");
    const struct {
        std::string file;
        const char* failure;
    } cases[] = {
        {body, "end: Unexpected End Of File"},                                // no end of the sections
        {body + section(5, "abc").substr(0, 10), "corrupt: Data corruption"}, // a section cut short
        {body + bytes({5, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F}) + EndOfSections, "corrupt: Data corruption"},
        {body + bytes({5, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}) + EndOfSections, "corrupt: Data corruption"},
        {body + bytes({0, 0, 0, 0, 1, 0, 0, 0, 'x'}), "corrupt: Data corruption"}, // an end that holds bytes
        // Text that is no UTF-8.
        {version2(makeStudyList({"Definition"}, {{"caf\xE9"}}), EndOfSections),
         "corrupt: Data corruption in file"},
        // The checks of version 1: a string longer than the file, too many items.
        {bytes({0x02, 0x00, 0xFE, 0xCA, 0xC5, 0xFF, 0xFF, 0xFF, 0x7F}), "end: Unexpected End Of File"},
        {bytes({0x02, 0x00, 0xFE, 0xCA, 0xC5, 1, 0, 0, 0, 'T', 0, 0, 0, 0, 0x40, 0x42, 0x0F, 0x00}),
         "corrupt: Data corruption"},
        {bytes({0x03, 0x00, 0xFE, 0xCA}) + body.substr(4) + EndOfSections, "corrupt: "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(failureOf([&] { opened(c.file, folder); }), c.failure) << testing::PrintToString(c.file);
    EXPECT_EQ(failureOf([&] { opened(body + EndOfSections, folder); }), "");
}

namespace {

// A section of the kind the program will know: a number kept beside the study list.
int storedNumber = 0;

const DocumentSections::Known NumberSection[] = {{
    0x4D554E,
    [](const StudyList&) { return storedNumber == 0; },
    [](const StudyList&, Serializer& out) { out.writeInt(storedNumber); },
    [](StudyList&, DeSerializer& in) { storedNumber = in.readInt(); },
}};

} // namespace

TEST(DocumentSections, AKnownSectionIsWrittenWhenItHoldsSomethingAndReadBackWhole) {
    StudyList list;
    list.setUnknownSections({{9, "kept"}});
    storedNumber = 0;
    EXPECT_TRUE(DocumentSections::anyToWrite(list, NumberSection));
    list.setUnknownSections({});
    EXPECT_FALSE(DocumentSections::anyToWrite(list, NumberSection));
    storedNumber = 42;
    ASSERT_TRUE(DocumentSections::anyToWrite(list, NumberSection));
    MemorySerializer out;
    DocumentSections::write(list, out, NumberSection);
    EXPECT_EQ(out.getBytes(), section(0x4D554E, bytes({42, 0, 0, 0})) + EndOfSections);

    const auto read = [&](const std::string& bytes) {
        storedNumber = 0;
        MemoryDeSerializer in(bytes);
        DocumentSections::read(list, in, NumberSection);
        return storedNumber;
    };
    EXPECT_EQ(read(out.getBytes()), 42);
    EXPECT_TRUE(list.getUnknownSections().empty());
    // Bytes its reader leaves, too few for it, or the section twice.
    const std::string number = section(0x4D554E, bytes({42, 0, 0, 0}));
    for (const std::string& bad :
         {section(0x4D554E, bytes({42, 0, 0, 0, 0})) + EndOfSections,
          section(0x4D554E, bytes({42, 0})) + EndOfSections, number + number + EndOfSections})
        EXPECT_NE(failureOf([&] { read(bad); }), "") << testing::PrintToString(bad);
}
