#pragma once
// Frame timing: every motion in the game is tuned for 85 frames per second. FrameScale multiplies
// the per-frame speeds and FrameMs is subtracted once a frame from every count-down timer. Both
// follow the measured frame rate, snapped to the display's refresh rate when the measurement is
// close to it, so that measurement noise never changes the game's speed.

#include <cstdint>

struct FrameTiming {
    int FrameRate = 0;     // measured by the frame timer once a second; 0 until then
    int RefreshRate = 60;  // the display's vertical refresh rate
    int FrameMs = 15;      // milliseconds per frame
    double FrameScale = 1.0;

    // The effective rate: the refresh rate when nothing has been measured, when the measurement
    // lies within 3 below it, or more than 2 above it; otherwise the measurement.
    int EffectiveRate() const;
    // Recomputes FrameScale and FrameMs from the effective rate; they apply from the next frame.
    void Recompute();
};

// The frame timer: calls the frame handler with the milliseconds since the previous frame and
// measures the frame rate whenever a second has passed.
class TFrameTimer {
public:
    // (Re)starts the clocks, e.g. after the window was inactive; the next frame's lag is small.
    void Restart(uint64_t nowMs);
    // Counts a frame at time nowMs and returns its LagCount (at least 1). Updates rate.FrameRate
    // when at least 1000 ms have passed since the last measurement.
    int Tick(uint64_t nowMs, FrameTiming& rate);

private:
    bool started_ = false;
    uint64_t lastFrameMs_ = 0;
    uint64_t lastMeasureMs_ = 0;
    int framesCounted_ = 0;
};
