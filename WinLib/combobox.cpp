#include "combobox.h"

namespace Win {

void ComboBox::clear() {
    send(CB_RESETCONTENT);
}

void ComboBox::addString(const char* text) {
    send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

int ComboBox::getCount() const {
    return static_cast<int>(send(CB_GETCOUNT));
}

int ComboBox::getSelection() const {
    return static_cast<int>(send(CB_GETCURSEL));
}

void ComboBox::setSelection(int idx) {
    send(CB_SETCURSEL, idx);
}

} // namespace Win
