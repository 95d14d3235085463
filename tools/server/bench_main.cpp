// zarvex2-scores-bench: load on a running score server, one JSON line of figures per run.
//
//   zarvex2-scores-bench --url http://127.0.0.1:8642 --kind KIND --clients N --seconds S
//
//   table      the HTML table, a new connection for every request (as a browser's first visit)
//   json       the same table as JSON
//   submit     valid submissions of the game, a new connection each (as the game sends them)
//   keepalive  the table over one kept-alive connection per client
//   burst      N clients connect at the same moment and ask once for the JSON table; every one
//              must be answered within S seconds
//   slowloris  N connections send their headers one byte a second while one normal client asks
//              for the JSON table; the figures are the normal client's
//
// It prints {"kind":…,"clients":…,"requests":…,"per_second":…,"p50_ms":…,"p99_ms":…,"errors":…}.
// A request that fails or takes more than 5 seconds (the game's wait) is an error. Submissions
// all come from this machine, so the server needs its rate limit lifted (--rate-limit 0).

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "persist/score_record.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRequestTimeoutMs = 5000;
constexpr const char* kTablePath = "/cgi/version.pl?prg=Zarvex2&show&type=0";

struct Target {
    std::string Host;
    std::string Port;
    sockaddr_storage Address{};
    socklen_t AddressLength = 0;
};

struct Options {
    std::string Url;
    std::string Kind;
    int Clients = 4;
    double Seconds = 5;
};

// One client's results: the time of each answered request, and the failures.
struct Tally {
    std::vector<double> LatenciesMs;
    long Errors = 0;
};

std::optional<Target> Resolve(const std::string& url) {
    const std::string scheme = "http://";
    if (url.rfind(scheme, 0) != 0) return std::nullopt;
    std::string rest = url.substr(scheme.size());
    if (const auto slash = rest.find('/'); slash != std::string::npos) rest.resize(slash);
    Target target;
    if (!rest.empty() && rest.front() == '[') {
        const auto close = rest.find(']');
        if (close == std::string::npos) return std::nullopt;
        target.Host = rest.substr(1, close - 1);
        target.Port =
            rest.size() > close + 2 && rest[close + 1] == ':' ? rest.substr(close + 2) : "80";
    } else {
        const auto colon = rest.rfind(':');
        target.Host = rest.substr(0, colon);
        target.Port = colon == std::string::npos ? "80" : rest.substr(colon + 1);
    }
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(target.Host.c_str(), target.Port.c_str(), &hints, &found) != 0)
        return std::nullopt;
    std::memcpy(&target.Address, found->ai_addr, found->ai_addrlen);
    target.AddressLength = found->ai_addrlen;
    freeaddrinfo(found);
    return target;
}

std::string Request(const Target& target, const std::string& path, bool keepAlive) {
    return "GET " + path + " HTTP/1.1\r\nHost: " + target.Host + ":" + target.Port +
           "\r\nUser-Agent: zarvex2-scores-bench\r\nAccept: */*\r\n" +
           (keepAlive ? "" : "Connection: close\r\n") + "\r\n";
}

// A submission of the game for a name made from the counter: every one is a new row.
std::string SubmissionPath(unsigned long counter) {
    const int score = static_cast<int>(counter % 100000);
    std::string name = "B";
    for (int i = 0; i < 8; ++i, counter /= 36)
        name += "0123456789abcdefghijklmnopqrstuvwxyz"[counter % 36];
    return "/cgi/version.pl?hs&prg=Zarvex2&inf=" +
           EncodeScoreRecord(ScoreRecord(name, score, "Bench"));
}

