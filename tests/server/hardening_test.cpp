// The score server facing clients that misbehave: slow and idle connections, a crowd arriving
// at once, methods other than GET, a second server on the same port, a database that fails, and
// several servers sharing one table.

#include <sqlite3.h>
#include <sys/resource.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "persist/score_record.h"
#include "server/raw_connection.h"
#include "server/server_fixture.h"

namespace {

using namespace std::chrono_literals;

constexpr auto kDeadline = 30s;  // generous: it only fails what never happens
constexpr const char* kTable = "/cgi/version.pl?prg=Zarvex2&show&type=0";

std::string Submission(const std::string& name) {
    return "/cgi/version.pl?hs&prg=Zarvex2&inf=" + EncodeScoreRecord(ScoreRecord(name, 100, "X"));
}

void RunSql(const std::string& database, const char* sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(database.c_str(), &db), SQLITE_OK);
    char* error = nullptr;
    EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, &error), SQLITE_OK) << error;
    sqlite3_free(error);
    sqlite3_close(db);
}

class HardenedServer : public ServerFixture {};

// More slow and idle clients than the server has threads, and still every normal request is
// answered while they all stay connected: none of them holds a thread.
TEST_F(HardenedServer, SlowAndIdleClientsDoNotKeepOthersWaiting) {
    TScoreServerConfig config = Config();
    config.IdleSeconds = 3600;  // so that only a server that waited on them could close them
    StartServer(config);
    std::vector<std::unique_ptr<RawConnection>> waiting;
    for (int i = 0; i < 64; ++i) {
        waiting.push_back(std::make_unique<RawConnection>(port));
        ASSERT_TRUE(waiting.back()->Connected());
        if (i % 2 == 0) {
            ASSERT_TRUE(waiting.back()->Send("GET / HTTP/1.1\r\nHost: x\r\nX-Sl"));
        }
    }
    client->set_read_timeout(kDeadline);
    for (int i = 0; i < 16; ++i) ASSERT_EQ(Status(kTable), 200) << i;
    for (auto& connection : waiting) EXPECT_TRUE(connection->StillOpen());
}

// A connection that goes quiet is closed after the idle time, so it cannot be held forever.
TEST_F(HardenedServer, AConnectionQuietForTheIdleTimeIsClosed) {
    TScoreServerConfig config = Config();
    config.IdleSeconds = 1;
    StartServer(config);
    RawConnection quiet(port);
    ASSERT_TRUE(quiet.Send("GET / HTTP/1.1\r\nHost: x\r\n"));
    EXPECT_EQ(quiet.ReadToEnd(kDeadline), "");
    EXPECT_TRUE(quiet.ClosedByServer());
}

// With a limit per address, the connection one past it is closed at once; those within it are
// served. The server's threads take connections from the queue in no set order, so each of the
// four is seen answered (and so taken) before the fifth arrives.
TEST_F(HardenedServer, TheConnectionPastThePerAddressLimitIsClosed) {
    TScoreServerConfig config = Config();
    config.ConnectionsPerAddress = 4;
    config.IdleSeconds = 3600;
    StartServer(config);
    std::vector<std::unique_ptr<RawConnection>> held;
    for (int i = 0; i < 4; ++i) {
        held.push_back(std::make_unique<RawConnection>(port));
        ASSERT_TRUE(held.back()->Send("GET / HTTP/1.1\r\nHost: x\r\n\r\n"));
        ASSERT_EQ(held.back()->ReadUntil("\r\n\r\n", kDeadline).rfind("HTTP/1.1 200 OK\r\n", 0), 0u)
            << i;
    }
    RawConnection fifth(port);
    EXPECT_EQ(fifth.ReadToEnd(kDeadline), "");
    EXPECT_TRUE(fifth.ClosedByServer());
    for (auto& connection : held) {
        // Still served: the answer to a second request follows what is left of the first.
        ASSERT_TRUE(connection->Send("GET / HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n"));
        EXPECT_NE(connection->ReadToEnd(kDeadline).find("HTTP/1.1 200 OK\r\n"), std::string::npos);
    }
}

