// The bonuses: placing a level's tokens from the map, and what the car gets for driving over each
// kind.

#include <gtest/gtest.h>

#include <string>

#include "fake_race_host.h"
#include "road_actors_reference.h"
#include "sprites/bonus.h"
#include "sprites/player.h"
#include "track/track_generator.h"

namespace {

class BonusTest : public ::testing::Test {
protected:
    void SetUp() override {
        host.GroundLevelOneAt(318, 1400);
        bonuses = new TBonus(&host.engine, host);
        host.race.Bonuses = bonuses;
    }
    // A straight left edge (code 1) in every row at each column given.
    void EdgesAt(std::initializer_list<int> cols) {
        host.track->TrackMap.Fill(0);
        for (int r = 1; r <= kTrackRows; ++r)
            for (int c : cols) host.track->TrackMap.Set(r, c, 1);
    }
    FakeRaceHost host;
    TBonus* bonuses = nullptr;  // owned by the engine
};

class BonusPlacementTest : public ::testing::TestWithParam<int> {};

// On generated roads, every slot matches the rules read literally, drawn in the same order.
TEST_P(BonusPlacementTest, MatchesTheRulesReadLiterally) {
    for (uint32_t seed : {2u, 11u, 777u}) {
        FakeRaceHost host;
        host.random.Seed(seed);
        TTrackGenerator(*host.track, host.random).SetUpLevel(GetParam());
        TRandom reference(host.random.SeedValue());
        const LevelParams& level = host.track->Level;
        const auto expected =
            LiteralBonuses(host.track->TrackMap, level.TrackLength, level.BonusCount, reference);
        const auto* bonuses = new TBonus(&host.engine, host);
        EXPECT_EQ(host.random.SeedValue(), reference.SeedValue()) << "draws, seed " << seed;
        int active = 0;
        for (int s = 1; s <= kBonusSlots; ++s) {
            const TBonusSlot& b = bonuses->Slot(s);
            const LiteralBonus actual =
                b.Active ? LiteralBonus{true, b.Col, b.Row, b.Kind} : LiteralBonus{};
            ASSERT_EQ(actual, expected[static_cast<size_t>(s)]) << "seed " << seed << " slot " << s;
            active += b.Active ? 1 : 0;
        }
        EXPECT_GT(active, level.BonusCount / 2);
    }
}

INSTANTIATE_TEST_SUITE_P(Levels, BonusPlacementTest, ::testing::Values(1, 3, 6, 21));

// Level 1 draws rows 1249 to 1494 (the first and last of Random(246)); a bonus lies one or two
// cells right of the last straight left edge of its row.
TEST_F(BonusTest, LevelOneBonusesLieOnRows1249To1494RightOfTheLastEdge) {
    EdgesAt({100, 200, 300});
    for (const auto& [draw, row] : {std::pair{0, 1249}, std::pair{245, 1494}}) {
        host.random.Seed(SeedBefore(246, draw));
        bonuses->PlaceBonuses();
        EXPECT_EQ(bonuses->Slot(1).Row, row);
    }
    for (uint32_t seed = 1; seed <= 30; ++seed) {
        host.random.Seed(seed);
        bonuses->PlaceBonuses();
        for (int s = 1; s <= kBonusSlots; ++s) {
            const TBonusSlot& b = bonuses->Slot(s);
            ASSERT_EQ(b.Active, s <= 10) << s;
            if (!b.Active) continue;
            EXPECT_GE(b.Row, 1249);
            EXPECT_LE(b.Row, 1494);
            EXPECT_TRUE(b.Col == 301 || b.Col == 302) << b.Col;
            EXPECT_GE(b.Kind, 1);
            EXPECT_LE(b.Kind, 8);
        }
    }
}

// However many bonuses a level has, at most two of them give a life.
TEST_F(BonusTest, NeverMoreThanTwoLifeBonuses) {
    EdgesAt({100});
    host.track->Level = LevelParamsFor(21);
    ASSERT_EQ(host.track->Level.BonusCount, 400);
    int twice = 0;
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        host.random.Seed(seed);
        bonuses->PlaceBonuses();
        int lives = 0;
        int kinds[9] = {};
        for (int s = 1; s <= kBonusSlots; ++s) {
            ++kinds[bonuses->Slot(s).Kind];
            lives += bonuses->Slot(s).Kind == kLifeBonus ? 1 : 0;
        }
        EXPECT_LE(lives, 2) << seed;
        twice += lives == 2 ? 1 : 0;
        for (int kind = 1; kind <= 8; ++kind)
            EXPECT_TRUE(kind == kLifeBonus || kinds[kind] > 30) << kind;
    }
    EXPECT_GT(twice, 15);
}

