#include "filedlg.h"

#include "assertion.h"

#include <cstring>

namespace Win {

FileDlg::FileDlg(HWND owner) : _ofn{} {
    // The full record of this platform; older, shorter sizes only matter to very old systems.
    _ofn.lStructSize = sizeof(_ofn);
    _ofn.hwndOwner = owner;
    _ofn.lpstrFile = _path;
    _ofn.nMaxFile = PathSize;
    _ofn.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
}

void FileDlg::addFilter(const char* description, const char* pattern) {
    _filtDescriptions.emplace_back(description);
    _filtPatterns.emplace_back(pattern);
}

void FileDlg::setDefaultExt(const char* extension) {
    ::strncpy(_defExt, extension, sizeof(_defExt) - 1);
    _defExt[sizeof(_defExt) - 1] = '\0';
    _ofn.lpstrDefExt = _defExt;
}

// Description, zero, pattern, zero for each filter, and one more zero after the last.
void FileDlg::buildFilter() {
    WIN_ASSERT(_filtDescriptions.size() == _filtPatterns.size(),
               "_filtDescriptions.size()==_filtPatterns.size()");
    _filter.clear();
    _ofn.lpstrFilter = nullptr;
    if (_filtDescriptions.empty())
        return;
    for (std::size_t i = 0; i < _filtDescriptions.size(); ++i) {
        _filter.insert(_filter.end(), _filtDescriptions[i].begin(), _filtDescriptions[i].end());
        _filter.push_back('\0');
        _filter.insert(_filter.end(), _filtPatterns[i].begin(), _filtPatterns[i].end());
        _filter.push_back('\0');
    }
    _filter.push_back('\0');
    _ofn.lpstrFilter = _filter.data();
}

bool FileDlg::showOpen() {
    buildFilter();
    return ::GetOpenFileNameA(&_ofn) != 0;
}

SaveFileDlg::SaveFileDlg(HWND owner) : FileDlg(owner) {
    _ofn.Flags = OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;
}

bool SaveFileDlg::showSave() {
    buildFilter();
    return ::GetSaveFileNameA(&_ofn) != 0;
}

} // namespace Win
