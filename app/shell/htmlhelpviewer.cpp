#include "htmlhelpviewer.h"

#include "WinLib/exception.h"
#include "WinLib/registrykey.h"

#include <cstring>
#include <utility>

namespace {

const int HtmlHelpAOrdinal = 14;

} // namespace

HtmlHelpViewer::HtmlHelpViewer(HKEY root, std::string serverKey, std::string libraryName)
    : _root(root), _serverKey(std::move(serverKey)), _libraryName(std::move(libraryName)) {}

HtmlHelpViewer& HtmlHelpViewer::program() {
    static HtmlHelpViewer viewer(
        HKEY_CLASSES_ROOT, "CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32", "hhctrl.ocx");
    return viewer;
}

HWND HtmlHelpViewer::call(HWND window, const char* file, UINT command, DWORD_PTR data) {
    if (_failed)
        return nullptr;
    if (_module == nullptr) {
        _module = loadRegistered();
        if (_module == nullptr)
            _module = ::LoadLibraryA(_libraryName.c_str());
        if (_module == nullptr) {
            _failed = true;
            return nullptr;
        }
    }
    if (_entry == nullptr) {
        FARPROC address = ::GetProcAddress(_module, MAKEINTRESOURCEA(HtmlHelpAOrdinal));
        if (address == nullptr) {
            _failed = true;
            return nullptr;
        }
        _entry = reinterpret_cast<Entry>(reinterpret_cast<void (*)()>(address));
    }
    return _entry(window, file, command, data);
}

std::string HtmlHelpViewer::getModulePath() const {
    if (_module == nullptr)
        return std::string();
    char path[MAX_PATH] = "";
    DWORD length = ::GetModuleFileNameA(_module, path, MAX_PATH);
    return std::string(path, length);
}

HMODULE HtmlHelpViewer::loadRegistered() const {
    char path[MAX_PATH] = "";
    DWORD size = 0;
    try {
        WinReg::Key root(_root);
        root.setReadAccess();
        WinReg::Key server = root.openSubKey(_serverKey.c_str());
        size = server.getValue("", path, sizeof path);
    } catch (const Win::Exception&) {
        return nullptr;
    }
    // The stored text need not end with its terminating zero.
    std::string library(path, ::strnlen(path, size));
    return library.empty() ? nullptr : ::LoadLibraryA(library.c_str());
}
