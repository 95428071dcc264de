#include "legacycodepage.h"

#include "singlebytecodepage.h"
#include "utf8.h"

#include <windows.h>

#include <climits>
#include <optional>

// The program runs in UTF-8 (its manifest says so), so GetACP() no longer names the code page it
// used to run in: that is the system locale's ANSI code page.
namespace Win::IO::LegacyCodePage {

namespace {

UINT legacyCodePage() {
    static const UINT codePage = [] {
        DWORD value = 0;
        const int got =
            ::GetLocaleInfoEx(LOCALE_NAME_SYSTEM_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                              reinterpret_cast<LPWSTR>(&value), sizeof value / sizeof(WCHAR));
        // A locale with no ANSI code page of its own (0) ran the program in windows-1252.
        return got == 0 || value == 0 ? 1252u : static_cast<UINT>(value);
    }();
    return codePage;
}

std::wstring toWide(UINT codePage, DWORD flags, std::string_view text) {
    if (text.empty() || text.size() > INT_MAX)
        return {};
    const int size = static_cast<int>(text.size());
    const int length = ::MultiByteToWideChar(codePage, flags, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    if (length > 0)
        ::MultiByteToWideChar(codePage, flags, text.data(), size, wide.data(), length);
    return wide;
}

// Flags as WideCharToMultiByte takes them: UTF-8 and a few other code pages refuse the default character.
std::string fromWide(UINT codePage, std::wstring_view wide, BOOL* usedDefault) {
    if (wide.empty())
        return {};
    const int size = static_cast<int>(wide.size());
    const DWORD flags = usedDefault != nullptr ? WC_NO_BEST_FIT_CHARS : 0;
    const int length =
        ::WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0, nullptr, usedDefault);
    std::string text(static_cast<std::size_t>(length), '\0');
    if (length > 0)
        ::WideCharToMultiByte(codePage, flags, wide.data(), size, text.data(), length, nullptr, usedDefault);
    return text;
}

char32_t toUnicodeBySystem(unsigned char byte) {
    const char legacy = static_cast<char>(byte);
    WCHAR wide = 0;
    return ::MultiByteToWideChar(legacyCodePage(), 0, &legacy, 1, &wide, 1) == 1 ? wide : U'\uFFFD';
}

int fromUnicodeBySystem(char32_t character) {
    if (character > 0xFFFF)
        return -1;
    const auto wide = static_cast<WCHAR>(character);
    char legacy = 0;
    BOOL usedDefault = FALSE;
    if (::WideCharToMultiByte(legacyCodePage(), WC_NO_BEST_FIT_CHARS, &wide, 1, &legacy, 1, nullptr,
                              &usedDefault) != 1 ||
        usedDefault || toUnicodeBySystem(static_cast<unsigned char>(legacy)) != character)
        return -1;
    return static_cast<unsigned char>(legacy);
}

// Tables for a code page of one byte a character, the ANSI code page of every locale but four; null for a
// code page of two (932, 936, 949, 950), converted by the system text by text.
const SingleByteCodePage* singleByte() {
    static const std::optional<SingleByteCodePage> tables = []() -> std::optional<SingleByteCodePage> {
        CPINFO info{};
        if (legacyCodePage() == CP_UTF8 || !::GetCPInfo(legacyCodePage(), &info) || info.MaxCharSize != 1)
            return std::nullopt;
        return SingleByteCodePage(toUnicodeBySystem, fromUnicodeBySystem);
    }();
    return tables ? &*tables : nullptr;
}

} // namespace

const char* charsetName() {
    switch (legacyCodePage()) {
    case 874:
        return "windows-874";
    case 932:
        return "shift_jis";
    case 936:
        return "gbk";
    case 949:
        return "euc-kr";
    case 950:
        return "big5";
    case 1250:
        return "windows-1250";
    case 1251:
        return "windows-1251";
    case 1252:
        return "windows-1252";
    case 1253:
        return "windows-1253";
    case 1254:
        return "windows-1254";
    case 1255:
        return "windows-1255";
    case 1256:
        return "windows-1256";
    case 1257:
        return "windows-1257";
    case 1258:
        return "windows-1258";
    default:
        return nullptr;
    }
}

void appendUtf8(std::string& out, std::string_view legacy) {
    if (Utf8::isAscii(legacy) || legacyCodePage() == CP_UTF8)
        out += legacy;
    else if (const SingleByteCodePage* tables = singleByte())
        tables->appendUtf8(out, legacy);
    else
        out += fromWide(CP_UTF8, toWide(legacyCodePage(), 0, legacy), nullptr);
}

void convertToUtf8(std::string& text, std::size_t begin) {
    if (const SingleByteCodePage* tables = singleByte()) {
        tables->convertToUtf8(text, begin);
        return;
    }
    const std::string legacy = text.substr(begin);
    text.resize(begin);
    appendUtf8(text, legacy);
}

bool appendLegacy(std::string& out, std::string_view utf8) {
    if (Utf8::isAscii(utf8)) {
        out += utf8;
        return true;
    }
    if (!Utf8::isValid(utf8) || utf8.size() > INT_MAX)
        return false;
    if (legacyCodePage() == CP_UTF8) {
        out += utf8;
        return true;
    }
    if (const SingleByteCodePage* tables = singleByte())
        return tables->appendLegacy(out, utf8);
    const std::wstring wide = toWide(CP_UTF8, 0, utf8);
    BOOL usedDefault = FALSE;
    const std::string legacy = fromWide(legacyCodePage(), wide, &usedDefault);
    // A character that has no byte, or one whose byte reads back as another character, does not fit.
    if (usedDefault || legacy.empty() || toWide(legacyCodePage(), 0, legacy) != wide)
        return false;
    out += legacy;
    return true;
}

} // namespace Win::IO::LegacyCodePage
