#include "app/sessions/random.h"

#include <gtest/gtest.h>

TEST(Random, ReplaysTheSampleRandSequenceAndShufflesWithIt) {
    // The first values of this generator from seed 1, as published with the C language's sample rand().
    Random::seed(1);
    EXPECT_EQ(Random::next(), 16838);
    EXPECT_EQ(Random::next(), 5758);
    EXPECT_EQ(Random::next(), 10113);
    EXPECT_EQ(Random::next(), 17515);

    // Reseeding replays the sequence, and the wrapping state keeps values within 0..32767.
    Random::seed(1);
    EXPECT_EQ(Random::next(), 16838);
    Random::seed(0xFFFFFFFFu);
    for (int i = 0; i < 1000; ++i)
        ASSERT_LE(static_cast<unsigned>(Random::next()), static_cast<unsigned>(Random::Max));

    // Seed 1 draws 16838, 5758, 10113, 17515, 31051: modulo 5 these are 3, 3, 3, 0, 1. Swapping
    // position i with those positions (not only with i and later) turns 0 1 2 3 4 into 2 4 1 3 0.
    Random::seed(1);
    std::vector<int> sequence{0, 1, 2, 3, 4};
    Random::shuffle(sequence);
    EXPECT_EQ(sequence, (std::vector<int>{2, 4, 1, 3, 0}));
}

TEST(Random, LongSequencesReachPositionsBeyondOneDraw) {
    Random::seed(7);
    const unsigned count = 999999;
    bool reachedFar = false;
    for (int i = 0; i < 1000 && !reachedFar; ++i) {
        const unsigned value = Random::below(count);
        ASSERT_LT(value, count);
        reachedFar = value > 500000;
    }
    EXPECT_TRUE(reachedFar);
}
