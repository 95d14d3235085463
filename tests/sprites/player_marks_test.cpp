// Skid and blood marks: laid in pairs behind the rear wheels, scrolled with the road, freed when
// they leave the play area, never more than 100 at a time.

#include <algorithm>

#include "player_fixture.h"

namespace {

int UsedMarks(const TPlayer& car) {
    return static_cast<int>(std::count_if(car.MarkTable.begin() + 1, car.MarkTable.end(),
                                          [](const TMark& m) { return m.Used; }));
}

class PlayerMarksTest : public PlayerRaceTest {
protected:
    void SetUp() override {
        PlayerRaceTest::SetUp();
        form->RaceScreen.Track.ViewRow = 1000;
        OpenRoad();
    }
};

TEST_P(PlayerMarksTest, TheHandbrakeAtSpeedLaysSkidMarksInPairs) {
    SetSpeed(80);
    Press({SDL_SCANCODE_SPACE});
    int pairs = 0;
    for (int i = 0; i < 40; ++i) {
        const auto before = car->MarkTable;
        Frame();
        int laid = 0;
        for (int slot = 1; slot <= kMarkSlots; ++slot)
            if (car->MarkTable[slot].Used && !before[slot].Used) ++laid;
        ASSERT_TRUE(laid == 0 || laid == 2) << laid;
        if (laid == 0) continue;
        ++pairs;
        const TMark& last = car->MarkTable[car->LastMark];
        EXPECT_TRUE(last.Shown);
        EXPECT_FALSE(last.Blood);
        // Behind the car, near the rear wheels.
        EXPECT_GT(last.MarkY, car->Y + car->Height / 2.0);
    }
    EXPECT_GT(pairs, 3);
    // Standing, the car lays no more.
    ASSERT_TRUE(RunUntil([&] { return car->CarSpeed == 0; }, 300));
    const auto standing = car->MarkTable;
    Frames(5);
    for (int slot = 1; slot <= kMarkSlots; ++slot)
        EXPECT_FALSE(car->MarkTable[slot].Used && !standing[slot].Used) << slot;
}

TEST_P(PlayerMarksTest, WithoutHandbrakeOrBloodNoMarksAreLaid) {
    SetSpeed(80);
    Press({SDL_SCANCODE_UP, SDL_SCANCODE_LEFT});
    Frames(40);
    EXPECT_EQ(UsedMarks(*car), 0);
}

TEST_P(PlayerMarksTest, MarksScrollWithTheRoadAndAreFreedBelowThePlayArea) {
    car->AddMark(300, 580);
    SetSpeed(100);
    Press({SDL_SCANCODE_UP});
    const double y = car->MarkTable[1].MarkY;
    const double roadStep = form->RaceScreen.Race.WorldVelocityY * 0.5 * FrameScale();
    ASSERT_GT(roadStep, 4);
    Frame();
    // The same step as the road.
    EXPECT_NEAR(car->MarkTable[1].MarkY - y, roadStep, 1e-9);
    EXPECT_EQ(car->MarkTable[1].MarkX, 300);
    ASSERT_TRUE(RunUntil([&] { return !car->MarkTable[1].Used; }, 100));
    EXPECT_EQ(car->MarkTable[1].MarkX, 0);
}

// The table itself does not depend on the frame rate.
class PlayerMarkTableTest : public PlayerMarksTest {};

TEST_P(PlayerMarkTableTest, ARunOverLeavesTenInvisiblePairsThenFifteenPairsOfBlood) {
    car->BloodTrail = 50;
    for (int i = 1; i <= 50; ++i) {
        car->AddMark(100, 100);
        const TMark& mark = car->MarkTable[i];
        EXPECT_TRUE(mark.Blood) << i;
        EXPECT_EQ(mark.Shown, i > 20) << i;
    }
    EXPECT_EQ(car->BloodTrail, 0);
    car->AddMark(100, 100);
    EXPECT_FALSE(car->MarkTable[51].Blood);
    EXPECT_TRUE(car->MarkTable[51].Shown);
}

TEST_P(PlayerMarksTest, TheBloodTrailIsLaidWithoutTheHandbrake) {
    car->BloodTrail = 50;
    SetSpeed(30);
    Press({SDL_SCANCODE_UP});
    ASSERT_TRUE(RunUntil([&] { return UsedMarks(*car) > 0; }, 50));
    EXPECT_EQ(UsedMarks(*car), 2);
    EXPECT_EQ(car->BloodTrail, 48);
}

TEST_P(PlayerMarkTableTest, AFullTableDropsNewMarksUntilOldOnesLeave) {
    for (int i = 0; i < kMarkSlots; ++i) car->AddMark(100 + i, 300);
    ASSERT_EQ(UsedMarks(*car), kMarkSlots);
    EXPECT_EQ(car->LastMark, kMarkSlots);
    car->BloodTrail = 5;
    car->AddMark(50, 50);
    EXPECT_EQ(car->LastMark, kMarkSlots);
    EXPECT_EQ(car->BloodTrail, 5);
    car->MarkTable[37].MarkX = -1;
    car->CullMarks();
    EXPECT_EQ(UsedMarks(*car), kMarkSlots - 1);
    car->AddMark(50, 50);
    EXPECT_EQ(car->LastMark, 37);
    EXPECT_EQ(car->MarkTable[37].MarkX, 50);
}

TEST_P(PlayerMarkTableTest, CullingKeepsMarksOnTheEdgesOfThePlayArea) {
    struct Case {
        double x, y;
        bool kept;
    };
    const Case cases[] = {{0, 300, true},      {-0.1, 300, false}, {700, 300, true},
                          {700.1, 300, false}, {300, -14, true},   {300, -14.1, false},
                          {300, 600, true},    {300, 600.1, false}};
    for (const Case& c : cases) {
        car->MarkTable = {};
        car->AddMark(c.x, c.y);
        car->CullMarks();
        EXPECT_EQ(car->MarkTable[1].Used, c.kept) << c.x << ", " << c.y;
    }
}

INSTANTIATE_TEST_SUITE_P(Rates, PlayerMarksTest, ::testing::Values(85, 60), RateName);
INSTANTIATE_TEST_SUITE_P(Rates, PlayerMarkTableTest, ::testing::Values(85), RateName);

}  // namespace
