// The scrolling road: offsets, whole-tile wraps that move the window over the map, the map's
// limits, and the solid barrier and wall cells.

#include <gtest/gtest.h>

#include "runner_fixture.h"
#include "sprites/player.h"
#include "track/scroll_background.h"

namespace {

class ScrollBackgroundTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        runner = MakeTestRunner(GetParam(), /*raceCar=*/1);
        form = &runner->Form();
        runner->RunUntil(3);
        form->CloseWindow();
        background = form->CurrentBackground;
        ASSERT_NE(background, nullptr);
        scale = form->Timing.FrameScale;
    }
    std::unique_ptr<ReplayRunner> runner;
    TMForm* form = nullptr;
    TScrollBackground* background = nullptr;
    double scale = 1;
};

TEST_P(ScrollBackgroundTest, SteadyDriveUpMovesByHalfTheVelocityAndWrapsRowByRow) {
    form->Race.WorldVelocityY = 10;
    background->Y = -72 + 1;
    const int row = form->Track.ViewRow;
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
    EXPECT_EQ(form->Track.ViewRow, row - wraps);  // the road slides down, the window moves up
}

TEST_P(ScrollBackgroundTest, TheWindowStopsAtTheMapsEdgesButTheOffsetStillWraps) {
    form->Track.ViewRow = 0;
    form->Track.ViewCol = 0;
    form->Race.WorldVelocityY = 100;  // less than a tile a frame
    form->Race.WorldVelocityX = 100;
    background->X = -1;
    background->Y = -1;
    background->MoveStep(1);
    EXPECT_EQ(form->Track.ViewRow, 0);
    EXPECT_EQ(form->Track.ViewCol, 0);
    EXPECT_LE(background->Y, 0);
    EXPECT_LE(background->X, 0);
    form->Track.ViewRow = 1490;
    form->Track.ViewCol = 637;
    form->Race.WorldVelocityY = -100;
    form->Race.WorldVelocityX = -100;
    background->X = -71;
    background->Y = -71;
    background->MoveStep(1);
    EXPECT_EQ(form->Track.ViewRow, 1490);
    EXPECT_EQ(form->Track.ViewCol, 637);
    // Cells beyond the map show plain ground.
    form->Track.ViewRow = 0;
    form->Track.ViewCol = 0;
    form->RefreshView();
    EXPECT_EQ(background->Cell(0, 0), 0);
}

class SolidCellTest : public ScrollBackgroundTest {
protected:
    void SetUp() override {
        ScrollBackgroundTest::SetUp();
        // Plain ground under the whole window, so only the cells a test places are solid.
        for (int y = 0; y <= 10; ++y)
            for (int x = 0; x <= 13; ++x) PlaceCode(x, y, 0);
    }
    void PlaceCode(int windowX, int windowY, int code) {
        form->Track.TrackMap.Set(form->Track.ViewRow + windowY, form->Track.ViewCol + windowX,
                                 static_cast<int8_t>(code));
    }
    // The car's outline as a screen rectangle, corners crosswise.
    void SetCarOutline(double left, double top, double right, double bottom) {
        TPlayer* car = form->Race.Player;
        car->Footprint = {TPointD{left, top}, TPointD{right, top}, TPointD{left, bottom},
                          TPointD{right, bottom}};
    }
};

TEST_P(SolidCellTest, TwoSolidCellsUnderTheCarCostTwoHits) {
    form->Race.WorldVelocityX = form->Race.WorldVelocityY = 0;
    background->X = background->Y = 0;
    TPlayer* car = form->Race.Player;
    SetCarOutline(350, 440, 440, 590);
    PlaceCode(5, 6, 42);  // screen 360..432 x 432..504
    PlaceCode(5, 7, 44);  // screen 360..432 x 504..576
    car->Energy = 3;
    car->CarSpeed = 0;
    background->MoveStep(1);
    EXPECT_EQ(car->Energy, 1);
    EXPECT_EQ(form->Race.Lives, 3);
}

TEST_P(SolidCellTest, CellsInTheWindowsFirstRowAndColumnAreNotSolid) {
    form->Race.WorldVelocityX = form->Race.WorldVelocityY = 0;
    background->X = background->Y = 0;
    TPlayer* car = form->Race.Player;
    SetCarOutline(10, 10, 140, 140);  // over cells (0,0), (1,0), (0,1) and (1,1)
    PlaceCode(0, 0, 42);
    PlaceCode(1, 0, 42);
    PlaceCode(0, 1, 42);
    PlaceCode(1, 1, 0);
    car->Energy = 3;
    background->MoveStep(1);
    EXPECT_EQ(car->Energy, 3);
    PlaceCode(1, 1, 40);  // the top wall's band at y 58..72 of the cell
    background->MoveStep(1);
    EXPECT_EQ(car->Energy, 2);
}

TEST_P(SolidCellTest, AMovingCarIsThrownBackAStandingOneSlowed) {
    form->Race.WorldVelocityX = form->Race.WorldVelocityY = 0;
    background->X = background->Y = 0;
    TPlayer* car = form->Race.Player;
    SetCarOutline(370, 440, 420, 590);
    PlaceCode(5, 6, 39);  // a barrier block at x 37..72 of the cell: screen 397..432
    car->CarSpeed = 50;
    car->Energy = 3;
    background->MoveStep(1);
    EXPECT_EQ(car->CarSpeed, -100);
    EXPECT_EQ(car->Energy, 2);
    // Without energy left nothing more happens.
    car->Energy = 0;
    car->CarSpeed = 30;
    background->MoveStep(1);
    EXPECT_EQ(car->CarSpeed, 30);
}

TEST(SolidRectTest, EachSolidCodeHasItsRectangleInCrosswiseOrder) {
    TPointD c[4];
    ASSERT_TRUE(SolidRectOf(41, 100, 200, c));
    EXPECT_DOUBLE_EQ(c[0].x, 165);
    EXPECT_DOUBLE_EQ(c[0].y, 200);
    EXPECT_DOUBLE_EQ(c[1].x, 172);
    EXPECT_DOUBLE_EQ(c[2].y, 268);
    EXPECT_DOUBLE_EQ(c[3].x, 172);
    EXPECT_DOUBLE_EQ(c[3].y, 268);
    for (int code : {39, 40, 42, 43, 44, 59}) EXPECT_TRUE(SolidRectOf(code, 0, 0, c)) << code;
    for (int code : {0, 1, 23, 45, 58, 60}) EXPECT_FALSE(SolidRectOf(code, 0, 0, c)) << code;
}

INSTANTIATE_TEST_SUITE_P(RefreshRates, ScrollBackgroundTest, ::testing::Values(60, 85));
INSTANTIATE_TEST_SUITE_P(RefreshRates, SolidCellTest, ::testing::Values(60, 85));

}  // namespace
