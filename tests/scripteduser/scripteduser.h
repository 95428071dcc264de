#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

// Real keyboard input for a key with modifiers: each modifier down, the key down and up, the modifiers up.
std::vector<INPUT> keyChordInput(const std::vector<UINT>& modifiers, UINT virtualKey);
// Real keyboard input that types a UTF-8 text, character by character, as an input method does: each UTF-16
// unit down and up.
std::vector<INPUT> typingInput(const std::string& text);

// Plays a person in front of the program. The test's thread runs a modal call (a dialog, a message box) while
// the script runs on a second thread and acts on the windows through their messages. Every action returns
// once the program has handled it (or has opened a modal window because of it); every wait has a time-out. A
// failing step throws; `play` then closes whatever is still open and throws the failure again on the test's
// thread. `play` also fails when the script ends with the modal call still running.
class ScriptedUser {
public:
    static constexpr DWORD DefaultTimeoutMs = 10000;

    template <class Modal> static auto play(Modal&& modal, const std::function<void(ScriptedUser&)>& script) {
        if constexpr (std::is_void_v<decltype(modal())>) {
            playModal(modal, script);
        } else {
            decltype(modal()) result{};
            playModal([&] { result = modal(); }, script);
            return result;
        }
    }

    ScriptedUser(const ScriptedUser&) = delete;
    ScriptedUser& operator=(const ScriptedUser&) = delete;

    // Finding windows: only visible top-level windows of this process count.
    HWND waitForWindow(const std::string& caption, DWORD timeoutMs = DefaultTimeoutMs) {
        return waitFor(caption, false, timeoutMs);
    }
    HWND waitForMessageBox(const std::string& caption, DWORD timeoutMs = DefaultTimeoutMs) {
        return waitFor(caption, true, timeoutMs);
    }
    void waitUntilGone(HWND window);
    bool isOpen(const std::string& caption);
    HWND control(HWND dialog, int id);

    // Reading what is shown.
    std::string text(HWND window);
    std::string text(HWND dialog, int id) { return text(control(dialog, id)); }
    bool isChecked(HWND dialog, int id) {
        return send(control(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    bool isEnabled(HWND dialog, int id) { return IsWindowEnabled(control(dialog, id)) != FALSE; }
    bool isVisible(HWND dialog, int id) { return IsWindowVisible(control(dialog, id)) != FALSE; }
    int focusedId(HWND dialog); // the dialog's child that holds the focus, 0 when none does
    std::vector<std::string> items(HWND dialog, int id); // lines of a list box or combo box
    std::string selectedText(HWND dialog, int id);       // of a list box or combo box, "" when none
    std::string messageBoxText(HWND box) { return text(box, 0xFFFF); }

    // Acting. A control that is hidden or disabled cannot be used, as a person could not use it.
    void click(HWND dialog, int id);
    void focus(HWND dialog, int id);
    void setText(HWND dialog, int id, const std::string& text);    // as pasting: one change notification
    void type(HWND dialog, int id, const std::string& characters); // focus, select all, one key per character
    void choose(HWND dialog, int id, const std::string& line);     // list box or combo box line, as a click
    // A key without modifiers into the focused control, so seen by the dialog manager first: VK_RETURN
    // presses the default button, VK_ESCAPE cancels.
    void pressKey(UINT virtualKey);
    void typeCharacter(char character);            // into the focused control ('1' picks mnemonic &1)
    void answerMessageBox(HWND box, int buttonId); // returns when the box is gone
    std::string answerMessageBox(const std::string& caption,
                                 int buttonId); // waits, answers, returns its text

    // Waits until the program has handled every message sent to it so far.
    void sync();
    // Runs `work` on the program's thread after the messages sent so far, and waits until it is done.
    void runOnProgramThread(std::function<void()> work);
    // Saves a picture of the window as it is on screen, `name`.png in the folder named by
    // LORVANT_SCREENSHOT_DIR, else in "screenshots" under the working folder.
    void screenshot(HWND window, const std::string& name);

    [[noreturn]] void fail(const std::string& what);

private:
    struct Task;

    explicit ScriptedUser(DWORD programThread);
    ~ScriptedUser();
    static LRESULT CALLBACK onGetMessage(int code, WPARAM removal, LPARAM message);
    static void playModal(const std::function<void()>& modal,
                          const std::function<void(ScriptedUser&)>& script);
    void closeEverything();
    LRESULT send(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void post(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND waitFor(const std::string& caption, bool messageBox, DWORD timeoutMs);
    HWND usableControl(HWND dialog, int id);
    HWND focusedWindow();
    bool modalEnded(DWORD waitMs);

    DWORD _programThread;
    std::unique_ptr<void, decltype(&CloseHandle)> _modalEnded; // set when the modal call has returned
    std::vector<std::unique_ptr<Task>> _tasks;                 // kept until no message can refer to them
    std::string _failure;
};
