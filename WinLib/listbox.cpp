#include "listbox.h"

#include "assertion.h"

namespace Win {

int ListBox::getCount() const {
    return static_cast<int>(send(LB_GETCOUNT));
}

std::string ListBox::getItemText(int idx) const {
    WIN_ASSERT(idx >= 0 && idx < getCount(), "idx<getCount()");
    int length = static_cast<int>(send(LB_GETTEXTLEN, idx));
    std::string text(length + 1, '\0');
    int copied = static_cast<int>(send(LB_GETTEXT, idx, reinterpret_cast<LPARAM>(text.data())));
    text.resize(copied < 0 ? 0 : copied);
    return text;
}

void ListBox::addString(const char* text) {
    send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

void ListBox::insertString(int idx, const char* text) {
    send(LB_INSERTSTRING, idx, reinterpret_cast<LPARAM>(text));
}

void ListBox::deleteString(int idx) {
    WIN_ASSERT(idx >= 0 && idx < getCount(), "idx<getCount()");
    send(LB_DELETESTRING, idx);
}

bool ListBox::isSelection() const {
    return send(LB_GETCURSEL) != LB_ERR;
}

int ListBox::getSelection() const {
    WIN_ASSERT(isSelection(), "isSelection()");
    return static_cast<int>(send(LB_GETCURSEL));
}

void ListBox::setSelection(int idx) {
    send(LB_SETCURSEL, idx);
}

} // namespace Win
