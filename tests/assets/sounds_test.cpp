// The sound archive's waves: names and flags as the game's code asks for them, lengths the game's
// timing needs, clean signals (headroom, no offset, silent starts and ends, seamless loops),
// energy where a listener hears it, and the character each sound must have (rising engine
// pitch, five shots a second, a soft servo start). How the sounds sit against each other and
// the music is mix_test.cpp's.

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "archive/archive_reader.h"
#include "archive/archive_writer.h"
#include "archive/riff_wave.h"
#include "assetgen/asset_parts.h"
#include "assetgen/sounds/sound_measure.h"

namespace {

struct DecodedSound {
    bool looped = false;
    int maxPlayingCount = 0;
    int sampleRate = 0;
    std::vector<double> samples;  // -1 .. 1

    double Seconds() const { return static_cast<double>(samples.size()) / sampleRate; }
};

class SoundsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        waves_ = new std::vector<WaveEntry>(BuildSounds());
        sounds_ = new std::map<std::string, DecodedSound>();
        for (const WaveEntry& entry : *waves_) {
            const RiffWave riff = ParseRiffWave(entry.wave);
            ASSERT_EQ(riff.formatTag, 1) << entry.name;
            ASSERT_EQ(riff.channels, 1) << entry.name;
            ASSERT_EQ(riff.bitsPerSample, 16) << entry.name;
            DecodedSound sound;
            sound.looped = entry.looped;
            sound.maxPlayingCount = entry.maxPlayingCount;
            sound.sampleRate = riff.sampleRate;
            for (size_t i = 0; i + 1 < riff.samples.size(); i += 2) {
                const auto value =
                    static_cast<int16_t>(riff.samples[i] | (riff.samples[i + 1] << 8));
                sound.samples.push_back(value / 32768.0);
            }
            (*sounds_)[entry.name] = std::move(sound);
        }
    }
    static void TearDownTestSuite() {
        delete waves_;
        delete sounds_;
        waves_ = nullptr;
        sounds_ = nullptr;
    }

    static const DecodedSound& Sound(const std::string& name) { return sounds_->at(name); }

    static std::vector<WaveEntry>* waves_;
    static std::map<std::string, DecodedSound>* sounds_;
};

std::vector<WaveEntry>* SoundsTest::waves_ = nullptr;
std::map<std::string, DecodedSound>* SoundsTest::sounds_ = nullptr;

double PeakDb(const std::vector<double>& samples) {
    double peak = 0.0;
    for (double x : samples) peak = std::max(peak, std::abs(x));
    return 20.0 * std::log10(peak);
}

// The fundamental of a voice by normalised autocorrelation: the shortest lag whose correlation
// comes close to the best one (so a strong octave below does not win).
double AutocorrelationPitch(const std::vector<double>& samples, int rate, double lowHz,
                            double highHz) {
    const int minLag = static_cast<int>(rate / highHz);
    const int maxLag = static_cast<int>(rate / lowHz);
    const int window = static_cast<int>(samples.size()) - maxLag - 1;
    std::vector<double> r(static_cast<size_t>(maxLag + 2), 0.0);
    for (int lag = minLag; lag <= maxLag + 1; ++lag) {
        double xy = 0.0, xx = 0.0, yy = 0.0;
        for (int i = 0; i < window; ++i) {
            const double x = samples[static_cast<size_t>(i)];
            const double y = samples[static_cast<size_t>(i + lag)];
            xy += x * y;
            xx += x * x;
            yy += y * y;
        }
        r[static_cast<size_t>(lag)] = xy / std::sqrt(xx * yy + 1e-12);
    }
    const double best = *std::max_element(r.begin() + minLag, r.end());
    for (int lag = minLag + 1; lag <= maxLag; ++lag) {
        const double here = r[static_cast<size_t>(lag)];
        if (here >= 0.85 * best && here >= r[static_cast<size_t>(lag - 1)] &&
            here >= r[static_cast<size_t>(lag + 1)]) {
            return static_cast<double>(rate) / lag;
        }
    }
    return 0.0;
}

// The magnitude of one frequency in a signal (Goertzel).
double Magnitude(const std::vector<double>& samples, int rate, double hz) {
    const double coefficient = 2.0 * std::cos(2.0 * M_PI * hz / rate);
    double s1 = 0.0, s2 = 0.0;
    for (double x : samples) {
        const double s0 = x + coefficient * s1 - s2;
        s2 = s1;
        s1 = s0;
    }
    return std::sqrt(std::max(0.0, s1 * s1 + s2 * s2 - coefficient * s1 * s2));
}