int Connect(const Target& target) {
    const int fd = socket(target.Address.ss_family, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    const timeval timeout{kRequestTimeoutMs / 1000, 0};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
    const int on = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    if (connect(fd, reinterpret_cast<const sockaddr*>(&target.Address), target.AddressLength) !=
        0) {
        close(fd);
        return -1;
    }
    return fd;
}

bool SendAll(int fd, const std::string& data) {
    std::size_t sent = 0;
    while (sent < data.size()) {
        const ssize_t n = send(fd, data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) return false;
        sent += static_cast<std::size_t>(n);
    }
    return true;
}

// Reads one response (headers and a Content-Length body) and gives its status; 0 on failure.
// Bytes read past the response stay in `buffer` for the next one. `closing` tells whether the
// server ends the connection after it (a front does after so many requests on one).
int ReadResponse(int fd, std::string& buffer, bool& closing) {
    char chunk[16384];
    std::size_t headerEnd;
    while ((headerEnd = buffer.find("\r\n\r\n")) == std::string::npos) {
        const ssize_t n = recv(fd, chunk, sizeof chunk, 0);
        if (n <= 0) return 0;
        buffer.append(chunk, static_cast<std::size_t>(n));
    }
    std::string headers = buffer.substr(0, headerEnd);
    for (char& c : headers) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const int status = buffer.size() > 12 ? std::atoi(buffer.c_str() + 9) : 0;
    std::size_t length = 0;
    if (const auto at = headers.find("\r\ncontent-length:"); at != std::string::npos)
        length = std::strtoul(headers.c_str() + at + 17, nullptr, 10);
    closing = headers.find("\r\nconnection: close") != std::string::npos;
    const std::size_t total = headerEnd + 4 + length;
    while (buffer.size() < total) {
        const ssize_t n = recv(fd, chunk, sizeof chunk, 0);
        if (n <= 0) return 0;
        buffer.append(chunk, static_cast<std::size_t>(n));
    }
    buffer.erase(0, total);
    return status;
}

Clock::time_point After(double seconds) {
    return Clock::now() +
           std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
}

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// One client's loop: requests back to back until the time is up.
Tally RunClient(const Target& target, const Options& options, int index,
                std::atomic<unsigned long>& counter, Clock::time_point end) {
    Tally tally;
    const bool keepAlive = options.Kind == "keepalive";
    const std::string fixed = Request(
        target, options.Kind == "json" ? std::string(kTablePath) + "&format=json" : kTablePath,
        keepAlive);
    int fd = -1;
    std::string buffer;
    while (Clock::now() < end) {
        const std::string request =
            options.Kind == "submit"
                ? Request(target, SubmissionPath(counter++ * 64 + static_cast<unsigned>(index)),
                          false)
                : fixed;
        const auto start = Clock::now();
        if (fd < 0) fd = Connect(target);
        int status = 0;
        bool closing = true;
        if (fd >= 0 && SendAll(fd, request)) status = ReadResponse(fd, buffer, closing);
        const double ms = MsSince(start);
        if (status == 200 && ms <= kRequestTimeoutMs) {
            tally.LatenciesMs.push_back(ms);
        } else {
            ++tally.Errors;
        }
        if (!keepAlive || status != 200 || closing) {
            if (fd >= 0) close(fd);
            fd = -1;
            buffer.clear();
        }
    }
    if (fd >= 0) close(fd);
    return tally;
}

bool SetNonBlocking(int fd) {
    return fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK) == 0;
}

// N clients connect at the same moment, each sends one request and waits for the whole answer.
Tally RunBurst(const Target& target, const Options& options) {
    struct Conn {
        int Fd = -1;
        std::string Out;
        std::size_t Sent = 0;
        std::string In;
        bool Done = false;
    };
    Tally tally;
    std::vector<Conn> conns(static_cast<std::size_t>(options.Clients));
    const std::string request = Request(target, std::string(kTablePath) + "&format=json", false);
    const auto start = Clock::now();
    for (Conn& conn : conns) {
        conn.Fd = socket(target.Address.ss_family, SOCK_STREAM | SOCK_CLOEXEC, 0);
        conn.Out = request;
        if (conn.Fd < 0 || !SetNonBlocking(conn.Fd) ||
            (connect(conn.Fd, reinterpret_cast<const sockaddr*>(&target.Address),
                     target.AddressLength) != 0 &&
             errno != EINPROGRESS)) {
            conn.Done = true;
            ++tally.Errors;
        }
    }
    const auto deadline = After(options.Seconds);
    std::vector<pollfd> polls;
    std::vector<Conn*> owners;
    while (Clock::now() < deadline) {
        polls.clear();
        owners.clear();
        for (Conn& conn : conns) {
            if (conn.Done) continue;
            const short events = conn.Sent < conn.Out.size() ? POLLOUT : POLLIN;
            polls.push_back({conn.Fd, events, 0});
            owners.push_back(&conn);
        }
        if (polls.empty()) break;
        if (poll(polls.data(), polls.size(), 100) < 0) break;
        for (std::size_t i = 0; i < polls.size(); ++i) {
            Conn& conn = *owners[i];
            if (polls[i].revents == 0) continue;
            if (conn.Sent < conn.Out.size()) {
                const ssize_t n = send(conn.Fd, conn.Out.data() + conn.Sent,
                                       conn.Out.size() - conn.Sent, MSG_NOSIGNAL);
                if (n > 0) {
                    conn.Sent += static_cast<std::size_t>(n);
                } else if (errno != EAGAIN) {
                    conn.Done = true;
                    ++tally.Errors;
                }
                continue;
            }
            char chunk[16384];
            const ssize_t n = recv(conn.Fd, chunk, sizeof chunk, 0);
            if (n > 0) {
                conn.In.append(chunk, static_cast<std::size_t>(n));
                continue;
            }
            if (n < 0 && errno == EAGAIN) continue;
            // Closed by the server after its answer (the request asked for it).
            conn.Done = true;
            if (conn.In.rfind("HTTP/1.1 200", 0) == 0 && conn.In.find("]}") != std::string::npos)
                tally.LatenciesMs.push_back(MsSince(start));
            else
                ++tally.Errors;
        }
    }
    for (Conn& conn : conns) {
        if (!conn.Done) ++tally.Errors;
        if (conn.Fd >= 0) close(conn.Fd);
    }
    return tally;
}

