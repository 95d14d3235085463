// Start-up: the game refuses to run without its archives, and says which file is missing.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "persist/temp_folder.h"
#include "runner_fixture.h"

namespace {

TEST(StartupTest, AMissingArchiveStopsTheStartWithItsName) {
    FormConfig config;
    config.headless = true;
    config.seedFromClock = false;
    config.showMessageBoxes = false;
    const TempFolder empty;
    config.dataDir = (empty.Path() / "Data").string();
    TMForm form(config);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(form.FormCreate());
    const std::string message = testing::internal::GetCapturedStderr();
    EXPECT_NE(message.find("Res1.dxg"), std::string::npos) << message;
}

TEST(StartupTest, TheGameOpensOnTheMainMenuWithItsIntro) {
    auto sounds = std::make_shared<SoundLog>();
    auto runner = MakeTestRunner(85, 0, 1, sounds);
    runner->RunFrame();
    const TMForm& form = runner->Form();
    EXPECT_EQ(form.Screens.ScreenState, GameScreen::MainMenu);
    EXPECT_TRUE(form.Screens.IntroRunning);
    EXPECT_EQ(form.Screens.SelectedButton, 1);
    EXPECT_EQ(form.Components.MDXSpriteEngine.SpriteCount, 7);  // the background and six buttons
    EXPECT_EQ(sounds->Count("MenuBegin"), 1);
    EXPECT_TRUE(form.Components.SystemCursorVisible());
}

TEST(StartupTest, AltEnterDuringTheRacePausesItAcrossTheDisplayChange) {
    auto runner = MakeTestRunner(85, 1);
    TMForm& form = runner->Form();
    form.CloseWindow();  // the level banner
    form.FormKeyDown(SDL_SCANCODE_RETURN, /*altHeld=*/true);
    EXPECT_EQ(form.Options.FullScreen, 1);
    EXPECT_EQ(form.Screens.WindowKind, ModalWindow::Pause);
    form.FormKeyUp(SDL_SCANCODE_RETURN);
    form.FormKeyDown(SDL_SCANCODE_RETURN, true);
    EXPECT_EQ(form.Options.FullScreen, 0);
    EXPECT_EQ(form.Screens.WindowKind, ModalWindow::Pause);
}

// Scripted keys go through the game's own event handling: Alt+Enter, with either Alt key,
// switches the display and is not also an Enter that would click the menu's selected button.
TEST(StartupTest, ScriptedAltEnterOnTheMenuOnlySwitchesTheDisplay) {
    for (const char* alt : {"Alt", "RAlt"}) {
        auto runner = MakeTestRunner();
        std::istringstream script(std::string("5 down ") + alt +
                                  "\n6 down Enter\n7 up Enter\n8 up " + alt + "\n");
        std::vector<ScriptEvent> events;
        std::string error;
        ASSERT_TRUE(ParseInputScript(script, events, error)) << error;
        runner->SetScript(events);
        runner->RunUntil(10);
        EXPECT_EQ(runner->Form().Options.FullScreen, 1) << alt;
        EXPECT_EQ(runner->Form().Screens.ScreenState, GameScreen::MainMenu) << alt;
        EXPECT_EQ(runner->Form().Screens.WindowKind, ModalWindow::None) << alt;
    }
}

TEST(StartupTest, EnterInTheRaceWithNoWindowDoesNothing) {
    auto sounds = std::make_shared<SoundLog>();
    auto runner = MakeTestRunner(85, 1, 1, sounds);
    TMForm& form = runner->Form();
    form.CloseWindow();
    sounds->played.clear();
    form.FormKeyPress(13);
    EXPECT_TRUE(sounds->played.empty());
    EXPECT_EQ(form.Screens.WindowKind, ModalWindow::None);
    EXPECT_EQ(form.Screens.ScreenState, GameScreen::Race);
}

}  // namespace
