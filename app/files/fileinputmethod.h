#pragma once

#include "app/model/lorvant.h"

#include <string>

// Reads a study list from a file; failures are Win::IO exceptions.
class FileInputMethod {
public:
    FileInputMethod() = default;
    FileInputMethod(const FileInputMethod&) = delete;
    FileInputMethod& operator=(const FileInputMethod&) = delete;
    virtual ~FileInputMethod() = default;

    virtual StudyList read(const std::string& path) = 0;
};
