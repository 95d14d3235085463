#pragma once
// A plain TCP connection to the server under test, for clients that misbehave on purpose: they
// send half a request, or nothing, and look at what the server does with the connection.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <string_view>

class RawConnection {
public:
    explicit RawConnection(int port, bool wait = true) {
        fd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | (wait ? 0 : SOCK_NONBLOCK), 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<uint16_t>(port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        const int result = connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        connected_ = result == 0;
    }
    ~RawConnection() {
        if (fd_ >= 0) close(fd_);
    }
    RawConnection(const RawConnection&) = delete;
    RawConnection& operator=(const RawConnection&) = delete;

    int Fd() const { return fd_; }
    bool Connected() const { return connected_; }

    // For a connection started without waiting: true once the handshake has completed.
    bool Established() {
        if (connected_) return true;
        int error = 0;
        socklen_t length = sizeof error;
        pollfd ready{fd_, POLLOUT, 0};
        if (poll(&ready, 1, 0) == 1 &&
            getsockopt(fd_, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0)
            connected_ = true;
        return connected_;
    }

    bool Send(std::string_view data) {
        return send(fd_, data.data(), data.size(), MSG_NOSIGNAL) ==
               static_cast<ssize_t>(data.size());
    }

    // True while the server keeps the connection open: nothing has arrived and no end either.
    bool StillOpen() {
        char byte;
        const ssize_t n = recv(fd_, &byte, 1, MSG_PEEK | MSG_DONTWAIT);
        return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
    }

    // Everything the server sends until it closes the connection; what came before the deadline
    // when it never does.
    std::string ReadToEnd(std::chrono::milliseconds deadline) { return ReadUntil({}, deadline); }

    // What the server sends until `marker` has arrived (or, as ReadToEnd, until it closes the
    // connection or the deadline passes).
    std::string ReadUntil(std::string_view marker, std::chrono::milliseconds deadline) {
        std::string text;
        const auto end = std::chrono::steady_clock::now() + deadline;
        while (marker.empty() || text.find(marker) == std::string::npos) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                end - std::chrono::steady_clock::now());
            pollfd ready{fd_, POLLIN, 0};
            if (left.count() <= 0 || poll(&ready, 1, static_cast<int>(left.count())) != 1)
                return text;
            char chunk[4096];
            const ssize_t n = recv(fd_, chunk, sizeof chunk, 0);
            if (n <= 0) {
                closedByServer_ = true;
                return text;
            }
            text.append(chunk, static_cast<std::size_t>(n));
        }
        return text;
    }

    bool ClosedByServer() const { return closedByServer_; }

private:
    int fd_ = -1;
    bool connected_ = false;
    bool closedByServer_ = false;
};
