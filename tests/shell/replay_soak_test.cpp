// The replay runner's soak flags: races from a list of levels in turn, the game left through its
// menus at the end, and the report of the sprites and the memory.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "../persist/temp_folder.h"
#include "runner_fixture.h"

namespace {

std::unique_ptr<ReplayRunner> MakeSoakRunner(ReplayOptions options) {
    auto runner = std::make_unique<ReplayRunner>(options);
    std::string error;
    EXPECT_TRUE(runner->StartWith(TestImageList1(), TestImageList2(), TestWaves(), error)) << error;
    return runner;
}

// The number after "key": in a JSON line, -1 when the key is missing.
long Field(const std::string& line, const std::string& key) {
    const size_t at = line.find("\"" + key + "\":");
    if (at == std::string::npos) return -1;
    return std::stol(line.substr(at + key.size() + 3));
}

TEST(ReplaySoakArgsTest, ParsesTheSoakFlagsAndRejectsBadOnes) {
    ReplayOptions options;
    std::string error;
    ASSERT_TRUE(ParseReplayArgs(
        {"--race", "2", "--autopilot", "--levels", "1,5,12,25", "--quit", "--report-every", "100"},
        options, error))
        << error;
    EXPECT_EQ(options.levels, (std::vector<int>{1, 5, 12, 25}));
    EXPECT_EQ(options.level, 1);  // the first race starts at the first of them
    EXPECT_TRUE(options.quit);
    EXPECT_EQ(options.reportEvery, 100);
    for (std::vector<std::string> bad :
         {std::vector<std::string>{"--race", "1", "--autopilot", "--levels", "1,,5"},
          {"--race", "1", "--autopilot", "--levels", "0"},
          {"--race", "1", "--autopilot", "--levels", "3,x"},
          {"--race", "1", "--autopilot", "--levels", ""},
          {"--race", "1", "--autopilot", "--levels"},
          {"--autopilot", "--levels", "1,2"},  // no race to start
          {"--race", "1", "--levels", "1,2"},  // nobody to drive it
          {"--report-every", "0"}}) {
        ReplayOptions ignored;
        EXPECT_FALSE(ParseReplayArgs(bad, ignored, error)) << bad.back();
        EXPECT_FALSE(error.empty());
    }
}

// Two levels over 600 frames: frames 1 to 300 belong to the first. The car leaves the race in
// frame 301 through the exit-to-menu question, and the next race starts at the second level.
TEST(ReplaySoakTest, EachShareOfTheFramesStartsAtTheNextLevel) {
    ReplayOptions options;
    std::string error;
    ASSERT_TRUE(ParseReplayArgs(
        {"--race", "1", "--autopilot", "--levels", "2,4", "--frames", "600"}, options, error));
    auto runner = MakeSoakRunner(options);
    TMForm& form = runner->Form();
    runner->RunUntil(300);
    EXPECT_EQ(form.Screens.ScreenState, GameScreen::Race);
    EXPECT_EQ(form.RaceScreen.Track.Level.LevelNumber, 2);
    EXPECT_EQ(form.Screens.WindowKind, ModalWindow::None);
    runner->RunFrame();
    EXPECT_EQ(form.Screens.WindowKind, ModalWindow::ExitToMenu);
    bool mainMenu = false;
    while (runner->Frame() < 600) {
        runner->RunFrame();
        mainMenu = mainMenu || form.Screens.ScreenState == GameScreen::MainMenu;
    }
    EXPECT_TRUE(mainMenu);
    EXPECT_EQ(form.Screens.ScreenState, GameScreen::Race);
    EXPECT_EQ(form.RaceScreen.Track.Level.LevelNumber, 4);
    EXPECT_EQ(form.RaceScreen.Race.Score, 0);  // a new game, not the old one carried on
}

// Quitting from a race whose score enters the table: out through the question, the name entry
// (the autopilot's), the high-score screen and the main menu's exit question, whose Yes writes
// the saves.
TEST(ReplaySoakTest, QuitLeavesThroughTheMenusAndWritesTheSaves) {
    TempFolder folder;
    const std::filesystem::path saves = folder.Path() / "Save";
    ReplayOptions options;
    options.raceCar = 1;
    options.autopilot = true;
    options.saveDir = saves.string();
    auto runner = MakeSoakRunner(options);
    TMForm& form = runner->Form();
    runner->RunUntil(100);
    form.RaceScreen.Race.Score = 7000;
    runner->Quit();
    bool highScores = false;
    for (int i = 0; i < 3000 && !runner->Finished(); ++i) {
        runner->RunFrame();
        highScores = highScores || form.Screens.ScreenState == GameScreen::HighScores;
    }
    ASSERT_TRUE(runner->Finished());
    EXPECT_TRUE(highScores);
    std::ifstream table(saves / "hs");
    std::stringstream text;
    text << table.rdbuf();
    EXPECT_NE(text.str().find("Autopilot"), std::string::npos) << text.str();
    EXPECT_NE(text.str().find("7000"), std::string::npos) << text.str();
}

// The report gives the sprites at the end of the frame and the most there were at the end of any
// frame since the last report: a window opened and closed in between shows in the peak only.
TEST(ReplaySoakTest, TheReportShowsThePeakSinceTheLastReport) {
    ReplayOptions options;
    options.raceCar = 1;
    auto runner = MakeSoakRunner(options);
    TMForm& form = runner->Form();
    runner->RunUntil(300);  // the level's banner has gone
    ASSERT_EQ(form.Screens.WindowKind, ModalWindow::None);
    const std::string first = runner->LoadReportJson();
    const long racing = Field(first, "SpriteCount");
    EXPECT_EQ(Field(first, "frame"), 300);
    EXPECT_EQ(Field(first, "LevelNumber"), 1);
    EXPECT_GT(racing, 0);
    EXPECT_GE(Field(first, "SpritePeak"), racing);
    EXPECT_GT(Field(first, "rssKb"), 0);

    form.OpenWindow(ModalWindow::ExitToMenu);  // the question adds its sprites
    runner->RunFrame();
    const int withWindow = form.Components.MDXSpriteEngine.SpriteCount;
    EXPECT_GT(withWindow, racing);
    runner->KeyDown("N");
    runner->RunFrame();
    runner->KeyUp("N");
    runner->RunFrame();
    ASSERT_EQ(form.Screens.WindowKind, ModalWindow::None);
    const std::string second = runner->LoadReportJson();
    EXPECT_EQ(Field(second, "SpriteCount"), racing);
    EXPECT_EQ(Field(second, "SpritePeak"), withWindow);
    const std::string third = runner->LoadReportJson();  // a new stretch: the window is gone
    EXPECT_EQ(Field(third, "SpritePeak"), racing);
}

}  // namespace
