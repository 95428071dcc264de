#include "documentfileoutputmethod.h"

#include "documentsignature.h"

#include "app/model/lorvant.h"

#include "WinLib/io/fileserializer.h"
#include "WinLib/io/platformfiles.h"

namespace {

void removeTempFile(const std::string& tempPath) {
    // The backup may carry the old file's read-only attribute.
    Win::IO::PlatformFiles::setNormalAttributes(tempPath);
    Win::IO::PlatformFiles::deleteFile(tempPath);
}

} // namespace

void DocumentFileOutputMethod::write(const std::string& path) {
    namespace Files = Win::IO::PlatformFiles;
    const std::string tempPath = Files::createTempFile(Files::getFolder(path));
    const bool wasModified = _studyList.isModified();
    bool backedUp = false;
    try {
        backedUp = Files::copyFile(path, tempPath);
        Win::IO::FileSerializer out(path);
        out.writeInt(DocumentSignature);
        _studyList.serialize(out);
        out.flush();
        out.close();
        _studyList.setFileName(path);
    } catch (...) {
        // The changes are not on disk, so the list must still count as modified.
        if (wasModified)
            _studyList.setModified();
        if (backedUp)
            Files::copyFile(tempPath, path);
        removeTempFile(tempPath);
        throw;
    }
    removeTempFile(tempPath);
}
