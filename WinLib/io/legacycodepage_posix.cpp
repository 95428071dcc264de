#include "legacycodepage.h"

#include "utf8.h"
#include "windows1252.h"

// Systems without an ANSI code page read and write windows-1252, the one the program ran in.
namespace Win::IO::LegacyCodePage {

const char* charsetName() {
    return "windows-1252";
}

std::string toUtf8(std::string_view legacy) {
    if (Utf8::isAscii(legacy))
        return std::string(legacy);
    std::string text;
    text.reserve(legacy.size() + legacy.size() / 2);
    for (const char c : legacy)
        Utf8::append(text, Windows1252::toUnicode(static_cast<unsigned char>(c)));
    return text;
}

std::optional<std::string> fromUtf8(std::string_view utf8) {
    if (Utf8::isAscii(utf8))
        return std::string(utf8);
    std::string legacy;
    legacy.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        const Utf8::Character character = Utf8::decode(utf8.substr(at));
        const int byte = character.length == 0 ? -1 : Windows1252::fromUnicode(character.codePoint);
        if (byte < 0)
            return std::nullopt;
        legacy.push_back(static_cast<char>(byte));
        at += character.length;
    }
    return legacy;
}

} // namespace Win::IO::LegacyCodePage
