#pragma once
// The game's one random generator. The track, the traffic, the pedestrians and the bonuses all
// draw from it, so a seed (and the player's input) replays a game exactly.
//
// A 32-bit linear congruential generator: every draw first steps the seed to
// seed * 134775813 + 1 (mod 2^32), then scales the new seed into the range asked for.

#include <cstdint>

class TRandom {
public:
    explicit TRandom(uint32_t seed = 1) : seed_(seed) {}
    void Seed(uint32_t seed) { seed_ = seed; }
    uint32_t SeedValue() const { return seed_; }

    // A uniform integer from 0 to n - 1; 0 when n < 1. Every call is one draw, also Random(0).
    int Random(int n) {
        Step();
        if (n < 1) return 0;
        return static_cast<int>((static_cast<uint64_t>(seed_) * static_cast<uint64_t>(n)) >> 32);
    }
    // A uniform value in [0, 1).
    double RandomFloat();
    // Moves on as `count` draws would, without computing them.
    void Skip(uint32_t count);

private:
    static constexpr uint32_t kMultiplier = 134775813u;
    void Step() { seed_ = seed_ * kMultiplier + 1u; }

    uint32_t seed_;
};
