#include "score_store.h"

#include <sqlite3.h>

#include <mutex>

#include "postgres_store.h"

namespace {

// A statement prepared once and reset after every use.
class Statement {
public:
    Statement(sqlite3* db, const char* sql) {
        if (sqlite3_prepare_v3(db, sql, -1, SQLITE_PREPARE_PERSISTENT, &statement_, nullptr) !=
            SQLITE_OK)
            throw StoreError(sqlite3_errmsg(db));
    }
    ~Statement() { sqlite3_finalize(statement_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    sqlite3_stmt* operator*() const { return statement_; }

private:
    sqlite3_stmt* statement_ = nullptr;
};

// Resets a statement and clears its parameters when a use of it ends, however it ends.
class Use {
public:
    explicit Use(const Statement& statement) : statement_(*statement) {}
    ~Use() {
        sqlite3_reset(statement_);
        sqlite3_clear_bindings(statement_);
    }
    Use(const Use&) = delete;
    Use& operator=(const Use&) = delete;

    sqlite3_stmt* operator*() const { return statement_; }

private:
    sqlite3_stmt* statement_;
};

std::string Text(sqlite3_stmt* statement, int column) {
    const auto* text = sqlite3_column_text(statement, column);
    const int length = sqlite3_column_bytes(statement, column);
    return text != nullptr ? std::string(reinterpret_cast<const char*>(text), length) : "";
}

void BindText(sqlite3_stmt* statement, int index, const std::string& text) {
    sqlite3_bind_text(statement, index, text.data(), static_cast<int>(text.size()),
                      SQLITE_TRANSIENT);
}

constexpr const char* kSchema =
    "CREATE TABLE IF NOT EXISTS scores ("
    " id INTEGER PRIMARY KEY,"
    " name TEXT NOT NULL,"
    " score INTEGER NOT NULL,"
    " country TEXT NOT NULL,"
    " submitted INTEGER NOT NULL);"
    "CREATE INDEX IF NOT EXISTS scores_by_rank ON scores (score DESC, id);"
    "CREATE TABLE IF NOT EXISTS recent_submissions ("
    " address TEXT NOT NULL,"
    " at_ms INTEGER NOT NULL);"
    "CREATE INDEX IF NOT EXISTS recent_submissions_by_address"
    " ON recent_submissions (address, at_ms);";

// The table in one SQLite file in WAL mode. Several processes may share the file: SQLite's locks
// order their writes, and the rate limit's check and count run in one write transaction.
class TSqliteScoreStore final : public TScoreStore {
public:
    explicit TSqliteScoreStore(const std::string& path) : TScoreStore(path) {
        const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
        if (sqlite3_open_v2(path.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
            const std::string message = db_ != nullptr ? sqlite3_errmsg(db_) : "out of memory";
            sqlite3_close(db_);
            throw StoreError("cannot open " + path + ": " + message);
        }
        try {
            // Another process writing waits its turn, for at most a second.
            sqlite3_busy_timeout(db_, 1000);
            Execute("PRAGMA journal_mode=WAL");
            Execute("PRAGMA synchronous=NORMAL");
            Execute(kSchema);
            insert_ = std::make_unique<Statement>(
                db_, "INSERT INTO scores (name, score, country, submitted) VALUES (?, ?, ?, ?)");
            best_ = std::make_unique<Statement>(db_,
                                                "SELECT name, score, country, submitted FROM "
                                                "scores ORDER BY score DESC, id LIMIT ?");
            count_ = std::make_unique<Statement>(db_, "SELECT COUNT(*) FROM scores");
            forgetAddress_ = std::make_unique<Statement>(
                db_, "DELETE FROM recent_submissions WHERE address = ? AND at_ms <= ?");
            forgetAll_ =
                std::make_unique<Statement>(db_, "DELETE FROM recent_submissions WHERE at_ms <= ?");
            recent_ = std::make_unique<Statement>(
                db_, "SELECT COUNT(*) FROM recent_submissions WHERE address = ?");
            remember_ = std::make_unique<Statement>(
                db_, "INSERT INTO recent_submissions (address, at_ms) VALUES (?, ?)");
            begin_ = std::make_unique<Statement>(db_, "BEGIN IMMEDIATE");
            commit_ = std::make_unique<Statement>(db_, "COMMIT");
        } catch (const StoreError& error) {
            Close();
            throw StoreError("cannot open " + path + ": " + error.what());
        }
    }

    ~TSqliteScoreStore() override { Close(); }

    void Add(const TScoreEntry& entry, int64_t time) override {
        std::lock_guard lock(mutex_);
        Use insert(*insert_);
        BindText(*insert, 1, entry.Name);
        sqlite3_bind_int(*insert, 2, entry.Score);
        BindText(*insert, 3, entry.Country);
        sqlite3_bind_int64(*insert, 4, time);
        if (sqlite3_step(*insert) != SQLITE_DONE) Fail();
    }

    std::vector<TStoredScore> Best(int limit) override {
        std::lock_guard lock(mutex_);
        std::vector<TStoredScore> rows;
        Use select(*best_);
        sqlite3_bind_int(*select, 1, limit);
        int step;
        while ((step = sqlite3_step(*select)) == SQLITE_ROW) {
            TStoredScore row;
            row.Name = Text(*select, 0);
            row.Score = sqlite3_column_int(*select, 1);
            row.Country = Text(*select, 2);
            row.Time = sqlite3_column_int64(*select, 3);
            rows.push_back(std::move(row));
        }
        if (step != SQLITE_DONE) Fail();
        return rows;
    }

    int64_t Count() override {
        std::lock_guard lock(mutex_);
        Use count(*count_);
        if (sqlite3_step(*count) != SQLITE_ROW) Fail();
        return sqlite3_column_int64(*count, 0);
    }

    bool AllowSubmission(const std::string& address, int64_t nowMs, int perMinute) override {
        std::lock_guard lock(mutex_);
        const int64_t expired = nowMs - kRateWindowMs;
        Step(*begin_);
        try {
            // Now and then the addresses that went quiet are forgotten, so the table does not
            // grow with every address ever seen.
            if (++callsSinceSweep_ >= 1024) {
                callsSinceSweep_ = 0;
                Use forget(*forgetAll_);
                sqlite3_bind_int64(*forget, 1, expired);
                if (sqlite3_step(*forget) != SQLITE_DONE) Fail();
            }
            {
                Use forget(*forgetAddress_);
                BindText(*forget, 1, address);
                sqlite3_bind_int64(*forget, 2, expired);
                if (sqlite3_step(*forget) != SQLITE_DONE) Fail();
            }
            int64_t recent = 0;
            {
                Use count(*recent_);
                BindText(*count, 1, address);
                if (sqlite3_step(*count) != SQLITE_ROW) Fail();
                recent = sqlite3_column_int64(*count, 0);
            }
            const bool allowed = recent < perMinute;
            if (allowed) {
                Use remember(*remember_);
                BindText(*remember, 1, address);
                sqlite3_bind_int64(*remember, 2, nowMs);
                if (sqlite3_step(*remember) != SQLITE_DONE) Fail();
            }
            Step(*commit_);
            return allowed;
        } catch (const StoreError&) {
            sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
            throw;
        }
    }

private:
    [[noreturn]] void Fail() { throw StoreError(Name() + ": " + sqlite3_errmsg(db_)); }

    void Execute(const char* sql) {
        char* message = nullptr;
        if (sqlite3_exec(db_, sql, nullptr, nullptr, &message) != SQLITE_OK) {
            const std::string text = message != nullptr ? message : sqlite3_errmsg(db_);
            sqlite3_free(message);
            throw StoreError(text);
        }
    }

    void Step(const Statement& statement) {
        Use use(statement);
        if (sqlite3_step(*use) != SQLITE_DONE) Fail();
    }

    void Close() {
        for (auto* statement : {&insert_, &best_, &count_, &forgetAddress_, &forgetAll_, &recent_,
                                &remember_, &begin_, &commit_})
            statement->reset();
        sqlite3_close(db_);
        db_ = nullptr;
    }

    std::mutex mutex_;
    sqlite3* db_ = nullptr;
    std::unique_ptr<Statement> insert_, best_, count_, forgetAddress_, forgetAll_, recent_,
        remember_, begin_, commit_;
    int callsSinceSweep_ = 0;
};

}  // namespace

bool IsPostgresLocation(std::string_view location) {
    return location.starts_with("postgresql://") || location.starts_with("postgres://");
}

std::unique_ptr<TScoreStore> OpenScoreStore(const std::string& location) {
    if (location.empty()) throw StoreError("no database given");
    if (IsPostgresLocation(location)) return OpenPostgresScoreStore(location);
    return std::make_unique<TSqliteScoreStore>(location);
}
