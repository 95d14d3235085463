#include "score_store.h"

#include <sqlite3.h>

namespace {

// A prepared statement that finalises itself.
class Statement {
public:
    Statement(sqlite3* db, const char* sql) {
        if (sqlite3_prepare_v2(db, sql, -1, &statement_, nullptr) != SQLITE_OK)
            throw StoreError(sqlite3_errmsg(db));
    }
    ~Statement() { sqlite3_finalize(statement_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    sqlite3_stmt* operator*() const { return statement_; }

private:
    sqlite3_stmt* statement_ = nullptr;
};

void Execute(sqlite3* db, const char* sql) {
    char* message = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string text = message != nullptr ? message : "unknown error";
        sqlite3_free(message);
        throw StoreError(text);
    }
}

std::string Text(sqlite3_stmt* statement, int column) {
    const auto* text = sqlite3_column_text(statement, column);
    const int length = sqlite3_column_bytes(statement, column);
    return text != nullptr ? std::string(reinterpret_cast<const char*>(text), length) : "";
}

}  // namespace

TScoreStore::TScoreStore(const std::filesystem::path& path) {
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
    if (sqlite3_open_v2(path.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
        const std::string message = db_ != nullptr ? sqlite3_errmsg(db_) : "out of memory";
        sqlite3_close(db_);
        throw StoreError("cannot open " + path.string() + ": " + message);
    }
    try {
        sqlite3_busy_timeout(db_, 2000);
        Execute(db_, "PRAGMA journal_mode=WAL");
        Execute(db_, "PRAGMA synchronous=NORMAL");
        Execute(db_,
                "CREATE TABLE IF NOT EXISTS scores ("
                " id INTEGER PRIMARY KEY,"
                " name TEXT NOT NULL,"
                " score INTEGER NOT NULL,"
                " country TEXT NOT NULL,"
                " submitted INTEGER NOT NULL)");
        Execute(db_, "CREATE INDEX IF NOT EXISTS scores_by_rank ON scores (score DESC, id)");
    } catch (...) {
        sqlite3_close(db_);
        throw;
    }
}

TScoreStore::~TScoreStore() {
    sqlite3_close(db_);
}

bool TScoreStore::Add(const TScoreEntry& entry, int64_t time) {
    std::lock_guard lock(mutex_);
    try {
        Statement insert(
            db_, "INSERT INTO scores (name, score, country, submitted) VALUES (?, ?, ?, ?)");
        sqlite3_bind_text(*insert, 1, entry.Name.data(), static_cast<int>(entry.Name.size()),
                          SQLITE_TRANSIENT);
        sqlite3_bind_int(*insert, 2, entry.Score);
        sqlite3_bind_text(*insert, 3, entry.Country.data(), static_cast<int>(entry.Country.size()),
                          SQLITE_TRANSIENT);
        sqlite3_bind_int64(*insert, 4, time);
        return sqlite3_step(*insert) == SQLITE_DONE;
    } catch (const StoreError&) {
        return false;
    }
}

std::vector<TStoredScore> TScoreStore::Best(int limit) {
    std::lock_guard lock(mutex_);
    std::vector<TStoredScore> rows;
    Statement select(db_,
                     "SELECT name, score, country, submitted FROM scores"
                     " ORDER BY score DESC, id LIMIT ?");
    sqlite3_bind_int(*select, 1, limit);
    while (sqlite3_step(*select) == SQLITE_ROW) {
        TStoredScore row;
        row.Name = Text(*select, 0);
        row.Score = sqlite3_column_int(*select, 1);
        row.Country = Text(*select, 2);
        row.Time = sqlite3_column_int64(*select, 3);
        rows.push_back(std::move(row));
    }
    return rows;
}

int64_t TScoreStore::Count() {
    std::lock_guard lock(mutex_);
    Statement count(db_, "SELECT COUNT(*) FROM scores");
    return sqlite3_step(*count) == SQLITE_ROW ? sqlite3_column_int64(*count, 0) : -1;
}
