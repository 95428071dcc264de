#pragma once

#include <exception>

namespace Win {

// No exception may unwind through the system's window or dialog procedures. The procedures catch at
// their boundary and park the exception here; it is thrown again once control is back in our own code:
// by MessageLoop::run, by Dialog::run when DialogBoxParam returns, by Maker::create when CreateWindowEx
// returns.
class PendingException {
public:
    // Called inside a catch block. Keeps the first exception: later ones are usually its consequences.
    // With endLoops, asks every message loop to end (PostQuitMessage), so that menus, message boxes and
    // dialogs running their own loops return and let the exception reach our loop.
    static void catchCurrent(bool endLoops);
    static bool isSet() noexcept;
    // Throws the parked exception, if any, and forgets it. Takes back the quit request made for it, so
    // that the error box shown further up is not closed by it at once.
    static void rethrowIfSet();
};

} // namespace Win
