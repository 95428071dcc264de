#include "tests/scripteduser/pngfile.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>

namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t crc32(const std::uint8_t* data, std::size_t size) {
    static const auto table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            t[n] = n;
            for (int k = 0; k < 8; ++k)
                t[n] = (t[n] & 1) ? 0xEDB88320u ^ (t[n] >> 1) : t[n] >> 1;
        }
        return t;
    }();
    std::uint32_t crc = ~0u;
    for (std::size_t i = 0; i < size; ++i)
        crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

void appendBigEndian(Bytes& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void appendChunk(Bytes& file, const char* type, const Bytes& data) {
    appendBigEndian(file, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeAt = file.size();
    file.insert(file.end(), type, type + 4);
    file.insert(file.end(), data.begin(), data.end());
    appendBigEndian(file, crc32(file.data() + typeAt, file.size() - typeAt));
}

// A zlib stream of stored blocks: no compression, so no compressor is needed.
Bytes zlibStored(const Bytes& raw) {
    Bytes out{0x78, 0x01};
    std::size_t at = 0;
    do {
        const std::size_t size = std::min<std::size_t>(65535, raw.size() - at);
        out.insert(out.end(), {at + size == raw.size(), std::uint8_t(size), std::uint8_t(size >> 8),
                               std::uint8_t(~size), std::uint8_t(~size >> 8)});
        out.insert(out.end(), raw.begin() + at, raw.begin() + at + size);
        at += size;
    } while (at < raw.size());
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    appendBigEndian(out, (b << 16) | a);
    return out;
}

} // namespace

bool writePngFile(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgb) {
    const std::size_t rowSize = static_cast<std::size_t>(width) * 3;
    if (width <= 0 || height <= 0 || rgb.size() != rowSize * height)
        return false;
    Bytes raw;
    raw.reserve((rowSize + 1) * height);
    for (auto row = rgb.begin(); row != rgb.end(); row += static_cast<std::ptrdiff_t>(rowSize)) {
        raw.push_back(0); // no filter
        raw.insert(raw.end(), row, row + static_cast<std::ptrdiff_t>(rowSize));
    }
    Bytes header;
    appendBigEndian(header, static_cast<std::uint32_t>(width));
    appendBigEndian(header, static_cast<std::uint32_t>(height));
    header.insert(header.end(), {8, 2, 0, 0, 0}); // 8 bits, RGB, deflate, no filter method, not interlaced
    Bytes file{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    appendChunk(file, "IHDR", header);
    appendChunk(file, "IDAT", zlibStored(raw));
    appendChunk(file, "IEND", {});
    std::unique_ptr<std::FILE, decltype(&std::fclose)> out(std::fopen(path.c_str(), "wb"), &std::fclose);
    return out && std::fwrite(file.data(), 1, file.size(), out.get()) == file.size() &&
           std::fflush(out.get()) == 0;
}
