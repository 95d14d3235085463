#include "media/frame_pacer.h"

#include <algorithm>
#include <chrono>
#include <thread>

FramePacer::FramePacer(uint64_t ticksPerSecond, int refreshRate)
    : ticksPerSecond_(std::max<uint64_t>(ticksPerSecond, 1)) {
    SetRefreshRate(refreshRate);
}

void FramePacer::SetRefreshRate(int refreshRate) {
    period_ = ticksPerSecond_ / static_cast<uint64_t>(std::max(refreshRate, 1));
    deadline_ = 0;
    lastPresentEnd_ = 0;
    pacing_ = false;
    unpacedRun_ = 0;
}

void FramePacer::NotePresent(uint64_t startTicks, uint64_t endTicks) {
    const uint64_t took = endTicks > startTicks ? endTicks - startTicks : 0;
    const bool quickPresent = took < period_ / 4;
    const bool quickFrame = lastPresentEnd_ != 0 && endTicks > lastPresentEnd_ &&
                            endTicks - lastPresentEnd_ < period_ * 3 / 4;
    lastPresentEnd_ = endTicks;
    if (pacing_) return;
    unpacedRun_ = (quickPresent || quickFrame) ? unpacedRun_ + 1 : 0;
    if (unpacedRun_ >= kFramesToDecide) {
        pacing_ = true;
        deadline_ = 0;
    }
}

uint64_t FramePacer::NextPresentAt(uint64_t now) {
    if (!pacing_) return now;
    if (deadline_ == 0 || now >= deadline_ + period_) deadline_ = now;
    const uint64_t at = std::max(now, deadline_);
    deadline_ += period_;
    return at;
}

void SleepUntilTick(uint64_t tick, uint64_t ticksPerSecond, uint64_t (*now)()) {
    const uint64_t perSecond = std::max<uint64_t>(ticksPerSecond, 1);
    // Woken early (a signal), it sleeps again for what is left.
    for (uint64_t current = now(); current < tick; current = now()) {
        const uint64_t left = tick - current;
        // In nanoseconds, without overflowing for any wait up to many seconds.
        const uint64_t nanoseconds =
            left / perSecond * 1000000000u + left % perSecond * 1000000000u / perSecond;
        std::this_thread::sleep_for(std::chrono::nanoseconds(std::max<uint64_t>(nanoseconds, 1)));
    }
}
