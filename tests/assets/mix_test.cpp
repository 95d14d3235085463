// The race as a player hears it, played through the game's own mixer (SDL_mixer on SDL's disk
// driver) at the game's music volume: the engine sits on the race music, the horn, the tyres,
// the chimes and the crashes sit where they should against them, the busiest moment of a race
// stays under full scale, and every engine switch starts the new sound from silence.

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "archive/riff_wave.h"
#include "assetgen/asset_parts.h"
#include "assetgen/music/music_measure.h"
#include "assetgen/music/music_render.h"
#include "assetgen/music/music_songs.h"
#include "assetgen/music/music_timeline.h"
#include "assetgen/sounds/sound_measure.h"
#include "media/music_player.h"
#include "persist/temp_folder.h"

namespace {

class MixTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const WaveEntry& entry : BuildSounds()) {
            const RiffWave riff = ParseRiffWave(entry.wave);
            index_[entry.name] = static_cast<int>(riffs_.size());
            riffs_.push_back(entry.wave);
            loudness_[entry.name] = measure::LoudestWindowDb(measure::DecodePcm16(riff.samples),
                                                             riff.sampleRate, 0.3, entry.looped);
            looped_[entry.name] = entry.looped;
        }
        race_ = WriteXm(music::RaceModule());
        timeline_ = music::TimelineOf(music::RaceModule());
    }

    // The race song's intro and one turn of its loop, as the game plays it.
    music::StereoRender RaceSong() const {
        return music::RenderThroughMixer(race_, timeline_.length, kMusicVolume, {}, {});
    }

    int Index(const std::string& name) const { return index_.at(name); }

    std::vector<std::vector<uint8_t>> riffs_;
    std::map<std::string, int> index_;
    std::map<std::string, double> loudness_;
    std::map<std::string, bool> looped_;
    std::vector<uint8_t> race_;
    music::SongTimeline timeline_;
};

// What a sound's loudness is measured against.
enum class Against {
    RaceMusic,  // the race song's loop at the game's music volume, one channel
    Engine,     // the accelerating engine, the mean of the four gears
    Chimes,     // the louder of the two pick-up chimes
};

struct Balance {
    const char* name;
    Against against;
    double minDb;
    double maxDb;
};

const Balance kBalance[] = {
    // The accelerating engine sits within a few dB of the music, idling a little under it.
    {"Accel1", Against::RaceMusic, -3.0, 3.0},
    {"Accel2", Against::RaceMusic, -3.0, 3.0},
    {"Accel3", Against::RaceMusic, -3.0, 3.0},
    {"Accel4", Against::RaceMusic, -3.0, 3.0},
    {"Maxed", Against::RaceMusic, -3.0, 3.0},
    {"Nitro", Against::RaceMusic, -3.0, 4.0},
    {"Shift", Against::RaceMusic, -3.0, 3.0},
    {"Neutral", Against::RaceMusic, -6.0, 0.0},
    {"Slowed", Against::RaceMusic, -6.0, 0.0},
    // The horn and the tyres stand out from the engine, but not by more than about 6 dB.
    {"Horn", Against::Engine, 1.0, 6.0},
    {"Brake", Against::Engine, 1.0, 6.0},
    // A pick-up is heard over the music.
    {"Score", Against::RaceMusic, 3.0, 9.0},
    {"Bonus", Against::RaceMusic, 3.0, 9.0},
    // An explosion and a crash are at least as loud as the chimes.
    {"Explosion", Against::Chimes, 0.0, 4.0},
    {"Collision", Against::Chimes, 0.0, 4.0},
};

TEST_F(MixTest, EachSoundSitsWhereItShouldAgainstTheMusic) {
    const music::StereoRender song = RaceSong();
    const double music =
        music::MeasureStretch(song, timeline_.loopStart, timeline_.length).loudnessDb;
    double engine = 0.0;
    for (const char* gear : {"Accel1", "Accel2", "Accel3", "Accel4"})
        engine += loudness_.at(gear) / 4.0;
    const double chimes = std::max(loudness_.at("Score"), loudness_.at("Bonus"));
    for (const Balance& balance : kBalance) {
        double reference = music;
        if (balance.against == Against::Engine) reference = engine;
        if (balance.against == Against::Chimes) reference = chimes;
        const double difference = loudness_.at(balance.name) - reference;
        EXPECT_GE(difference, balance.minDb) << balance.name;
        EXPECT_LE(difference, balance.maxDb) << balance.name;
    }
}

