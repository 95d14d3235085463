// Roads started next to a side of the map: the generator keeps them whole and on the map.

#include <gtest/gtest.h>

#include <algorithm>
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
constexpr int kClosestLeft = kMargin + 2 - 3;                // leftmost road column 19
constexpr int kClosestRight = kTrackCols - kMargin - 1 + 3;  // rightmost road column 632
constexpr uint32_t kSeeds[] = {11, 12, 13, 14};

// Full-length maps (four seeds each) whose road starts at the column given.
class RoadNearTheEdge : public ::testing::TestWithParam<int> {
protected:
    int StartColumn() const { return GetParam(); }
};

INSTANTIATE_TEST_SUITE_P(StartColumns, RoadNearTheEdge, ::testing::Values(3, 22, 626, 647));

TEST_P(RoadNearTheEdge, RoadStaysWholeAndKeepsOffTheSides) {
    int reachedMargin = 0;
    for (const uint32_t seed : kSeeds) {
        SCOPED_TRACE(::testing::Message() << "seed " << seed);
        const TrackState& track = GeneratedTrack(kLevel, seed, StartColumn());
        const MapSurvey& survey = SurveyOf(track);
        for (int row = 1480; row <= 1499; ++row) {
            ASSERT_EQ(survey.runs[row].size(), 1u);
            EXPECT_EQ(survey.runs[row][0].firstCol, StartColumn());
        }
        int leftmost = kTrackCols + 1;
        int rightmost = 0;
        for (int row = FirstRoadRow(track); row <= 1499; ++row) {
            ASSERT_EQ(survey.runs[row].size(), 1u) << "row " << row;
            const RoadRun& run = survey.runs[row][0];
            EXPECT_EQ(ValidRoadRows().count(run.codes), 1u) << "row " << row;
            leftmost = std::min(leftmost, run.firstCol);
            rightmost = std::max(rightmost, run.LastCol());
        }
        EXPECT_GE(leftmost, std::min(StartColumn(), kClosestLeft));
        EXPECT_LE(rightmost, std::max(StartColumn() + 3, kClosestRight));
        if (leftmost <= kMargin + 1 || rightmost >= kTrackCols - kMargin) ++reachedMargin;
        EXPECT_EQ(survey.Count(-1), 0);
        // The level parameters lie right behind the map: nothing was written past its end.
        EXPECT_EQ(track.Level.TrackLength, 1300);
        EXPECT_EQ(track.Level.LevelNumber, kLevel);
    }
    // Started just outside the margin, some of the roads are pushed against it: those are the
    // ones the guard holds back.
    if (StartColumn() == 22 || StartColumn() == 626) {
        EXPECT_GT(reachedMargin, 0);
    }
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
