#include "core/geometry.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>

namespace {

using Quad = std::array<TPointD, 4>;

// A rectangle of half sizes (halfWidth, halfHeight) turned by `degrees` about its centre.
struct Rect {
    double cx = 0;
    double cy = 0;
    double halfWidth = 2;
    double halfHeight = 1;
    double degrees = 0;

    // A point given in the rectangle's own axes.
    TPointD Local(double x, double y) const {
        const double a = degrees * std::numbers::pi / 180.0;
        return {cx + x * std::cos(a) - y * std::sin(a), cy + x * std::sin(a) + y * std::cos(a)};
    }
    // The order of the game's corner tables: left top, right top, left bottom, right bottom.
    Quad Crosswise() const {
        return {Local(-halfWidth, -halfHeight), Local(halfWidth, -halfHeight),
                Local(-halfWidth, halfHeight), Local(halfWidth, halfHeight)};
    }
    // Around the outline: left top, right top, right bottom, left bottom.
    Quad AroundOutline() const {
        const Quad q = Crosswise();
        return {q[0], q[1], q[3], q[2]};
    }
};

bool Inside(TPointD p, const Quad& q) {
    return PointInQuad(p, q[0], q[1], q[2], q[3]);
}

// Rectangles of 4 by 2, at several turns and places.
class RotatedRectangle : public ::testing::TestWithParam<double> {
protected:
    Rect rect_{300.5, -120.25, 2, 1, GetParam()};
};

INSTANTIATE_TEST_SUITE_P(Turns, RotatedRectangle,
                         ::testing::Values(0.0, 30.0, 90.0, 135.0, 200.0, 333.3));

TEST_P(RotatedRectangle, PointsInsideAreInsideInBothCornerOrders) {
    for (const auto& [x, y] : {std::pair{0.0, 0.0}, std::pair{1.9, 0.9}, std::pair{-1.9, -0.9},
                               std::pair{-1.9, 0.9}, std::pair{1.0, -0.5}}) {
        EXPECT_TRUE(Inside(rect_.Local(x, y), rect_.Crosswise())) << x << "," << y;
        EXPECT_TRUE(Inside(rect_.Local(x, y), rect_.AroundOutline())) << x << "," << y;
    }
}

TEST_P(RotatedRectangle, PointsOnTheOutlineAreInside) {
    for (const auto& [x, y] :
         {std::pair{2.0, 0.0}, std::pair{-2.0, 0.5}, std::pair{0.0, 1.0}, std::pair{1.5, -1.0}}) {
        EXPECT_TRUE(Inside(rect_.Local(x, y), rect_.Crosswise())) << x << "," << y;
        EXPECT_TRUE(Inside(rect_.Local(x, y), rect_.AroundOutline())) << x << "," << y;
    }
}

// A point on a corner has no direction to that corner; it touches the shape.
TEST_P(RotatedRectangle, CornersAreInside) {
    for (const TPointD& corner : rect_.Crosswise()) {
        EXPECT_TRUE(Inside(corner, rect_.Crosswise()));
        EXPECT_TRUE(Inside(corner, rect_.AroundOutline()));
    }
}

TEST_P(RotatedRectangle, PointsBeyondTheEndsAreOutside) {
    for (const auto& [x, y] : {std::pair{2.1, 0.0}, std::pair{-2.1, 0.5}, std::pair{3.0, 0.0},
                               std::pair{2.2, 1.2}, std::pair{0.0, 3.0}, std::pair{40.0, -7.0}}) {
        EXPECT_FALSE(Inside(rect_.Local(x, y), rect_.Crosswise())) << x << "," << y;
        EXPECT_FALSE(Inside(rect_.Local(x, y), rect_.AroundOutline())) << x << "," << y;
    }
}

// The angles add up to 360 degrees inside; from 355 on counts, which takes in a thin band
// outside the long sides.
TEST_P(RotatedRectangle, ToleranceTakesInAHairOutsideTheOutline) {
    EXPECT_TRUE(Inside(rect_.Local(0.0, 1.03), rect_.AroundOutline()));  // 356.6 degrees
    EXPECT_FALSE(Inside(rect_.Local(0.0, 1.1), rect_.AroundOutline()));  // 348.6 degrees
    EXPECT_FALSE(Inside(rect_.Local(0.0, -1.1), rect_.AroundOutline()));
}

// Listed crosswise, the corners outline a bow tie whose angles also add up beyond the long
// sides: the game's collisions reach further there.
TEST_P(RotatedRectangle, CrosswiseOrderReachesBeyondTheLongSides) {
    for (const double y : {1.1, 1.5, -1.5, 2.2}) {
        EXPECT_TRUE(Inside(rect_.Local(0.0, y), rect_.Crosswise())) << y;
        EXPECT_FALSE(Inside(rect_.Local(0.0, y), rect_.AroundOutline())) << y;
    }
    EXPECT_FALSE(Inside(rect_.Local(0.0, 2.4), rect_.Crosswise()));
}

TEST(PointInQuad, DegenerateInputsGiveAnAnswer) {
    const TPointD p{1, 1};
    EXPECT_TRUE(PointInQuad(p, p, p, p, p));
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Quad q = Rect{}.Crosswise();
    EXPECT_FALSE(Inside({nan, 0}, q));
    EXPECT_FALSE(Inside({0, 0}, {TPointD{nan, nan}, q[1], q[2], q[3]}));
    // Very small shapes still work.
    const Quad tiny = Rect{1e-9, 1e-9, 1e-12, 1e-12, 45}.Crosswise();
    EXPECT_TRUE(Inside({1e-9, 1e-9}, tiny));
    EXPECT_FALSE(Inside({1e6, 1e6}, tiny));
}

// ------------------------------------------------------------------------------------------------

bool Overlap(const Quad& a, const Quad& b) {
    return QuadsOverlap(a.data(), b.data());
}

TEST(QuadsOverlap, CornerInsideEitherShapeIsAHit) {
    const Quad big = Rect{0, 0, 10, 5, 20}.Crosswise();
    const Quad small = Rect{1, 1, 1, 0.5, 70}.Crosswise();  // wholly inside big
    EXPECT_TRUE(Overlap(big, small));
    EXPECT_TRUE(Overlap(small, big));
    const Quad corner = Rect{10, 5, 2, 2, 0}.Crosswise();  // its left top corner inside big
    EXPECT_TRUE(Overlap(big, corner));
    EXPECT_TRUE(Overlap(corner, big));
    EXPECT_TRUE(Overlap(big, big));
}

TEST(QuadsOverlap, SeparateShapesDoNotOverlap) {
    const Quad a = Rect{0, 0, 2, 1, 0}.Crosswise();
    const Quad b = Rect{6, 0, 2, 1, 45}.Crosswise();
    EXPECT_FALSE(Overlap(a, b));
    EXPECT_FALSE(Overlap(b, a));
    const Quad farAway = Rect{0, 100, 2, 1, 10}.Crosswise();
    EXPECT_FALSE(Overlap(a, farAway));
}

// Shapes that only meet at a corner touch.
TEST(QuadsOverlap, SharedCornerIsAHit) {
    const Quad a = Rect{0, 0, 1, 1, 0}.Crosswise();
    const Quad b = Rect{2, 2, 1, 1, 0}.Crosswise();
    EXPECT_TRUE(Overlap(a, b));
    EXPECT_TRUE(Overlap(b, a));
}

// Only corners count: two bars crossing like a plus sign, listed around their outlines, have
// no corner inside the other.
TEST(QuadsOverlap, OnlyCornersAreTested) {
    const Quad across = Rect{0, 0, 5, 0.5, 0}.AroundOutline();
    const Quad upright = Rect{0, 0, 0.5, 5, 0}.AroundOutline();
    EXPECT_FALSE(Overlap(across, upright));
    EXPECT_FALSE(Overlap(upright, across));
}

TEST(QuadsOverlap, TheAnswerDoesNotDependOnTheOrderOfTheShapes) {
    uint32_t seed = 7;
    auto next = [&seed](double range) {
        seed = seed * 134775813u + 1u;
        return (static_cast<double>(seed) / 4294967296.0 - 0.5) * range;
    };
    int hits = 0;
    for (int k = 0; k < 500; ++k) {
        const Quad a =
            Rect{next(8), next(8), 1 + std::abs(next(4)), 0.5 + std::abs(next(2)), next(720)}
                .Crosswise();
        const Quad b =
            Rect{next(8), next(8), 1 + std::abs(next(4)), 0.5 + std::abs(next(2)), next(720)}
                .Crosswise();
        const bool ab = Overlap(a, b);
        EXPECT_EQ(ab, Overlap(b, a)) << k;
        hits += ab ? 1 : 0;
    }
    // Both answers occur among the pairs.
    EXPECT_GT(hits, 50);
    EXPECT_LT(hits, 450);
}

}  // namespace
