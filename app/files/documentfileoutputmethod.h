#pragma once

#include "fileoutputmethod.h"

// Saves the document, keeping a copy of the old file in a temporary file beside it until the
// new contents are safely written, and putting the old contents back when writing fails.
class DocumentFileOutputMethod : public FileOutputMethod {
public:
    using FileOutputMethod::FileOutputMethod;
    void write(const std::string& path) override;
};
