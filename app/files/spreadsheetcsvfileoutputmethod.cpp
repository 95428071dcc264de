#include "spreadsheetcsvfileoutputmethod.h"

#include "spreadsheetcsvexporter.h"

void SpreadsheetCSVFileOutputMethod::write(const std::string& path) {
    SpreadsheetCSVExporter(_studyList).exportToFile(path);
}
