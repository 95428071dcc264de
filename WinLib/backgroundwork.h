#pragma once

#include "workprogress.h"

#include <windows.h>

#include <exception>
#include <functional>
#include <memory>
#include <thread>

namespace Win {

// Work done on a thread of its own, so that the user-interface thread goes on with its messages. The
// work reports to its progress and must end soon once the progress says stop. Nothing else is shared:
// what the work makes is read once it has ended. Going away asks the work to stop and waits for it.
class BackgroundWork {
public:
    using Work = std::function<void(WorkProgress& progress)>;

    explicit BackgroundWork(Work work);
    BackgroundWork(const BackgroundWork&) = delete;
    BackgroundWork& operator=(const BackgroundWork&) = delete;
    ~BackgroundWork();

    WorkProgress& getProgress() { return _progress; }
    // Signalled when the work has ended, for waiting on it beside the thread's messages.
    HANDLE getEndedEvent() const { return _ended.get(); }
    bool hasEnded() const { return ::WaitForSingleObject(_ended.get(), 0) == WAIT_OBJECT_0; }
    // Waits for the end of the work and throws on what it threw.
    void finish();

private:
    WorkProgress _progress;
    std::exception_ptr _failure;
    std::unique_ptr<void, decltype(&::CloseHandle)> _ended;
    std::thread _thread;
};

} // namespace Win