// N connections dribble an endless header, one byte a second each, while one normal client
// asks for the JSON table back to back.
Tally RunSlowloris(const Target& target, const Options& options) {
    std::vector<int> slow;
    for (int i = 0; i < options.Clients; ++i) {
        const int fd = Connect(target);
        if (fd >= 0) slow.push_back(fd);
    }
    for (const int fd : slow) SetNonBlocking(fd);
    std::atomic<bool> stop{false};
    std::thread dribble([&] {
        const std::string header = "GET / HTTP/1.1\r\nHost: slow\r\nX-Slow: ";
        std::size_t at = 0;
        while (!stop) {
            const char byte = at < header.size() ? header[at] : 'a';
            ++at;
            for (const int fd : slow) send(fd, &byte, 1, MSG_NOSIGNAL);
            for (int tenth = 0; tenth < 10 && !stop; ++tenth)
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    });
    // The slow connections have started their headers before the measured client begins.
    std::this_thread::sleep_for(std::chrono::seconds(2));
    Options normal = options;
    normal.Kind = "json";
    std::atomic<unsigned long> counter{0};
    Tally tally = RunClient(target, normal, 0, counter, After(options.Seconds));
    stop = true;
    dribble.join();
    long refused = options.Clients - static_cast<long>(slow.size());
    for (const int fd : slow) close(fd);
    std::fprintf(stderr, "zarvex2-scores-bench: %zu slow connections held, %ld refused\n",
                 slow.size(), refused);
    return tally;
}

double Percentile(std::vector<double>& sorted, double fraction) {
    if (sorted.empty()) return 0;
    const auto index = static_cast<std::size_t>(fraction * static_cast<double>(sorted.size() - 1));
    return sorted[index];
}

void Usage() {
    std::fprintf(stderr,
                 "usage: zarvex2-scores-bench --url URL --kind "
                 "table|json|submit|keepalive|burst|slowloris --clients N --seconds S\n");
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        const char* value = argv[i + 1];
        if (option == "--url") {
            options.Url = value;
        } else if (option == "--kind") {
            options.Kind = value;
        } else if (option == "--clients") {
            options.Clients = std::atoi(value);
        } else if (option == "--seconds") {
            options.Seconds = std::atof(value);
        } else {
            Usage();
            return 2;
        }
    }
    const std::vector<std::string> kinds = {"table",     "json",  "submit",
                                            "keepalive", "burst", "slowloris"};
    if (argc % 2 != 1 || std::find(kinds.begin(), kinds.end(), options.Kind) == kinds.end() ||
        options.Clients < 1 || options.Seconds <= 0) {
        Usage();
        return 2;
    }
    const auto target = Resolve(options.Url);
    if (!target) {
        std::fprintf(stderr, "zarvex2-scores-bench: cannot resolve %s\n", options.Url.c_str());
        return 2;
    }
    rlimit files{};
    if (getrlimit(RLIMIT_NOFILE, &files) == 0) {
        files.rlim_cur = files.rlim_max;
        setrlimit(RLIMIT_NOFILE, &files);
    }

    const auto start = Clock::now();
    Tally total;
    if (options.Kind == "burst") {
        total = RunBurst(*target, options);
    } else if (options.Kind == "slowloris") {
        total = RunSlowloris(*target, options);
    } else {
        std::vector<Tally> tallies(static_cast<std::size_t>(options.Clients));
        std::vector<std::thread> threads;
        // Submissions are named after a counter that starts at the microseconds of the clock:
        // runs one after the other never send the same name.
        std::atomic<unsigned long> counter{
            static_cast<unsigned long>(std::chrono::duration_cast<std::chrono::microseconds>(
                                           std::chrono::system_clock::now().time_since_epoch())
                                           .count())};
        const auto end = After(options.Seconds);
        for (int i = 0; i < options.Clients; ++i)
            threads.emplace_back([&, i] {
                tallies[static_cast<std::size_t>(i)] = RunClient(*target, options, i, counter, end);
            });
        for (std::thread& thread : threads) thread.join();
        for (const Tally& tally : tallies) {
            total.LatenciesMs.insert(total.LatenciesMs.end(), tally.LatenciesMs.begin(),
                                     tally.LatenciesMs.end());
            total.Errors += tally.Errors;
        }
    }
    const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    std::sort(total.LatenciesMs.begin(), total.LatenciesMs.end());
    const double seconds = options.Kind == "slowloris" ? options.Seconds : elapsed;
    std::printf(
        "{\"kind\":\"%s\",\"clients\":%d,\"requests\":%zu,\"per_second\":%.0f,\"p50_ms\":%.2f,"
        "\"p99_ms\":%.2f,\"errors\":%ld}\n",
        options.Kind.c_str(), options.Clients, total.LatenciesMs.size(),
        static_cast<double>(total.LatenciesMs.size()) / seconds,
        Percentile(total.LatenciesMs, 0.50), Percentile(total.LatenciesMs, 0.99), total.Errors);
    return 0;
}
