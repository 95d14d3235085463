// The pedestrians: placing the crowd from the map, the walking rule, the border, running over,
// rockets, the horn and the gun.

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "fake_race_host.h"
#include "road_actors_reference.h"
#include "sprites/crowd.h"
#include "sprites/player.h"
#include "sprites/rocket.h"
#include "track/track_generator.h"

namespace {

class CrowdTest : public ::testing::Test {
protected:
    void SetUp() override {
        host.GroundLevelOneAt(318, 1400);
        crowd = new TMan(&host.engine, host);
        host.race.Crowd = crowd;
    }
    double OriginX() const { return host.track->ViewCol * 72.0; }
    double OriginY() const { return host.track->ViewRow * 72.0; }
    // A pedestrian whose picture's top-left corner is at the screen point (sx, sy).
    TManSlot& Put(int i, int dir, double sx, double sy, int speed = 4, bool girl = false) {
        TManSlot& man = crowd->Slot(i);
        man = TManSlot{};
        man.Alive = true;
        man.IsGirl = girl;
        man.Dir = man.NextDir = static_cast<uint8_t>(dir);
        man.Speed = speed;
        man.PosX = OriginX() + sx + 27;
        man.PosY = OriginY() + sy + 27;
        man.OnScreen = true;
        return man;
    }
    void Clear() {
        for (TManSlot& man : crowd->Slots) man = TManSlot{};
    }
    // The player's car "Car1", 64 by 156, at (365, 400), driving at 100.
    TPlayer* AddPlayer() {
        player = new TPlayer(&host.engine, host, 1);
        host.race.Player = player;
        player->CarSpeed = 100;
        player->Velocity = 10;
        return player;
    }
    void SetCell(int row, int col, int code) {
        host.track->TrackMap.Set(row, col, static_cast<int8_t>(code));
    }
    void Step() { crowd->MoveStep(1); }

