#pragma once
// The two save files as text, without touching the disk (save_files.h reads and writes them).
//
//   options: five lines: full screen, music, sound ("1" or "0"), the country, the table signature
//   hs:      twenty lines: the name and then the score of slots 1 to 10
//
// Lines end in CR LF; integers are plain decimal. Writing:
//
//   std::string FormatOptionsFile(const TGameOptions&, const THighScoreTable&);  // signs the table
//   std::string FormatHighScoreFile(const THighScoreTable&);
//
// Reading never fails. A flag is read as an integer and any value other than 0 counts as set. A
// value whose line is missing, or a number line that holds no number, takes that value's default
// (the defaults of TGameOptions; the default table's name and score for that slot). Strings are
// taken as they stand, up to the line's end. The reader looks at no more than kSaveReadLimit
// bytes of a file and keeps no more than kSaveLineLimit bytes of a line, so a damaged file of any
// size costs a bounded amount of memory and time; a number line longer than that is no number.
//
//   TOptionsFile ParseOptionsFile(std::string_view text);
//   THighScoreTable ParseHighScoreFile(std::string_view text);   // slots 1 to 10
//
// CR LF, a lone LF and a lone CR all end a line, as in any text file the game may meet.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "persist/game_options.h"
#include "persist/high_score_table.h"

inline constexpr std::size_t kSaveLineLimit = 256;
inline constexpr std::size_t kSaveReadLimit = 64 * 1024;

struct TOptionsFile {
    TGameOptions Options;
    std::string TableSignature;  // as stored; empty when the line is missing
};

std::string FormatOptionsFile(const TGameOptions& options, const THighScoreTable& table);
std::string FormatHighScoreFile(const THighScoreTable& table);

TOptionsFile ParseOptionsFile(std::string_view text);
THighScoreTable ParseHighScoreFile(std::string_view text);

// A 32-bit signed decimal with optional sign and surrounding blanks; nothing else.
std::optional<int> ParseSaveNumber(std::string_view line);
