#include "fileprocedures.h"

#include "app/files/documentfileinputmethod.h"
#include "app/files/documentsignature.h"
#include "app/files/exporter.h"
#include "app/files/filetypes.h"
#include "app/files/textfileinputmethod.h"
#include "app/shell/importmessages.h"
#include "app/shell/importtextdlg.h"

#include "WinLib/filedlg.h"
#include "WinLib/io/exceptions.h"
#include "WinLib/io/fileserializer.h"
#include "WinLib/progressdlg.h"
#include "WinLib/resstring.h"
#include "app/model/lorvant.h"
#include "app/shell/refreshmessages.h"
#include "resources/resource.h"

#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

namespace {

HINSTANCE programInstance() {
    return ::GetModuleHandleA(nullptr);
}

// A document saved under a text file's name still opens as a document.
bool isDocumentFile(const std::string& path) {
    try {
        Win::IO::FileDeSerializer in(path);
        return in.getBytesLeft() >= 4 && isDocumentSignature(in.readInt());
    } catch (const Win::SimpleException&) {
        return false;
    }
}

std::string describeReport(const TextImportReport& report, const std::string& path) {
    return format(IDS_IMPORT_RESULT, report.itemCount, path.c_str()) + "\n" + describeTallies(report);
}

} // namespace

FileProcedures::FileProcedures(StudyList& studyList, HWND mainWindow)
    : _studyList(studyList), _mainWindow(mainWindow) {}

bool FileProcedures::querySaveChanges() {
    if (!_studyList.isModified())
        return true;
    const std::string& fileName = _studyList.getFileName();
    const std::string question =
        format(IDS_SAVE_CHANGES, fileName.empty() ? loadText(IDS_NEW_STUDY_LIST).c_str() : fileName.c_str());
    switch (::MessageBoxA(_mainWindow, question.c_str(), Win::ResString(programInstance(), IDS_PROGRAM_NAME),
                          MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES:
        // Exporting to another file type writes a file but leaves the document itself unsaved.
        return save(fileName) && !_studyList.isModified();
    case IDNO:
        return true;
    default:
        return false;
    }
}

bool FileProcedures::save(const std::string& path) {
    const FileType* type = &SaveAsFileTypes.front();
    std::string target = path;
    if (target.empty()) {
        Win::SaveFileDlg dialog(_mainWindow);
        for (const FileType& saveAsType : SaveAsFileTypes)
            dialog.addFilter(saveAsType.description, saveAsType.pattern);
        dialog.setDefaultExt(DefaultExtension);
        if (!dialog.showSave())
            return false;
        target = dialog.getPath();
        const int typeIndex = dialog.getFilterIndex();
        if (typeIndex >= 1 && typeIndex <= static_cast<int>(SaveAsFileTypes.size()))
            type = &SaveAsFileTypes[static_cast<std::size_t>(typeIndex - 1)];
    }
    std::unique_ptr<FileOutputMethod> writer = type->makeOutputMethod(_studyList);
    if (!writer)
        return false;
    bool saved = false;
    try {
        writer->write(target);
        saved = true;
    } catch (const ExportOverDocumentException&) {
        showFileError(IDS_EXPORT_OVER_DOCUMENT, target);
    } catch (const Win::IO::FileOpenException&) {
        showFileError(IDS_CANNOT_SAVE, target);
    } catch (...) {
        showFileError(IDS_SAVE_FAILED, target);
    }
    renewTitle();
    return saved;
}

bool FileProcedures::open(const std::string& path) {
    try {
        _studyList = DocumentFileInputMethod().read(path);
    } catch (const Win::IO::FileOpenException&) {
        showFileError(IDS_CANNOT_OPEN, path);
        return false;
    } catch (...) {
        showFileError(IDS_NOT_A_DOCUMENT, path);
        return false;
    }
    _studyList.addRecentDoc(path);
    renewTitle();
    return true;
}

bool FileProcedures::openWithDialog() {
    Win::FileDlg dialog(_mainWindow);
    for (const FileType& openType : OpenFileTypes)
        dialog.addFilter(openType.description, openType.pattern);
    dialog.setDefaultExt(DefaultExtension);
    if (!dialog.showOpen())
        return false;
    return openFile(dialog.getPath(), dialog.getFilterIndex() == TextOpenFileType);
}

bool FileProcedures::openFile(const std::string& path, bool chosenAsText) {
    if ((chosenAsText || hasTextFileExtension(path)) && !isDocumentFile(path))
        return importText(path);
    return open(path);
}

bool FileProcedures::importText(const std::string& path) {
    std::optional<TextFileInputMethod> reader;
    try {
        ImportTextDlg dialog(path, HelpFile(_mainWindow, HelpFile::programHelpPath()));
        if (Dialog::run(_mainWindow, IDD_IMPORT_TEXT, dialog) != 1)
            return false;
        reader.emplace(dialog.getChoices());
        // The document is replaced only once the whole import has succeeded.
        std::optional<StudyList> imported;
        Win::runWithProgress(
            _mainWindow, {IDD_IMPORT_PROGRESS, IDC_IMPORT_PROGRESS_BAR, IDC_IMPORT_PROGRESS_FILE}, path,
            [&reader, &imported, &path](Win::WorkProgress& progress) {
                imported = reader->read(path, [&progress](std::uint64_t done, std::uint64_t total) {
                    return progress.report(done, total);
                });
            });
        _studyList = std::move(*imported);
    } catch (const ImportCancelled&) {
        return false;
    } catch (const TextImporter::Error& error) {
        showError(loadText(IDS_IMPORT_REFUSED) + "\n" + describeRefusal(error) + "\n" + path);
        return false;
    } catch (...) {
        showFileError(IDS_CANNOT_OPEN, path);
        return false;
    }
    renewTitle();
    if (reader->getReport().changedAnything())
        ::MessageBoxA(_mainWindow, describeReport(reader->getReport(), path).c_str(),
                      Win::ResString(programInstance(), IDS_PROGRAM_NAME), MB_OK | MB_ICONINFORMATION);
    return true;
}

void FileProcedures::showFileError(int messageId, const std::string& path) {
    showError(loadText(messageId) + "\n" + path);
}

void FileProcedures::showError(const std::string& text) {
    ::MessageBoxA(_mainWindow, text.c_str(), Win::ResString(programInstance(), IDS_ERROR_CAPTION),
                  MB_OK | MB_ICONSTOP);
}

void FileProcedures::renewTitle() {
    ::SendMessageA(_mainWindow, FileNameChangedMessage, 0, 0);
}
