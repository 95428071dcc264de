#include "importprogress.h"

#include <algorithm>

namespace {

// Each pass's share of Total, by its share of the time a large import takes.
constexpr std::uint64_t Shares[] = {50'000, 100'000, 250'000, 600'000};
static_assert(Shares[0] + Shares[1] + Shares[2] + Shares[3] == ImportProgress::Total);

} // namespace

void ImportProgress::report(Pass pass, std::uint64_t part, std::uint64_t whole) {
    const auto index = static_cast<std::size_t>(pass);
    std::uint64_t before = 0;
    for (std::size_t i = 0; i < index; ++i)
        before += Shares[i];
    const std::uint64_t share = Shares[index];
    const double fraction =
        whole == 0 ? 1.0 : static_cast<double>(std::min(part, whole)) / static_cast<double>(whole);
    tell(before + static_cast<std::uint64_t>(static_cast<double>(share) * fraction));
}

void ImportProgress::finish() {
    tell(Total);
}

void ImportProgress::tell(std::uint64_t done) {
    // A later pass that restarts its count must not move the figure back.
    _done = std::max(_done, done);
    if (_hook && !_hook(_done, Total))
        throw ImportCancelled();
}
