// The score table as it is deployed for the internet: the stores on the real PostgreSQL, and
// two zarvex2-scores processes sharing it behind the deployment's own nginx front. One
// PostgreSQL cluster is made for the whole program; every test has a database of its own.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "persist/score_record.h"
#include "persist/score_submit.h"
#include "persist/temp_folder.h"
#include "score_store.h"
#include "server/deploy/nginx_front.h"
#include "server/deploy/postgres_cluster.h"
#include "server/running_program.h"

#include <httplib.h>

namespace {

using namespace std::chrono_literals;

// The cluster every test shares, started before the first test and stopped after the last.
class Cluster : public testing::Environment {
public:
    void SetUp() override {
        folder = std::make_unique<TempFolder>();
        cluster = std::make_unique<PostgresCluster>(folder->Path());
    }
    void TearDown() override {
        cluster.reset();
        folder.reset();
    }

    static inline std::unique_ptr<TempFolder> folder;
    static inline std::unique_ptr<PostgresCluster> cluster;
};

// A fresh database on the shared cluster, named after the running test.
std::string FreshDatabase() {
    static int next = 0;
    const std::string name = "test" + std::to_string(++next);
    const std::string error = Cluster::cluster->CreateDatabase(name);
    EXPECT_EQ(error, "");
    return name;
}

void RequireCluster() {
    ASSERT_TRUE(Cluster::cluster && Cluster::cluster->Started())
        << "PostgreSQL could not be started:\n"
        << (Cluster::cluster ? Cluster::cluster->Log() : "");
}

// ---------------------------------------------------------------------------------------------
// The two stores keep the same contract.

enum class Backend { Sqlite, Postgres };

class StoreContract : public testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        if (GetParam() == Backend::Postgres) {
            RequireCluster();
            location = Cluster::cluster->Address(FreshDatabase());
        } else {
            location = (temp.Path() / "scores.sqlite").string();
        }
    }

    TempFolder temp;
    std::string location;
};

TEST_P(StoreContract, BestIsHighestFirstWithEqualScoresInOrderOfArrival) {
    const auto store = OpenScoreStore(location);
    store->Add({"Bo", 500, "_______"}, 1000);
    store->Add({"Max Power 12", 2147483647, "Atlantis Island "}, 2000);
    store->Add({"", 0, ""}, 3000);
    store->Add({"Cy", 500, "X"}, 4000);
    store->Add({"Al", 500, "Y"}, 5000);
    const auto best = store->Best(4);
    ASSERT_EQ(best.size(), 4u);
    EXPECT_EQ(best[0].Name, "Max Power 12");
    EXPECT_EQ(best[0].Score, 2147483647);
    EXPECT_EQ(best[0].Country, "Atlantis Island ");
    EXPECT_EQ(best[0].Time, 2000);
    EXPECT_EQ(best[1].Name, "Bo");
    EXPECT_EQ(best[2].Name, "Cy");
    EXPECT_EQ(best[3].Name, "Al");
    EXPECT_EQ(store->Count(), 5);
    EXPECT_EQ(store->Best(100).back().Name, "");
}

// A submission counts for exactly 60 s: at 59.999 s it still does, at 60.000 s no longer. One
// refused does not count; each address has its own count.
TEST_P(StoreContract, TheRateLimitCountsExactlyTheLastMinute) {
    const auto store = OpenScoreStore(location);
    const int64_t t0 = 1700000000000;
    struct Step {
        int64_t At;
        const char* Address;
        bool Allowed;
    };
    const Step steps[] = {
        {t0, "a", true},         {t0 + 1000, "a", true},   {t0 + 2000, "a", true},
        {t0 + 2500, "a", false}, {t0 + 2500, "b", true},   {t0 + 59999, "a", false},
        {t0 + 60000, "a", true}, {t0 + 60001, "a", false}, {t0 + 60999, "a", false},
        {t0 + 61000, "a", true}, {t0 + 62500, "b", true},  {t0 + 62500, "b", true},
        {t0 + 62500, "b", true}, {t0 + 62500, "b", false},
    };
    for (const Step& step : steps)
        EXPECT_EQ(store->AllowSubmission(step.Address, step.At, 3), step.Allowed)
            << step.Address << " at +" << step.At - t0;
}

