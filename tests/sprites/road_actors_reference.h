#pragma once
// The placement of the crowd and of the bonuses read straight from the rules, slot by slot, with
// a random generator of their own, to compare with the game's; and a way to make the generator
// give a chosen draw next.

#include <array>
#include <cstdint>
#include <set>

#include "core/random.h"
#include "track/track_map.h"

struct LiteralMan {
    bool alive = false;
    bool girl = false;
    double x = 0;
    double y = 0;
    int dir = 0;
    int speed = 0;
    double phase = 0;
    bool operator==(const LiteralMan&) const = default;
};

inline std::array<LiteralMan, 601> LiteralCrowd(const TTrackMap& map, int trackLength,
                                                TRandom& random) {
    const std::set<int> pavement = {23, 24, 25, 26, 27, 28, 29, 58, 60};
    std::array<LiteralMan, 601> men{};
    int slot = 1;
    for (int pass = 1; pass <= 2; ++pass) {
        for (int l = 1500 - trackLength; l <= 1490; ++l) {
            if (l % 5 != 0) continue;
            LiteralMan& man = men[static_cast<size_t>(slot)];
            ++slot;
            int c = 0;
            for (int col = 50; col <= 600; ++col) {
                const int code = map.At(l, col);
                if (pass == 1 && code == 1) {
                    c = col;
                    break;
                }
                if (pass == 2 && code == 4 && map.At(l, col + 1) != 1) {
                    c = col;
                    break;
                }
            }
            if (c == 0) continue;
            const int r = random.Random(20);
            const int from = pass == 1 ? c - r : c + 1;
            const int to = pass == 1 ? c - 1 : c + r;
            for (int m = from; m <= to; ++m) {
                const int code = map.At(l, m);
                if (pavement.count(code) == 0) continue;
                man.alive = true;
                man.girl = random.Random(2) == 1;
                man.x = m * 72 + 36;
                man.y = l * 72;
                if (code == 23) {
                    man.dir = 3 + random.Random(2);
                } else if (code == 24) {
                    man.dir = 1 + random.Random(2);
                } else if (code == 25) {
                    man.dir = 1 + random.Random(4);
                } else if (code == 26) {
                    man.dir = 2;
                } else if (code == 27) {
                    man.dir = 1;
                } else {
                    man.dir = 3;
                }
                man.speed = 3 + random.Random(3);
                man.phase = random.Random(4);
                break;
            }
        }
    }
    return men;
}

struct LiteralBonus {
    bool active = false;
    int col = 0;
    int row = 0;
    int kind = 0;
    bool operator==(const LiteralBonus&) const = default;
};

inline std::array<LiteralBonus, 401> LiteralBonuses(const TTrackMap& map, int trackLength,
                                                    int bonusCount, TRandom& random) {
    std::array<LiteralBonus, 401> bonuses{};
    int lives = 0;
    for (int s = 1; s <= bonusCount; ++s) {
        LiteralBonus& bonus = bonuses[static_cast<size_t>(s)];
        const int r = (1549 - trackLength) + random.Random(trackLength - 54);
        for (int col = 1; col <= 650; ++col) {
            if (map.At(r, col) != 1) continue;
            bonus.active = true;
            bonus.col = col + 1 + random.Random(2);
            bonus.row = r;
            if (lives < 2) {
                bonus.kind = 1 + random.Random(8);
            } else {
                do {
                    bonus.kind = 1 + random.Random(8);
                } while (bonus.kind == 5);
            }
            if (bonus.kind == 5) ++lives;
        }
    }
    return bonuses;
}

// The seed after which the next Random(n) answers value, once `earlier` other draws have been
// taken.
inline uint32_t SeedBefore(int n, int value, int earlier = 0) {
    // The generator steps seed -> seed * m + 1 and answers (seed * n) >> 32; the inverse of the
    // odd multiplier undoes the step.
    uint32_t inverse = kRandomMultiplier;
    for (int k = 0; k < 5; ++k) inverse *= 2u - kRandomMultiplier * inverse;
    const uint64_t next = ((static_cast<uint64_t>(value) << 32) + static_cast<uint64_t>(n) - 1) /
                          static_cast<uint64_t>(n);
    uint32_t seed = static_cast<uint32_t>(next);
    for (int k = 0; k <= earlier; ++k) seed = (seed - 1u) * inverse;
    return seed;
}
