#pragma once
// A headless game on the replay runner's simulated clock, started from the stand-in archives.

#include <gtest/gtest.h>

#include <memory>

#include "replay_runner.h"
#include "shell/form.h"
#include "support/sound_log.h"
#include "support/test_assets.h"

inline std::unique_ptr<ReplayRunner> MakeTestRunner(ReplayOptions options) {
    auto runner = std::make_unique<ReplayRunner>(std::move(options));
    std::string error;
    EXPECT_TRUE(runner->StartWith(TestImageList1(), TestImageList2(), TestWaves(), error)) << error;
    return runner;
}

inline std::unique_ptr<ReplayRunner> MakeTestRunner(int refresh = 85, int raceCar = 0,
                                                    uint32_t seed = 1,
                                                    std::shared_ptr<SoundLog> sounds = nullptr) {
    ReplayOptions options;
    if (sounds) options.openAudio = [sounds] { return MakeRecordingAudio(sounds); };
    options.refresh = refresh;
    options.raceCar = raceCar;
    options.seed = seed;
    return MakeTestRunner(std::move(options));
}
