#include "WinLib/io/legacycodepage.h"
#include "WinLib/io/utf8.h"
#include "WinLib/io/windows1252.h"

#include <gtest/gtest.h>

using namespace Win::IO;

TEST(Utf8, EncodesAndDecodesEveryLengthAndRefusesMalformedBytes) {
    for (const char32_t codePoint : {U'a', U'é', U'Ж', U'日', U'😀', U'\U0010FFFF'}) {
        std::string bytes;
        Utf8::append(bytes, codePoint);
        const Utf8::Character character = Utf8::decode(bytes);
        EXPECT_EQ(character.codePoint, codePoint);
        EXPECT_EQ(character.length, bytes.size());
        EXPECT_TRUE(Utf8::isValid(bytes + "x" + bytes));
    }
    // Overlong, surrogate, beyond U+10FFFF, cut short, a lone continuation byte.
    for (const std::string bad :
         {"\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE6\x97", "\x80"}) {
        EXPECT_EQ(Utf8::decode(bad).length, 0u) << testing::PrintToString(bad);
        EXPECT_FALSE(Utf8::isValid("ok" + bad));
    }
    EXPECT_TRUE(Utf8::isAscii("plain\t\r\n"));
    EXPECT_FALSE(Utf8::isAscii("caf\xC3\xA9"));
}

TEST(Utf8, TruncatingNeverCutsACharacter) {
    const std::string text = "a\xC3\xA9\xE6\x97\xA5\xF0\x9F\x98\x80"; // a é 日 😀
    const std::size_t whole[] = {0, 1, 1, 3, 3, 3, 6, 6, 6, 6, 10};
    for (std::size_t limit = 0; limit <= text.size(); ++limit)
        EXPECT_EQ(Utf8::truncate(text, limit), text.substr(0, whole[limit])) << limit;
    EXPECT_EQ(Utf8::truncate(text, 100), text);
}

TEST(LegacyCodePage, ConvertsEveryByteOfWindows1252BothWays) {
    std::string everyByte;
    for (int byte = 0; byte < 256; ++byte)
        everyByte.push_back(static_cast<char>(byte));
    const std::string utf8 = LegacyCodePage::toUtf8(everyByte);
    EXPECT_TRUE(Utf8::isValid(utf8));
    EXPECT_EQ(LegacyCodePage::fromUtf8(utf8), everyByte);
    EXPECT_EQ(LegacyCodePage::toUtf8("caf\xE9 \x80 \x9E"), "caf\xC3\xA9 \xE2\x82\xAC \xC5\xBE");
    EXPECT_TRUE(LegacyCodePage::fits("na\xC3\xAFve \xE2\x82\xAC"));
}

TEST(LegacyCodePage, TextBeyondTheCodePageDoesNotFit) {
    for (const char* text :
         {"\xC5\x81\xC3\xB3\x64\xC5\xBA", "\xCF\x83", "\xE6\x97\xA5", "\xF0\x9F\x98\x80", "\xC3"}) {
        EXPECT_FALSE(LegacyCodePage::fits(std::string("abc ") + text)) << text;
        EXPECT_EQ(LegacyCodePage::fromUtf8(text), std::nullopt);
    }
}

// The fast conversions use tables of their own; each must agree with the code page for every byte and
// for every character up to U+2FFF, where the code page's characters lie, and a few beyond.
TEST(LegacyCodePage, AgreesWithWindows1252ForEveryByteAndCharacter) {
    for (int byte = 0; byte < 256; ++byte) {
        const std::string legacy(1, static_cast<char>(byte));
        std::string utf8;
        Utf8::append(utf8, Windows1252::toUnicode(static_cast<unsigned char>(byte)));
        const std::string mixed = "ab" + legacy + "cdefghij" + legacy;
        ASSERT_EQ(LegacyCodePage::toUtf8(mixed), "ab" + utf8 + "cdefghij" + utf8) << byte;
        std::string inPlace = "kept\xE9" + mixed;
        LegacyCodePage::convertToUtf8(inPlace, 5);
        ASSERT_EQ(inPlace, "kept\xE9" + LegacyCodePage::toUtf8(mixed)) << byte;
    }
    for (char32_t character = 0; character < 0x3000; ++character) {
        if (character >= 0xD800 && character <= 0xDFFF)
            continue;
        std::string utf8;
        Utf8::append(utf8, character);
        const int byte = Windows1252::fromUnicode(character);
        const std::optional<std::string> legacy = LegacyCodePage::fromUtf8("x" + utf8);
        if (byte < 0)
            ASSERT_EQ(legacy, std::nullopt) << static_cast<unsigned>(character);
        else
            ASSERT_EQ(legacy, "x" + std::string(1, static_cast<char>(byte)))
                << static_cast<unsigned>(character);
    }
    for (const char32_t character : {U'\u3042', U'\uFFFD', U'\U0001F600'}) {
        std::string utf8;
        Utf8::append(utf8, character);
        EXPECT_FALSE(LegacyCodePage::fits(utf8));
    }
}
