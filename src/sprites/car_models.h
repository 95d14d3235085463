#pragma once
// The five kinds of traffic car: their pictures, how often each is chosen, where each stands in
// its lane, its centre, and its outline for every direction it can face. Every picture has six
// patterns, one per direction, in the order of the directions below. The pictures, centres and
// outlines are the catalogue's (catalogue/traffic_cars.h); the lanes and the choice are the
// traffic's own.

#include <array>

#include "catalogue/traffic_cars.h"
#include "core/geometry.h"

class TRandom;

constexpr int kCarModels = kTrafficModels;
constexpr int kCarDirections = kTrafficDirections;

// The directions a traffic car can face; the picture's pattern is the direction less one.
enum CarDirection {
    kDirNone = 0,  // no car in the slot
    kDirUpLeft = 1,
    kDirUpRight = 2,
    kDirUp = 3,
    kDirDown = 4,
    kDirDownLeft = 5,
    kDirDownRight = 6,
};

// The sine and cosine of 19/256 of a turn: the slant of a car following a drifting road.
constexpr double kSlantSin = 0.44961132;
constexpr double kSlantCos = 0.8932243;

struct CarModel {
    Picture Image;  // in image list 2
    // Added to the lane cell's left side: the picture's x in the down lane and in the up lane.
    int DownLaneOffset;
    int UpLaneOffset;
    // The car's middle in its picture: where the map is read for steering and where an
    // explosion is centred.
    int CentreX;
    int CentreY;
};

// Indexed by the model 1..5 (entry 0 is the first model again, so that a stray number never
// reads outside the table).
extern const std::array<CarModel, kCarModels + 1> CarModels;

// The outline of every model facing every direction: four corners in pixels from the picture's
// top-left, in the order the collision tests take them. Indexed [model][dir], both from 1 (row 0
// repeats the first model, and entry 0 of every row repeats its up-left outline).
using CarQuadCorners = TrafficOutline;
extern const std::array<std::array<CarQuadCorners, kCarDirections + 1>, kCarModels + 1> CarCorners;

// A model for a new car: 1, 2 and 4 two times in ten each, 3 (the motorbike) three times in ten
// and 5 (the lorry) once in ten.
int RandomModel(TRandom& random);

// The model as a table index.
constexpr int ModelIndex(int model) {
    return model >= 1 && model <= kCarModels ? model : 0;
}
