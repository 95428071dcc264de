#include "backgroundwork.h"

#include "exception.h"

#include <utility>

namespace Win {

namespace {

HANDLE makeEvent() {
    HANDLE event = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (event == nullptr)
        throw Exception("Internal error: CreateEvent failed");
    return event;
}

} // namespace

BackgroundWork::BackgroundWork(Work work) : _ended(makeEvent(), &::CloseHandle) {
    _thread = std::thread([this, work = std::move(work)] {
        try {
            work(_progress);
        } catch (...) {
            _failure = std::current_exception();
        }
        ::SetEvent(_ended.get());
    });
}

BackgroundWork::~BackgroundWork() {
    if (!_thread.joinable())
        return;
    _progress.cancel();
    _thread.join();
}

void BackgroundWork::finish() {
    if (_thread.joinable())
        _thread.join();
    if (_failure)
        std::rethrow_exception(std::exchange(_failure, nullptr));
}

} // namespace Win
