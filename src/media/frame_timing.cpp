#include "media/frame_timing.h"

#include <cmath>

int FrameTiming::EffectiveRate() const {
    const int r = FrameRate;
    const int R = RefreshRate;
    if (r == 0 || (r >= R - 3 && r <= R) || r > R + 2) return R;
    return r;
}

void FrameTiming::Recompute() {
    const int f = EffectiveRate();
    if (f <= 0) return;  // no rate at all: keep the previous values
    FrameScale = 85.0 / f;
    FrameMs = static_cast<int>(1000.0 / f);
}

void TFrameTimer::Restart(uint64_t nowMs) {
    started_ = true;
    lastFrameMs_ = nowMs;
    lastMeasureMs_ = nowMs;
    framesCounted_ = 0;
}

int TFrameTimer::Tick(uint64_t nowMs, FrameTiming& rate) {
    if (!started_) Restart(nowMs);
    uint64_t lag = nowMs > lastFrameMs_ ? nowMs - lastFrameMs_ : 0;
    lastFrameMs_ = nowMs;
    ++framesCounted_;
    const uint64_t elapsed = nowMs > lastMeasureMs_ ? nowMs - lastMeasureMs_ : 0;
    if (elapsed >= 1000) {
        rate.FrameRate = static_cast<int>(
            std::nearbyint(static_cast<double>(framesCounted_) * 1000.0 / elapsed));
        framesCounted_ = 0;
        lastMeasureMs_ = nowMs;
    }
    if (lag < 1) lag = 1;
    return static_cast<int>(lag > 1000000 ? 1000000 : lag);
}
