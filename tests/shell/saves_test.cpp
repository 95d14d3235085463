// The saves as the game uses them: read at start-up, written by the exit question's Yes, and
// read back by the next start.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "runner_fixture.h"

namespace {

namespace fs = std::filesystem;

std::unique_ptr<ReplayRunner> MakeRunnerWithSaves(const fs::path& saves) {
    ReplayOptions options;
    options.saveDir = saves.string();
    auto runner = std::make_unique<ReplayRunner>(options);
    std::string error;
    EXPECT_TRUE(runner->StartWith(TestImageList1(), TestImageList2(), TestWaves(), error)) << error;
    return runner;
}

TEST(SavesTest, TheExitQuestionsYesWritesWhatTheNextStartReads) {
    const fs::path saves =
        fs::temp_directory_path() / ("zarvex2-saves-" + std::to_string(getpid())) / "Save";
    fs::remove_all(saves.parent_path());
    {
        auto runner = MakeRunnerWithSaves(saves);
        TMForm& form = runner->Form();
        EXPECT_EQ(form.Options.Country, "_______");  // first start: the defaults
        EXPECT_EQ(form.HighScores.Slot(1).Score, 5000);
        form.Options.Music = 0;
        form.Options.Country = "Norway";
        form.HighScores.Slot(11) = {"ACE", 4200};
        form.HighScores.SortTable();
        form.FormCloseQuery();
        runner->KeyDown("Y");
        runner->RunFrame();
        ASSERT_TRUE(form.Terminated());
    }
    ASSERT_TRUE(fs::is_regular_file(saves / "options"));
    ASSERT_TRUE(fs::is_regular_file(saves / "hs"));
    {
        auto runner = MakeRunnerWithSaves(saves);
        const TMForm& form = runner->Form();
        EXPECT_EQ(form.Options.Music, 0);
        EXPECT_EQ(form.Options.Country, "Norway");
        EXPECT_EQ(form.HighScores.Slot(3).Name, "ACE");
        EXPECT_EQ(form.HighScores.Slot(3).Score, 4200);
        EXPECT_EQ(form.HighScores.Slot(10).Score, 1000);
    }
    fs::remove_all(saves.parent_path());
}

// Leaving the game opens the web address of a "play.url" in the working folder.
TEST(SavesTest, LeavingOpensTheAddressOfPlayUrlInTheWorkingFolder) {
    const fs::path folder =
        fs::temp_directory_path() / ("zarvex2-exit-" + std::to_string(getpid()));
    fs::create_directories(folder);
    std::ofstream(folder / "play.url") << "[InternetShortcut]\r\nURL=https://example.org/bye\r\n";
    std::vector<std::string> links;
    ReplayOptions options;
    options.openLink = [&links](const std::string& address) { links.push_back(address); };
    ReplayRunner runner(options);
    std::string error;
    ASSERT_TRUE(runner.StartWith(TestImageList1(), TestImageList2(), TestWaves(), error)) << error;
    const fs::path before = fs::current_path();
    fs::current_path(folder);  // this test's own process: the folder is put back below
    runner.Form().FormCloseQuery();
    runner.KeyDown("Y");
    runner.RunFrame();
    fs::current_path(before);
    fs::remove_all(folder);
    ASSERT_TRUE(runner.Form().Terminated());
    EXPECT_EQ(links, std::vector<std::string>{"https://example.org/bye"});
}

// Replays and tests start from the defaults and leave no files behind.
TEST(SavesTest, WithoutASaveFolderNothingIsReadOrWritten) {
    auto runner = MakeTestRunner();
    TMForm& form = runner->Form();
    form.FormCloseQuery();
    runner->KeyDown("Y");
    runner->RunFrame();
    ASSERT_TRUE(form.Terminated());
    EXPECT_FALSE(fs::exists(fs::path(ReplayOptions{}.dataDir) / "Save" / "options.saving"));
}

}  // namespace
