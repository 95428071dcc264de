#include "textdecoder.h"

#include "windows1252.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace {

constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view Utf16LittleEndianMark = "\xFF\xFE";
constexpr std::string_view Utf16BigEndianMark = "\xFE\xFF";

// One character read from the bytes; length 0 when they hold none there.
struct Character {
    char32_t codePoint = 0;
    std::size_t length = 0;
};

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The well-formed UTF-8 sequence at the start of bytes: no overlong forms, no surrogates, nothing
// beyond U+10FFFF.
Character readUtf8(std::string_view bytes) {
    const auto lead = static_cast<unsigned char>(bytes[0]);
    if (lead < 0x80)
        return {lead, 1};
    std::size_t length;
    char32_t codePoint;
    char32_t smallest;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1F;
        smallest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0F;
        smallest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07;
        smallest = 0x10000;
    } else {
        return {};
    }
    if (bytes.size() < length)
        return {};
    for (std::size_t i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (!isContinuation(byte))
            return {};
        codePoint = (codePoint << 6) | (byte & 0x3F);
    }
    if (codePoint < smallest || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return {};
    return {codePoint, length};
}

// Converts the text in place: no encoding takes fewer bytes for a character than windows-1252, so
// the converted text never overtakes what is still to be read.
class Converter {
public:
    Converter(DecodedText& decoded, std::size_t start)
        : _text(decoded.text), _decoded(decoded), _read(start) {}
    ~Converter() { _decoded.text.resize(_written); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    std::string_view unread() const { return std::string_view(_text).substr(_read); }
    // UTF-8 keeps ASCII as it is; most text is made of it.
    void copyAscii() {
        while (_read < _text.size() && static_cast<unsigned char>(_text[_read]) < 0x80)
            _text[_written++] = _text[_read++];
    }
    void skip(std::size_t count) { _read += count; }

    void put(char32_t character) {
        const int byte = Windows1252::fromUnicode(character);
        if (byte < 0)
            replace();
        else
            _text[_written++] = static_cast<char>(byte);
    }

    void replace() {
        if (_decoded.replacedCharacters.count == 0)
            _decoded.replacedCharacters.add(currentLine());
        else
            ++_decoded.replacedCharacters.count;
        _text[_written++] = '?';
    }

private:
    // Counted as the table reader counts lines: CR LF, LF and a lone CR each end one.
    int currentLine() const {
        int line = 1;
        for (std::size_t i = 0; i < _written; ++i) {
            if (_text[i] == '\n' || (_text[i] == '\r' && (i + 1 == _written || _text[i + 1] != '\n')))
                ++line;
        }
        return line;
    }

    std::string& _text;
    DecodedText& _decoded;
    std::size_t _read;
    std::size_t _written = 0;
};

void decodeUtf8(DecodedText& decoded, std::size_t start) {
    Converter converter(decoded, start);
    for (;;) {
        converter.copyAscii();
        const std::string_view unread = converter.unread();
        if (unread.empty())
            break;
        const Character character = readUtf8(unread);
        if (character.length == 0) {
            converter.replace();
            converter.skip(1);
        } else {
            converter.put(character.codePoint);
            converter.skip(character.length);
        }
    }
}

void decodeUtf16(DecodedText& decoded, std::size_t start, bool bigEndian) {
    Converter converter(decoded, start);
    const auto unitAt = [bigEndian](std::string_view bytes, std::size_t at) -> char32_t {
        const auto first = static_cast<unsigned char>(bytes[at]);
        const auto second = static_cast<unsigned char>(bytes[at + 1]);
        return bigEndian ? (first << 8) | second : (second << 8) | first;
    };
    std::string_view unread = converter.unread();
    for (; unread.size() >= 2; unread = converter.unread()) {
        const char32_t unit = unitAt(unread, 0);
        converter.skip(2);
        if (unit < 0xD800 || unit > 0xDFFF) {
            converter.put(unit);
        } else if (unit <= 0xDBFF && unread.size() >= 4 && unitAt(unread, 2) >= 0xDC00 &&
                   unitAt(unread, 2) <= 0xDFFF) {
            // Every character beyond the basic plane is beyond the code page too.
            converter.replace();
            converter.skip(2);
        } else {
            converter.replace();
        }
    }
    if (!unread.empty())
        converter.replace();
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
    TextUtf8Check check;
    for (std::size_t at = 0; at < bytes.size();) {
        if (static_cast<unsigned char>(bytes[at]) < 0x80) {
            ++at;
            continue;
        }
        const Character character = readUtf8(bytes.substr(at));
        if (character.length == 0) {
            check.wellFormed = false;
            return check;
        }
        check.highBytes = true;
        at += character.length;
    }
    return check;
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
    const TextUtf8Check utf8 = checkUtf8(bytes);
    return utf8.wellFormed && utf8.highBytes ? TextEncoding::Utf8 : TextEncoding::Windows1252;
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
        decodeUtf8(decoded, start);
        break;
    case TextEncoding::Utf16LittleEndian:
        decodeUtf16(decoded, start, false);
        break;
    case TextEncoding::Utf16BigEndian:
        decodeUtf16(decoded, start, true);
        break;
    case TextEncoding::Windows1252:
        decoded.text.erase(0, start);
        break;
    }
    return decoded;
}
