#pragma once

#include "WinLib/io/exceptions.h"

#include <ostream>
#include <string>

class StudyList;

// Thrown, before anything is written, by an export whose target is the exported document's own file.
class ExportOverDocumentException : public Win::IO::FileOpenException {
public:
    ExportOverDocumentException() : FileOpenException("Export target is the document") {}
};

// Writes a study list as text for other programs; nothing is ever read back.
class Exporter {
public:
    explicit Exporter(const StudyList& studyList) : _studyList(studyList) {}
    Exporter(const Exporter&) = delete;
    Exporter& operator=(const Exporter&) = delete;
    virtual ~Exporter() = default;

    virtual void exportTo(std::ostream& out) const = 0;

    // Exports into the file at path, created or truncated, writing the text as it is made;
    // ExportOverDocumentException when path is the study list's own file, FileOpenException (empty
    // message) when it cannot be opened, IOException ("File write failed") when writing fails.
    void exportToFile(const std::string& path) const;

protected:
    const StudyList& _studyList;
};
