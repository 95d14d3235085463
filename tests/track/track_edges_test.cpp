// Roads started next to a side of the map: the generator keeps them whole and on the map.

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

#include "track/track_generator.h"
#include "track/track_test_maps.h"

namespace {

using track_test::FirstRoadRow;
using track_test::GeneratedTrack;
using track_test::MapSurvey;
using track_test::RoadRun;
using track_test::SurveyOf;
using track_test::ValidRoadRows;

constexpr int kLevel = 30;
constexpr int kMargin = TTrackGenerator::kEdgeMargin;
// A piece chosen just outside the margin may still take the road three columns closer (a
// drift), and a split two; the next piece is then held back.
constexpr int kClosestLeft = kMargin + 2 - 3;               // leftmost road column 19
constexpr int kClosestRight = kTrackCols - kMargin - 1 + 3;  // rightmost road column 632

struct RoadExtent {
    int leftmost = kTrackCols + 1;
    int rightmost = 0;
};

RoadExtent ExtentOf(const TrackState& track) {
    RoadExtent extent;
    const MapSurvey& survey = SurveyOf(track);
    for (int row = FirstRoadRow(track); row <= 1499; ++row) {
        for (const RoadRun& run : survey.runs[static_cast<size_t>(row)]) {
            extent.leftmost = std::min(extent.leftmost, run.firstCol);
            extent.rightmost = std::max(extent.rightmost, run.LastCol());
        }
    }
    return extent;
}

class RoadNearTheEdge : public ::testing::TestWithParam<std::tuple<int, uint32_t>> {
protected:
    int StartColumn() const { return std::get<0>(GetParam()); }
    const TrackState& Track() const {
        return GeneratedTrack(kLevel, std::get<1>(GetParam()), StartColumn());
    }
};

INSTANTIATE_TEST_SUITE_P(StartColumns, RoadNearTheEdge,
                         ::testing::Combine(::testing::Values(3, 22, 626, 647),
                                            ::testing::Values(11u, 12u, 13u, 14u)));

TEST_P(RoadNearTheEdge, RoadStaysWholeInEveryRow) {
    const TrackState& track = Track();
    const MapSurvey& survey = SurveyOf(track);
    for (int row = 1480; row <= 1499; ++row) {
        ASSERT_EQ(survey.runs[row].size(), 1u);
        EXPECT_EQ(survey.runs[row][0].firstCol, StartColumn());
    }
    for (int row = FirstRoadRow(track); row <= 1499; ++row) {
        ASSERT_EQ(survey.runs[row].size(), 1u) << "row " << row;
        EXPECT_EQ(ValidRoadRows().count(survey.runs[row][0].codes), 1u) << "row " << row;
    }
    EXPECT_EQ(survey.Count(-1), 0);
    // The level parameters lie right behind the map: nothing was written past its end.
    EXPECT_EQ(track.Level.TrackLength, 1300);
    EXPECT_EQ(track.Level.LevelNumber, kLevel);
}

TEST_P(RoadNearTheEdge, RoadKeepsOffTheSides) {
    const RoadExtent extent = ExtentOf(Track());
    EXPECT_GE(extent.leftmost, std::min(StartColumn(), kClosestLeft));
    EXPECT_LE(extent.rightmost, std::max(StartColumn() + 3, kClosestRight));
}

// A road starting just outside the margin is pushed against it by some seeds; those are the
// roads the guard holds back.
TEST(RoadNearTheEdgeGuard, SomeRoadsReachTheMargin) {
    int reachedLeft = 0;
    int reachedRight = 0;
    for (const uint32_t seed : {11u, 12u, 13u, 14u}) {
        reachedLeft += ExtentOf(GeneratedTrack(kLevel, seed, 22)).leftmost <= kMargin + 1 ? 1 : 0;
        reachedRight +=
            ExtentOf(GeneratedTrack(kLevel, seed, 626)).rightmost >= kTrackCols - kMargin ? 1 : 0;
    }
    EXPECT_GT(reachedLeft, 0);
    EXPECT_GT(reachedRight, 0);
}

TEST(RoadNearTheEdgeGuard, StartColumnIsClampedToTheMap) {
    for (const auto& [asked, expected] : {std::pair{-5, 1}, std::pair{0, 1}, std::pair{700, 647}}) {
        const MapSurvey& survey = SurveyOf(GeneratedTrack(1, 5u, asked));
        ASSERT_EQ(survey.runs[1499].size(), 1u);
        EXPECT_EQ(survey.runs[1499][0].firstCol, expected) << asked;
        EXPECT_EQ(survey.Count(-1), 0);
    }
}

}  // namespace
