#include "random.h"

#include <cassert>
#include <ctime>
#include <utility>

namespace {
std::uint32_t state = 1;
}

namespace Random {

void seed(std::uint32_t value) {
    state = value;
}

void seedFromClock() {
    seed(static_cast<std::uint32_t>(std::time(nullptr)));
}

int next() {
    state = state * 1103515245u + 12345u;
    return static_cast<int>((state >> 16) & Max);
}

unsigned below(unsigned count) {
    assert(count > 0);
    constexpr unsigned Range = Max + 1;
    if (count <= Range)
        return static_cast<unsigned>(next()) % count;
    const unsigned high = static_cast<unsigned>(next());
    return (high * Range + static_cast<unsigned>(next())) % count;
}

void shuffle(std::vector<int>& sequence) {
    const std::size_t size = sequence.size();
    for (std::size_t i = 0; i < size; ++i) {
        const std::size_t nIdx = below(static_cast<unsigned>(size));
        assert(nIdx < size);
        std::swap(sequence[i], sequence[nIdx]);
    }
}

} // namespace Random
