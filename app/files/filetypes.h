#pragma once

#include "fileoutputmethod.h"

#include <array>
#include <memory>

class StudyList;

// One entry of a file dialog's type list.
struct FileType {
    const char* description;
    const char* pattern;
    // Makes the writer for this type; null for types that are only read.
    std::unique_ptr<FileOutputMethod> (*makeOutputMethod)(StudyList& studyList);
};

// Save As types, picked by the dialog's 1-based type index.
extern const std::array<FileType, 4> SaveAsFileTypes;
// Open types; whatever is chosen, the file is read as a document.
extern const std::array<FileType, 2> OpenFileTypes;
// Both dialogs append it to a name typed without extension.
inline constexpr const char* DefaultExtension = "lvd";
