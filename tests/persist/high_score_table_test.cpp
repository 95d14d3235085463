#include "persist/high_score_table.h"

#include <gtest/gtest.h>

namespace {

// The default table: 5000, 4500, ... 500, so 500 is the tenth entry.
TEST(HighScoreTable, QualifyingStartsOnePointAboveTheLowestEntry) {
    const THighScoreTable table;
    EXPECT_FALSE(table.IsHighScore(499));
    EXPECT_FALSE(table.IsHighScore(500));
    EXPECT_TRUE(table.IsHighScore(501));
    EXPECT_TRUE(table.IsHighScore(1000000));
}

TEST(HighScoreTable, ANewEntryOnePointAboveTheLowestPushesTheTenthOut) {
    THighScoreTable table;
    table.Slot(10).Name = "TENTH";
    table.Slot(11) = {"NEW", 501};
    table.SortTable();
    EXPECT_EQ(table.Slot(10).Name, "NEW");
    EXPECT_EQ(table.Slot(10).Score, 501);
    EXPECT_EQ(table.Slot(11).Name, "TENTH");  // dropped out
    EXPECT_EQ(table.Slot(9).Score, 1000);
}

// Equal scores keep their order: a new entry ends below every entry with its score.
TEST(HighScoreTable, ANewEntryGoesBelowEntriesOfTheSameScore) {
    THighScoreTable table;
    table.Slot(4) = {"OLD4", 3000};
    table.Slot(5) = {"OLD5", 3000};  // was 3000 already; two entries of 3000 now
    table.Slot(11) = {"NEW", 3000};
    table.SortTable();
    EXPECT_EQ(table.Slot(3).Name, "ANONYMOUS");
    EXPECT_EQ(table.Slot(4).Name, "OLD4");
    EXPECT_EQ(table.Slot(5).Name, "OLD5");
    EXPECT_EQ(table.Slot(6).Name, "NEW");
    EXPECT_EQ(table.Slot(6).Score, 3000);
    EXPECT_EQ(table.Slot(7).Score, 2500);
    EXPECT_EQ(table.Slot(11).Score, 500);
}

TEST(HighScoreTable, ABestEverScoreRisesToTheTop) {
    THighScoreTable table;
    table.Slot(11) = {"ACE", 5001};
    table.SortTable();
    EXPECT_EQ(table.Slot(1).Name, "ACE");
    for (int i = 2; i <= 10; ++i) EXPECT_EQ(table.Slot(i).Score, 5500 - 500 * (i - 1));
}

}  // namespace
