#include "fileserializer.h"

#include "exceptions.h"
#include "platformfiles.h"

#include <algorithm>
#include <cstring>

namespace Win::IO {

namespace {

constexpr std::size_t BufferSize = 1 << 16;

} // namespace

FileSerializer::FileSerializer(const std::string& path, const char* openFailure)
    : _file(PlatformFiles::openForWriting(path)) {
    if (_file == nullptr)
        throw FileOpenException(openFailure);
    _buffer.resize(BufferSize);
    _next = _buffer.data();
    _end = _buffer.data() + _buffer.size();
}

FileSerializer::~FileSerializer() {
    if (_file == nullptr)
        return;
    // Nobody is left to hear of an error here; owners that care call close().
    PlatformFiles::writeBlock(_file, _buffer.data(), static_cast<std::size_t>(_next - _buffer.data()));
    PlatformFiles::closeFile(_file);
}

void FileSerializer::write(const void* data, std::size_t size) {
    if (_file == nullptr)
        throw IOException("File write failed");
    if (size > static_cast<std::size_t>(_end - _next)) {
        writeBuffer();
        if (size >= _buffer.size()) {
            if (!PlatformFiles::writeBlock(_file, data, size))
                throw IOException("File write failed");
            return;
        }
    }
    if (size != 0)
        std::memcpy(_next, data, size);
    _next += size;
}

void FileSerializer::writeBuffer() {
    const auto used = static_cast<std::size_t>(_next - _buffer.data());
    _next = _buffer.data();
    if (used != 0 && !PlatformFiles::writeBlock(_file, _buffer.data(), used))
        throw IOException("File write failed");
}

void FileSerializer::flush() {
    if (_file == nullptr)
        throw IOException("File write failed");
    writeBuffer();
}

void FileSerializer::commit() {
    flush();
    if (!PlatformFiles::commitFile(_file))
        throw IOException("File write failed");
}

void FileSerializer::close() {
    if (_file == nullptr)
        return;
    std::FILE* file = _file;
    _file = nullptr;
    const auto used = static_cast<std::size_t>(_next - _buffer.data());
    // Nothing more goes into the buffer, not even through the typed writes.
    _next = _end = nullptr;
    const bool written = used == 0 || PlatformFiles::writeBlock(file, _buffer.data(), used);
    // Buffered data the system could not store shows only now; a save must not count as done.
    if (!PlatformFiles::closeFile(file) || !written)
        throw IOException("File write failed");
}

FileDeSerializer::FileDeSerializer(const std::string& path) : _file(PlatformFiles::openForReading(path)) {
    if (_file == nullptr)
        throw FileOpenException("Couldn't open file for reading");
    _unread = PlatformFiles::getFileSize(_file);
    _buffer.resize(
        static_cast<std::size_t>(std::min<std::uint64_t>(BufferSize, std::max<std::uint64_t>(_unread, 1))));
}

FileDeSerializer::~FileDeSerializer() {
    std::fclose(_file);
}

std::uint64_t FileDeSerializer::getBytesLeft() const {
    return _unread + static_cast<std::uint64_t>(_end - _next);
}

void FileDeSerializer::read(void* buffer, std::size_t size) {
    auto* out = static_cast<char*>(buffer);
    const auto buffered = static_cast<std::size_t>(_end - _next);
    if (size <= buffered) {
        if (size != 0)
            std::memcpy(out, _next, size);
        _next += size;
        return;
    }
    if (size > getBytesLeft())
        throw EOFException("Unexpected End Of File");
    if (buffered != 0)
        std::memcpy(out, _next, buffered);
    out += buffered;
    size -= buffered;
    _next = _end = _buffer.data();
    if (size >= _buffer.size()) {
        // Large blocks go straight to their destination.
        readFile(out, size);
        return;
    }
    const auto filled = static_cast<std::size_t>(std::min<std::uint64_t>(_buffer.size(), _unread));
    readFile(_buffer.data(), filled);
    _end = _buffer.data() + filled;
    std::memcpy(out, _next, size);
    _next += size;
}

void FileDeSerializer::readFile(char* destination, std::size_t size) {
    const std::size_t got = std::fread(destination, 1, size, _file);
    _unread -= std::min<std::uint64_t>(got, _unread);
    if (got == size)
        return;
    if (std::ferror(_file) != 0)
        throw IOException("File read failed");
    // The file shrank after it was opened.
    _unread = 0;
    _next = _end = _buffer.data();
    throw EOFException("Unexpected End Of File");
}

} // namespace Win::IO
