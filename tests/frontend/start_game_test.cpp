// The start-game screen: the cross-fade between cars, the wrap from 6 to 1, the keys and Start.

#include <algorithm>

#include "menu_fixture.h"
#include "sprites/player.h"

namespace {

class StartGameTest : public MenuTest {
protected:
    void SetUp() override {
        MenuTest::SetUp();
        SkipIntro();
        Play("1 type \\r\n");  // Start Game is selected on arrival
        ASSERT_EQ(form->Screens.ScreenState, GameScreen::StartGame);
        screen = &form->FrontEnd.StartGame;
    }
    // Runs frames until the change of car is over; returns how many it took.
    int FinishChange() {
        int frames = 0;
        while (screen->CarChanging && frames < 100) {
            runner->RunFrame();
            ++frames;
        }
        return frames;
    }
    std::string Shown(const TMyImageSprite* picture) const { return picture->Image->Name(); }
    TStartGameScreen* screen = nullptr;
};

TEST_F(StartGameTest, OpensWithStartSelectedAndTheLastCar) {
    EXPECT_EQ(form->Screens.SelectedButton, kStartGameStart);
    EXPECT_EQ(Shown(screen->CarPictureA), "SG_Car1");
    EXPECT_FALSE(screen->CarPictureB->Visible);
}

TEST_F(StartGameTest, AChangeCrossFadesOverThirteenFrames) {
    form->Screens.SelectedButton = kStartGameNext;
    Press("Right");  // Right on the right arrow: the next car, from this frame on
    EXPECT_EQ(screen->PendingCar, 2);
    EXPECT_TRUE(screen->CarPictureB->Visible);
    EXPECT_EQ(Shown(screen->CarPictureB), "SG_Car2");
    // The new car shows through the fading old one: it is drawn first, underneath.
    const auto& order = form->Components.MDXSpriteEngine.DrawOrder;
    EXPECT_LT(std::find(order.begin(), order.end(), screen->CarPictureB),
              std::find(order.begin(), order.end(), screen->CarPictureA));
    for (int frame = 1; frame <= 13; ++frame) {
        if (frame > 1) runner->RunFrame();
        const int alpha = 255 - 20 * frame;
        EXPECT_TRUE(screen->CarPictureA->AlphaMode) << frame;
        EXPECT_EQ(screen->CarPictureA->Alpha, alpha) << frame;
        EXPECT_EQ(screen->CarChanging, alpha > 0) << frame;
        EXPECT_EQ(screen->SelectedCar, alpha > 0 ? 1 : 2) << frame;
        EXPECT_EQ(Shown(screen->CarPictureA), alpha > 0 ? "SG_Car1" : "SG_Car2") << frame;
    }
    // The frame after the swap: A opaque with the new car, B hidden again.
    runner->RunFrame();
    EXPECT_FALSE(screen->CarPictureA->AlphaMode);
    EXPECT_EQ(screen->CarPictureA->Alpha, 255);
    EXPECT_TRUE(screen->CarPictureA->Visible);
    EXPECT_FALSE(screen->CarPictureB->Visible);
}

TEST_F(StartGameTest, CarsWrapBetweenSixAndOneAndASecondPressDuringAChangeIsIgnored) {
    form->Screens.SelectedButton = kStartGamePrevious;
    Press("Left");
    EXPECT_EQ(FinishChange(), 12);  // the press's own frame was the first of 13
    EXPECT_EQ(screen->SelectedCar, 6);
    form->Screens.SelectedButton = kStartGameNext;
    Press("Right");
    FinishChange();
    EXPECT_EQ(screen->SelectedCar, 1);
    // Twice quickly: the second press comes while the first change runs and counts for nothing.
    ClickOn(kStartGameNext);
    RunFrames(4);
    ClickOn(kStartGameNext);
    Play("1 down Right\n2 up Right\n");
    FinishChange();
    EXPECT_EQ(screen->SelectedCar, 2);
    RunFrames(3);
    EXPECT_FALSE(screen->CarChanging);
    EXPECT_EQ(screen->SelectedCar, 2);
}

TEST_F(StartGameTest, AChangeStartedRightAfterTheLastOneStillFades) {
    form->Screens.SelectedButton = kStartGameNext;
    Press("Right");
    FinishChange();
    // The click lands before the frame that would have made the pictures opaque again.
    ClickOn(kStartGameNext);
    EXPECT_TRUE(screen->CarChanging);
    EXPECT_EQ(screen->CarPictureA->Alpha, 255 - 20);
    EXPECT_EQ(FinishChange(), 12);
    EXPECT_EQ(screen->SelectedCar, 3);
}

TEST_F(StartGameTest, ArrowKeysMoveTheSelectionOrTurnTheCar) {
    struct KeyRule {
        const char* key;
        int from;
        int to;
        bool turns;
    };
    const KeyRule rules[] = {
        {"Left", 1, 1, true},   {"Left", 2, 1, false},  {"Left", 3, 3, false},
        {"Left", 4, 3, false},  {"Right", 1, 2, false}, {"Right", 2, 2, true},
        {"Right", 3, 4, false}, {"Right", 4, 4, false}, {"Up", 1, 1, false},
        {"Up", 2, 2, false},    {"Up", 3, 1, false},    {"Up", 4, 2, false},
        {"Down", 1, 3, false},  {"Down", 2, 4, false},  {"Down", 3, 3, false},
        {"Down", 4, 4, false},
    };
    for (const KeyRule& rule : rules) {
        form->Screens.SelectedButton = rule.from;
        Press(rule.key);
        EXPECT_EQ(form->Screens.SelectedButton, rule.to) << rule.key << " from " << rule.from;
        EXPECT_EQ(screen->CarChanging, rule.turns) << rule.key << " from " << rule.from;
        FinishChange();
        EXPECT_EQ(form->Screens.ScreenState, GameScreen::StartGame);
    }
    EXPECT_EQ(screen->SelectedCar, 1);  // one step back, one step forward
}

TEST_F(StartGameTest, StartRacesWithTheChosenCarAndTheChoiceIsKept) {
    ClickOn(kStartGameNext);
    FinishChange();
    ClickOn(kStartGameNext);
    FinishChange();
    ClickOn(kStartGameStart);
    ASSERT_EQ(form->Screens.ScreenState, GameScreen::Race);
    ASSERT_NE(form->RaceScreen.Race.Player, nullptr);
    EXPECT_EQ(form->RaceScreen.Race.Player->Car, 3);
    EXPECT_FALSE(form->Components.SystemCursorVisible());
    // Leave the race, come back: the screen shows the car chosen last, and Start uses it again.
    form->CloseWindow();
    form->OpenWindow(ModalWindow::ExitToMenu);
    form->ClickButton(kYesButton);
    ASSERT_EQ(form->Screens.ScreenState, GameScreen::MainMenu);
    Play("1 type \\r\n");
    ASSERT_EQ(form->Screens.ScreenState, GameScreen::StartGame);
    EXPECT_EQ(Shown(screen->CarPictureA), "SG_Car3");
    Play("1 type \\r\n");
    ASSERT_NE(form->RaceScreen.Race.Player, nullptr);
    EXPECT_EQ(form->RaceScreen.Race.Player->Car, 3);
}

}  // namespace
