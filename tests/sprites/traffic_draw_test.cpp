// What the player car's draw step shows of the traffic (cars at their place, explosions centred
// on the car's middle, nothing of empty slots, of cars off the screen or under a hidden player's
// car) and of a firing gun, whose picture sits further forward.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "form_draw_fixture.h"
#include "shell/form.h"
#include "sprites/player.h"
#include "sprites/rocket.h"
#include "sprites/traffic.h"
#include "support/test_assets.h"

namespace {

class TrafficDrawTest : public FormDrawTest {
protected:
    void SetUp() override {
        FormDrawTest::SetUp();  // the cars draw on black
        form->RaceScreen.Track.Level = LevelParamsFor(1);
        form->RaceScreen.Track.TrackMap.Fill(0);
        car = new TPlayer(&form->Components.MDXSpriteEngine, form->RaceScreen.Host(), 1);
        traffic = new TCar(&form->Components.MDXSpriteEngine, form->RaceScreen.Host());
        form->RaceScreen.Race.Player = car;
        form->RaceScreen.Race.Traffic = traffic;
        for (TCarSlot& slot : traffic->Slots) slot = TCarSlot{};
    }
    void TearDown() override {
        form->RaceScreen.Race.Player = nullptr;
        form->RaceScreen.Race.Traffic = nullptr;
    }
    // A saloon (98 by 134, its middle at 49, 67) with its picture's corner at the screen point.
    TCarSlot& Put(int i, double sx, double sy) {
        TCarSlot& slot = traffic->Slot(i);
        slot.Model = 1;
        slot.Dir = kDirDown;
        slot.Speed = -5;
        slot.PosX = form->RaceScreen.Track.ViewCol * 72.0 + sx;
        slot.PosY = form->RaceScreen.Track.ViewRow * 72.0 + sy;
        slot.OnScreen = true;
        return slot;
    }

    TPlayer* car = nullptr;  // owned by the sprite engine
    TCar* traffic = nullptr;
};

TEST_F(TrafficDrawTest, ACarIsDrawnWithItsPicturesCornerAtItsPlace) {
    Put(1, 100, 50);
    Draw();
    EXPECT_TRUE(Lit(100, 50));
    EXPECT_TRUE(Lit(197, 183));
    EXPECT_FALSE(Lit(99, 50));
    EXPECT_FALSE(Lit(100, 49));
    EXPECT_FALSE(Lit(198, 183));
    EXPECT_FALSE(Lit(197, 184));
}

// The 64-pixel explosion is centred on the car's middle, (149, 117) for a saloon at (100, 50).
TEST_F(TrafficDrawTest, AnExplosionIsCentredOnTheCarsMiddle) {
    TCarSlot& slot = Put(1, 100, 50);
    slot.Exploding = true;
    slot.ExplosionPhase = 7.9;
    Draw();
    EXPECT_FALSE(Lit(100, 50));
    EXPECT_TRUE(Lit(117, 85));
    EXPECT_TRUE(Lit(180, 148));
    EXPECT_FALSE(Lit(116, 85));
    EXPECT_FALSE(Lit(117, 84));
    EXPECT_FALSE(Lit(181, 148));
    EXPECT_FALSE(Lit(180, 149));
}

TEST_F(TrafficDrawTest, EmptySlotsCarsOffTheScreenAndAHiddenPlayerShowNothing) {
    Put(1, 100, 50).Dir = 0;
    Put(2, 250, 50).OnScreen = false;
    form->RaceScreen.Track.Level.CarCount = 2;
    Put(3, 100, 250);  // beyond the level's cars
    Draw();
    EXPECT_FALSE(Lit(120, 70));
    EXPECT_FALSE(Lit(270, 70));
    EXPECT_FALSE(Lit(120, 270));
    form->RaceScreen.Track.Level.CarCount = 3;
    Draw();
    EXPECT_TRUE(Lit(120, 270));
    car->Visible = false;
    Draw();
    EXPECT_FALSE(Lit(120, 270));
}

// The firing gun's picture sits about 18 pixels further forward: beside the car (x 350), the
// gun reaches up to y 442 at rest and to y 424 while firing.
TEST_F(TrafficDrawTest, TheFiringGunSitsFurtherForward) {
    car->PickUp(CarItem::MachineGun);
    car->WeaponFrame = 6;
    car->WeaponRestoreStep();
    Draw();
    EXPECT_FALSE(Lit(350, 430));
    EXPECT_TRUE(Lit(350, 445));
    car->FireShot();
    EXPECT_EQ(car->WeaponSprite->Image->Name(), "GunShooting");
    Draw();
    EXPECT_TRUE(Lit(350, 430));
    EXPECT_FALSE(Lit(350, 422));
}

// The rocket (12 by 24) and its flame (18 by 50) at (300, 300). Heading up, the flame's corner
// lies at the flame sprite's corner (288, 298) plus half its size: (297, 323), under the rocket.
// Turned half round, both turn about the rocket's centre (306, 312), the flame about a point 22 %
// of its height above its top: it then stands above the rocket, y 251 to 301. An exploding
// rocket shows the explosion and no flame.
class RocketDrawTest : public FormDrawTest {
protected:
    void SetUp() override {
        FormDrawTest::SetUp();
        TellPicturesApart();
        CreateRocketPool(&form->Components.MDXSpriteEngine, form->RaceScreen.Host(),
                         form->RaceScreen.Race);
    }
};

TEST_F(RocketDrawTest, TheRocketAndItsFlameTurnAboutTheRocketsCentre) {
    TRocket& rocket = *form->RaceScreen.Race.RocketPool[0];
    rocket.Launch(300, 300, 0, 0);
    rocket.MoveStep(1);
    Draw();
    EXPECT_EQ(PictureAt(300, 300), "Rocket");
    EXPECT_EQ(PictureAt(311, 322), "Rocket");
    EXPECT_EQ(PictureAt(299, 310), "");
    EXPECT_EQ(PictureAt(297, 323), "EngineFire");
    EXPECT_EQ(PictureAt(314, 372), "EngineFire");
    EXPECT_EQ(PictureAt(296, 340), "");
    EXPECT_EQ(PictureAt(315, 340), "");
    EXPECT_EQ(PictureAt(305, 373), "");

    rocket.Launch(300, 300, 0, 128);
    rocket.MoveStep(1);
    Draw();
    EXPECT_EQ(PictureAt(306, 310), "Rocket");
    EXPECT_EQ(PictureAt(306, 260), "EngineFire");
    EXPECT_EQ(PictureAt(306, 295), "EngineFire");
    EXPECT_EQ(PictureAt(306, 245), "");
    EXPECT_EQ(PictureAt(306, 340), "");

    rocket.Launch(300, 300, 0, 0);
    rocket.Detonate();
    rocket.MoveStep(1);  // the blast's corner 32 up and left: (268, 268)
    Draw();
    EXPECT_EQ(PictureAt(268, 268), "Explosion");
    EXPECT_EQ(PictureAt(331, 331), "Explosion");
    EXPECT_EQ(PictureAt(270, 335), "");  // where the flame would hang
}

}  // namespace
