// The race as the player sees it: the clock and its ticks, the HUD's texts, what ends a level
// and what the end of the time or of the lives leads to.

#include <gtest/gtest.h>

#include <algorithm>

#include "runner_fixture.h"
#include "sprites/finish.h"
#include "sprites/player.h"

namespace {

class RaceFlowTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        sounds = std::make_shared<SoundLog>();
        runner = MakeTestRunner(GetParam(), /*raceCar=*/1, 1, sounds);
        form = &runner->Form();
        for (int i = 0; i < 400 && form->Screens.WindowKind == ModalWindow::LevelBanner; ++i)
            runner->RunFrame();
        ASSERT_EQ(form->Screens.WindowKind, ModalWindow::None);
        car = form->RaceScreen.Race.Player;
        ASSERT_NE(car, nullptr);
    }
    // Runs frames until the condition holds (or a limit passes); returns the frames run.
    template <typename Condition>
    int RunUntil(Condition condition, int limit = 5000) {
        int frames = 0;
        while (!condition() && frames < limit) {
            runner->RunFrame();
            ++frames;
        }
        return frames;
    }
    std::shared_ptr<SoundLog> sounds;
    std::unique_ptr<ReplayRunner> runner;
    TMForm* form = nullptr;
    TPlayer* car = nullptr;
};

TEST(HudTextTest, TimeReadsMinutesAndSecondsAndLivesNeverGoNegative) {
    EXPECT_EQ(HudTime(65000), "01 : 05");
    EXPECT_EQ(HudTime(54000), "00 : 54");
    EXPECT_EQ(HudTime(999), "00 : 00");
    EXPECT_EQ(HudTime(234000), "03 : 54");
    EXPECT_EQ(HudLives(3), "3");
    EXPECT_EQ(HudLives(0), "0");
    EXPECT_EQ(HudLives(-1), "0");
}

TEST_P(RaceFlowTest, TicksSoundOncePerSecondOfTheLastTen) {
    form->RaceScreen.Track.Level.TimeLeft = 10500;
    sounds->played.clear();
    RunUntil([&] { return form->RaceScreen.Track.Level.TimeLeft < 7000; });
    // A second passed is heard in the frame after it passed.
    runner->RunFrame();
    const int ticks = sounds->Count("Tick");
    // Passing 10, 9, 8 and 7 seconds.
    EXPECT_EQ(ticks, 4);
}

TEST_P(RaceFlowTest, TimeOverWithTwoLivesReplaysTheSameLevelOnANewTrack) {
    form->RaceScreen.Race.Lives = 2;
    form->RaceScreen.Track.Level.TimeLeft = 200;
    std::vector<int8_t> before(form->RaceScreen.Track.TrackMap.Data(),
                               form->RaceScreen.Track.TrackMap.Data() + kTrackRows * kTrackCols);
    RunUntil([&] { return form->Screens.WindowKind == ModalWindow::TimeOver; });
    ASSERT_EQ(form->Screens.WindowKind, ModalWindow::TimeOver);
    EXPECT_EQ(form->RaceScreen.Race.Lives, 1);
    EXPECT_EQ(car->Energy, 3);
    RunUntil([&] { return form->Screens.WindowKind != ModalWindow::TimeOver; });
    // The same level again, with its banner, a fresh clock and a newly generated road.
    EXPECT_EQ(form->Screens.WindowKind, ModalWindow::LevelBanner);
    EXPECT_EQ(form->RaceScreen.Track.Level.LevelNumber, 1);
    EXPECT_EQ(form->RaceScreen.Track.Level.TimeLeft, 54000);
    EXPECT_FALSE(car->TimeUp);
    EXPECT_FALSE(std::equal(before.begin(), before.end(), form->RaceScreen.Track.TrackMap.Data()));
}

TEST_P(RaceFlowTest, TimeOverOnTheLastLifeIsGameOver) {
    form->RaceScreen.Race.Lives = 1;
    form->RaceScreen.Track.Level.TimeLeft = 200;
    RunUntil([&] { return form->Screens.WindowKind != ModalWindow::None; });
    EXPECT_EQ(form->Screens.WindowKind, ModalWindow::GameOver);
    EXPECT_EQ(form->RaceScreen.Race.Lives, 0);
    // Then, with a score that does not enter the table, back to the menu.
    RunUntil([&] { return form->Screens.WindowKind != ModalWindow::GameOver; });
    EXPECT_EQ(form->Screens.WindowKind, ModalWindow::None);
    EXPECT_EQ(form->Screens.ScreenState, GameScreen::MainMenu);
    EXPECT_EQ(form->RaceScreen.Race.Player, nullptr);
}

TEST_P(RaceFlowTest, CrossingTheLastRowEndsTheLevelAndTheTimeLeftBecomesPoints) {
    // Put the view just below the finish line and drive up.
    runner->KeyDown("Up");
    form->RaceScreen.Track.ViewRow = 1550 - form->RaceScreen.Track.Level.TrackLength + 2;
    form->RaceScreen.Track.Level.TimeLeft = 12300;
    RunUntil([&] { return FinishCrossed(form->RaceScreen.Race); }, 2000);
    ASSERT_TRUE(FinishCrossed(form->RaceScreen.Race));
    runner->KeyUp("Up");
    const int score = form->RaceScreen.Race.Score;
    const int timeLeft = form->RaceScreen.Track.Level.TimeLeft;
    RunUntil([&] { return form->RaceScreen.Track.Level.LevelNumber == 2; });
    EXPECT_EQ(form->RaceScreen.Track.Level.LevelNumber, 2);
    EXPECT_EQ(form->RaceScreen.Race.Score - score, 5 * (timeLeft / 1000));
    EXPECT_EQ(form->Screens.WindowKind, ModalWindow::LevelBanner);
    EXPECT_FALSE(FinishCrossed(form->RaceScreen.Race));
    // The new level's clock has already run for the frame in which the level changed.
    EXPECT_EQ(form->RaceScreen.Track.Level.TimeLeft, 90000 - form->Timing.FrameMs);
}

INSTANTIATE_TEST_SUITE_P(RefreshRates, RaceFlowTest, ::testing::Values(60, 85));

}  // namespace
