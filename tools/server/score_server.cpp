#include "score_server.h"

#include <arpa/inet.h>
#include <microhttpd.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <utility>
#include <vector>

#include "score_pages.h"
#include "submission.h"

struct TScoreServer::Request {
    std::string Method;
    std::string Path;
    // The query's parameters in their order, decoded; a key without "=" has no value.
    std::vector<std::pair<std::string, std::string>> Parameters;
    std::string ClientAddress;
    std::string FrontSays;  // the X-Real-IP header, when there is one

    int CountOf(std::string_view key) const {
        int count = 0;
        for (const auto& parameter : Parameters) count += parameter.first == key;
        return count;
    }
    // A parameter given exactly once; absent or repeated counts as missing.
    bool Single(std::string_view key, std::string& value) const {
        if (CountOf(key) != 1) return false;
        for (const auto& parameter : Parameters)
            if (parameter.first == key) value = parameter.second;
        return true;
    }
};

struct TScoreServer::Reply {
    unsigned Status = 200;
    std::string ContentType = "text/plain; charset=utf-8";
    std::string Body;
    std::vector<std::pair<const char*, std::string>> Headers;
};

namespace {

constexpr const char* kProgram = "Zarvex2";
constexpr std::uintptr_t kBodyLimit = 1024;
constexpr const char* kPageSecurity =
    "default-src 'none'; style-src 'unsafe-inline'; img-src 'none'";

TScoreServer::Reply Text(unsigned status, std::string text) {
    TScoreServer::Reply reply;
    reply.Status = status;
    reply.Body = std::move(text);
    return reply;
}

TScoreServer::Reply Page(std::string html) {
    TScoreServer::Reply reply;
    reply.ContentType = "text/html; charset=utf-8";
    reply.Body = std::move(html);
    reply.Headers.emplace_back("Content-Security-Policy", kPageSecurity);
    return reply;
}

TScoreServer::Reply NotAllowed(const char* allowed) {
    TScoreServer::Reply reply = Text(405, "Method not allowed.\n");
    reply.Headers.emplace_back("Allow", allowed);
    return reply;
}

std::string NumericHost(const sockaddr* address, socklen_t length) {
    char host[NI_MAXHOST] = "";
    if (getnameinfo(address, length, host, sizeof host, nullptr, 0, NI_NUMERICHOST) != 0)
        return "unknown";
    return host;
}

std::string WithPort(const std::string& host, int port) {
    const bool v6 = host.find(':') != std::string::npos;
    return (v6 ? "[" + host + "]" : host) + ":" + std::to_string(port);
}

MHD_Result CollectParameter(void* cls, MHD_ValueKind, const char* key, size_t keySize,
                            const char* value, size_t valueSize) {
    // Sizes rather than C strings: a "%00" in a value stays in it (and is refused by the
    // submission's check) instead of cutting the value short into something that looks valid.
    auto& parameters = *static_cast<std::vector<std::pair<std::string, std::string>>*>(cls);
    parameters.emplace_back(std::string(key, keySize),
                            value != nullptr ? std::string(value, valueSize) : std::string());
    return MHD_YES;
}

MHD_Result Queue(MHD_Connection* connection, const TScoreServer::Reply& reply) {
    MHD_Response* response = MHD_create_response_from_buffer(
        reply.Body.size(), const_cast<char*>(reply.Body.data()), MHD_RESPMEM_MUST_COPY);
    if (response == nullptr) return MHD_NO;
    MHD_add_response_header(response, "Content-Type", reply.ContentType.c_str());
    MHD_add_response_header(response, "X-Content-Type-Options", "nosniff");
    MHD_add_response_header(response, "Referrer-Policy", "no-referrer");
    MHD_add_response_header(response, "Cache-Control", "no-store");
    for (const auto& [name, value] : reply.Headers)
        MHD_add_response_header(response, name, value.c_str());
    const MHD_Result queued = MHD_queue_response(connection, reply.Status, response);
    MHD_destroy_response(response);
    return queued;
}

// The HTTP layer calls this once when a request's headers are in, then once for every piece of
// its body, then once more at the end of it.
MHD_Result OnRequest(void* cls, MHD_Connection* connection, const char* url, const char* method,
                     const char*, const char*, size_t* uploadSize, void** state) {
    auto& server = *static_cast<TScoreServer*>(cls);
    const bool readable = std::strcmp(method, "GET") == 0 || std::strcmp(method, "HEAD") == 0;
    if (*state == nullptr) {
        // Any other method is refused at once; the layer then closes the connection rather
        // than read a body nobody wants.
        if (!readable) return Queue(connection, NotAllowed("GET, HEAD"));
        const char* length =
            MHD_lookup_connection_value(connection, MHD_HEADER_KIND, "Content-Length");
        if (length != nullptr && std::strtoull(length, nullptr, 10) > kBodyLimit)
            return Queue(connection, Text(413, "Request too large.\n"));
        // The request's state is only the count of body bytes read so far, plus one, kept in
        // the pointer itself: nothing to allocate or free.
        *state = reinterpret_cast<void*>(std::uintptr_t{1});
        return MHD_YES;
    }
    // The server takes no bodies: a few bytes are read and dropped; a longer body sent in
    // chunks, whose length was not told beforehand, ends the connection.
    if (*uploadSize != 0) {
        const std::uintptr_t read = reinterpret_cast<std::uintptr_t>(*state) + *uploadSize;
        if (read > kBodyLimit + 1) return MHD_NO;
        *state = reinterpret_cast<void*>(read);
        *uploadSize = 0;
        return MHD_YES;
    }

    TScoreServer::Request request;
    request.Method = method;
    request.Path = url;
    MHD_get_connection_values_n(connection, MHD_GET_ARGUMENT_KIND, CollectParameter,
                                &request.Parameters);
    const MHD_ConnectionInfo* info =
        MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CLIENT_ADDRESS);
    if (info != nullptr && info->client_addr != nullptr) {
        const socklen_t length =
            info->client_addr->sa_family == AF_INET6 ? sizeof(sockaddr_in6) : sizeof(sockaddr_in);
        request.ClientAddress = NumericHost(info->client_addr, length);
    }
    const char* forwarded = MHD_lookup_connection_value(connection, MHD_HEADER_KIND, "X-Real-IP");
    if (forwarded != nullptr) request.FrontSays = forwarded;
    return Queue(connection, server.Handle(request));
}

}  // namespace

