#pragma once

#include "commander.h"
#include "mainview.h"

#include "WinLib/acceleratortable.h"
#include "WinLib/command.h"
#include "WinLib/controller.h"
#include "app/model/lorvant.h"

#include <memory>
#include <string>

// The main window: it owns the open document, the commands and the window's children, runs the commands
// that the menus, keys, toolbar and list raise, and keeps the title and the status bar current.
class TopController : public Win::Controller {
public:
    TopController();
    ~TopController() override;

    // The first run's window: the system's size, grown at a high resolution with the window's contents, up
    // to the screen's size.
    void sizeForFirstRun();
    // The file named on the command line, opened in the new window as the Open command opens it: a text
    // file is imported.
    void openStartupDocument(const std::string& path);
    HACCEL getAccelerators() const { return _accelerators->getHandle(); }

    bool onCreate(CREATESTRUCTA& createStruct) override;
    bool onClose() override;
    bool onDestroy() override;
    bool onFocus(HWND previousWindow) override;
    bool onSize(int width, int height, int sizeFlag) override;
    bool onCommand(int commandId, bool isAccelerator) override;
    bool onControl(HWND controlWindow, int controlId, int notifyCode) override;
    bool onNeedText(HWND fromWindow, int fromId, char (&textBuffer)[Win::NeedTextSize]) override;
    bool onGetDispInfo(HWND fromWindow, int fromId, LVITEMA& item) override;
    bool onColumnClick(HWND fromWindow, int fromId, int column) override;
    bool onNotify(NMHDR& header) override;
    bool onInitPopup(HMENU menu, int position) override;
    bool onMenuSelect(int itemId, int flags, HMENU menu) override;
    bool onUserMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool onContextMenu(HWND window, int x, int y) override;
    bool onQueryEndSession(bool& mayEnd) override;
    bool onEndSession(bool ending) override;
    bool onDpiChanged(int dpi, const RECT& suggested) override;

private:
    bool onListNotify(NMHDR& header);
    void selectionChanged(int first, int last, UINT oldState, UINT newState);
    void setTitle();
    // What the next run starts from: the recent documents and the window's place.
    void saveRunState();

    // Declared first: the view and the commands refer to it.
    StudyList _document;
    std::unique_ptr<MainView> _view;
    std::unique_ptr<Commander> _commander;
    std::unique_ptr<Cmd::Vector> _cmdVector;
    std::unique_ptr<Win::AcceleratorTable> _accelerators;
    // A selection change is shown once for a burst of them: the list reports a change of every row
    // separately when many rows are deselected.
    bool _selectionShowPending = false;
};
