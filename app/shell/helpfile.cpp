#include "helpfile.h"

#include "htmlhelpviewer.h"

#include <utility>

namespace {

// The viewer's commands.
const UINT DisplayTopic = 0x0000;
const UINT DisplayContents = 0x0001;
const UINT CloseAllWindows = 0x0012;
const UINT PreTranslateMessage = 0x00FD;

} // namespace

HelpFile::HelpFile(HWND owner, std::string path) : _owner(owner), _path(std::move(path)) {}

std::string HelpFile::programHelpPath() {
    char program[MAX_PATH] = "";
    DWORD length = ::GetModuleFileNameA(nullptr, program, MAX_PATH);
    std::string folder(program, length);
    folder.erase(folder.find_last_of('\\') + 1);
    return folder + "Lorvant.chm";
}

void HelpFile::showContents() const {
    HtmlHelpViewer::program().call(_owner, _path.c_str(), DisplayContents, 0);
}

void HelpFile::showTopic(const char* topic) const {
    HtmlHelpViewer::program().call(_owner, _path.c_str(), DisplayTopic, reinterpret_cast<DWORD_PTR>(topic));
}

void HelpFile::closeAll() {
    // A viewer never loaded has no windows to close; loading it now would only slow the exit.
    HtmlHelpViewer& viewer = HtmlHelpViewer::program();
    if (viewer.isLoaded())
        viewer.call(nullptr, nullptr, CloseAllWindows, 0);
}

bool HelpFile::preTranslateMessage(MSG& msg) {
    // Without a loaded viewer there is no help window to take the message.
    HtmlHelpViewer& viewer = HtmlHelpViewer::program();
    return viewer.isLoaded() &&
           viewer.call(nullptr, nullptr, PreTranslateMessage, reinterpret_cast<DWORD_PTR>(&msg));
}
