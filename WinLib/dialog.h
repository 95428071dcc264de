#pragma once

#include "controller.h"

#include <windows.h>

namespace Dialog {

// The behaviour of one modal dialog. DialogProcedure decodes the messages and calls the handlers; a
// handler returns true when it handled the message. The controller lives in the frame of the code that
// runs the dialog; it is attached on WM_INITDIALOG.
class Controller {
public:
    Controller() = default;
    Controller(const Controller&) = delete;
    Controller& operator=(const Controller&) = delete;
    virtual ~Controller();

    virtual void onInitDialog();
    // The title bar's close button (and Alt+F4): ends the dialog with 0.
    virtual bool onClose();
    // Buttons and other controls. IDOK and IDCANCEL do nothing unless handled here.
    virtual bool onCommand(int controlId, int notifyCode);
    virtual bool onNeedText(int controlId, char (&textBuffer)[Win::NeedTextSize]);
    virtual bool onNotify(NMHDR& header);
    virtual bool onTimer(unsigned timerId);
    // A dialog with a sizing border: width and height are the new client size.
    virtual bool onSize(int width, int height);
    // How small the user may make a dialog with a sizing border.
    virtual bool onGetMinMaxInfo(MINMAXINFO& info);
    // An owner-drawn control asks to be drawn.
    virtual bool onDrawItem(int controlId, DRAWITEMSTRUCT& item);
    virtual void endOk() = 0;
    virtual void endCancel() = 0;

    HWND getWindow() const { return _h; }

private:
    friend INT_PTR CALLBACK DialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    HWND _h = nullptr;
};

class ModalController : public Controller {
public:
    void endOk() override;     // the dialog run returns 1
    void endCancel() override; // the dialog run returns 0
};

// The procedure of every dialog. It lets no exception through: a handler's exception ends the dialog
// and is thrown on by run.
INT_PTR CALLBACK DialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Runs the dialog template templateId modally, owned by parent, with the parent's instance (the
// program's when there is no parent). Returns the value given to EndDialog, or -1 when the dialog could
// not be made. An exception thrown inside the dialog is thrown on from here, after the dialog has ended.
INT_PTR run(HWND parent, int templateId, Controller& controller);

} // namespace Dialog