// A thousand clients arriving at the same moment all get in: the kernel holds them until the
// server takes them, even when it takes none for a while.
TEST_F(HardenedServer, AThousandClientsArrivingAtOnceAreAllHeldAndServed) {
    // Both ends of every connection live in this process: 2000 files and more.
    rlimit files{};
    ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &files), 0);
    files.rlim_cur = files.rlim_max;
    ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &files), 0);
    ASSERT_GE(files.rlim_cur, 2100u) << "the system allows this process too few open files";
    server = std::make_unique<TScoreServer>(Config());
    port = server->Bind();
    ASSERT_GT(port, 0);
    std::vector<std::unique_ptr<RawConnection>> crowd;
    for (int i = 0; i < 1000; ++i) crowd.push_back(std::make_unique<RawConnection>(port, false));
    // Nothing accepts yet: every handshake must complete from the listen queue alone.
    std::size_t established = 0;
    const auto end = std::chrono::steady_clock::now() + kDeadline;
    while (established < crowd.size() && std::chrono::steady_clock::now() < end) {
        established = 0;
        for (auto& connection : crowd) established += connection->Established();
    }
    ASSERT_EQ(established, crowd.size());

    thread = std::thread([this] { server->Run(); });
    const std::string request = "GET " + std::string(kTable) +
                                "&format=json HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n";
    for (auto& connection : crowd) ASSERT_TRUE(connection->Send(request));
    int answered = 0;
    for (auto& connection : crowd)
        answered += connection->ReadToEnd(kDeadline).rfind("HTTP/1.1 200 OK\r\n", 0) == 0;
    EXPECT_EQ(answered, 1000);
}

// Only a GET may store a score. A HEAD at the submission address is refused like every other
// method, and the table's pages answer HEAD with their headers alone.
TEST_F(HardenedServer, OnlyAGetStoresAScore) {
    StartServer();
    const std::string submission = Submission("Ace");
    struct Case {
        const char* Method;
        httplib::Result (*Send)(httplib::Client&, const std::string&);
        const char* Allowed;
    };
    const Case cases[] = {
        {"HEAD", [](httplib::Client& c, const std::string& p) { return c.Head(p); }, "GET"},
        {"POST", [](httplib::Client& c, const std::string& p) { return c.Post(p); }, "GET, HEAD"},
        {"PUT", [](httplib::Client& c, const std::string& p) { return c.Put(p); }, "GET, HEAD"},
        {"DELETE", [](httplib::Client& c, const std::string& p) { return c.Delete(p); },
         "GET, HEAD"},
        {"OPTIONS", [](httplib::Client& c, const std::string& p) { return c.Options(p); },
         "GET, HEAD"},
        {"PATCH", [](httplib::Client& c, const std::string& p) { return c.Patch(p); }, "GET, HEAD"},
    };
    for (const Case& each : cases) {
        const auto result = each.Send(*client, submission);
        ASSERT_TRUE(result) << each.Method;
        EXPECT_EQ(result->status, 405) << each.Method;
        EXPECT_EQ(result->get_header_value("Allow"), each.Allowed) << each.Method;
    }
    EXPECT_EQ(server->Store().Count(), 0);
    // A POST to the home page is refused too.
    EXPECT_EQ(client->Post("/")->status, 405);

    const auto get = client->Get(kTable);
    const auto head = client->Head(kTable);
    ASSERT_TRUE(get && head);
    EXPECT_EQ(head->status, 200);
    EXPECT_EQ(head->body, "");
    EXPECT_EQ(head->get_header_value("Content-Length"), std::to_string(get->body.size()));

    EXPECT_EQ(Status(submission), 200);
    EXPECT_EQ(server->Store().Count(), 1);
}

// A body is no part of any request here: a small one is read and dropped, one longer than a
// kilobyte is refused before it is read.
TEST_F(HardenedServer, ABodyOverAKilobyteIsRefused) {
    StartServer();
    RawConnection small(port), large(port);
    const std::string get = "GET " + std::string(kTable) + " HTTP/1.1\r\nHost: x\r\n";
    ASSERT_TRUE(small.Send(get + "Connection: close\r\nContent-Length: 1024\r\n\r\n" +
                           std::string(1024, 'a')));
    ASSERT_TRUE(large.Send(get + "Content-Length: 1025\r\n\r\n"));
    EXPECT_EQ(small.ReadToEnd(kDeadline).rfind("HTTP/1.1 200 OK\r\n", 0), 0u);
    EXPECT_EQ(large.ReadToEnd(kDeadline).rfind("HTTP/1.1 413 ", 0), 0u);
}

