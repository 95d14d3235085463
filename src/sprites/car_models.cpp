#include "sprites/car_models.h"

#include "core/random.h"

const std::array<CarModel, kCarModels + 1> CarModels = {
    CarModel{"Car7", -14, -14, 49, 67},   CarModel{"Car7", -14, -14, 49, 67},  // saloon
    CarModel{"Car8", -24, -24, 60, 85},                                        // van
    CarModel{"Car9", 4, 36, 17, 29},       // motorbike: it keeps to the middle of the road
    CarModel{"Car10", -18, -6, 46, 76},    // estate car
    CarModel{"Car11", -55, -40, 84, 120},  // lorry
};

namespace {

using Q = CarQuadCorners;

constexpr Q Quad(double x1, double y1, double x2, double y2, double x3, double y3, double x4,
                 double y4) {
    return Q{TPointD{x1, y1}, TPointD{x2, y2}, TPointD{x3, y3}, TPointD{x4, y4}};
}

}  // namespace

// The pictures facing straight up or down list their corners crosswise (top-left, top-right,
// bottom-left, bottom-right, or that turned round); the slanted ones follow the body's slant.
const std::array<std::array<CarQuadCorners, kCarDirections + 1>, kCarModels + 1> CarCorners = {{
    {{Quad(0, 23, 38, 0, 55, 133, 94, 113), Quad(0, 23, 38, 0, 55, 133, 94, 113),
      Quad(58, 0, 95, 18, 1, 113, 40, 132), Quad(28, 2, 67, 2, 27, 130, 69, 130),
      Quad(30, 131, 67, 131, 70, 3, 27, 3), Quad(1, 115, 37, 133, 95, 20, 57, 1),
      Quad(95, 115, 60, 133, 41, 0, 2, 19)}},
    // 1: "Car7"
    {{Quad(0, 23, 38, 0, 55, 133, 94, 113), Quad(0, 23, 38, 0, 55, 133, 94, 113),
      Quad(58, 0, 95, 18, 1, 113, 40, 132), Quad(28, 2, 67, 2, 27, 130, 69, 130),
      Quad(30, 131, 67, 131, 70, 3, 27, 3), Quad(1, 115, 37, 133, 95, 20, 57, 1),
      Quad(95, 115, 60, 133, 41, 0, 2, 19)}},
    // 2: "Car8"
    {{Quad(0, 25, 41, 0, 67, 164, 119, 137), Quad(0, 25, 41, 0, 67, 164, 119, 137),
      Quad(78, 0, 119, 24, 1, 136, 53, 165), Quad(33, 2, 89, 2, 29, 163, 89, 163),
      Quad(89, 161, 31, 161, 89, 2, 27, 2), Quad(40, 165, 0, 140, 118, 28, 67, 1),
      Quad(119, 140, 79, 165, 53, 1, 0, 28)}},
    // 3: "Car9"
    {{Quad(1, 13, 13, 6, 24, 54, 33, 48), Quad(1, 13, 13, 6, 24, 54, 33, 48),
      Quad(20, 6, 32, 13, 1, 48, 9, 53), Quad(9, 7, 24, 7, 10, 54, 22, 54),
      Quad(9, 50, 24, 50, 23, 0, 10, 0), Quad(14, 52, 1, 45, 33, 7, 24, 4),
      Quad(33, 45, 19, 52, 9, 2, 0, 12)}},
    // 4: "Car10"
    {{Quad(0, 23, 34, 0, 58, 131, 92, 109), Quad(0, 23, 34, 0, 58, 131, 92, 109),
      Quad(60, 0, 92, 23, 0, 110, 34, 131), Quad(26, 1, 70, 1, 23, 131, 68, 131),
      Quad(69, 129, 25, 129, 70, 1, 24, 1), Quad(33, 132, 0, 108, 92, 22, 58, 1),
      Quad(92, 108, 59, 132, 34, 1, -1, 22)}},
    // 5: "Car11"
    {{Quad(0, 28, 60, 0, 90, 231, 167, 192), Quad(0, 28, 60, 0, 90, 231, 167, 192),
      Quad(108, 0, 167, 30, 2, 192, 78, 230), Quad(48, 4, 120, 4, 38, 227, 126, 227),
      Quad(120, 228, 47, 228, 126, 6, 40, 6), Quad(62, 232, 0, 201, 166, 40, 87, 1),
      Quad(167, 201, 104, 232, 79, 1, 1, 40)}},
}};

int RandomModel(TRandom& random) {
    const int k = random.Random(5) + 1;
    if (k != 5) return k;
    return random.Random(2) == 0 ? 3 : 5;
}
