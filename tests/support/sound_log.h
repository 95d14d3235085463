#pragma once
// A mixer for tests that plays nothing and notes the name of every sound started, in order, so
// that a test can hear what the game played.

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "media/wave_list.h"

struct SoundLog {
    std::vector<std::string> played;
    int Count(const std::string& name) const {
        return static_cast<int>(std::count(played.begin(), played.end(), name));
    }
};

std::unique_ptr<AudioBackend> MakeRecordingAudio(std::shared_ptr<SoundLog> log);
