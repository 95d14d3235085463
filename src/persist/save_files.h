#pragma once
// The options and the high-score table on disk: the files "options" and "hs" in the save folder
// (the game passes "Data/Save"). The text of both files is described in save_text.h.
//
// Start-up:
//
//   TLoadReport LoadSaves(const std::filesystem::path& folder, TGameOptions&, THighScoreTable&);
//
// reads both files (a missing or unreadable file gives the defaults), then compares the
// signature of the table with the one stored in the options file; when they differ, slots 1 to
// 10 get the default table. Only regular files are read, so a stray pipe or folder of that name
// cannot hang the game.
//
// Shut-down:
//
//   bool WriteSaves(const std::filesystem::path& folder, const TGameOptions&,
//                   const THighScoreTable&);
//
// creates the folder when it is missing and writes both files in full, each to a temporary file
// beside it ("options.saving", "hs.saving") that is flushed to the disk, before either replaces
// its old file by a rename. A crash or a full disk before the renames leaves the previous saves
// as they were. A crash between the two renames leaves the new options beside the old table; the
// complete "hs.saving" is still there and LoadSaves takes it when it matches the new signature,
// so the player gets either the old saves or the new ones, never a reset table. A failure is
// reported on stderr and by the result false; the old files stay.

#include <filesystem>
#include <functional>
#include <string>

#include "persist/game_options.h"
#include "persist/high_score_table.h"

struct TLoadReport {
    bool OptionsRead = false;  // the options file was there to read
    bool TableRead = false;    // the high-score file was there to read
    // The table's signature did not match: slots 1 to 10 now hold the default table.
    bool TableRestored = false;
    // The table came from "hs.saving", left complete by a save that stopped between its renames.
    bool TableFromUnfinishedSave = false;
    std::string StoredSignature;  // the signature line of the options file
};

TLoadReport LoadSaves(const std::filesystem::path& folder, TGameOptions& options,
                      THighScoreTable& table);

// The points of a save where the tests stop it. A hook that returns false there makes that step
// fail as the disk would (a write error at the middle of a file, a refused rename); a hook may
// also end the process there to play a crash.
enum class SaveStep {
    WriteOptions,       // half of "options.saving" is written
    WriteHighScores,    // half of "hs.saving" is written
    ReplaceOptions,     // both temporary files are complete; before the first rename
    ReplaceHighScores,  // "options" is replaced; before the second rename
    SyncFolder,         // both files are replaced; before the folder is flushed
};
using SaveStepHook = std::function<bool(SaveStep)>;

bool WriteSaves(const std::filesystem::path& folder, const TGameOptions& options,
                const THighScoreTable& table, const SaveStepHook& hook = {});
