#include "textdecoder.h"

#include "WinLib/io/legacycodepage.h"
#include "WinLib/io/utf8.h"

#include <algorithm>
#include <optional>
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

// ASCII text in UTF-16 without a byte-order mark: zero bytes at one parity of the first bytes and
// none at the other. Characters whose low byte is zero are rare enough to allow a few.
std::optional<TextEncoding> guessUtf16(std::string_view bytes) {
    constexpr std::size_t Sample = 64 * 1024;
    const std::size_t pairs = std::min(bytes.size(), Sample) / 2;
    std::size_t zeros[2] = {0, 0};
    for (std::size_t i = 0; i < 2 * pairs; ++i)
        zeros[i % 2] += bytes[i] == '\0' ? 1 : 0;
    for (int high = 0; high < 2; ++high) {
        if (pairs >= 2 && 2 * zeros[high] > pairs && 100 * zeros[1 - high] <= pairs)
            return high == 0 ? TextEncoding::Utf16BigEndian : TextEncoding::Utf16LittleEndian;
    }
    return std::nullopt;
}

} // namespace

TextUtf8Check checkUtf8(std::string_view bytes) {
    return {Utf8::isValid(bytes), !Utf8::isAscii(bytes)};
}

std::size_t byteOrderMarkSize(std::string_view bytes, TextEncoding encoding) {
    const std::string_view mark = encoding == TextEncoding::Utf8                ? Utf8Mark
                                  : encoding == TextEncoding::Utf16LittleEndian ? Utf16LittleEndianMark
                                  : encoding == TextEncoding::Utf16BigEndian    ? Utf16BigEndianMark
                                                                                : std::string_view();
    return !mark.empty() && bytes.starts_with(mark) ? mark.size() : 0;
}

TextEncoding detectEncoding(std::string_view bytes) {
    if (bytes.starts_with(Utf8Mark))
        return TextEncoding::Utf8;
    if (bytes.starts_with(Utf16LittleEndianMark))
        return TextEncoding::Utf16LittleEndian;
    if (bytes.starts_with(Utf16BigEndianMark))
        return TextEncoding::Utf16BigEndian;
    if (const std::optional<TextEncoding> utf16 = guessUtf16(bytes))
        return *utf16;
    return !Utf8::isAscii(bytes) && Utf8::isValid(bytes) ? TextEncoding::Utf8 : TextEncoding::Windows1252;
}

DecodedText decodeText(std::string bytes) {
    const TextEncoding encoding = detectEncoding(bytes);
    const std::size_t mark = byteOrderMarkSize(bytes, encoding);
    return decodeText(std::move(bytes), encoding, mark);
}

DecodedText decodeText(std::string bytes, TextEncoding encoding, std::size_t start) {
    DecodedText decoded;
    decoded.text = std::move(bytes);
    decoded.encoding = encoding;
    switch (encoding) {
    case TextEncoding::Utf8:
        repairUtf8(decoded, start);
        break;
    case TextEncoding::Utf16LittleEndian:
        decodeUtf16(decoded, start, false);
        break;
    case TextEncoding::Utf16BigEndian:
        decodeUtf16(decoded, start, true);
        break;
    case TextEncoding::Windows1252:
        decoded.text.erase(0, start);
        Win::IO::LegacyCodePage::convertToUtf8(decoded.text, 0);
        break;
    }
    return decoded;
}
