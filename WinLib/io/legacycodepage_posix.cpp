#include "legacycodepage.h"

#include "singlebytecodepage.h"
#include "windows1252.h"

// Systems without an ANSI code page read and write windows-1252, the one the program ran in.
namespace Win::IO::LegacyCodePage {

namespace {

const SingleByteCodePage& windows1252() {
    static const SingleByteCodePage codePage(Windows1252::toUnicode, Windows1252::fromUnicode);
    return codePage;
}

} // namespace

const char* charsetName() {
    return "windows-1252";
}

void appendUtf8(std::string& out, std::string_view legacy) {
    windows1252().appendUtf8(out, legacy);
}

void convertToUtf8(std::string& text, std::size_t begin) {
    windows1252().convertToUtf8(text, begin);
}

bool appendLegacy(std::string& out, std::string_view utf8) {
    return windows1252().appendLegacy(out, utf8);
}

} // namespace Win::IO::LegacyCodePage
