#include "media/frame_pacer.h"

#include <algorithm>

FramePacer::FramePacer(uint64_t ticksPerSecond, int refreshRate)
    : ticksPerSecond_(std::max<uint64_t>(ticksPerSecond, 1)) {
    SetRefreshRate(refreshRate);
}

void FramePacer::SetRefreshRate(int refreshRate) {
    period_ = ticksPerSecond_ / static_cast<uint64_t>(std::max(refreshRate, 1));
    deadline_ = 0;
    shortRun_ = 0;
    longRun_ = 0;
}

void FramePacer::NotePresent(uint64_t startTicks, uint64_t endTicks) {
    const uint64_t took = endTicks > startTicks ? endTicks - startTicks : 0;
    // A present that waits for the vertical blank takes up to a whole period; one that returns
    // within a quarter of it did not wait.
    if (took < period_ / 4) {
        longRun_ = 0;
        if (!pacing_ && ++shortRun_ >= kPresentsToDecide) {
            pacing_ = true;
            deadline_ = 0;
        }
    } else if (took >= period_ / 2) {
        shortRun_ = 0;
        if (pacing_ && ++longRun_ >= kPresentsToDecide) pacing_ = false;
    }
}

uint64_t FramePacer::NextPresentAt(uint64_t now) {
    if (!pacing_) return now;
    if (deadline_ == 0 || now >= deadline_ + period_) deadline_ = now;
    const uint64_t at = std::max(now, deadline_);
    deadline_ += period_;
    return at;
}
