#include "exporter.h"

#include "WinLib/io/fileserializer.h"

#include <sstream>

void Exporter::exportToFile(const std::string& path) const {
    Win::IO::FileSerializer out(path, "");
    std::ostringstream text;
    exportTo(text);
    const std::string bytes = std::move(text).str();
    out.write(bytes.data(), bytes.size());
    out.flush();
    out.close();
}
