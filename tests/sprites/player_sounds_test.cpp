// The engine sound: which sound runs while accelerating, coasting, braking, off the road and
// with nitro, and how a collision restarts it.

#include <string>
#include <vector>

#include "player_fixture.h"

namespace {

class PlayerSoundTest : public PlayerRaceTest {
protected:
    void SetUp() override {
        PlayerRaceTest::SetUp();
        form->RaceScreen.Track.ViewRow = 1000;
        OpenRoad();
    }
};

struct SoundChange {
    std::string sound;
    double speed;  // the speed the step that switched started from
};

TEST_P(PlayerSoundTest, AcceleratingRunsThroughTheGearsToMaxed) {
    Press({SDL_SCANCODE_UP});
    ASSERT_EQ(car->EngineSoundName(), "Neutral");
    std::vector<SoundChange> changes;
    const int limit = 2400 * GetParam() / 85;
    for (int i = 0; i < limit && car->CarSpeed < 159; ++i) {
        const double speed = car->CarSpeed;
        const std::string before = car->EngineSoundName();
        Frame();
        if (car->EngineSoundName() != before) changes.push_back({car->EngineSoundName(), speed});
    }
    const std::vector<std::string> expected = {"Accel1", "Shift", "Accel2", "Shift",
                                               "Accel3", "Shift", "Accel4", "Shift",
                                               "Accel4", "Shift", "Accel4", "Maxed"};
    ASSERT_EQ(changes.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(changes[i].sound, expected[i]) << i;
    // The gear changes happen in their narrow speed bands.
    const double shiftBands[5][2] = {{65, 67}, {95, 97}, {115, 116}, {130, 131}, {142, 143}};
    for (int k = 0; k < 5; ++k) {
        const SoundChange& shift = changes[1 + 2 * k];
        EXPECT_GT(shift.speed, shiftBands[k][0]) << k;
        EXPECT_LE(shift.speed, shiftBands[k][1]) << k;
    }
    EXPECT_GT(changes[0].speed, 0);
    EXPECT_LE(changes[0].speed, 65);
    // Between 90 and 95 the second gear goes on.
    EXPECT_GT(changes[3].speed, 95);
    EXPECT_GT(changes.back().speed, 157);
}

TEST_P(PlayerSoundTest, ReleasingUpAt100SlowsThenIdlesAt40) {
    SetSpeed(100);
    Press({SDL_SCANCODE_UP});
    Frame();
    EXPECT_EQ(car->EngineSoundName(), "Accel3");
    Release({SDL_SCANCODE_UP});
    Frame();
    EXPECT_EQ(car->EngineSoundName(), "Slowed");
    double speedBefore = car->CarSpeed;
    ASSERT_TRUE(RunUntil(
        [&] {
            if (car->EngineSoundName() == "Neutral") return true;
            speedBefore = car->CarSpeed;
            return false;
        },
        2000));
    EXPECT_LE(speedBefore, 40);
    EXPECT_GT(speedBefore, 39.5);
}

TEST_P(PlayerSoundTest, TheHandbrakePlaysBrakeUntilTheCarStands) {
    SetSpeed(50);
    Press({SDL_SCANCODE_UP});
    Press({SDL_SCANCODE_SPACE});
    Frame();
    EXPECT_EQ(car->EngineSoundName(), "Brake");
    ASSERT_TRUE(RunUntil([&] { return car->CarSpeed == 0; }, 500));
    EXPECT_EQ(car->EngineSoundName(), "Brake");
    Frame();
    EXPECT_EQ(car->EngineSoundName(), "Neutral");
}

TEST_P(PlayerSoundTest, OffTheRoadTheEngineIdlesWhateverThePedals) {
    OpenGround();
    SetSpeed(70);
    Press({SDL_SCANCODE_UP});
    for (int i = 0; i < 20; ++i) {
        Frame();
        ASSERT_EQ(car->EngineSoundName(), "Neutral");
    }
}

TEST_P(PlayerSoundTest, NitroHasItsOwnSoundWhichStopsWithTheKey) {
    car->PickUp(CarItem::Nitro);
    SetSpeed(100);
    Press({SDL_SCANCODE_UP, SDL_SCANCODE_X});
    Frame();
    EXPECT_EQ(car->EngineSoundName(), "Nitro");
    EXPECT_TRUE(car->EngineSoundFlags.Nitro);
    Release({SDL_SCANCODE_X});
    Frame();
    EXPECT_FALSE(car->EngineSoundFlags.Nitro);
    EXPECT_NE(car->EngineSoundName(), "Nitro");
}

TEST_P(PlayerSoundTest, ACollisionRestartsTheRunningAccelerationSoundAsItsTopGear) {
    SetSpeed(20);
    Press({SDL_SCANCODE_UP});
    Frame();
    ASSERT_EQ(car->EngineSoundName(), "Accel1");
    const double speed = car->CarSpeed;
    car->SlowDown(0.5);
    EXPECT_EQ(car->CarSpeed, speed * 0.5);
    EXPECT_EQ(car->EngineSoundName(), "Accel4");
    EXPECT_TRUE(car->EngineSoundFlags.Accel);
}

TEST_P(PlayerSoundTest, MutingKeepsTheFlagsSoThatResumingRestartsTheSound) {
    SetSpeed(100);
    Frame();
    ASSERT_EQ(car->EngineSoundName(), "Slowed");
    car->MuteCarSounds(true);
    EXPECT_TRUE(car->EngineSoundFlags.Slowed);
    car->HornOn = true;
    car->ResumeCarSounds(true);
    EXPECT_EQ(car->EngineSoundName(), "Slowed");
    // The machine gun's loop restarts through the same switch, which leaves the engine silent
    // until its next change.
    car->GunSoundOn = true;
    car->ResumeCarSounds(true);
    EXPECT_EQ(car->EngineSoundName(), "");
    Frame();
    EXPECT_EQ(car->EngineSoundName(), "Slowed");
}

INSTANTIATE_TEST_SUITE_P(Rates, PlayerSoundTest, ::testing::Values(85, 60), RateName);

}  // namespace
