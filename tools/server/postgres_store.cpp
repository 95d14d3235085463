#include "postgres_store.h"

#include <libpq-fe.h>

#include <atomic>
#include <mutex>
#include <vector>

namespace {

// The statements of the table, prepared on every connection under these names.
struct Prepared {
    const char* Name;
    const char* Sql;
};
constexpr Prepared kStatements[] = {
    {"add", "INSERT INTO scores (name, score, country, submitted) VALUES ($1, $2, $3, $4)"},
    {"best", "SELECT name, score, country, submitted FROM scores ORDER BY score DESC, id LIMIT $1"},
    {"count", "SELECT COUNT(*) FROM scores"},
    // One address's check and count run under a lock of that address, so two processes that
    // take a submission from it at the same moment cannot both see room for one more.
    {"lock_address", "SELECT pg_advisory_xact_lock(hashtext($1))"},
    {"forget_address", "DELETE FROM recent_submissions WHERE address = $1 AND at_ms <= $2"},
    {"forget_all", "DELETE FROM recent_submissions WHERE at_ms <= $1"},
    {"recent", "SELECT COUNT(*) FROM recent_submissions WHERE address = $1"},
    {"remember", "INSERT INTO recent_submissions (address, at_ms) VALUES ($1, $2)"},
};

// The same tables as the SQLite file; id is the order of arrival across every process.
constexpr const char* kSchema =
    "CREATE TABLE IF NOT EXISTS scores ("
    " id BIGSERIAL PRIMARY KEY,"
    " name TEXT NOT NULL,"
    " score INTEGER NOT NULL,"
    " country TEXT NOT NULL,"
    " submitted BIGINT NOT NULL);"
    "CREATE INDEX IF NOT EXISTS scores_by_rank ON scores (score DESC, id);"
    "CREATE TABLE IF NOT EXISTS recent_submissions ("
    " address TEXT NOT NULL,"
    " at_ms BIGINT NOT NULL);"
    "CREATE INDEX IF NOT EXISTS recent_submissions_by_address"
    " ON recent_submissions (address, at_ms);";

// Processes that start together would race to create the same tables; this lock orders them.
constexpr const char* kSchemaLock = "SELECT pg_advisory_lock(734221)";
constexpr const char* kSchemaUnlock = "SELECT pg_advisory_unlock(734221)";

// libpq's message on one line, for a log that keeps one line per failure.
std::string Trimmed(const char* message) {
    std::string text;
    for (const char* c = message != nullptr ? message : ""; *c != '\0'; ++c) {
        const bool space = *c == '\n' || *c == '\t' || *c == ' ';
        if (!space)
            text += *c;
        else if (!text.empty() && text.back() != ' ')
            text += ' ';
    }
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text.empty() ? "unknown error" : text;
}

// "postgresql://user@host:port/dbname": the address as a message may show it, without any
// password it holds.
std::string SafeName(const std::string& address) {
    char* error = nullptr;
    PQconninfoOption* options = PQconninfoParse(address.c_str(), &error);
    if (options == nullptr) {
        const std::string message = Trimmed(error);
        PQfreemem(error);
        throw StoreError("cannot read the PostgreSQL address: " + message);
    }
    std::string user, host, port, dbname;
    for (PQconninfoOption* option = options; option->keyword != nullptr; ++option) {
        const std::string keyword = option->keyword;
        const std::string value = option->val != nullptr ? option->val : "";
        if (keyword == "user") user = value;
        if (keyword == "host") host = value;
        if (keyword == "port") port = value;
        if (keyword == "dbname") dbname = value;
    }
    PQconninfoFree(options);
    return "postgresql://" + (user.empty() ? "" : user + "@") + host +
           (port.empty() ? "" : ":" + port) + "/" + dbname;
}

// A query's result that clears itself.
struct ClearResult {
    void operator()(PGresult* result) const { PQclear(result); }
};
using Result = std::unique_ptr<PGresult, ClearResult>;

bool Succeeded(const Result& result) {
    const ExecStatusType status = PQresultStatus(result.get());
    return status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK;
}

class TPostgresScoreStore final : public TScoreStore {
public:
    explicit TPostgresScoreStore(const std::string& address)
        : TScoreStore(SafeName(address)), address_(address) {
        // The first connection creates the tables and proves the address works.
        PGconn* connection = nullptr;
        try {
            connection = Connect();
            Execute(connection, kSchemaLock);
            Execute(connection, kSchema);
            Execute(connection, kSchemaUnlock);
            Prepare(connection);
        } catch (const StoreError& error) {
            PQfinish(connection);
            throw StoreError("cannot open " + Name() + ": " + error.what());
        }
        idle_.push_back(connection);
    }

