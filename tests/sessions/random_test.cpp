#include "app/sessions/random.h"

#include <gtest/gtest.h>

#include <algorithm>

TEST(Random, ReplaysTheSampleRandSequenceAndShufflesWithIt) {
    // The first values of this generator from seed 1, as published with the C language's sample rand().
    for (int round = 0; round < 2; ++round) {
        Random::seed(1);
        for (const int value : {16838, 5758, 10113, 17515})
            EXPECT_EQ(Random::next(), value);
    }
    // Seed 1 draws 16838, 5758, 10113, 17515, 31051: modulo 5 these are 3, 3, 3, 0, 1. Swapping
    // position i with those positions (not only with i and later) turns 0 1 2 3 4 into 2 4 1 3 0.
    Random::seed(1);
    std::vector<int> sequence{0, 1, 2, 3, 4};
    Random::shuffle(sequence);
    EXPECT_EQ(sequence, (std::vector<int>{2, 4, 1, 3, 0}));

    // The wrapping state keeps values within 0..32767, and a long list is reached beyond one draw.
    Random::seed(0xFFFFFFFFu);
    for (int i = 0; i < 1000; ++i)
        ASSERT_LE(static_cast<unsigned>(Random::next()), static_cast<unsigned>(Random::Max));
    Random::seed(7);
    unsigned farthest = 0;
    for (int i = 0; i < 1000; ++i) {
        const unsigned value = Random::below(999999);
        ASSERT_LT(value, 999999u);
        farthest = std::max(farthest, value);
    }
    EXPECT_GT(farthest, 500000u);
}
