#include "documentfileoutputmethod.h"

#include "documentformat.h"

#include "app/model/lorvant.h"

#include "WinLib/io/exceptions.h"
#include "WinLib/io/fileserializer.h"
#include "WinLib/io/platformfiles.h"

#include <optional>

namespace Files = Win::IO::PlatformFiles;

void DocumentFileOutputMethod::write(const std::string& path) {
    // Through a symbolic link the file it leads to is saved, and the link stays.
    const std::string document = Files::resolveLinks(path);
    // Refused before anything is written, as the old file would refuse to be overwritten.
    if (!Files::isReplaceable(document))
        throw Win::IO::FileOpenException("Couldn't open file for writing");
    Files::removeStaleTempFiles(document);
    Files::TempFile temp(document);
    const bool wasModified = _studyList.isModified();
    try {
        std::optional<Win::IO::FileSerializer> out;
        DocumentFormat::write(_studyList, [&]() -> Win::IO::Serializer& {
            out.reset();
            return out.emplace(temp.getPath());
        });
        out->commit();
        out->close();
        if (!temp.replaceDocument())
            throw Win::IO::FileOpenException("Couldn't replace file");
    } catch (...) {
        // The changes are not on disk, so the list must still count as modified.
        if (wasModified)
            _studyList.setModified();
        throw;
    }
    _studyList.setFileName(path);
}
