#include "track/track_dump.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

TEST(TrackDump, HeaderLineThenEveryRowFromTheTop) {
    auto state = std::make_unique<TrackState>();
    state->Level = LevelParamsFor(21);
    state->ViewCol = 300;
    state->ViewRow = 1400;
    state->TrackMap.Fill(0);
    state->TrackMap.Set(1, 1, 60);
    state->TrackMap.Set(1, 650, -1);
    state->TrackMap.Set(1500, 2, 23);

    std::istringstream dump(DumpTrack(*state));
    std::string line;
    ASSERT_TRUE(std::getline(dump, line));
    EXPECT_EQ(line,
              "{\"LevelNumber\":21,\"TrackLength\":1300,\"TimeLeft\":94000,\"BonusCount\":400,"
              "\"CarCount\":200,\"ViewCol\":300,\"ViewRow\":1400}");
    std::vector<std::string> rows;
    while (std::getline(dump, line)) rows.push_back(line);
    ASSERT_EQ(rows.size(), 1500u);
    for (const std::string& row : rows) {
        std::istringstream cells(row);
        int count = 0;
        int code = 0;
        while (cells >> code) ++count;
        ASSERT_EQ(count, 650);
        EXPECT_EQ(row.find("  "), std::string::npos);  // single spaces
        EXPECT_NE(row.back(), ' ');
    }
    EXPECT_EQ(rows[0].substr(0, 4), "60 0");
    EXPECT_EQ(rows[0].substr(rows[0].size() - 4), "0 -1");
    EXPECT_EQ(rows[1499].substr(0, 5), "0 23 ");
}

}  // namespace
