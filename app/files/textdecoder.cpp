#include "textdecoder.h"

#include "WinLib/io/utf8.h"
#include "WinLib/io/windows1252.h"

#include <utility>

namespace {

constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view Utf16LittleEndianMark = "\xFF\xFE";
constexpr std::string_view Utf16BigEndianMark = "\xFE\xFF";

using Win::IO::Utf8::Character;

bool isUtf8WithHighBytes(std::string_view bytes) {
    bool high = false;
    for (std::size_t at = 0; at < bytes.size();) {
        if (static_cast<unsigned char>(bytes[at]) < 0x80) {
            ++at;
            continue;
        }
        const Character character = Win::IO::Utf8::decode(bytes.substr(at));
        if (character.length == 0)
            return false;
        high = true;
        at += character.length;
    }
    return high;
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
        const int byte = Win::IO::Windows1252::fromUnicode(character);
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
        const Character character = Win::IO::Utf8::decode(unread);
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

} // namespace

DecodedText decodeText(std::string bytes) {
    DecodedText decoded;
    decoded.text = std::move(bytes);
    const std::string_view text = decoded.text;
    if (text.starts_with(Utf8Mark)) {
        decoded.encoding = TextEncoding::Utf8;
        decodeUtf8(decoded, Utf8Mark.size());
    } else if (text.starts_with(Utf16LittleEndianMark)) {
        decoded.encoding = TextEncoding::Utf16LittleEndian;
        decodeUtf16(decoded, Utf16LittleEndianMark.size(), false);
    } else if (text.starts_with(Utf16BigEndianMark)) {
        decoded.encoding = TextEncoding::Utf16BigEndian;
        decodeUtf16(decoded, Utf16BigEndianMark.size(), true);
    } else if (isUtf8WithHighBytes(text)) {
        decoded.encoding = TextEncoding::Utf8;
        decodeUtf8(decoded, 0);
    }
    return decoded;
}