// The fundamental of an engine by the harmonic product spectrum: the frequency whose first four
// harmonics are together the strongest. Engines carry strong sub-harmonic lumps (the half-order
// lope, the crank rock) that fool a plain autocorrelation, but those have weak harmonics.
double EnginePitch(const std::vector<double>& samples, int rate, double lowHz, double highHz) {
    std::vector<double> windowed(samples.size());
    const double n = static_cast<double>(samples.size());
    for (size_t i = 0; i < samples.size(); ++i) {
        windowed[i] = samples[i] * (0.5 - 0.5 * std::cos(2.0 * M_PI * static_cast<double>(i) / n));
    }
    double bestHz = 0.0;
    double bestScore = -1e300;
    for (double hz = lowHz; hz <= highHz; hz += 1.0) {
        double score = 0.0;
        for (int k = 1; k <= 4; ++k) score += std::log(Magnitude(windowed, rate, k * hz) + 1e-9);
        if (score > bestScore) {
            bestScore = score;
            bestHz = hz;
        }
    }
    return bestHz;
}

std::vector<double> Slice(const std::vector<double>& samples, double from, double to, int rate) {
    const auto a = static_cast<size_t>(from * rate);
    const auto b = std::min(samples.size(), static_cast<size_t>(to * rate));
    return {samples.begin() + static_cast<long>(a), samples.begin() + static_cast<long>(b)};
}

// -------------------------------------------------------------------------------------------
// The table of sounds: how each must be flagged, how long it may be, and whether it is one of
// the engine's states.

struct Expected {
    const char* name;
    bool looped;
    double minSeconds;
    double maxSeconds;
    bool engine;
};

const Expected kExpected[] = {
    {"Button", false, 0.05, 0.10, false},     {"MenuBegin", false, 0.8, 1.2, false},
    {"Tick", false, 0.02, 0.08, false},       {"Neutral", true, 0.5, 1.0, true},
    {"Accel1", true, 0.5, 1.0, true},         {"Accel2", true, 0.5, 1.0, true},
    {"Accel3", true, 0.5, 1.0, true},         {"Accel4", true, 0.5, 1.0, true},
    {"Shift", false, 0.2, 0.3, true},         {"Slowed", true, 0.5, 1.0, true},
    {"Maxed", true, 0.5, 1.0, true},          {"Brake", true, 0.5, 0.5, false},
    {"Nitro", true, 0.5, 1.0, true},          {"Horn", true, 0.3, 0.5, false},
    {"MachineGun", true, 0.4, 1.0, false},    {"Rocket", false, 0.2, 0.5, false},
    {"Explosion", false, 0.8, 1.2, false},    {"Collision", false, 0.2, 0.4, false},
    {"Kill", false, 0.5, 0.8, false},         {"KillW", false, 0.5, 0.8, false},
    {"Score", false, 0.2, 0.4, false},        {"Bonus", false, 0.4, 0.7, false},
    {"WeaponAppear", false, 0.4, 0.6, false},
};

TEST_F(SoundsTest, ArchiveHoldsTheTwentyThreeNamesOnce) {
    ASSERT_EQ(waves_->size(), std::size(kExpected));
    for (const Expected& expected : kExpected) {
        const auto count = std::count_if(waves_->begin(), waves_->end(), [&](const WaveEntry& w) {
            return w.name == expected.name;
        });
        EXPECT_EQ(count, 1) << expected.name;
    }
}

TEST_F(SoundsTest, BuildingTwiceGivesTheSameBytes) {
    const std::vector<WaveEntry> again = BuildSounds();
    ASSERT_EQ(again.size(), waves_->size());
    for (size_t i = 0; i < again.size(); ++i) {
        EXPECT_EQ(again[i].wave, (*waves_)[i].wave) << again[i].name;
    }
}

