#include <gtest/gtest.h>

#include <climits>

#include "track/track_map.h"

namespace {

struct LevelRow {
    int level;
    int trackLength;
    int timeLeft;
    int bonusCount;
    int carCount;
};

// The level table as the game's design gives it.
constexpr LevelRow kLevels[] = {
    {1, 300, 54000, 10, 10},      {2, 500, 90000, 20, 40},      {3, 700, 126000, 30, 90},
    {4, 900, 162000, 40, 160},    {5, 1100, 198000, 50, 200},   {6, 1300, 234000, 60, 200},
    {7, 1300, 234000, 70, 200},   {8, 1300, 224000, 80, 200},   {9, 1300, 214000, 90, 200},
    {10, 1300, 204000, 100, 200}, {11, 1300, 194000, 110, 200}, {12, 1300, 184000, 120, 200},
    {13, 1300, 174000, 130, 200}, {14, 1300, 164000, 140, 200}, {15, 1300, 154000, 150, 200},
    {16, 1300, 144000, 160, 200}, {17, 1300, 134000, 170, 200}, {18, 1300, 124000, 180, 200},
    {19, 1300, 114000, 190, 200}, {20, 1300, 104000, 200, 200}, {21, 1300, 94000, 400, 200},
    {22, 1300, 84000, 400, 200},  {23, 1300, 74000, 400, 200},  {24, 1300, 64000, 400, 200},
    {25, 1300, 60000, 400, 200},  {26, 1300, 60000, 400, 200},  {27, 1300, 60000, 400, 200},
    {28, 1300, 60000, 400, 200},  {29, 1300, 60000, 400, 200},  {30, 1300, 60000, 400, 200},
};

class LevelTable : public ::testing::TestWithParam<LevelRow> {};

INSTANTIATE_TEST_SUITE_P(Levels1To30, LevelTable, ::testing::ValuesIn(kLevels));

TEST_P(LevelTable, ParametersFollowTheLevelNumber) {
    const LevelRow& expected = GetParam();
    const LevelParams params = LevelParamsFor(expected.level);
    EXPECT_EQ(params.LevelNumber, expected.level);
    EXPECT_EQ(params.TrackLength, expected.trackLength);
    EXPECT_EQ(params.TimeLeft, expected.timeLeft);
    EXPECT_EQ(params.BonusCount, expected.bonusCount);
    EXPECT_EQ(params.CarCount, expected.carCount);
}

TEST(LevelParams, LaterLevelsKeepTheFloorsAndCaps) {
    for (const int level : {31, 100, 1000000}) {
        const LevelParams params = LevelParamsFor(level);
        EXPECT_EQ(params.TrackLength, 1300);
        EXPECT_EQ(params.TimeLeft, 60000);
        EXPECT_EQ(params.BonusCount, 400);
        EXPECT_EQ(params.CarCount, 200);
    }
}

// Level numbers never seen in a game still give defined values, without overflow.
TEST(LevelParams, ExtremeLevelNumbersDoNotOverflow) {
    const LevelParams high = LevelParamsFor(INT_MAX);
    EXPECT_EQ(high.LevelNumber, INT_MAX);
    EXPECT_EQ(high.TimeLeft, 60000);
    EXPECT_EQ(high.CarCount, 200);
    const LevelParams low = LevelParamsFor(INT_MIN);
    EXPECT_EQ(low.LevelNumber, INT_MIN);
    EXPECT_EQ(low.TrackLength, INT_MIN);  // 200 * L + 100 clamped to the int range
    EXPECT_EQ(low.CarCount, 200);
}

}  // namespace
