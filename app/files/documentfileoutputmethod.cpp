#include "documentfileoutputmethod.h"

#include "documentformat.h"

#include "app/model/lorvant.h"

#include "WinLib/io/exceptions.h"
#include "WinLib/io/fileserializer.h"
#include "WinLib/io/platformfiles.h"

#include <optional>
#include <utility>

namespace {

namespace Files = Win::IO::PlatformFiles;

// The new contents on their way; removed unless they have taken the document's place.
class TempFile {
public:
    explicit TempFile(std::string path) : _path(std::move(path)) {}
    ~TempFile() {
        if (!_path.empty())
            Files::deleteFile(_path);
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    const std::string& getPath() const { return _path; }
    void release() { _path.clear(); }

private:
    std::string _path;
};

} // namespace

void DocumentFileOutputMethod::write(const std::string& path) {
    // Refused before anything is written, as the old file would refuse to be overwritten.
    if (!Files::isReplaceable(path))
        throw Win::IO::FileOpenException("Couldn't open file for writing");
    TempFile temp(Files::createTempFile(Files::getFolder(path)));
    const bool wasModified = _studyList.isModified();
    try {
        std::optional<Win::IO::FileSerializer> out;
        DocumentFormat::write(_studyList, [&]() -> Win::IO::Serializer& {
            out.reset();
            return out.emplace(temp.getPath());
        });
        out->commit();
        out->close();
        if (!Files::replaceFile(temp.getPath(), path))
            throw Win::IO::FileOpenException("Couldn't replace file");
    } catch (...) {
        // The changes are not on disk, so the list must still count as modified.
        if (wasModified)
            _studyList.setModified();
        throw;
    }
    temp.release();
    _studyList.setFileName(path);
}
