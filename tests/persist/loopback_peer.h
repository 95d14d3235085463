#pragma once
// A bare TCP peer on 127.0.0.1 for testing an HTTP client: it accepts connections and either
// answers each request with a fixed response (keeping the request text), or holds the connection
// open and says nothing until the peer is destroyed.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <mutex>
#include <string>
#include <thread>

class LoopbackPeer {
public:
    enum class Mode { Answer, Silent };

    LoopbackPeer(Mode mode, std::string response = {})
        : mode_(mode), response_(std::move(response)) {
        listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        listen(listener_, 8);
        socklen_t length = sizeof address;
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        if (pipe(stop_) == 0) thread_ = std::thread([this] { Serve(); });
    }

    ~LoopbackPeer() {
        if (write(stop_[1], "x", 1) < 0) {
        }
        if (thread_.joinable()) thread_.join();
        close(listener_);
        close(stop_[0]);
        close(stop_[1]);
    }

    LoopbackPeer(const LoopbackPeer&) = delete;
    LoopbackPeer& operator=(const LoopbackPeer&) = delete;

    std::string Base() const { return "http://127.0.0.1:" + std::to_string(port_); }
    std::string Request() {
        std::lock_guard lock(mutex_);
        return request_;
    }

private:
    // Waits for the socket to become readable; false when the peer is being stopped.
    bool Wait(int fd) const {
        pollfd fds[2] = {{fd, POLLIN, 0}, {stop_[0], POLLIN, 0}};
        return poll(fds, 2, -1) > 0 && (fds[1].revents & POLLIN) == 0;
    }

    void Serve() {
        while (Wait(listener_)) {
            const int connection = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
            if (connection < 0) continue;
            if (mode_ == Mode::Silent) {
                Wait(stop_[0]);  // until the end: never a byte
                close(connection);
                return;
            }
            std::string request;
            char buffer[4096];
            while (request.find("\r\n\r\n") == std::string::npos && Wait(connection)) {
                const ssize_t got = read(connection, buffer, sizeof buffer);
                if (got <= 0) break;
                request.append(buffer, static_cast<std::size_t>(got));
            }
            {
                std::lock_guard lock(mutex_);
                request_ = request;
            }
            if (send(connection, response_.data(), response_.size(), MSG_NOSIGNAL) < 0) {
            }
            close(connection);
        }
    }

    Mode mode_;
    std::string response_;
    int listener_ = -1;
    int stop_[2] = {-1, -1};
    int port_ = 0;
    std::thread thread_;
    std::mutex mutex_;
    std::string request_;
};
