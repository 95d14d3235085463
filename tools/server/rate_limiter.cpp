#include "rate_limiter.h"

#include <utility>

TRateLimiter::TRateLimiter(int perMinute, Clock clock)
    : perMinute_(perMinute), clock_(std::move(clock)) {}

bool TRateLimiter::Allow(const std::string& address) {
    std::lock_guard lock(mutex_);
    const auto now = clock_();
    if (++callsSinceSweep_ >= 1024) ForgetIdleAddresses(now);

    auto& times = recent_[address];
    while (!times.empty() && now - times.front() >= kWindow) times.pop_front();
    if (static_cast<int>(times.size()) >= perMinute_) return false;
    times.push_back(now);
    return true;
}

// Keeps the table from growing with every address ever seen.
void TRateLimiter::ForgetIdleAddresses(std::chrono::steady_clock::time_point now) {
    callsSinceSweep_ = 0;
    for (auto it = recent_.begin(); it != recent_.end();) {
        if (it->second.empty() || now - it->second.back() >= kWindow)
            it = recent_.erase(it);
        else
            ++it;
    }
}
