#pragma once
// The table signature: a short string stored in the options file that lets the game notice a
// high-score file edited by hand. At start-up the signature of the loaded table is compared with
// the stored one; when they differ the default table comes back (see save_files.h).
//
//   std::string TableSignature(const THighScoreTable& table);
//
// Every character of the result lies between 32 and 255; characters above 127 are single bytes,
// written to and read from the options file byte for byte.

#include <string>

#include "persist/high_score_table.h"

std::string TableSignature(const THighScoreTable& table);
