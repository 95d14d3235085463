// The saves as the game uses them: read at start-up, written by the exit question's Yes, and
// read back by the next start.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

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