// Two stores on one table are two server processes: submissions from one address arriving at
// both at the same moment are counted together, never both let through for the last place.
TEST_P(StoreContract, TwoStoresOnOneTableCountTogether) {
    const auto first = OpenScoreStore(location);
    const auto second = OpenScoreStore(location);
    std::atomic<int> allowed{0};
    std::vector<std::thread> threads;
    for (int i = 0; i < 8; ++i)
        threads.emplace_back([&, i] {
            TScoreStore& store = i % 2 == 0 ? *first : *second;
            for (int j = 0; j < 10; ++j) allowed += store.AllowSubmission("a", 5000000, 30);
        });
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(allowed, 30);
}

INSTANTIATE_TEST_SUITE_P(Stores, StoreContract, testing::Values(Backend::Sqlite, Backend::Postgres),
                         [](const testing::TestParamInfo<Backend>& info) {
                             return std::string(info.param == Backend::Sqlite ? "Sqlite"
                                                                              : "Postgres");
                         });

// A failure names the database as a log may show it, without the password its address holds,
// and gives PostgreSQL's own words for the cause.
TEST(PostgresStore, AFailureNamesTheDatabaseWithoutItsPassword) {
    RequireCluster();
    const std::string database = FreshDatabase();
    const std::string safe = Cluster::cluster->Address(database);
    std::string withPassword = safe;
    withPassword.insert(withPassword.find('@'), ":secret");
    const auto store = OpenScoreStore(withPassword);
    EXPECT_EQ(store->Name(), safe);
    ASSERT_EQ(Cluster::cluster->Execute(database, "DROP TABLE scores"), "");
    try {
        store->Add({"A", 1, "X"}, 1);
        FAIL() << "stored into a table that is gone";
    } catch (const StoreError& error) {
        const std::string message = error.what();
        EXPECT_EQ(message.rfind(safe + ": ERROR: relation \"scores\" does not exist", 0), 0u)
            << message;
    }
}

// ---------------------------------------------------------------------------------------------
// The deployment: nginx in front of two processes sharing PostgreSQL.

class Deployment : public testing::Test {
protected:
    // Two processes on the test's database, then the front with the given changes to its file.
    void Start(const std::string& rateLimit,
               const std::vector<std::pair<std::string, std::string>>& changes) {
        RequireCluster();
        const std::string database = Cluster::cluster->Address(FreshDatabase());
        std::vector<int> ports;
        for (int i = 0; i < 2; ++i) {
            apps.push_back(std::make_unique<RunningProgram>(
                std::vector<std::string>{ZARVEX_SCORES_PROGRAM, "--port", "0", "--db", database,
                                         "--behind-proxy", "--rate-limit", rateLimit}));
            const std::string line = apps.back()->Line();
            ports.push_back(PortOf(BaseFrom(line)));
            ASSERT_GT(ports.back(), 0) << line << apps.back()->ErrorText();
        }
        front = std::make_unique<NginxFront>(temp.Path(), ports, changes);
        ASSERT_TRUE(front->Started()) << front->Log();
        store = OpenScoreStore(database);
    }

    TempFolder temp;
    std::vector<std::unique_ptr<RunningProgram>> apps;
    std::unique_ptr<NginxFront> front;
    std::unique_ptr<TScoreStore> store;
};

// The front's own limits lifted: all of this comes from one address. nginx counts the requests
// it handles in one turn of its loop as arriving in the same millisecond, so the bursts go too.
const std::vector<std::pair<std::string, std::string>> kNoFrontLimits = {
    {"rate=20r/s", "rate=100000r/s"},
    {"rate=30r/m", "rate=100000r/s"},
    {"zone=zarvex2_requests burst=40", "zone=zarvex2_requests burst=100000"},
    {"zone=zarvex2_submits burst=10", "zone=zarvex2_submits burst=100000"}};

