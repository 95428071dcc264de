#pragma once
#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <vector>

// Runs one dialog template of the executable's resources with a procedure that does nothing but record what
// the dialog's controls report, so that tests can check a template and the dialog manager's handling of it
// without the program's controllers. OK and Cancel (and so Enter and Escape) end the dialog with their id.
class TemplateDialog {
public:
    struct Command {
        int id;
        int code;
    };
    // Called on the dialog's thread for every message before it is recorded (WM_INITDIALOG included).
    using Handler = std::function<void(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)>;

    explicit TemplateDialog(int templateId, Handler handler = {});
    TemplateDialog(const TemplateDialog&) = delete;
    TemplateDialog& operator=(const TemplateDialog&) = delete;

    INT_PTR run(HWND owner = nullptr);      // -1 when the template could not be made into a dialog
    HWND window() const { return _window; } // once the dialog has been made
    std::vector<Command> commands() const;
    bool received(int id, int code) const;
    std::vector<UINT> notifications() const; // codes of WM_NOTIFY, in order

private:
    static INT_PTR CALLBACK procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

    int _templateId;
    Handler _handler;
    std::atomic<HWND> _window = nullptr;
    mutable std::mutex _lock; // the dialog's thread records, the script's thread reads
    std::vector<Command> _commands;
    std::vector<UINT> _notifications;
};
