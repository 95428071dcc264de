#pragma once
#include <windows.h>

#include <atomic>
#include <functional>

// Runs one dialog template of the executable's resources with a procedure that does nothing but end the
// dialog on OK and Cancel (and so Enter and Escape) with their id, so that tests can check a template as the
// dialog manager makes it, without the program's controllers.
class TemplateDialog {
public:
    // Called on the dialog's thread for every message (WM_INITDIALOG included).
    using Handler = std::function<void(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)>;

    explicit TemplateDialog(int templateId, Handler handler = {});
    TemplateDialog(const TemplateDialog&) = delete;
    TemplateDialog& operator=(const TemplateDialog&) = delete;

    INT_PTR run(HWND owner = nullptr);      // -1 when the template could not be made into a dialog
    HWND window() const { return _window; } // once the dialog has been made

private:
    static INT_PTR CALLBACK procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

    int _templateId;
    Handler _handler;
    std::atomic<HWND> _window = nullptr;
};
