// The scrolling road: offsets, whole-tile wraps that move the window over the map, the map's
// limits, the solid barrier and wall cells it reports, and the rectangles of the solid codes.

#include "sprites/scroll_background.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "sprites/fake_race_host.h"

namespace {

class ScrollBackgroundTest : public ::testing::TestWithParam<int> {
protected:
    ScrollBackgroundTest() : host(GetParam()) {
        background = new TScrollBackground(&host.engine, Picture::Tiles, 13, 10, &host);
        host.background = background;
        host.Track().TrackMap.Fill(0);
        scale = host.timing.FrameScale;
    }
    FakeRaceHost host;
    TScrollBackground* background = nullptr;
    double scale = 1;
};

TEST_P(ScrollBackgroundTest, SteadyDriveUpMovesByHalfTheVelocityAndWrapsRowByRow) {
    host.race.WorldVelocityY = 10;
    background->Y = -72 + 1;
    const int row = host.Track().ViewRow;
    double expected = background->Y;
    int wraps = 0;
    for (int frame = 0; frame < 40; ++frame) {
        background->MoveStep(1);
        expected += 10 * 0.5 * scale;
        if (expected > 0) {
            expected -= 72;
            ++wraps;
        }
        ASSERT_NEAR(background->Y, expected, 1e-9);
        ASSERT_GE(background->Y, -72);
        ASSERT_LE(background->Y, 0);
    }
    EXPECT_GT(wraps, 0);
    EXPECT_EQ(host.Track().ViewRow, row - wraps);  // the road slides down, the window moves up
}

TEST_P(ScrollBackgroundTest, TheWindowStopsAtTheMapsEdgesButTheOffsetStillWraps) {
    TrackState& track = host.Track();
    track.ViewRow = 0;
    track.ViewCol = 0;
    host.race.WorldVelocityY = 100;  // less than a tile a frame
    host.race.WorldVelocityX = 100;
    background->X = -1;
    background->Y = -1;
    background->MoveStep(1);
    EXPECT_EQ(track.ViewRow, 0);
    EXPECT_EQ(track.ViewCol, 0);
    EXPECT_LE(background->Y, 0);
    EXPECT_LE(background->X, 0);
    track.ViewRow = 1490;
    track.ViewCol = 637;
    host.race.WorldVelocityY = -100;
    host.race.WorldVelocityX = -100;
    background->X = -71;
    background->Y = -71;
    background->MoveStep(1);
    EXPECT_EQ(track.ViewRow, 1490);
    EXPECT_EQ(track.ViewCol, 637);
}

TEST_P(ScrollBackgroundTest, AMenuPictureNeverMoves) {
    auto* menu = new TScrollBackground(&host.engine, Picture::MMBG, 1, 1);
    host.race.WorldVelocityX = host.race.WorldVelocityY = 50;
    menu->MoveStep(1);
    EXPECT_EQ(menu->X, 0);
    EXPECT_EQ(menu->Y, 0);
}

// The point query finds the road only at its first tile (Width and Height are one pattern's),
// while the draw pass sees the whole window.
TEST_P(ScrollBackgroundTest, OneTileForThePointQueryTheWholeWindowForDrawing) {
    EXPECT_EQ(background->Width, 72);
    EXPECT_EQ(background->Height, 72);
    const SDL_Rect bounds = background->BoundsRect();
    EXPECT_EQ(bounds.w, 13 * 72);
    EXPECT_EQ(bounds.h, 10 * 72);
    EXPECT_EQ(host.engine.SpriteAt(72, 72), background);
    EXPECT_EQ(host.engine.SpriteAt(73, 40), nullptr);
    EXPECT_EQ(host.engine.SpriteAt(400, 300), nullptr);
}

struct ReportedCell {
    double left, top, right, bottom;
};

class RecordingListener : public SolidCellListener {
public:
    void TouchSolidCell(const std::array<TPointD, 4>& corners) override {
        cells.push_back({corners[0].x, corners[0].y, corners[3].x, corners[3].y});
    }
    std::vector<ReportedCell> cells;
};

TEST_P(ScrollBackgroundTest, EverySolidCellOutsideTheFirstRowAndColumnIsReportedRowByRow) {
    RecordingListener listener;
    background->SolidListener = &listener;
    TrackState& track = host.Track();
    auto place = [&](int x, int y, int code) {
        track.TrackMap.Set(track.ViewRow + y, track.ViewCol + x, static_cast<int8_t>(code));
    };
    place(0, 0, 42);    // the corner cell, half off the screen: never solid
    place(3, 0, 42);    // first row
    place(0, 4, 42);    // first column
    place(7, 2, 41);    // reported second
    place(2, 2, 59);    // reported first: row by row, left to right
    place(13, 10, 40);  // the last cell the window reaches
    place(5, 5, 45);    // not a solid code
    background->X = -10;
    background->Y = -20;
    background->MoveStep(1);
    ASSERT_EQ(listener.cells.size(), 3u);
    EXPECT_DOUBLE_EQ(listener.cells[0].left, 2 * 72 - 10);
    EXPECT_DOUBLE_EQ(listener.cells[0].right, 2 * 72 - 10 + 35);
    EXPECT_DOUBLE_EQ(listener.cells[1].left, 7 * 72 - 10 + 65);
    EXPECT_DOUBLE_EQ(listener.cells[1].bottom, 2 * 72 - 20 + 68);
    EXPECT_DOUBLE_EQ(listener.cells[2].top, 10 * 72 - 20 + 58);
}

INSTANTIATE_TEST_SUITE_P(RefreshRates, ScrollBackgroundTest, ::testing::Values(60, 85));

// Each solid code's rectangle, entry by entry, as (left, top, right, bottom) from the cell's
// corner; the corners come crosswise: (left, top), (right, top), (left, bottom), (right, bottom).
TEST(SolidRectTest, EachSolidCodeHasItsRectangleInCrosswiseOrder) {
    struct Row {
        int code;
        double left, top, right, bottom;
    };
    const Row table[] = {{59, 0, 0, 35, 72},  {39, 37, 0, 72, 72}, {40, 0, 58, 72, 72},
                         {41, 65, 0, 72, 68}, {42, 0, 0, 64, 64},  {43, 0, 0, 64, 64},
                         {44, 0, 0, 64, 64}};
    for (const Row& row : table) {
        std::array<TPointD, 4> c;
        ASSERT_TRUE(SolidRectOf(row.code, 100, 200, c)) << row.code;
        EXPECT_DOUBLE_EQ(c[0].x, 100 + row.left) << row.code;
        EXPECT_DOUBLE_EQ(c[0].y, 200 + row.top) << row.code;
        EXPECT_DOUBLE_EQ(c[1].x, 100 + row.right) << row.code;
        EXPECT_DOUBLE_EQ(c[1].y, 200 + row.top) << row.code;
        EXPECT_DOUBLE_EQ(c[2].x, 100 + row.left) << row.code;
        EXPECT_DOUBLE_EQ(c[2].y, 200 + row.bottom) << row.code;
        EXPECT_DOUBLE_EQ(c[3].x, 100 + row.right) << row.code;
        EXPECT_DOUBLE_EQ(c[3].y, 200 + row.bottom) << row.code;
    }
    std::array<TPointD, 4> c;
    for (int code = -1; code <= 61; ++code) {
        const bool solid = code == 39 || code == 40 || code == 41 || code == 42 || code == 43 ||
                           code == 44 || code == 59;
        EXPECT_EQ(SolidRectOf(code, 0, 0, c), solid) << code;
    }
}

}  // namespace
