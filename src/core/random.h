#pragma once
// The game's one random generator. The track, the traffic, the pedestrians and the bonuses all
// draw from it, so a seed (and the player's input) replays a game exactly.
//
// A 32-bit linear congruential generator: every draw first steps the seed to
// seed * 134775813 + 1 (mod 2^32), then scales the new seed into the range asked for.

#include <array>
#include <cstddef>
#include <cstdint>

// The generator's step: seed -> seed * kRandomMultiplier + 1 (mod 2^32).
inline constexpr uint32_t kRandomMultiplier = 134775813u;

// k + 1 steps of x -> m x + 1 are the one step x -> mul[k] x + add[k].
template <size_t N>
struct RandomJumps {
    std::array<uint32_t, N> mul{};
    std::array<uint32_t, N> add{};
};

template <size_t N>
constexpr RandomJumps<N> MakeRandomJumps() {
    RandomJumps<N> jumps;
    uint32_t mul = 1u;
    uint32_t add = 0u;
    for (size_t k = 0; k < N; ++k) {
        mul *= kRandomMultiplier;
        add = add * kRandomMultiplier + 1u;
        jumps.mul[k] = mul;
        jumps.add[k] = add;
    }
    return jumps;
}

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
    // N draws of Random(n) (n at least 1) into out, in order, exactly as N calls would give
    // them. Each of the N seeds is reached from the current one by its own jump, so the draws
    // do not wait on one another.
    template <size_t N>
    void RandomRun(int n, std::array<int, N>& out) {
        static constexpr RandomJumps<N> kJumps = MakeRandomJumps<N>();
        const uint32_t start = seed_;
        for (size_t k = 0; k < N; ++k) {
            const uint32_t seed = start * kJumps.mul[k] + kJumps.add[k];
            out[k] =
                static_cast<int>((static_cast<uint64_t>(seed) * static_cast<uint64_t>(n)) >> 32);
        }
        seed_ = start * kJumps.mul[N - 1] + kJumps.add[N - 1];
    }
    // A uniform value in [0, 1).
    double RandomFloat();
    // Moves on as `count` draws would, without computing them.
    void Skip(uint32_t count);

private:
    static constexpr uint32_t kMultiplier = kRandomMultiplier;
    void Step() { seed_ = seed_ * kMultiplier + 1u; }

    uint32_t seed_;
};
