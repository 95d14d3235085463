// Start-up: the game refuses to run without its archives, and says which file is missing.

#include <gtest/gtest.h>

#include <filesystem>

#include "runner_fixture.h"

namespace {

TEST(StartupTest, AMissingArchiveStopsTheStartWithItsName) {
    FormConfig config;
    config.headless = true;
    config.seedFromClock = false;
    config.showMessageBoxes = false;
    config.dataDir = (std::filesystem::temp_directory_path() / "zarvex-no-data-here").string();
    TMForm form(config);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(form.FormCreate());
    const std::string message = testing::internal::GetCapturedStderr();
    EXPECT_NE(message.find("Res1.dxg"), std::string::npos) << message;
}

TEST(StartupTest, TheGameOpensOnTheMenuWithTheMenuBackground) {
    auto runner = MakeTestRunner();
    runner->RunFrame();
    EXPECT_EQ(runner->Form().Screens.ScreenState, kScreenMainMenu);
    EXPECT_EQ(runner->Form().MDXSpriteEngine.SpriteCount, 1);
    EXPECT_TRUE(runner->Form().SystemCursorVisible());
}

TEST(StartupTest, AltEnterDuringTheRacePausesItAcrossTheDisplayChange) {
    auto runner = MakeTestRunner(85, 1);
    TMForm& form = runner->Form();
    form.CloseWindow();  // the level banner
    form.FormKeyDown(SDL_SCANCODE_RETURN, /*altHeld=*/true);
    EXPECT_EQ(form.Options.FullScreen, 1);
    EXPECT_EQ(form.Screens.WindowKind, kWindowPause);
    form.FormKeyUp(SDL_SCANCODE_RETURN);
    form.FormKeyDown(SDL_SCANCODE_RETURN, true);
    EXPECT_EQ(form.Options.FullScreen, 0);
    EXPECT_EQ(form.Screens.WindowKind, kWindowPause);
}

TEST(StartupTest, EnterInTheRaceWithNoWindowDoesNothing) {
    auto sounds = std::make_shared<SoundLog>();
    auto runner = MakeTestRunner(85, 1, 1, sounds);
    TMForm& form = runner->Form();
    form.CloseWindow();
    sounds->played.clear();
    form.FormKeyPress(13);
    EXPECT_TRUE(sounds->played.empty());
    EXPECT_EQ(form.Screens.WindowKind, kWindowNone);
    EXPECT_EQ(form.Screens.ScreenState, kScreenRace);
}

}  // namespace
