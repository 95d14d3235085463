#pragma once
// zarvex2-scores: the online score table the game sends its results to.
//
//   GET /                                                 home page, links the table
//   GET /cgi/version.pl?hs&prg=Zarvex2&inf=ENCODED        a submission: 200 when stored,
//                                                         400 when anything is wrong (nothing
//                                                         stored), 429 past the rate limit,
//                                                         500 when the database fails (logged)
//   GET /cgi/version.pl?prg=Zarvex2&show&type=0           the best 100 as an HTML page
//   GET /cgi/version.pl?prg=Zarvex2&show&type=0&format=json    the same as JSON
//
// HEAD is answered like GET without a body, except at the submission address (405): a HEAD
// must never store a score. Every other method gets 405. Requests are small; a longer address
// or header than the connection's memory holds is refused by the HTTP layer (414, 431).
//
// The HTTP layer is libmicrohttpd driven by epoll on a few threads: a connection that sends its
// request slowly, or nothing at all, holds a socket and a little memory, never a thread, so slow
// and idle clients cannot keep the others waiting. A connection quiet for longer than
// IdleSeconds is closed. The process keeps nothing of its own that matters: the scores and the
// rate limit's counts live in the database, so any number of processes can share one table.
//
//   TScoreServer server(config);   // opens the database; throws StoreError
//   int port = server.Bind();      // -1 when it cannot listen (BindError() says why); Port 0
//                                  // picks a free one
//   server.Run();                  // serves until Stop()
//   server.Stop();                 // from any thread or a signal's thread, before or during Run

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "score_store.h"

struct MHD_Daemon;

struct TScoreServerConfig {
    std::string BindAddress = "127.0.0.1";  // local only; "0.0.0.0" or "::" serves every network
    int Port = 8642;
    std::string Database = "scores.sqlite";  // a SQLite file, or a postgresql:// address
    int SubmissionsPerMinute = 30;           // per address; 0 lifts the limit
    // Behind a front server every request comes from the front's address: the client's own is
    // then taken from the X-Real-IP header the front sets. Never set this without a front, or
    // any client could claim any address.
    bool BehindProxy = false;
    int Threads = 4;                // each runs its own event loop; the database calls block them
    int MaxConnections = 4096;      // open at once, slow ones included; more are refused
    int ConnectionsPerAddress = 0;  // open at once from one address; 0: no limit of its own
    int IdleSeconds = 10;           // a connection that sends nothing for this long is closed
    int ListenBacklog = 4096;       // connections the kernel holds before they are accepted
    std::function<int64_t()> ClockMs;  // for the rate limit, shared by every process; empty:
                                       // the system clock in milliseconds
    std::function<int64_t()> Now;      // seconds since 1970 for stored scores; empty: time()
    // Where failures are told, one line each; empty: standard error.
    std::function<void(const std::string&)> Log;
};

class TScoreServer {
public:
    explicit TScoreServer(TScoreServerConfig config);
    ~TScoreServer();
    TScoreServer(const TScoreServer&) = delete;
    TScoreServer& operator=(const TScoreServer&) = delete;

    int Bind();
    const std::string& BindError() const { return bindError_; }
    // "127.0.0.1:8642" or "[::1]:8642": the address as a URL writes it.
    std::string Authority() const;

    bool Run();
    void Stop();
    bool IsRunning() const;

    TScoreStore& Store() { return *store_; }

    // What the HTTP layer hands over of a request, and the answer it sends back; public only for
    // the layer's callback.
    struct Request;
    struct Reply;
    Reply Handle(const Request& request);

private:
    Reply HandleTable(const Request& request);
    void LogLine(const std::string& line) const;

    TScoreServerConfig config_;
    std::unique_ptr<TScoreStore> store_;
    int listenFd_ = -1;
    int boundPort_ = -1;
    std::string bindError_;

    mutable std::mutex mutex_;
    std::condition_variable stopped_;
    bool stopRequested_ = false;
    MHD_Daemon* daemon_ = nullptr;
};
