#include "topcontroller.h"

#include "acceleratortemplate.h"
#include "commandtable.h"
#include "helpfile.h"
#include "recentmenu.h"
#include "refreshmessages.h"
#include "windowplacementstore.h"

#include "WinLib/dpi.h"
#include "WinLib/resstring.h"
#include "WinLib/windowplacement.h"
#include "app/shell/fileprocedures.h"
#include "resources/resource.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// Posted to show the selection once the list has reported all of a change.
constexpr UINT ShowSelectionMessage = WM_USER + 5;
// Posted to keep the column widths once the list has applied a new one.
constexpr UINT SaveColumnWidthsMessage = WM_USER + 6;

// The header's notifications that the list passes on when the user has resized a column; which of them come
// depends on the system's list control.
bool isColumnResized(UINT code) {
    switch (code) {
    case HDN_ITEMCHANGEDA:
    case HDN_ITEMCHANGEDW:
    case HDN_ENDTRACKA:
    case HDN_ENDTRACKW:
    case HDN_DIVIDERDBLCLICKA:
    case HDN_DIVIDERDBLCLICKW:
        return true;
    default:
        return false;
    }
}

} // namespace

TopController::TopController() = default;

TopController::~TopController() = default;

bool TopController::onCreate(CREATESTRUCTA&) {
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS |
                                                      ICC_PROGRESS_CLASS};
    ::InitCommonControlsEx(&classes);
    const HWND window = getWindow();
    _commander = std::make_unique<Commander>(window, _document);
    _cmdVector = std::make_unique<Cmd::VectorExec<Commander>>(CommandTable, _commander.get());
    _accelerators = std::make_unique<Win::AcceleratorTable>(AcceleratorTemplate, *_cmdVector);
    _view = std::make_unique<MainView>(window, *_cmdVector, _document);
    _view->createChildren(window);
    _view->attachMenu(window);
    _view->showCounts();
    _view->showReviewCounts();
    loadRecentDocs(_document);
    return true;
}

