#pragma once
// A mixer for tests that plays nothing and notes the name of every sound started, in order, so
// that a test can hear what the game played, and which sounds were stopped since they started.

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "media/wave_list.h"

struct SoundLog {
    std::vector<std::string> played;
    std::vector<std::string> sounding;  // started and not stopped since (nothing ever ends here)
    int Count(const std::string& name) const {
        return static_cast<int>(std::count(played.begin(), played.end(), name));
    }
    bool Sounding(const std::string& name) const {
        return std::find(sounding.begin(), sounding.end(), name) != sounding.end();
    }
};

std::unique_ptr<AudioBackend> MakeRecordingAudio(std::shared_ptr<SoundLog> log);
