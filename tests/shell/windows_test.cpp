// The modal windows over the race: questions, pause, the timed messages and the name entry.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "persist/score_record.h"
#include "runner_fixture.h"
#include "sprites/menu_button.h"
#include "sprites/player.h"

namespace {

class RaceWindowTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        ReplayOptions options;
        options.refresh = GetParam();
        options.raceCar = 1;
        options.submitScore = [sent = sent](const std::string& address) {
            sent->push_back(address);
        };
        runner = MakeTestRunner(std::move(options));
        form = &runner->Form();
    }
    // Runs frames until the level banner has gone.
    void SkipBanner() {
        for (int i = 0; i < 400 && form->Screens.WindowKind == ModalWindow::LevelBanner; ++i)
            runner->RunFrame();
        ASSERT_EQ(form->Screens.WindowKind, ModalWindow::None);
    }
    std::unique_ptr<ReplayRunner> runner;
    TMForm* form = nullptr;
    // The addresses the game asked to request from the score server.
    std::shared_ptr<std::vector<std::string>> sent = std::make_shared<std::vector<std::string>>();
};

TEST_P(RaceWindowTest, LevelBannerLastsItsTimeInFrames) {
    // FrameMs is 15 for the very first frame, then 1000 / refresh.
    ASSERT_EQ(form->Screens.WindowKind, ModalWindow::LevelBanner);
    int frames = 0;
    while (form->Screens.WindowKind == ModalWindow::LevelBanner && frames < 1000) {
        runner->RunFrame();
        ++frames;
    }
    const int frameMs = 1000 / GetParam();
    // The first frame subtracts 15, the others frameMs; the frame that cannot subtract closes.
    const int expected = 1 + (2000 - 15) / frameMs + 1;
    EXPECT_EQ(frames, expected);
}

TEST_P(RaceWindowTest, PauseFreezesTheWorldAndTheClockAndKeepsTheHud) {
    SkipBanner();
    runner->KeyDown("Up");
    for (int i = 0; i < 60; ++i) runner->RunFrame();
    TPlayer* car = form->RaceScreen.Race.Player;
    ASSERT_GT(car->CarSpeed, 0);
    const std::string soundBefore = car->EngineSoundName();
    EXPECT_FALSE(soundBefore.empty());
    runner->KeyDown("P");
    runner->RunFrame();
    ASSERT_EQ(form->Screens.WindowKind, ModalWindow::Pause);
    const double speed = car->CarSpeed;
    const int timeLeft = form->RaceScreen.Track.Level.TimeLeft;
    const int viewRow = form->RaceScreen.Track.ViewRow;
    runner->KeyUp("P");
    for (int i = 0; i < 50; ++i) runner->RunFrame();
    EXPECT_EQ(car->CarSpeed, speed);
    EXPECT_EQ(form->RaceScreen.Track.Level.TimeLeft, timeLeft);
    EXPECT_EQ(form->RaceScreen.Track.ViewRow, viewRow);
    runner->KeyDown("Esc");  // Esc closes the pause too
    runner->RunFrame();
    EXPECT_EQ(form->Screens.WindowKind, ModalWindow::None);
    runner->KeyUp("Esc");
    runner->RunFrame();
    EXPECT_LT(form->RaceScreen.Track.Level.TimeLeft, timeLeft);
}

TEST_P(RaceWindowTest, EscAndPInOneFrameOpenOnlyTheExitWindow) {
    SkipBanner();
    runner->KeyDown("Esc");
    runner->KeyDown("P");
    runner->RunFrame();
    EXPECT_EQ(form->Screens.WindowKind, ModalWindow::ExitToMenu);
    EXPECT_EQ(form->Screens.SelectedButton, kNoButton);
}

TEST_P(RaceWindowTest, YesNoWindowsNeverWrapAndEnterAnswersNo) {
    SkipBanner();
    runner->KeyDown("Esc");
    runner->RunFrame();
    runner->KeyUp("Esc");
    ASSERT_EQ(form->Screens.WindowKind, ModalWindow::ExitToMenu);
    runner->KeyDown("Right");
    runner->RunFrame();
    EXPECT_EQ(form->Screens.SelectedButton, kNoButton);  // already on the right: stays
    runner->KeyUp("Right");
    runner->KeyDown("Left");
    runner->RunFrame();
    EXPECT_EQ(form->Screens.SelectedButton, kYesButton);
    runner->KeyUp("Left");
    runner->RunFrame();
    runner->KeyDown("Left");
    runner->RunFrame();
    EXPECT_EQ(form->Screens.SelectedButton, kYesButton);  // and stays on the left
    runner->KeyUp("Left");
    runner->KeyDown("N");  // N answers No whichever is selected
    runner->RunFrame();
    EXPECT_EQ(form->Screens.WindowKind, ModalWindow::None);
    EXPECT_EQ(form->Screens.ScreenState, GameScreen::Race);
    EXPECT_EQ(form->Screens.SelectedButton, 0);  // the race's selection is back
}

