#pragma once

#include <atomic>
#include <cstdint>

namespace Win {

// How far work on another thread has come, and whether the user wants it stopped: the work reports,
// the window that shows it reads, each on its own thread.
class WorkProgress {
public:
    // The fraction the work has done, in these parts.
    static constexpr int Parts = 10000;

    // The work has done done of total; returns whether it should go on.
    bool report(std::uint64_t done, std::uint64_t total) noexcept {
        const double fraction = total == 0 ? 1.0 : static_cast<double>(done) / static_cast<double>(total);
        _parts = static_cast<int>(Parts * (fraction > 1.0 ? 1.0 : fraction));
        return !_cancelled;
    }
    void cancel() noexcept { _cancelled = true; }
    bool isCancelled() const noexcept { return _cancelled; }
    int getPartsDone() const noexcept { return _parts; }

private:
    std::atomic<int> _parts{0};
    std::atomic<bool> _cancelled{false};
};

} // namespace Win
