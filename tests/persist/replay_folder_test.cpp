// The recordings beside the saves: which are kept when a race is stored, and which row of the
// high-score table each belongs to.

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <string>

#include "persist/replay_folder.h"
#include "temp_folder.h"

namespace {

namespace fs = std::filesystem;

// A recording of a race that ended with `score`, entered in the table as `name` when not empty.
std::string Race(int score, const std::string& name = "") {
    ReplayHeader header;
    header.GameVersion = "2.0";
    header.FinalScore = score;
    header.EnteredTable = !name.empty();
    header.EnteredName = name;
    return EncodeReplay(header, "");
}

// A table whose ten rows score 1000 down to 100, all named "-" (no recording's name).
THighScoreTable Table() {
    THighScoreTable table;
    for (int i = 1; i <= 10; ++i) table.Slot(i) = {"-", 1100 - 100 * i};
    return table;
}

class ReplayFolderTest : public ::testing::Test {
protected:
    fs::path Folder() const { return temp.Path() / "replays"; }
    void Store(const std::string& bytes, const THighScoreTable& table) {
        std::string error;
        ASSERT_TRUE(StoreReplay(Folder(), bytes, table, error)) << error;
    }
    std::set<uint64_t> Numbers() const {
        std::set<uint64_t> numbers;
        for (const StoredReplay& replay : ListReplays(Folder())) numbers.insert(replay.Number);
        return numbers;
    }
    static std::set<uint64_t> Range(uint64_t first, uint64_t last) {
        std::set<uint64_t> numbers;
        for (uint64_t n = first; n <= last; ++n) numbers.insert(n);
        return numbers;
    }
    TempFolder temp;
};

TEST_F(ReplayFolderTest, TheTwentyFirstRaceRemovesTheOldestNotKeptForTheTable) {
    THighScoreTable table = Table();
    table.Slot(4) = {"ACE", 700};
    Store(Race(90), table);          // race 1: no entry
    Store(Race(700, "ACE"), table);  // race 2: row 4's
    for (int i = 3; i <= 20; ++i) Store(Race(i), table);
    EXPECT_EQ(Numbers(), Range(1, 20));  // twenty races: nothing goes
    Store(Race(21), table);
    EXPECT_EQ(Numbers(), Range(2, 21));  // the oldest goes
    Store(Race(22), table);
    EXPECT_EQ(Numbers(), Range(2, 22));  // race 2 is past the last twenty, but kept for the table
    Store(Race(23), table);
    std::set<uint64_t> want = Range(4, 23);
    want.insert(2);  // the oldest not kept for the table goes: race 3
    EXPECT_EQ(Numbers(), want);

    // The table cleared, race 2 belongs to no row: the next race takes it away too.
    Store(Race(24), Table());
    EXPECT_EQ(Numbers(), Range(5, 24));
}

TEST_F(ReplayFolderTest, NumbersGoOnPastGapsAndTheFilesOfOthersStay) {
    fs::create_directories(Folder());
    std::ofstream(Folder() / "race-000041.zvr") << "damaged";  // counted, never read
    std::ofstream(Folder() / "race-000045.zvr.saving") << "cut off";
    std::ofstream(Folder() / "notes.txt") << "mine";
    std::ofstream(Folder() / "race-12x.zvr") << "not a number";
    Store(Race(5), Table());
    EXPECT_TRUE(fs::exists(Folder() / "race-000046.zvr"));  // after the leftover's number
    EXPECT_FALSE(fs::exists(Folder() / "race-000045.zvr.saving"));
    EXPECT_TRUE(fs::exists(Folder() / "notes.txt"));
    EXPECT_TRUE(fs::exists(Folder() / "race-12x.zvr"));
    const std::vector<StoredReplay> replays = ListReplays(Folder());
    ASSERT_EQ(replays.size(), 2u);
    EXPECT_EQ(replays[0].Number, 41u);
    EXPECT_FALSE(replays[0].Header);
    EXPECT_TRUE(replays[1].Header);
}

TEST_F(ReplayFolderTest, EachRowGetsTheNewestRaceOfItsOwnNameAndScore) {
    THighScoreTable table = Table();
    table.Slot(2) = {"BOB", 900};
    table.Slot(3) = {"BOB", 900};
    table.Slot(5) = {"EVE", 600};
    table.Slot(6) = {"EVE", 500};
    Store(Race(900, "BOB"), table);  // 1
    Store(Race(900, "BOB"), table);  // 2
    Store(Race(900, "BOB"), table);  // 3: the newest of three, for the upper row
    Store(Race(600), table);         // 4: that score, but no name entered
    Store(Race(600, "eve"), table);  // 5: another name
    Store(Race(500, "EVE"), table);  // 6
    const std::vector<StoredReplay> replays = ListReplays(Folder());
    const std::array<int, 11> rows = MatchTableRows(replays, table);
    auto number = [&](int slot) { return rows[slot] < 0 ? 0 : replays[rows[slot]].Number; };
    EXPECT_EQ(number(2), 3u);
    EXPECT_EQ(number(3), 2u);
    EXPECT_EQ(number(5), 0u);
    EXPECT_EQ(number(6), 6u);
    for (int slot : {1, 4, 7, 8, 9, 10}) EXPECT_EQ(rows[slot], -1) << slot;
}

}  // namespace
