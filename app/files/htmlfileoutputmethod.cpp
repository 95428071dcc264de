#include "htmlfileoutputmethod.h"

#include "htmlexporter.h"

void HtmlFileOutputMethod::write(const std::string& path) {
    HtmlExporter(_studyList).exportToFile(path);
}
