// The whole game played with a pad: menus and windows, the race, plugging the pad in and pulling it
// out, the keyboard alongside, and the pad shaking when the car is hit.

#include <gtest/gtest.h>

#include <memory>

#include "runner_fixture.h"
#include "sprites/player.h"
#include "support/test_pad.h"

namespace {

class PadPlayTest : public ::testing::Test {
protected:
    void StartMenu() {
        runner = MakeTestRunner(85, 0, 1, sounds);
        form = &runner->Form();
        while (form->Screens.IntroRunning) runner->RunFrame();
        Frames(1);
    }
    void StartRace() {
        runner = MakeTestRunner(85, /*raceCar=*/1, 1, sounds);
        form = &runner->Form();
        for (int i = 0; i < 400 && form->Screens.WindowKind == ModalWindow::LevelBanner; ++i)
            runner->RunFrame();
        ASSERT_EQ(form->Screens.WindowKind, ModalWindow::None);
        car = form->RaceScreen.Race.Player;
        ASSERT_NE(car, nullptr);
    }
    void Frames(int n) {
        for (int i = 0; i < n; ++i) runner->RunFrame();
    }
    // A button pushed and let go, one frame each.
    void Tap(const std::string& button) {
        runner->PadButton(button, true);
        Frames(1);
        runner->PadButton(button, false);
        Frames(1);
    }
    int Selected() const { return form->Screens.SelectedButton; }

