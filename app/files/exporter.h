#pragma once

#include <ostream>
#include <string>

class StudyList;

// Writes a study list as text for other programs; nothing is ever read back.
class Exporter {
public:
    explicit Exporter(const StudyList& studyList) : _studyList(studyList) {}
    Exporter(const Exporter&) = delete;
    Exporter& operator=(const Exporter&) = delete;
    virtual ~Exporter() = default;

    virtual void exportTo(std::ostream& out) const = 0;

    // Exports into the file at path, created or truncated; FileOpenException (empty message)
    // when it cannot be opened, IOException ("File write failed") when writing fails.
    void exportToFile(const std::string& path) const;

protected:
    const StudyList& _studyList;
};
