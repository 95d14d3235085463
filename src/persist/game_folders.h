#pragma once
// Where the game finds its data and keeps the player's files. Everything that lives "beside the
// saves" asks FindGameFolders, so there is one answer for the whole game.
//
// The data (Res/, Music/, fonts.conf):
//   1. "Data" in the working directory, when it holds Res/Res1.dxg: a source tree or a portable
//      copy runs exactly as it always did;
//   2. otherwise the installed data folder, found from the program's own location
//      (<program's folder>/../share/games/zarvex2 for a program in <prefix>/games).
// When neither holds the archives, the search fails and lists every folder it looked at.
//
// The player's files (the saves, the window's size, the exit link "play.url", the pad mappings
// "gamecontrollerdb.txt"):
//   - beside a portable Data folder that the player may write to: the saves in Data/Save, the
//     exit link and the pad mappings in the working directory, as always;
//   - otherwise in the player's own data folder, $XDG_DATA_HOME/zarvex2 (by default
//     ~/.local/share/zarvex2): the saves in its Save folder, the rest beside it. An installed
//     game never writes into its data folder, even when it could.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// What the search depends on, read from the process by CurrentFolderEnvironment; the tests make
// their own.
struct FolderEnvironment {
    std::filesystem::path workingDir;
    std::filesystem::path program;  // the running program; empty when it cannot be told
    std::string xdgDataHome;        // $XDG_DATA_HOME as set (empty or relative: not used)
    std::string home;               // $HOME, or the home of the password database's entry
    // Whether the player may keep files in the folder; unset: the file system's answer for this
    // process (an existing folder it can write to and enter, or a missing one it can create).
    std::function<bool(const std::filesystem::path&)> writable;
};

FolderEnvironment CurrentFolderEnvironment();

struct GameFolders {
    std::filesystem::path data;
    // The options, the high-score table and the window's size; empty when there is no place for
    // them (no home folder at all): the game then reads and writes no saves.
    std::filesystem::path saves;
    // The exit link and the pad mappings.
    std::filesystem::path userFiles;
    bool portable = false;  // the data is the working directory's Data folder
};

struct FolderSearch {
    std::optional<GameFolders> folders;
    std::vector<std::filesystem::path> lookedAt;  // the data folders tried, in order
};

// The installed data folder relative to the program's folder, as the build laid it out
// ("../share/games/zarvex2").
extern const char* const kInstalledDataFromProgram;
// The file whose presence makes a folder the game's data folder.
inline constexpr const char* kDataMarker = "Res/Res1.dxg";

FolderSearch FindGameFolders(const FolderEnvironment& environment);

// The player's own folder, $XDG_DATA_HOME/zarvex2 or ~/.local/share/zarvex2; empty without a
// usable home.
std::filesystem::path UserDataFolder(const FolderEnvironment& environment);

// The message for a failed search: every folder looked at, and what was looked for.
std::string NoDataMessage(const FolderSearch& search);
