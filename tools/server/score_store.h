#pragma once
// The online table's storage, behind one interface so that the server does not care where the
// table lives:
//   - a SQLite file (the default): one machine, any number of server processes on it;
//   - PostgreSQL ("postgresql://..." or "postgres://..."): server processes on several machines.
// Both keep the same two tables: the scores with the time each arrived, and the submissions of
// the last minute by address, so that the rate limit holds across every process that shares the
// table. No server process keeps anything of its own that matters.
//
// Every statement is prepared with parameters; no text from a request is ever part of SQL. A
// store may be used by several threads at once.
//
//   auto store = OpenScoreStore("scores.sqlite");   // creates the tables; throws StoreError
//   store->Add({"Ace", 31337, "Atlantis"}, unixTime);  // throws StoreError with the cause
//   store->Best(100);                                // highest first; equal scores by arrival
//   store->AllowSubmission("192.0.2.7", nowMs, 30);  // false: the 31st within a minute

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "submission.h"

struct TStoredScore {
    std::string Name;
    int Score = 0;
    std::string Country;
    int64_t Time = 0;  // seconds since 1970, UTC
};

// What went wrong, with the database named: "scores.sqlite: database or disk is full".
class StoreError : public std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A submission counts against its address for this long after it arrived.
inline constexpr int64_t kRateWindowMs = 60000;

class TScoreStore {
public:
    virtual ~TScoreStore() = default;

    virtual void Add(const TScoreEntry& entry, int64_t time) = 0;
    virtual std::vector<TStoredScore> Best(int limit) = 0;
    virtual int64_t Count() = 0;

    // True, and the submission is counted, while the address has had fewer than perMinute
    // counted in the minute up to nowMs (milliseconds on a clock that every process shares). One
    // refused for being over the limit does not count, so a client that waits gets through again.
    virtual bool AllowSubmission(const std::string& address, int64_t nowMs, int perMinute) = 0;

    // The file or the database address (without its password), for messages.
    const std::string& Name() const { return name_; }

protected:
    explicit TScoreStore(std::string name) : name_(std::move(name)) {}

private:
    std::string name_;
};

// True for the addresses that name a PostgreSQL database rather than a SQLite file.
bool IsPostgresLocation(std::string_view location);

// Opens (and creates when missing) the table at the location: a SQLite file, or a PostgreSQL
// address. Throws StoreError naming the location when it cannot.
std::unique_ptr<TScoreStore> OpenScoreStore(const std::string& location);
