#pragma once

#include <windows.h>

namespace Win {

// A window timer whose WM_TIMER messages reach the window's controller. It owns the timer: destroying
// the object kills it. Moving hands the timer over.
class Timer {
public:
    Timer() = default;
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;
    Timer(Timer&& other) noexcept;
    Timer& operator=(Timer&& other) noexcept;
    ~Timer() { kill(); }

    // Starts timer timerId of window, ticking every milliseconds; a timer that this object ran before is
    // killed first.
    void create(HWND window, unsigned milliseconds, unsigned timerId);
    void kill();
    bool isRunning() const { return _window != nullptr; }

private:
    HWND _window = nullptr;
    unsigned _id = 0;
};

} // namespace Win
