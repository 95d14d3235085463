#pragma once
// The player's bindings of the race's actions on disk: the file "controls" beside the saves, in
// the text media/controls.h describes. Read once at start-up, written whenever the controls screen
// changes a binding; the options file is never touched.

#include <filesystem>
#include <ostream>

#include "media/controls.h"

inline constexpr const char* kControlsFileName = "controls";
// Bad lines beyond this many are counted, not listed, so that a damaged file cannot flood the
// terminal.
inline constexpr int kControlsReportLimit = 20;

// The bindings of the file over the game's own: a missing or unreadable file gives the game's own
// as they are. Each bad line is told once on `report`, with the file, the line and what its
// action keeps.
TControls ReadControlsFile(const std::filesystem::path& path, std::ostream& report);
// Writes the whole file to a fresh temporary file beside it and renames it over the old one,
// making the folder when it is missing; false, with the reason on `report`, when it cannot (the
// old file stays as it was).
bool WriteControlsFile(const std::filesystem::path& path, const TControls& controls,
                       std::ostream& report);
