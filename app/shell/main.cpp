#include "helpfile.h"
#include "topcontroller.h"
#include "windowplacementstore.h"

#include "WinLib/assertion.h"
#include "WinLib/classmaker.h"
#include "WinLib/exception.h"
#include "WinLib/io/platformfiles.h"
#include "WinLib/maker.h"
#include "WinLib/messageloop.h"
#include "WinLib/resstring.h"
#include "resources/resource.h"

#include <windows.h>

#include <string>

namespace {

const char* const WindowClassName = "Lorvant Window Class";

// The owner of the error box once the main window exists.
HWND mainWindow = nullptr;

// The command line is one path; Explorer puts it in quotes when it has blanks.
std::string commandLinePath(const char* commandLine) {
    std::string path(commandLine != nullptr ? commandLine : "");
    if (!path.empty() && path.front() == '"')
        path.erase(0, 1);
    if (!path.empty() && path.back() == '"')
        path.pop_back();
    return path;
}

int showFatalError(HINSTANCE instance, const char* message) {
    char caption[Win::ResString::MaxLength] = "";
    ::LoadStringA(instance, IDS_ERROR_CAPTION, caption, sizeof(caption));
    ::MessageBoxA(mainWindow, message, caption, MB_OK | MB_ICONERROR);
    return -1;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand) {
    // Every text of the program is UTF-8, which the manifest asks the system for. A system that ignores the
    // request would garble every word beyond its own code page, on screen and in the files saved.
    if (::GetACP() != CP_UTF8) {
        char message[Win::ResString::MaxLength] = "";
        ::LoadStringA(instance, IDS_NEEDS_UTF8_WINDOWS, message, sizeof(message));
        return showFatalError(instance, message);
    }
    try {
        Win::ClassMaker classMaker(WindowClassName, instance);
        classMaker.setResIcons(IDI_LORVANT);
        classMaker.Register();
        Win::Maker maker(WindowClassName, instance);
        TopController controller;
        mainWindow = maker.create(controller, Win::ResString(instance, IDS_PROGRAM_NAME));
        // Where the user left it; the first time where the system puts new windows.
        if (const auto placement = loadWindowPlacement())
            Win::showWindowAt(mainWindow, *placement, showCommand);
        else {
            controller.sizeForFirstRun();
            ::ShowWindow(mainWindow, showCommand);
        }
        const std::string path = commandLinePath(commandLine);
        // A relative name would point elsewhere once a file dialog has changed the current folder, or
        // when the recent documents are opened from another run.
        if (!path.empty())
            controller.openStartupDocument(Win::IO::PlatformFiles::getFullPath(path));
        Win::MessageLoop loop;
        loop.setKbdAccelerator(mainWindow, controller.getAccelerators());
        loop.setPreTranslator(&HelpFile::preTranslateMessage);
        return loop.run();
    } catch (const Win::Exception& error) {
        return showFatalError(instance, error.getMessage());
    } catch (const Win::AssertionFailure& failure) {
        return showFatalError(instance, failure.what());
    } catch (...) {
        char message[Win::ResString::MaxLength] = "";
        ::LoadStringA(instance, IDS_UNKNOWN_ERROR, message, sizeof(message));
        return showFatalError(instance, message);
    }
}
