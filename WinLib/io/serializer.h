#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace Win::IO {

// How strings are stored: as they are; as UTF-8, which a reader checks; or in the legacy code page,
// converted from and to the program's UTF-8.
enum class TextCoding { Bytes, Utf8, LegacyCodePage };

// Typed binary writer: integers are 4 bytes little-endian, booleans 4-byte markers,
// strings a 0xC5 marker, a 4-byte length and the bytes.
class Serializer {
public:
    Serializer() = default;
    Serializer(const Serializer&) = delete;
    Serializer& operator=(const Serializer&) = delete;
    virtual ~Serializer() = default;

    virtual void write(const void* data, std::size_t size) = 0;

    void writeInt(std::int32_t value);
    void writeBool(bool value);
    // In the legacy code page, throws TextDoesNotFitException for a text the code page cannot hold.
    void writeString(std::string_view text);

    void setTextCoding(TextCoding coding) { _textCoding = coding; }

protected:
    // Room at hand, which the typed writes fill without a call of write: a document holds millions of
    // small values. A writer that buffers points these at its free space and moves _next past what it
    // takes in.
    char* _next = nullptr;
    char* _end = nullptr;

private:
    TextCoding _textCoding = TextCoding::Bytes;
    std::string _converted; // a text in the legacy code page, on its way out
};

// Typed binary reader matching Serializer. Knows how many bytes are left, so that readers can
// refuse a length or count the rest of the data cannot hold before allocating anything for it.
class DeSerializer {
public:
    DeSerializer() = default;
    DeSerializer(const DeSerializer&) = delete;
    DeSerializer& operator=(const DeSerializer&) = delete;
    virtual ~DeSerializer() = default;

    virtual void read(void* buffer, std::size_t size) = 0;
    virtual std::uint64_t getBytesLeft() const = 0;

    std::int32_t readInt();
    bool readBool();
    // As UTF-8, a string that is no UTF-8 is DataCorruptionException ("Data corruption in file").
    std::string readString();
    // Reads a string onto the end of text: a reader that gathers many strings in one buffer
    // allocates nothing per string.
    void appendString(std::string& text);
    // size bytes as they are; EOFException when fewer are left.
    std::string readBytes(std::size_t size);

    void setTextCoding(TextCoding coding) { _textCoding = coding; }

    // Throws DataCorruptionException ("Data corruption") for a negative count or one whose
    // elements, each at least minBytesEach long, cannot fit in the bytes left.
    void checkCount(std::int32_t count, std::uint64_t minBytesEach) const;

protected:
    // The bytes at hand, which the typed reads take without a call of read: a document holds millions
    // of small values. A reader that keeps its bytes in memory points these at them and moves _next
    // past what read takes.
    const char* _next = nullptr;
    const char* _end = nullptr;

private:
    void take(void* buffer, std::size_t size);
    void decodeText(std::string& text, std::size_t begin) const;

    TextCoding _textCoding = TextCoding::Bytes;
};

inline constexpr std::uint32_t TrueMarker = 0xBABEFAB7u;
inline constexpr std::uint32_t FalseMarker = 0xBADDAD12u;
inline constexpr unsigned char StringMarker = 0xC5;
// Bytes an encoded empty string takes: the marker and the length.
inline constexpr std::uint64_t MinStringBytes = 5;

} // namespace Win::IO
