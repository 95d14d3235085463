#include "core/random.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>

namespace {

// seed = seed * 134775813 + 1 (mod 2^32) before every draw; Random(n) = (seed * n) >> 32.
TEST(Random, DrawsFollowTheGeneratorFromASeed) {
    TRandom random(1);
    EXPECT_EQ(random.Random(10), 0);
    EXPECT_EQ(random.SeedValue(), 134775814u);
    EXPECT_EQ(random.Random(100), 86);
    EXPECT_EQ(random.SeedValue(), 3698175007u);
    EXPECT_EQ(random.Random(1000), 202);
    EXPECT_EQ(random.Random(7), 1);
    EXPECT_EQ(random.Random(2), 1);
    EXPECT_EQ(random.SeedValue(), 2884733762u);
}

TEST(Random, SeedZeroStepsToOne) {
    TRandom random(0);
    EXPECT_EQ(random.Random(7), 0);
    EXPECT_EQ(random.SeedValue(), 1u);
}

TEST(Random, RandomFloatIsTheSeedAfterAStepOverTwoToThe32) {
    TRandom random(12345);
    EXPECT_DOUBLE_EQ(random.RandomFloat(), 1655067934.0 / 4294967296.0);
    EXPECT_DOUBLE_EQ(random.RandomFloat(), 1242767767.0 / 4294967296.0);
    random.Seed(1298181734u);  // steps to the largest seed, 2^32 - 1
    EXPECT_DOUBLE_EQ(random.RandomFloat(), 4294967295.0 / 4294967296.0);
    random.Seed(649090867u);  // steps to 0
    EXPECT_EQ(random.RandomFloat(), 0.0);
}

// A draw of an empty range still counts as a draw, so later draws do not shift.
TEST(Random, EmptyRangesGiveZeroAndStillDraw) {
    TRandom random(5);
    TRandom twin(5);
    EXPECT_EQ(random.Random(0), 0);
    EXPECT_EQ(random.Random(-3), 0);
    EXPECT_EQ(random.Random(1), 0);
    twin.Random(100);
    twin.Random(100);
    twin.Random(100);
    EXPECT_EQ(random.SeedValue(), twin.SeedValue());
}

TEST(Random, DrawsStayInRange) {
    TRandom random(99);
    for (const int n : {2, 3, 7, 1000, INT_MAX}) {
        for (int k = 0; k < 2000; ++k) {
            const int v = random.Random(n);
            ASSERT_GE(v, 0);
            ASSERT_LT(v, n);
        }
    }
}

TEST(Random, SkipMovesOnAsTheDrawsWould) {
    for (const uint32_t count :
         {0u, 1u, 2u, 3u, 63u, 64u, 65u, 1000u, 1023u, 1024u, 1025u, 123457u}) {
        TRandom skipped(42);
        TRandom drawn(42);
        skipped.Skip(count);
        for (uint32_t k = 0; k < count; ++k) drawn.Random(3);
        EXPECT_EQ(skipped.SeedValue(), drawn.SeedValue()) << count;
    }
}

}  // namespace

// A run of draws gives the generator's own draws, in order, and leaves it where the same calls
// of Random would.
TEST(Random, ARunDrawsExactlyWhatTheGeneratorWould) {
    for (uint32_t seed : {0u, 1u, 12345u, 0xFFFFFFFFu}) {
        TRandom plain(seed);
        TRandom batched(seed);
        std::array<int, 9> run{};
        batched.RandomRun(7, run);
        for (int k = 0; k < 9; ++k) EXPECT_EQ(run[k], plain.Random(7)) << seed << " draw " << k;
        EXPECT_EQ(batched.SeedValue(), plain.SeedValue()) << seed;
        std::array<int, 1> one{};
        batched.RandomRun(1000, one);
        EXPECT_EQ(one[0], plain.Random(1000)) << seed;
    }
}
