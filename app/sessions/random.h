#pragma once

#include <cstdint>
#include <vector>

// The one pseudo-random generator of the process, shared by all sessions: a linear congruential
// generator whose values are bits 16 to 30 of its 32-bit state. Tests seed it to replay an order.
namespace Random {

constexpr int Max = 32767;

void seed(std::uint32_t value);
// Every session seeds it so with the current time in whole seconds.
void seedFromClock();
// The next value, 0 to Max.
int next();
// A value below count (count > 0): the next value modulo count. A count above Max + 1 takes two
// values joined, so that a long list can reach all of its positions.
unsigned below(unsigned count);
// For every position i, swaps the entries at i and at a position drawn over the whole sequence.
void shuffle(std::vector<int>& sequence);

} // namespace Random
