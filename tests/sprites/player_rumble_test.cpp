// The car asks the game to shake the pad: briefly on a hit, long and hard when it blows up.

#include <gtest/gtest.h>

#include "fake_race_host.h"
#include "sprites/player.h"

namespace {

TEST(PlayerRumbleTest, HitsPulseBrieflyAndTheBlowUpShakesLongest) {
    FakeRaceHost host;
    host.race.Lives = 3;
    auto* car = new TPlayer(&host.engine, host, 1);
    car->TakeHit();
    ASSERT_EQ(host.rumbles.size(), 1u);
    EXPECT_EQ(host.rumbles[0].strength, kHitRumbleStrength);
    EXPECT_EQ(host.rumbles[0].ms, kHitRumbleMs);
    car->TakeHit();
    car->TakeHit();  // the third blows the car up: its shake comes last and wins
    ASSERT_EQ(host.rumbles.size(), 4u);
    EXPECT_EQ(host.rumbles[2].ms, kHitRumbleMs);
    EXPECT_EQ(host.rumbles[3].strength, kBlowUpRumbleStrength);
    EXPECT_EQ(host.rumbles[3].ms, kBlowUpRumbleMs);
    EXPECT_GT(kBlowUpRumbleMs, kHitRumbleMs);
    EXPECT_GT(kBlowUpRumbleStrength, kHitRumbleStrength);
    EXPECT_EQ(host.race.Lives, 2);
}

}  // namespace
