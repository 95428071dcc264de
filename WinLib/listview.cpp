#include "listview.h"

#include "io/utf8.h"
#include "pendingexception.h"
#include "widetext.h"

#include <windowsx.h>

#include <algorithm>
#include <cstring>
#include <string_view>

namespace Win {

namespace {

constexpr DWORD TypeAheadMs = 1000;
// The room that the control leaves around a cell's or a heading's text at 96 dots per inch; the first
// column also has room for a row's picture.
constexpr int TextPadding = 14;
constexpr int FirstColumnPadding = 16;
// More scattered rows than this are selected through the model.
constexpr std::size_t FewRows = 1000;

// Holds the list's drawing while work that may change the selection of every row runs, unless an outer
// piece of work holds it already. The list draws again however the work ends.
template <class Work> LRESULT withRedrawHeld(ListView& view, Work work) {
    if (view.isRedrawHeld())
        return work();
    struct Release {
        ListView& view;
        ~Release() { view.releaseRedraw(); }
    } release{view};
    view.holdRedraw();
    return work();
}

bool isDown(int key) {
    return ::GetKeyState(key) < 0;
}

// A key that moves the focus without Shift or Ctrl selects the row it moves to, and that row alone; Space
// without Ctrl selects the focused row alone, with Shift the rows from the selection mark to it.
bool replacesSelection(WPARAM key) {
    if (key == VK_SPACE)
        return !isDown(VK_CONTROL);
    switch (key) {
    case VK_UP:
    case VK_DOWN:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
        return !isDown(VK_SHIFT) && !isDown(VK_CONTROL);
    default:
        return false;
    }
}

// The input as the control handles it; after Space or a click with Shift, which may select a range of the
// focused row alone, the focused row's selection is reported where the control left it out (see
// reportFocusedRow). Only then: finding the focused row takes some controls a visit of every row.
template <class Input> LRESULT handledByControl(ListView& view, bool mayLeaveOutFocusedRow, Input input) {
    return withRedrawHeld(view, [&] {
        const LRESULT result = input();
        if (mayLeaveOutFocusedRow)
            view.reportFocusedRow();
        return result;
    });
}

// Mouse clicks and keys may change the selection of every row. The control cannot search a virtual list's
// texts for what is typed: the wrapper does.
LRESULT handleInputMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, ListView& view) {
    switch (message) {
    case WM_CHAR:
        // The control is a Unicode window: the character comes as UTF-16, a character beyond the basic
        // plane in two messages.
        if (wParam < ' ')
            break;
        return withRedrawHeld(view, [&] {
            view.findTyped(static_cast<wchar_t>(wParam), static_cast<DWORD>(::GetMessageTime()));
            return LRESULT(0);
        });
    case WM_LBUTTONDOWN:
        if (!(wParam & (MK_CONTROL | MK_SHIFT)))
            view.dropModelSelection();
        else if (!(wParam & MK_SHIFT) && view.toggleHeldRow(view.getRowAt(lParam))) {
            ::SetFocus(window);
            return 0;
        }
        return handledByControl(view, (wParam & MK_SHIFT) != 0,
                                [&] { return ::DefSubclassProc(window, message, wParam, lParam); });
    case WM_KEYDOWN:
        if (replacesSelection(wParam))
            view.dropModelSelection();
        else if (wParam == VK_SPACE && !isDown(VK_SHIFT) && view.toggleHeldRow(view.getFocusedRow()))
            return 0;
        return handledByControl(view, wParam == VK_SPACE,
                                [&] { return ::DefSubclassProc(window, message, wParam, lParam); });
    case WM_RBUTTONDOWN: {
        const int row = view.getRowAt(lParam);
        if (!(wParam & (MK_CONTROL | MK_SHIFT)) && (row < 0 || !view.isSelected(row)))
            view.dropModelSelection();
        return withRedrawHeld(view, [&] { return ::DefSubclassProc(window, message, wParam, lParam); });
    }
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONUP:
        return withRedrawHeld(view, [&] { return ::DefSubclassProc(window, message, wParam, lParam); });
    }
    return ::DefSubclassProc(window, message, wParam, lParam);
}

// Like every window procedure of the program, it lets no exception through to the system.
LRESULT CALLBACK handleInput(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                             DWORD_PTR listView) {
    if (message == WM_NCDESTROY) {
        ::RemoveWindowSubclass(window, handleInput, 0);
        return ::DefSubclassProc(window, message, wParam, lParam);
    }
    try {
        return handleInputMessage(window, message, wParam, lParam, *reinterpret_cast<ListView*>(listView));
    } catch (...) {
        PendingException::catchCurrent(true);
        return 0;
    }
}

} // namespace

