#include "sprites/car_models.h"

#include "core/random.h"

namespace {

// Where each model stands in its lane: added to the lane cell's left side in the down lane and in
// the up lane. The motorbike keeps to the middle of the road.
struct LanePlace {
    int Down;
    int Up;
};
constexpr std::array<LanePlace, kCarModels> kLanePlaces = {{
    {-14, -14},  // saloon
    {-24, -24},  // van
    {4, 36},     // motorbike
    {-18, -6},   // estate car
    {-55, -40},  // lorry
}};

// Model 1..5 (0 and any stray number: model 1) as the catalogue's index.
constexpr size_t ArtIndex(int model) {
    return static_cast<size_t>(model >= 1 && model <= kCarModels ? model - 1 : 0);
}

constexpr std::array<CarModel, kCarModels + 1> BuildModels() {
    std::array<CarModel, kCarModels + 1> models{};
    for (int model = 0; model <= kCarModels; ++model) {
        const TrafficCarArt& art = kTrafficCars[ArtIndex(model)];
        const LanePlace& lane = kLanePlaces[ArtIndex(model)];
        models[static_cast<size_t>(model)] = {art.Image, lane.Down, lane.Up, art.CentreX,
                                              art.CentreY};
    }
    return models;
}

constexpr std::array<std::array<CarQuadCorners, kCarDirections + 1>, kCarModels + 1>
BuildCorners() {
    std::array<std::array<CarQuadCorners, kCarDirections + 1>, kCarModels + 1> corners{};
    for (int model = 0; model <= kCarModels; ++model) {
        for (int dir = 0; dir <= kCarDirections; ++dir) {
            const size_t outline = static_cast<size_t>(dir >= 1 ? dir - 1 : 0);
            corners[static_cast<size_t>(model)][static_cast<size_t>(dir)] =
                kTrafficCars[ArtIndex(model)].Outlines[outline];
        }
    }
    return corners;
}

}  // namespace

const std::array<CarModel, kCarModels + 1> CarModels = BuildModels();

const std::array<std::array<CarQuadCorners, kCarDirections + 1>, kCarModels + 1> CarCorners =
    BuildCorners();

int RandomModel(TRandom& random) {
    const int k = random.Random(5) + 1;
    if (k != 5) return k;
    return random.Random(2) == 0 ? 3 : 5;
}
