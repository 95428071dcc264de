#include "textfileinputmethod.h"

#include "WinLib/io/fileserializer.h"

#include <algorithm>
#include <limits>
#include <new>
#include <utility>

namespace {

// The first bytes of the file, up to limit; whole tells whether they are all.
std::string readBytes(const std::string& path, std::uint64_t limit, bool& whole) {
    Win::IO::FileDeSerializer in(path);
    const std::uint64_t size = in.getBytesLeft();
    whole = size <= limit;
    std::string bytes;
    if (std::min(size, limit) > bytes.max_size())
        throw std::bad_alloc();
    bytes.resize(static_cast<std::size_t>(std::min(size, limit)));
    in.read(bytes.data(), bytes.size());
    return bytes;
}

} // namespace

StudyList TextFileInputMethod::read(const std::string& path) {
    return read(path, {});
}

StudyList TextFileInputMethod::read(const std::string& path, const ImportProgressHook& hook) {
    // In pieces, which the import lets go of as it makes the items.
    constexpr std::uint64_t ChunkBytes = 8 * 1024 * 1024;
    ImportProgress progress(hook);
    TextChunks chunks;
    Win::IO::FileDeSerializer in(path);
    const std::uint64_t size = in.getBytesLeft();
    for (std::uint64_t left = size; left > 0;) {
        std::string& chunk = chunks.emplace_back(static_cast<std::size_t>(std::min(left, ChunkBytes)), '\0');
        in.read(chunk.data(), chunk.size());
        left -= chunk.size();
        progress.report(ImportProgress::Pass::Reading, size - left, size);
    }
    return _importer.read(std::move(chunks), progress);
}

StudyList TextFileInputMethod::readFirstRows(const std::string& path, int rows) {
    // Enough for the layout guesses and far more rows than a preview shows.
    constexpr std::uint64_t PreviewBytes = 1024 * 1024;
    bool whole = true;
    std::string bytes = readBytes(path, PreviewBytes, whole);
    return _importer.readFirstRows(std::move(bytes), rows, whole);
}
