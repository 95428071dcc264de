#pragma once

#include "fileoutputmethod.h"

// Writes the HTML page; leaves the file name and modified flag alone.
class HtmlFileOutputMethod : public FileOutputMethod {
public:
    using FileOutputMethod::FileOutputMethod;
    void write(const std::string& path) override;
};
