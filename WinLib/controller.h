#pragma once

#include <windows.h>

#include <commctrl.h>

namespace Win {

// Length of the text array of a TTN_NEEDTEXTA notification, terminating zero included.
constexpr int NeedTextSize = 80;

// The behaviour of one window of a class made by ClassMaker. WindowProcedure decodes each message and
// calls the matching handler; a handler returns true when it handled the message, false to let the
// system's default processing have it. The controller belongs to the code that creates the window and
// must outlive it; it is attached on WM_NCCREATE and detached on WM_NCDESTROY.
class Controller {
public:
    Controller() = default;
    Controller(const Controller&) = delete;
    Controller& operator=(const Controller&) = delete;
    virtual ~Controller();

    virtual bool onCreate(CREATESTRUCTA& createStruct);
    virtual bool onClose();
    // Whatever it returns, WM_DESTROY is answered with 0 and not passed on.
    virtual bool onDestroy();
    virtual bool onActivate(int state, bool isMinimized, HWND otherWindow);
    virtual bool onFocus(HWND previousWindow);
    // width and height are the client size (0 to 65535).
    virtual bool onSize(int width, int height, int sizeFlag);
    virtual bool onPaint();
    // A menu item or an accelerator.
    virtual bool onCommand(int commandId, bool isAccelerator);
    // A notification from a child control.
    virtual bool onControl(HWND controlWindow, int controlId, int notifyCode);
    // A tooltip asks for its text (TTN_NEEDTEXTA); fromId is the tool's id, for a toolbar button its
    // command id.
    virtual bool onNeedText(HWND fromWindow, int fromId, char (&textBuffer)[NeedTextSize]);
    virtual bool onGetDispInfo(HWND fromWindow, int fromId, LVITEMA& item);
    virtual bool onColumnClick(HWND fromWindow, int fromId, int column);
    // Every other WM_NOTIFY.
    virtual bool onNotify(NMHDR& header);
    virtual bool onInitPopup(HMENU menu, int position);
    virtual bool onInitSystemPopup(HMENU menu, int position);
    // flags 0xFFFF with no menu: the menu was closed.
    virtual bool onMenuSelect(int itemId, int flags, HMENU menu);
    virtual bool onMouseMove(int x, int y, int keyFlags);
    virtual bool onKeyDown(int virtualKey, LPARAM keyData);
    // Messages from WM_USER up; result is 0 unless the handler sets it.
    virtual bool onUserMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // x and y in screen coordinates; both -1 when the menu was asked for from the keyboard.
    virtual bool onContextMenu(HWND window, int x, int y);
    // The user is logging off or the system is shutting down; setting mayEnd to false refuses it.
    virtual bool onQueryEndSession(bool& mayEnd);
    // The session ends (ending) or goes on after all. When it ends, the system may end the program once this
    // returns, without closing or destroying its windows.
    virtual bool onEndSession(bool ending);
    // The window moved to a screen of another resolution (dots per inch); suggested is the place, in screen
    // coordinates, that keeps it the same size to the eye.
    virtual bool onDpiChanged(int dpi, const RECT& suggested);

    HWND getWindow() const { return _h; }

private:
    friend LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND _h = nullptr;
};

// The procedure of every class made by ClassMaker. It lets no exception through: a handler's exception
// is parked in PendingException and the message loop is asked to end.
LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace Win
