#pragma once

#include <windows.h>

#include <string>

// The system's HTML Help viewer, loaded when help is first asked for. The viewer is found through its
// registered in-process server and, failing that, by its library name; once a load has failed, help
// stays off for the run rather than searching again on every click.
class HtmlHelpViewer {
public:
    // The viewer's ANSI entry, HtmlHelpA.
    using Entry = HWND(WINAPI*)(HWND window, LPCSTR file, UINT command, DWORD_PTR data);

    // serverKey names, under root, the key whose default value is the viewer's path.
    HtmlHelpViewer(HKEY root, std::string serverKey, std::string libraryName);
    HtmlHelpViewer(const HtmlHelpViewer&) = delete;
    HtmlHelpViewer& operator=(const HtmlHelpViewer&) = delete;

    // The one viewer of the program: the system's registered HTML Help control, else "hhctrl.ocx".
    static HtmlHelpViewer& program();

    // Hands the call to the viewer; 0 when there is no viewer.
    HWND call(HWND window, const char* file, UINT command, DWORD_PTR data);

    bool isLoaded() const { return _module != nullptr; }
    bool hasFailed() const { return _failed; }
    // The path of the loaded viewer, empty while none is loaded.
    std::string getModulePath() const;

private:
    HMODULE loadRegistered() const;

    HKEY _root;
    std::string _serverKey;
    std::string _libraryName;
    // Never freed: help windows and the viewer's own threads may live until the program ends.
    HMODULE _module = nullptr;
    bool _failed = false;
    Entry _entry = nullptr;
};