TEST_F(SoundsTest, SurviveTheArchiveAndLoadInTheMixer) {
    const std::vector<WaveEntry> read = ReadWaveArchive(WriteWaveArchive(*waves_));
    ASSERT_EQ(read.size(), waves_->size());
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_AUDIO), 0) << SDL_GetError();
    ASSERT_EQ(Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024), 0) << Mix_GetError();
    for (size_t i = 0; i < read.size(); ++i) {
        const WaveEntry& original = (*waves_)[i];
        EXPECT_EQ(read[i].name, original.name);
        EXPECT_EQ(read[i].looped, original.looped) << original.name;
        EXPECT_EQ(read[i].maxPlayingCount, 1) << original.name;
        EXPECT_EQ(read[i].wave, original.wave) << original.name;
        Mix_Chunk* chunk = Mix_LoadWAV_RW(
            SDL_RWFromConstMem(read[i].wave.data(), static_cast<int>(read[i].wave.size())), 1);
        EXPECT_NE(chunk, nullptr) << original.name << ": " << Mix_GetError();
        if (chunk != nullptr) {
            EXPECT_GT(chunk->alen, 0U) << original.name;
            Mix_FreeChunk(chunk);
        }
    }
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

class EachSoundTest : public SoundsTest, public ::testing::WithParamInterface<Expected> {};

TEST_P(EachSoundTest, FlagsAndLength) {
    const Expected& expected = GetParam();
    const DecodedSound& sound = Sound(expected.name);
    EXPECT_EQ(sound.looped, expected.looped);
    EXPECT_EQ(sound.maxPlayingCount, 1);
    EXPECT_EQ(sound.sampleRate, 22050);
    EXPECT_GE(sound.Seconds(), expected.minSeconds - 0.001);
    EXPECT_LE(sound.Seconds(), expected.maxSeconds + 0.001);
}

TEST_P(EachSoundTest, LeavesHeadroomAndHasNoOffset) {
    // Nothing peaks above -6 dBFS, so music, engine and a pile of events fit in the mixer
    // together; nothing is so quiet it is lost; and no sound sits off zero, which would thump
    // when it starts and stops and waste headroom.
    const DecodedSound& sound = Sound(GetParam().name);
    const measure::SoundFigures f =
        measure::MeasureSound(sound.samples, sound.sampleRate, sound.looped);
    EXPECT_LE(f.peakDb, -6.0 + 0.01);
    EXPECT_GE(f.peakDb, -24.0);
    EXPECT_LT(std::abs(f.dcPercent), 1.0);
}

TEST_P(EachSoundTest, StartsAndEndsInSilence) {
    // The game stops one sound and starts another from its first sample (every engine switch,
    // every horn press): a sound that starts or ends away from zero clicks.
    const Expected& expected = GetParam();
    const std::vector<double>& s = Sound(expected.name).samples;
    EXPECT_LE(std::abs(s.front()), 0.01);
    EXPECT_LE(std::abs(s.back()), 0.01);
    if (expected.looped) {
        // A loop comes in over a few milliseconds rather than in one step. (A one-shot may
        // strike at once: a crash or a click is meant to.)
        const std::vector<double> firstMillisecond(s.begin(), s.begin() + 22);
        EXPECT_LE(PeakDb(firstMillisecond), PeakDb(s) - 6.0);
        // Round the loop the jump from the last sample back to the first is no bigger than the
        // ordinary steps inside it: below the 99th percentile of them.
        std::vector<double> steps;
        for (size_t i = 1; i < s.size(); ++i) steps.push_back(std::abs(s[i] - s[i - 1]));
        std::nth_element(steps.begin(), steps.begin() + steps.size() * 99 / 100, steps.end());
        const double ordinary = steps[steps.size() * 99 / 100];
        EXPECT_LE(std::abs(s.front() - s.back()), ordinary);
    }
}

TEST_P(EachSoundTest, CarriesItsEnergyWhereSmallSpeakersPlay) {
    // Laptop speakers give almost nothing below 80 Hz: an engine with most of its energy down
    // there is buried, and an explosion or a crash with its weight there sounds weak.
    const Expected& expected = GetParam();
    const DecodedSound& sound = Sound(expected.name);
    const double share =
        measure::EnergyShareBelow(sound.samples, sound.sampleRate, 80.0, sound.looped);
    EXPECT_LE(share, expected.engine ? 0.5 : 0.6);
}

INSTANTIATE_TEST_SUITE_P(Sounds, EachSoundTest, ::testing::ValuesIn(kExpected),
                         [](const ::testing::TestParamInfo<Expected>& info) {
                             return std::string(info.param.name);
                         });

// -------------------------------------------------------------------------------------------
// The character of particular sounds.

