#include "core/random.h"

double TRandom::RandomFloat() {
    Step();
    return static_cast<double>(seed_) / 4294967296.0;
}

namespace {

// The jumps over 1 to kTabledSkips draws, ready made: the roadside pass skips the draws of the
// empty land either side of the road, up to a row's width, twice a row.
constexpr uint32_t kTabledSkips = 1024;
constexpr RandomJumps<kTabledSkips> kSkips = MakeRandomJumps<kTabledSkips>();

}  // namespace

// n steps of x -> m x + 1 form one step x -> M x + A. Beyond the table it is built from the
// steps of 1, 2, 4, ... draws, each the previous one applied twice.
void TRandom::Skip(uint32_t count) {
    if (count == 0) return;
    if (count <= kTabledSkips) {
        seed_ = seed_ * kSkips.mul[count - 1] + kSkips.add[count - 1];
        return;
    }
    uint32_t stepMul = kMultiplier;
    uint32_t stepAdd = 1u;
    uint32_t mul = 1u;
    uint32_t add = 0u;
    while (count != 0) {
        if ((count & 1u) != 0) {
            mul *= stepMul;
            add = add * stepMul + stepAdd;
        }
        stepAdd = stepAdd * stepMul + stepAdd;
        stepMul *= stepMul;
        count >>= 1;
    }
    seed_ = seed_ * mul + add;
}
