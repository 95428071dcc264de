#pragma once

#include "fileoutputmethod.h"

#include <array>
#include <memory>
#include <string>

class StudyList;

// One entry of a file dialog's type list.
struct FileType {
    const char* description;
    const char* pattern;
    // Makes the writer for this type; null for types that are only read.
    std::unique_ptr<FileOutputMethod> (*makeOutputMethod)(StudyList& studyList);
};

// Save As types, picked by the dialog's 1-based type index.
extern const std::array<FileType, 5> SaveAsFileTypes;
// Open types: documents, text files to import, any file.
extern const std::array<FileType, 3> OpenFileTypes;
// The Open type whose files are imported as text, as the dialog's 1-based type index.
inline constexpr int TextOpenFileType = 2;
// A name the Text files type shows: .txt, .csv or .tsv in any letter case.
bool hasTextFileExtension(const std::string& path);
// Both dialogs append it to a name typed without extension.
inline constexpr const char* DefaultExtension = "lvd";
