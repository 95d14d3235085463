#pragma once
// The game's one random generator. The track, the traffic, the pedestrians and the bonuses all
// draw from it, so a seed (and the player's input) replays a game exactly.

#include <cstdint>

class TRandom {
public:
    explicit TRandom(uint32_t seed = 1) : seed_(seed) {}
    void Seed(uint32_t seed) { seed_ = seed; }
    uint32_t SeedValue() const { return seed_; }

    // A uniform integer from 0 to n - 1; 0 when n < 1.
    int Random(int n);
    // A uniform value in [0, 1).
    double RandomFloat();

private:
    uint32_t seed_;
};
