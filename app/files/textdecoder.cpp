#include "textdecoder.h"

#include "WinLib/io/legacycodepage.h"
#include "WinLib/io/utf8.h"

#include <utility>

namespace Utf8 = Win::IO::Utf8;

namespace {

constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view Utf16LittleEndianMark = "\xFF\xFE";
constexpr std::string_view Utf16BigEndianMark = "\xFE\xFF";

// Puts "?" for what cannot be read, and counts it with the line it is on.
class Replacements {
public:
    explicit Replacements(LineTally& tally) : _tally(tally) {}

    void replace(std::string& text) {
        if (_tally.count == 0)
            _tally.add(lineAtEnd(text));
        else
            ++_tally.count;
        text.push_back('?');
    }

private:
    // Counted as the table reader counts lines: CR LF, LF and a lone CR each end one.
    static int lineAtEnd(const std::string& text) {
        int line = 1;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')))
                ++line;
        }
        return line;
    }

    LineTally& _tally;
};

// Drops the mark; each byte of a malformed sequence becomes "?".
void repairUtf8(DecodedText& decoded, std::size_t start) {
    std::string& text = decoded.text;
    if (Utf8::isValid(std::string_view(text).substr(start))) {
        text.erase(0, start);
        return;
    }
    Replacements replacements(decoded.replacedCharacters);
    std::string repaired;
    repaired.reserve(text.size());
    std::size_t read = start;
    while (read < text.size()) {
        const Utf8::Character character = Utf8::decode(std::string_view(text).substr(read));
        if (character.length == 0) {
            replacements.replace(repaired);
            ++read;
        } else {
            repaired.append(text, read, character.length);
            read += character.length;
        }
    }
    text = std::move(repaired);
}

void decodeUtf16(DecodedText& decoded, std::size_t start, bool bigEndian) {
    const std::string_view bytes = decoded.text;
    const auto unitAt = [&](std::size_t at) -> char32_t {
        const auto first = static_cast<unsigned char>(bytes[at]);
        const auto second = static_cast<unsigned char>(bytes[at + 1]);
        return bigEndian ? (first << 8) | second : (second << 8) | first;
    };
    std::string text;
    text.reserve(bytes.size() + bytes.size() / 2);
    Replacements replacements(decoded.replacedCharacters);
    std::size_t at = start;
    for (; at + 2 <= bytes.size(); at += 2) {
        const char32_t unit = unitAt(at);
        if (unit < 0xD800 || unit > 0xDFFF) {
            Utf8::append(text, unit);
        } else if (unit <= 0xDBFF && at + 4 <= bytes.size() && unitAt(at + 2) >= 0xDC00 &&
                   unitAt(at + 2) <= 0xDFFF) {
            Utf8::append(text, 0x10000 + ((unit - 0xD800) << 10) + (unitAt(at + 2) - 0xDC00));
            at += 2;
        } else {
            replacements.replace(text);
        }
    }
    if (at < bytes.size())
        replacements.replace(text);
    decoded.text = std::move(text);
}

} // namespace

DecodedText decodeText(std::string bytes) {
    DecodedText decoded;
    decoded.text = std::move(bytes);
    const std::string_view text = decoded.text;
    if (text.starts_with(Utf8Mark)) {
        decoded.encoding = TextEncoding::Utf8;
        repairUtf8(decoded, Utf8Mark.size());
    } else if (text.starts_with(Utf16LittleEndianMark)) {
        decoded.encoding = TextEncoding::Utf16LittleEndian;
        decodeUtf16(decoded, Utf16LittleEndianMark.size(), false);
    } else if (text.starts_with(Utf16BigEndianMark)) {
        decoded.encoding = TextEncoding::Utf16BigEndian;
        decodeUtf16(decoded, Utf16BigEndianMark.size(), true);
    } else if (!Utf8::isAscii(text) && Utf8::isValid(text)) {
        decoded.encoding = TextEncoding::Utf8;
    } else {
        decoded.text = Win::IO::LegacyCodePage::toUtf8(text);
    }
    return decoded;
}