TScoreServer::TScoreServer(TScoreServerConfig config)
    : config_(std::move(config)), store_(OpenScoreStore(config_.Database)) {
    if (!config_.ClockMs)
        config_.ClockMs = [] {
            return static_cast<int64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                            std::chrono::system_clock::now().time_since_epoch())
                                            .count());
        };
    if (!config_.Now) config_.Now = [] { return static_cast<int64_t>(std::time(nullptr)); };
}

TScoreServer::~TScoreServer() {
    Stop();
    if (listenFd_ >= 0) close(listenFd_);
}

void TScoreServer::LogLine(const std::string& line) const {
    if (config_.Log) return config_.Log(line);
    std::fprintf(stderr, "zarvex2-scores: %s\n", line.c_str());
}

int TScoreServer::Bind() {
    std::string host = config_.BindAddress;
    if (host.size() >= 2 && host.front() == '[' && host.back() == ']')
        host = host.substr(1, host.size() - 2);
    const std::string wanted = WithPort(host, config_.Port);

    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_PASSIVE | AI_NUMERICSERV;
    addrinfo* found = nullptr;
    const std::string port = std::to_string(config_.Port);
    if (const int error = getaddrinfo(host.c_str(), port.c_str(), &hints, &found); error != 0) {
        bindError_ = "cannot listen on " + wanted + ": " + gai_strerror(error);
        return -1;
    }
    const int fd = socket(found->ai_family, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    // SO_REUSEADDR lets a restarted server listen at once while old connections linger; unlike
    // SO_REUSEPORT (never set) it does not let a second server share the port, so a second
    // process on a port in use fails here instead of taking half of the submissions.
    const int on = 1;
    if (fd >= 0) setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    const bool bound = fd >= 0 && bind(fd, found->ai_addr, found->ai_addrlen) == 0 &&
                       listen(fd, config_.ListenBacklog) == 0;
    const int error = errno;
    freeaddrinfo(found);
    if (!bound) {
        if (fd >= 0) close(fd);
        bindError_ = "cannot listen on " + wanted + ": " + std::strerror(error);
        return -1;
    }
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    boundPort_ =
        ntohs(address.ss_family == AF_INET6 ? reinterpret_cast<sockaddr_in6*>(&address)->sin6_port
                                            : reinterpret_cast<sockaddr_in*>(&address)->sin_port);
    listenFd_ = fd;
    config_.BindAddress = NumericHost(reinterpret_cast<sockaddr*>(&address), length);
    return boundPort_;
}

std::string TScoreServer::Authority() const {
    return WithPort(config_.BindAddress, boundPort_);
}

bool TScoreServer::Run() {
    if (listenFd_ < 0 && Bind() < 0) {
        LogLine(bindError_);
        return false;
    }
    std::unique_lock lock(mutex_);
    if (!stopRequested_) {
        daemon_ = MHD_start_daemon(
            MHD_USE_INTERNAL_POLLING_THREAD | MHD_USE_EPOLL | MHD_USE_TURBO, 0, nullptr, nullptr,
            &OnRequest, this, MHD_OPTION_LISTEN_SOCKET, listenFd_, MHD_OPTION_THREAD_POOL_SIZE,
            static_cast<unsigned>(config_.Threads), MHD_OPTION_CONNECTION_LIMIT,
            static_cast<unsigned>(config_.MaxConnections), MHD_OPTION_PER_IP_CONNECTION_LIMIT,
            static_cast<unsigned>(config_.ConnectionsPerAddress), MHD_OPTION_CONNECTION_TIMEOUT,
            static_cast<unsigned>(config_.IdleSeconds), MHD_OPTION_END);
        if (daemon_ == nullptr) {
            LogLine("cannot start serving on " + Authority());
            return false;
        }
        // The HTTP layer owns the listening socket now and closes it when it stops.
        listenFd_ = -1;
        stopped_.wait(lock, [this] { return stopRequested_; });
    }
    MHD_Daemon* daemon = std::exchange(daemon_, nullptr);
    lock.unlock();
    // Every connection is closed at once, slow ones included; requests being answered finish.
    if (daemon != nullptr) MHD_stop_daemon(daemon);
    return true;
}

void TScoreServer::Stop() {
    std::lock_guard lock(mutex_);
    stopRequested_ = true;
    stopped_.notify_all();
}

bool TScoreServer::IsRunning() const {
    std::lock_guard lock(mutex_);
    return daemon_ != nullptr;
}

TScoreServer::Reply TScoreServer::Handle(const Request& request) {
    const bool head = request.Method == "HEAD";
    if (request.Method != "GET" && !head) return NotAllowed("GET, HEAD");
    if (request.Path == "/") return Page(RenderHomePage());
    if (request.Path != "/cgi/version.pl") return Text(404, "Not found.\n");

    std::string program;
    if (!request.Single("prg", program) || program != kProgram)
        return Text(404, "Unknown program.\n");
    if (request.CountOf("hs") == 0) return HandleTable(request);

    // A submission stores a score: only a GET does that.
    if (head) return NotAllowed("GET");
    // An address is at most 45 characters; a front that sends more is cut short rather than
    // filling the rate limit's table.
    const std::string client = config_.BehindProxy && !request.FrontSays.empty()
                                   ? request.FrontSays.substr(0, 64)
                                   : request.ClientAddress;
    try {
        if (config_.SubmissionsPerMinute > 0 &&
            !store_->AllowSubmission(client, config_.ClockMs(), config_.SubmissionsPerMinute)) {
            Reply reply = Text(429, "Too many submissions; try again in a minute.\n");
            reply.Headers.emplace_back("Retry-After", "60");
            return reply;
        }
    } catch (const StoreError& error) {
        LogLine("cannot count a submission from " + client + ": " + error.what());
        return Text(500, "The score table is out of order.\n");
    }
    std::string encoded;
    if (!request.Single("inf", encoded) || request.CountOf("show") > 0)
        return Text(400, "Bad submission.\n");
    const auto entry = ParseSubmission(encoded);
    if (!entry) return Text(400, "Bad submission.\n");
    try {
        store_->Add(*entry, config_.Now());
    } catch (const StoreError& error) {
        LogLine("cannot store a score from " + client + ": " + error.what());
        return Text(500, "The score could not be stored.\n");
    }
    return Text(200, "OK\n");
}

TScoreServer::Reply TScoreServer::HandleTable(const Request& request) {
    std::string type;
    if (request.CountOf("show") == 0 || !request.Single("type", type) || type != "0")
        return Text(400, "Unknown request.\n");
    std::vector<TStoredScore> best;
    try {
        best = store_->Best(kTableSize);
    } catch (const StoreError& error) {
        LogLine("cannot read the table: " + std::string(error.what()));
        return Text(500, "The score table is out of order.\n");
    }
    std::string format;
    if (request.Single("format", format) && format == "json") {
        Reply reply = Text(200, RenderTableJson(best));
        reply.ContentType = "application/json";
        return reply;
    }
    return Page(RenderTablePage(best));
}