    ~TPostgresScoreStore() override {
        for (PGconn* connection : idle_) PQfinish(connection);
    }

    void Add(const TScoreEntry& entry, int64_t time) override {
        Named([&] { AddRow(entry, time); });
    }

    std::vector<TStoredScore> Best(int limit) override {
        std::vector<TStoredScore> rows;
        Named([&] { rows = BestRows(limit); });
        return rows;
    }

    int64_t Count() override {
        int64_t count = 0;
        Named([&] { count = CountRows(); });
        return count;
    }

    bool AllowSubmission(const std::string& address, int64_t nowMs, int perMinute) override {
        bool allowed = false;
        Named([&] { allowed = CountSubmission(address, nowMs, perMinute); });
        return allowed;
    }

private:
    // Runs a call and names the database in the message of whatever failed in it.
    template <class Call>
    void Named(Call call) {
        try {
            call();
        } catch (const StoreError& error) {
            throw StoreError(Name() + ": " + error.what());
        }
    }

    void AddRow(const TScoreEntry& entry, int64_t time) {
        Borrowed connection(*this);
        const std::string score = std::to_string(entry.Score);
        const std::string submitted = std::to_string(time);
        Run(*connection, "add",
            {entry.Name.c_str(), score.c_str(), entry.Country.c_str(), submitted.c_str()});
    }

    std::vector<TStoredScore> BestRows(int limit) {
        Borrowed connection(*this);
        const std::string count = std::to_string(limit);
        const Result result = Run(*connection, "best", {count.c_str()});
        std::vector<TStoredScore> rows;
        const int found = PQntuples(result.get());
        rows.reserve(static_cast<std::size_t>(found));
        for (int row = 0; row < found; ++row) {
            TStoredScore score;
            score.Name.assign(PQgetvalue(result.get(), row, 0),
                              static_cast<std::size_t>(PQgetlength(result.get(), row, 0)));
            score.Score = std::stoi(PQgetvalue(result.get(), row, 1));
            score.Country.assign(PQgetvalue(result.get(), row, 2),
                                 static_cast<std::size_t>(PQgetlength(result.get(), row, 2)));
            score.Time = std::stoll(PQgetvalue(result.get(), row, 3));
            rows.push_back(std::move(score));
        }
        return rows;
    }

    int64_t CountRows() {
        Borrowed connection(*this);
        const Result result = Run(*connection, "count", {});
        return std::stoll(PQgetvalue(result.get(), 0, 0));
    }

    bool CountSubmission(const std::string& address, int64_t nowMs, int perMinute) {
        Borrowed connection(*this);
        const std::string expired = std::to_string(nowMs - kRateWindowMs);
        const std::string now = std::to_string(nowMs);
        Execute(*connection, "BEGIN");
        try {
            Run(*connection, "lock_address", {address.c_str()});
            // Now and then the addresses that went quiet are forgotten, so the table does not
            // grow with every address ever seen.
            if (++callsSinceSweep_ % 1024 == 0) Run(*connection, "forget_all", {expired.c_str()});
            Run(*connection, "forget_address", {address.c_str(), expired.c_str()});
            const Result recent = Run(*connection, "recent", {address.c_str()});
            const bool allowed = std::stoll(PQgetvalue(recent.get(), 0, 0)) < perMinute;
            if (allowed) Run(*connection, "remember", {address.c_str(), now.c_str()});
            Execute(*connection, "COMMIT");
            return allowed;
        } catch (const StoreError&) {
            if (PQstatus(*connection) == CONNECTION_OK) PQclear(PQexec(*connection, "ROLLBACK"));
            throw;
        }
    }

