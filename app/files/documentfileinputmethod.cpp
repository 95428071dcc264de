#include "documentfileinputmethod.h"

#include "documentsignature.h"

#include "WinLib/io/exceptions.h"
#include "WinLib/io/fileserializer.h"

StudyList DocumentFileInputMethod::read(const std::string& path) {
    Win::IO::FileDeSerializer in(path);
    if (in.readInt() != DocumentSignature)
        throw Win::IO::DataCorruptionException("");
    StudyList studyList;
    studyList.deserialize(in);
    studyList.setFileName(path);
    return studyList;
}
