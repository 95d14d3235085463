#pragma once
// Holds the frame rate to the display's refresh rate when presenting a frame does not wait for
// the vertical blank (a software renderer, a driver without vsync). The game's speeds assume
// that frames come at the refresh rate; without a wait the frame loop would spin as fast as the
// machine allows.
//
// Works on performance-counter ticks handed in by the caller, so it holds no clock of its own.

#include <cstdint>

class FramePacer {
public:
    // Presents this much shorter than a refresh period count as "did not wait"; this many of
    // them in a row switch self-pacing on, as many long ones in a row switch it off again.
    static constexpr int kPresentsToDecide = 8;

    FramePacer(uint64_t ticksPerSecond, int refreshRate);

    void SetRefreshRate(int refreshRate);
    uint64_t PeriodTicks() const { return period_; }

    // Reports how long one present took.
    void NotePresent(uint64_t startTicks, uint64_t endTicks);
    bool Pacing() const { return pacing_; }

    // The tick at which the next frame may be presented, given the time now; when pacing is off
    // this is now. Frames keep a steady cadence; a frame later than a whole period restarts the
    // cadence instead of rushing to catch up.
    uint64_t NextPresentAt(uint64_t now);

private:
    uint64_t ticksPerSecond_;
    uint64_t period_ = 0;
    uint64_t deadline_ = 0;
    bool pacing_ = false;
    int shortRun_ = 0;
    int longRun_ = 0;
};
