#include "serializer.h"

#include "exceptions.h"
#include "legacycodepage.h"
#include "utf8.h"

#include <cstring>
#include <limits>

namespace Win::IO {

namespace {

std::uint32_t decode(const char* bytes) {
    const auto byte = [&](int i) { return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])); };
    return byte(0) | byte(1) << 8 | byte(2) << 16 | byte(3) << 24;
}

void encode(char* bytes, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<char>(bits >> (8 * i));
}

} // namespace

void Serializer::writeInt(std::int32_t value) {
    if (_end - _next >= 4) {
        encode(_next, value);
        _next += 4;
        return;
    }
    char bytes[4];
    encode(bytes, value);
    write(bytes, sizeof bytes);
}

void Serializer::writeBool(bool value) {
    writeInt(static_cast<std::int32_t>(value ? TrueMarker : FalseMarker));
}

void Serializer::writeString(std::string_view text) {
    // A longer text has no encoding; failing beats writing a length that lies.
    if (text.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        throw IOException("File write failed");
    if (_textCoding == TextCoding::LegacyCodePage && !Utf8::isAscii(text)) {
        _converted.clear();
        if (!LegacyCodePage::appendLegacy(_converted, text))
            throw TextDoesNotFitException();
        text = _converted;
    }
    // Text the reader would refuse is not written: the old file stays instead.
    if (_textCoding == TextCoding::Utf8 && !Utf8::isValid(text))
        throw IOException("File write failed");
    if (static_cast<std::size_t>(_end - _next) >= MinStringBytes + text.size()) {
        *_next = static_cast<char>(StringMarker);
        encode(_next + 1, static_cast<std::int32_t>(text.size()));
        if (!text.empty())
            std::memcpy(_next + MinStringBytes, text.data(), text.size());
        _next += MinStringBytes + text.size();
        return;
    }
    write(&StringMarker, 1);
    writeInt(static_cast<std::int32_t>(text.size()));
    write(text.data(), text.size());
}

void DeSerializer::take(void* buffer, std::size_t size) {
    if (static_cast<std::size_t>(_end - _next) < size) {
        read(buffer, size);
        return;
    }
    if (size != 0)
        std::memcpy(buffer, _next, size);
    _next += size;
}

std::int32_t DeSerializer::readInt() {
    if (_end - _next >= 4) {
        const std::uint32_t value = decode(_next);
        _next += 4;
        return static_cast<std::int32_t>(value);
    }
    char bytes[4];
    read(bytes, sizeof bytes);
    return static_cast<std::int32_t>(decode(bytes));
}

bool DeSerializer::readBool() {
    const auto value = static_cast<std::uint32_t>(readInt());
    if (value == TrueMarker)
        return true;
    if (value == FalseMarker)
        return false;
    throw DataCorruptionException("Invalid data read from file");
}

std::string DeSerializer::readString() {
    std::string text;
    appendString(text);
    return text;
}

void DeSerializer::appendString(std::string& text) {
    std::int32_t length;
    if (static_cast<std::size_t>(_end - _next) >= MinStringBytes) {
        if (static_cast<unsigned char>(*_next) != StringMarker)
            throw DataCorruptionException("Data corruption in file");
        length = static_cast<std::int32_t>(decode(_next + 1));
        _next += MinStringBytes;
    } else {
        unsigned char marker;
        take(&marker, 1);
        if (marker != StringMarker)
            throw DataCorruptionException("Data corruption in file");
        length = readInt();
    }
    // Checked before the text is made, so a forged length costs no allocation.
    if (length < 0)
        throw DataCorruptionException("Data corruption in file");
    const auto size = static_cast<std::size_t>(length);
    // Bytes at hand go straight into the text. Most texts are ASCII: checked here, they are copied without a
    // call of the converter, which looks at the others.
    if (static_cast<std::size_t>(_end - _next) >= size) {
        const std::string_view bytes(_next, size);
        if (_textCoding == TextCoding::Utf8 && !Utf8::isValid(bytes))
            throw DataCorruptionException("Data corruption in file");
        if (_textCoding == TextCoding::LegacyCodePage && !Utf8::isAscii(bytes))
            LegacyCodePage::appendUtf8(text, bytes);
        else
            text.append(bytes);
        _next += size;
        return;
    }
    if (static_cast<std::uint64_t>(length) > getBytesLeft())
        throw EOFException("Unexpected End Of File");
    const std::size_t begin = text.size();
    text.resize(begin + size);
    try {
        take(text.data() + begin, size);
        decodeText(text, begin);
    } catch (...) {
        text.resize(begin);
        throw;
    }
}

void DeSerializer::decodeText(std::string& text, std::size_t begin) const {
    const std::string_view read = std::string_view(text).substr(begin);
    if (_textCoding == TextCoding::Utf8 && !Utf8::isValid(read))
        throw DataCorruptionException("Data corruption in file");
    if (_textCoding == TextCoding::LegacyCodePage)
        LegacyCodePage::convertToUtf8(text, begin);
}

std::string DeSerializer::readBytes(std::size_t size) {
    if (size > getBytesLeft())
        throw EOFException("Unexpected End Of File");
    std::string bytes(size, '\0');
    take(bytes.data(), size);
    return bytes;
}

void DeSerializer::checkCount(std::int32_t count, std::uint64_t minBytesEach) const {
    if (count < 0 || static_cast<std::uint64_t>(count) * minBytesEach > getBytesLeft())
        throw DataCorruptionException("Data corruption");
}

} // namespace Win::IO
