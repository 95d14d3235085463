#pragma once
// What the score server accepts as a submission: the "inf" parameter of
//   /cgi/version.pl?hs&prg=Zarvex2&inf=...
// decoded with the game's own alphabet (persist/score_record.h) into a score record of exactly
// the game's form:
//
//   type=0|name=NAME|score=SCORE|key=X|p=|add=COUNTRY|z=  then "0" up to a multiple of 5
//
// NAME:    0 to 12 of the characters the game's name entry can type: 0-9, A-Z, a-z and space.
// SCORE:   decimal digits, 0 to 2147483647, no sign, no leading zero (other than "0" itself).
// COUNTRY: 0 to 16 of the same characters or "_": the game's default country is "_______" and a
//          player who edits it may keep some of the underscores.
// Anything else (a foreign symbol, a wrong length, a missing or extra piece, a longer "0" fill)
// is refused: nullopt.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

struct TScoreEntry {
    std::string Name;
    int Score = 0;
    std::string Country;
};

inline constexpr std::size_t kNameLimit = 12;
inline constexpr std::size_t kCountryLimit = 16;
// The longest record the game can send is 75 bytes (74 padded to 75): 120 symbols encoded.
inline constexpr std::size_t kEncodedRecordLimit = 120;

std::optional<TScoreEntry> ParseScoreRecord(std::string_view record);
std::optional<TScoreEntry> ParseSubmission(std::string_view encoded);
