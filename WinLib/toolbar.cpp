#include "toolbar.h"

#include "assertion.h"
#include "command.h"
#include "exception.h"

#include <commctrl.h>

#include <vector>

namespace Win {

Toolbar::Toolbar(HWND parent, int id, const ToolbarItem* toolbarTemplate, const Cmd::Vector& cmdVector)
    : _template(toolbarTemplate), _cmdVector(cmdVector) {
    while (_template[_buttonCount].kind != ToolbarItem::END)
        ++_buttonCount;
    _window =
        ::CreateWindowExA(0, TOOLBARCLASSNAMEA, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                          reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(parent, GWLP_HINSTANCE)), nullptr);
    if (_window == nullptr)
        throw Exception("Internal error: CreateWindowEx failed.");
    ::SendMessageA(_window, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
}

void Toolbar::addStyle(DWORD style) {
    LRESULT current = ::SendMessageA(_window, TB_GETSTYLE, 0, 0);
    ::SendMessageA(_window, TB_SETSTYLE, 0, current | style);
}

void Toolbar::setFlat() {
    addStyle(TBSTYLE_FLAT);
}

void Toolbar::setToolTips() {
    addStyle(TBSTYLE_TOOLTIPS);
}

void Toolbar::addButtons() {
    bool stdImagesLoaded = false;
    bool viewImagesLoaded = false;
    int stdImagesFirst = 0;
    int viewImagesFirst = 0;
    for (int i = 0; i < _buttonCount && !(stdImagesLoaded && viewImagesLoaded); ++i) {
        if (_template[i].imageList == ToolbarItem::STD_IMAGES && !stdImagesLoaded) {
            TBADDBITMAP images{HINST_COMMCTRL,
                               UINT_PTR(_largeImages ? IDB_STD_LARGE_COLOR : IDB_STD_SMALL_COLOR)};
            stdImagesFirst = static_cast<int>(
                ::SendMessageA(_window, TB_ADDBITMAP, 14, reinterpret_cast<LPARAM>(&images)));
            stdImagesLoaded = true;
        } else if (_template[i].imageList == ToolbarItem::VIEW_IMAGES && !viewImagesLoaded) {
            TBADDBITMAP images{HINST_COMMCTRL,
                               UINT_PTR(_largeImages ? IDB_VIEW_LARGE_COLOR : IDB_VIEW_SMALL_COLOR)};
            viewImagesFirst = static_cast<int>(
                ::SendMessageA(_window, TB_ADDBITMAP, 12, reinterpret_cast<LPARAM>(&images)));
            viewImagesLoaded = true;
        }
    }

    HINSTANCE instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(_window, GWLP_HINSTANCE));
    std::vector<TBBUTTON> buttons(_buttonCount);
    for (int i = 0; i < _buttonCount; ++i) {
        const ToolbarItem& item = _template[i];
        TBBUTTON& button = buttons[i];
        button.fsState = TBSTATE_ENABLED;
        switch (item.kind) {
        case ToolbarItem::SEPARATOR:
            button.iBitmap = item.image;
            button.fsStyle = TBSTYLE_SEP;
            continue;
        case ToolbarItem::CHECK:
            button.fsStyle = TBSTYLE_CHECK;
            break;
        default:
            button.fsStyle = TBSTYLE_BUTTON;
            break;
        }
        if (item.imageList == ToolbarItem::BITMAP) {
            TBADDBITMAP bitmap{instance, static_cast<UINT_PTR>(item.image)};
            button.iBitmap =
                static_cast<int>(::SendMessageA(_window, TB_ADDBITMAP, 1, reinterpret_cast<LPARAM>(&bitmap)));
        } else if (item.imageList == ToolbarItem::STD_IMAGES) {
            WIN_ASSERT(stdImagesLoaded, "stdImagesLoaded");
            button.iBitmap = stdImagesFirst + item.image;
        } else {
            WIN_ASSERT(viewImagesLoaded, "viewImagesLoaded");
            button.iBitmap = viewImagesFirst + item.image;
        }
        button.idCommand = _cmdVector.cmdToId(item.cmdName);
        WIN_ASSERT(button.idCommand != -1, "cmdId!=-1");
        button.iString = reinterpret_cast<INT_PTR>(item.text);
    }
    ::SendMessageA(_window, TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    autoSize();
}

void Toolbar::autoSize() {
    ::SendMessageA(_window, TB_AUTOSIZE, 0, 0);
}

int Toolbar::getHeight() const {
    RECT rect{};
    ::GetWindowRect(_window, &rect);
    return rect.bottom - rect.top;
}

void Toolbar::updateButtons() {
    for (int i = 0; i < _buttonCount; ++i) {
        const ToolbarItem& item = _template[i];
        if (item.kind == ToolbarItem::SEPARATOR)
            continue;
        int cmdId = _cmdVector.cmdToId(item.cmdName);
        TBBUTTONINFOA info{};
        info.cbSize = sizeof(info);
        info.dwMask = TBIF_STATE;
        switch (_cmdVector.test(item.cmdName)) {
        case Cmd::DISABLED:
            info.fsState = TBSTATE_INDETERMINATE;
            break;
        case Cmd::ENABLED:
            info.fsState = TBSTATE_ENABLED;
            break;
        case Cmd::CHECKED:
            // Checked commands are available too: a checked button stays pressable.
            info.fsState = TBSTATE_CHECKED | TBSTATE_ENABLED;
            break;
        default:
            throw Exception("Internal error: Illegal command status");
        }
        ::SendMessageA(_window, TB_SETBUTTONINFOA, static_cast<WPARAM>(cmdId),
                       reinterpret_cast<LPARAM>(&info));
    }
}

} // namespace Win
