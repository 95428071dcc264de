#include "edit.h"

namespace Win {

void Edit::append(const char* text) {
    LRESULT length = send(WM_GETTEXTLENGTH);
    send(EM_SETSEL, length, length);
    send(EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text));
}

void Edit::clear() {
    send(EM_SETSEL, 0, -1);
    send(WM_CLEAR);
}

void Edit::selectLine(int line) {
    LRESULT start = send(EM_LINEINDEX, line);
    if (start < 0)
        return;
    LRESULT length = send(EM_LINELENGTH, start);
    send(EM_SETSEL, start, start + length);
}

} // namespace Win
