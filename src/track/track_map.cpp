#include "track/track_map.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

int ClampToInt(int64_t v) {
    return static_cast<int>(
        std::clamp<int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

}  // namespace

int MapIndexOf(double v) {
    // World coordinates far beyond the map (or not a number at all) still give a defined cell
    // index; the callers look it up through TTrackMap, which answers for cells outside the grid.
    if (std::isnan(v)) return 0;
    constexpr double kLimit = 1e15;
    const double clamped = std::clamp(v, -kLimit, kLimit);
    // Round to nearest with halves to even, then divide truncating toward zero.
    const auto rounded = static_cast<int64_t>(std::nearbyint(clamped));
    return ClampToInt(rounded / kCellSize);
}

int MapCodeAt(const TTrackMap& map, double x, double y) {
    return map.At(MapIndexOf(y), MapIndexOf(x));
}

LevelParams LevelParamsFor(int level) {
    // Worked in 64 bits so that no level number, however absurd, overflows.
    const int64_t l = level;
    const int64_t trackLength = l <= 5 ? 200 * l + 100 : 1300;
    // 18 seconds per hundred rows; from level 8 on every level takes ten seconds off, down to a
    // floor of one minute.
    int64_t timeLeft = (trackLength / 100) * 18000;
    if (l > 7) timeLeft = std::max<int64_t>(timeLeft - (l - 7) * 10000, 60000);
    // The bonus table has 400 slots: once ten per level would pass 200, all of them are used.
    const int64_t bonusCount = 10 * l > 200 ? 400 : 10 * l;
    const int64_t carCount = 10 * std::min<int64_t>(l * l, 20);  // at most 200

    LevelParams params;
    params.LevelNumber = level;
    params.TrackLength = ClampToInt(trackLength);
    params.TimeLeft = ClampToInt(timeLeft);
    params.BonusCount = ClampToInt(bonusCount);
    params.CarCount = ClampToInt(carCount);
    return params;
}
