// zarvex2-scores: serves the game's online score table (see score_server.h).
//
//   zarvex2-scores [--port 8642] [--db scores.sqlite | --db postgresql://...] [--bind 127.0.0.1]
//                  [--rate-limit 30] [--behind-proxy] [--threads 4] [--max-connections 4096]
//                  [--per-address 0] [--idle-seconds 10]
//
// By default it listens on the local machine only; --bind 0.0.0.0 serves every network. It ends
// on SIGTERM or SIGINT within a moment, whatever its clients do: every connection is closed, the
// requests being answered are finished and the database is closed. Status 1 when it cannot open
// the database or listen (a port in use included), 2 for a wrong command line.

#include <signal.h>
#include <sys/resource.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "score_server.h"

namespace {

void Usage() {
    std::fprintf(
        stderr,
        "usage: zarvex2-scores [options]\n"
        "  --port PORT          port to listen on (default 8642; 0 picks a free one)\n"
        "  --db FILE|ADDRESS    a SQLite file (default scores.sqlite) or a PostgreSQL address,\n"
        "                       postgresql://USER@HOST:PORT/DATABASE\n"
        "  --bind ADDRESS       address to listen on (default 127.0.0.1, this machine only)\n"
        "  --rate-limit N       submissions a minute from one address (default 30; 0: none)\n"
        "  --behind-proxy       take the client's address from the front's X-Real-IP header\n"
        "  --threads N          event loops serving connections (default 4)\n"
        "  --max-connections N  connections open at once (default 4096)\n"
        "  --per-address N      connections open at once from one address (default 0: no limit)\n"
        "  --idle-seconds N     close a connection that sends nothing for N seconds (default "
        "10)\n");
}

bool ParseNumber(const char* text, int low, int high, int& number) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || value < low || value > high) return false;
    number = static_cast<int>(value);
    return true;
}

// Every connection is a file: as many as the system lets this process have.
int RaiseFileLimit() {
    rlimit files{};
    if (getrlimit(RLIMIT_NOFILE, &files) != 0) return 1024;
    files.rlim_cur = files.rlim_max;
    setrlimit(RLIMIT_NOFILE, &files);
    getrlimit(RLIMIT_NOFILE, &files);
    return files.rlim_cur > 1 << 20 ? 1 << 20 : static_cast<int>(files.rlim_cur);
}

}  // namespace

int main(int argc, char** argv) {
    TScoreServerConfig config;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--help" || option == "-h") {
            Usage();
            return 0;
        }
        if (option == "--behind-proxy") {
            config.BehindProxy = true;
            continue;
        }
        if (i + 1 >= argc) {
            Usage();
            return 2;
        }
        const char* value = argv[++i];
        bool good = true;
        if (option == "--port") {
            good = ParseNumber(value, 0, 65535, config.Port);
        } else if (option == "--db") {
            config.Database = value;
            good = !config.Database.empty();
        } else if (option == "--bind") {
            config.BindAddress = value;
            good = !config.BindAddress.empty();
        } else if (option == "--rate-limit") {
            good = ParseNumber(value, 0, 1000000000, config.SubmissionsPerMinute);
        } else if (option == "--threads") {
            good = ParseNumber(value, 1, 256, config.Threads);
        } else if (option == "--max-connections") {
            good = ParseNumber(value, 1, 1 << 20, config.MaxConnections);
        } else if (option == "--per-address") {
            good = ParseNumber(value, 0, 1 << 20, config.ConnectionsPerAddress);
        } else if (option == "--idle-seconds") {
            good = ParseNumber(value, 1, 3600, config.IdleSeconds);
        } else {
            Usage();
            return 2;
        }
        if (!good) {
            std::fprintf(stderr, "zarvex2-scores: bad value \"%s\" for %s%s\n", value,
                         option.c_str(),
                         option == "--db" ? " (a SQLite file or a postgresql:// address)" : "");
            return 2;
        }
    }

    // Room for the database, the log and the listening socket besides the connections.
    const int files = RaiseFileLimit();
    if (config.MaxConnections > files - 64) config.MaxConnections = files > 128 ? files - 64 : 64;

    // SIGTERM and SIGINT are taken by one thread that stops the server; every other thread,
    // including the HTTP layer's started later, keeps them blocked.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    signal(SIGPIPE, SIG_IGN);

    try {
        TScoreServer server(config);
        if (server.Bind() < 0) {
            std::fprintf(stderr, "zarvex2-scores: %s\n", server.BindError().c_str());
            return 1;
        }
        std::printf("zarvex2-scores: serving http://%s/ from %s\n", server.Authority().c_str(),
                    server.Store().Name().c_str());
        std::fflush(stdout);

        std::atomic<bool> running{true};
        std::thread watcher([&] {
            const timespec tick{0, 100 * 1000 * 1000};
            while (running) {
                const int signal = sigtimedwait(&stopSignals, nullptr, &tick);
                if (signal == SIGTERM || signal == SIGINT) server.Stop();
            }
        });
        const bool served = server.Run();
        running = false;
        watcher.join();
        std::printf("zarvex2-scores: stopped\n");
        return served ? 0 : 1;
    } catch (const StoreError& error) {
        std::fprintf(stderr, "zarvex2-scores: %s\n", error.what());
        return 1;
    }
}
