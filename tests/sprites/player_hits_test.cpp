// What other actors do to the car: barriers throw it back and cost energy, collisions slow it
// down, and bonuses give a life, nitro or a weapon.

#include <algorithm>

#include "player_fixture.h"

namespace {

class PlayerHitTest : public PlayerRaceTest {
protected:
    void SetUp() override {
        PlayerRaceTest::SetUp();
        form->RaceScreen.Track.ViewRow = 1000;
        OpenRoad();
    }
};

TEST_P(PlayerHitTest, DrivingIntoAWallThrowsTheCarBackAndCostsOneHit) {
    // One wall cell straight ahead, four rows up the screen; the car covers its column only.
    form->RaceScreen.Track.TrackMap.Set(form->RaceScreen.Track.ViewRow + 4,
                                        form->RaceScreen.Track.ViewCol + 5, 40);
    form->RaceScreen.RefreshView();
    SetSpeed(40);
    ASSERT_TRUE(RunUntil([&] { return car->Energy < 3; }, 200));
    EXPECT_EQ(car->Energy, 2);
    EXPECT_EQ(car->CarSpeed, -100);
    EXPECT_EQ(car->Velocity, -10);
    EXPECT_FALSE(car->SkipStep);  // the car's own step of that frame was the skipped one
    const double y = form->RaceScreen.CurrentBackground->Y;
    Frame();
    // Reverse speed is limited as ever; the road was pushed back by the bounce's speed.
    EXPECT_EQ(car->CarSpeed, -15);
    EXPECT_NEAR(form->RaceScreen.CurrentBackground->Y - y, -10 * 0.5 * FrameScale(), 1e-9);
    Frames(20);
    EXPECT_EQ(car->Energy, 2);
}

// A barrier cell reported by the road: only one overlapping the car's outline counts; a moving
// car is thrown back, a standing one has its speed turned round, each costs a hit, and a car with
// no energy left or exploding passes through.
TEST_P(PlayerHitTest, ABarrierTouchingTheOutlineBouncesOrSlowsAndCostsAHit) {
    car->Footprint = {TPointD{370, 440}, TPointD{420, 440}, TPointD{370, 590}, TPointD{420, 590}};
    auto cell = [](double left, double top, double right, double bottom) {
        return std::array<TPointD, 4>{TPointD{left, top}, TPointD{right, top},
                                      TPointD{left, bottom}, TPointD{right, bottom}};
    };
    SetSpeed(50);
    car->TouchSolidCell(cell(430, 440, 500, 590));  // beside the car
    EXPECT_EQ(car->Energy, 3);
    EXPECT_EQ(car->CarSpeed, 50);
    car->TouchSolidCell(cell(397, 432, 432, 504));
    EXPECT_EQ(car->CarSpeed, -100);
    EXPECT_EQ(car->Energy, 2);
    SetSpeed(0);
    car->TouchSolidCell(cell(397, 432, 432, 504));
    EXPECT_EQ(car->CarSpeed, 0);
    EXPECT_EQ(car->Energy, 1);
    SetSpeed(-8);
    car->Energy = 0;
    car->TouchSolidCell(cell(397, 432, 432, 504));
    EXPECT_EQ(car->CarSpeed, -8);
    car->Energy = 2;
    car->Crashed = 1;
    car->TouchSolidCell(cell(397, 432, 432, 504));
    EXPECT_EQ(car->Energy, 2);
}

// Two wall cells under the car in one step cost two hits.
TEST_P(PlayerHitTest, TwoWallCellsUnderTheCarCostTwoHits) {
    SetSpeed(0);
    form->RaceScreen.CurrentBackground->X = form->RaceScreen.CurrentBackground->Y = 0;
    form->RaceScreen.Track.TrackMap.Set(form->RaceScreen.Track.ViewRow + 6,
                                        form->RaceScreen.Track.ViewCol + 5, 42);
    form->RaceScreen.Track.TrackMap.Set(form->RaceScreen.Track.ViewRow + 7,
                                        form->RaceScreen.Track.ViewCol + 5, 44);
    car->UpdateWorldVelocity();
    car->Footprint = {TPointD{350, 440}, TPointD{440, 440}, TPointD{350, 590}, TPointD{440, 590}};
    form->RaceScreen.CurrentBackground->MoveStep(1);
    EXPECT_EQ(car->Energy, 1);
    EXPECT_EQ(form->RaceScreen.Race.Lives, 3);
}

TEST_P(PlayerHitTest, ABounceMovesTheRoadBackAtOnceAndSkipsTheCarsNextStep) {
    SetSpeed(90);
    car->UpdateWorldVelocity();
    form->RaceScreen.CurrentBackground->Y = -30;
    car->Bounce(-100);
    EXPECT_TRUE(car->SkipStep);
    EXPECT_EQ(car->CarSpeed, -100);
    EXPECT_EQ(form->RaceScreen.Race.WorldVelocityY, -10);
    EXPECT_NEAR(form->RaceScreen.CurrentBackground->Y, -30 - 5 * FrameScale(), 1e-9);
    const double steer = car->Steer;
    car->MoveStep(FrameMs());
    EXPECT_FALSE(car->SkipStep);
    EXPECT_EQ(car->CarSpeed, -100);
    EXPECT_EQ(car->Steer, steer);
}

TEST_P(PlayerHitTest, ASlowDownScalesTheSpeedAndCanReverseIt) {
    SetSpeed(-10);
    car->SlowDown(-1);
    EXPECT_EQ(car->CarSpeed, 10);
    EXPECT_EQ(car->Velocity, 1);
    car->SlowDown(0.5);
    EXPECT_EQ(car->CarSpeed, 5);
}

TEST_P(PlayerHitTest, TheHornSoundsOncePerPress) {
    sounds->played.clear();
    Press({SDL_SCANCODE_H});
    Frames(10);
    EXPECT_TRUE(car->HornOn);
    Release({SDL_SCANCODE_H});
    Frame();
    EXPECT_FALSE(car->HornOn);
    Press({SDL_SCANCODE_H});
    Frame();
    EXPECT_EQ(sounds->Count("Horn"), 2);
}

INSTANTIATE_TEST_SUITE_P(Rates, PlayerHitTest, ::testing::Values(85, 60), RateName);

class PlayerPickUpTest : public PlayerRaceTest {};

TEST_P(PlayerPickUpTest, ALifeAndNitro) {
    car->PickUp(CarItem::Life);
    EXPECT_EQ(form->RaceScreen.Race.Lives, 4);
    car->PickUp(CarItem::Nitro);
    EXPECT_TRUE(car->HasNitro);
    EXPECT_EQ(car->NitroFuel, 100);
    car->DropItem(CarItem::Nitro);
    EXPECT_FALSE(car->HasNitro);
    EXPECT_EQ(car->NitroFuel, 0);
}

TEST_P(PlayerPickUpTest, TheGunComesOutFromItsFirstPictureOverTheRoof) {
    car->PickUp(CarItem::MachineGun);
    EXPECT_EQ(car->Weapon, WeaponKind::MachineGun);
    EXPECT_EQ(car->Ammo, 25);
    EXPECT_EQ(car->WeaponFrame, 1);
    EXPECT_EQ(car->WeaponSprite->Image->Name(), "GunAnim_1");
    // Centred at 50 % across and 60 % down the car.
    EXPECT_EQ(car->WeaponSprite->X + car->WeaponSprite->Width / 2.0, 365 + 32);
    EXPECT_EQ(car->WeaponSprite->Y + car->WeaponSprite->Height / 2.0, 400 + 93);
}

TEST_P(PlayerPickUpTest, TheSameWeaponAgainRefillsWithoutStartingOver) {
    car->PickUp(CarItem::MachineGun);
    car->WeaponFrame = 4;
    car->Ammo = 3;
    car->PickUp(CarItem::MachineGun);
    EXPECT_EQ(car->WeaponFrame, 4);
    EXPECT_EQ(car->Ammo, 25);
    EXPECT_EQ(car->WeaponSprite->Image->Name(), "GunAnim_4");
}

TEST_P(PlayerPickUpTest, RocketsReplaceTheGunAndSilenceIt) {
    car->PickUp(CarItem::MachineGun);
    car->WeaponFrame = 6;
    car->GunSoundOn = true;
    car->PickUp(CarItem::Rockets);
    EXPECT_FALSE(car->GunSoundOn);
    EXPECT_EQ(car->Weapon, WeaponKind::Rockets);
    EXPECT_EQ(car->Ammo, 20);
    EXPECT_EQ(car->WeaponFrame, 1);
    EXPECT_EQ(car->WeaponSprite->Image->Name(), "RocketAnim_1");
}

TEST_P(PlayerPickUpTest, AnEmptiedWeaponStaysMountedUntilEverythingIsDropped) {
    car->PickUp(CarItem::Rockets);
    car->DropItem(CarItem::Rockets);
    EXPECT_EQ(car->Ammo, 0);
    EXPECT_EQ(car->Weapon, WeaponKind::Rockets);
    car->PickUp(CarItem::Nitro);
    car->DropAll();
    EXPECT_EQ(car->Weapon, WeaponKind::None);
    EXPECT_FALSE(car->HasNitro);
}

INSTANTIATE_TEST_SUITE_P(Rates, PlayerPickUpTest, ::testing::Values(85), RateName);

}  // namespace
