#include "pendingexception.h"

#include <windows.h>

namespace {

// Window messages belong to the thread that made the window; so does the exception parked for them.
thread_local std::exception_ptr pending;
thread_local bool quitPosted = false;

} // namespace

namespace Win {

void PendingException::catchCurrent(bool endLoops) {
    if (!pending)
        pending = std::current_exception();
    if (endLoops && !quitPosted) {
        ::PostQuitMessage(0);
        quitPosted = true;
    }
}

bool PendingException::isSet() noexcept {
    return pending != nullptr;
}

void PendingException::rethrowIfSet() {
    if (!pending)
        return;
    if (quitPosted) {
        MSG msg;
        ::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
        quitPosted = false;
    }
    std::exception_ptr exception = pending;
    pending = nullptr;
    std::rethrow_exception(exception);
}

} // namespace Win
