#pragma once

#include "fileinputmethod.h"
#include "textimporter.h"

// Imports a text file (TextImporter) into a new untitled, modified study list, so that saving it
// asks for a name and never writes over the text file. Besides the Win::IO errors of reading the
// file, the import may refuse it with TextImporter::Error.
class TextFileInputMethod : public FileInputMethod {
public:
    // What the choices leave open is guessed from the text.
    explicit TextFileInputMethod(ImportChoices choices = {}) : _importer(std::move(choices)) {}

    StudyList read(const std::string& path) override;
    // The same, telling the hook how far it has come; when the hook says stop, ImportCancelled is thrown.
    StudyList read(const std::string& path, const ImportProgressHook& hook);
    // What the first rows of the file would become (TextImporter::readFirstRows), reading no more than
    // its first bytes, so that a preview of any file is quick.
    StudyList readFirstRows(const std::string& path, int rows);
    const ImportLayout& getLayout() const { return _importer.getLayout(); }
    const TextImportReport& getReport() const { return _importer.getReport(); }

private:
    TextImporter _importer;
};
