#pragma once

#include <windows.h>

#include <string>

// The program's help file, shown by the HTML Help viewer on behalf of an owner window. Without a viewer on
// the system every help action quietly does nothing.
class HelpFile {
public:
    HelpFile(HWND owner, std::string path);

    // "Lorvant.chm" in the folder of the running program, wherever it was started from.
    static std::string programHelpPath();

    void showContents() const;
    // topic names a page inside the help file, e.g. "gettingstarted.htm".
    void showTopic(const char* topic) const;
    // Closes every help window the program opened.
    static void closeAll();
    // Gives an open help window the keys and other messages meant for it before the program's loop
    // handles them; true when the help viewer took the message.
    static bool preTranslateMessage(MSG& msg);

private:
    HWND _owner;
    std::string _path;
};
