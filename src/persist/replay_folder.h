#pragma once
// The recordings kept beside the saves, in their folder "replays": one file a race, named
// "race-000042.zvr" with a number one higher than any before it, so that the numbers tell the
// order the races were run in. What is kept:
//   - the last kKeptRaces races, and
//   - for every entry of the high-score table, the race that put it there (the newest recording
//     whose end entered that very name and score in the table, each recording for one entry).
// Everything else is removed each time a race is stored, so the folder never grows beyond that.
// A file is written to a temporary file first and renamed, as the saves are.

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "persist/high_score_table.h"
#include "persist/replay_file.h"

inline constexpr int kKeptRaces = 20;
inline constexpr const char* kReplayFolderName = "replays";

struct StoredReplay {
    std::filesystem::path Path;
    uint64_t Number = 0;
    // The header when the file reads as a whole (sizes and checksum), of any game version; none
    // for a damaged file.
    std::optional<ReplayHeader> Header;
};

// The recordings in the folder, oldest first. Files of other names are not the game's and are
// left alone.
std::vector<StoredReplay> ListReplays(const std::filesystem::path& folder);

// For slots 1 to 10 of the table, the index into `replays` of the race that put the entry there,
// or -1. Slot 0 is unused.
std::array<int, 11> MatchTableRows(const std::vector<StoredReplay>& replays,
                                   const THighScoreTable& table);

// Writes a recording (the whole file's bytes) under the next number, then removes what is no
// longer kept. Makes the folder when it is missing. The new file's path, or none with `error`
// saying why (the folder is then left as it was).
std::optional<std::filesystem::path> StoreReplay(const std::filesystem::path& folder,
                                                 std::string_view bytes,
                                                 const THighScoreTable& table, std::string& error);

// Removes the recordings that are neither among the last kKeptRaces nor the race of an entry of
// the table, and the temporary files an interrupted store left behind.
void PruneReplays(const std::filesystem::path& folder, const THighScoreTable& table);