// The busiest moment of a race: the loudest stretch of the race music under the engine at the
// limiter, a held horn and the machine gun, with explosions, crashes, cries, rockets and a rain
// of chimes on top. The mixer clamps what goes over full scale; nothing may reach it.
TEST_F(MixTest, BusiestMomentOfARaceStaysUnderFullScale) {
    constexpr double kLength = 6.0;
    const music::StereoRender song = RaceSong();
    double loudestAt = 0.0;
    double loudest = -200.0;
    for (const music::SectionSpan& span : timeline_.sections) {
        const double level = music::MeasureStretch(song, span.start, span.end).loudnessDb;
        if (level > loudest) {
            loudest = level;
            loudestAt = span.start;
        }
    }
    std::vector<music::Cue> cues = {{loudestAt, 0, Index("Maxed"), true},
                                    {loudestAt, 1, Index("Horn"), true},
                                    {loudestAt, 2, Index("MachineGun"), true}};
    const std::pair<const char*, double> shots[] = {
        {"Explosion", 0.0}, {"Explosion", 1.9}, {"Explosion", 3.7}, {"Collision", 0.45},
        {"Collision", 2.6}, {"Collision", 4.4}, {"KillW", 1.2},     {"Kill", 3.1},
        {"Rocket", 0.8},    {"Rocket", 2.9}};
    int channel = 3;
    for (const auto& [name, offset] : shots) {
        cues.push_back({loudestAt + offset, channel++, Index(name), false});
    }
    for (double offset = 0.05; offset < kLength; offset += 0.37) {
        const bool bonus = static_cast<int>(offset / 0.37) % 3 == 2;
        cues.push_back(
            {loudestAt + offset, bonus ? 20 : 21, Index(bonus ? "Bonus" : "Score"), false});
    }
    const music::StereoRender busy =
        music::RenderThroughMixer(race_, loudestAt + kLength, kMusicVolume, riffs_, cues);
    int clamped = 0;
    int16_t peak = 0;
    for (size_t i = static_cast<size_t>(loudestAt * busy.rate) * 2; i < busy.samples.size(); ++i) {
        const int16_t value = busy.samples[i];
        if (value >= 32767 || value <= -32768) ++clamped;
        peak = std::max<int16_t>(peak, static_cast<int16_t>(std::abs(value)));
    }
    EXPECT_EQ(clamped, 0);
    EXPECT_LT(measure::Decibels(peak / 32768.0), -1.0) << "too little headroom left";
}

// The game switches the engine by stopping one sound and starting the next in the same mixer
// block. Played so, each sound of the drive comes in from silence: nothing the new sound adds
// at the join can click.
TEST_F(MixTest, EveryEngineSwitchStartsFromSilence) {
    const char* drive[] = {"Neutral", "Accel1", "Shift",  "Accel2",    "Shift", "Accel3",
                           "Shift",   "Accel4", "Maxed",  "Slowed",    "Nitro", "Brake",
                           "Neutral", "Horn",   "Accel1", "MachineGun"};
    // Each switch lands exactly on a block, 40 blocks (about 0.93 s) apart.
    constexpr int kBlocksApart = 40;
    const double blockSeconds = static_cast<double>(music::kRenderBlockFrames) / music::kRenderRate;
    std::vector<music::Cue> cues;
    for (size_t i = 0; i < std::size(drive); ++i) {
        cues.push_back({(1.0 + kBlocksApart * static_cast<double>(i)) * blockSeconds, 0,
                        Index(drive[i]), looped_.at(drive[i])});
    }
    const double seconds =
        (2.0 + kBlocksApart * static_cast<double>(std::size(drive))) * blockSeconds;
    const music::StereoRender render =
        music::RenderThroughMixer({}, seconds, kMusicVolume, riffs_, cues);
    for (size_t i = 0; i < std::size(drive); ++i) {
        const auto join = (1 + static_cast<size_t>(kBlocksApart) * i) * music::kRenderBlockFrames;
        // The first frame after the join is the new sound's alone: the old one has stopped.
        EXPECT_LE(std::abs(render.Left(join)), 0.01) << drive[i];
        double early = 0.0;
        for (size_t f = join; f < join + 22; ++f) early = std::max(early, std::abs(render.Left(f)));
        EXPECT_LE(early, 0.03) << drive[i] << " jumps in within half a millisecond";
        double later = 0.0;
        for (size_t f = join; f < join + 4410; ++f)
            later = std::max(later, std::abs(render.Left(f)));
        EXPECT_GT(later, 0.02) << drive[i] << " does not play";
    }
}

// Every figure above takes the music at the player's volume; the game's player must use it.
TEST_F(MixTest, TheGamesPlayerPlaysAtTheMixVolume) {
    const TempFolder folder;
    const std::string path = (folder.Path() / "race.xm").string();
    {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(race_.data()),
                  static_cast<std::streamsize>(race_.size()));
    }
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_AUDIO), 0) << SDL_GetError();
    ASSERT_EQ(Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024), 0) << Mix_GetError();
    Mix_VolumeMusic(MIX_MAX_VOLUME);
    {
        TMusicPlayer player;
        const int song = player.SongLoadFromFile(path);
        ASSERT_NE(song, 0);
        player.SongPlay(song);
        EXPECT_EQ(Mix_VolumeMusic(-1), kMusicVolume);
        player.SongFree(song);
    }
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

}  // namespace
