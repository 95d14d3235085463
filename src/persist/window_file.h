#pragma once
// The size the player left the game's window at, kept in a file of its own beside the saves
// ("window"), so that the options file keeps its five lines. One line:
//
//   "1584 1184 0\n"    the client area's width and height, then 1 when it was maximised
//
// Read at start-up by a game with a real window (a headless run neither reads nor writes it);
// written when the game ends, through a fresh temporary file and a rename like the saves. A
// missing, damaged or absurd file gives nullopt: the window opens at its first-start size.

#include <filesystem>
#include <optional>
#include <string>

struct TWindowSize {
    int Width = 0;
    int Height = 0;
    bool Maximised = false;
};

inline constexpr const char* kWindowFileName = "window";
// Larger than any screen made; a bigger number is a damaged file.
inline constexpr int kLargestWindowSide = 16384;

std::optional<TWindowSize> ParseWindowFile(const std::string& text);
std::string FormatWindowFile(const TWindowSize& size);

std::optional<TWindowSize> ReadWindowFile(const std::filesystem::path& saveFolder);
// Creates the folder when missing; false, with the reason on stderr, when it cannot write.
bool WriteWindowFile(const std::filesystem::path& saveFolder, const TWindowSize& size);
