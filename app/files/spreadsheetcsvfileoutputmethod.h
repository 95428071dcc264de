#pragma once

#include "fileoutputmethod.h"

// Writes the comma-separated table for spreadsheets; leaves the file name and modified flag alone.
class SpreadsheetCSVFileOutputMethod : public FileOutputMethod {
public:
    using FileOutputMethod::FileOutputMethod;
    void write(const std::string& path) override;
};
