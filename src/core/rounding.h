#pragma once
// The two roundings the game uses: Round to the nearest integer with halves to even, and Trunc
// toward zero.

#include <cmath>

inline int Round(double v) {
    return static_cast<int>(std::nearbyint(v));
}
inline int Trunc(double v) {
    return static_cast<int>(v);
}
