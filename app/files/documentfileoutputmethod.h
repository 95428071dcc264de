#pragma once

#include "fileoutputmethod.h"

// Saves the document: the new contents are written completely to a temporary file beside it and
// then take its place in one step, so that the file holds either the old document or the new one,
// whatever fails and whenever the program is stopped.
class DocumentFileOutputMethod : public FileOutputMethod {
public:
    using FileOutputMethod::FileOutputMethod;
    void write(const std::string& path) override;
};
