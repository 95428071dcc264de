#include "platformfiles.h"

// The parts common to every system; the rest is in platformfiles_win32.cpp or platformfiles_posix.cpp.
namespace Win::IO::PlatformFiles {

namespace {

struct Injection {
    bool active = false;
    FailureInjection::Step step = FailureInjection::Step::Write;
    std::uint64_t byteLimit = 0;
    std::uint64_t written = 0;
};

Injection injection;

} // namespace

FailureInjection::FailureInjection(Step step, std::uint64_t byteLimit) {
    injection = Injection{true, step, byteLimit, 0};
}

FailureInjection::~FailureInjection() {
    injection = Injection{};
}

bool FailureInjection::fails(Step step) {
    return injection.active && injection.step == step;
}

std::FILE* openForReading(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    // The deserializer buffers itself.
    if (file != nullptr)
        std::setvbuf(file, nullptr, _IONBF, 0);
    return file;
}

bool writeBlock(std::FILE* file, const void* data, std::size_t size) {
    if (FailureInjection::fails(FailureInjection::Step::Write)) {
        if (size > injection.byteLimit - injection.written)
            return false;
        injection.written += size;
    }
    return std::fwrite(data, 1, size, file) == size;
}

TempFile::~TempFile() {
    releaseClaim();
    if (!_replaced)
        deleteFile(_path);
}

bool closeFile(std::FILE* file) {
    const bool flushed = std::fflush(file) == 0;
    const bool closed = std::fclose(file) == 0;
    return flushed && closed && !FailureInjection::fails(FailureInjection::Step::Close);
}

} // namespace Win::IO::PlatformFiles
