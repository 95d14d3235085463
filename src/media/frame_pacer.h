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
    // This many unpaced frames in a row switch self-pacing on. A frame is unpaced when its
    // present returned within a quarter of a refresh period, or when it followed the previous
    // one by less than three quarters of a period. A swap chain filling up at the start gives a
    // few such frames even with vsync; this many rule that out.
    static constexpr int kFramesToDecide = 8;

    FramePacer(uint64_t ticksPerSecond, int refreshRate);

    // A new rate (after a display mode change) also starts the detection over.
    void SetRefreshRate(int refreshRate);
    uint64_t PeriodTicks() const { return period_; }

    // Reports when one present began and returned.
    void NotePresent(uint64_t startTicks, uint64_t endTicks);
    // Once on, pacing stays on until the rate is set again: with pacing on, a long present no
    // longer tells a vsync wait from a slow copy, and switching back and forth would let every
    // other stretch of frames run unpaced.
    bool Pacing() const { return pacing_; }

    // The tick at which the next frame may be presented, given the time now; when pacing is off
    // this is now. Frames keep a steady cadence; a frame later than a whole period restarts the
    // cadence instead of rushing to catch up.
    uint64_t NextPresentAt(uint64_t now);

private:
    uint64_t ticksPerSecond_;
    uint64_t period_ = 0;
    uint64_t deadline_ = 0;
    uint64_t lastPresentEnd_ = 0;
    bool pacing_ = false;
    int unpacedRun_ = 0;
};

// Sleeps until the performance counter (`ticksPerSecond` ticks a second) reaches `tick`. The
// system's sleep wakes within a fraction of a millisecond of the time asked for, so the wait
// never spins: a menu that waits most of every frame costs next to nothing.
void SleepUntilTick(uint64_t tick, uint64_t ticksPerSecond, uint64_t (*now)());
