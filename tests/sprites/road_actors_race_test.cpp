// The road actors in the race: the order in which the race and each new level place them, the
// horn key, the finish line ending the level, and where each actor is drawn.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "form_draw_fixture.h"
#include "player_fixture.h"
#include "road_actors_reference.h"
#include "sprites/bonus.h"
#include "sprites/crowd.h"
#include "sprites/finish.h"
#include "sprites/lamp.h"
#include "sprites/traffic.h"

namespace {

void ExpectCrowd(const TMan& crowd, const std::array<LiteralMan, 601>& expected) {
    for (int i = 1; i <= kManSlots; ++i) {
        const TManSlot& man = crowd.Slot(i);
        const LiteralMan actual{man.Alive, man.IsGirl, man.PosX, man.PosY, man.Alive ? man.Dir : 0,
                                man.Speed, man.Phase};
        ASSERT_EQ(actual, expected[static_cast<size_t>(i)]) << "slot " << i;
    }
}

void ExpectBonuses(const TBonus& bonuses, const std::array<LiteralBonus, 401>& expected) {
    for (int s = 1; s <= kBonusSlots; ++s) {
        const TBonusSlot& b = bonuses.Slot(s);
        const LiteralBonus actual =
            b.Active ? LiteralBonus{true, b.Col, b.Row, b.Kind} : LiteralBonus{};
        ASSERT_EQ(actual, expected[static_cast<size_t>(s)]) << "slot " << s;
    }
}

// The race places the crowd before the bonuses (and the traffic after both); a new level places
// the bonuses first, then the crowd, each from the generator after the new road's draws.
TEST(RoadActorsOrderTest, TheRaceAndEachLevelPlaceTheActorsInTheirOrder) {
    auto form = MakeTestForm(85, 5);
    auto track = std::make_unique<TrackState>();
    TRandom reference(form->Components.Random.SeedValue());
    TTrackGenerator(*track, reference).SetUpLevel(1);
    const auto crowd = LiteralCrowd(track->TrackMap, track->Level.TrackLength, reference);
    const auto bonuses = LiteralBonuses(track->TrackMap, 300, track->Level.BonusCount, reference);
    form->RaceScreen.StartRace();
    ExpectCrowd(*form->RaceScreen.Race.Crowd, crowd);
    ExpectBonuses(*form->RaceScreen.Race.Bonuses, bonuses);
    EXPECT_EQ(form->RaceScreen.Race.Finish->LineY, 1250 * 72);

    form->RaceScreen.Race.Finish->Crossed = true;
    reference.Seed(form->Components.Random.SeedValue());
    TTrackGenerator(*track, reference).SetUpLevel(2);
    const auto nextBonuses =
        LiteralBonuses(track->TrackMap, 500, track->Level.BonusCount, reference);
    const auto nextCrowd = LiteralCrowd(track->TrackMap, 500, reference);
    form->RaceScreen.Race.Player->StartLevel(true);
    ExpectBonuses(*form->RaceScreen.Race.Bonuses, nextBonuses);
    ExpectCrowd(*form->RaceScreen.Race.Crowd, nextCrowd);
    EXPECT_EQ(form->RaceScreen.Race.Finish->LineY, 1050 * 72);
    EXPECT_FALSE(form->RaceScreen.Race.Finish->Crossed);
    EXPECT_TRUE(form->RaceScreen.Race.Lamps->Grace);
}

class RoadActorsRaceTest : public PlayerRaceTest {};

// The horn key scares the pedestrians in sight, once per press, with the "Horn".
TEST_P(RoadActorsRaceTest, TheHornKeyScaresThePedestriansInSight) {
    TMan& crowd = *form->RaceScreen.Race.Crowd;
    for (TManSlot& man : crowd.Slots) man = TManSlot{};
    TManSlot& man = crowd.Slot(7);
    man.Alive = true;
    man.Dir = man.NextDir = kManDown;
    man.Speed = 4;
    man.PosX = form->RaceScreen.Track.ViewCol * 72.0 + 100;
    man.PosY = form->RaceScreen.Track.ViewRow * 72.0 + 100;
    Press({SDL_SCANCODE_H});
    Frame();
    EXPECT_TRUE(crowd.Scared);
    EXPECT_EQ(man.Speed, kScaredSpeed);
    EXPECT_EQ(sounds->Count("Horn"), 1);
    Frames(3);
    EXPECT_EQ(sounds->Count("Horn"), 1);
}

// Driving over the finish line: in the frame the line passes below the top of the car, the
// run-out begins and the clock stops.
TEST_P(RoadActorsRaceTest, CrossingTheFinishLineStartsTheRunOut) {
    OpenRoad();
    form->RaceScreen.Track.Level.TrackLength = 300;
    form->RaceScreen.Race.Finish->PlaceFinish();
    form->RaceScreen.Track.ViewRow = 1250 - 5;
    Press({SDL_SCANCODE_UP});
    ASSERT_TRUE(RunUntil([&] { return form->RaceScreen.Race.Finish->Crossed; }, 500));
    EXPECT_TRUE(car->EndStarted);
    EXPECT_EQ(car->EngineSoundName(), "Neutral");
    const int timeLeft = form->RaceScreen.Track.Level.TimeLeft;
    Frames(5);
    EXPECT_EQ(form->RaceScreen.Track.Level.TimeLeft, timeLeft);
    EXPECT_TRUE(form->RaceScreen.Race.Finish->Crossed);
}

INSTANTIATE_TEST_SUITE_P(Rates, RoadActorsRaceTest, ::testing::Values(85, 60), RateName);

// ---- Drawing -----------------------------------------------------------------------------------

class RoadActorsDrawTest : public FormDrawTest {
protected:
    void SetUp() override {
        FormDrawTest::SetUp();
        TellPicturesApart();
        form->RaceScreen.Track.Level = LevelParamsFor(1);
        form->RaceScreen.Track.TrackMap.Fill(0);
        form->RaceScreen.Track.ViewCol = 318;
        form->RaceScreen.Track.ViewRow = 1400;
        TSpriteEngine* engine = &form->Components.MDXSpriteEngine;
        lamps = new TLamp(engine, form->RaceScreen.Host());
        crowd = new TMan(engine, form->RaceScreen.Host());
        bonuses = new TBonus(engine, form->RaceScreen.Host());
        finish = new TFinish(engine, form->RaceScreen.Host());
        for (TBonusSlot& slot : bonuses->Slots) slot = TBonusSlot{};
    }
    // A 54-pixel picture with its corner at (x, y): lit inside, dark just outside.
    void ExpectPicture(int x, int y, int w, int h, const char* what) {
        EXPECT_TRUE(Lit(x, y)) << what;
        EXPECT_TRUE(Lit(x + w - 1, y + h - 1)) << what;
        EXPECT_FALSE(Lit(x - 1, y)) << what;
        EXPECT_FALSE(Lit(x, y - 1)) << what;
        EXPECT_FALSE(Lit(x + w, y + h - 1)) << what;
        EXPECT_FALSE(Lit(x + w - 1, y + h)) << what;
    }
    TManSlot& Man(int i, int dir, double sx, double sy) {
        TManSlot& man = crowd->Slot(i);
        man = TManSlot{};
        man.Alive = true;
        man.Dir = static_cast<uint8_t>(dir);
        man.PosX = 318 * 72.0 + sx + 27;
        man.PosY = 1400 * 72.0 + sy + 27;
        man.OnScreen = true;
        return man;
    }

