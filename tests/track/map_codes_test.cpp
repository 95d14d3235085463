// The named map codes against the code table: which codes are road, and which are a road's left
// or right edge, read entry by entry over every code a map cell can hold.

#include <gtest/gtest.h>

#include <set>

#include "track/map_codes.h"

namespace {

// The table's road codes: the straight road 1-4, the drifts 5-20, the six-cell road's inner
// lanes 21 and 22, and the five-cell transitions 33-35.
const std::set<int> kRoad = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13,
                             14, 15, 16, 17, 18, 19, 20, 21, 22, 33, 34, 35};
// Left edges: straight 1, drifting right 5 and 9; drifting left 16 and 20 (laid out right to
// left). Right edges: 4, 8, 12, 13, 17.
const std::set<int> kLeftEdges = {1, 5, 9, 16, 20};
const std::set<int> kRightEdges = {4, 8, 12, 13, 17};

TEST(MapCodesTest, EveryCellValueIsRoadOrEdgeExactlyAsTheTableSays) {
    for (int code = -128; code <= 127; ++code) {
        EXPECT_EQ(IsRoadCode(code), kRoad.count(code) == 1) << code;
        EXPECT_EQ(IsLeftEdgeCode(code), kLeftEdges.count(code) == 1) << code;
        EXPECT_EQ(IsRightEdgeCode(code), kRightEdges.count(code) == 1) << code;
    }
}

TEST(MapCodesTest, NamedCodesCompareWithTheCellsThatHoldThem) {
    const int8_t cell = 59;
    EXPECT_TRUE(cell == MapCode::RightBarrier);
    EXPECT_FALSE(cell == MapCode::LeftBarrier);
    EXPECT_EQ(CodeOf(MapCode::Empty), -1);
    EXPECT_EQ(CodeOf(MapCode::RightStreetMouth), 60);
}

}  // namespace
