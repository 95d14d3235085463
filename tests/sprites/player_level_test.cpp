// The end of a level: after the finish the car rolls to a stop, the time left is counted into
// points and the next level starts; when the time runs out first, a life is lost.

#include "player_fixture.h"
#include "sprites/finish.h"

namespace {

class PlayerLevelEndTest : public PlayerRaceTest {};

TEST_P(PlayerLevelEndTest, FinishingWith12_3SecondsLeftEarns60PointsThenTheNextLevel) {
    car->PickUp(CarItem::MachineGun);
    car->PickUp(CarItem::Nitro);
    form->RaceScreen.Race.Score = 7;
    form->RaceScreen.Track.Level.TimeLeft = 12300;
    form->RaceScreen.Race.Finish->Crossed = true;
    SetSpeed(50);
    // A held horn and a firing gun fall silent with the engine, and stay so: a pause during the
    // run-out must not bring them back.
    car->HornOn = true;
    car->GunSoundOn = true;
    // The car rolls to a stop first, 0.8 a step; the clock stands still meanwhile.
    double before = car->CarSpeed;
    Frame();
    EXPECT_NEAR(before - car->CarSpeed, 0.8 * FrameScale(), 1e-9);
    EXPECT_EQ(car->EngineSoundName(), "Neutral");
    EXPECT_FALSE(car->HornOn);
    EXPECT_FALSE(car->GunSoundOn);
    while (car->CarSpeed > 0) {
        EXPECT_EQ(form->RaceScreen.Race.Score, 7);
        EXPECT_EQ(form->RaceScreen.Track.Level.TimeLeft, 12300);
        Frame();
    }
    ASSERT_TRUE(RunUntil([&] { return form->RaceScreen.Track.Level.LevelNumber == 2; }, 500));
    EXPECT_EQ(form->RaceScreen.Race.Score, 7 + 60);
    EXPECT_EQ(form->Screens.WindowKind, ModalWindow::LevelBanner);
    EXPECT_FALSE(form->RaceScreen.Race.Finish->Crossed);
    EXPECT_FALSE(car->TimeUp);
    EXPECT_FALSE(car->EndStarted);
    EXPECT_EQ(car->CarSpeed, 0);
    EXPECT_EQ(car->Heading, 0);
    EXPECT_EQ(car->Weapon, WeaponKind::None);
    EXPECT_FALSE(car->HasNitro);
    // Level 2's 90 s, less the clock's tick of the frame in which the level changed.
    EXPECT_EQ(form->RaceScreen.Track.Level.TimeLeft, 90000 - FrameMs());
    EXPECT_EQ(form->RaceScreen.Track.ViewRow, 1488);
    EXPECT_EQ(form->RaceScreen.Track.ViewCol, 318);
    EXPECT_EQ(form->RaceScreen.Race.Lives, 3);
}

TEST_P(PlayerLevelEndTest, TimeRunningOutWithTwoLivesCostsOneAndShowsTimeOver) {
    form->RaceScreen.Race.Lives = 2;
    car->Energy = 1;
    form->RaceScreen.Track.Level.TimeLeft = 200;
    Press({SDL_SCANCODE_UP});
    SetSpeed(30);
    ASSERT_TRUE(RunUntil([&] { return form->Screens.WindowKind != ModalWindow::None; }, 500));
    EXPECT_EQ(form->Screens.WindowKind, ModalWindow::TimeOver);
    EXPECT_LE(car->CarSpeed, 0);
    EXPECT_EQ(form->RaceScreen.Race.Lives, 1);
    EXPECT_EQ(car->Energy, 3);
    EXPECT_TRUE(car->Visible);
    // The window restarts the same level on a new road.
    ASSERT_TRUE(
        RunUntil([&] { return form->Screens.WindowKind == ModalWindow::LevelBanner; }, 500));
    EXPECT_EQ(form->RaceScreen.Track.Level.LevelNumber, 1);
    EXPECT_EQ(form->RaceScreen.Track.Level.TimeLeft, 54000);
    EXPECT_FALSE(car->TimeUp);
}

TEST_P(PlayerLevelEndTest, TimeRunningOutOnTheLastLifeEndsTheGame) {
    form->RaceScreen.Race.Lives = 1;
    form->RaceScreen.Track.Level.TimeLeft = 200;
    SetSpeed(30);
    ASSERT_TRUE(RunUntil([&] { return form->Screens.WindowKind != ModalWindow::None; }, 500));
    EXPECT_EQ(form->Screens.WindowKind, ModalWindow::GameOver);
    EXPECT_EQ(form->RaceScreen.Race.Lives, 0);
    EXPECT_FALSE(car->Visible);
}

INSTANTIATE_TEST_SUITE_P(Rates, PlayerLevelEndTest, ::testing::Values(85, 60), RateName);

}  // namespace
