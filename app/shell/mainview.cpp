#include "mainview.h"

#include "menutemplate.h"
#include "toolbartemplate.h"

#include "WinLib/dpi.h"
#include "WinLib/exception.h"
#include "WinLib/resstring.h"
#include "WinLib/waitcursor.h"
#include "app/model/lorvant.h"
#include "app/sessions/reviewchoice.h"
#include "resources/resource.h"

#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

namespace {

HINSTANCE instanceOf(HWND window) {
    return reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(window, GWLP_HINSTANCE));
}

void showInitializationError(const std::string& text) {
    ::MessageBoxA(nullptr, text.c_str(), Win::ResString(::GetModuleHandleA(nullptr), IDS_INIT_ERROR_CAPTION),
                  MB_OK | MB_ICONEXCLAMATION);
}

} // namespace

MainView::MainView(HWND window, const Cmd::Vector& cmdVector, StudyList& document)
    : _menuBar(MenuTemplate, cmdVector), _recentMenu(document, _menuBar, cmdVector),
      _outlineModel(document.getOutline()), _dataModel(document), _listView(_outlineModel, _dataModel),
      _statusBar(window, StatusBarId), _toolbar(window, ToolbarId, ToolbarTemplate, cmdVector),
      _document(document), _statusFormat(Win::ResString(instanceOf(window), IDS_STATUS_FORMAT)),
      _reviewCountsFormat(Win::ResString(instanceOf(window), IDS_STATUS_REVIEW_COUNTS)) {}

void MainView::createChildren(HWND window) {
    const HINSTANCE instance = instanceOf(window);
    try {
        makeChildren(window);
    } catch (const Win::Exception& error) {
        const Win::ResString format(instance, IDS_INIT_ERROR_FORMAT);
        std::vector<char> text(std::strlen(format) + std::strlen(error.getMessage()) + 16);
        std::snprintf(text.data(), text.size(), format, error.getMessage(),
                      static_cast<int>(error.getError()));
        showInitializationError(text.data());
    } catch (...) {
        showInitializationError(std::string(Win::ResString(instance, IDS_INIT_UNKNOWN_ERROR)));
    }
}