void TopController::sizeForFirstRun() {
    // The system's size for new windows does not follow the screen's resolution.
    constexpr int SmallestWidth = 640, SmallestHeight = 480;
    const HWND window = getWindow();
    const Win::Dpi dpi = Win::Dpi::of(window);
    RECT place{}, client{};
    ::GetWindowRect(window, &place);
    ::GetClientRect(window, &client);
    const int frameWidth = place.right - place.left - client.right;
    const int width = std::max<int>(
        {place.right - place.left, dpi.scale(SmallestWidth), _view->getToolbarWidth() + frameWidth});
    const int height = std::max<int>(place.bottom - place.top, dpi.scale(SmallestHeight));
    const RECT fitted = Win::fittedOnScreen({place.left, place.top, place.left + width, place.top + height});
    ::SetWindowPos(window, nullptr, fitted.left, fitted.top, fitted.right - fitted.left,
                   fitted.bottom - fitted.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TopController::openStartupDocument(const std::string& path) {
    FileProcedures(_document, getWindow()).openFile(path);
    ::SendMessageA(getWindow(), DocumentReplacedMessage, 0, 0);
}

bool TopController::onClose() {
    // Not handled means the system destroys the window.
    return !FileProcedures(_document, getWindow()).querySaveChanges();
}

bool TopController::onQueryEndSession(bool& mayEnd) {
    // Ending the session ends the program without closing its window first.
    mayEnd = FileProcedures(_document, getWindow()).querySaveChanges();
    return true;
}

bool TopController::onEndSession(bool ending) {
    // The window will not be destroyed.
    if (ending)
        saveRunState();
    return true;
}

bool TopController::onDestroy() {
    HelpFile::closeAll();
    saveRunState();
    ::PostQuitMessage(0);
    return true;
}

void TopController::saveRunState() {
    saveRecentDocs(_document);
    saveWindowPlacement(Win::getWindowPlacement(getWindow()));
}

bool TopController::onFocus(HWND) {
    _view->focusList();
    return true;
}

bool TopController::onSize(int width, int height, int) {
    _view->layout(width, height);
    return true;
}

bool TopController::onCommand(int commandId, bool isAccelerator) {
    if (isAccelerator && _cmdVector->test(commandId) == Cmd::DISABLED)
        return true;
    _cmdVector->execute(commandId);
    return true;
}

bool TopController::onControl(HWND controlWindow, int controlId, int) {
    if (_view->isToolbar(controlWindow))
        return onCommand(controlId, false);
    return true;
}

bool TopController::onNeedText(HWND fromWindow, int fromId, char (&textBuffer)[Win::NeedTextSize]) {
    if (!_view->isToolbarTips(fromWindow))
        return false;
    ::lstrcpynA(textBuffer, _cmdVector->getHelp(fromId), Win::NeedTextSize);
    return true;
}

bool TopController::onGetDispInfo(HWND fromWindow, int, LVITEMA& item) {
    if (!_view->isList(fromWindow))
        return false;
    _view->getDispInfo(item);
    return true;
}

bool TopController::onColumnClick(HWND fromWindow, int, int column) {
    if (!_view->isList(fromWindow))
        return false;
    _view->sortBy(column);
    return true;
}

bool TopController::onNotify(NMHDR& header) {
    if (_view->isList(header.hwndFrom))
        return onListNotify(header);
    if (isColumnResized(header.code) && _view->isListHeader(header.hwndFrom)) {
        ::PostMessageA(getWindow(), SaveColumnWidthsMessage, 0, 0);
        return true;
    }
    return false;
}

bool TopController::onListNotify(NMHDR& header) {
    switch (header.code) {
    case LVN_ITEMCHANGED: {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if (change.uChanged & LVIF_STATE)
            selectionChanged(change.iItem, change.iItem, change.uOldState, change.uNewState);
        return true;
    }
    case LVN_ODSTATECHANGED: {
        const auto& change = reinterpret_cast<const NMLVODSTATECHANGE&>(header);
        selectionChanged(change.iFrom, change.iTo, change.uOldState, change.uNewState);
        return true;
    }
    case NM_DBLCLK:
        if (_cmdVector->test("Term_Edit") != Cmd::DISABLED) {
            _view->releaseListRedraw();
            _cmdVector->execute(_cmdVector->cmdToId("Term_Edit"));
        }
        return true;
    default:
        return false;
    }
}

void TopController::selectionChanged(int first, int last, UINT oldState, UINT newState) {
    if (!_view->changeSelection(first, last, oldState, newState) || _selectionShowPending)
        return;
    _selectionShowPending = true;
    ::PostMessageA(getWindow(), ShowSelectionMessage, 0, 0);
}

bool TopController::onInitPopup(HMENU menu, int) {
    _view->initPopup(menu);
    return true;
}

bool TopController::onMenuSelect(int itemId, int flags, HMENU menu) {
    if (flags == 0xFFFF && menu == nullptr) {
        _view->showCounts();
        return true;
    }
    if (flags & (MF_POPUP | MF_SEPARATOR | MF_SYSMENU))
        return false;
    _view->showHelpText(_cmdVector->getHelp(itemId));
    return true;
}

bool TopController::onUserMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case DocumentReplacedMessage:
        _view->showDocument();
        return true;
    case ItemsChangedMessage:
        _view->showItems();
        return true;
    case SelectAllMessage:
        _view->selectAll();
        return true;
    case ReviewSettingsChangedMessage:
        _view->showReviewCounts();
        return true;
    case FileNameChangedMessage:
        setTitle();
        return true;
    case SelectRowsMessage:
        _view->selectRows(*reinterpret_cast<const std::vector<int>*>(lParam));
        return true;
    case FocusedRowQuery:
        result = _view->getFocusedRow();
        return true;
    case ShowSelectionMessage:
        _selectionShowPending = false;
        _view->showSelection();
        return true;
    case SaveColumnWidthsMessage:
        _view->saveColumnWidths();
        return true;
    default:
        return false;
    }
}

bool TopController::onContextMenu(HWND window, int x, int y) {
    if (!_view->isList(window))
        return false;
    _view->showItemMenu(getWindow(), x, y);
    return true;
}

bool TopController::onDpiChanged(int dpi, const RECT& suggested) {
    ::SetWindowPos(getWindow(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    _view->changeResolution(getWindow(), Win::Dpi(dpi));
    return true;
}

void TopController::setTitle() {
    std::string title(Win::ResString(::GetModuleHandleA(nullptr), IDS_PROGRAM_NAME));
    if (!_document.getFileName().empty())
        title += " - " + _document.getFileName();
    ::SetWindowTextA(getWindow(), title.c_str());
}
