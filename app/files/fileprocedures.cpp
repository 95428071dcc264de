#include "fileprocedures.h"

#include "documentfileinputmethod.h"
#include "exporter.h"
#include "filetypes.h"

#include "WinLib/filedlg.h"
#include "WinLib/io/exceptions.h"
#include "WinLib/resstring.h"
#include "app/model/lorvant.h"
#include "app/shell/refreshmessages.h"
#include "resources/resource.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace {

HINSTANCE programInstance() {
    return ::GetModuleHandleA(nullptr);
}

// The string table text with %s filled in.
std::string format(int formatId, const std::string& argument) {
    const Win::ResString formatText(programInstance(), formatId);
    std::vector<char> text(std::strlen(formatText) + argument.size() + 1);
    std::snprintf(text.data(), text.size(), formatText, argument.c_str());
    return text.data();
}

} // namespace

FileProcedures::FileProcedures(StudyList& studyList, HWND mainWindow)
    : _studyList(studyList), _mainWindow(mainWindow) {}

bool FileProcedures::querySaveChanges() {
    if (!_studyList.isModified())
        return true;
    const std::string& fileName = _studyList.getFileName();
    const std::string question = format(
        IDS_SAVE_CHANGES,
        fileName.empty() ? std::string(Win::ResString(programInstance(), IDS_NEW_STUDY_LIST)) : fileName);
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
    return open(dialog.getPath());
}

void FileProcedures::showFileError(int messageId, const std::string& path) {
    const std::string text = std::string(Win::ResString(programInstance(), messageId)) + "\n" + path;
    ::MessageBoxA(_mainWindow, text.c_str(), Win::ResString(programInstance(), IDS_ERROR_CAPTION),
                  MB_OK | MB_ICONSTOP);
}

void FileProcedures::renewTitle() {
    ::SendMessageA(_mainWindow, FileNameChangedMessage, 0, 0);
}
