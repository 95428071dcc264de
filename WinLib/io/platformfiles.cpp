#include "platformfiles.h"

// The parts common to every system; the rest is in platformfiles_win32.cpp or platformfiles_posix.cpp.
namespace Win::IO::PlatformFiles {

namespace {

struct Injection {
    bool active = false;
    bool failClose = false;
    std::uint64_t byteLimit = 0;
    std::uint64_t written = 0;
};

Injection injection;

} // namespace

WriteFailureInjection::WriteFailureInjection(std::uint64_t byteLimit, bool failClose) {
    injection = Injection{true, failClose, byteLimit, 0};
}

WriteFailureInjection::~WriteFailureInjection() {
    injection = Injection{};
}

std::FILE* openForReading(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    // The deserializer buffers itself.
    if (file != nullptr)
        std::setvbuf(file, nullptr, _IONBF, 0);
    return file;
}

bool writeBlock(std::FILE* file, const void* data, std::size_t size) {
    if (injection.active) {
        if (size > injection.byteLimit - injection.written)
            return false;
        injection.written += size;
    }
    return std::fwrite(data, 1, size, file) == size;
}

bool closeFile(std::FILE* file) {
    const bool flushed = std::fflush(file) == 0;
    const bool closed = std::fclose(file) == 0;
    return flushed && closed && !(injection.active && injection.failClose);
}

} // namespace Win::IO::PlatformFiles
