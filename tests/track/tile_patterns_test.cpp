// The pictures the road shows for its cells: the corner cells 26 to 29 show their asphalt wedge
// only where it meets asphalt on both of its sides, and always where the road's edge runs
// through them.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/random.h"
#include "track/map_codes.h"
#include "track/tile_patterns.h"
#include "track/track_generator.h"

namespace {

constexpr int kRow = 700;
constexpr int kCol = 300;

struct Corner {
    const char* name;
    int code;
    int up, right, down, left;  // the four neighbours
    int shown;
};

void PrintTo(const Corner& c, std::ostream* out) {
    *out << c.name;
}

class CornerPatternTest : public ::testing::TestWithParam<Corner> {};

TEST_P(CornerPatternTest, TheWedgeShowsOnlyAgainstAsphalt) {
    const Corner& c = GetParam();
    auto map = std::make_unique<TTrackMap>();
    map->Fill(CodeOf(MapCode::Filler));
    map->Set(kRow, kCol, static_cast<int8_t>(c.code));
    map->Set(kRow - 1, kCol, static_cast<int8_t>(c.up));
    map->Set(kRow, kCol + 1, static_cast<int8_t>(c.right));
    map->Set(kRow + 1, kCol, static_cast<int8_t>(c.down));
    map->Set(kRow, kCol - 1, static_cast<int8_t>(c.left));
    EXPECT_EQ(TilePatternAt(*map, kRow, kCol), c.shown);
}

constexpr int P = 24;  // plain pavement
INSTANTIATE_TEST_SUITE_P(
    Corners, CornerPatternTest,
    ::testing::Values(
        // A park's corners against open ground: the chamfer stays.
        Corner{"ParkTopLeftOnGround", 26, 0, 24, 23, 0, 26},
        Corner{"ParkTopRightOnGround", 27, 0, 0, 23, 24, 27},
        Corner{"ParkBottomRightOnGround", 28, 23, 0, 0, 24, 28},
        Corner{"ParkBottomLeftOnGround", 29, 23, 24, 0, 0, 29},
        // The road's edge through a corner cell beside each drifting edge.
        Corner{"RightOfDriftingRightEdge", 26, 12, 28, 25, 8, 26},
        Corner{"LeftOfDriftingLeftEdge", 27, 20, 16, 23, 25, 27},
        Corner{"LeftOfDriftedRightEdge", 28, 25, 9, 5, 26, 28},
        Corner{"RightOfDriftedLeftEdge", 29, 25, 27, 13, 17, 29},
        // One side of the wedge against pavement, grass or a building: plain pavement.
        Corner{"BesideADriftAgainstPavement", 26, 24, 28, 25, 31, P},
        Corner{"StackedParks", 26, 29, 24, 23, 0, P},
        Corner{"ParkAgainstAVerge", 29, 23, 24, 24, 23, P},
        Corner{"GroundAboveGrassBeside", 27, 0, 30, 23, 24, P},
        Corner{"LotBelow", 28, 23, 0, 45, 24, P},
        // The sides the wedge does not touch do not matter.
        Corner{"TopLeftWithPavementBelowAndRight", 26, 0, 24, 24, 0, 26},
        // Every other code shows its own pattern.
        Corner{"Verge", 23, 0, 0, 0, 0, 23}, Corner{"Road", 9, 24, 24, 24, 24, 9},
        Corner{"Ground", 0, 24, 24, 24, 24, 0}),
    [](const auto& info) { return std::string(info.param.name); });

// On generated maps: no wedge shows in the middle of pavements, and none of the corner cells the
// road's edge runs through loses its wedge (that would leave a notch of pavement in the road).
TEST(GeneratedCornerPatterns, WedgesShowExactlyWhereAsphaltMeetsThem) {
    auto state = std::make_unique<TrackState>();
    int roadCorners = 0;
    int paved = 0;
    for (int level : {3, 6, 9}) {
        for (uint32_t seed : {5u, 2024u}) {
            TRandom random(seed);
            TTrackGenerator(*state, random).SetUpLevel(level);
            const TTrackMap& map = state->TrackMap;
            for (int row = 1; row <= kTrackRows; ++row) {
                for (int col = 1; col <= kTrackCols; ++col) {
                    const int code = map.At(row, col);
                    if (code < 26 || code > 29) continue;
                    const int shown = TilePatternAt(map, row, col);
                    const bool up = code == 26 || code == 27;
                    const bool left = code == 26 || code == 29;
                    const int across[2] = {map.At(up ? row - 1 : row + 1, col),
                                           map.At(row, left ? col - 1 : col + 1)};
                    const int edge = map.At(row, left ? col - 1 : col + 1);
                    const bool roadEdge = (code == 26 && edge == 8) || (code == 27 && edge == 16) ||
                                          (code == 28 && edge == 9) || (code == 29 && edge == 17);
                    if (roadEdge) {
                        ++roadCorners;
                        EXPECT_EQ(shown, code) << "road edge at " << row << ", " << col;
                    }
                    if (shown == code) {
                        for (int a : across)
                            EXPECT_TRUE(a == 0 || IsRoadCode(a))
                                << "wedge " << code << " against " << a << " at " << row << ", "
                                << col;
                    } else {
                        ++paved;
                        EXPECT_EQ(shown, CodeOf(MapCode::VergeStrip));
                    }
                }
            }
        }
    }
    EXPECT_GT(roadCorners, 20) << "the maps should drift";
    EXPECT_GT(paved, 20) << "the maps should stack parks and leave corners beside drifts";
}

}  // namespace
