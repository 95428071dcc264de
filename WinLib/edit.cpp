#include "edit.h"

namespace Win {

void Edit::clear() {
    send(EM_SETSEL, 0, -1);
    send(WM_CLEAR);
}

} // namespace Win
