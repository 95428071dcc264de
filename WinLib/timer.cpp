#include "timer.h"

#include <utility>

namespace Win {

Timer::Timer(Timer&& other) noexcept
    : _window(std::exchange(other._window, nullptr)), _id(std::exchange(other._id, 0)) {}

Timer& Timer::operator=(Timer&& other) noexcept {
    if (this != &other) {
        kill();
        _window = std::exchange(other._window, nullptr);
        _id = std::exchange(other._id, 0);
    }
    return *this;
}

void Timer::create(HWND window, unsigned milliseconds, unsigned timerId) {
    kill();
    _window = window;
    _id = timerId;
    ::SetTimer(window, timerId, milliseconds, nullptr);
}

void Timer::kill() {
    if (_window == nullptr)
        return;
    ::KillTimer(_window, _id);
    _window = nullptr;
}

} // namespace Win
