#pragma once
// Sends a result to the online score table: one HTTP GET of
//   SubmissionAddress(base, EncodeScoreRecord(ScoreRecord(name, score, country)))
// (web_links.h, score_record.h), the response read and thrown away.
//
//   TSubmitResult SubmitScore(std::string_view base, std::string_view name, int score,
//                             std::string_view country);
//
// SendSubmission(address) makes the request for an address built that way.
//
// The game calls it with ScoreServerBase() from the sending window and ignores the result: a
// failure (no network, no server, an error status, a time-out) shows nothing and the game goes
// on. The call blocks, but never for long: at most 3 seconds to connect and 5 seconds in all, so
// a server that accepts and never answers cannot freeze the game. No proxy is used.

#include <string>
#include <string_view>

enum class SubmitStatus {
    Sent,         // the server answered with a 2xx status
    Refused,      // the server answered with an error status
    Unreachable,  // no answer: no connection, name resolution failed, time-out
};

struct TSubmitResult {
    SubmitStatus Status = SubmitStatus::Unreachable;
    long HttpStatus = 0;  // 0 when there was no answer
    std::string Error;    // what went wrong, for a log line; empty when sent
};

// How long a send may hold the game up. Departs from the original rule, whose request waits as
// long as the network takes (docs/departures.md).
inline constexpr long kSubmitConnectTimeoutMs = 3000;
inline constexpr long kSubmitTotalTimeoutMs = 5000;

TSubmitResult SubmitScore(std::string_view base, std::string_view name, int score,
                          std::string_view country);
TSubmitResult SendSubmission(const std::string& address);
