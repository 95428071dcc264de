// The system's old code page converts through tables made once; they must agree with the system's own
// converter for every byte and for every character of the basic plane.
#include "WinLib/io/legacycodepage.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

UINT systemCodePage() {
    DWORD value = 0;
    GetLocaleInfoEx(LOCALE_NAME_SYSTEM_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                    reinterpret_cast<LPWSTR>(&value), sizeof value / sizeof(WCHAR));
    return value == 0 ? 1252u : value;
}

std::string utf8Of(const std::wstring& wide) {
    std::string utf8(wide.size() * 3, '\0');
    utf8.resize(static_cast<std::size_t>(
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(),
                            static_cast<int>(utf8.size()), nullptr, nullptr)));
    return utf8;
}

} // namespace

TEST(LegacyCodePage, AgreesWithTheSystemsConverter) {
    const UINT codePage = systemCodePage();
    CPINFO info{};
    ASSERT_TRUE(GetCPInfo(codePage, &info));
    if (info.MaxCharSize != 1)
        GTEST_SKIP() << "the system's code page has two bytes a character";
    for (int value = 0x80; value < 0x100; ++value) {
        const char byte = static_cast<char>(value);
        WCHAR wide = 0;
        ASSERT_EQ(MultiByteToWideChar(codePage, 0, &byte, 1, &wide, 1), 1);
        // Among ASCII, in a word of its own and at the end.
        const std::string legacy = "ab" + std::string(1, byte) + "cdefghijklm" + std::string(1, byte);
        const std::string utf8 =
            utf8Of(L"ab" + std::wstring(1, wide) + L"cdefghijklm" + std::wstring(1, wide));
        ASSERT_EQ(Win::IO::LegacyCodePage::toUtf8(legacy), utf8) << value;
        ASSERT_EQ(Win::IO::LegacyCodePage::fromUtf8(utf8), legacy) << value;
    }
    for (unsigned character = 0x80; character < 0x10000; ++character) {
        if (character >= 0xD800 && character <= 0xDFFF)
            continue;
        const auto wide = static_cast<WCHAR>(character);
        char byte = 0;
        BOOL usedDefault = FALSE;
        const bool hasByte = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, &wide, 1, &byte, 1, nullptr,
                                                 &usedDefault) == 1 &&
                             !usedDefault;
        WCHAR back = 0;
        const bool fits =
            hasByte && MultiByteToWideChar(codePage, 0, &byte, 1, &back, 1) == 1 && back == wide;
        ASSERT_EQ(Win::IO::LegacyCodePage::fits("x" + utf8Of(std::wstring(1, wide))), fits) << character;
    }
}
