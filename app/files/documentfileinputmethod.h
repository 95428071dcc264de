#pragma once

#include "fileinputmethod.h"

class DocumentFileInputMethod : public FileInputMethod {
public:
    StudyList read(const std::string& path) override;
};
