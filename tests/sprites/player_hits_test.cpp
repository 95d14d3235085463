// What other actors do to the car: barriers throw it back and cost energy, collisions slow it
// down, and bonuses give a life, nitro or a weapon.

#include <algorithm>

#include "player_fixture.h"

namespace {

class PlayerHitTest : public PlayerRaceTest {
protected:
    void SetUp() override {
        PlayerRaceTest::SetUp();
        form->Track.ViewRow = 1000;
        OpenRoad();
    }
};

TEST_P(PlayerHitTest, DrivingIntoAWallThrowsTheCarBackAndCostsOneHit) {
    // One wall cell straight ahead, four rows up the screen; the car covers its column only.
    form->Track.TrackMap.Set(form->Track.ViewRow + 4, form->Track.ViewCol + 5, 40);
    form->RefreshView();
    SetSpeed(40);
    ASSERT_TRUE(RunUntil([&] { return car->Energy < 3; }, 200));
    EXPECT_EQ(car->Energy, 2);
    EXPECT_EQ(car->CarSpeed, -100);
    EXPECT_EQ(car->Velocity, -10);
    EXPECT_FALSE(car->SkipStep);  // the car's own step of that frame was the skipped one
    const double y = form->CurrentBackground->Y;
    Frame();
    // Reverse speed is limited as ever; the road was pushed back by the bounce's speed.
    EXPECT_EQ(car->CarSpeed, -15);
    EXPECT_NEAR(form->CurrentBackground->Y - y, -10 * 0.5 * FrameScale(), 1e-9);
    Frames(20);
    EXPECT_EQ(car->Energy, 2);
}

TEST_P(PlayerHitTest, ABounceMovesTheRoadBackAtOnceAndSkipsTheCarsNextStep) {
    SetSpeed(90);
    form->UpdateWorldVelocity();
    form->CurrentBackground->Y = -30;
    car->Bounce(-100);
    EXPECT_TRUE(car->SkipStep);
    EXPECT_EQ(car->CarSpeed, -100);
    EXPECT_EQ(form->Race.WorldVelocityY, -10);
    EXPECT_NEAR(form->CurrentBackground->Y, -30 - 5 * FrameScale(), 1e-9);
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
    form->LogSounds = true;
    Press({SDL_SCANCODE_H});
    Frames(10);
    EXPECT_TRUE(car->HornOn);
    Release({SDL_SCANCODE_H});
    Frame();
    EXPECT_FALSE(car->HornOn);
    Press({SDL_SCANCODE_H});
    Frame();
    EXPECT_EQ(std::count(form->PlayedSounds.begin(), form->PlayedSounds.end(), "Horn"), 2);
}

INSTANTIATE_TEST_SUITE_P(Rates, PlayerHitTest, ::testing::Values(85, 60), RateName);

class PlayerPickUpTest : public PlayerRaceTest {};

TEST_P(PlayerPickUpTest, ALifeAndNitro) {
    car->PickUp(1);
    EXPECT_EQ(form->Race.Lives, 4);
    car->PickUp(2);
    EXPECT_TRUE(car->HasNitro);
    EXPECT_EQ(car->NitroFuel, 100);
    car->DropItem(2);
    EXPECT_FALSE(car->HasNitro);
    EXPECT_EQ(car->NitroFuel, 0);
}

TEST_P(PlayerPickUpTest, TheGunComesOutFromItsFirstPictureOverTheRoof) {
    car->PickUp(3);
    EXPECT_EQ(car->Weapon, 3);
    EXPECT_EQ(car->Ammo, 25);
    EXPECT_EQ(car->WeaponFrame, 1);
    EXPECT_EQ(car->WeaponSprite->Image->Name(), "GunAnim_1");
    // Centred at 50 % across and 60 % down the car.
    EXPECT_EQ(car->WeaponSprite->X + car->WeaponSprite->Width / 2.0, 365 + 32);
    EXPECT_EQ(car->WeaponSprite->Y + car->WeaponSprite->Height / 2.0, 400 + 93);
}

TEST_P(PlayerPickUpTest, TheSameWeaponAgainRefillsWithoutStartingOver) {
    car->PickUp(3);
    car->WeaponFrame = 4;
    car->Ammo = 3;
    car->PickUp(3);
    EXPECT_EQ(car->WeaponFrame, 4);
    EXPECT_EQ(car->Ammo, 25);
    EXPECT_EQ(car->WeaponSprite->Image->Name(), "GunAnim_4");
}

TEST_P(PlayerPickUpTest, RocketsReplaceTheGunAndSilenceIt) {
    car->PickUp(3);
    car->WeaponFrame = 6;
    car->GunSoundOn = true;
    car->PickUp(4);
    EXPECT_FALSE(car->GunSoundOn);
    EXPECT_EQ(car->Weapon, 4);
    EXPECT_EQ(car->Ammo, 20);
    EXPECT_EQ(car->WeaponFrame, 1);
    EXPECT_EQ(car->WeaponSprite->Image->Name(), "RocketAnim_1");
}

TEST_P(PlayerPickUpTest, AnEmptiedWeaponStaysMountedUntilEverythingIsDropped) {
    car->PickUp(4);
    car->DropItem(4);
    EXPECT_EQ(car->Ammo, 0);
    EXPECT_EQ(car->Weapon, 4);
    car->PickUp(2);
    car->DropAll();
    EXPECT_EQ(car->Weapon, 0);
    EXPECT_FALSE(car->HasNitro);
}

INSTANTIATE_TEST_SUITE_P(Rates, PlayerPickUpTest, ::testing::Values(85), RateName);

}  // namespace
