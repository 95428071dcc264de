#pragma once

#include <windows.h>

#include <commdlg.h>

#include <cstring>
#include <string>
#include <vector>

namespace Win {

// The system's Open dialog with a list of (description, pattern) filters. It points the dialog at its
// own buffers, so it stays where it was made.
class FileDlg {
public:
    static constexpr int PathSize = 512;

    explicit FileDlg(HWND owner);
    FileDlg(const FileDlg&) = delete;
    FileDlg& operator=(const FileDlg&) = delete;
    virtual ~FileDlg() = default;

    void addFilter(const char* description, const char* pattern);
    // At most 3 characters, without the dot; added to a typed name that has no extension.
    void setDefaultExt(const char* extension);
    // True when the user chose a file; false when the dialog was cancelled or failed.
    bool showOpen();
    std::string getPath() const { return std::string(_path, ::strnlen(_path, PathSize)); }
    // The 1-based number of the filter selected when the dialog closed, in the order of addFilter.
    int getFilterIndex() const { return static_cast<int>(_ofn.nFilterIndex); }

protected:
    void buildFilter();

    char _path[PathSize] = "";
    char _defExt[4] = "";
    std::vector<char> _filter;
    std::vector<std::string> _filtPatterns;
    std::vector<std::string> _filtDescriptions;
    OPENFILENAMEA _ofn;
};

// The system's Save As dialog, which asks before overwriting a file.
class SaveFileDlg : public FileDlg {
public:
    explicit SaveFileDlg(HWND owner);

    bool showSave();
};

} // namespace Win
