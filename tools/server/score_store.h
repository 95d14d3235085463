#pragma once
// The online table's storage: one SQLite database file in WAL mode, one table of scores with the
// time each arrived. Every statement is prepared with parameters; no text from a request is ever
// part of SQL. One connection, used by one thread at a time.
//
//   TScoreStore store("scores.sqlite");       // creates the file and table; throws on failure
//   store.Add({"Ace", 31337, "Atlantis"}, unixTime);
//   store.Best(100);                          // highest first; equal scores in order of arrival

#include <cstdint>
#include <filesystem>
#include <mutex>
#include <stdexcept>
#include <string>
#include <vector>

#include "submission.h"

struct sqlite3;

struct TStoredScore {
    std::string Name;
    int Score = 0;
    std::string Country;
    int64_t Time = 0;  // seconds since 1970, UTC
};

class StoreError : public std::runtime_error {
    using std::runtime_error::runtime_error;
};

class TScoreStore {
public:
    explicit TScoreStore(const std::filesystem::path& path);
    ~TScoreStore();
    TScoreStore(const TScoreStore&) = delete;
    TScoreStore& operator=(const TScoreStore&) = delete;

    bool Add(const TScoreEntry& entry, int64_t time);
    std::vector<TStoredScore> Best(int limit);
    int64_t Count();

private:
    std::mutex mutex_;
    sqlite3* db_ = nullptr;
};
