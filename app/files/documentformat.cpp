#include "documentformat.h"

#include "documentsignature.h"

#include "WinLib/io/exceptions.h"
#include "WinLib/io/serializer.h"

namespace DocumentFormat {

namespace {

void writeVersion2(StudyList& studyList, Win::IO::Serializer& out) {
    out.setTextCoding(Win::IO::TextCoding::Utf8);
    out.writeInt(DocumentSignatureV2);
    studyList.serialize(out);
    DocumentSections::write(studyList, out);
}

} // namespace

StudyList read(Win::IO::DeSerializer& in) {
    const std::int32_t signature = in.readInt();
    if (!isDocumentSignature(signature))
        throw Win::IO::DataCorruptionException("");
    const bool version2 = signature == DocumentSignatureV2;
    in.setTextCoding(version2 ? Win::IO::TextCoding::Utf8 : Win::IO::TextCoding::LegacyCodePage);
    StudyList studyList;
    studyList.deserialize(in);
    if (version2)
        DocumentSections::read(studyList, in);
    return studyList;
}

void write(StudyList& studyList, const std::function<Win::IO::Serializer&()>& begin) {
    if (DocumentSections::anyToWrite(studyList)) {
        writeVersion2(studyList, begin());
        return;
    }
    // Most lists fit, so they are written once; whether one fits shows only on the way.
    try {
        Win::IO::Serializer& out = begin();
        out.setTextCoding(Win::IO::TextCoding::LegacyCodePage);
        out.writeInt(DocumentSignatureV1);
        studyList.serialize(out);
    } catch (const Win::IO::TextDoesNotFitException&) {
        writeVersion2(studyList, begin());
    }
}

} // namespace DocumentFormat
