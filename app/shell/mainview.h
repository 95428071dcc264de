#pragma once

#include "listviewmodels.h"
#include "recentmenu.h"

#include "WinLib/listview.h"
#include "WinLib/menu.h"
#include "WinLib/statusbar.h"
#include "WinLib/toolbar.h"

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <type_traits>
#include <vector>

class StudyList;

namespace Cmd {
class Vector;
}

// The children of the main window: menu bar, toolbar, the list of the document's items and the status bar,
// and what they show.
class MainView {
public:
    static constexpr int StatusBarId = 1;
    static constexpr int ListId = 2;
    static constexpr int ToolbarId = 3;

    // The menu bar and the toolbar window; the rest comes with createChildren.
    MainView(HWND window, const Cmd::Vector& cmdVector, StudyList& document);
    MainView(const MainView&) = delete;
    MainView& operator=(const MainView&) = delete;

    // The toolbar's buttons, the status bar and the list, which start talking to the window while they are
    // made. Problems with them are shown to the user, and the window goes on without what could not be made.
    void createChildren(HWND window);
    void attachMenu(HWND window) { _menuBar.attach(window); }
    // Brings a popup's items up to date before it opens.
    void initPopup(HMENU popup) { _menuBar.initPopup(popup); }
    void layout(int width, int height);
    // The window now shows on a screen of another resolution: pictures, font and column widths for it.
    void changeResolution(HWND window, const Win::Dpi& dpi);
    void focusList() const;
    bool isToolbar(HWND window) const { return window == _toolbar.getWindow(); }
    bool isToolbarTips(HWND window) const;
    int getToolbarWidth() const { return _toolbar.getButtonsWidth(); }
    bool isList(HWND window) const { return window != nullptr && window == _listView.getWindow(); }
    bool isListHeader(HWND window) const { return _listView.isHeader(window); }

    void showCounts();
    // "N due, M new today" beside the counts: counted anew only when asked, as counting looks at every item.
    void showReviewCounts();
    void showHelpText(const char* helpText);
    void updateToolbar() { _toolbar.updateButtons(); }

    // The refresh messages.
    void showDocument();
    void showItems();
    void selectAll() { _listView.selectAll(); }
    // Selects exactly these rows (ascending), focuses the first and shows it.
    void selectRows(const std::vector<int>& rows);
    int getFocusedRow() const { return _listView.getFocusedRow(); }

    void sortBy(int column);
    // Rows first to last (-1 for every row) went from oldState to newState. Returns whether the document's
    // selection changed. The list then holds its drawing until showSelection, since it may go on to report
    // the change of every other row one by one.
    bool changeSelection(int first, int last, UINT oldState, UINT newState);
    void showSelection();
    void saveColumnWidths() { _listView.saveColumnWidths(); }
    void getDispInfo(LVITEMA& item) { _listView.getDispInfo(item); }
    // The item menu at screen position x, y; (-1, -1), from the keyboard, shows it at the list's corner.
    void showItemMenu(HWND owner, int x, int y);
    // Lets the list draw again before a dialog comes up in the middle of the click that asked for it.
    void releaseListRedraw() { _listView.releaseRedraw(); }

private:
    struct DeleteFont {
        void operator()(HFONT font) const { ::DeleteObject(font); }
    };

    void makeChildren(HWND window);
    void showRows();

    Menu::BarMaker _menuBar;
    RecentMenu _recentMenu;
    StudyListOutlineModel _outlineModel;
    StudyListDataModel _dataModel;
    Win::ListView _listView;
    Win::StatusBar _statusBar;
    Win::Toolbar _toolbar;
    StudyList& _document;
    std::string _statusFormat;
    std::string _reviewCountsFormat;
    // The list's font after a change of resolution; until then the list's own.
    std::unique_ptr<std::remove_pointer_t<HFONT>, DeleteFont> _listFont;
};