    // A pooled connection for the length of one call; one that broke is not given back.
    class Borrowed {
    public:
        explicit Borrowed(TPostgresScoreStore& store) : store_(store), connection_(store.Take()) {}
        ~Borrowed() { store_.Give(connection_); }
        Borrowed(const Borrowed&) = delete;
        Borrowed& operator=(const Borrowed&) = delete;
        PGconn* operator*() const { return connection_; }

    private:
        TPostgresScoreStore& store_;
        PGconn* connection_;
    };

    PGconn* Connect() {
        // Defaults first: what the address itself says overrides them.
        const char* keywords[] = {"connect_timeout", "application_name", "options", "dbname",
                                  nullptr};
        const char* values[] = {"5", "zarvex2-scores",
                                "-c statement_timeout=5000 -c client_min_messages=warning",
                                address_.c_str(), nullptr};
        PGconn* connection = PQconnectdbParams(keywords, values, 1);
        if (connection == nullptr) throw StoreError("out of memory");
        if (PQstatus(connection) != CONNECTION_OK) {
            const std::string message = Trimmed(PQerrorMessage(connection));
            PQfinish(connection);
            throw StoreError(message);
        }
        return connection;
    }

    void Prepare(PGconn* connection) {
        for (const Prepared& statement : kStatements) {
            const Result result(PQprepare(connection, statement.Name, statement.Sql, 0, nullptr));
            if (!Succeeded(result)) Fail(connection, result.get());
        }
    }

    PGconn* Take() {
        {
            std::lock_guard lock(mutex_);
            if (!idle_.empty()) {
                PGconn* connection = idle_.back();
                idle_.pop_back();
                return connection;
            }
        }
        PGconn* connection = nullptr;
        try {
            connection = Connect();
            Prepare(connection);
        } catch (const StoreError&) {
            PQfinish(connection);
            throw;
        }
        return connection;
    }

    void Give(PGconn* connection) {
        if (PQstatus(connection) != CONNECTION_OK ||
            PQtransactionStatus(connection) != PQTRANS_IDLE) {
            PQfinish(connection);
            return;
        }
        std::lock_guard lock(mutex_);
        idle_.push_back(connection);
    }

    [[noreturn]] void Fail(PGconn* connection, PGresult* result) {
        const char* message =
            result != nullptr ? PQresultErrorMessage(result) : PQerrorMessage(connection);
        throw StoreError(
            Trimmed(message != nullptr && *message != '\0' ? message : PQerrorMessage(connection)));
    }

    void Execute(PGconn* connection, const char* sql) {
        const Result result(PQexec(connection, sql));
        if (!Succeeded(result)) Fail(connection, result.get());
    }

    Result Run(PGconn* connection, const char* statement,
               std::initializer_list<const char*> parameters) {
        const std::vector<const char*> values(parameters);
        Result result(PQexecPrepared(connection, statement, static_cast<int>(values.size()),
                                     values.data(), nullptr, nullptr, 0));
        if (!Succeeded(result)) Fail(connection, result.get());
        return result;
    }

    std::string address_;
    std::mutex mutex_;
    std::vector<PGconn*> idle_;
    std::atomic<unsigned> callsSinceSweep_{0};
};

}  // namespace

std::unique_ptr<TScoreStore> OpenPostgresScoreStore(const std::string& address) {
    return std::make_unique<TPostgresScoreStore>(address);
}
