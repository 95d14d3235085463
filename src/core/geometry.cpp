#include "core/geometry.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kDegreesPerRadian = 57.295779513082320877;
// The angles seen from inside add up to 360 degrees; the tolerance also takes points a hair
// outside an edge.
constexpr double kInsideSum = 355.0;

struct UnitVector {
    double x;
    double y;
};

// Angle between two unit vectors in degrees, 0..180. Rounding can push the dot product a hair
// past +-1, which must not reach the square root.
double AngleBetween(UnitVector a, UnitVector b) {
    const double dot = std::clamp(a.x * b.x + a.y * b.y, -1.0, 1.0);
    return std::atan2(std::sqrt(1.0 - dot * dot), dot) * kDegreesPerRadian;
}

}  // namespace

bool PointInQuad(TPointD p, TPointD q1, TPointD q2, TPointD q3, TPointD q4) {
    const TPointD corners[4] = {q1, q2, q3, q4};
    UnitVector units[4];
    for (int k = 0; k < 4; ++k) {
        const double dx = corners[k].x - p.x;
        const double dy = corners[k].y - p.y;
        const double length = std::sqrt(dx * dx + dy * dy);
        // A point on a corner has no direction to it; it touches the shape, so it is inside.
        if (length == 0.0) return true;
        units[k] = {dx / length, dy / length};
    }
    const double sum = AngleBetween(units[0], units[1]) + AngleBetween(units[1], units[2]) +
                       AngleBetween(units[2], units[3]) + AngleBetween(units[3], units[0]);
    return sum >= kInsideSum;
}

bool QuadsOverlap(const TPointD a[4], const TPointD b[4]) {
    for (int k = 0; k < 4; ++k) {
        if (PointInQuad(b[k], a[0], a[1], a[2], a[3])) return true;
    }
    for (int k = 0; k < 4; ++k) {
        if (PointInQuad(a[k], b[0], b[1], b[2], b[3])) return true;
    }
    return false;
}