// A second server on a port in use is refused the port instead of sharing it.
TEST_F(HardenedServer, ASecondServerCannotListenOnAPortInUse) {
    StartServer();
    TScoreServerConfig config = Config();
    config.Port = port;
    config.Database = (temp.Path() / "other.sqlite").string();
    TScoreServer second(config);
    EXPECT_EQ(second.Bind(), -1);
    EXPECT_EQ(second.BindError(),
              "cannot listen on 127.0.0.1:" + std::to_string(port) + ": Address already in use");
    EXPECT_EQ(Status(kTable), 200);
}

// Two servers on one table, each with its own connection to it, as two processes would be:
// the rate limit counts every submission from an address, whichever server took it.
TEST_F(HardenedServer, TheRateLimitHoldsAcrossServersSharingOneTable) {
    StartServer();
    TScoreServer other(Config());
    const int otherPort = other.Bind();
    ASSERT_GT(otherPort, 0);
    std::thread otherThread([&] { other.Run(); });
    httplib::Client otherClient("127.0.0.1", otherPort);

    for (int i = 0; i < 30; ++i) {
        const auto result = i % 2 == 0 ? client->Get(Submission("A" + std::to_string(i)))
                                       : otherClient.Get(Submission("B" + std::to_string(i)));
        ASSERT_TRUE(result);
        ASSERT_EQ(result->status, 200) << i;
    }
    EXPECT_EQ(Status(Submission("C")), 429);
    EXPECT_EQ(otherClient.Get(Submission("D"))->status, 429);
    AdvanceClock(60s);
    EXPECT_EQ(otherClient.Get(Submission("E"))->status, 200);
    EXPECT_EQ(server->Store().Count(), 31);
    other.Stop();
    otherThread.join();
}

// The address the rate limit counts: the connection's own, unless the server stands behind a
// front that names the client in X-Real-IP. A client cannot escape the limit by naming itself.
class FrontAddress : public ServerFixture, public testing::WithParamInterface<bool> {};

TEST_P(FrontAddress, DecidesWhoseSubmissionsAreCounted) {
    TScoreServerConfig config = Config();
    config.BehindProxy = GetParam();
    StartServer(config);
    for (int i = 0; i < 31; ++i) {
        const httplib::Headers headers = {{"X-Real-IP", "198.51.100." + std::to_string(i)}};
        const auto result = client->Get(Submission("A" + std::to_string(i)), headers);
        ASSERT_TRUE(result);
        EXPECT_EQ(result->status, GetParam() || i < 30 ? 200 : 429) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Trust, FrontAddress, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "BehindAFront" : "OnItsOwn");
                         });

// A database that fails answers 500 and leaves one line in the log naming the file and the
// cause; nothing is stored.
struct Failure {
    const char* Name;
    const char* Sql;  // run on the database file from outside the server
    std::string Path;
    std::string Logged;  // "DB" stands for the database file
};

class StoreFailure : public ServerFixture, public testing::WithParamInterface<Failure> {};

TEST_P(StoreFailure, IsAnsweredAndLoggedWithItsCause) {
    StartServer();
    const std::string database = (temp.Path() / "scores.sqlite").string();
    RunSql(database, GetParam().Sql);
    EXPECT_EQ(Status(GetParam().Path), 500);
    const std::vector<std::string> lines = Log();
    ASSERT_EQ(lines.size(), 1u);
    std::string expected = GetParam().Logged;
    expected.replace(expected.find("DB"), 2, database);
    EXPECT_EQ(lines[0], expected);
}

INSTANTIATE_TEST_SUITE_P(
    Database, StoreFailure,
    testing::Values(Failure{"FullDisk",
                            "CREATE TRIGGER full BEFORE INSERT ON scores BEGIN "
                            "SELECT RAISE(ABORT, 'database or disk is full'); END",
                            Submission("Ace"),
                            "cannot store a score from 127.0.0.1: DB: database or disk is full"},
                    Failure{"LostTable", "ALTER TABLE scores RENAME TO old_scores", kTable,
                            "cannot read the table: DB: no such table: scores"},
                    Failure{"LostRateTable", "DROP TABLE recent_submissions", Submission("Ace"),
                            "cannot count a submission from 127.0.0.1: DB: no such table: "
                            "recent_submissions"}),
    [](const testing::TestParamInfo<Failure>& info) { return std::string(info.param.Name); });

}  // namespace
