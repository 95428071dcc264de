#include "menu.h"

#include "assertion.h"
#include "command.h"
#include "exception.h"

#include <utility>

namespace Menu {

Maker::Maker() : Maker(::CreateMenu()) {}

Maker::Maker(HMENU menu) : _menu(menu) {
    if (_menu == nullptr)
        throw Win::Exception("Internal error: cannot create menu");
}

Maker::Maker(Maker&& other) noexcept
    : _menu(std::exchange(other._menu, nullptr)), _owned(std::exchange(other._owned, false)) {}

Maker& Maker::operator=(Maker&& other) noexcept {
    if (this != &other) {
        if (_owned)
            ::DestroyMenu(_menu);
        _menu = std::exchange(other._menu, nullptr);
        _owned = std::exchange(other._owned, false);
    }
    return *this;
}

Maker::~Maker() {
    if (_owned)
        ::DestroyMenu(_menu);
}

void Maker::addItem(int cmdId, const char* label) {
    if (!::AppendMenuA(_menu, MF_STRING, static_cast<UINT_PTR>(cmdId), label))
        throw Win::Exception("Internal error: cannot add menu item");
}

void Maker::addSeparator() {
    if (!::AppendMenuA(_menu, MF_SEPARATOR, 0, nullptr))
        throw Win::Exception("Internal error: cannot add menu separator");
}

void Maker::addPopup(PopupMaker& popup, const char* label) {
    if (!::AppendMenuA(_menu, MF_POPUP, reinterpret_cast<UINT_PTR>(popup.getHandle()), label))
        throw Win::Exception("Internal error: cannot add popup menu");
    popup.release();
}

void Maker::removeAllItems() {
    while (::DeleteMenu(_menu, 0, MF_BYPOSITION))
        ;
}

HMENU Maker::release() {
    _owned = false;
    return _menu;
}

PopupMaker::PopupMaker() : Maker(::CreatePopupMenu()) {}

BarMaker::BarMaker(const Item* barTemplate, const Cmd::Vector& cmdVector)
    : _template(barTemplate), _cmdVector(cmdVector) {
    while (_template[_barItemCnt].kind != END)
        ++_barItemCnt;
    for (int curMenu = 0; curMenu < _barItemCnt; ++curMenu) {
        WIN_ASSERT(_template[curMenu].kind == POP, "_template[curMenu].kind==POP");
        PopupMaker popup;
        fillPopup(popup, _template[curMenu].popupItems);
        _menu.addPopup(popup, _template[curMenu].label);
    }
}

void BarMaker::fillPopup(PopupMaker& popup, const Item* popupItems) {
    WIN_ASSERT(popupItems != nullptr, "popupItems!=0");
    for (int curItem = 0; popupItems[curItem].kind != END; ++curItem) {
        const Item& item = popupItems[curItem];
        if (item.kind == CMD) {
            int cmdId = _cmdVector.cmdToId(item.name);
            WIN_ASSERT(cmdId != -1, "cmdId!=-1");
            popup.addItem(cmdId, item.label);
        } else if (item.kind == POP) {
            PopupMaker nested;
            fillPopup(nested, item.popupItems);
            popup.addPopup(nested, item.label);
        } else {
            WIN_ASSERT(popupItems[curItem].kind == SEPARATOR, "popupItems[curItem].kind==SEPARATOR");
            popup.addSeparator();
        }
    }
    _popups[popup.getHandle()] = popupItems;
}

void BarMaker::attach(HWND window) {
    if (!::SetMenu(window, _menu.getHandle()))
        throw Win::Exception("Internal error: Cannot attach menu");
    _menu.release();
}

void BarMaker::initPopup(HMENU popup) {
    if (auto found = _popups.find(popup); found != _popups.end()) {
        for (const Item* item = found->second; item->kind != END; ++item) {
            if (item->kind != CMD)
                continue;
            Cmd::Status status = _cmdVector.test(item->name);
            UINT cmdId = static_cast<UINT>(_cmdVector.cmdToId(item->name));
            switch (status) {
            case Cmd::DISABLED:
                ::EnableMenuItem(popup, cmdId, MF_BYCOMMAND | MF_GRAYED);
                break;
            case Cmd::ENABLED:
                ::EnableMenuItem(popup, cmdId, MF_BYCOMMAND | MF_ENABLED);
                ::CheckMenuItem(popup, cmdId, MF_BYCOMMAND | MF_UNCHECKED);
                break;
            case Cmd::CHECKED:
                ::EnableMenuItem(popup, cmdId, MF_BYCOMMAND | MF_ENABLED);
                ::CheckMenuItem(popup, cmdId, MF_BYCOMMAND | MF_CHECKED);
                break;
            default:
                throw Win::Exception("Internal error: Illegal command status");
            }
        }
    } else if (auto dynamic = _dynamicPopups.find(popup); dynamic != _dynamicPopups.end()) {
        dynamic->second->refresh(popup);
    } else {
        throw Win::Exception("Internal error: Unknown menu initialization");
    }
}

void BarMaker::insertDynamic(DynamicMaker& popup, const char* label, int barIndex, int position) {
    WIN_ASSERT(_menu.getHandle() != nullptr, "_menu.getHandle()!=0");
    WIN_ASSERT(barIndex >= 0 && barIndex < _barItemCnt, "menuIdx<_barItemCnt");
    HMENU barPopup = ::GetSubMenu(_menu.getHandle(), barIndex);
    WIN_ASSERT(barPopup != nullptr, "popup!=0");
    if (!::InsertMenuA(barPopup, static_cast<UINT>(position), MF_BYPOSITION | MF_POPUP,
                       reinterpret_cast<UINT_PTR>(popup.getHandle()), label))
        throw Win::Exception("Internal error: cannot add popup menu");
    _dynamicPopups[popup.release()] = &popup;
}

} // namespace Menu
