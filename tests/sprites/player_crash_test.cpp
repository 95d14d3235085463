// Hits, the explosion and the respawn: three hits cost a life, the wreck burns where it stands,
// the car comes back on the road behind the place of the crash, and the last life ends the game.

#include <cmath>

#include "player_fixture.h"
#include "sprites/lamp.h"
#include "track/track_map.h"

namespace {

class PlayerCrashTest : public PlayerRaceTest {
protected:
    void BlowUpByHits() {
        car->TakeHit();
        car->TakeHit();
        car->TakeHit();
    }
    // Crash steps until the car drives again: the timer runs out after ceil(2000 / FrameMs)
    // steps and the step after that resets the car.
    int CrashSteps() const { return (2000 + FrameMs() - 1) / FrameMs() + 1; }
};

TEST_P(PlayerCrashTest, TheThirdHitBlowsTheCarUpAndCostsALife) {
    car->PickUp(CarItem::MachineGun);
    car->PickUp(CarItem::Nitro);
    SetSpeed(90);
    car->TakeHit();
    car->TakeHit();
    EXPECT_EQ(car->Energy, 1);
    EXPECT_EQ(car->Crashed, 0);
    EXPECT_EQ(form->RaceScreen.Race.Lives, 3);
    car->TakeHit();
    EXPECT_EQ(car->Energy, 3);
    EXPECT_EQ(form->RaceScreen.Race.Lives, 2);
    EXPECT_EQ(car->Crashed, 1);
    EXPECT_EQ(car->Image->Name(), "ExplosionBig");
    EXPECT_EQ(car->AnimPercent, 15);
    EXPECT_EQ(car->CrashTimer, 2000);
    EXPECT_EQ(car->CarSpeed, 0);
    EXPECT_EQ(car->Weapon, WeaponKind::None);
    EXPECT_EQ(car->Ammo, 0);
    EXPECT_FALSE(car->HasNitro);
    EXPECT_EQ(car->WeaponFrame, 1);
    EXPECT_EQ(car->EngineSoundName(), "");
}

TEST_P(PlayerCrashTest, TheCarComesBackOnTheRoadAndDrivesAgainAfter2000Ms) {
    form->RaceScreen.Track.ViewRow = 1400;
    form->RaceScreen.RefreshView();
    BlowUpByHits();
    Frame();
    // The explosion is drawn over the middle of where the car stood.
    EXPECT_EQ(car->X, 365);
    EXPECT_EQ(car->Y, 442);
    int steps = 1;
    bool respawnedBeforeTheEnd = false;
    while (car->Crashed != 0 && steps < 1000) {
        Frame();
        ++steps;
        if (car->Crashed != 0 && car->Respawned) {
            respawnedBeforeTheEnd = true;
            EXPECT_EQ(car->Image->Name(), "Car1");
        }
    }
    EXPECT_TRUE(respawnedBeforeTheEnd);
    EXPECT_EQ(steps, CrashSteps());
    EXPECT_FALSE(car->Respawned);
    EXPECT_TRUE(car->Visible);
    EXPECT_EQ(car->Image->Name(), "Car1");
    // Behind the place of the crash, and on the road.
    EXPECT_GT(form->RaceScreen.Track.ViewRow, 1400);
    EXPECT_LE(form->RaceScreen.Track.ViewRow, 1490);
    Frame();
    EXPECT_EQ(car->X, 365);
    EXPECT_EQ(car->Y, 400);
    EXPECT_TRUE(car->OnRoad);
    EXPECT_EQ(form->Screens.WindowKind, ModalWindow::None);
    // And it drives.
    Press({SDL_SCANCODE_UP});
    Frame();
    EXPECT_GT(car->CarSpeed, 0);
}

TEST_P(PlayerCrashTest, OnTheLastLifeTheCarDisappearsAndTheGameEndsAfter2000Ms) {
    form->RaceScreen.Race.Lives = 1;
    BlowUpByHits();
    EXPECT_EQ(form->RaceScreen.Race.Lives, 0);
    int steps = 0;
    bool hidden = false;
    while (form->Screens.WindowKind == ModalWindow::None && steps < 1000) {
        Frame();
        ++steps;
        if (!car->Visible) hidden = true;
    }
    EXPECT_TRUE(hidden);
    EXPECT_FALSE(car->Visible);
    EXPECT_EQ(form->Screens.WindowKind, ModalWindow::GameOver);
    EXPECT_EQ(steps, CrashSteps());
}

INSTANTIATE_TEST_SUITE_P(Rates, PlayerCrashTest, ::testing::Values(85, 60), RateName);

// Where the car reappears. The map's search is open-ended; these pin down its limits.
class PlayerRespawnTest : public PlayerRaceTest {
protected:
    void ExpectStartStretch() {
        EXPECT_EQ(form->RaceScreen.Track.ViewCol, 318);
        EXPECT_EQ(form->RaceScreen.Track.ViewRow, 1488);
        EXPECT_EQ(car->Heading, 0);
        EXPECT_EQ(car->Steer, 0);
        EXPECT_EQ(form->RaceScreen.CurrentBackground->X, 0);
        EXPECT_EQ(form->RaceScreen.CurrentBackground->Y, 0);
        EXPECT_TRUE(car->Respawned);
        EXPECT_TRUE(car->ClearTraffic);
    }
};

// The place beside each kind of right edge, entry by entry.
TEST(RespawnPlaceTest, EachRightEdgeCodeGivesItsSteeringAndColumn) {
    struct Row {
        int code;
        double steer;
        int viewCol;
    };
    for (const Row& row : {Row{4, 0, 400 - 6}, Row{12, 38, 400 - 7}, Row{17, -38, 400 - 4}}) {
        const RespawnPlace place = RespawnPlaceOf(row.code, 400);
        EXPECT_EQ(place.steer, row.steer) << row.code;
        EXPECT_EQ(place.viewCol, row.viewCol) << row.code;
    }
}

// The search read literally: from five rows below the view's top downwards, each row scanned
// from the right; the first cell coded 4, 12 or 17 ends the whole search.
TEST_P(PlayerRespawnTest, AlongTheWholeTrackTheSearchMatchesALiteralReading) {
    for (uint32_t seed : {1u, 2u, 3u}) {
        form->Components.Random.Seed(seed);
        form->RaceScreen.SetUpLevel(6);
        for (int row = 1489; row >= 1500 - 1300; row -= 7) {
            int expectRow = -1;
            int expectCol = 0;
            int expectCode = 0;
            for (int r = row + 5; r <= 1500 && expectRow < 0; ++r) {
                for (int c = 650; c >= 1; --c) {
                    const int code = form->RaceScreen.Track.TrackMap.At(r, c);
                    if (code == 4 || code == 12 || code == 17) {
                        expectRow = r;
                        expectCol = c;
                        expectCode = code;
                        break;
                    }
                }
            }
            ASSERT_GT(expectRow, 0);
            form->RaceScreen.Track.ViewRow = row;
            form->RaceScreen.Track.ViewCol = 318;
            form->RaceScreen.CurrentBackground->X = -30;
            form->RaceScreen.CurrentBackground->Y = -40;
            car->FindRespawn();
            const double steer = expectCode == 12 ? 38 : expectCode == 17 ? -38 : 0;
            const int col = expectCol - (expectCode == 12 ? 7 : expectCode == 17 ? 4 : 6);
            ASSERT_EQ(form->RaceScreen.Track.ViewRow, expectRow - 4)
                << "seed " << seed << " row " << row;
            ASSERT_EQ(form->RaceScreen.Track.ViewCol, col) << "seed " << seed << " row " << row;
            ASSERT_EQ(car->Steer, steer);
            ASSERT_EQ(car->Heading, std::lround(steer / 2));
            ASSERT_EQ(form->RaceScreen.CurrentBackground->X, 0);
            ASSERT_EQ(form->RaceScreen.CurrentBackground->Y, 0);
            ASSERT_TRUE(car->Respawned);
        }
    }
}

// The row just above the limit still searches; at 1490 the car goes back to the start.
TEST_P(PlayerRespawnTest, TheSearchRunsOnlyBelowRow1490) {
    form->RaceScreen.SetUpLevel(1);
    form->RaceScreen.Track.ViewRow = 1489;
    form->RaceScreen.Track.ViewCol = 330;
    car->Steer = 50;
    car->FindRespawn();
    EXPECT_EQ(form->RaceScreen.Track.ViewRow, 1490);  // the start stretch's row 1494, four rows up
    EXPECT_EQ(form->RaceScreen.Track.ViewCol, 324 - 6);
}

TEST_P(PlayerRespawnTest, AtTheStartOfTheTrackTheCarGoesBackToTheStartStretch) {
    form->RaceScreen.Track.ViewRow = 1490;
    form->RaceScreen.Track.ViewCol = 330;
    car->Steer = 50;
    car->FindRespawn();
    ExpectStartStretch();
}

TEST_P(PlayerRespawnTest, AMapWithoutARoadEdgeBehindTheCarSendsItToTheStartStretch) {
    form->RaceScreen.Track.TrackMap.Fill(0);
    form->RaceScreen.Track.ViewRow = 700;
    form->RaceScreen.Track.ViewCol = 100;
    car->Steer = -20;
    car->FindRespawn();
    ExpectStartStretch();
}

// The car put back on the road is also spared by the lamp posts until it has been clear of them.
TEST_P(PlayerRespawnTest, TheTrafficNearTheNewPlaceIsClearedOnTheNextStep) {
    form->RaceScreen.Track.ViewRow = 1300;
    form->RaceScreen.Race.Lamps->Grace = false;
    car->FindRespawn();
    EXPECT_TRUE(form->RaceScreen.Race.Lamps->Grace);
    EXPECT_TRUE(car->ClearTraffic);
    Frame();
    EXPECT_FALSE(car->ClearTraffic);
}

INSTANTIATE_TEST_SUITE_P(Rates, PlayerRespawnTest, ::testing::Values(85), RateName);

}  // namespace
