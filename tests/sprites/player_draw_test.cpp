// What the car's draw step puts on the surface: the car turned by its heading, the marks, the
// nitro flames, the wreck, the mounted weapon, nothing at all for a hidden car; and the
// speedometer needle turned about its hub.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "form_draw_fixture.h"
#include "shell/form.h"
#include "sprites/player.h"
#include "sprites/pointer.h"
#include "support/test_assets.h"

namespace {

class PlayerDrawTest : public FormDrawTest {
protected:
    void SetUp() override {
        FormDrawTest::SetUp();  // the car draws on black
        car = new TPlayer(&form->Components.MDXSpriteEngine, form->RaceScreen.Host(), 1);
    }

    TPlayer* car = nullptr;  // owned by the sprite engine
};

// Car1 is 64 by 156 at (365, 400): its centre is (397, 478).
TEST_F(PlayerDrawTest, TheCarTurnsAboutItsCentre) {
    Draw();
    EXPECT_TRUE(Lit(397, 478));
    EXPECT_TRUE(Lit(397, 550));
    EXPECT_FALSE(Lit(467, 478));
    car->Heading = 64;  // a quarter turn: now 156 wide and 64 high
    Draw();
    EXPECT_TRUE(Lit(397, 478));
    EXPECT_TRUE(Lit(467, 478));
    EXPECT_FALSE(Lit(397, 550));
}

TEST_F(PlayerDrawTest, ShownMarksAreDrawnAndInvisibleBloodIsNot) {
    car->AddMark(100, 100);
    car->BloodTrail = 50;
    car->AddMark(200, 100);
    Draw();
    EXPECT_TRUE(Lit(105, 107));
    EXPECT_FALSE(Lit(205, 107));
}

TEST_F(PlayerDrawTest, AHiddenCarDrawsNeitherItselfNorItsMarks) {
    car->AddMark(100, 100);
    car->Visible = false;
    Draw();
    EXPECT_FALSE(Lit(105, 107));
    EXPECT_FALSE(Lit(397, 478));
}

TEST_F(PlayerDrawTest, NitroFlamesShowBehindTheCarForTheFrameTheyBurned) {
    car->NitroBurning = true;
    Draw();
    EXPECT_TRUE(Lit(381, 575));  // left exhaust
    EXPECT_TRUE(Lit(413, 575));  // right exhaust
    EXPECT_FALSE(car->NitroBurning);
    Draw();
    EXPECT_FALSE(Lit(381, 575));
}

TEST_F(PlayerDrawTest, TheWeaponSitsOnTheRoofUnlessTheCarIsCrashed) {
    Draw();
    EXPECT_FALSE(Lit(350, 450));
    car->PickUp(CarItem::MachineGun);
    Draw();
    EXPECT_TRUE(Lit(350, 450));
    car->Crashed = 1;
    Draw();
    EXPECT_FALSE(Lit(350, 450));
}

TEST_F(PlayerDrawTest, TheExplosionCoversTheCarsMiddleOverItsWreck) {
    car->BlowUp();
    Draw();
    EXPECT_EQ(car->X, 365);
    EXPECT_EQ(car->Y, 442);
    EXPECT_TRUE(Lit(397, 540));  // the wreck reaches below the 64-pixel explosion
    car->Respawned = true;
    Draw();
    EXPECT_FALSE(Lit(397, 540));
    car->ResetCar();
    Draw();
    EXPECT_EQ(car->X, 365);
    EXPECT_EQ(car->Y, 400);
}

// The needle, 64 by 8, turns about (1.04, 0.5) of itself placed at (641 + 64, 509 + 8).
TEST_F(PlayerDrawTest, TheNeedleTurnsClockwiseAboutItsHub) {
    auto* needle = new TPointer(&form->Components.MDXSpriteEngine, Picture::Pointer, 641, 509, 12);
    car->Visible = false;
    needle->NeedlePivotX = 641;
    needle->NeedlePivotY = 509;
    needle->NeedleCenterX = 1.04;
    needle->NeedleCenterY = 0.5;
    needle->NeedleAngle = 0;
    Draw();
    EXPECT_TRUE(Lit(670, 517));
    EXPECT_FALSE(Lit(705, 480));
    needle->NeedleAngle = 64;  // pointing up
    Draw();
    EXPECT_TRUE(Lit(705, 480));
    EXPECT_FALSE(Lit(670, 517));
}

}  // namespace
