#include "csvfileoutputmethod.h"

#include "csvexporter.h"

void CSVFileOutputMethod::write(const std::string& path) {
    CSVExporter(_studyList).exportToFile(path);
}
