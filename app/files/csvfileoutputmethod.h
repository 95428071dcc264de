#pragma once

#include "fileoutputmethod.h"

// Writes the tab-delimited table; leaves the file name and modified flag alone.
class CSVFileOutputMethod : public FileOutputMethod {
public:
    using FileOutputMethod::FileOutputMethod;
    void write(const std::string& path) override;
};
