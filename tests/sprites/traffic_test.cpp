// The traffic: the car models and their outlines, placing a level's cars, driving, steering by
// the road, leaving the track at either end, explosions, and what happens when a car meets the
// player's car or a rocket.

#include <cmath>
#include <map>
#include <set>
#include <vector>

#include "media/image_list.h"
#include "track/track_generator.h"
#include "traffic_fixture.h"

namespace {

// ---- Models ------------------------------------------------------------------------------------

// The body's axis, length and width from its four corners: the axis is the direction along
// which the corners spread most.
struct BodyShape {
    double lean;  // degrees from the vertical, positive when the lower end lies to the right
    double length;
    double width;
    double centreX;
    double centreY;
};

BodyShape ShapeOf(const CarQuadCorners& q) {
    BodyShape s{};
    for (const TPointD& c : q) {
        s.centreX += c.x / 4;
        s.centreY += c.y / 4;
    }
    double sxx = 0, syy = 0, sxy = 0;
    for (const TPointD& c : q) {
        sxx += (c.x - s.centreX) * (c.x - s.centreX);
        syy += (c.y - s.centreY) * (c.y - s.centreY);
        sxy += (c.x - s.centreX) * (c.y - s.centreY);
    }
    const double angle = 0.5 * std::atan2(2 * sxy, syy - sxx);
    s.lean = angle * 180 / 3.14159265358979;
    double along[2] = {1e9, -1e9};
    double across[2] = {1e9, -1e9};
    for (const TPointD& c : q) {
        const double u = (c.x - s.centreX) * std::sin(angle) + (c.y - s.centreY) * std::cos(angle);
        const double v = (c.x - s.centreX) * std::cos(angle) - (c.y - s.centreY) * std::sin(angle);
        along[0] = std::min(along[0], u);
        along[1] = std::max(along[1], u);
        across[0] = std::min(across[0], v);
        across[1] = std::max(across[1], v);
    }
    s.length = along[1] - along[0];
    s.width = across[1] - across[0];
    return s;
}

TEST(CarModelsTest, EveryOutlineLiesInItsPicture) {
    FakeRaceHost host;
    for (int model = 1; model <= kCarModels; ++model) {
        const TPictureItem& picture = host.list2.ByName(NameOf(CarModels[model].Image));
        EXPECT_EQ(picture.PatternCount(), 6) << model;
        for (int dir = 1; dir <= kCarDirections; ++dir) {
            for (const TPointD& c : CarCorners[model][dir]) {
                // The estate car's outline facing down and right reaches one pixel past the
                // picture's left side; every other corner lies inside.
                const double left = model == 4 && dir == kDirDownRight ? -1 : 0;
                EXPECT_GE(c.x, left) << model << "/" << dir;
                EXPECT_LT(c.x, picture.PatternWidth()) << model << "/" << dir;
                EXPECT_GE(c.y, 0) << model << "/" << dir;
                EXPECT_LT(c.y, picture.PatternHeight()) << model << "/" << dir;
            }
        }
        // The centre is where the explosion is drawn: inside the picture.
        EXPECT_LT(CarModels[model].CentreX, picture.PatternWidth());
        EXPECT_LT(CarModels[model].CentreY, picture.PatternHeight());
    }
}

// A mistyped corner shows as a body that no longer runs the way the car drives, or one whose
// length, width or middle changes with its direction.
TEST(CarModelsTest, EveryOutlineIsTheBodyTurnedTheWayItDrives) {
    constexpr double kDriftLean = 19.0 / 256 * 360;  // 26.7 degrees
    for (int model = 1; model <= kCarModels; ++model) {
        const BodyShape up = ShapeOf(CarCorners[model][kDirUp]);
        for (int dir = 1; dir <= kCarDirections; ++dir) {
            const BodyShape s = ShapeOf(CarCorners[model][dir]);
            // Dirs 1 and 6 lie along one slant of a drifting road, 2 and 5 along the other,
            // 3 and 4 straight.
            double lean = 0;
            if (dir == kDirUpLeft || dir == kDirDownRight) lean = kDriftLean;
            if (dir == kDirUpRight || dir == kDirDownLeft) lean = -kDriftLean;
            EXPECT_NEAR(s.lean, lean, 2) << model << "/" << dir;
            EXPECT_NEAR(s.length, up.length, up.length * 0.07) << model << "/" << dir;
            EXPECT_NEAR(s.width, up.width, std::max(3.0, up.width * 0.1)) << model << "/" << dir;
            EXPECT_NEAR(s.centreX, CarModels[model].CentreX, 6) << model << "/" << dir;
            EXPECT_NEAR(s.centreY, CarModels[model].CentreY, 12) << model << "/" << dir;
        }
    }
}

TEST(CarModelsTest, ModelsAreDrawnTwoTwoThreeTwoOneInTen) {
    TRandom random(12345);
    constexpr int kDraws = 200000;
    std::map<int, int> counts;
    for (int i = 0; i < kDraws; ++i) ++counts[RandomModel(random)];
    ASSERT_EQ(counts.size(), 5u);
    const double expected[6] = {0, 0.2, 0.2, 0.3, 0.2, 0.1};
    for (int model = 1; model <= 5; ++model)
        EXPECT_NEAR(counts[model] / double(kDraws), expected[model], 0.005) << model;
}

// ---- Placing -----------------------------------------------------------------------------------

// The placement read straight from the rules, slot by slot, with its own random generator.
struct PlacedCar {
    int model = 0;
    int dir = 0;
    int speed = 0;
    double x = 0;
    double y = 0;
    bool operator==(const PlacedCar&) const = default;
};

std::vector<PlacedCar> LiteralPlacement(const TrackState& track, TRandom& random) {
    const TTrackMap& map = track.TrackMap;
    const int minRow = 1536 - track.Level.TrackLength;
    const int maxRow = 1490;
    const int downOffset[6] = {0, -14, -24, 4, -18, -55};
    const int upOffset[6] = {0, -14, -24, 36, -6, -40};
    std::vector<bool> used(1501, false);
    std::vector<PlacedCar> cars(static_cast<size_t>(track.Level.CarCount) + 1);
    const int half = track.Level.CarCount / 2;
    for (int i = 1; i <= track.Level.CarCount; ++i) {
        int r = 1;
        while (r % 4 != 0 || used[static_cast<size_t>(r)])
            r = minRow + random.Random(maxRow - minRow);
        used[static_cast<size_t>(r)] = true;
        PlacedCar& car = cars[static_cast<size_t>(i)];
        if (i <= half) {
            for (int c = 1; c <= 650; ++c) {
                if (map.At(r, c) != 1) continue;
                int k = random.Random(5) + 1;
                if (k == 5) k = random.Random(2) == 0 ? 3 : 5;
                car = PlacedCar{k, 4, -5, downOffset[k] + (c + 1) * 72.0, r * 72.0};
                break;
            }
        } else {
            for (int c = 650; c >= 1; --c) {
                if (map.At(r, c) != 4) continue;
                int k = random.Random(5) + 1;
                if (k == 5) k = random.Random(2) == 0 ? 3 : 5;
                car = PlacedCar{k, 3, 6, upOffset[k] + (c - 1) * 72.0, r * 72.0};
                break;
            }
        }
    }
    return cars;
}

class PlacementTest : public ::testing::TestWithParam<int> {};

// Every level's placement, on generated roads with several seeds, matches the literal reading:
// the same rows, models and places, drawn from the generator in the same order.
TEST_P(PlacementTest, MatchesTheRulesReadLiterally) {
    const int level = GetParam();
    for (uint32_t seed : {1u, 7u, 2024u}) {
        FakeRaceHost host;
        host.random.Seed(seed);
        TTrackGenerator(*host.track, host.random).SetUpLevel(level);
        TRandom reference(host.random.SeedValue());
        const std::vector<PlacedCar> expected = LiteralPlacement(*host.track, reference);
        auto* traffic = new TCar(&host.engine, host);
        EXPECT_EQ(host.random.SeedValue(), reference.SeedValue()) << "draws, seed " << seed;
        for (int i = 1; i <= kCarSlots; ++i) {
            const TCarSlot& car = traffic->Slot(i);
            const PlacedCar actual{car.Model, car.Dir, car.Speed, car.PosX, car.PosY};
            const PlacedCar want = i < static_cast<int>(expected.size())
                                       ? expected[static_cast<size_t>(i)]
                                       : PlacedCar{};
            ASSERT_EQ(actual, want) << "level " << level << " seed " << seed << " slot " << i;
            EXPECT_EQ(car.OnScreen, car.Dir != 0);
            EXPECT_FALSE(car.Exploding);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Levels, PlacementTest, ::testing::Values(1, 2, 3, 4, 5, 6));

// Level 1: ten cars, five driving down in the second cell from the road's left edge and five
// driving up in the second cell from its right edge, each on a row of its own that is a multiple
// of 4 between the far end of the road and the start stretch.
TEST(LevelOnePlacementTest, FiveCarsEachWayOnRowsOfTheirOwn) {
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        FakeRaceHost host;
        host.random.Seed(seed);
        TTrackGenerator(*host.track, host.random).SetUpLevel(1);
        auto* traffic = new TCar(&host.engine, host);
        const TTrackMap& map = host.track->TrackMap;
        std::set<int> rows;
        int placed = 0;
        for (int i = 1; i <= kCarSlots; ++i) {
            const TCarSlot& car = traffic->Slot(i);
            if (i > 10) {
                EXPECT_EQ(car.Dir, 0) << i;
                EXPECT_EQ(car.Model, 0) << i;
                continue;
            }
            if (car.Dir == 0) continue;  // a row inside a road transition
            ++placed;
            const int row = static_cast<int>(car.PosY) / 72;
            EXPECT_EQ(row * 72.0, car.PosY);
            EXPECT_EQ(row % 4, 0) << row;
            EXPECT_GE(row, 1536 - 300);
            EXPECT_LE(row, 1489);
            EXPECT_TRUE(rows.insert(row).second) << "row " << row << " twice";
            const CarModel& model = CarModels[car.Model];
            if (i <= 5) {
                EXPECT_EQ(car.Dir, kDirDown);
                EXPECT_EQ(car.Speed, -5);
                const int col = static_cast<int>(car.PosX - model.DownLaneOffset) / 72;
                EXPECT_EQ(map.At(row, col - 1), 1) << "seed " << seed << " slot " << i;
                for (int c = 1; c < col - 1; ++c) ASSERT_NE(map.At(row, c), 1);
            } else {
                EXPECT_EQ(car.Dir, kDirUp);
                EXPECT_EQ(car.Speed, 6);
                const int col = static_cast<int>(car.PosX - model.UpLaneOffset) / 72;
                EXPECT_EQ(map.At(row, col + 1), 4) << "seed " << seed << " slot " << i;
                for (int c = col + 2; c <= kTrackCols; ++c) ASSERT_NE(map.At(row, c), 4);
            }
        }
        // Level 1's road is plain for most of its length: most cars find their edge.
        EXPECT_GE(placed, 5) << seed;
        EXPECT_EQ(traffic->RightEdgeCol, TTrackGenerator::kStartColumn + 3);
        EXPECT_EQ(map.At(1536 - 300, traffic->LeftEdgeCol), 1);
    }
}

// ---- Driving, steering, leaving the track
// --------------------------------------------------------

// Cars driving up move 3 world pixels a frame at 85 Hz, cars driving down 2.5, slanted along a
// drift by the sine and cosine of 19/256 of a turn.
TEST_F(TrafficTest, CarsMoveByTheDirectionTable) {
    struct Case {
        int dir;
        int speed;
        double dx;
        double dy;
    };
    const double s = 0.44961132;
    const double c = 0.8932243;
    // At 60 Hz every step is 85/60 as long: 4.25 pixels a frame up, 3.5416667 down.
    for (const double scale : {1.0, 85.0 / 60}) {
        host.RunAt(scale == 1.0 ? 85 : 60);
        for (const Case& k :
             {Case{kDirUp, 6, 0, -3}, Case{kDirDown, -5, 0, 2.5},
              Case{kDirUpLeft, 6, -3 * s, -3 * c}, Case{kDirUpRight, 6, 3 * s, -3 * c},
              Case{kDirDownLeft, -5, -2.5 * s, 2.5 * c},
              Case{kDirDownRight, -5, 2.5 * s, 2.5 * c}}) {
            // Off the road, so that no map code steers the car.
            TCarSlot& car = OnlyCar(1, k.dir, k.speed, 0, 100);
            car.PosX = 1000;
            const double x = car.PosX;
            const double y = car.PosY;
            for (int i = 0; i < 10; ++i) Step();
            EXPECT_NEAR(car.PosX - x, 10 * k.dx * scale, 1e-9) << k.dir << " at " << scale;
            EXPECT_NEAR(car.PosY - y, 10 * k.dy * scale, 1e-9) << k.dir << " at " << scale;
            EXPECT_EQ(car.Dir, k.dir);
        }
    }
}

TEST_F(TrafficTest, OnScreenReachesALittleBeyondThePlayArea) {
    struct Case {
        double sx;
        double sy;
        bool on;
    };
    // Positions round half to even: -170.5 is -170, -171.5 is -172.
    for (const Case& k :
         {Case{-170, 0, true}, Case{-170.5, 0, true}, Case{-170.6, 0, false}, Case{870, 0, true},
          Case{870.5, 0, true}, Case{871, 0, false}, Case{0, -240, true}, Case{0, -241, false},
          Case{0, 601, true}, Case{0, 601.5, false}}) {
        // A standing car (speed 0) keeps its place through the step.
        TCarSlot& car = OnlyCar(1, kDirUp, 0, k.sx, k.sy);
        car.OnScreen = !k.on;
        Step();
        EXPECT_EQ(car.OnScreen, k.on) << k.sx << ", " << k.sy;
    }
    // The road scrolled by (30, -20) within its cell moves every car with it: a car 200 pixels
    // left of the view's corner shows at -170, one 621 below it at 601.
    host.UseBackground(30, -20);
    for (const Case& k :
         {Case{-200, 0, true}, Case{-201, 0, false}, Case{0, 621, true}, Case{0, 622, false}}) {
        TCarSlot& car = OnlyCar(1, kDirUp, 0, k.sx, k.sy);
        car.OnScreen = !k.on;
        Step();
        EXPECT_EQ(car.OnScreen, k.on) << "scrolled " << k.sx << ", " << k.sy;
    }
}

// The map's codes under the car's middle (M) and one cell to its left (L) and right (R) turn it.
TEST_F(TrafficTest, CarsSteerByTheRoadCodesUnderThem) {
    struct Case {
        int dir;
        int left;
        int middle;
        int right;
        int result;
    };
    const Case cases[] = {
        // Driving up: the drifts' first phase and the straight road.
        {kDirUp, 15, 14, 0, kDirUpLeft},
        {kDirUp, 0, 7, 8, kDirUpRight},
        {kDirUpLeft, 0, 3, 4, kDirUp},
        {kDirUpRight, 15, 14, 0, kDirUpLeft},
        {kDirUp, 14, 15, 0, kDirUp},  // the pair the wrong way round
        {kDirUp, 9, 10, 0, kDirUp},   // the down lane's codes do not turn a car driving up
        {kDirUp, 0, 2, 0, kDirUp},
        // Driving down: the drifts' second phase and the straight road.
        {kDirDown, 9, 10, 0, kDirDownLeft},
        {kDirDown, 0, 19, 18, kDirDownRight},
        {kDirDownRight, 1, 2, 0, kDirDown},
        {kDirDownLeft, 0, 19, 18, kDirDownRight},
        {kDirDown, 15, 14, 0, kDirDown},
        {kDirDown, 0, 3, 4, kDirDown},
        {kDirDownLeft, 2, 1, 0, kDirDownLeft},
    };
    TTrackMap& map = host.track->TrackMap;
    for (const Case& k : cases) {
        // Model 1's middle is (49, 67) in its picture: the car's middle in cell (1300, 100).
        TCarSlot& car = OnlyCar(1, k.dir, 0, 0, 0);
        car.PosX = 100 * 72 + 10 - 49;
        car.PosY = 1300 * 72 + 10 - 67;
        map.Fill(0);
        map.Set(1300, 99, int8_t(k.left));
        map.Set(1300, 100, int8_t(k.middle));
        map.Set(1300, 101, int8_t(k.right));
        Step();
        EXPECT_EQ(car.Dir, k.result)
            << k.dir << ": " << k.left << " " << k.middle << " " << k.right;
    }
}

// A car driving down past the start comes back at the start driving up; one driving up past the
// far end comes back there driving down. Either way a car it lands on disappears.
TEST_F(TrafficTest, CarsLeavingTheTrackComeBackAtTheOtherEndOfTheirFlow) {
    const double startY = 1498 * 72.0;
    const double farY = (1536 - 300) * 72.0;
    const double farExit = (1535 - 300) * 72.0;

    // Exactly on the start row is still on the track.
    TCarSlot& down = OnlyCar(1, kDirDown, 0, 0, 0);
    down.PosY = startY;
    Step();
    EXPECT_EQ(down.Dir, kDirDown);
    down.Speed = -5;
    Step();
    EXPECT_EQ(down.Dir, kDirUp);
    EXPECT_EQ(down.Speed, 6);
    EXPECT_EQ(down.PosY, startY);
    EXPECT_EQ(down.PosX, CarModels[down.Model].UpLaneOffset + (kRightEdge - 1) * 72.0);
    EXPECT_TRUE(down.OnScreen);
    EXPECT_FALSE(down.Exploding);

    TCarSlot& up = OnlyCar(1, kDirUp, 0, 0, 0);
    up.PosY = farExit;
    Step();
    EXPECT_EQ(up.Dir, kDirUp);
    up.Speed = 6;
    Step();
    EXPECT_EQ(up.Dir, kDirDown);
    EXPECT_EQ(up.Speed, -5);
    EXPECT_EQ(up.PosY, farY);
    EXPECT_EQ(up.PosX, CarModels[up.Model].DownLaneOffset + (traffic->LeftEdgeCol + 1) * 72.0);
}

TEST_F(TrafficTest, ARespawnedCarRemovesTheCarsItLandsOn) {
    for (int end : {1, 2}) {
        for (TCarSlot& slot : traffic->Slots) slot = TCarSlot{};
        const double y = end == 2 ? 1498 * 72.0 : (1536 - 300) * 72.0;
        const double x = end == 2 ? (kRightEdge - 1) * 72.0 : (traffic->LeftEdgeCol + 1) * 72.0;
        // Lorries: slot 2 stands where the respawned car will be (whichever model it is),
        // slot 3 just clear of any model's outline below it, slot 4 far away.
        for (int i : {2, 3, 4}) {
            TCarSlot& other = traffic->Slot(i);
            other.Model = 5;
            other.Dir = kDirUp;
            other.Speed = 6;
            other.PosX = x - 40;
            other.PosY = y + (i == 2 ? 20 : (i == 3 ? 260 : 5000));
        }
        traffic->Slot(1).Model = 1;
        traffic->Slot(1).Dir = kDirDown;
        traffic->Respawn(1, end);
        EXPECT_EQ(traffic->Slot(1).Dir, end == 2 ? kDirUp : kDirDown);
        EXPECT_EQ(traffic->Slot(2).Dir, 0) << end;
        EXPECT_EQ(traffic->Slot(2).Speed, 0) << end;
        EXPECT_EQ(traffic->Slot(3).Dir, kDirUp) << end;
        EXPECT_EQ(traffic->Slot(4).Dir, kDirUp) << end;
        EXPECT_EQ(traffic->Slot(4).Speed, 6) << end;
    }
}

// ---- Explosions --------------------------------------------------------------------------------

class ExplosionTest : public ::testing::TestWithParam<int> {};

// 20 patterns a second: at 85 Hz (11 ms a frame) 0.22 a frame, the explosion passes 13 in the
// 60th frame; at 60 Hz (16 ms) 0.32 a frame, in the 41st.
TEST_P(ExplosionTest, AnExplosionEndsOnceItsPhasePasses13) {
    FakeRaceHost host(GetParam());
    TTrackMap& map = host.track->TrackMap;
    map.Fill(0);
    host.track->Level = LevelParamsFor(1);
    auto* traffic = new TCar(&host.engine, host);
    for (TCarSlot& slot : traffic->Slots) slot = TCarSlot{};
    TCarSlot& car = traffic->Slot(1);
    car.Model = 2;
    car.Dir = kDirDown;
    car.Speed = -5;
    car.PosX = host.track->ViewCol * 72.0 + 200;
    car.PosY = host.track->ViewRow * 72.0 + 100;
    traffic->Explode(1);
    EXPECT_EQ(car.Speed, 0);
    const double y = car.PosY;
    const int frames = GetParam() == 85 ? 60 : 41;
    for (int i = 1; i < frames; ++i) traffic->MoveStep(1);
    EXPECT_TRUE(car.Exploding);
    EXPECT_EQ(car.Dir, kDirDown);
    EXPECT_LE(car.ExplosionPhase, 13);
    EXPECT_GT(car.ExplosionPhase, 12.5);
    EXPECT_EQ(car.PosY, y);  // a wreck does not move
    traffic->MoveStep(1);
    EXPECT_FALSE(car.Exploding);
    EXPECT_EQ(car.Dir, 0);
    // An empty slot stays empty.
    for (int i = 0; i < 10; ++i) traffic->MoveStep(1);
    EXPECT_EQ(car.Dir, 0);
}

INSTANTIATE_TEST_SUITE_P(Rates, ExplosionTest, ::testing::Values(85, 60),
                         [](const auto& info) { return std::to_string(info.param) + "Hz"; });

// ---- Contact with the player's car
// ---------------------------------------------------------------

// A car coming down that the player runs into head-on is wrecked; the player loses a hit point
// and is thrown back.
TEST_F(TrafficTest, AHeadOnCrashWrecksTheOncomingCarAndCostsAHit) {
    AddPlayer();
    player->CarSpeed = 100;
    player->Velocity = 10;
    // Model 1 facing down at (350, 300): its body covers y 303..431, over the player's front.
    TCarSlot& car = OnlyCar(1, kDirDown, -5, 350, 300);
    Step();
    EXPECT_EQ(player->Energy, 2);
    EXPECT_DOUBLE_EQ(player->CarSpeed, -20);
    EXPECT_DOUBLE_EQ(player->Velocity, -2);
    EXPECT_TRUE(car.Exploding);
    EXPECT_EQ(car.Speed, 0);
    EXPECT_EQ(host.CountOf("Explosion"), 1);
    EXPECT_EQ(host.CountOf("Collision"), 1);
    // The contact counts once while the two touch.
    for (int i = 0; i < 5; ++i) Step();
    EXPECT_EQ(player->Energy, 2);
    EXPECT_EQ(host.CountOf("Collision"), 1);
}

// A car driving up that runs into the player from behind (its top lower on the screen than the
// player's) pushes the player on at 90 and costs a hit; the car drives on.
TEST_F(TrafficTest, ACarDrivingUpIntoThePlayersBackPushesItToNinety) {
    AddPlayer();
    player->CarSpeed = 30;
    TCarSlot& car = OnlyCar(1, kDirUp, 6, 350, 453);  // top 450 after the step, below Y 400
    Step();
    EXPECT_EQ(player->Energy, 2);
    EXPECT_DOUBLE_EQ(player->CarSpeed, 90);
    EXPECT_FALSE(car.Exploding);
    EXPECT_EQ(car.Speed, 6);
    EXPECT_EQ(host.CountOf("Collision"), 0);
}

// The player running into a car that drives up only slows down; the car drives on.
TEST_F(TrafficTest, RunningIntoACarDrivingUpSlowsThePlayer) {
    AddPlayer();
    player->CarSpeed = 100;
    player->Velocity = 10;
    TCarSlot& car = OnlyCar(1, kDirUp, 6, 350, 403);  // top exactly at Y 400 after the step
    Step();
    EXPECT_EQ(player->Energy, 2);
    EXPECT_DOUBLE_EQ(player->CarSpeed, 20);
    EXPECT_FALSE(car.Exploding);
    EXPECT_EQ(car.Speed, 6);
    EXPECT_EQ(host.CountOf("Collision"), 1);
    EXPECT_EQ(host.CountOf("Explosion"), 0);
}

// Which way the car drives and whether its top lies below the player's top (Y 400) decide: a car
// driving up whose top is one pixel lower pushes, an oncoming car there or a wreck standing on
// the road (speed 0) does nothing, whichever side it touches.
TEST_F(TrafficTest, ACarBelowThePlayersTopOnlyPushesWhenItDrivesUp) {
    AddPlayer();
    struct Case {
        int speed;
        int top;  // screen y of the car's picture after the step
        double carSpeed;
        int energy;
    };
    for (const Case& k :
         {Case{6, 401, 90, 2}, Case{-5, 401, 100, 3}, Case{0, 401, 100, 3}, Case{0, 400, 100, 3}}) {
        player->CarSpeed = 100;
        player->Velocity = 10;
        player->Energy = 3;
        host.sounds.clear();
        // A step moves the car by half its speed; a wreck is exploding and stands.
        TCarSlot& car =
            OnlyCar(1, k.speed < 0 ? kDirDown : kDirUp, k.speed, 350, k.top + k.speed * 0.5);
        car.Exploding = k.speed == 0;
        Step();
        ASSERT_TRUE(car.Touching) << k.speed << " at " << k.top;
        EXPECT_DOUBLE_EQ(player->CarSpeed, k.carSpeed) << k.speed << " at " << k.top;
        EXPECT_EQ(player->Energy, k.energy) << k.speed << " at " << k.top;
        EXPECT_EQ(car.Exploding, k.speed == 0) << k.speed << " at " << k.top;
        EXPECT_EQ(host.CountOf("Collision") + host.CountOf("Explosion"), 0);
    }
}

// The effects come again only after the cars have parted.
TEST_F(TrafficTest, AContactCountsOnceUntilTheCarsPart) {
    AddPlayer();
    TCarSlot& car = OnlyCar(1, kDirUp, 6, 350, 403);
    const double touching = car.PosY;
    Step();
    EXPECT_TRUE(car.Touching);
    EXPECT_EQ(player->Energy, 2);
    car.PosY = touching;
    Step();
    EXPECT_EQ(player->Energy, 2);
    car.PosY = touching - 400;  // parted
    Step();
    EXPECT_FALSE(car.Touching);
    car.PosY = touching;
    Step();
    EXPECT_EQ(player->Energy, 1);
}

// After the finish line or when the time is up, contacts still change the speeds and still wreck
// oncoming cars, but no longer cost a hit point.
TEST_F(TrafficTest, AfterTheFinishOrAtTimeUpContactsCostNoHitPoint) {
    AddPlayer();
    for (int ending = 0; ending < 2; ++ending) {
        SetCrossed(ending == 0);
        player->TimeUp = ending == 1;
        player->CarSpeed = 100;
        player->Velocity = 10;
        TCarSlot& oncoming = OnlyCar(1, kDirDown, -5, 350, 300);
        Step();
        EXPECT_TRUE(oncoming.Exploding);
        EXPECT_DOUBLE_EQ(player->CarSpeed, -20);
        TCarSlot& behind = OnlyCar(1, kDirUp, 6, 350, 453);
        Step();
        EXPECT_DOUBLE_EQ(player->CarSpeed, 90);
        EXPECT_EQ(behind.Speed, 6);
        EXPECT_EQ(player->Energy, 3) << ending;
    }
}

// A car the player is put back onto after a crash gives way: it vanishes, without a hit.
TEST_F(TrafficTest, ARespawnedPlayerRemovesTheCarItLandsOn) {
    AddPlayer();
    player->Respawned = true;
    TCarSlot& car = OnlyCar(1, kDirDown, -5, 350, 300);
    Step();
    EXPECT_EQ(car.Dir, 0);
    EXPECT_EQ(car.Speed, 0);
    EXPECT_FALSE(player->Respawned);
    EXPECT_EQ(player->Energy, 3);
    EXPECT_FALSE(car.Exploding);
}

// The car the respawned player lands on is gone at once: a rocket flying into it in the same step
// flies on, scoring nothing, where the original rule would still have wrecked the empty slot.
TEST_F(TrafficTest, ACarTheRespawnedPlayerRemovedTakesNoRocketInTheSameStep) {
    AddPlayer();
    CreateRocketPool(&host.engine, host, host.race);
    player->Respawned = true;
    TCarSlot& car = OnlyCar(1, kDirDown, -5, 350, 300);
    TRocket* rocket = host.race.RocketPool[0];
    rocket->Launch(395, 360, 0, 0);  // inside the car's body, which overlaps the player's car
    Step();
    EXPECT_EQ(car.Dir, kDirNone);
    EXPECT_TRUE(rocket->InFlight);
    EXPECT_FALSE(rocket->Detonated);
    EXPECT_EQ(host.race.Score, 0);
    EXPECT_EQ(host.CountOf("Explosion"), 0);
}

// A level with fewer free rows than cars places a car on each free row and leaves the other
// slots empty, where the original rule would draw rows for ever. Rows 1476 to 1489 hold four
// multiples of 4.
TEST_F(TrafficTest, FewerFreeRowsThanCarsLeaveTheOtherSlotsEmpty) {
    host.track->Level.TrackLength = 60;
    host.track->Level.CarCount = 10;
    traffic->PlaceTraffic();
    std::set<double> rows;
    for (int i = 1; i <= 10; ++i) {
        const TCarSlot& car = traffic->Slot(i);
        if (car.Dir == kDirNone) continue;
        const double row = car.PosY / 72;
        EXPECT_TRUE(row == 1476 || row == 1480 || row == 1484 || row == 1488) << row;
        rows.insert(row);
    }
    EXPECT_EQ(rows.size(), 4u);
}

// While the player's car explodes, and for cars off the screen, there is no contact at all.
TEST_F(TrafficTest, NoContactWithAWreckedPlayerOrOffTheScreen) {
    AddPlayer();
    player->Crashed = 1;
    TCarSlot& car = OnlyCar(1, kDirDown, -5, 350, 300);
    Step();
    EXPECT_FALSE(car.Touching);
    EXPECT_FALSE(car.Exploding);
    player->Crashed = 0;
    // Far off the screen, with the player's outline moved there too.
    TCarSlot& far = OnlyCar(1, kDirDown, -5, 350, 1300);
    player->Footprint = {TPointD{370, 1310}, TPointD{430, 1310}, TPointD{370, 1460},
                         TPointD{430, 1460}};
    Step();
    EXPECT_FALSE(far.OnScreen);
    EXPECT_EQ(player->Energy, 3);
}

// A respawn clears the traffic within 720 pixels of the car, above or below, and no further.
TEST_F(TrafficTest, ARespawnClearsTheTrafficWithin720Pixels) {
    AddPlayer();
    host.track->Level.CarCount = 6;
    for (TCarSlot& slot : traffic->Slots) slot = TCarSlot{};
    const double offsets[] = {720, 721, -720, -721, 0, 1000};
    for (int i = 1; i <= 6; ++i) {
        TCarSlot& car = traffic->Slot(i);
        car.Model = 1;
        car.Dir = kDirUp;
        car.Speed = 6;
        car.PosX = OriginX() - 2000;  // far to the side: only the height counts
        car.PosY = OriginY() + player->Y + offsets[i - 1];
    }
    player->ClearTraffic = true;
    player->MoveStep(1);
    EXPECT_FALSE(player->ClearTraffic);
    const int expected[] = {0, kDirUp, 0, kDirUp, 0, kDirUp};
    for (int i = 1; i <= 6; ++i) {
        EXPECT_EQ(traffic->Slot(i).Dir, expected[i - 1]) << offsets[i - 1];
        EXPECT_EQ(traffic->Slot(i).Speed, expected[i - 1] == 0 ? 0 : 6);
    }
}

// ---- Rockets
// -------------------------------------------------------------------------------------

// The first rocket of the pool that flies (not exploding) into a car wrecks it for 10 points and
// goes back to the pool; the others fly on.
TEST_F(TrafficTest, ARocketInsideACarWrecksItAndGoesBackToThePool) {
    CreateRocketPool(&host.engine, host, host.race);
    TCarSlot& car = OnlyCar(1, kDirDown, 0, 300, 100);  // body x 327..370, y 103..231
    TRocket* detonated = host.race.RocketPool[0];
    TRocket* first = host.race.RocketPool[1];
    TRocket* second = host.race.RocketPool[2];
    for (TRocket* rocket : {detonated, first, second}) rocket->Launch(340, 150, 0, 0);
    detonated->Detonated = true;
    detonated->WorldX = OriginX() + 340;
    detonated->WorldY = OriginY() + 150;
    Step();
    EXPECT_TRUE(car.Exploding);
    EXPECT_EQ(host.race.Score, 10);
    EXPECT_EQ(host.CountOf("Explosion"), 1);
    EXPECT_TRUE(detonated->InFlight);
    EXPECT_FALSE(first->InFlight);
    EXPECT_FALSE(first->Visible);
    EXPECT_EQ(first->Y, -1000);
    EXPECT_TRUE(second->InFlight);
    // A wreck is not hit again.
    Step();
    EXPECT_EQ(host.race.Score, 10);
    EXPECT_TRUE(second->InFlight);
}

}  // namespace
