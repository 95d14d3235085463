// Prints how long the road generator takes to build one full-length level (level 6), over many
// seeds: the median, the fastest and the slowest build. Not a test; run it on an idle machine.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "track/track_generator.h"

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    constexpr int kLevel = 6;
    auto state = std::make_unique<TrackState>();
    state->Level = LevelParamsFor(kLevel);
    std::vector<double> millis;
    millis.reserve(static_cast<size_t>(runs));
    uint64_t checksum = 0;  // keeps the builds from being optimised away
    for (int run = 0; run < runs; ++run) {
        TRandom random(static_cast<uint32_t>(run) * 2654435761u + 1u);
        TTrackGenerator generator(*state, random);
        const auto start = std::chrono::steady_clock::now();
        generator.BuildTrack();
        const auto end = std::chrono::steady_clock::now();
        millis.push_back(std::chrono::duration<double, std::milli>(end - start).count());
        checksum += static_cast<uint8_t>(state->TrackMap.At(1000, 321));
    }
    std::sort(millis.begin(), millis.end());
    std::printf("BuildTrack, level %d, %d seeds: median %.3f ms, min %.3f ms, max %.3f ms (%llu)\n",
                kLevel, runs, millis[millis.size() / 2], millis.front(), millis.back(),
                static_cast<unsigned long long>(checksum));
    return 0;
}