TEST_P(RaceWindowTest, CloseRequestDuringTheRaceAsksToLeaveTheRace) {
    SkipBanner();
    form->FormCloseQuery();
    EXPECT_EQ(form->Screens.WindowKind, ModalWindow::ExitToMenu);
    form->CloseWindow();
    form->OpenWindow(ModalWindow::Pause);
    form->FormCloseQuery();  // a window is open: nothing happens
    EXPECT_EQ(form->Screens.WindowKind, ModalWindow::Pause);
}

TEST_P(RaceWindowTest, ExitToMenuWithAQualifyingScoreLeadsToTheNameEntry) {
    SkipBanner();
    form->RaceScreen.Race.Score = 600;  // beats the table's last entry of 500
    runner->KeyDown("Esc");
    runner->RunFrame();
    runner->KeyUp("Esc");
    runner->KeyDown("Y");
    runner->RunFrame();
    EXPECT_EQ(form->Screens.WindowKind, ModalWindow::NameEntry);
    ASSERT_NE(form->Screens.CheckBox, nullptr);
    EXPECT_EQ(form->Screens.CheckBox->FramePos, 1);  // the send box starts ticked
    // Clicks toggle the box only inside it.
    form->MDXDrawMouseMove(160, 380);
    form->MDXDrawClick();
    EXPECT_EQ(form->Screens.CheckBox->FramePos, 1);
    form->MDXDrawMouseMove(215, 414);
    form->MDXDrawClick();
    EXPECT_EQ(form->Screens.CheckBox->FramePos, 0);
    form->MDXDrawMouseMove(161, 369);
    form->MDXDrawClick();
    EXPECT_EQ(form->Screens.CheckBox->FramePos, 1);
    form->MDXDrawMouseMove(170, 380);
    form->MDXDrawClick();  // untick, so that no sending window follows
    runner->Type("Ann\r");
    EXPECT_EQ(form->Screens.WindowKind, ModalWindow::None);
    EXPECT_NE(form->Screens.ScreenState, GameScreen::Race);
    EXPECT_EQ(form->RaceScreen.Race.Player, nullptr);
    EXPECT_EQ(form->HighScores.Slot(10).Name, "Ann");
    EXPECT_EQ(form->HighScores.Slot(10).Score, 600);
    EXPECT_TRUE(sent->empty());
}

TEST_P(RaceWindowTest, TickedSendShowsTheNoticeForOneFrame) {
    SkipBanner();
    form->RaceScreen.Race.Score = 6000;
    form->Options.Country = "Oz";
    form->CloseWindow();
    form->OpenWindow(ModalWindow::ExitToMenu);
    form->ClickButton(kYesButton);
    ASSERT_EQ(form->Screens.WindowKind, ModalWindow::NameEntry);
    runner->Type("Bo\r");
    EXPECT_EQ(form->Screens.WindowKind, ModalWindow::Sending);
    runner->RunFrame();
    EXPECT_EQ(form->Screens.WindowKind, ModalWindow::Sending);
    EXPECT_TRUE(sent->empty());  // the notice is drawn once before the request holds the game
    runner->RunFrame();
    EXPECT_EQ(form->Screens.WindowKind, ModalWindow::None);
    EXPECT_EQ(form->Screens.ScreenState, GameScreen::HighScores);
    EXPECT_EQ(form->HighScores.Slot(1).Name, "Bo");
    // One request to the default server. Its record holds the name just typed, the final score
    // and the options' country, and is padded with "0" from 44 characters to 45.
    ASSERT_EQ(sent->size(), 1u);
    const std::string path = "http://localhost:8642/cgi/version.pl?hs&prg=Zarvex2&inf=";
    ASSERT_EQ(sent->front().substr(0, path.size()), path);
    EXPECT_EQ(DecodeScoreRecord(sent->front().substr(path.size())),
              "type=0|name=Bo|score=6000|key=X|p=|add=Oz|z=0");
}

TEST_P(RaceWindowTest, ExitToMenuWithoutATableEntryEndsTheRace) {
    SkipBanner();
    const int sprites = form->Components.MDXSpriteEngine.SpriteCount;
    EXPECT_GT(sprites, 5);
    form->OpenWindow(ModalWindow::ExitToMenu);
    form->ClickButton(kYesButton);
    EXPECT_EQ(form->Screens.WindowKind, ModalWindow::None);
    EXPECT_EQ(form->Screens.ScreenState, GameScreen::MainMenu);
    EXPECT_EQ(form->RaceScreen.Race.Player, nullptr);
    runner->RunFrame();  // the menu, without the race's sprites: its background and buttons
    EXPECT_EQ(form->Components.MDXSpriteEngine.SpriteCount, 7);
    EXPECT_FALSE(form->Screens.IntroRunning);
}

INSTANTIATE_TEST_SUITE_P(RefreshRates, RaceWindowTest, ::testing::Values(60, 85));

}  // namespace
