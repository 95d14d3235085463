// The car's driving model on an open road: the speed curve, nitro, brakes and reverse, the
// handbrake, the off-road limit, steering, and the start of the track, which cannot be reversed
// off. Every per-step change is checked at 85 Hz and, scaled by 85/60, at 60 Hz.

#include <cmath>

#include "core/rounding.h"
#include "player_fixture.h"

namespace {

class PlayerDrivingTest : public PlayerRaceTest {
protected:
    // Open road everywhere, with the view well away from the start so that the car can also
    // reverse.
    void SetUp() override {
        PlayerRaceTest::SetUp();
        form->RaceScreen.Track.ViewRow = 1000;
        OpenRoad();
    }
    // Frames at 85 Hz worth of driving, at the test's rate.
    int FramesOf85(int frames) const { return frames * GetParam() / 85 + 1; }
};

TEST_P(PlayerDrivingTest, UpRaisesTheSpeedByThreeTenthsAStepToAbout38ThenSlower) {
    Press({SDL_SCANCODE_UP});
    const double step = 0.3 * FrameScale();
    double before = car->CarSpeed;
    ASSERT_EQ(before, 0);
    bool sawFifty = false;
    while (car->CarSpeed < 100) {
        Frame();
        const double rise = car->CarSpeed - before;
        if (before <= 38) {
            ASSERT_NEAR(rise, step, 1e-9) << "at " << before;
        } else {
            ASSERT_LT(rise, step) << "at " << before;
        }
        if (std::fabs(before - 50) < 0.3) {
            EXPECT_NEAR(rise, 0.2 * FrameScale(), 0.005);
            sawFifty = true;
        }
        before = car->CarSpeed;
    }
    EXPECT_TRUE(sawFifty);
    EXPECT_NEAR(car->Velocity, car->CarSpeed / 10, 1e-12);
}

TEST_P(PlayerDrivingTest, HoldingUpSettlesAt160) {
    Press({SDL_SCANCODE_UP});
    Frames(FramesOf85(2300));
    double low = 1000;
    double high = -1000;
    for (int i = 0; i < 100; ++i) {
        Frame();
        low = std::min(low, car->CarSpeed);
        high = std::max(high, car->CarSpeed);
    }
    EXPECT_GT(low, 159.8);
    EXPECT_LT(high, 160.1);
}

TEST_P(PlayerDrivingTest, NitroReachesAndHolds170WhileTheChargeLasts) {
    SetSpeed(150);
    car->PickUp(CarItem::Nitro);
    EXPECT_TRUE(car->HasNitro);
    EXPECT_EQ(car->NitroFuel, 100);
    Press({SDL_SCANCODE_UP, SDL_SCANCODE_X});
    const double fuelAfterPress = car->NitroFuel;
    // From 150 the boost adds 0.6 a step.
    const double before = car->CarSpeed;
    Frame();
    EXPECT_NEAR(car->CarSpeed - before, 0.6 * FrameScale(), 1e-9);
    EXPECT_NEAR(fuelAfterPress - car->NitroFuel, 0.5 * FrameScale(), 1e-9);
    int boosted = 1;  // the frame above
    bool reached = false;
    while (car->HasNitro && boosted < 1000) {
        Frame();
        ++boosted;
        if (reached) {
            ASSERT_EQ(car->CarSpeed, 170);
        }
        reached = reached || car->CarSpeed == 170;
    }
    EXPECT_TRUE(reached);
    // A charge of 100 burns 0.5 a step at 85 Hz: 200 boosted steps; then the race drops it.
    EXPECT_EQ(boosted, static_cast<int>(std::ceil(100 / (0.5 * FrameScale()) - 1e-9)));
    EXPECT_EQ(car->NitroFuel, 0);
    Frames(FramesOf85(200));
    EXPECT_LE(car->CarSpeed, 160.1);
    EXPECT_GT(car->CarSpeed, 159.5);
}

TEST_P(PlayerDrivingTest, DownBrakesThroughZeroIntoReverseAndStopsAtMinus15) {
    SetSpeed(160);
    Press({SDL_SCANCODE_DOWN});
    double before = car->CarSpeed;
    while (car->CarSpeed > -15) {
        Frame();
        // 0.3 a step, except where the last tenth before a standstill is dropped.
        if (before > 0.5 && car->CarSpeed > 0) {
            ASSERT_NEAR(before - car->CarSpeed, 0.3 * FrameScale(), 1e-9);
        }
        if (car->CarSpeed < 0 && car->CarSpeed > -14) {
            ASSERT_NEAR(before - car->CarSpeed, 0.3 * FrameScale(), 1e-9);
        }
        before = car->CarSpeed;
    }
    EXPECT_EQ(car->CarSpeed, -15);
    Frames(30);
    EXPECT_EQ(car->CarSpeed, -15);
    // Released, the car keeps reversing: the rolling loss only slows forward travel.
    ReleaseAll();
    Frames(60);
    EXPECT_EQ(car->CarSpeed, -15);
    EXPECT_EQ(car->Velocity, -1.5);
}

TEST_P(PlayerDrivingTest, HandbrakeAtHalfSpeedStopsTheCarAtOnce) {
    Press({SDL_SCANCODE_SPACE});
    SetSpeed(0.5);
    Frame();
    EXPECT_EQ(car->CarSpeed, 0);
    SetSpeed(-0.5);
    Frame();
    EXPECT_EQ(car->CarSpeed, 0);
}

TEST_P(PlayerDrivingTest, HandbrakeIgnoresTheSteeringAndBrakesAtSixTenthsAStep) {
    SetSpeed(60);
    Press({SDL_SCANCODE_SPACE, SDL_SCANCODE_LEFT});
    const double before = car->CarSpeed;
    Frame();
    EXPECT_NEAR(before - car->CarSpeed, 0.6 * FrameScale(), 1e-9);
    EXPECT_EQ(car->Steer, 0);
    Frames(10);
    EXPECT_EQ(car->Steer, 0);
    EXPECT_EQ(car->Heading, 0);
}

TEST_P(PlayerDrivingTest, OffTheRoadTheCarLosesHalfAStepDownTo80) {
    OpenGround();
    SetSpeed(100);
    Frame();
    ASSERT_FALSE(car->OnRoad);
    double before = car->CarSpeed;
    while (before > 80) {
        Frame();
        EXPECT_NEAR(before - car->CarSpeed, 0.5 * FrameScale(), 1e-9);
        before = car->CarSpeed;
    }
    // At 80 or below only the ordinary rolling loss is left.
    Frame();
    EXPECT_LT(before - car->CarSpeed, 0.2 * FrameScale());
    EXPECT_GT(car->CarSpeed, 79);
}

TEST_P(PlayerDrivingTest, OffTheRoadTheUpKeyCannotHoldTheSpeedAbove80) {
    OpenGround();
    SetSpeed(120);
    Press({SDL_SCANCODE_UP});
    Frames(FramesOf85(200));
    EXPECT_LE(car->CarSpeed, 80.5);
    EXPECT_GT(car->CarSpeed, 79);
}

TEST_P(PlayerDrivingTest, StandingStillTheSteeringKeysDoNothing) {
    Press({SDL_SCANCODE_LEFT});
    Frames(20);
    Release({SDL_SCANCODE_LEFT});
    Press({SDL_SCANCODE_RIGHT});
    Frames(20);
    EXPECT_EQ(car->Steer, 0);
    EXPECT_EQ(car->Heading, 0);
}

TEST_P(PlayerDrivingTest, FullRateSteeringTurnsHalfAUnitOfHeadingAStep) {
    Press({SDL_SCANCODE_UP});
    SetSpeed(100);
    Press({SDL_SCANCODE_LEFT});
    const double steerBefore = car->Steer;
    const int steps = 20;
    Frames(steps);
    EXPECT_NEAR(car->Steer - steerBefore, -steps * FrameScale(), 1e-9);
    EXPECT_EQ(car->Heading, Round(car->Steer / 2));
    EXPECT_LT(car->Heading, 0);
    // Held long enough, the car turns a quarter turn and no further.
    Frames(FramesOf85(300));
    EXPECT_EQ(car->Steer, -128);
    EXPECT_EQ(car->Heading, -64);
}

TEST_P(PlayerDrivingTest, SlowSteeringFollowsTheSpeed) {
    SetSpeed(25);
    Press({SDL_SCANCODE_UP});
    const double speed = car->CarSpeed;
    const double steer = car->Steer;
    form->FormKeyDown(SDL_SCANCODE_RIGHT, false);
    Frame();  // latches Right
    const double steer1 = car->Steer;
    EXPECT_EQ(steer1, steer);
    Frame();
    // SteerFactor is the speed over 50 below 50.
    EXPECT_NEAR(car->Steer - steer1, speed / 50 * FrameScale(), 0.02);
}

TEST_P(PlayerDrivingTest, ReversingInvertsTheSteering) {
    SetSpeed(-15);
    Press({SDL_SCANCODE_LEFT});
    // Reversing at 15 steers at the full rate, and left turns the nose to the right.
    const double before = car->Steer;
    Frames(10);
    EXPECT_NEAR(car->Steer - before, 10 * FrameScale(), 1e-9);
    EXPECT_GT(car->Heading, 0);
}

TEST_P(PlayerDrivingTest, AtTheStartOfTheTrackTheCarCannotReverse) {
    form->RaceScreen.Track.ViewRow = 1490;
    form->RaceScreen.RefreshView();
    Press({SDL_SCANCODE_DOWN});
    for (int i = 0; i < 30; ++i) {
        Frame();
        ASSERT_EQ(car->CarSpeed, 0);
        ASSERT_EQ(car->Velocity, 0);
    }
}

TEST_P(PlayerDrivingTest, ReversingStopsWhenTheViewReachesTheStart) {
    form->RaceScreen.Track.ViewRow = 1489;
    form->RaceScreen.RefreshView();
    Press({SDL_SCANCODE_DOWN});
    ASSERT_TRUE(RunUntil([&] { return car->CarSpeed < -5; }, 200));
    ASSERT_TRUE(RunUntil([&] { return form->RaceScreen.Track.ViewRow == 1490; }, 400));
    Frames(20);
    EXPECT_EQ(car->CarSpeed, 0);
    EXPECT_EQ(form->RaceScreen.Track.ViewRow, 1490);
}

INSTANTIATE_TEST_SUITE_P(Rates, PlayerDrivingTest, ::testing::Values(85, 60), RateName);

}  // namespace
