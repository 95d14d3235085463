#pragma once
// The text that carries a result to the score server, and its encoding into letters and digits.
// The game encodes; the score server (tools/server) decodes with the same alphabet.
//
//   ScoreRecord("A", 0, "_______")
//     == "type=0|name=A|score=0|key=X|p=|add=_______|z="         (45 characters)
//
// The record is padded with "0" to a multiple of 5 characters. EncodeScoreRecord writes every
// byte as 8 bits, most significant first, puts "0" bits in front until the count is a multiple
// of 5, and writes each group of 5 bits (first bit highest) as kScoreAlphabet[value]: 8 letters
// or digits for every 5 bytes. DecodeScoreRecord reverses it and refuses (nullopt) a text with a
// character outside the alphabet or fill bits that are not 0.

#include <optional>
#include <string>
#include <string_view>

// 32 distinct letters and digits; a symbol's position is its 5-bit value.
inline constexpr std::string_view kScoreAlphabet = "ZX7KQ2M9RWD4TFH8JNB3VCG6LP5YSAEU";

std::string ScoreRecord(std::string_view name, int score, std::string_view country);
std::string EncodeScoreRecord(std::string_view record);
std::optional<std::string> DecodeScoreRecord(std::string_view encoded);