    FakeRaceHost host;
    TMan* crowd = nullptr;  // owned by the engine
    TPlayer* player = nullptr;
};

// ---- Placing -----------------------------------------------------------------------------------

class CrowdPlacementTest : public ::testing::TestWithParam<int> {};

// On generated roads, every slot matches the rules read literally, drawn in the same order.
TEST_P(CrowdPlacementTest, MatchesTheRulesReadLiterally) {
    for (uint32_t seed : {1u, 9u, 4242u}) {
        FakeRaceHost host;
        host.random.Seed(seed);
        TTrackGenerator(*host.track, host.random).SetUpLevel(GetParam());
        TRandom reference(host.random.SeedValue());
        const auto expected =
            LiteralCrowd(host.track->TrackMap, host.track->Level.TrackLength, reference);
        const auto* crowd = new TMan(&host.engine, host);
        EXPECT_EQ(host.random.SeedValue(), reference.SeedValue()) << "draws, seed " << seed;
        int placed = 0;
        for (int i = 1; i <= kManSlots; ++i) {
            const TManSlot& man = crowd->Slot(i);
            const LiteralMan actual{
                man.Alive, man.IsGirl, man.PosX, man.PosY, man.Alive ? man.Dir : 0,
                man.Speed, man.Phase};
            ASSERT_EQ(actual, expected[static_cast<size_t>(i)]) << "seed " << seed << " slot " << i;
            EXPECT_EQ(man.NextDir, man.Dir);
            EXPECT_TRUE(man.OnScreen);
            EXPECT_EQ(man.ScareTime, 0);
            placed += man.Alive ? 1 : 0;
        }
        EXPECT_GT(placed, host.track->Level.TrackLength / 10) << "seed " << seed;
    }
}

INSTANTIATE_TEST_SUITE_P(Levels, CrowdPlacementTest, ::testing::Values(1, 3, 6));

// A kerb and pavement on every row: each fifth row takes one slot per side whether or not anybody
// is placed, so the longest road (rows 200 to 1490) uses slots 1 to 259 on the left and 260 to
// 518 on the right. A road of 10 rows has one row per side, and one of 9 rows none at all.
TEST_F(CrowdTest, EveryFifthRowTakesASlotPerSideUpTo518) {
    for (int r = 1; r <= kTrackRows; ++r) {
        SetCell(r, 100, 1);
        for (int c = 81; c <= 99; ++c) SetCell(r, c, 23);
        SetCell(r, 104, 4);
        for (int c = 105; c <= 123; ++c) SetCell(r, c, 24);
    }
    host.track->Level = LevelParamsFor(6);
    ASSERT_EQ(host.track->Level.TrackLength, 1300);
    int lastAlive = 0;
    for (uint32_t seed : {3u, 17u}) {
        host.random.Seed(seed);
        crowd->PlaceCrowd();
        for (int i = 1; i <= kManSlots; ++i) {
            const TManSlot& man = crowd->Slot(i);
            if (!man.Alive) continue;
            lastAlive = std::max(lastAlive, i);
            const bool left = i <= 259;
            EXPECT_EQ(man.PosY, (200 + 5 * (left ? i - 1 : i - 260)) * 72.0) << i;
            const int col = static_cast<int>(man.PosX) / 72;
            EXPECT_EQ(man.PosX, col * 72 + 36);
            EXPECT_TRUE(left ? col >= 81 && col <= 99 : col == 105) << i << " at " << col;
        }
    }
    EXPECT_LE(lastAlive, 518);
    EXPECT_GT(lastAlive, 500);

    host.track->Level.TrackLength = 10;
    crowd->PlaceCrowd();
    for (int i = 1; i <= kManSlots; ++i) {
        EXPECT_TRUE(!crowd->Slot(i).Alive || i == 1 || i == 2) << i;
    }
    host.track->Level.TrackLength = 9;
    const uint32_t before = host.random.SeedValue();
    crowd->PlaceCrowd();
    EXPECT_EQ(host.random.SeedValue(), before);
    for (int i = 1; i <= kManSlots; ++i) EXPECT_FALSE(crowd->Slot(i).Alive);
}

// The window beside the kerb is scanned from its left end: on the left-hand pavement the
// pedestrian stands on its pavement cell farthest from the road, on the right-hand one on the
// nearest. A window width of 0 places nobody; a cell 4 followed by a 1 (between parallel roads)
// is no kerb for the right-hand side.
TEST_F(CrowdTest, TheWindowBesideTheKerbDecidesWhereThePedestrianStands) {
    host.track->Level.TrackLength = 10;  // row 1490 only
    struct Case {
        bool left;
        int width;
        int col;  // 0: nobody
    };
    for (const Case& c : {Case{true, 0, 0}, Case{true, 1, 0}, Case{true, 2, 98}, Case{true, 5, 95},
                          Case{true, 19, 95}, Case{false, 0, 0}, Case{false, 1, 0},
                          Case{false, 2, 202}, Case{false, 19, 202}}) {
        host.track->TrackMap.Fill(0);
        if (c.left) {
            SetCell(1490, 100, 1);
            SetCell(1490, 95, 23);
            SetCell(1490, 98, 24);
        } else {
            SetCell(1490, 150, 4);
            SetCell(1490, 151, 1);  // the kerb of the left-hand side only
            SetCell(1490, 200, 4);
            SetCell(1490, 202, 26);
            SetCell(1490, 205, 25);
        }
        // On the right, the left-hand side's kerb at 151 draws first (and finds no pavement).
        host.random.Seed(SeedBefore(20, c.width, c.left ? 0 : 1));
        crowd->PlaceCrowd();
        const TManSlot& man = crowd->Slot(c.left ? 1 : 2);
        ASSERT_EQ(man.Alive, c.col != 0) << c.left << " " << c.width;
        EXPECT_FALSE(crowd->Slot(c.left ? 2 : 1).Alive);
        if (c.col == 0) continue;
        EXPECT_EQ(man.PosX, c.col * 72 + 36) << c.left << " " << c.width;
        EXPECT_EQ(man.PosY, 1490 * 72);
        // 23 walks up or down, 24 left or right, 26 right.
        const std::set<int> dirs =
            c.left ? (c.col == 95 ? std::set<int>{3, 4} : std::set<int>{1, 2}) : std::set<int>{2};
        EXPECT_TRUE(dirs.count(man.Dir)) << int(man.Dir);
        EXPECT_GE(man.Speed, 3);
        EXPECT_LE(man.Speed, 5);
    }
}

// ---- Walking -----------------------------------------------------------------------------------

// Every pavement code and direction: a single way on is taken without a draw, two or three are
// drawn among with one draw each; entering through a side without an exit, or a cell without
// pavement, turns the pedestrian round.
TEST_F(CrowdTest, TheTurnRuleFollowsEachCodesExits) {
    struct Entry {
        int code;
        std::set<int> ways[5];  // by the direction walked, 1 left .. 4 down
    };
    const Entry table[] = {
        {23, {{}, {2}, {1}, {3}, {4}}},
        {24, {{}, {1}, {2}, {4}, {3}}},
        {25, {{}, {4, 3, 1}, {3, 4, 2}, {1, 2, 3}, {2, 1, 4}}},
        {26, {{}, {4}, {1}, {2}, {3}}},
        {27, {{}, {2}, {4}, {1}, {3}}},
        {28, {{}, {2}, {3}, {4}, {1}}},
        {29, {{}, {3}, {1}, {4}, {2}}},
        {58, {{}, {2}, {3, 4}, {3, 1}, {4, 1}}},
        {60, {{}, {3, 4}, {1}, {3, 2}, {4, 2}}},
        {0, {{}, {2}, {1}, {4}, {3}}},
        {1, {{}, {2}, {1}, {4}, {3}}},
        {30, {{}, {2}, {1}, {4}, {3}}},
    };
    const double x = 330 * 72 + 36;
    const double y = 1405 * 72 + 36;
    for (const Entry& e : table) {
        SetCell(1405, 330, e.code);
        for (int dir = 1; dir <= 4; ++dir) {
            const std::set<int>& want = e.ways[dir];
            std::set<int> seen;
            for (int k = 0; k < 60; ++k) {
                TRandom expected(host.random.SeedValue());
                if (want.size() > 1) expected.Random(static_cast<int>(want.size()));
                seen.insert(crowd->TurnRule(dir, x, y));
                ASSERT_EQ(host.random.SeedValue(), expected.SeedValue()) << e.code << "/" << dir;
            }
            EXPECT_EQ(seen, want) << "code " << e.code << " walking " << dir;
        }
    }
}

// Walking right along a strip: one step of twice the speed each time the phase passes a whole
// number (the phase wraps past 4 to 0); on entering a cell without pavement, or a vertical verge
// from the side, the pedestrian turns round where it stands and walks back along the strip.
TEST_F(CrowdTest, WalkingOffThePavementTurnsRoundOnTheSpot) {
    for (int endCode : {0, 23}) {
        for (int c = 320; c <= 325; ++c) SetCell(1405, c, 24);
        SetCell(1405, 326, endCode);
        SetCell(1405, 319, endCode);
        Clear();
        TManSlot& man = Put(1, kManRight, 324 * 72 - OriginX() - 27 + 36, 1405 * 72 - OriginY());
        man.Speed = 5;
        man.Phase = 3.95;  // 3.95 + 5 x 11 / 1000 passes 4: back to 0, one step
        const double y = man.PosY;
        double x = man.PosX;
        Step();
        EXPECT_EQ(man.Phase, 0);
        EXPECT_EQ(man.PosX, x + 10);
        int turns = 0;
        for (int frame = 0; frame < 3000; ++frame) {
            const int cell = MapIndexOf(man.PosX);
            const int dir = man.Dir;
            x = man.PosX;
            const double phase = man.Phase;
            Step();
            ASSERT_TRUE(std::abs(man.PosX - x) == 0 || std::abs(man.PosX - x) == 10);
            ASSERT_EQ(man.PosX != x, int(man.Phase) != int(phase) || man.Phase == 0);
            if (man.Dir == dir) continue;
            // It turns only in the first frame it stands in an end cell.
            ++turns;
            ASSERT_TRUE(cell == 326 || cell == 319) << cell;
            EXPECT_EQ(man.Dir, cell == 326 ? kManLeft : kManRight);
            EXPECT_EQ(man.NextDir, man.Dir);
        }
        EXPECT_GE(turns, 4) << endCode;
        EXPECT_EQ(man.PosY, y);
    }
}

// A pedestrian whose middle reaches the map's border (x 360 or 46656, y 360 or 107856) is gone,
// without a sound or points; half a pixel inside it stays.
TEST_F(CrowdTest, AtTheMapsBorderAPedestrianDisappearsSilently) {
    AddPlayer();
    struct Case {
        double x, y;
        bool stays;
    };
    for (const Case& c :
         {Case{360, 5000, false}, Case{360.5, 5000, true}, Case{46656, 5000, false},
          Case{46655.5, 5000, true}, Case{5000, 360, false}, Case{5000, 360.5, true},
          Case{5000, 107856, false}, Case{5000, 107855.5, true}}) {
        Clear();
        TManSlot& man = Put(1, kManLeft, 0, 0, 0);
        man.PosX = c.x;
        man.PosY = c.y;
        Step();
        EXPECT_EQ(man.Alive, c.stays) << c.x << ", " << c.y;
    }
    EXPECT_TRUE(host.sounds.empty());
    EXPECT_EQ(host.race.Score, 0);
}

// A pedestrian is in sight while its picture's corner lies within x -20 to 700 and y -20 to 600,
// edges included.
TEST_F(CrowdTest, APedestrianIsInSightUpToTheWindowsEdges) {
    struct Case {
        double sx, sy;
        bool inSight;
    };
    for (const Case& c :
         {Case{-20, 0, true}, Case{-21, 0, false}, Case{700, 0, true}, Case{701, 0, false},
          Case{0, -20, true}, Case{0, -21, false}, Case{0, 600, true}, Case{0, 601, false}}) {
        Clear();
        TManSlot& man = Put(1, kManUp, c.sx, c.sy, 0);
        man.OnScreen = !c.inSight;
        Step();
        EXPECT_EQ(man.OnScreen, c.inSight) << c.sx << ", " << c.sy;
    }
}

// At 125 ms a frame a pedestrian walking at 4 gains half a phase a frame: from 3.5 the phase
// reaches exactly 4, which is kept (and drawn as pattern 4), and the next frame, past 4, starts
// over at 0. Each change of the phase's whole part is one step of 8 pixels.
TEST_F(CrowdTest, TheWalkingPhaseKeeps4AndStartsOverPastIt) {
    host.timing.FrameMs = 125;
    Clear();
    TManSlot& man = Put(1, kManUp, 300, 225, 4);  // its middle on a cell's middle
    man.Phase = 3.5;
    const double y = man.PosY;
    Step();
    EXPECT_EQ(man.Phase, 4);
    EXPECT_EQ(man.PosY, y - 8);
    Step();
    EXPECT_EQ(man.Phase, 0);
    EXPECT_EQ(man.PosY, y - 16);
    Step();
    EXPECT_EQ(man.Phase, 0.5);
    EXPECT_EQ(man.PosY, y - 16);
}

// ---- The car, the rockets, the horn and the gun ------------------------------------------------

// The car at (365, 400) runs over a pedestrian when one of its four probe points (the picture's
// corner and 23 pixels right and down) meets it: the body lies 10 pixels up and left, the car
// slows to 0.9 with a "Collision", the player scores 5 and the blood trail starts (50, or 30 to
// top up a short one). A body is not run over again, and nobody under a higher sprite is.
TEST_F(CrowdTest, RunningOverLeavesABodyThatIsNotRunOverTwice) {
    AddPlayer();
    Put(1, kManUp, 341, 450);  // its right probes at x 364: one pixel short of the car
    Step();
    EXPECT_EQ(crowd->Slot(1).Dir, kManUp);
    EXPECT_EQ(host.race.Score, 0);

    struct Trail {
        int before, after;
    };
    for (const Trail& t :
         {Trail{0, 50}, Trail{-3, 50}, Trail{1, 30}, Trail{29, 30}, Trail{30, 30}, Trail{44, 44}}) {
        for (bool girl : {false, true}) {
            Clear();
            host.sounds.clear();
            host.race.Score = 0;
            player->CarSpeed = 100;
            player->BloodTrail = t.before;
            TManSlot& man = Put(1, kManUp, 342, 450, 4, girl);
            const double x = man.PosX;
            const double y = man.PosY;
            Step();
            EXPECT_EQ(man.Dir, kManLying);
            EXPECT_EQ(man.PosX, x - 10);
            EXPECT_EQ(man.PosY, y - 10);
            EXPECT_EQ(man.Speed, 0);
            EXPECT_EQ(host.race.Score, 5);
            EXPECT_DOUBLE_EQ(player->CarSpeed, 90);
            EXPECT_EQ(player->BloodTrail, t.after) << t.before;
            EXPECT_EQ(host.sounds,
                      (std::vector<std::string>{girl ? "KillW" : "Kill", "Collision"}));
            Step();
            EXPECT_EQ(host.race.Score, 5);
            EXPECT_DOUBLE_EQ(player->CarSpeed, 90);
        }
    }

    TMyImageSprite::CreateAt(&host.engine, Picture::Panel, 300, 0, 11);
    Clear();
    Put(1, kManUp, 342, 450);
    Step();
    EXPECT_EQ(crowd->Slot(1).Dir, kManUp);
}

// A rocket, flying or already exploding, whose point lies in the box from 4 pixels before to 30
// pixels past the pedestrian's middle blows it away (a body too, for 5 more points) and
// explodes there; only the first such rocket of the pool, and only for a pedestrian in sight.
TEST_F(CrowdTest, ARocketBlowsAwayAPedestrianOrABody) {
    CreateRocketPool(&host.engine, host, host.race);
    auto& pool = host.race.RocketPool;
    for (int lying : {0, 1}) {
        Clear();
        host.race.Score = 0;
        TManSlot& man = Put(1, lying != 0 ? kManLying : kManDown, 200, 200, lying != 0 ? 0 : 4);
        for (TRocket* rocket : pool) rocket->Retire();
        pool[0]->Launch(600, 100, 18, 0);  // far away
        for (int k : {1, 2}) {
            pool[static_cast<size_t>(k)]->Launch(0, 0, 18, 0);
            pool[static_cast<size_t>(k)]->WorldX = man.PosX + 31;  // just outside
            pool[static_cast<size_t>(k)]->WorldY = man.PosY + 10;
        }
        Step();
        EXPECT_EQ(man.Dir, lying != 0 ? kManLying : kManDown);
        pool[1]->WorldX = man.PosX - 3;
        pool[2]->WorldX = man.PosX + 29;
        const double x = man.PosX;
        Step();
        EXPECT_EQ(man.Dir, kManRemoved);
        EXPECT_EQ(man.PosX, x - 10);
        EXPECT_EQ(host.race.Score, 5);
        EXPECT_FALSE(pool[0]->Detonated);
        EXPECT_TRUE(pool[1]->Detonated);
        EXPECT_FALSE(pool[2]->Detonated);
        EXPECT_TRUE(man.Alive);
    }
    EXPECT_EQ(host.CountOf("Explosion"), 2);
    // Out of sight, nothing happens.
    Clear();
    TManSlot& far = Put(1, kManDown, 900, 200);
    pool[3]->Launch(0, 0, 18, 0);
    pool[3]->WorldX = far.PosX;
    pool[3]->WorldY = far.PosY;
    Step();
    EXPECT_EQ(far.Dir, kManDown);
}

// The horn sends the pedestrians in sight running at 8 for 1000 ms; bodies, the blown away and
// those out of sight are left alone. The scare ends in the frame in which the last running
// pedestrian's time runs out (the 91st at 11 ms a frame); then they walk at 3 to 5 again, also one
// that ran out of sight meanwhile.
TEST_F(CrowdTest, TheHornScaresThoseInSightForOneSecond) {
    Put(1, kManUp, 200, 200, 3);
    Put(2, kManUp, 900, 200, 4).OnScreen = false;
    Put(3, kManLying, 300, 200, 0);
    Put(4, kManDown, 600, 300, 5);
    Put(5, kManRemoved, 400, 300, 0);
    crowd->Scare();
    EXPECT_TRUE(crowd->Scared);
    EXPECT_EQ(crowd->Slot(1).Speed, kScaredSpeed);
    EXPECT_EQ(crowd->Slot(1).ScareTime, 1000);
    EXPECT_EQ(crowd->Slot(2).Speed, 4);
    EXPECT_EQ(crowd->Slot(2).ScareTime, 0);
    EXPECT_EQ(crowd->Slot(3).Speed, 0);
    EXPECT_EQ(crowd->Slot(4).Speed, kScaredSpeed);
    EXPECT_EQ(crowd->Slot(5).ScareTime, 0);
    for (int frame = 1; frame <= 90; ++frame) Step();
    crowd->Slot(4).PosX += 2000;  // out of sight, still running
    EXPECT_TRUE(crowd->Scared);
    EXPECT_EQ(crowd->Slot(1).ScareTime, 10);
    EXPECT_EQ(crowd->Slot(1).Speed, kScaredSpeed);
    Step();
    EXPECT_FALSE(crowd->Scared);
    for (int i : {1, 4}) {
        EXPECT_GE(crowd->Slot(i).Speed, 3) << i;
        EXPECT_LE(crowd->Slot(i).Speed, 5) << i;
        EXPECT_EQ(crowd->Slot(i).ScareTime, 0) << i;
    }
    EXPECT_EQ(crowd->Slot(3).Speed, 0);
    EXPECT_EQ(crowd->Slot(3).Dir, kManLying);
    EXPECT_EQ(crowd->Slot(5).Speed, 0);
}

// The gun's ray from the car's centre (397, 478) heading up: its first point, 5 pixels up, shoots
// every pedestrian on its feet within 50 pixels across and along (5 points and a scream each),
// and the ray stops there; one 51 pixels away, a body, one blown away and one further up are
// left alone.
TEST_F(CrowdTest, TheGunShootsThePedestriansNearTheRaysPointAndStops) {
    AddPlayer();
    const double wx = OriginX() + 397;
    const double wy = OriginY() + 478 - 5;
    auto at = [&](int i, int dir, double dx, double dy, bool girl) -> TManSlot& {
        TManSlot& man = Put(i, dir, 0, 0, dir == kManLying ? 0 : 4, girl);
        man.PosX = wx + dx;
        man.PosY = wy + dy;
        return man;
    };
    at(1, kManUp, 50, -50, false);
    at(2, kManDown, -50, 50, true);
    at(3, kManUp, 51, 0, false);
    at(4, kManLying, 0, 0, false);
    at(5, kManUp, 0, -200, false);
    at(6, kManRemoved, -20, 0, false);  // blown away: it does not come back as a body
    player->GunRay(397, 478);
    EXPECT_EQ(crowd->Slot(1).Dir, kManLying);
    EXPECT_EQ(crowd->Slot(1).PosX, wx + 40);
    EXPECT_EQ(crowd->Slot(2).Dir, kManLying);
    EXPECT_EQ(crowd->Slot(3).Dir, kManUp);
    EXPECT_EQ(crowd->Slot(4).PosX, wx);
    EXPECT_EQ(crowd->Slot(5).Dir, kManUp);
    EXPECT_EQ(crowd->Slot(6).Dir, kManRemoved);
    EXPECT_EQ(host.race.Score, 10);
    EXPECT_EQ(host.CountOf("Kill"), 1);
    EXPECT_EQ(host.CountOf("KillW"), 1);
    // Without those near the car, the ray goes on up to the one 200 pixels ahead.
    crowd->Slot(1).Alive = crowd->Slot(2).Alive = false;
    player->GunRay(397, 478);
    EXPECT_EQ(crowd->Slot(5).Dir, kManLying);
    EXPECT_EQ(crowd->Slot(3).Dir, kManUp);
    EXPECT_EQ(host.race.Score, 15);

    // On a road scrolled by (10, -30) the ray's first point lies 10 left of and 30 below the
    // view's: a pedestrian 50 to the left of it is shot, one 51 to its right is not.
    host.UseBackground(10, -30);
    Clear();
    at(1, kManUp, -10 - 50, 30, false);
    at(2, kManUp, -10 + 51, 30, false);
    player->GunRay(397, 478);
    EXPECT_EQ(crowd->Slot(1).Dir, kManLying);
    EXPECT_EQ(crowd->Slot(2).Dir, kManUp);
}

}  // namespace
