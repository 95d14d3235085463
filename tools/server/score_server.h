#pragma once
// zarvex2-scores: the online score table the game sends its results to.
//
//   GET /                                                 home page, links the table
//   GET /cgi/version.pl?hs&prg=Zarvex2&inf=ENCODED        a submission: 200 when stored,
//                                                         400 when anything is wrong (nothing
//                                                         stored), 429 past the rate limit
//   GET /cgi/version.pl?prg=Zarvex2&show&type=0           the best 100 as an HTML page
//   GET /cgi/version.pl?prg=Zarvex2&show&type=0&format=json    the same as JSON
//
// Only GET is served, requests are small (a long address or body is refused by the HTTP layer),
// and one address may submit at most TScoreServerConfig::SubmissionsPerMinute times a minute.
//
//   TScoreServer server(config);   // opens the database; throws StoreError
//   int port = server.Bind();      // -1 when the address cannot be bound; Port 0 picks a free one
//   server.Run();                  // serves until Stop() (from another thread or a signal)
//   server.Stop();                 // from another thread: requests in progress are finished

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "rate_limiter.h"
#include "score_store.h"

namespace httplib {
class Server;
}

struct TScoreServerConfig {
    std::string BindAddress = "127.0.0.1";  // local only; "0.0.0.0" serves every network
    int Port = 8642;
    std::filesystem::path Database = "scores.sqlite";
    int SubmissionsPerMinute = 30;
    TRateLimiter::Clock Clock;     // for the rate limit; empty: the steady clock
    std::function<int64_t()> Now;  // seconds since 1970 for stored scores; empty: time()
};

class TScoreServer {
public:
    explicit TScoreServer(TScoreServerConfig config);
    ~TScoreServer();

    int Bind();
    bool Run();
    // Ends Run(). It has no effect before Run() is listening (IsRunning()), so a caller that may
    // come first repeats it until Run() returns.
    void Stop();
    bool IsRunning() const;

    TScoreStore& Store() { return store_; }

private:
    void Install();

    TScoreServerConfig config_;
    TScoreStore store_;
    TRateLimiter limiter_;
    std::unique_ptr<httplib::Server> http_;
};
