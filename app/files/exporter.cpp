#include "exporter.h"

#include "app/model/lorvant.h"

#include "WinLib/io/fileserializer.h"
#include "WinLib/io/platformfiles.h"
#include "WinLib/io/serializerstreambuf.h"

void Exporter::exportToFile(const std::string& path) const {
    // Exporting leaves the document unsaved; over its own file it would be lost.
    if (Win::IO::PlatformFiles::isSameFile(path, _studyList.getFileName()))
        throw ExportOverDocumentException();
    Win::IO::FileSerializer file(path, "");
    Win::IO::SerializerStreamBuf buffer(file);
    std::ostream out(&buffer);
    out.exceptions(std::ios::badbit);
    exportTo(out);
    file.flush();
    file.close();
}
