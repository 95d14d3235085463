#include "track/track_map.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

namespace {

// Round(v) with halves to even, then div 72, which truncates toward zero.
TEST(MapIndexOf, RoundsHalvesToEvenBeforeDividing) {
    EXPECT_EQ(MapIndexOf(0.0), 0);
    EXPECT_EQ(MapIndexOf(71.4), 0);
    EXPECT_EQ(MapIndexOf(71.5), 1);    // 72
    EXPECT_EQ(MapIndexOf(70.5), 0);    // 70
    EXPECT_EQ(MapIndexOf(143.5), 2);   // 144
    EXPECT_EQ(MapIndexOf(142.5), 1);   // 142
    EXPECT_EQ(MapIndexOf(143.49), 1);  // 143
    EXPECT_EQ(MapIndexOf(72.0 * 1500), 1500);
    EXPECT_EQ(MapIndexOf(72.0 * 650 + 71), 650);
}

TEST(MapIndexOf, NegativeCoordinatesTruncateTowardZero) {
    EXPECT_EQ(MapIndexOf(-0.5), 0);
    EXPECT_EQ(MapIndexOf(-1.0), 0);
    EXPECT_EQ(MapIndexOf(-71.0), 0);
    EXPECT_EQ(MapIndexOf(-71.5), -1);  // -72
    EXPECT_EQ(MapIndexOf(-72.0), -1);
    EXPECT_EQ(MapIndexOf(-143.0), -1);
    EXPECT_EQ(MapIndexOf(-144.0), -2);
}

TEST(MapIndexOf, AbsurdCoordinatesGiveDefinedIndices) {
    EXPECT_EQ(MapIndexOf(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_GT(MapIndexOf(1e300), 1500);
    EXPECT_LT(MapIndexOf(-1e300), 0);
    EXPECT_GT(MapIndexOf(std::numeric_limits<double>::infinity()), 1500);
}

TEST(TrackMap, CellsOutsideTheGridReadAsTheDefaultAndIgnoreWrites) {
    auto map = std::make_unique<TTrackMap>();
    map->Fill(-1);
    map->Set(0, 5, 7);
    map->Set(1501, 5, 7);
    map->Set(5, 0, 7);
    map->Set(5, 651, 7);
    for (int k = 0; k < kTrackRows * kTrackCols; ++k) ASSERT_EQ(map->Data()[k], -1);
    EXPECT_EQ(map->At(0, 1), 0);
    EXPECT_EQ(map->At(1, 651, 9), 9);
    map->Set(1, 1, 3);
    map->Set(1500, 650, 4);
    EXPECT_EQ(map->Data()[0], 3);
    EXPECT_EQ(map->Data()[kTrackRows * kTrackCols - 1], 4);
    EXPECT_EQ(map->At(1500, 650), 4);
}

TEST(TrackMap, ReplaceChangesOnlyTheCodeGiven) {
    auto map = std::make_unique<TTrackMap>();
    map->Fill(-1);
    map->Set(10, 10, 5);
    map->Replace(-1, 0);
    EXPECT_EQ(map->At(10, 10), 5);
    EXPECT_EQ(map->At(10, 11), 0);
    EXPECT_EQ(map->At(1500, 650), 0);
}

}  // namespace
