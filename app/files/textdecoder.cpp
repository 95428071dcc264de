#include "textdecoder.h"

#include "windows1252.h"

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

bool isUtf8WithHighBytes(std::string_view bytes) {
    bool high = false;
    for (std::size_t at = 0; at < bytes.size();) {
        if (static_cast<unsigned char>(bytes[at]) < 0x80) {
            ++at;
            continue;
        }
        const Character character = readUtf8(bytes.substr(at));
        if (character.length == 0)
            return false;
        high = true;
        at += character.length;
    }
    return high;
}

// Collects the converted text, counting what it had to replace.
class Writer {
public:
    explicit Writer(DecodedText& decoded, std::size_t sizeHint) : _decoded(decoded) {
        _decoded.text.reserve(sizeHint);
    }

    void put(char32_t character) {
        const int byte = Windows1252::fromUnicode(character);
        if (byte < 0)
            replace();
        else
            _decoded.text.push_back(static_cast<char>(byte));
    }

    void replace() {
        if (_decoded.replacedCharacters.count == 0)
            _decoded.replacedCharacters.add(currentLine());
        else
            ++_decoded.replacedCharacters.count;
        _decoded.text.push_back('?');
    }

private:
    // Counted as the table reader counts lines: CR LF, LF and a lone CR each end one.
    int currentLine() const {
        const std::string& text = _decoded.text;
        int line = 1;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')))
                ++line;
        }
        return line;
    }

    DecodedText& _decoded;
};

void decodeUtf8(std::string_view bytes, DecodedText& decoded) {
    Writer writer(decoded, bytes.size());
    for (std::size_t at = 0; at < bytes.size();) {
        const auto byte = static_cast<unsigned char>(bytes[at]);
        if (byte < 0x80) {
            decoded.text.push_back(static_cast<char>(byte));
            ++at;
            continue;
        }
        const Character character = readUtf8(bytes.substr(at));
        if (character.length == 0) {
            writer.replace();
            ++at;
        } else {
            writer.put(character.codePoint);
            at += character.length;
        }
    }
}

void decodeUtf16(std::string_view bytes, bool bigEndian, DecodedText& decoded) {
    Writer writer(decoded, bytes.size() / 2);
    const auto unitAt = [&](std::size_t at) -> char32_t {
        const auto first = static_cast<unsigned char>(bytes[at]);
        const auto second = static_cast<unsigned char>(bytes[at + 1]);
        return bigEndian ? (first << 8) | second : (second << 8) | first;
    };
    std::size_t at = 0;
    for (; at + 1 < bytes.size(); at += 2) {
        const char32_t unit = unitAt(at);
        if (unit < 0xD800 || unit > 0xDFFF) {
            writer.put(unit);
        } else if (unit <= 0xDBFF && at + 3 < bytes.size() && unitAt(at + 2) >= 0xDC00 &&
                   unitAt(at + 2) <= 0xDFFF) {
            // Every character beyond the basic plane is beyond the code page too.
            writer.replace();
            at += 2;
        } else {
            writer.replace();
        }
    }
    if (at < bytes.size())
        writer.replace();
}

} // namespace

DecodedText decodeText(std::string_view bytes) {
    DecodedText decoded;
    if (bytes.starts_with(Utf8Mark)) {
        decoded.encoding = TextEncoding::Utf8;
        decodeUtf8(bytes.substr(Utf8Mark.size()), decoded);
    } else if (bytes.starts_with(Utf16LittleEndianMark)) {
        decoded.encoding = TextEncoding::Utf16LittleEndian;
        decodeUtf16(bytes.substr(Utf16LittleEndianMark.size()), false, decoded);
    } else if (bytes.starts_with(Utf16BigEndianMark)) {
        decoded.encoding = TextEncoding::Utf16BigEndian;
        decodeUtf16(bytes.substr(Utf16BigEndianMark.size()), true, decoded);
    } else if (isUtf8WithHighBytes(bytes)) {
        decoded.encoding = TextEncoding::Utf8;
        decodeUtf8(bytes, decoded);
    } else {
        decoded.text.assign(bytes);
    }
    return decoded;
}