TEST_F(SoundsTest, EnginePitchRisesThroughTheGears) {
    auto pitchOf = [](const std::string& name) {
        const DecodedSound& sound = Sound(name);
        return EnginePitch(sound.samples, sound.sampleRate, 30.0, 300.0);
    };
    const double neutral = pitchOf("Neutral");
    const double accel[4] = {pitchOf("Accel1"), pitchOf("Accel2"), pitchOf("Accel3"),
                             pitchOf("Accel4")};
    const double maxed = pitchOf("Maxed");
    EXPECT_GT(neutral, 30.0);
    EXPECT_LT(neutral, accel[0]);
    for (int gear = 1; gear < 4; ++gear) {
        EXPECT_LT(accel[gear - 1] * 1.1, accel[gear]) << "gear " << gear + 1;
    }
    EXPECT_LT(accel[3], maxed);
}

TEST_F(SoundsTest, LoopsRepeatTheirTone) {
    // An engine played round its loop keeps its pitch across the join: the pitch measured
    // across the seam matches the pitch inside the loop.
    for (const char* name : {"Neutral", "Accel2", "Maxed"}) {
        const DecodedSound& sound = Sound(name);
        std::vector<double> twice = sound.samples;
        twice.insert(twice.end(), sound.samples.begin(), sound.samples.end());
        const double half = sound.Seconds() / 2.0;
        const std::vector<double> inside = Slice(twice, 0.0, sound.Seconds(), sound.sampleRate);
        const std::vector<double> seam =
            Slice(twice, half, half + sound.Seconds(), sound.sampleRate);
        const double a = EnginePitch(inside, sound.sampleRate, 30.0, 250.0);
        const double b = EnginePitch(seam, sound.sampleRate, 30.0, 250.0);
        EXPECT_GT(a, 30.0) << name;
        EXPECT_NEAR(a, b, 2.0) << name;
    }
}

TEST_F(SoundsTest, WomanCriesHigherThanMan) {
    const DecodedSound& man = Sound("Kill");
    const DecodedSound& woman = Sound("KillW");
    const double male =
        AutocorrelationPitch(Slice(man.samples, 0.12, 0.35, 22050), 22050, 80.0, 900.0);
    const double female =
        AutocorrelationPitch(Slice(woman.samples, 0.12, 0.35, 22050), 22050, 80.0, 900.0);
    EXPECT_GT(male, 120.0);
    EXPECT_LT(male, 320.0);
    EXPECT_GT(female, 1.5 * male);
}

TEST_F(SoundsTest, MachineGunFiresFiveShotsASecond) {
    const DecodedSound& gun = Sound("MachineGun");
    // Shot onsets: the envelope (10 ms peaks) crossing half the loop's peak upwards.
    const int block = gun.sampleRate / 100;
    std::vector<double> envelope;
    for (size_t i = 0; i + block <= gun.samples.size(); i += static_cast<size_t>(block)) {
        double peak = 0.0;
        for (int j = 0; j < block; ++j) peak = std::max(peak, std::abs(gun.samples[i + j]));
        envelope.push_back(peak);
    }
    const double top = *std::max_element(envelope.begin(), envelope.end());
    std::vector<double> onsets;
    for (size_t i = 0; i < envelope.size(); ++i) {
        const double before = envelope[(i + envelope.size() - 1) % envelope.size()];
        if (envelope[i] >= 0.5 * top && before < 0.5 * top) onsets.push_back(i * 0.01);
    }
    const double shotsPerSecond = onsets.size() / gun.Seconds();
    EXPECT_DOUBLE_EQ(shotsPerSecond, 5.0);
    for (size_t i = 1; i < onsets.size(); ++i) EXPECT_NEAR(onsets[i] - onsets[i - 1], 0.2, 0.011);
}

TEST_F(SoundsTest, WeaponServoStartsSoftly) {
    // The sound restarts in every frame for its first ~100 ms; a hard start would buzz.
    const DecodedSound& servo = Sound("WeaponAppear");
    const std::vector<double> start = Slice(servo.samples, 0.0, 0.03, servo.sampleRate);
    EXPECT_LT(PeakDb(start), PeakDb(servo.samples) - 20.0);
}

TEST_F(SoundsTest, TickIsShortEnoughForTheEndOfLevelCount) {
    // During the end-of-level count the tick restarts about every 106 ms; it must have died
    // away well before, and most of its energy must be in its first half.
    const DecodedSound& tick = Sound("Tick");
    EXPECT_LE(tick.Seconds(), 0.08);
    const std::vector<double> tail =
        Slice(tick.samples, tick.Seconds() / 2.0, tick.Seconds(), tick.sampleRate);
    EXPECT_LT(PeakDb(tail), PeakDb(tick.samples) - 12.0);
}

}  // namespace
