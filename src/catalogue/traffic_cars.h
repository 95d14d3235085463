#pragma once
// The five traffic models as drawn: for each its picture, its middle in that picture, and its
// collision outline for each of the six directions it can face. The game tests collisions with
// these outlines and centres explosions and steering on the middle; the asset generator draws
// every body to fill its outline. Both read this one table.

#include <array>

#include "catalogue/pictures.h"
#include "core/geometry.h"

constexpr int kTrafficModels = 5;
constexpr int kTrafficDirections = 6;

// Four corners in pixels from the pattern's top-left, in the order the collision tests take them.
// The pictures facing straight up or down list their corners crosswise (top-left, top-right,
// bottom-left, bottom-right, or that turned round); the slanted ones follow the body's slant.
using TrafficOutline = std::array<TPointD, 4>;

struct TrafficCarArt {
    Picture Image;  // one pattern per direction, in the order of the directions
    // The car's middle in its pattern: where the map is read for steering and where an explosion
    // is centred.
    int CentreX;
    int CentreY;
    // By direction less one: up-left, up-right, up, down, down-left, down-right.
    std::array<TrafficOutline, kTrafficDirections> Outlines;
};

namespace traffic_art {
constexpr TrafficOutline Quad(double x1, double y1, double x2, double y2, double x3, double y3,
                              double x4, double y4) {
    return {TPointD{x1, y1}, TPointD{x2, y2}, TPointD{x3, y3}, TPointD{x4, y4}};
}
}  // namespace traffic_art

// By model less one: the saloon, the van, the motorbike, the estate car and the lorry.
inline constexpr std::array<TrafficCarArt, kTrafficModels> kTrafficCars = {{
    {Picture::Car7,
     49,
     67,
     {traffic_art::Quad(0, 23, 38, 0, 55, 133, 94, 113),
      traffic_art::Quad(58, 0, 95, 18, 1, 113, 40, 132),
      traffic_art::Quad(28, 2, 67, 2, 27, 130, 69, 130),
      traffic_art::Quad(30, 131, 67, 131, 70, 3, 27, 3),
      traffic_art::Quad(1, 115, 37, 133, 95, 20, 57, 1),
      traffic_art::Quad(95, 115, 60, 133, 41, 0, 2, 19)}},
    {Picture::Car8,
     60,
     85,
     {traffic_art::Quad(0, 25, 41, 0, 67, 164, 119, 137),
      traffic_art::Quad(78, 0, 119, 24, 1, 136, 53, 165),
      traffic_art::Quad(33, 2, 89, 2, 29, 163, 89, 163),
      traffic_art::Quad(89, 161, 31, 161, 89, 2, 27, 2),
      traffic_art::Quad(40, 165, 0, 140, 118, 28, 67, 1),
      traffic_art::Quad(119, 140, 79, 165, 53, 1, 0, 28)}},
    {Picture::Car9,
     17,
     29,
     {traffic_art::Quad(1, 13, 13, 6, 24, 54, 33, 48),
      traffic_art::Quad(20, 6, 32, 13, 1, 48, 9, 53),
      traffic_art::Quad(9, 7, 24, 7, 10, 54, 22, 54),
      traffic_art::Quad(9, 50, 24, 50, 23, 0, 10, 0),
      traffic_art::Quad(14, 52, 1, 45, 33, 7, 24, 4),
      traffic_art::Quad(33, 45, 19, 52, 9, 2, 0, 12)}},
    // Its up-right outline reaches one pixel left of the pattern.
    {Picture::Car10,
     46,
     76,
     {traffic_art::Quad(0, 23, 34, 0, 58, 131, 92, 109),
      traffic_art::Quad(60, 0, 92, 23, 0, 110, 34, 131),
      traffic_art::Quad(26, 1, 70, 1, 23, 131, 68, 131),
      traffic_art::Quad(69, 129, 25, 129, 70, 1, 24, 1),
      traffic_art::Quad(33, 132, 0, 108, 92, 22, 58, 1),
      traffic_art::Quad(92, 108, 59, 132, 34, 1, -1, 22)}},
    {Picture::Car11,
     84,
     120,
     {traffic_art::Quad(0, 28, 60, 0, 90, 231, 167, 192),
      traffic_art::Quad(108, 0, 167, 30, 2, 192, 78, 230),
      traffic_art::Quad(48, 4, 120, 4, 38, 227, 126, 227),
      traffic_art::Quad(120, 228, 47, 228, 126, 6, 40, 6),
      traffic_art::Quad(62, 232, 0, 201, 166, 40, 87, 1),
      traffic_art::Quad(167, 201, 104, 232, 79, 1, 1, 40)}},
}};
