// Where the game finds its data and keeps the player's files: a source tree or portable copy as
// always, the installed layout otherwise, and the player's own folder for the saves.

#include "persist/game_folders.h"

#include <gtest/gtest.h>

#include <fstream>

#include "persist/temp_folder.h"
#include "persist/window_file.h"

namespace {

namespace fs = std::filesystem;

// A scratch machine: a working directory, an installed tree under usr/, a home.
class GameFoldersTest : public testing::Test {
protected:
    void SetUp() override {
        environment.workingDir = temp.Path() / "work";
        environment.program = temp.Path() / "usr" / "games" / "zarvex2";
        environment.home = (temp.Path() / "home").string();
        fs::create_directories(environment.workingDir);
        fs::create_directories(environment.program.parent_path());
    }

    static void PutData(const fs::path& folder) {
        fs::create_directories(folder / "Res");
        std::ofstream(folder / kDataMarker) << "archive";
    }

    fs::path Portable() const { return environment.workingDir / "Data"; }
    fs::path Installed() const { return temp.Path() / "usr" / "share" / "games" / "zarvex2"; }
    fs::path HomeShare() const { return temp.Path() / "home" / ".local" / "share" / "zarvex2"; }

    TempFolder temp;
    FolderEnvironment environment;
};

TEST_F(GameFoldersTest, APortableDataFolderKeepsItsSavesBesideItAsAlways) {
    PutData(Portable());
    PutData(Installed());  // the working directory's copy wins
    const FolderSearch search = FindGameFolders(environment);
    ASSERT_TRUE(search.folders.has_value());
    EXPECT_EQ(search.folders->data, Portable());
    EXPECT_EQ(search.folders->saves, Portable() / "Save");
    EXPECT_EQ(search.folders->userFiles, environment.workingDir);
    EXPECT_TRUE(search.folders->portable);
}

// Only a folder that holds the archives counts: a Data folder left with nothing but old saves in
// it does not hide the installed game.
TEST_F(GameFoldersTest, ADataFolderWithoutArchivesFallsBackToTheInstalledData) {
    fs::create_directories(Portable() / "Save");
    PutData(Installed());
    const FolderSearch search = FindGameFolders(environment);
    ASSERT_TRUE(search.folders.has_value());
    EXPECT_EQ(search.folders->data, Installed());
    EXPECT_FALSE(search.folders->portable);
}

// An installed game never writes into its data folder, even one the player could write to (a
// package unpacked into a scratch root, a tree installed under the home folder).
TEST_F(GameFoldersTest, TheInstalledGameKeepsItsSavesInTheXdgDataHome) {
    PutData(Installed());
    environment.xdgDataHome = (temp.Path() / "xdg").string();
    const FolderSearch search = FindGameFolders(environment);
    ASSERT_TRUE(search.folders.has_value());
    EXPECT_EQ(search.folders->saves, temp.Path() / "xdg" / "zarvex2" / "Save");
    EXPECT_EQ(search.folders->userFiles, temp.Path() / "xdg" / "zarvex2");
}

// A portable copy on a medium the player cannot write to keeps its saves in the home folder.
TEST_F(GameFoldersTest, AReadOnlyPortableCopyKeepsItsSavesInTheHome) {
    PutData(Portable());
    environment.writable = [this](const fs::path& folder) {
        return folder.string().rfind(Portable().string(), 0) != 0;
    };
    const FolderSearch search = FindGameFolders(environment);
    ASSERT_TRUE(search.folders.has_value());
    EXPECT_EQ(search.folders->data, Portable());
    EXPECT_EQ(search.folders->saves, HomeShare() / "Save");
    EXPECT_EQ(search.folders->userFiles, HomeShare());
}

struct XdgCase {
    const char* xdgDataHome;
    const char* home;
    const char* expected;  // relative to the scratch folder; "" for no folder at all
};

// $XDG_DATA_HOME counts only when absolute; then ~/.local/share; without a home, no folder.
TEST_F(GameFoldersTest, ThePlayersFolderFollowsTheBaseDirectoryRules) {
    const XdgCase cases[] = {
        {"<abs>/xdg", "<abs>/home", "xdg/zarvex2"},
        {"", "<abs>/home", "home/.local/share/zarvex2"},
        {"relative/xdg", "<abs>/home", "home/.local/share/zarvex2"},
        {"", "", ""},
        {"", "relative-home", ""},
    };
    const auto expand = [this](std::string text) {
        if (text.rfind("<abs>", 0) == 0) text = temp.Path().string() + text.substr(5);
        return text;
    };
    for (const XdgCase& c : cases) {
        SCOPED_TRACE(std::string(c.xdgDataHome) + " | " + c.home);
        environment.xdgDataHome = expand(c.xdgDataHome);
        environment.home = expand(c.home);
        const fs::path expected = *c.expected ? temp.Path() / c.expected : fs::path();
        EXPECT_EQ(UserDataFolder(environment), expected);
    }
}

TEST_F(GameFoldersTest, WithoutAHomeTheGamePlaysWithoutSaves) {
    PutData(Installed());
    environment.home.clear();
    const FolderSearch search = FindGameFolders(environment);
    ASSERT_TRUE(search.folders.has_value());
    EXPECT_TRUE(search.folders->saves.empty());
}

TEST_F(GameFoldersTest, NoDataNamesEveryPlaceLookedAt) {
    const FolderSearch search = FindGameFolders(environment);
    EXPECT_FALSE(search.folders.has_value());
    const std::string message = NoDataMessage(search);
    EXPECT_NE(message.find(Portable().string()), std::string::npos) << message;
    EXPECT_NE(message.find(Installed().string()), std::string::npos) << message;
    EXPECT_NE(message.find(kDataMarker), std::string::npos) << message;

    environment.program.clear();  // /proc/self/exe unreadable: only one place to look
    const FolderSearch alone = FindGameFolders(environment);
    ASSERT_EQ(alone.lookedAt.size(), 1u);
    EXPECT_NE(NoDataMessage(alone).find("could not be told"), std::string::npos);
}

// The window's file: two sizes and the maximised flag on one line; anything else is ignored, so
// the window opens at its first-start size rather than at a damaged one.
struct WindowLine {
    const char* text;
    bool valid;
    int width;
    int height;
    bool maximised;
};

TEST(WindowFile, ReadsOnlyAWellFormedLine) {
    const WindowLine lines[] = {
        {"792 592 0\n", true, 792, 592, false},
        {"1584 1184 1\n", true, 1584, 1184, true},
        {"1000 700\n", true, 1000, 700, false},  // the flag may be left out
        {"1000 700 0\r\n", true, 1000, 700, false},
        {"1000 700 0", true, 1000, 700, false},
        {"16384 16384 0\n", true, 16384, 16384, false},
        {"16385 700 0\n", false, 0, 0, false},
        {"1 1 0\n", true, 1, 1, false},
        {"0 700 0\n", false, 0, 0, false},
        {"1000 700 2\n", false, 0, 0, false},
        {"1000  700 0\n", false, 0, 0, false},
        {"-1000 700 0\n", false, 0, 0, false},
        {"100000 700 0\n", false, 0, 0, false},
        {"1000 700 0\n1\n", false, 0, 0, false},
        {"1000\n", false, 0, 0, false},
        {"", false, 0, 0, false},
    };
    for (const WindowLine& line : lines) {
        SCOPED_TRACE(testing::PrintToString(std::string(line.text)));
        const auto size = ParseWindowFile(line.text);
        ASSERT_EQ(size.has_value(), line.valid);
        if (!size) continue;
        EXPECT_EQ(size->Width, line.width);
        EXPECT_EQ(size->Height, line.height);
        EXPECT_EQ(size->Maximised, line.maximised);
        const auto again = ParseWindowFile(FormatWindowFile(*size));
        ASSERT_TRUE(again.has_value());
        EXPECT_EQ(again->Width, line.width);
        EXPECT_EQ(again->Maximised, line.maximised);
    }
}

}  // namespace
