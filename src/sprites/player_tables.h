#pragma once
// The measures that differ between the six cars, indexed by the car number 1..6 (index 0 is the
// first car again, so that a stray number never reads outside a table).

#include <array>

struct WreckHalfSize {
    double HalfWidth;
    double HalfHeight;
};

// The width of the body the car's outline is built from; narrower than the picture, whose sides
// hold mirrors and shadow.
constexpr std::array<double, 7> FootWidth = {65, 65, 62, 70, 63, 60, 62};
// How far out the outline's corners lie, as a share of the corner distance.
constexpr std::array<double, 7> CornerScale = {0.95, 0.95, 0.94, 0.95, 0.92, 0.95, 0.92};
// The burnt-out body drawn under the explosion.
constexpr std::array<WreckHalfSize, 7> WreckSize = {
    WreckHalfSize{32, 78}, {32, 78}, {31, 74}, {41, 78}, {31, 67}, {34, 77}, {32, 72}};
// Where the mounted weapon sits along the roof, as a share of the weapon picture's height.
constexpr std::array<double, 7> GunPivot = {0.23, 0.23, 0.2, 0.28, 0.36, 0.25, 0.22};
// The extra shift of the firing gun's picture.
constexpr std::array<double, 7> GunShootPivot = {0.185, 0.185, 0.202, 0.17, 0.175, 0.18, 0.2};

// The car number as a table index.
constexpr int CarIndex(int car) {
    return car >= 1 && car <= 6 ? car : 0;
}
