#include "documentfileinputmethod.h"

#include "documentformat.h"

#include "WinLib/io/fileserializer.h"

StudyList DocumentFileInputMethod::read(const std::string& path) {
    Win::IO::FileDeSerializer in(path);
    StudyList studyList = DocumentFormat::read(in);
    studyList.setFileName(path);
    return studyList;
}
