// Frame timing: the measured rate is snapped to the refresh rate when it is close, and the
// timer measures whole seconds of frames.

#include <gtest/gtest.h>

#include "media/frame_timing.h"

namespace {

struct SnapCase {
    int refresh;
    int measured;
    int effective;
};

class FrameRateSnapTest : public ::testing::TestWithParam<SnapCase> {};

TEST_P(FrameRateSnapTest, EffectiveRate) {
    FrameTiming timing;
    timing.RefreshRate = GetParam().refresh;
    timing.FrameRate = GetParam().measured;
    EXPECT_EQ(timing.EffectiveRate(), GetParam().effective);
}

INSTANTIATE_TEST_SUITE_P(SnapRules, FrameRateSnapTest,
                         ::testing::Values(
                             // Nothing measured yet: the refresh rate.
                             SnapCase{60, 0, 60}, SnapCase{85, 0, 85},
                             // Within 3 below the refresh rate: snapped.
                             SnapCase{60, 57, 60}, SnapCase{60, 60, 60}, SnapCase{75, 72, 75},
                             SnapCase{85, 84, 85},
                             // More than 3 below: the measurement (a slow machine).
                             SnapCase{60, 56, 56}, SnapCase{75, 40, 40}, SnapCase{85, 81, 81},
                             // One or two above: used as measured; three and more above: snapped.
                             SnapCase{60, 61, 61}, SnapCase{60, 62, 62}, SnapCase{60, 63, 60},
                             SnapCase{85, 87, 87}, SnapCase{85, 88, 85}, SnapCase{75, 200, 75}));

TEST(FrameTimingTest, ScaleAndMillisecondsFollowTheEffectiveRate) {
    FrameTiming timing;
    EXPECT_EQ(timing.FrameMs, 15);  // before the first recompute
    EXPECT_DOUBLE_EQ(timing.FrameScale, 1.0);

    timing.RefreshRate = 85;
    timing.FrameRate = 84;
    timing.Recompute();
    EXPECT_DOUBLE_EQ(timing.FrameScale, 1.0);
    EXPECT_EQ(timing.FrameMs, 11);

    timing.RefreshRate = 60;
    timing.FrameRate = 60;
    timing.Recompute();
    EXPECT_DOUBLE_EQ(timing.FrameScale, 85.0 / 60);
    EXPECT_EQ(timing.FrameMs, 16);

    timing.RefreshRate = 75;
    timing.FrameRate = 40;
    timing.Recompute();
    EXPECT_DOUBLE_EQ(timing.FrameScale, 2.125);
    EXPECT_EQ(timing.FrameMs, 25);
}

TEST(FrameTimerTest, MeasuresTheRateOnceASecondAndLagIsAtLeastOne) {
    FrameTiming timing;
    TFrameTimer timer;
    timer.Restart(0);
    // 85 Hz: 1000/85 ms a frame with the fraction carried.
    for (int frame = 1; frame <= 85; ++frame) {
        const int lag = timer.Tick(static_cast<uint64_t>(frame) * 1000 / 85, timing);
        EXPECT_GE(lag, 11);
        EXPECT_LE(lag, 12);
    }
    EXPECT_EQ(timing.FrameRate, 85);         // frame 85 lands exactly on 1000 ms
    EXPECT_EQ(timer.Tick(1000, timing), 1);  // two frames in the same millisecond
}

TEST(FrameTimerTest, RestartMakesTheNextLagSmall) {
    FrameTiming timing;
    TFrameTimer timer;
    timer.Restart(0);
    timer.Tick(16, timing);
    timer.Restart(60000);  // a minute away from the game
    EXPECT_EQ(timer.Tick(60005, timing), 5);
    EXPECT_EQ(timing.FrameRate, 0);  // the away time is not measured
}

}  // namespace
