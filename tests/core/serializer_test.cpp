#include "testfiles.h"

#include "WinLib/io/exceptions.h"
#include "WinLib/io/fileserializer.h"
#include "WinLib/io/memoryserializer.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

using namespace Win::IO;

TEST(Serializer, ReadsBackWhatItWroteAndRefusesBadData) {
    const std::string binary("a\0\xFF\t\r\nz", 7);
    MemorySerializer out;
    out.writeInt(INT_MIN);
    out.writeInt(INT_MAX);
    out.writeBool(false);
    out.writeBool(true);
    out.writeString(binary);
    out.writeString("");
    MemoryDeSerializer in(out.getBytes());
    EXPECT_EQ(in.readInt(), INT_MIN);
    EXPECT_EQ(in.readInt(), INT_MAX);
    EXPECT_FALSE(in.readBool());
    EXPECT_TRUE(in.readBool());
    EXPECT_EQ(in.readString(), binary);
    EXPECT_EQ(in.readString(), "");
    EXPECT_EQ(in.getBytesLeft(), 0u);
    EXPECT_EQ(failureOf([&] { in.readInt(); }), "end: Unexpected End Of File");

    const struct {
        std::string bytes;
        std::function<void(DeSerializer&)> read;
        const char* failure;
    } cases[] = {
        {bytes({0x00, 3, 0, 0, 0, 'a', 'b', 'c'}), &DeSerializer::readString,
         "corrupt: Data corruption in file"},
        {bytes({1, 0, 0, 0}), &DeSerializer::readBool, "corrupt: Invalid data read from file"},
        {bytes({1, 0}), &DeSerializer::readInt, "end: Unexpected End Of File"},
        {bytes({0xC5, 4, 0, 0, 0, 'a', 'b', 'c'}), &DeSerializer::readString, "end: Unexpected End Of File"},
        // 2 GiB and -1 claimed by a string in a few bytes: refused, never attempted as an allocation.
        {bytes({0xC5, 0xFF, 0xFF, 0xFF, 0x7F, 'x'}), &DeSerializer::readString,
         "end: Unexpected End Of File"},
        {bytes({0xC5, 0xFF, 0xFF, 0xFF, 0xFF, 'x'}), &DeSerializer::readString,
         "corrupt: Data corruption in file"},
        {std::string(10, 'x'), [](DeSerializer& in) { in.checkCount(2, 5); }, ""},
        {std::string(10, 'x'), [](DeSerializer& in) { in.checkCount(3, 5); }, "corrupt: Data corruption"},
        {std::string(10, 'x'), [](DeSerializer& in) { in.checkCount(-1, 5); }, "corrupt: Data corruption"},
        {std::string(10, 'x'), [](DeSerializer& in) { in.checkCount(INT_MAX, 1); },
         "corrupt: Data corruption"},
    };
    for (const auto& c : cases) {
        MemoryDeSerializer in(c.bytes);
        EXPECT_EQ(failureOf([&] { c.read(in); }), c.failure) << testing::PrintToString(c.bytes);
    }
}

TEST(FileSerializer, ReadsBackAcrossBufferBoundariesAndReportsFailures) {
    TempFolder folder;
    const std::string path = folder.file("data.bin");
    const std::string big(200000, 'q');
    {
        FileSerializer out(path);
        for (int i = 0; i < 30000; ++i)
            out.writeInt(i);
        out.writeString(big);
        out.writeBool(true);
        out.close();
    }
    FileDeSerializer in(path);
    EXPECT_EQ(in.getBytesLeft(), 30000u * 4 + 5 + big.size() + 4);
    for (int i = 0; i < 30000; ++i)
        ASSERT_EQ(in.readInt(), i);
    EXPECT_EQ(in.readString(), big);
    EXPECT_TRUE(in.readBool());
    EXPECT_EQ(failureOf([&] { in.readInt(); }), "end: Unexpected End Of File");

    EXPECT_EQ(failureOf([&] { FileDeSerializer(folder.file("missing.lvd")); }),
              "open: Couldn't open file for reading");
    EXPECT_EQ(failureOf([&] { FileSerializer(folder.file("no-folder") + "/x.lvd"); }),
              "open: Couldn't open file for writing");
    writeFile(path, bytes({0xC5, 10, 0, 0, 0, 'a', 'b'}));
    EXPECT_EQ(failureOf([&] { FileDeSerializer(path).readString(); }), "end: Unexpected End Of File");
#ifndef _WIN32
    // A full device takes the buffered bytes and fails only when they are written on close.
    FileSerializer full("/dev/full");
    full.writeString("buffered, so no error yet");
    EXPECT_EQ(failureOf([&] { full.close(); }), "write: File write failed");
#endif
}

// Millions of small texts are read where they lie in the reader's buffer; those that a buffer's end cuts
// anywhere (marker, length or text) take another way, which must give the same texts in every coding.
TEST(FileSerializer, TextsCutByTheBufferComeBackAlikeInEveryCoding) {
    TempFolder folder;
    const std::string path = folder.file("texts.bin");
    std::vector<std::string> texts;
    for (std::size_t i = 0; texts.size() < 20000; ++i) {
        std::string text;
        for (std::size_t letter = 0; letter < i % 37; ++letter)
            text += (letter + i) % 5 == 0 ? "\xC3\xA9" : std::string(1, static_cast<char>('a' + letter % 26));
        texts.push_back(text);
    }
    for (const TextCoding coding : {TextCoding::Bytes, TextCoding::Utf8, TextCoding::LegacyCodePage}) {
        {
            FileSerializer out(path);
            out.setTextCoding(coding);
            for (const std::string& text : texts)
                out.writeString(text);
            out.close();
        }
        FileDeSerializer in(path);
        in.setTextCoding(coding);
        std::string gathered;
        for (std::size_t i = 0; i < texts.size(); ++i) {
            if (i % 2 == 0)
                ASSERT_EQ(in.readString(), texts[i]) << i;
            else {
                gathered = "kept";
                in.appendString(gathered);
                ASSERT_EQ(gathered, "kept" + texts[i]) << i;
            }
        }
        EXPECT_EQ(in.getBytesLeft(), 0u);
    }
}
