#include "aboutctrl.h"

#include "WinLib/resstring.h"
#include "resources/resource.h"

#include <shellapi.h>

bool AboutCtrl::onCommand(int controlId, int) {
    switch (controlId) {
    case IDOK:
    case IDCANCEL:
        endOk();
        return true;
    case IDC_WEB_SITE:
        open(IDS_WEB_SITE_URL);
        return true;
    case IDC_EMAIL_SUPPORT:
        open(IDS_SUPPORT_MAILTO);
        return true;
    default:
        return false;
    }
}

// The system hands the address to the user's web browser or mail program; if it has none, nothing
// happens, which is all a user could expect.
void AboutCtrl::open(int addressId) {
    ::ShellExecuteA(_h, nullptr, Win::ResString(::GetModuleHandleA(nullptr), addressId), nullptr, ".",
                    SW_HIDE);
}
