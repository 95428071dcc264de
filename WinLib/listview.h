#pragma once

#include "dpi.h"
#include "maker.h"

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

namespace Win {

// The columns of a report list view.
class ListViewLayoutModel {
public:
    ListViewLayoutModel() = default;
    ListViewLayoutModel(const ListViewLayoutModel&) = delete;
    ListViewLayoutModel& operator=(const ListViewLayoutModel&) = delete;
    virtual ~ListViewLayoutModel() = default;

    virtual unsigned getColumnsCount() const = 0;
    virtual std::string getColumnTitle(unsigned column) const = 0;
    // Widths are pixels of a screen of 96 dots per inch: the width the user gave the column, else the
    // column's first width.
    virtual int getColumnWidth(unsigned column) const;
    // Called with the width the user gave the column by dragging its edge.
    virtual void setColumnWidth(unsigned column, int width) = 0;
    virtual bool hasUserWidth(unsigned column) const = 0;
    // The widest text that a cell of the column can hold, when there is one (numbers); a column whose
    // width the user has not set is made wide enough for it and for its heading.
    virtual std::string getWidestCell(unsigned column) const;
    // An LVCOLUMN fmt value.
    virtual int getColumnFormat(unsigned column) const;
};

// One row of a list view.
class ListViewItem {
public:
    ListViewItem() = default;
    ListViewItem(const ListViewItem&) = default;
    ListViewItem& operator=(const ListViewItem&) = default;
    virtual ~ListViewItem() = default;

    virtual std::string getText(unsigned column, const std::string& columnTitle) const = 0;
};

// The rows of a list view.
class ListViewDataModel {
public:
    ListViewDataModel() = default;
    ListViewDataModel(const ListViewDataModel&) = delete;
    ListViewDataModel& operator=(const ListViewDataModel&) = delete;
    virtual ~ListViewDataModel() = default;

    virtual unsigned getItemsCount() const = 0;
    // The item belongs to the model and is valid until the next call.
    virtual const ListViewItem& getItem(unsigned row) = 0;
    // The parent keeps the model's selection from the control's notifications. A large selection made by
    // the program is set in the model instead, and the control asks for it row by row, as for the texts.
    virtual bool isSelected(unsigned row) const = 0;
    // Exactly the given rows, ascending, become selected.
    virtual void setSelection(const std::vector<int>& rows) = 0;
};

// Makes a list view control with a sunken edge.
class ListViewMaker : public ChildMaker {
public:
    ListViewMaker(HWND parent, int id);

    void setReportView() { addStyle(LVS_REPORT); }
    // The control keeps no texts: it asks its parent for the cells it shows (LVN_GETDISPINFO), so that
    // filling it costs the same for ten rows as for a million.
    void setVirtual() { addStyle(LVS_OWNERDATA); }
};

// A virtual report list view shown from a layout model and a data model. The parent answers the
// control's LVN_GETDISPINFO with getDispInfo. The control is made after the wrapper and attached to it.
// Some controls redraw each row whose selection changes, one by one; so that a click or a key that
// deselects a million rows stays quick, the wrapper holds the control's drawing while it handles them.
class ListView {
public:
    ListView(ListViewLayoutModel& layoutModel, ListViewDataModel& dataModel);
    ListView(const ListView&) = delete;
    ListView& operator=(const ListView&) = delete;

    // The control must not outlive the wrapper.
    void attach(HWND window, int id);
    // The control now shows on a screen of another resolution; rebuildColumns then scales the widths.
    void setDpi(const Dpi& dpi) { _dpi = dpi; }
    HWND getWindow() const { return _window; }
    int getId() const { return _id; }
    bool isHeader(HWND window) const;

    void setFullRowSelect();
    // Also after a change of the screen's resolution, which scales the widths.
    void rebuildColumns();
    // Shows the data model's rows from the top, none selected.
    void refillItems();
    // Keeps the widths of the columns that the user has resized.
    void saveColumnWidths();
    void selectAll();
    // Selects exactly the given rows, ascending, and no other; the first of them gets the focus and is
    // scrolled into view.
    void selectRows(const std::vector<int>& rows);
    // Clears a selection that the model keeps, at once rather than through the control's visit of every
    // row, and lets the control keep the selection again. Input that replaces the selection calls it.
    void dropModelSelection();
    // Ctrl with a click or with Space takes the row into the selection or out of it and gives it the focus.
    // The control decides from its own selection, which is empty while the model keeps it: there the wrapper
    // does it instead (true).
    bool toggleHeldRow(int row);
    // Some controls deselect every row and then select the focused one without reporting it when it was
    // selected before (Space, Shift+Space: a range of that row alone); called after the control has handled
    // input, this reports the focused row where the parent's selection has it otherwise.
    void reportFocusedRow();
    bool isSelected(int row) const;
    // The row at a point of the control's client area (in a mouse message's lParam); -1 when none.
    int getRowAt(LPARAM point) const;
    // -1 when no row has the focus.
    int getFocusedRow() const;
    // Stops the control from redrawing row by row until releaseRedraw, which redraws it once. A change of
    // many rows' selection then costs no more to show than a change of one. Holds do not nest. A dialog
    // or menu that the list's input brings up releases the hold first, so that the list draws behind it.
    void holdRedraw();
    void releaseRedraw();
    bool isRedrawHeld() const { return _redrawHeld; }
    // Copies the text of the cell that the control asks for into its buffer.
    void getDispInfo(LVITEMA& item);
    // A character typed in the list: selects the next row whose first column starts with what was typed
    // within the last second, as a list that holds its own texts does.
    void findTyped(wchar_t character, DWORD time);

private:
    int fittingWidth(unsigned column, const std::string& text) const;
    bool isRow(int row) const;
    // Tells the parent of a change of a row's selection (row -1: of every row) as the control tells it.
    void reportSelection(int row, bool wasSelected, bool isSelected);

    HWND _window = nullptr;
    int _id = 0;
    ListViewLayoutModel& _layoutModel;
    ListViewDataModel& _dataModel;
    std::vector<int> _shownWidths;
    Dpi _dpi; // of the screen that shows the control
    // While columns are removed and inserted, the header's notifications describe neither the old
    // layout nor the new one.
    bool _rebuilding = false;
    bool _redrawHeld = false;
    // The control asks the model for each row's selection.
    bool _selectionInModel = false;
    std::wstring _typed;
    wchar_t _highSurrogate = 0;
    DWORD _typedTime = 0;
};

} // namespace Win
