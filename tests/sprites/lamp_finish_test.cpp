// The street lamps' solid posts and the finish line: what a post does to the car, where posts
// stand, the grace of a car put back onto a post, and the crossing of the line.

#include <gtest/gtest.h>

#include "fake_race_host.h"
#include "sprites/finish.h"
#include "sprites/lamp.h"
#include "sprites/player.h"

namespace {

class LampTest : public ::testing::Test {
protected:
    void SetUp() override {
        host.GroundLevelOneAt(318, 999);
        lamps = new TLamp(&host.engine, host);
        host.race.Lamps = lamps;
        car = new TPlayer(&host.engine, host, 1);
        host.race.Player = car;
        // A plain rectangle: x 370..430, y 410..560.
        car->Footprint = {TPointD{370, 410}, TPointD{430, 410}, TPointD{430, 560},
                          TPointD{370, 560}};
    }
    // The straight road's left edge (code 1) in window row i, column j: its post at
    // (j x 72 + 12, i x 72 + 9) on the screen.
    void EdgeAt(int i, int j, int code = 1) {
        host.track->TrackMap.Set(host.track->ViewRow + i, host.track->ViewCol + j,
                                 static_cast<int8_t>(code));
    }
    void Drive(double speed) {
        car->CarSpeed = speed;
        car->Velocity = speed / 10;
        car->SkipStep = false;
    }

    FakeRaceHost host;
    TLamp* lamps = nullptr;  // owned by the engine
    TPlayer* car = nullptr;
};

// A post in the car's outline throws a car driving forward back (-100) and turns a standing or
// reversing car's speed round; each costs a hit with a "Collision". A car without energy, or one
// blowing up, passes through.
TEST_F(LampTest, APostBouncesTheCarAndCostsAHit) {
    EdgeAt(6, 5);  // row 1005, post at (372, 441)
    struct Case {
        double speed;
        int energy, crashed;
        double after;
        int energyAfter;
    };
    for (const Case& c : {Case{50, 3, 0, -100, 2}, Case{0, 3, 0, 0, 2}, Case{-10, 2, 0, 10, 1},
                          Case{50, 0, 0, 50, 0}, Case{50, 3, 1, 50, 3}}) {
        Drive(c.speed);
        car->Energy = c.energy;
        car->Crashed = c.crashed;
        host.sounds.clear();
        lamps->MoveStep(1);
        EXPECT_DOUBLE_EQ(car->CarSpeed, c.after) << c.speed;
        EXPECT_EQ(car->Energy, c.energyAfter) << c.speed;
        EXPECT_EQ(host.CountOf("Collision"), c.energyAfter != c.energy ? 1 : 0) << c.speed;
        EXPECT_EQ(car->SkipStep, c.speed > 0 && c.energyAfter != c.energy);
    }
}

// Lamps stand on every fifth map row only, on the edge codes of the lamp table; two posts in the
// outline cost two hits.
TEST_F(LampTest, PostsStandOnEveryFifthRowOfTheEdgeCells) {
    host.track->ViewRow = 1000;  // window row 6 is map row 1006
    EdgeAt(6, 5);
    EdgeAt(5, 5, 4);  // code 4's post (56, 9): x 416, but y 369 is above the car
    Drive(50);
    lamps->MoveStep(1);
    EXPECT_EQ(car->Energy, 3);
    EXPECT_EQ(car->CarSpeed, 50);

    host.track->ViewRow = 999;
    EdgeAt(6, 5, 2);  // an inner lane: no lamp
    lamps->MoveStep(1);
    EXPECT_EQ(car->Energy, 3);
    EdgeAt(6, 5, 1);
    EdgeAt(7, 5, 9);  // row 1006: no lamp
    EdgeAt(1, 5, 9);  // row 1000, right drift's left edge: post (9, 1) at (369, 73), off the car
    lamps->MoveStep(1);
    EXPECT_EQ(car->Energy, 2);
    EdgeAt(6, 6, 16);  // a left drift's left edge in the next cell: post (-8, 41) at (424, 473)
    Drive(0);
    car->Energy = 3;
    lamps->MoveStep(1);
    EXPECT_EQ(car->Energy, 1);
}

// The post of each drift lamp, pixel by pixel: with the cell's corner at (360, 360) and an outline
// of one pixel round the expected post, only a post at exactly that point costs a hit.
TEST_F(LampTest, EachDriftLampsPostStandsAtItsOwnPoint) {
    host.track->ViewRow = 1000;  // window row 5 is map row 1005
    struct Case {
        int code, px, py;
    };
    for (const Case& c : {Case{5, 43, 1}, Case{8, 73, 41}, Case{12, 37, 41}, Case{13, 26, 1},
                          Case{17, 62, 1}, Case{20, 31, 40}}) {
        for (const int miss : {0, 1}) {
            const double x = 360 + c.px + miss;
            const double y = 360 + c.py;
            car->Footprint = {TPointD{x - 0.5, y - 0.5}, TPointD{x + 0.5, y - 0.5},
                              TPointD{x + 0.5, y + 0.5}, TPointD{x - 0.5, y + 0.5}};
            EdgeAt(5, 5, c.code);
            Drive(50);
            car->Energy = 3;
            lamps->MoveStep(1);
            EXPECT_EQ(car->Energy, miss == 0 ? 2 : 3) << c.code << (miss ? " beside" : "");
        }
    }
}

// A car put back onto the road on a post is left alone until it has once been clear of every
// post; after that the posts hit it again.
TEST_F(LampTest, ACarPutBackOnAPostIsSparedUntilItIsClear) {
    EdgeAt(6, 5);
    Drive(0);
    lamps->Reset();
    for (int frame = 0; frame < 5; ++frame) lamps->MoveStep(1);
    EXPECT_EQ(car->Energy, 3);
    EXPECT_TRUE(lamps->Grace);
    host.track->ViewCol = 300;  // clear of the post
    lamps->MoveStep(1);
    EXPECT_FALSE(lamps->Grace);
    host.track->ViewCol = 318;
    lamps->MoveStep(1);
    EXPECT_EQ(car->Energy, 2);
}

// The finish line lies on the top edge of row 1550 - TrackLength; the car has passed it once the
// line shows below the top of the car, not when it is level with it, and it stays passed.
TEST_F(LampTest, TheFinishLineIsCrossedOnceItShowsBelowTheCar) {
    auto* finish = new TFinish(&host.engine, host);
    host.race.Finish = finish;
    EXPECT_EQ(finish->LineY, 1250 * 72);
    EXPECT_FALSE(finish->Crossed);
    TScrollBackground background(&host.engine, Picture::Tiles, 13, 10, &host);
    host.background = &background;
    host.track->ViewRow = 1250 - 5;  // the line at 5 x 72 = 360, above the car at 400
    background.Y = 40;
    finish->MoveStep(1);
    EXPECT_EQ(finish->Y, 400);
    EXPECT_FALSE(finish->Crossed);
    EXPECT_FALSE(FinishCrossed(host.race));
    background.Y = 40.5;
    finish->MoveStep(1);
    EXPECT_TRUE(finish->Crossed);
    EXPECT_TRUE(FinishCrossed(host.race));
    host.track->ViewRow = 1000;
    finish->MoveStep(1);
    EXPECT_TRUE(finish->Crossed);
    host.track->Level = LevelParamsFor(2);
    finish->PlaceFinish();
    EXPECT_FALSE(finish->Crossed);
    EXPECT_EQ(finish->LineY, 1050 * 72);
    host.background = nullptr;
}

}  // namespace