    std::shared_ptr<SoundLog> sounds = std::make_shared<SoundLog>();
    std::unique_ptr<ReplayRunner> runner;
    TMForm* form = nullptr;
    TPlayer* car = nullptr;
};

TEST_F(PadPlayTest, TheDpadMovesTheMenuSelectionOncePerPush) {
    StartMenu();
    runner->PadAdd();
    ASSERT_EQ(Selected(), 1);
    runner->PadButton("dpdown", true);
    Frames(1);
    EXPECT_EQ(Selected(), 2);
    Frames(5);
    EXPECT_EQ(Selected(), 2);  // held: one move
    runner->PadButton("dpdown", false);
    Frames(1);
    runner->PadButton("dpdown", true);
    Frames(1);
    EXPECT_EQ(Selected(), 3);  // pushed again: another
    runner->PadButton("dpdown", false);
    Tap("dpup");
    EXPECT_EQ(Selected(), 2);
}

TEST_F(PadPlayTest, TheStickMovesTheSelectionOnceBeyondItsDeadZone) {
    StartMenu();
    runner->PadAdd();
    runner->PadAxis("lefty", 8000);  // the edge of the dead zone: still at rest
    Frames(3);
    EXPECT_EQ(Selected(), 1);
    runner->PadAxis("lefty", 8001);
    Frames(1);
    EXPECT_EQ(Selected(), 2);
    runner->PadAxis("lefty", 32767);  // pushed further, still the same push
    Frames(5);
    EXPECT_EQ(Selected(), 2);
    runner->PadAxis("lefty", 0);
    Frames(1);
    runner->PadAxis("lefty", 20000);
    Frames(1);
    EXPECT_EQ(Selected(), 3);  // back to the centre and pushed again
    runner->PadAxis("lefty", 0);
    runner->PadAxis("lefty", -8000);
    Frames(2);
    EXPECT_EQ(Selected(), 3);
    runner->PadAxis("lefty", -8001);
    Frames(1);
    EXPECT_EQ(Selected(), 2);
    // Left and right on the stick: the main menu switches between entries 4 and 5.
    runner->PadAxis("lefty", 0);
    Tap("dpdown");
    Tap("dpdown");
    ASSERT_EQ(Selected(), 5);  // down from 3 leads to 5
    runner->PadAxis("leftx", -8001);
    Frames(1);
    EXPECT_EQ(Selected(), 4);
    runner->PadAxis("leftx", 8001);
    Frames(1);
    EXPECT_EQ(Selected(), 5);
}

TEST_F(PadPlayTest, AClicksTheSelectedButtonOncePerPress) {
    StartMenu();
    runner->PadAdd();
    Tap("dpdown");
    ASSERT_EQ(Selected(), 2);
    runner->PadButton("a", true);  // acts at once, as Enter does
    EXPECT_EQ(form->Screens.ScreenState, GameScreen::HighScores);
    Frames(5);
    EXPECT_EQ(form->Screens.ScreenState, GameScreen::HighScores);  // held: no second click
    runner->PadButton("a", false);
    Frames(1);
    runner->PadButton("a", true);  // Back is selected on the high-score screen
    Frames(1);
    EXPECT_EQ(form->Screens.ScreenState, GameScreen::MainMenu);
    EXPECT_EQ(Selected(), 2);
}

TEST_F(PadPlayTest, BLeavesAsEscAndYAndXAnswerTheQuestion) {
    StartMenu();
    runner->PadAdd();
    Tap("b");  // Esc on the main menu asks whether to leave
    ASSERT_EQ(form->Screens.WindowKind, ModalWindow::ExitGame);
    Tap("x");
    EXPECT_EQ(form->Screens.WindowKind, ModalWindow::None);
    EXPECT_FALSE(form->Terminated());
    Tap("back");  // Back is Esc too
    ASSERT_EQ(form->Screens.WindowKind, ModalWindow::ExitGame);
    runner->PadButton("y", true);
    Frames(1);
    EXPECT_TRUE(form->Terminated());
}

TEST_F(PadPlayTest, TriggersDriveTheStickSteersAndTheButtonsAct) {
    StartRace();
    runner->PadAdd();
    runner->PadAxis("righttrigger", 8000);  // resting finger
    Frames(2);
    EXPECT_FALSE(car->KeyUp);
    runner->PadAxis("righttrigger", 8001);
    Frames(1);
    EXPECT_TRUE(car->KeyUp);
    Frames(40);
    EXPECT_GT(car->CarSpeed, 0);
    runner->PadAxis("righttrigger", 0);
    runner->PadAxis("lefttrigger", 32767);
    Frames(1);
    EXPECT_FALSE(car->KeyUp);
    EXPECT_TRUE(car->KeyDown);
    runner->PadAxis("lefttrigger", 8000);
    Frames(1);
    EXPECT_FALSE(car->KeyDown);

    runner->PadAxis("leftx", -8001);
    Frames(1);
    EXPECT_TRUE(car->KeyLeft);
    EXPECT_FALSE(car->KeyRight);
    runner->PadAxis("leftx", -8000);
    runner->PadButton("dpright", true);
    Frames(1);
    EXPECT_FALSE(car->KeyLeft);
    EXPECT_TRUE(car->KeyRight);
    runner->PadButton("dpright", false);
    // The stick up and down mean nothing in the race: the triggers drive.
    runner->PadAxis("lefty", -32768);
    runner->PadButton("dpup", true);
    Frames(1);
    EXPECT_FALSE(car->KeyUp);
    runner->PadAxis("lefty", 0);
    runner->PadButton("dpup", false);

    struct ButtonRole {
        const char* button;
        bool TPlayer::*flag;
    };
    const ButtonRole roles[] = {{"a", &TPlayer::KeyFire},
                                {"b", &TPlayer::KeyNitro},
                                {"x", &TPlayer::KeyHandbrake},
                                {"y", &TPlayer::KeyHorn}};
    for (const ButtonRole& role : roles) {
        runner->PadButton(role.button, true);
        Frames(1);
        for (const ButtonRole& other : roles)
            EXPECT_EQ(car->*other.flag, &other == &role) << role.button << " held";
        runner->PadButton(role.button, false);
        Frames(1);
        EXPECT_FALSE(car->*role.flag) << role.button << " let go";
    }
    EXPECT_EQ(form->Screens.WindowKind, ModalWindow::None);  // A in the race clicked nothing
}

TEST_F(PadPlayTest, StartPausesAndResumesAndBackAsksToLeave) {
    StartRace();
    runner->PadAdd();
    runner->PadButton("start", true);
    Frames(1);
    ASSERT_EQ(form->Screens.WindowKind, ModalWindow::Pause);
    const int timeLeft = form->RaceScreen.Track.Level.TimeLeft;
    Frames(10);  // held: the pause stays
    EXPECT_EQ(form->Screens.WindowKind, ModalWindow::Pause);
    EXPECT_EQ(form->RaceScreen.Track.Level.TimeLeft, timeLeft);
    runner->PadButton("start", false);
    Frames(1);
    Tap("start");
    EXPECT_EQ(form->Screens.WindowKind, ModalWindow::None);
    Tap("back");
    EXPECT_EQ(form->Screens.WindowKind, ModalWindow::ExitToMenu);
}

TEST_F(PadPlayTest, KeyboardAndPadEachHoldAState) {
    StartRace();
    runner->PadAdd();
    runner->KeyDown("Up");
    Frames(1);
    EXPECT_TRUE(car->KeyUp);  // the key alone
    runner->PadAxis("righttrigger", 32767);
    Frames(1);
    EXPECT_TRUE(car->KeyUp);
    runner->KeyUp("Up");
    Frames(1);
    EXPECT_TRUE(car->KeyUp);  // the trigger alone
    runner->PadAxis("righttrigger", 0);
    Frames(1);
    EXPECT_FALSE(car->KeyUp);
    // Opposite ways at once: both are held, as two keys would be.
    runner->KeyDown("Left");
    runner->PadAxis("leftx", 32767);
    Frames(1);
    EXPECT_TRUE(car->KeyLeft);
    EXPECT_TRUE(car->KeyRight);
    // The keyboard's own keys still work with a pad connected.
    runner->KeyDown("P");
    Frames(1);
    EXPECT_EQ(form->Screens.WindowKind, ModalWindow::Pause);
}

TEST_F(PadPlayTest, APadPluggedInMidRaceDrivesAtOnceAndPullingItOutPauses) {
    StartRace();
    Frames(20);
    runner->PadAdd();
    runner->PadAxis("righttrigger", 32767);
    Frames(1);
    EXPECT_TRUE(car->KeyUp);
    runner->PadRemove();
    EXPECT_EQ(form->Screens.WindowKind, ModalWindow::Pause);
    runner->KeyDown("P");
    Frames(1);
    runner->KeyUp("P");
    Frames(1);
    ASSERT_EQ(form->Screens.WindowKind, ModalWindow::None);
    EXPECT_FALSE(car->KeyUp);  // the lost pad's trigger is let go
}

TEST_F(PadPlayTest, TheNextPadTakesOverWhenThePadInUseIsPulledOut) {
    StartRace();
    const int first = runner->PadAdd();
    const int second = runner->PadAdd();
    runner->PadAxis("righttrigger", 32767, second);
    Frames(1);
    EXPECT_FALSE(car->KeyUp);  // only the first pad plays
    runner->PadAxis("leftx", -32768, first);
    Frames(1);
    EXPECT_TRUE(car->KeyLeft);
    runner->PadRemove(first);
    EXPECT_EQ(form->Screens.WindowKind, ModalWindow::Pause);
    runner->PadButton("start", true, second);
    Frames(1);
    EXPECT_EQ(form->Screens.WindowKind, ModalWindow::None);  // the second pad resumes the race
    Frames(1);
    EXPECT_TRUE(car->KeyUp);  // its trigger, held since before, counts at once
    EXPECT_FALSE(car->KeyLeft);
    // Pulling out a pad that is not in use changes nothing.
    const int third = runner->PadAdd();
    runner->PadRemove(third);
    EXPECT_EQ(form->Screens.WindowKind, ModalWindow::None);
}

TEST_F(PadPlayTest, PullingThePadOutInTheMenusOpensNothing) {
    StartMenu();
    runner->PadAdd();
    runner->PadRemove();
    Frames(1);
    EXPECT_EQ(form->Screens.WindowKind, ModalWindow::None);
    EXPECT_EQ(form->Screens.ScreenState, GameScreen::MainMenu);
}

TEST_F(PadPlayTest, ButtonsHeldWhileAWindowOpensWaitToBeLetGo) {
    StartRace();
    runner->PadAdd();
    runner->PadButton("a", true);  // firing
    runner->PadButton("x", true);  // and the handbrake
    Frames(1);
    ASSERT_TRUE(car->KeyFire);
    runner->KeyDown("Esc");
    Frames(1);
    runner->KeyUp("Esc");
    ASSERT_EQ(form->Screens.WindowKind, ModalWindow::ExitToMenu);
    Frames(5);
    // Held A is not Enter and held X is not No: the question is still open.
    EXPECT_EQ(form->Screens.WindowKind, ModalWindow::ExitToMenu);
    EXPECT_FALSE(form->Input.Held(kStateN));
    runner->PadButton("a", false);
    runner->PadButton("x", false);
    Frames(1);
    runner->PadButton("x", true);  // pressed now: No
    Frames(1);
    EXPECT_EQ(form->Screens.WindowKind, ModalWindow::None);
    Frames(2);
    EXPECT_FALSE(car->KeyHandbrake);  // held over from the window: not the handbrake yet
    runner->PadButton("x", false);
    Frames(1);
    runner->PadButton("x", true);
    Frames(1);
    EXPECT_TRUE(car->KeyHandbrake);
}

TEST_F(PadPlayTest, YAnswersTheQuestionInTheRaceWithoutTheHorn) {
    StartRace();
    runner->PadAdd();
    Tap("back");
    ASSERT_EQ(form->Screens.WindowKind, ModalWindow::ExitToMenu);
    sounds->played.clear();
    runner->PadButton("y", true);
    Frames(1);
    EXPECT_EQ(form->Screens.ScreenState, GameScreen::MainMenu);  // Yes: the race is over
    Frames(3);
    EXPECT_EQ(sounds->Count("Horn"), 0);
}

TEST_F(PadPlayTest, AHitShakesThePadAndABlowUpShakesItHarder) {
    StartRace();
    TestPad pad;  // a pad whose motors note the shakes
    ASSERT_GE(pad.Index(), 0) << SDL_GetError();
    runner->PumpPadEvents();
    ASSERT_TRUE(form->Components.GamePad.IsTheOneInUse(pad.id));
    car->TakeHit();
    ASSERT_EQ(pad.shakes.size(), 1u);
    EXPECT_EQ(pad.shakes[0].low, 0x8000);
    car->TakeHit();
    car->TakeHit();  // the third hit blows the car up
    ASSERT_FALSE(pad.shakes.empty());
    EXPECT_EQ(pad.shakes.back().low, 0xFFFF);
    EXPECT_EQ(pad.shakes.back().high, 0xFFFF);
}

}  // namespace