    TLamp* lamps = nullptr;  // owned by the sprite engine
    TMan* crowd = nullptr;
    TBonus* bonuses = nullptr;
    TFinish* finish = nullptr;
};

// Pedestrians with their picture's corner 27 pixels up and left of their middle (bodies too, but
// not the blown away nor those out of sight), tokens 19 pixels into their cell, a lamp 12 pixels
// right of its edge cell on a fifth row only, and the finish line across the road's asphalt: the
// cells between the edge cells and the edge cells up to their 4-pixel kerbs.
TEST_F(RoadActorsDrawTest, EachActorIsDrawnWhereItBelongs) {
    for (TManSlot& man : crowd->Slots) man = TManSlot{};
    Man(1, kManLeft, 100, 50);
    Man(2, kManLying, 100, 150);
    Man(3, kManRemoved, 100, 250);
    Man(4, kManUp, 100, 350).OnScreen = false;
    bonuses->Slot(1) = TBonusSlot{true, 318 + 3, 1400 + 2, 4};
    bonuses->Slot(2) = TBonusSlot{false, 318 + 3, 1400 + 4, 4};
    form->RaceScreen.Track.Level.BonusCount = 2;
    form->RaceScreen.Track.TrackMap.Set(1405, 318 + 8, 1);
    form->RaceScreen.Track.TrackMap.Set(1401, 318 + 8, 1);
    form->RaceScreen.Track.Level.TrackLength = 1550 - 1407;  // the line on the top of row 1407
    finish->PlaceFinish();
    form->RaceScreen.Track.TrackMap.Set(1407, 320, 1);
    form->RaceScreen.Track.TrackMap.Set(1407, 323, 4);
    finish->MoveStep(1);
    Draw();
    ExpectPicture(100, 50, 54, 54, "walking");
    ExpectPicture(100, 150, 54, 54, "lying");
    EXPECT_FALSE(Lit(120, 270));
    EXPECT_FALSE(Lit(120, 370));
    ExpectPicture(3 * 72 + 19, 2 * 72 + 19, 34, 34, "token");
    EXPECT_FALSE(Lit(3 * 72 + 30, 4 * 72 + 30));
    ExpectPicture(8 * 72 + 12, 5 * 72, 85, 19, "lamp");
    EXPECT_FALSE(Lit(8 * 72 + 20, 1 * 72 + 5));
    ExpectPicture(2 * 72 + 4, 7 * 72, 4 * 72 - 8, 18, "finish line");

    // Edge cells side by side, or no right edge: no line.
    form->RaceScreen.Track.TrackMap.Set(1407, 323, 0);
    form->RaceScreen.Track.TrackMap.Set(1407, 321, 4);
    Draw();
    EXPECT_FALSE(Lit(3 * 72 + 10, 7 * 72 + 5));
    form->RaceScreen.Track.TrackMap.Set(1407, 321, 0);
    Draw();
    EXPECT_FALSE(Lit(3 * 72 + 10, 7 * 72 + 5));
    // A right edge without a left one: no line either.
    form->RaceScreen.Track.TrackMap.Set(1407, 320, 0);
    form->RaceScreen.Track.TrackMap.Set(1407, 323, 4);
    Draw();
    EXPECT_FALSE(Lit(10, 7 * 72 + 5));
    EXPECT_FALSE(Lit(4 * 72 + 10, 7 * 72 + 5));
    // Two roads side by side (1 at 320 and 326, 4 at 323 and 329): the line runs from the first
    // left edge to the last right edge, over the ground between the roads too.
    for (int col : {320, 326}) form->RaceScreen.Track.TrackMap.Set(1407, col, 1);
    form->RaceScreen.Track.TrackMap.Set(1407, 327, 4);
    Draw();
    EXPECT_FALSE(Lit(2 * 72 + 3, 7 * 72 + 5));
    EXPECT_TRUE(Lit(2 * 72 + 4, 7 * 72 + 5));
    EXPECT_TRUE(Lit(7 * 72, 7 * 72 + 5));
    EXPECT_TRUE(Lit(10 * 72 - 5, 7 * 72 + 5));
    EXPECT_FALSE(Lit(10 * 72 - 4, 7 * 72 + 5));
}

// Each kind of pedestrian, token and lamp draws its own picture, entry by entry; a lamp's picture
// starts exactly its offset right of its cell.
TEST_F(RoadActorsDrawTest, EachPedestrianTokenAndLampDrawsItsOwnPicture) {
    for (TManSlot& man : crowd->Slots) man = TManSlot{};
    const char* const walkers[5] = {"Laying", "Left", "Right", "Up", "Down"};
    for (int dir = 0; dir <= 4; ++dir) {
        Man(1 + dir, dir, 60 * dir, 50);
        Man(6 + dir, dir, 60 * dir, 120).IsGirl = true;
    }
    const char* const tokens[9] = {"",       "Bonus10", "Bonus20",   "Bonus50", "Bonus100",
                                   "BonusL", "BonusN",  "BonusMGnp", "BonusRnp"};
    for (int kind = 1; kind <= 8; ++kind)
        bonuses->Slot(kind) = TBonusSlot{true, 318 + kind - 1, 1400 + 3, kind};
    form->RaceScreen.Track.Level.BonusCount = 8;
    struct Lamp {
        int code, dx;
        const char* picture;
    };
    // Two window rows on lamp rows (1400 and 1405), every second cell, so none covers another.
    const Lamp lamps[10] = {{1, 12, "Lamp_L"},    {4, -28, "Lamp_R"},  {5, 42, "Lamp_RL"},
                            {8, 0, "Lamp_RR"},    {9, 8, "Lamp_RL"},   {12, -36, "Lamp_RR"},
                            {13, -48, "Lamp_LR"}, {16, -6, "Lamp_LL"}, {17, -12, "Lamp_LR"},
                            {20, 30, "Lamp_LL"}};
    for (int k = 0; k < 10; ++k)
        form->RaceScreen.Track.TrackMap.Set(1400 + k / 5 * 5, 318 + 1 + k % 5 * 2,
                                            int8_t(lamps[k].code));
    Draw();
    for (int dir = 0; dir <= 4; ++dir) {
        EXPECT_EQ(PictureAt(60 * dir + 27, 77), std::string("Man_") + walkers[dir]);
        EXPECT_EQ(PictureAt(60 * dir + 27, 147), std::string("Girl_") + walkers[dir]);
    }
    for (int kind = 1; kind <= 8; ++kind)
        EXPECT_EQ(PictureAt((kind - 1) * 72 + 36, 3 * 72 + 36), tokens[kind]) << kind;
    for (int k = 0; k < 10; ++k) {
        const int x = (1 + k % 5 * 2) * 72 + lamps[k].dx;
        const int y = k / 5 * 5 * 72 + 2;
        EXPECT_EQ(PictureAt(x, y), lamps[k].picture) << lamps[k].code;
        EXPECT_NE(PictureAt(x - 1, y), lamps[k].picture) << lamps[k].code;
    }
}

}  // namespace
