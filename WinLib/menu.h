#pragma once

#include <windows.h>

#include <map>

namespace Cmd {
class Vector;
}

namespace Menu {

enum Kind { POP = 0, CMD = 1, SEPARATOR = 2, END = 3 };

// One entry of a menu template. label is shown as it is ("&" before the mnemonic, a tab before the
// shortcut). name is the command's name for CMD and the popup's key for a bar-level POP; popupItems are
// the entries of a POP. An array of entries ends with an END entry.
struct Item {
    Kind kind;
    const char* label;
    const char* name;
    const Item* popupItems;
};

class PopupMaker;

// Owns a menu until release hands it to a parent menu or a window. After release the maker still refers
// to the menu, so that a dynamic popup can refill it; the menu's owner destroys it.
class Maker {
public:
    Maker();
    Maker(const Maker&) = delete;
    Maker& operator=(const Maker&) = delete;
    Maker(Maker&& other) noexcept;
    Maker& operator=(Maker&& other) noexcept;
    virtual ~Maker();

    void addItem(int cmdId, const char* label);
    void addSeparator();
    // Takes over popup's menu.
    void addPopup(PopupMaker& popup, const char* label);
    void removeAllItems();
    HMENU release();
    HMENU getHandle() const { return _menu; }

protected:
    explicit Maker(HMENU menu);

private:
    HMENU _menu;
    bool _owned = true;
};

class PopupMaker : public Maker {
public:
    PopupMaker();
};

// A popup whose items are made anew each time it opens (the bar maker calls refresh).
class DynamicMaker : public PopupMaker {
public:
    virtual void refresh(HMENU menu) = 0;
};

// The menu bar made from a template of POP entries, with every popup's items enabled, greyed or checked
// from the commands' tests when it opens.
class BarMaker {
public:
    BarMaker(const Item* barTemplate, const Cmd::Vector& cmdVector);

    // The window owns the bar afterwards.
    void attach(HWND window);
    // Brings the items of popup (any popup of the bar, or the bar's dynamic popups) up to date.
    void initPopup(HMENU popup);
    // Puts popup into bar popup barIndex at position; its refresh runs whenever it opens.
    void insertDynamic(DynamicMaker& popup, const char* label, int barIndex, int position);
    HMENU getHandle() const { return _menu.getHandle(); }

private:
    void fillPopup(PopupMaker& popup, const Item* popupItems);

    Maker _menu;
    int _barItemCnt = 0;
    const Item* _template;
    const Cmd::Vector& _cmdVector;
    std::map<HMENU, const Item*> _popups;
    std::map<HMENU, DynamicMaker*> _dynamicPopups;
};

} // namespace Menu
