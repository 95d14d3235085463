#pragma once
// At most N submissions a minute from one address. A submission counts for the 60 seconds after
// it arrived; one refused for being over the limit does not count, so a client that waits gets
// through again. The clock is passed in, so that tests can move it by hand.
//
//   TRateLimiter limiter(30, [] { return std::chrono::steady_clock::now(); });
//   if (!limiter.Allow(request.remote_addr)) answer 429;

#include <chrono>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <unordered_map>

class TRateLimiter {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    static constexpr std::chrono::seconds kWindow{60};

    TRateLimiter(int perMinute, Clock clock);

    // True, and the submission is counted, while the address is under its limit.
    bool Allow(const std::string& address);

private:
    void ForgetIdleAddresses(std::chrono::steady_clock::time_point now);

    int perMinute_;
    Clock clock_;
    std::mutex mutex_;
    std::unordered_map<std::string, std::deque<std::chrono::steady_clock::time_point>> recent_;
    std::size_t callsSinceSweep_ = 0;
};
