#include "edit.h"

namespace Win {

void Edit::clear() {
    send(EM_SETSEL, 0, -1);
    send(WM_CLEAR);
}

void Edit::setReadOnly(bool readOnly) {
    send(EM_SETREADONLY, readOnly ? TRUE : FALSE);
}

} // namespace Win