void MainView::makeChildren(HWND window) {
    _toolbar.setStandardImages32(IDB_STANDARD_32);
    _toolbar.setFlat();
    _toolbar.setToolTips();
    _toolbar.addButtons();
    _toolbar.autoSize();
    _toolbar.updateButtons();

    _statusBar.create();

    Win::ListViewMaker listMaker(window, ListId);
    listMaker.setReportView();
    listMaker.setVirtual();
    listMaker.create("");
    _listView.attach(::GetDlgItem(window, ListId), ListId);
    ::SetWindowPos(_listView.getWindow(), nullptr, 0, _toolbar.getHeight(), 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    _listView.setFullRowSelect();

    _listView.rebuildColumns();
    _listView.refillItems();
}

void MainView::layout(int width, int height) {
    _statusBar.resize();
    _toolbar.autoSize();
    // The bar's whole height: the height of its part leaves out the bar's border, under which the list would
    // reach.
    RECT statusPlace{};
    ::GetWindowRect(_statusBar.getWindow(), &statusPlace);
    const int listHeight = height - (statusPlace.bottom - statusPlace.top) - _toolbar.getHeight();
    ::SetWindowPos(_listView.getWindow(), nullptr, 0, 0, width, listHeight, SWP_NOMOVE | SWP_NOZORDER);
}

void MainView::changeResolution(HWND window, const Win::Dpi& dpi) {
    // The controls took the display's font when they were made; the list's font at this resolution serves
    // the toolbar's captions and the status bar too.
    _listFont.reset(Win::createIconTitleFont(dpi));
    const WPARAM font = reinterpret_cast<WPARAM>(_listFont.get());
    _toolbar.remake(dpi);
    ::SendMessageA(_toolbar.getWindow(), WM_SETFONT, font, TRUE);
    _toolbar.autoSize();
    ::SendMessageA(_listView.getWindow(), WM_SETFONT, font, TRUE);
    ::SendMessageA(_statusBar.getWindow(), WM_SETFONT, font, TRUE);
    _listView.setDpi(dpi);
    _listView.rebuildColumns();
    ::SetWindowPos(_listView.getWindow(), nullptr, 0, _toolbar.getHeight(), 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    RECT client{};
    ::GetClientRect(window, &client);
    layout(client.right, client.bottom);
}

void MainView::focusList() const {
    ::SetFocus(_listView.getWindow());
}

bool MainView::isToolbarTips(HWND window) const {
    return window != nullptr &&
           window == reinterpret_cast<HWND>(::SendMessageA(_toolbar.getWindow(), TB_GETTOOLTIPS, 0, 0));
}

void MainView::showCounts() {
    // Room for the format and two numbers of any size.
    std::vector<char> text(_statusFormat.size() + 2 * 12);
    std::snprintf(text.data(), text.size(), _statusFormat.c_str(), _document.getTermSetCount(),
                  _document.getSelectionCount());
    _statusBar.setText(text.data());
}

void MainView::showReviewCounts() {
    const UtcTime now = static_cast<UtcTime>(std::time(nullptr));
    const ReviewChoice choice = ReviewChoice::of(_document, now, localDayStart(now));
    std::vector<char> text(_reviewCountsFormat.size() + 2 * 12);
    std::snprintf(text.data(), text.size(), _reviewCountsFormat.c_str(),
                  choice.learningCount + choice.dueCount, choice.newCount);
    _statusBar.setRightText(text.data());
}

void MainView::showHelpText(const char* helpText) {
    _statusBar.setText(helpText);
}

void MainView::showDocument() {
    _document.clearSelection();
    _listView.rebuildColumns();
    _listView.refillItems();
    updateToolbar();
    showCounts();
    showReviewCounts();
}

void MainView::showItems() {
    showRows();
    showReviewCounts();
}

void MainView::showRows() {
    _document.clearSelection();
    _listView.refillItems();
    updateToolbar();
    showCounts();
}

void MainView::selectRows(const std::vector<int>& rows) {
    // Some list controls take long to select hundreds of thousands of scattered rows.
    const Win::WaitCursor busy;
    _listView.selectRows(rows);
    showSelection();
}

void MainView::sortBy(int column) {
    _document.sort(_outlineModel.getSortKey(static_cast<unsigned>(column)));
    // The order changes which new items a review takes, not how many.
    showRows();
}

bool MainView::changeSelection(int first, int last, UINT oldState, UINT newState) {
    const bool wasSelected = (oldState & LVIS_SELECTED) != 0;
    const bool isSelected = (newState & LVIS_SELECTED) != 0;
    if (wasSelected == isSelected)
        return false;
    if (first == -1) {
        if (isSelected)
            _document.selectAll();
        else
            _document.clearSelection();
        return true;
    }
    for (int row = first; row <= last; ++row) {
        if (isSelected)
            _document.select(row);
        else
            _document.deselect(row);
    }
    return true;
}

void MainView::showSelection() {
    updateToolbar();
    showCounts();
}

void MainView::showItemMenu(HWND owner, int x, int y) {
    if (x == -1 && y == -1) {
        POINT corner{0, 0};
        ::ClientToScreen(_listView.getWindow(), &corner);
        x = corner.x;
        y = corner.y;
    }
    // The click that asks for the menu is still being handled, with the list's drawing held.
    releaseListRedraw();
    HMENU itemMenu = ::GetSubMenu(::GetMenu(owner), ItemPopupIndex);
    _menuBar.initPopup(itemMenu);
    ::TrackPopupMenu(itemMenu, TPM_RIGHTBUTTON, x, y, 0, owner, nullptr);
}
