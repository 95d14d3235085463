// The car's weapons: the gun's rate of fire and its folding away, a pick-up over a mounted
// weapon, the rockets' launch, speed, flight, explosion and return to the pool, the gun's ray
// through the traffic, and the weapon's picture on the car.

#include <cmath>
#include <vector>

#include "player_fixture.h"
#include "sprites/traffic.h"
#include "traffic_fixture.h"

namespace {

// ---- On the race's form, frame by frame ------------------------------------------------------

class WeaponRaceTest : public PlayerRaceTest {
protected:
    void SetUp() override {
        PlayerRaceTest::SetUp();
        form->RaceScreen.Track.ViewRow = 1000;
        OpenRoad();
        // Nothing to shoot at: the weapons are timed, not aimed, here.
        for (TCarSlot& slot : form->RaceScreen.Race.Traffic->Slots) slot = TCarSlot{};
    }
};

// The gun comes out in 100 ms steps, fires one shot whenever its 200 ms cooldown has run out
// while the key is held (every 19 frames at 85 Hz, every 13 at 60 Hz), 25 shots in all, and then
// folds away.
TEST_P(WeaponRaceTest, TheGunFiresEvery200msFor25ShotsThenFoldsAway) {
    car->PickUp(CarItem::MachineGun);
    ASSERT_TRUE(RunUntil([&] { return car->WeaponFrame == 6; }, 100));
    EXPECT_GE(sounds->Count("WeaponAppear"), 1);
    Press({SDL_SCANCODE_Z});
    std::vector<int> shotFrames;
    int ammo = car->Ammo;
    for (int frame = 0; frame < 1000 && car->Weapon != WeaponKind::None; ++frame) {
        Frame();
        if (car->Ammo != ammo) {
            EXPECT_EQ(car->Ammo, ammo - 1);
            shotFrames.push_back(frame);
            ammo = car->Ammo;
        }
    }
    ASSERT_EQ(shotFrames.size(), 25u);
    const int spacing = GetParam() == 85 ? 19 : 13;
    for (size_t i = 1; i < shotFrames.size(); ++i)
        EXPECT_EQ(shotFrames[i] - shotFrames[i - 1], spacing) << "shot " << i;
    EXPECT_EQ(car->Weapon, WeaponKind::None);
    EXPECT_EQ(car->Ammo, 0);
    EXPECT_EQ(car->WeaponFrame, 1);
    EXPECT_FALSE(car->GunSoundOn);
    EXPECT_GE(sounds->Count("MachineGun"), 1);
}

// The last rocket's launch plays out: the race drops the empty launcher in the very frame the
// rocket leaves (and in every frame after, until it has folded away), and the drop does not
// silence the rocket already flying.
TEST_P(WeaponRaceTest, TheLastRocketsLaunchSoundPlaysOut) {
    car->PickUp(CarItem::Rockets);
    ASSERT_TRUE(RunUntil([&] { return car->WeaponFrame == 6; }, 100));
    car->Ammo = 2;
    Press({SDL_SCANCODE_Z});
    ASSERT_TRUE(RunUntil([&] { return car->Ammo == 0; }, 200));
    EXPECT_EQ(sounds->Count("Rocket"), 2);
    EXPECT_TRUE(sounds->Sounding("Rocket")) << "in the frame the last rocket left";
    Release({SDL_SCANCODE_Z});
    Frames(10);
    EXPECT_LT(car->WeaponFrame, 6) << "the launcher folds away";
    EXPECT_TRUE(sounds->Sounding("Rocket")) << "while the launcher folds away";
}

// Rockets picked up over the mounted gun: the gun falls silent, its ammunition is lost, and the
// launcher comes out from its first picture, ready five steps later.
TEST_P(WeaponRaceTest, RocketsOverAMountedGunComeOutFromTheFirstPicture) {
    car->PickUp(CarItem::MachineGun);
    ASSERT_TRUE(RunUntil([&] { return car->WeaponFrame == 6; }, 100));
    Press({SDL_SCANCODE_Z});
    Frames(3);
    ASSERT_TRUE(car->GunSoundOn);
    car->PickUp(CarItem::Rockets);
    EXPECT_FALSE(car->GunSoundOn);
    EXPECT_EQ(car->Weapon, WeaponKind::Rockets);
    EXPECT_EQ(car->Ammo, 20);
    EXPECT_EQ(car->WeaponFrame, 1);
    EXPECT_EQ(car->WeaponSprite->Image->Name(), "RocketAnim_1");
    Release({SDL_SCANCODE_Z});
    std::vector<int> frames;
    for (int i = 0; i < 100 && car->WeaponFrame < 6; ++i) {
        Frame();
        if (frames.empty() || frames.back() != car->WeaponFrame) frames.push_back(car->WeaponFrame);
    }
    EXPECT_EQ(frames, (std::vector<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(car->WeaponSprite->Image->Name(), "RocketAnim_6");
    EXPECT_EQ(car->Ammo, 20);
}

// A race frame puts back a rocket that has left the play area.
TEST_P(WeaponRaceTest, TheRaceFramePutsBackRocketsThatLeaveThePlayArea) {
    TRocket* rocket = form->RaceScreen.Race.RocketPool[0];
    rocket->Launch(695, 300, 18, 0);  // its right side at 707, past the play area's 700
    Frame();
    EXPECT_FALSE(rocket->InFlight);
    EXPECT_FALSE(rocket->Visible);
    EXPECT_EQ(rocket->Y, -1000);
}

// A new level brings its own traffic: level 2 has 40 cars, 20 each way.
TEST_P(WeaponRaceTest, ALevelChangePlacesTheNewLevelsTraffic) {
    car->StartLevel(true);
    const TCar& traffic = *form->RaceScreen.Race.Traffic;
    int down = 0;
    int up = 0;
    for (int i = 1; i <= kCarSlots; ++i) {
        const TCarSlot& slot = traffic.Slot(i);
        if (slot.Dir == kDirDown) {
            EXPECT_LE(i, 20);
            ++down;
        }
        if (slot.Dir == kDirUp) {
            EXPECT_GT(i, 20);
            EXPECT_LE(i, 40);
            ++up;
        }
    }
    EXPECT_GE(down, 10);
    EXPECT_GE(up, 10);
}

// Leaving the race takes the road's actors, the five rockets and their flames with it.
TEST_P(WeaponRaceTest, TheEndOfTheRaceTakesTheActorsAndTheRockets) {
    const int raceSprites = form->Components.MDXSpriteEngine.SpriteCount;
    form->RaceScreen.Race.RocketPool[2]->Launch(300, 300, 18, 0);
    form->RaceScreen.EndRace();
    EXPECT_EQ(form->RaceScreen.Race.Lamps, nullptr);
    EXPECT_EQ(form->RaceScreen.Race.Crowd, nullptr);
    EXPECT_EQ(form->RaceScreen.Race.Bonuses, nullptr);
    EXPECT_EQ(form->RaceScreen.Race.Traffic, nullptr);
    EXPECT_EQ(form->RaceScreen.Race.Finish, nullptr);
    for (TRocket* rocket : form->RaceScreen.Race.RocketPool) EXPECT_EQ(rocket, nullptr);
    // The background, the five actors, six HUD sprites, the car with its three, five rockets
    // with their five flames: 26 sprites.
    EXPECT_EQ(raceSprites - form->Components.MDXSpriteEngine.SpriteCount, 26);
}

INSTANTIATE_TEST_SUITE_P(Rates, WeaponRaceTest, ::testing::Values(85, 60), RateName);

// ---- The car's steps, one by one -------------------------------------------------------------

class WeaponTest : public TrafficTest {
protected:
    void SetUp() override {
        TrafficTest::SetUp();
        for (TCarSlot& slot : traffic->Slots) slot = TCarSlot{};
        AddPlayer();
        CreateRocketPool(&host.engine, host, host.race);
    }
    void MountRockets() {
        player->PickUp(CarItem::Rockets);
        player->WeaponFrame = 6;
    }
    int InFlight() const {
        int n = 0;
        for (TRocket* rocket : host.race.RocketPool) n += rocket->InFlight ? 1 : 0;
        return n;
    }
};

// The rockets leave alternately from the two sides of the car, 55 pixels from its middle and a
// little behind it: Car1 (64 by 156 at 365, 400) launches from (438, 506) and (343, 506).
TEST_F(WeaponTest, RocketsLeaveFromAlternateSidesAtTheLaunchSpeed) {
    MountRockets();
    player->FireShot();
    EXPECT_EQ(player->Ammo, 19);
    EXPECT_EQ(player->FireCooldown, 500);
    EXPECT_TRUE(player->WeaponFired);
    EXPECT_EQ(host.CountOf("Rocket"), 1);
    const TRocket& right = *host.race.RocketPool[0];
    EXPECT_TRUE(right.InFlight);
    EXPECT_EQ(right.X, 438);
    EXPECT_EQ(right.Y, 506);
    EXPECT_EQ(right.WorldX, OriginX() + 438);
    EXPECT_EQ(right.RocketSpeed, 18);
    EXPECT_EQ(right.RocketHeading, 0);
    // The cooldown holds the next one back.
    player->FireShot();
    EXPECT_EQ(player->Ammo, 19);
    player->FireCooldown = 0;
    player->FireShot();
    const TRocket& left = *host.race.RocketPool[1];
    EXPECT_EQ(left.X, 343);
    EXPECT_EQ(left.Y, 506);
}

// Turned a quarter right (heading 64), the car launches along its heading from behind its middle
// (391, 478): the side angles are -150 and -234 (-210.9 and -329.1 degrees), so the points are
// (391 - 55 sin, 478 - 55 cos) = (362.7, 525.2) and (362.7, 430.8), truncated.
TEST_F(WeaponTest, ARocketFromATurnedCarLeavesFromBehindItAlongItsHeading) {
    MountRockets();
    player->Heading = 64;
    player->FireShot();
    player->FireCooldown = 0;
    player->FireShot();
    const TRocket& first = *host.race.RocketPool[0];
    const TRocket& second = *host.race.RocketPool[1];
    EXPECT_EQ(first.X, 362);
    EXPECT_EQ(first.Y, 525);
    EXPECT_EQ(second.X, 362);
    EXPECT_EQ(second.Y, 430);
    EXPECT_EQ(first.RocketHeading, 64);
    EXPECT_EQ(second.RocketHeading, 64);
}

// The car's own speed adds to the rocket's, rounded half to even: reversing at full speed
// (-1.5) it flies at 16, at -1 at 17, at -0.5 still at 18.
TEST_F(WeaponTest, ARocketFiredInReverseIsSlower) {
    MountRockets();
    const struct {
        double velocity;
        int speed;
    } cases[] = {{-1.5, 16}, {-1.0, 17}, {-0.5, 18}, {0, 18}, {8.5, 26}, {17, 35}};
    // Each rocket is put back before the next shot, so every shot takes the pool's first.
    TRocket& rocket = *host.race.RocketPool[0];
    for (const auto& c : cases) {
        player->Velocity = c.velocity;
        player->FireCooldown = 0;
        player->FireShot();
        EXPECT_TRUE(rocket.InFlight);
        EXPECT_EQ(rocket.RocketSpeed, c.speed) << c.velocity;
        rocket.Retire();
    }
}

// With all five rockets in the air, a shot spends the rocket and plays its sound, but nothing
// leaves the car.
TEST_F(WeaponTest, ASixthRocketLaunchesNothing) {
    MountRockets();
    for (int i = 0; i < 5; ++i) {
        player->FireCooldown = 0;
        player->FireShot();
    }
    ASSERT_EQ(InFlight(), 5);
    std::vector<double> places;
    for (TRocket* rocket : host.race.RocketPool) places.push_back(rocket->WorldX);
    player->FireCooldown = 0;
    player->FireShot();
    EXPECT_EQ(player->Ammo, 14);
    EXPECT_EQ(host.CountOf("Rocket"), 6);
    EXPECT_EQ(player->FireCooldown, 500);
    EXPECT_EQ(InFlight(), 5);
    for (size_t i = 0; i < places.size(); ++i)
        EXPECT_EQ(host.race.RocketPool[i]->WorldX, places[i]);
}

TEST_F(WeaponTest, AmmunitionNeverGoesBelowZero) {
    MountRockets();
    player->Ammo = 0;
    player->FireShot();
    EXPECT_EQ(player->Ammo, 0);
    player->PickUp(CarItem::MachineGun);
    player->WeaponFrame = 6;
    player->Ammo = 0;
    player->FireShot();
    EXPECT_EQ(player->Ammo, 0);
}

// A rocket flies RocketSpeed / 2 world pixels a frame along its heading and its flame follows.
TEST_F(WeaponTest, ARocketFliesAlongItsHeadingWithItsFlame) {
    TRocket& rocket = *host.race.RocketPool[0];
    rocket.Launch(300, 300, 18, 64);  // a quarter turn: to the right
    rocket.MoveStep(11);
    EXPECT_NEAR(rocket.X, 309, 1e-9);
    EXPECT_NEAR(rocket.Y, 300, 1e-9);
    EXPECT_NEAR(rocket.FireSprite->X, 297, 1e-9);
    EXPECT_NEAR(rocket.FireSprite->Y, 298, 1e-9);
    // An idle rocket does not move at all.
    TRocket& idle = *host.race.RocketPool[1];
    idle.MoveStep(11);
    EXPECT_EQ(idle.Y, -1000);

    // At 60 Hz a step is 85/60 as long (12.75 pixels), and on a road scrolled by (10, -30) the
    // rocket's world point lies 10 left of and 30 below where the view alone puts it.
    host.RunAt(60);
    host.UseBackground(10, -30);
    TRocket& down = *host.race.RocketPool[2];
    down.Launch(300, 300, 18, 128);  // half a turn: down the screen
    EXPECT_EQ(down.WorldX, OriginX() + 290);
    EXPECT_EQ(down.WorldY, OriginY() + 330);
    down.MoveStep(16);
    EXPECT_NEAR(down.WorldY, OriginY() + 342.75, 1e-9);
    EXPECT_NEAR(down.X, 300, 1e-9);
    EXPECT_NEAR(down.Y, 312.75, 1e-9);
}

// A rocket goes back to the pool when any part of it leaves the play area (x 0 to 700, y 0 to
// 600; above the screen only once its flame is gone too).
TEST_F(WeaponTest, RocketsLeavingThePlayAreaGoBackToThePool) {
    TRocket& rocket = *host.race.RocketPool[0];
    struct Case {
        double x;
        double y;
        bool kept;
    };
    // The rocket is 12 by 24, its flame 50 high.
    for (const Case& c : {Case{0, 300, true}, Case{-0.5, 300, false}, Case{688, 300, true},
                          Case{688.5, 300, false}, Case{300, 600, true}, Case{300, 600.5, false},
                          Case{300, -74, true}, Case{300, -74.5, false}}) {
        rocket.Launch(300, 300, 0, 0);
        rocket.X = c.x;
        rocket.Y = c.y;
        CullRockets(host.race);
        EXPECT_EQ(rocket.InFlight, c.kept) << c.x << ", " << c.y;
    }
}

// A detonated rocket stays where it exploded (moving only with the road) and goes back to the
// pool in the frame its explosion wraps round, not before.
TEST_F(WeaponTest, AnExplosionGoesBackToThePoolWhenItsAnimationWraps) {
    TRocket& rocket = *host.race.RocketPool[0];
    rocket.Launch(300, 300, 18, 0);
    rocket.MoveStep(11);
    rocket.Detonate();
    EXPECT_EQ(host.CountOf("Explosion"), 1);
    EXPECT_EQ(rocket.RocketSpeed, 0);
    EXPECT_EQ(rocket.Image->Name(), "Explosion");
    const double worldY = rocket.WorldY;
    EXPECT_EQ(worldY, OriginY() + 291 - 32);
    int frames = 0;
    bool wrapped = false;
    while (rocket.InFlight && frames < 200) {
        rocket.MoveStep(11);
        wrapped = rocket.PrevFramePos > rocket.FramePos;
        CullRockets(host.race);
        ++frames;
        if (rocket.InFlight) {
            EXPECT_FALSE(wrapped) << frames;
            EXPECT_EQ(rocket.WorldY, worldY);
        }
    }
    EXPECT_TRUE(wrapped);
    // Ten patterns at 0.2 a frame.
    EXPECT_NEAR(frames, 48, 1);
}

// ---- The gun's ray
// -------------------------------------------------------------------------------

// From the car's centre (397, 478) straight up: the first car whose body the ray enters is
// wrecked for 10 points; the one behind it is untouched.
TEST_F(WeaponTest, TheGunRayStopsAtTheFirstCarItEnters) {
    host.track->Level.CarCount = 4;
    auto put = [&](int i, double sx, double sy, int speed, bool exploding) {
        TCarSlot& car = traffic->Slot(i);
        car.Model = 1;
        car.Dir = kDirDown;
        car.Speed = speed;
        car.PosX = OriginX() + sx;
        car.PosY = OriginY() + sy;
        car.OnScreen = true;
        car.Exploding = exploding;
    };
    put(1, 350, -100, -5, false);  // the furthest up the ray
    put(2, 350, 150, 0, false);    // the nearest, but standing (a wreck): the ray passes it
    put(3, 350, 100, -5, true);    // exploding: the ray passes it too
    put(4, 350, 60, -5, false);    // the first the ray can hit
    player->GunRay(397, 478);
    EXPECT_TRUE(traffic->Slot(4).Exploding);
    EXPECT_FALSE(traffic->Slot(1).Exploding);
    EXPECT_EQ(host.race.Score, 10);
    EXPECT_EQ(host.CountOf("Explosion"), 1);
}

// The ray runs while its screen point lies within x 0 to 700 and y 0 to 600, and tests the cars at
// the point it had before each step: started 5 pixels inside an edge it tests the edge itself,
// started 4 pixels inside, its last point lies 1 pixel beyond. Each motorbike's body (x 9.5 to 23,
// 30 pixels down) covers the edge but not the point 5 pixels inside it.
TEST_F(WeaponTest, TheGunRayReachesTheEdgesOfThePlayAreaAndNoFurther) {
    host.track->Level.CarCount = 1;
    struct Case {
        int heading;
        double cx, cy;      // where the ray starts
        double carX, carY;  // the motorbike's picture on the screen
        bool hit;
    };
    for (const Case& k : {Case{64, 695, 300, 689, 270, true}, Case{64, 696, 300, 689, 270, false},
                          Case{128, 300, 595, 284, 591, true}, Case{128, 300, 596, 284, 591, false},
                          Case{192, 5, 300, -21, 270, true}, Case{192, 4, 300, -21, 270, false},
                          Case{0, 300, 5, 284, -52, true}, Case{0, 300, 4, 284, -52, false}}) {
        TCarSlot& car = traffic->Slot(1);
        car = TCarSlot{};
        car.Model = 3;
        car.Dir = kDirUp;
        car.Speed = 6;
        car.OnScreen = true;
        car.PosX = OriginX() + k.carX;
        car.PosY = OriginY() + k.carY;
        player->Heading = k.heading;
        player->GunRay(k.cx, k.cy);
        EXPECT_EQ(car.Exploding, k.hit) << k.heading << " from " << k.cx << ", " << k.cy;
    }
}

// A shot leaves from the car's centre (397, 478): a motorbike over the centre is hit, one between
// the centre and the car's rear (y 497 to 544) is not, whatever the order of the slots.
TEST_F(WeaponTest, AGunShotStartsAtTheCarsCentre) {
    host.track->Level.CarCount = 2;
    for (int i : {1, 2}) {
        TCarSlot& car = traffic->Slot(i);
        car.Model = 3;
        car.Dir = kDirUp;
        car.Speed = 6;
        car.OnScreen = true;
        car.PosX = OriginX() + 397 - 16;              // body x 390.5 to 404
        car.PosY = OriginY() + (i == 1 ? 490 : 428);  // body y 497..544 or 435..482
    }
    player->PickUp(CarItem::MachineGun);
    player->WeaponFrame = 6;
    player->FireShot();
    EXPECT_FALSE(traffic->Slot(1).Exploding);
    EXPECT_TRUE(traffic->Slot(2).Exploding);
}

// Turned, the ray runs along the car's heading; off its line nothing is hit.
TEST_F(WeaponTest, TheGunRayFollowsTheHeading) {
    host.track->Level.CarCount = 2;
    // Heading 32 (an eighth of a turn to the right): from (397, 478) the line passes (597, 278).
    player->Heading = 32;
    for (int i : {1, 2}) {
        TCarSlot& car = traffic->Slot(i);
        car.Model = 3;  // the motorbike: body x 9..24, y 7..54
        car.Dir = kDirUp;
        car.Speed = 6;
        car.OnScreen = true;
        car.PosY = OriginY() + 278 - 30;
    }
    traffic->Slot(1).PosX = OriginX() + 597 - 16 - 60;  // 60 pixels left of the line
    traffic->Slot(2).PosX = OriginX() + 597 - 16;       // on it
    player->GunRay(397, 478);
    EXPECT_FALSE(traffic->Slot(1).Exploding);
    EXPECT_TRUE(traffic->Slot(2).Exploding);
}

// ---- The weapon's pictures
// -----------------------------------------------------------------------

// After a shot the gun shows its muzzle flash for 100 ms; the run-out at the end of a level puts
// the gun's own picture back at once.
TEST_F(WeaponTest, TheMuzzleFlashLasts100msOrEndsWithTheLevel) {
    player->PickUp(CarItem::MachineGun);
    player->WeaponFrame = 6;
    player->FireShot();
    EXPECT_EQ(player->WeaponSprite->Image->Name(), "GunShooting");
    EXPECT_EQ(player->WeaponTimer, 100);
    // 100 ms at 11 ms a step: the flash is on for 9 steps, gone in the 10th.
    for (int i = 0; i < 9; ++i) player->WeaponRestoreStep();
    EXPECT_EQ(player->WeaponSprite->Image->Name(), "GunShooting");
    player->WeaponRestoreStep();
    EXPECT_EQ(player->WeaponSprite->Image->Name(), "GunAnim_6");
    EXPECT_FALSE(player->WeaponFired);

    player->FireCooldown = 0;
    player->FireShot();
    SetCrossed(true);
    player->MoveStep(1);
    EXPECT_EQ(player->WeaponSprite->Image->Name(), "GunAnim_6");
    EXPECT_FALSE(player->WeaponFired);
}

// Each picture of the weapon coming out and folding away lasts 100 ms: at 100 ms a frame every
// step shows the next picture, at 99 ms every second step does.
TEST_F(WeaponTest, EachPictureOfTheWeaponsAppearAndRetractLasts100ms) {
    for (const int frameMs : {100, 99}) {
        host.timing.FrameMs = frameMs;
        player->DropAll();
        player->PickUp(CarItem::MachineGun);
        player->WeaponTimer = 100;
        std::vector<int> out;
        for (int i = 0; i < 20 && player->WeaponFrame < 6; ++i) {
            player->WeaponAppearStep();
            out.push_back(player->WeaponFrame);
        }
        player->DropItem(CarItem::MachineGun);
        player->WeaponTimer = 100;
        std::vector<int> in;
        for (int i = 0; i < 20 && player->WeaponFrame > 1; ++i) {
            player->WeaponRetractStep();
            in.push_back(player->WeaponFrame);
        }
        if (frameMs == 100) {
            EXPECT_EQ(out, (std::vector<int>{2, 3, 4, 5, 6}));
            EXPECT_EQ(in, (std::vector<int>{5, 4, 3, 2, 1}));
        } else {
            EXPECT_EQ(out, (std::vector<int>{1, 2, 2, 3, 3, 4, 4, 5, 5, 6}));
            EXPECT_EQ(in, (std::vector<int>{6, 5, 5, 4, 4, 3, 3, 2, 2, 1}));
        }
        EXPECT_EQ(player->WeaponSprite->Image->Name(), "GunAnim_1");
    }
}

// An emptied weapon folds away picture by picture, with the sound as it starts, and then the
// car has no weapon.
TEST_F(WeaponTest, AnEmptyWeaponFoldsAway) {
    MountRockets();
    player->DropItem(CarItem::Rockets);
    std::vector<int> frames;
    for (int i = 0; i < 100 && player->Weapon != WeaponKind::None; ++i) {
        player->WeaponRetractStep();
        frames.push_back(player->WeaponFrame);
    }
    EXPECT_EQ(player->Weapon, WeaponKind::None);
    frames.erase(std::unique(frames.begin(), frames.end()), frames.end());
    EXPECT_EQ(frames, (std::vector<int>{5, 4, 3, 2, 1}));
    EXPECT_EQ(player->WeaponSprite->Image->Name(), "RocketAnim_1");
    EXPECT_GE(host.CountOf("WeaponAppear"), 1);
}

}  // namespace