// Every kind: its points, what it gives the car, and its sound.
TEST_F(BonusTest, EachKindGivesItsPointsItsEffectAndItsSound) {
    struct Expected {
        int kind;
        int score;
        const char* sound;
        int lives, weapon, ammo;
        bool nitro;
    };
    const Expected table[] = {
        {1, 10, "Score", 3, 0, 0, false},  {2, 20, "Score", 3, 0, 0, false},
        {3, 50, "Score", 3, 0, 0, false},  {4, 100, "Score", 3, 0, 0, false},
        {5, 50, "Bonus", 4, 0, 0, false},  {6, 30, "Bonus", 3, 0, 0, true},
        {7, 20, "Bonus", 3, 3, 25, false}, {8, 20, "Bonus", 3, 4, 20, false},
    };
    for (const Expected& e : table) {
        FakeRaceHost fresh;
        fresh.track->Level = LevelParamsFor(1);
        fresh.track->ViewCol = 318;
        fresh.track->ViewRow = 1400;
        auto* tokens = new TBonus(&fresh.engine, fresh);
        auto* car = new TPlayer(&fresh.engine, fresh, 1);
        fresh.race.Player = car;
        for (TBonusSlot& slot : tokens->Slots) slot = TBonusSlot{};
        // The cell right under the car's nose: screen (360, 400).
        tokens->Slot(1) = TBonusSlot{true, 318 + 5, 1400 + 5, e.kind};
        fresh.sounds.clear();
        tokens->MoveStep(1);
        EXPECT_FALSE(tokens->Slot(1).Active) << e.kind;
        EXPECT_EQ(fresh.race.Score, e.score) << e.kind;
        EXPECT_EQ(fresh.race.Lives, e.lives) << e.kind;
        EXPECT_EQ(static_cast<int>(car->Weapon), e.weapon) << e.kind;
        EXPECT_EQ(car->Ammo, e.ammo) << e.kind;
        EXPECT_EQ(car->HasNitro, e.nitro) << e.kind;
        EXPECT_EQ(car->NitroFuel, e.nitro ? 100 : 0) << e.kind;
        EXPECT_EQ(fresh.CountOf(e.sound), 1) << e.kind;
        fresh.sounds.clear();
        tokens->MoveStep(1);
        EXPECT_TRUE(fresh.sounds.empty()) << "collected twice: " << e.kind;
    }
}

// The car collects a token when it is the topmost sprite at one of the four probe points
// (19..54 across, 19..53 down the cell): the car's corner at (365, 400) meets the last probe
// exactly; a pixel further, or under the HUD panel, it does not.
TEST_F(BonusTest, TheCarCollectsAtTheProbePointsWhenItIsOnTop) {
    auto* car = new TPlayer(&host.engine, host, 1);
    host.race.Player = car;
    struct Case {
        int sx, sy;
        bool collected;
    };
    for (const Case& c : {Case{364 - 54, 400 - 53, false}, Case{365 - 54, 399 - 53, false},
                          Case{365 - 54, 400 - 53, true}}) {
        // A view without cell offsets puts the cell's corner at multiples of 72; the background
        // offsets bring it to the point wanted.
        TScrollBackground background(&host.engine, Picture::Tiles, 13, 10, &host);
        host.background = &background;
        background.X = c.sx - 5 * 72;
        background.Y = c.sy - 5 * 72;
        for (TBonusSlot& slot : bonuses->Slots) slot = TBonusSlot{};
        bonuses->Slot(1) = TBonusSlot{true, 318 + 5, 1400 + 5, 1};
        bonuses->MoveStep(1);
        EXPECT_EQ(!bonuses->Slot(1).Active, c.collected) << c.sx << ", " << c.sy;
        host.background = nullptr;
    }
    TMyImageSprite::CreateAt(&host.engine, Picture::Panel, 300, 0, 11);
    bonuses->Slot(1) = TBonusSlot{true, 318 + 5, 1400 + 5, 1};
    bonuses->MoveStep(1);
    EXPECT_TRUE(bonuses->Slot(1).Active);
}

}  // namespace
