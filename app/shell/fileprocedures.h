#pragma once

#include <windows.h>

#include <string>

class StudyList;

// Opening and saving the program's document with the file dialogs and the user's messages. Made by a
// command for one operation; the main window owns every dialog and message box.
class FileProcedures {
public:
    FileProcedures(StudyList& studyList, HWND mainWindow);

    // Offers to save a modified document before it is discarded. True when the caller may go on: the
    // document was unmodified or has been saved, or the user chose not to save it.
    bool querySaveChanges();
    // Saves under path, or under a name and type chosen in the Save As dialog when path is empty. True when
    // a file was written; failures are reported to the user.
    bool save(const std::string& path);
    // Replaces the document with the one in the file at path. True on success; failures are reported to the
    // user and leave the document as it was.
    bool open(const std::string& path);
    // openFile with a path chosen in the Open dialog; false when the dialog is cancelled.
    bool openWithDialog();
    // open for a document, importText for a text file: one chosen as text (the Open dialog's Text files
    // type) or named as one (.txt, .csv, .tsv) that lacks the document signature. True on success.
    bool openFile(const std::string& path, bool chosenAsText = false);
    // Replaces the document with a new untitled, modified one made from the text file at path, as the user
    // lays it out in the "Import Text File" dialog, and shows what the import changed, if anything. A long
    // import shows its progress and may be cancelled. True on success; a cancelled or refused import leaves
    // the document as it was.
    bool importText(const std::string& path);
    void showFileError(int messageId, const std::string& path);

private:
    void showError(const std::string& text);
    void renewTitle();

    StudyList& _studyList;
    HWND _mainWindow;
};
