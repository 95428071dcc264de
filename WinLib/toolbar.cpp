#include "toolbar.h"

#include "assertion.h"
#include "command.h"
#include "exception.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

namespace Win {

namespace {

// Where a program's bitmap holds its picture of each size.
int pictureLeft(int size) {
    return size == 16 ? 0 : size == 24 ? 16 : 40;
}

} // namespace

Toolbar::Toolbar(HWND parent, int id, const ToolbarItem* toolbarTemplate, const Cmd::Vector& cmdVector)
    : _template(toolbarTemplate), _window(createWindow(parent, id)), _cmdVector(cmdVector),
      _dpi(Dpi::of(parent)) {
    while (_template[_buttonCount].kind != ToolbarItem::END)
        ++_buttonCount;
}

HWND Toolbar::createWindow(HWND parent, int id) {
    HWND window =
        ::CreateWindowExA(0, TOOLBARCLASSNAMEA, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                          reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(parent, GWLP_HINSTANCE)), nullptr);
    if (window == nullptr)
        throw Exception("Internal error: CreateWindowEx failed.");
    ::SendMessageA(window, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    return window;
}

void Toolbar::remake(const Dpi& dpi) {
    _dpi = dpi;
    HWND parent = ::GetParent(_window);
    const int id = ::GetDlgCtrlID(_window);
    HWND remade = createWindow(parent, id);
    ::DestroyWindow(_window);
    _window = remade;
    _pictures.clear();
    addStyle(_addedStyles);
    addButtons();
    updateButtons();
}

void Toolbar::addStyle(DWORD style) {
    _addedStyles |= style;
    LRESULT current = ::SendMessageA(_window, TB_GETSTYLE, 0, 0);
    ::SendMessageA(_window, TB_SETSTYLE, 0, current | style);
}

int Toolbar::chooseImageSize() const {
    // As the images are loaded: every entry counts, separators too.
    bool usesView = false, usesStandard = false;
    for (int i = 0; i < _buttonCount; ++i) {
        usesView |= _template[i].imageList == ToolbarItem::VIEW_IMAGES;
        usesStandard |= _template[i].imageList == ToolbarItem::STD_IMAGES;
    }
    const int wanted = std::max(_dpi.scale(16), _largeImages ? 24 : 16);
    if (wanted >= 32 && !usesView && (!usesStandard || _standardImages32 != 0))
        return 32;
    return wanted >= 24 ? 24 : 16;
}

int Toolbar::addPicture(int bitmapId) {
    const HINSTANCE instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(_window, GWLP_HINSTANCE));
    COLORMAP transparent{RGB(192, 192, 192), ::GetSysColor(COLOR_BTNFACE)};
    const Picture sizes(::CreateMappedBitmap(instance, bitmapId, 0, &transparent, 1));
    if (!sizes)
        throw Exception("Internal error: couldn't load a toolbar bitmap");
    HDC screen = ::GetDC(nullptr);
    Picture picture(::CreateCompatibleBitmap(screen, _imageSize, _imageSize));
    HDC from = ::CreateCompatibleDC(screen);
    HDC to = ::CreateCompatibleDC(screen);
    ::ReleaseDC(nullptr, screen);
    const HGDIOBJ oldFrom = ::SelectObject(from, sizes.get());
    const HGDIOBJ oldTo = ::SelectObject(to, picture.get());
    ::BitBlt(to, 0, 0, _imageSize, _imageSize, from, pictureLeft(_imageSize), 0, SRCCOPY);
    ::SelectObject(from, oldFrom);
    ::SelectObject(to, oldTo);
    ::DeleteDC(from);
    ::DeleteDC(to);
    TBADDBITMAP bitmap{nullptr, reinterpret_cast<UINT_PTR>(picture.get())};
    const int index =
        static_cast<int>(::SendMessageA(_window, TB_ADDBITMAP, 1, reinterpret_cast<LPARAM>(&bitmap)));
    _pictures.push_back(std::move(picture));
    return index;
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
    _imageSize = chooseImageSize();
    ::SendMessageA(_window, TB_SETBITMAPSIZE, 0, MAKELPARAM(_imageSize, _imageSize));
    const HINSTANCE instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(_window, GWLP_HINSTANCE));
    for (int i = 0; i < _buttonCount && !(stdImagesLoaded && viewImagesLoaded); ++i) {
        if (_template[i].imageList == ToolbarItem::STD_IMAGES && !stdImagesLoaded) {
            TBADDBITMAP images{HINST_COMMCTRL,
                               UINT_PTR(_imageSize == 24 ? IDB_STD_LARGE_COLOR : IDB_STD_SMALL_COLOR)};
            int count = 14;
            if (_imageSize == 32) {
                images = {instance, static_cast<UINT_PTR>(_standardImages32)};
                count = 15;
            }
            stdImagesFirst = static_cast<int>(
                ::SendMessageA(_window, TB_ADDBITMAP, count, reinterpret_cast<LPARAM>(&images)));
            stdImagesLoaded = true;
        } else if (_template[i].imageList == ToolbarItem::VIEW_IMAGES && !viewImagesLoaded) {
            TBADDBITMAP images{HINST_COMMCTRL,
                               UINT_PTR(_imageSize == 24 ? IDB_VIEW_LARGE_COLOR : IDB_VIEW_SMALL_COLOR)};
            viewImagesFirst = static_cast<int>(
                ::SendMessageA(_window, TB_ADDBITMAP, 12, reinterpret_cast<LPARAM>(&images)));
            viewImagesLoaded = true;
        }
    }

    std::vector<TBBUTTON> buttons(_buttonCount);
    for (int i = 0; i < _buttonCount; ++i) {
        const ToolbarItem& item = _template[i];
        TBBUTTON& button = buttons[i];
        button.fsState = TBSTATE_ENABLED;
        switch (item.kind) {
        case ToolbarItem::SEPARATOR:
            button.iBitmap = _dpi.scale(item.image);
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
            button.iBitmap = addPicture(item.image);
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

int Toolbar::getButtonsWidth() const {
    const auto count = ::SendMessageA(_window, TB_BUTTONCOUNT, 0, 0);
    RECT last{};
    if (count <= 0 || !::SendMessageA(_window, TB_GETITEMRECT, static_cast<WPARAM>(count - 1),
                                      reinterpret_cast<LPARAM>(&last)))
        return 0;
    return last.right;
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