TEST_F(Deployment, AThousandSubmissionsFromEightClientsAreEachStoredOnce) {
    Start("0", kNoFrontLimits);
    std::atomic<int> sent{0};
    std::mutex failuresMutex;
    std::string failures;
    std::vector<std::thread> clients;
    for (int client = 0; client < 8; ++client)
        clients.emplace_back([&, client] {
            for (int i = 0; i < 125; ++i) {
                const std::string name = "C" + std::to_string(client) + "n" + std::to_string(i);
                const TSubmitResult result = SubmitScore(front->Base(), name, i, "X");
                sent += result.Status == SubmitStatus::Sent;
                if (result.Status != SubmitStatus::Sent) {
                    std::lock_guard lock(failuresMutex);
                    failures +=
                        name + ": " + std::to_string(result.HttpStatus) + " " + result.Error + "\n";
                }
            }
        });
    for (std::thread& thread : clients) thread.join();
    EXPECT_EQ(sent, 1000) << failures << front->Log();
    const auto rows = store->Best(2000);
    ASSERT_EQ(rows.size(), 1000u);
    std::set<std::string> names;
    for (const TStoredScore& row : rows) names.insert(row.Name);
    EXPECT_EQ(names.size(), 1000u);
    EXPECT_EQ(names.count("C0n0") + names.count("C7n124"), 2u);
}

// The processes' limit of 30 a minute holds across both of them (the front sends requests to
// each in turn), and a client cannot dodge it by naming another address in X-Real-IP: the front
// overwrites the header.
TEST_F(Deployment, TheRateLimitHoldsAcrossProcessesAndCannotBeDodged) {
    Start("30", kNoFrontLimits);
    httplib::Client client(front->Base());
    std::vector<int> statuses;
    for (int i = 0; i < 31; ++i) {
        const std::string path = "/cgi/version.pl?hs&prg=Zarvex2&inf=" +
                                 EncodeScoreRecord(ScoreRecord("A" + std::to_string(i), i, "X"));
        const auto result = client.Get(path, {{"X-Real-IP", "203.0.113." + std::to_string(i)}});
        statuses.push_back(result ? result->status : 0);
    }
    EXPECT_EQ(std::count(statuses.begin(), statuses.begin() + 30, 200), 30);
    EXPECT_EQ(statuses.back(), 429);
    EXPECT_EQ(store->Count(), 30);
}

// The front as shipped limits submissions from one address on its own: a quick run of them
// gets 429 from nginx past its allowance, and only what it let through is stored.
TEST_F(Deployment, TheFrontRefusesAQuickRunOfSubmissions) {
    Start("0", {});
    int stored = 0, refused = 0;
    for (int i = 0; i < 20; ++i) {
        const TSubmitResult result = SubmitScore(front->Base(), "A" + std::to_string(i), i, "X");
        stored += result.Status == SubmitStatus::Sent;
        refused += result.HttpStatus == 429;
    }
    EXPECT_GE(stored, 11);  // the first one and a burst of ten
    EXPECT_GE(refused, 1);
    EXPECT_EQ(stored + refused, 20);
    EXPECT_EQ(store->Count(), stored);
    // Pages are still served.
    httplib::Client client(front->Base());
    const auto table = client.Get("/cgi/version.pl?prg=Zarvex2&show&type=0&format=json");
    ASSERT_TRUE(table);
    EXPECT_EQ(table->status, 200);
}

// The service unit is one systemd accepts without a remark.
TEST(ServiceUnit, PassesSystemdsOwnCheck) {
    TempFolder temp;
    std::ifstream in(std::filesystem::path(ZARVEX_SOURCE_DIR) / "deploy" / "systemd" /
                     "zarvex2-scores@.service");
    std::stringstream unit;
    unit << in.rdbuf();
    std::string text = unit.str();
    const std::string installed = "/usr/local/bin/zarvex2-scores";
    ASSERT_NE(text.find(installed), std::string::npos);
    text.replace(text.find(installed), installed.size(), ZARVEX_SCORES_PROGRAM);
    const auto path = temp.Path() / "zarvex2-scores@.service";
    std::ofstream(path) << text;
    RunningProgram verify({"/usr/bin/systemd-analyze", "verify",
                           (temp.Path() / "zarvex2-scores@8701.service").string()});
    const int status = verify.WaitForExit(2min);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(verify.ErrorText(), "");
}

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    testing::AddGlobalTestEnvironment(new Cluster);
    return RUN_ALL_TESTS();
}
