#pragma once

#include <string>

class StudyList;

// Writes a study list to a file in one format; failures are Win::IO exceptions.
class FileOutputMethod {
public:
    explicit FileOutputMethod(StudyList& studyList) : _studyList(studyList) {}
    FileOutputMethod(const FileOutputMethod&) = delete;
    FileOutputMethod& operator=(const FileOutputMethod&) = delete;
    virtual ~FileOutputMethod() = default;

    virtual void write(const std::string& path) = 0;

protected:
    StudyList& _studyList;
};
