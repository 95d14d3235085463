// zarvex2-scores: serves the game's online score table (see score_server.h).
//
//   zarvex2-scores [--port 8642] [--db scores.sqlite] [--bind 127.0.0.1]
//
// By default it listens on the local machine only; --bind 0.0.0.0 serves every network. It ends
// cleanly on SIGTERM or SIGINT: requests in progress are finished and the database is closed.

#include <signal.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "score_server.h"

namespace {

void Usage() {
    std::fprintf(stderr,
                 "usage: zarvex2-scores [--port PORT] [--db FILE] [--bind ADDRESS]\n"
                 "  --port PORT     port to listen on (default 8642; 0 picks a free one)\n"
                 "  --db FILE       SQLite database of the scores (default scores.sqlite)\n"
                 "  --bind ADDRESS  address to listen on (default 127.0.0.1, this machine only)\n");
}

bool ParsePort(const char* text, int& port) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || value < 0 || value > 65535) return false;
    port = static_cast<int>(value);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    TScoreServerConfig config;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        const bool hasValue = i + 1 < argc;
        if (option == "--port" && hasValue) {
            if (!ParsePort(argv[++i], config.Port)) {
                std::fprintf(stderr, "zarvex2-scores: bad port %s\n", argv[i]);
                return 2;
            }
        } else if (option == "--db" && hasValue) {
            config.Database = argv[++i];
        } else if (option == "--bind" && hasValue) {
            config.BindAddress = argv[++i];
        } else {
            Usage();
            return option == "--help" || option == "-h" ? 0 : 2;
        }
    }

    // SIGTERM and SIGINT are taken by one thread that stops the server; every other thread,
    // including the HTTP workers started later, keeps them blocked.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    signal(SIGPIPE, SIG_IGN);

    try {
        TScoreServer server(config);
        const int port = server.Bind();
        if (port < 0) {
            std::fprintf(stderr, "zarvex2-scores: cannot listen on %s:%d: %s\n",
                         config.BindAddress.c_str(), config.Port, std::strerror(errno));
            return 1;
        }
        std::printf("zarvex2-scores: serving http://%s:%d/ from %s\n", config.BindAddress.c_str(),
                    port, config.Database.c_str());
        std::fflush(stdout);

        std::atomic<bool> running{true};
        std::thread watcher([&] {
            const timespec tick{0, 200 * 1000 * 1000};
            bool stopping = false;
            while (running) {
                const int signal = sigtimedwait(&stopSignals, nullptr, &tick);
                stopping = stopping || signal == SIGTERM || signal == SIGINT;
                // Repeated until Run() returns: a stop before the server listens does nothing.
                if (stopping) server.Stop();
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