int ListViewLayoutModel::getColumnWidth(unsigned) const {
    return 35;
}

std::string ListViewLayoutModel::getWidestCell(unsigned) const {
    return std::string();
}

int ListViewLayoutModel::getColumnFormat(unsigned) const {
    return LVCFMT_LEFT;
}

ListViewMaker::ListViewMaker(HWND parent, int id) : ChildMaker(WC_LISTVIEWA, parent, id) {
    _exStyle = WS_EX_CLIENTEDGE;
    _style = WS_CHILD | WS_VISIBLE;
}

ListView::ListView(ListViewLayoutModel& layoutModel, ListViewDataModel& dataModel)
    : _layoutModel(layoutModel), _dataModel(dataModel) {}

void ListView::attach(HWND window, int id) {
    _window = window;
    _id = id;
    _dpi = Dpi::of(window);
    ::SetWindowSubclass(_window, handleInput, 0, reinterpret_cast<DWORD_PTR>(this));
}

bool ListView::isHeader(HWND window) const {
    return window != nullptr &&
           window == reinterpret_cast<HWND>(::SendMessageA(_window, LVM_GETHEADER, 0, 0));
}

void ListView::setFullRowSelect() {
    ::SendMessageA(_window, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
}

void ListView::rebuildColumns() {
    _rebuilding = true;
    while (::SendMessageA(_window, LVM_DELETECOLUMN, 0, 0))
        ;
    const unsigned count = _layoutModel.getColumnsCount();
    _shownWidths.assign(count, 0);
    for (unsigned i = 0; i < count; ++i) {
        std::string title = _layoutModel.getColumnTitle(i);
        int width = _dpi.scale(_layoutModel.getColumnWidth(i));
        if (!_layoutModel.hasUserWidth(i))
            width = std::max({width, fittingWidth(i, title), fittingWidth(i, _layoutModel.getWidestCell(i))});
        LVCOLUMNA column{};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.fmt = _layoutModel.getColumnFormat(i);
        column.cx = width;
        column.pszText = title.data();
        column.iSubItem = static_cast<int>(i);
        ::SendMessageA(_window, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
        _shownWidths[i] = width;
    }
    _rebuilding = false;
}

int ListView::fittingWidth(unsigned column, const std::string& text) const {
    if (text.empty())
        return 0;
    const int textWidth = static_cast<int>(
        ::SendMessageA(_window, LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(text.c_str())));
    return textWidth + _dpi.scale(column == 0 ? FirstColumnPadding : TextPadding);
}

void ListView::refillItems() {
    dropModelSelection();
    // Deleting the rows also forgets the control's selection and focus and scrolls back to the top.
    ::SendMessageA(_window, LVM_DELETEALLITEMS, 0, 0);
    ::SendMessageA(_window, LVM_SETITEMCOUNT, _dataModel.getItemsCount(), 0);
}

void ListView::saveColumnWidths() {
    if (_rebuilding)
        return;
    // Only the columns that the user resized: the others keep fitting their texts at any resolution.
    const unsigned count = std::min<unsigned>(_layoutModel.getColumnsCount(), _shownWidths.size());
    for (unsigned i = 0; i < count; ++i) {
        const int width = static_cast<int>(::SendMessageA(_window, LVM_GETCOLUMNWIDTH, i, 0));
        if (width == _shownWidths[i])
            continue;
        _layoutModel.setColumnWidth(i, _dpi.unscale(width));
        _shownWidths[i] = width;
    }
}

void ListView::selectAll() {
    LVITEMA item{};
    item.state = LVIS_SELECTED;
    item.stateMask = LVIS_SELECTED;
    // Row -1 is every row, in one notification.
    withRedrawHeld(*this, [&] {
        dropModelSelection();
        return ::SendMessageA(_window, LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                              reinterpret_cast<LPARAM>(&item));
    });
}

void ListView::selectRows(const std::vector<int>& rows) {
    withRedrawHeld(*this, [&] {
        const auto setState = [&](int row, UINT state) {
            LVITEMA item{};
            item.state = state;
            item.stateMask = LVIS_SELECTED;
            ::SendMessageA(_window, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                           reinterpret_cast<LPARAM>(&item));
        };
        dropModelSelection();
        // Row -1 is every row, in one notification: selecting every row costs no more than Select All.
        const bool everyRow = rows.size() == static_cast<std::size_t>(_dataModel.getItemsCount());
        if (!everyRow && rows.size() > FewRows) {
            // Some controls take a time that grows with the square of the number of scattered rows they
            // select; the model then keeps the selection, which the control asks for row by row. Filling
            // the control anew forgets its own selection without a visit of each selected row.
            ::SendMessageA(_window, LVM_DELETEALLITEMS, 0, 0);
            ::SendMessageA(_window, LVM_SETITEMCOUNT, _dataModel.getItemsCount(), 0);
            _dataModel.setSelection(rows);
            ::SendMessageA(_window, LVM_SETCALLBACKMASK, LVIS_SELECTED, 0);
            _selectionInModel = true;
        } else {
            setState(-1, everyRow ? LVIS_SELECTED : 0);
            if (!everyRow)
                for (int row : rows)
                    setState(row, LVIS_SELECTED);
        }
        if (rows.empty())
            return LRESULT(0);
        // The focus only, when the model keeps the selection: the control would keep the row selected too.
        LVITEMA focus{};
        focus.state = LVIS_SELECTED | LVIS_FOCUSED;
        focus.stateMask = _selectionInModel ? LVIS_FOCUSED : focus.state;
        ::SendMessageA(_window, LVM_SETITEMSTATE, static_cast<WPARAM>(rows.front()),
                       reinterpret_cast<LPARAM>(&focus));
        // Shift and a click or an arrow key then extend the selection from there.
        ::SendMessageA(_window, LVM_SETSELECTIONMARK, 0, rows.front());
        ::SendMessageA(_window, LVM_ENSUREVISIBLE, static_cast<WPARAM>(rows.front()), FALSE);
        return LRESULT(0);
    });
}

void ListView::dropModelSelection() {
    if (!_selectionInModel)
        return;
    // The control's own selection is empty while the model keeps it.
    ::SendMessageA(_window, LVM_SETCALLBACKMASK, 0, 0);
    _selectionInModel = false;
    // A control that asks for each row's selection goes over every row to clear it. Cleared here
    // instead, it is reported to the parent as the control reports its own clearing of every row.
    reportSelection(-1, true, false);
    ::InvalidateRect(_window, nullptr, TRUE);
}

bool ListView::toggleHeldRow(int row) {
    if (!_selectionInModel || !isRow(row))
        return false;
    // The focus and the selection mark go to the row, as the control moves them.
    LVITEMA focus{};
    focus.state = LVIS_FOCUSED;
    focus.stateMask = LVIS_FOCUSED;
    ::SendMessageA(_window, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&focus));
    ::SendMessageA(_window, LVM_SETSELECTIONMARK, 0, row);
    const bool wasSelected = isSelected(row);
    reportSelection(row, wasSelected, !wasSelected);
    ::SendMessageA(_window, LVM_REDRAWITEMS, static_cast<WPARAM>(row), row);
    return true;
}

void ListView::reportFocusedRow() {
    const int row = getFocusedRow();
    if (_selectionInModel || !isRow(row))
        return;
    const bool shown = (::SendMessageA(_window, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) &
                        LVIS_SELECTED) != 0;
    if (shown != isSelected(row))
        reportSelection(row, !shown, shown);
}

void ListView::reportSelection(int row, bool wasSelected, bool isSelected) {
    NMLISTVIEW change{};
    change.hdr.hwndFrom = _window;
    change.hdr.idFrom = static_cast<UINT_PTR>(_id);
    change.hdr.code = LVN_ITEMCHANGED;
    change.iItem = row;
    change.uChanged = LVIF_STATE;
    change.uOldState = wasSelected ? LVIS_SELECTED : 0;
    change.uNewState = isSelected ? LVIS_SELECTED : 0;
    ::SendMessageA(::GetParent(_window), WM_NOTIFY, static_cast<WPARAM>(_id),
                   reinterpret_cast<LPARAM>(&change));
}

bool ListView::isRow(int row) const {
    return row >= 0 && static_cast<unsigned>(row) < _dataModel.getItemsCount();
}

bool ListView::isSelected(int row) const {
    return isRow(row) && _dataModel.isSelected(static_cast<unsigned>(row));
}

int ListView::getRowAt(LPARAM point) const {
    LVHITTESTINFO hit{};
    hit.pt = POINT{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
    return static_cast<int>(::SendMessageA(_window, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
}

int ListView::getFocusedRow() const {
    return static_cast<int>(::SendMessageA(_window, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
}

void ListView::holdRedraw() {
    if (_redrawHeld)
        return;
    ::SendMessageA(_window, WM_SETREDRAW, FALSE, 0);
    _redrawHeld = true;
}

void ListView::releaseRedraw() {
    if (!_redrawHeld)
        return;
    ::SendMessageA(_window, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(_window, nullptr, TRUE);
    _redrawHeld = false;
}

void ListView::findTyped(wchar_t character, DWORD time) {
    if (time - _typedTime > TypeAheadMs)
        _typed.clear();
    _typedTime = time;
    // The first half of a character beyond the basic plane waits for its second.
    if (IS_HIGH_SURROGATE(character)) {
        _highSurrogate = character;
        return;
    }
    // A longer text may still match the row found so far; a new one starts after it.
    const bool extending = !_typed.empty();
    if (IS_LOW_SURROGATE(character) && _highSurrogate != 0)
        _typed += _highSurrogate;
    _highSurrogate = 0;
    _typed += character;
    const unsigned count = _dataModel.getItemsCount();
    const int focused = getFocusedRow();
    const unsigned start = focused < 0 ? 0 : static_cast<unsigned>(extending ? focused : focused + 1);
    const std::string title = _layoutModel.getColumnTitle(0);
    const int length = static_cast<int>(_typed.size());
    for (unsigned i = 0; i < count; ++i) {
        const unsigned row = (start + i) % count;
        // The wide function: the ANSI one compares in the locale's old code page, not in UTF-8.
        const std::wstring text = toWide(_dataModel.getItem(row).getText(0, title));
        if (static_cast<int>(text.size()) >= length &&
            ::CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, text.c_str(), length, _typed.c_str(),
                             length) == CSTR_EQUAL) {
            selectRows({static_cast<int>(row)});
            return;
        }
    }
}

void ListView::getDispInfo(LVITEMA& item) {
    if ((item.mask & LVIF_STATE) && (item.stateMask & LVIS_SELECTED)) {
        const bool selected = item.iItem >= 0 &&
                              static_cast<unsigned>(item.iItem) < _dataModel.getItemsCount() &&
                              _dataModel.isSelected(static_cast<unsigned>(item.iItem));
        item.state = (item.state & ~LVIS_SELECTED) | (selected ? LVIS_SELECTED : 0);
    }
    if (!(item.mask & LVIF_TEXT) || item.pszText == nullptr || item.cchTextMax <= 0)
        return;
    item.pszText[0] = '\0';
    // A request may still be on its way when the rows have just been replaced.
    if (item.iItem < 0 || static_cast<unsigned>(item.iItem) >= _dataModel.getItemsCount() ||
        item.iSubItem < 0 || static_cast<unsigned>(item.iSubItem) >= _layoutModel.getColumnsCount())
        return;
    const unsigned column = static_cast<unsigned>(item.iSubItem);
    const std::string text = _dataModel.getItem(static_cast<unsigned>(item.iItem))
                                 .getText(column, _layoutModel.getColumnTitle(column));
    // A text longer than the buffer is cut before a character, never inside one.
    const std::string_view shown = IO::Utf8::truncate(text, static_cast<std::size_t>(item.cchTextMax - 1));
    std::memcpy(item.pszText, shown.data(), shown.size());
    item.pszText[shown.size()] = '\0';
}

} // namespace Win
