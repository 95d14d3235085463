#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "archive/archive_writer.h"
#include "media/mono_wave.h"
#include "media/music_player.h"
#include "media/wave_list.h"

namespace {

// A mixer whose sounds play until the test says they finished.
class ScriptedBackend : public AudioBackend {
public:
    struct StartCall {
        int sound;
        bool loop;
        int handle;
    };

    int LoadSound(const std::vector<uint8_t>& riff) override {
        if (riff.empty()) return -1;
        return nextSound++;
    }
    void FreeSound(int sound) override { freed.push_back(sound); }
    int Start(int sound, bool loop) override {
        const int handle = nextHandle++;
        starts.push_back({sound, loop, handle});
        playing.insert(handle);
        return handle;
    }
    bool IsPlaying(int handle) const override { return playing.count(handle) != 0; }
    void Stop(int handle) override {
        if (playing.erase(handle) != 0) stopped.push_back(handle);
    }

    void Finish(int handle) { playing.erase(handle); }

    int nextSound = 0;
    int nextHandle = 100;
    std::vector<StartCall> starts;
    std::vector<int> stopped;  // handles stopped while playing
    std::vector<int> freed;
    std::set<int> playing;
};

WaveEntry Wave(const std::string& name, bool looped, int maxPlaying) {
    WaveEntry entry;
    entry.name = name;
    entry.looped = looped;
    entry.maxPlayingCount = maxPlaying;
    entry.wave = {1, 2, 3};
    return entry;
}

class WavePoolTest : public ::testing::Test {
protected:
    ScriptedBackend backend;
};

TEST_F(WavePoolTest, LoopedWaveRestartsItsOneBuffer) {
    TWaveItem engine(Wave("Engine", true, 0), &backend);
    engine.StartWave();
    engine.StartWave();
    EXPECT_EQ(engine.PoolSize(), 1);
    ASSERT_EQ(backend.starts.size(), 2u);
    EXPECT_TRUE(backend.starts[0].loop);
    EXPECT_TRUE(backend.starts[1].loop);
    EXPECT_EQ(backend.stopped, std::vector<int>{backend.starts[0].handle});
    EXPECT_EQ(engine.PlayingCount(), 1);
}

TEST_F(WavePoolTest, FirstIdleBufferIsReused) {
    TWaveItem crash(Wave("Crash", false, 3), &backend);
    for (int i = 0; i < 3; ++i) crash.StartWave();
    ASSERT_EQ(crash.PoolSize(), 3);
    EXPECT_FALSE(backend.starts[0].loop);
    backend.Finish(backend.starts[1].handle);
    crash.StartWave();
    EXPECT_EQ(crash.PoolSize(), 3);
    EXPECT_EQ(crash.PlayingCount(), 3);
    EXPECT_TRUE(backend.stopped.empty()) << "a playing buffer was cut off";
}

TEST_F(WavePoolTest, PoolGrowsToMaxPlayingCountThenRestartsTheOldest) {
    TWaveItem shot(Wave("Shot", false, 2), &backend);
    shot.StartWave();
    shot.StartWave();
    shot.StartWave();
    EXPECT_EQ(shot.PoolSize(), 2);
    EXPECT_EQ(backend.stopped, std::vector<int>{backend.starts[0].handle});
    // The buffer just restarted is now the youngest; the next restart takes the other one.
    shot.StartWave();
    EXPECT_EQ(backend.stopped,
              (std::vector<int>{backend.starts[0].handle, backend.starts[1].handle}));
    EXPECT_EQ(shot.PlayingCount(), 2);
}

TEST_F(WavePoolTest, MaxPlayingCountZeroGrowsWithoutLimit) {
    TWaveItem tick(Wave("Tick", false, 0), &backend);
    for (int i = 0; i < 40; ++i) tick.StartWave();
    EXPECT_EQ(tick.PoolSize(), 40);
    EXPECT_EQ(tick.PlayingCount(), 40);
    EXPECT_TRUE(backend.stopped.empty());
}

TEST_F(WavePoolTest, StopWaveStopsEveryBuffer) {
    TWaveItem horn(Wave("Horn", false, 0), &backend);
    for (int i = 0; i < 3; ++i) horn.StartWave();
    horn.StopWave();
    EXPECT_EQ(horn.PlayingCount(), 0);
    EXPECT_EQ(backend.stopped.size(), 3u);
    horn.StartWave();
    EXPECT_EQ(horn.PoolSize(), 3);
}

TEST_F(WavePoolTest, UnusableSoundDataPlaysNothing) {
    WaveEntry broken = Wave("Broken", false, 0);
    broken.wave.clear();
    TWaveItem item(broken, &backend);
    EXPECT_FALSE(item.Loaded());
    item.StartWave();
    item.StopWave();
    EXPECT_TRUE(backend.starts.empty());
}

TEST_F(WavePoolTest, ItemsFreeTheirSoundsWhenTheListIsReplaced) {
    TWaveList list(&backend);
    list.LoadEntries({Wave("Button", false, 0), Wave("Siren", true, 0)});
    list.ByName("Siren").StartWave();
    list.LoadEntries({Wave("Tick", false, 0)});
    EXPECT_EQ(backend.freed.size(), 2u);
    EXPECT_TRUE(backend.playing.empty());
}

TEST_F(WavePoolTest, NamesAreFoundWithoutRegardToCase) {
    TWaveList list(&backend);
    list.LoadEntries({Wave("Button", false, 0), Wave("EngineHigh", true, 0)});
    EXPECT_EQ(list.ByName("button").Name(), "Button");
    EXPECT_EQ(list.ByName("ENGINEHIGH").Name(), "EngineHigh");
    EXPECT_EQ(list.Find("Engine"), nullptr);
    try {
        list.ByName("Boom");
        FAIL() << "no error for a missing name";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "Wave 'Boom' not found");
    }
}

// A short quiet square wave.
std::vector<uint8_t> SquareWave(int samples) {
    std::vector<int16_t> wave;
    for (int i = 0; i < samples; ++i) wave.push_back((i / 50) % 2 ? 2000 : -2000);
    return MonoWave(wave, 22050);
}

TEST(SdlMixerBackendTest, PlaysAndStopsUnderTheDummyDriver) {
    std::unique_ptr<AudioBackend> backend = OpenAudioBackend();
    ASSERT_FALSE(backend->Silent()) << "the dummy audio driver did not open";
    const int sound = backend->LoadSound(SquareWave(2205));
    ASSERT_GE(sound, 0);
    EXPECT_EQ(backend->LoadSound({1, 2, 3}), -1);
    EXPECT_EQ(backend->Start(sound + 1, false), -1);

    // Looping sounds never end by themselves, so what plays is up to the test alone.
    const int first = backend->Start(sound, true);
    ASSERT_GE(first, 0);
    EXPECT_TRUE(backend->IsPlaying(first));
    backend->Stop(first);
    EXPECT_FALSE(backend->IsPlaying(first));

    // The next sound takes the freed channel; the old handle must not reach it.
    const int second = backend->Start(sound, true);
    ASSERT_GE(second, 0);
    EXPECT_NE(second, first);
    backend->Stop(first);
    EXPECT_TRUE(backend->IsPlaying(second));
    backend->Stop(second);

    backend->FreeSound(sound);
    EXPECT_EQ(backend->Start(sound, false), -1);
}

TEST(SdlMixerBackendTest, MoreSoundsThanChannelsGrowTheMixer) {
    std::unique_ptr<AudioBackend> backend = OpenAudioBackend();
    ASSERT_FALSE(backend->Silent());
    const int sound = backend->LoadSound(SquareWave(2205));
    std::vector<int> handles;
    for (int i = 0; i < 48; ++i) handles.push_back(backend->Start(sound, true));
    for (int handle : handles) {
        ASSERT_GE(handle, 0);
        EXPECT_TRUE(backend->IsPlaying(handle));
    }
    for (int handle : handles) backend->Stop(handle);
}

TEST(SdlMixerBackendTest, NoAudioDeviceGivesTheSilentBackend) {
    const char* previous = std::getenv("SDL_AUDIODRIVER");
    const std::string saved = previous != nullptr ? previous : "";
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    std::unique_ptr<AudioBackend> backend = OpenAudioBackend();
    if (previous != nullptr) {
        setenv("SDL_AUDIODRIVER", saved.c_str(), 1);
    } else {
        unsetenv("SDL_AUDIODRIVER");
    }
    ASSERT_TRUE(backend->Silent());

    // The game runs on as usual: every sound loads and starts, none plays.
    TWaveList list(backend.get());
    list.LoadEntries({Wave("Button", false, 2)});
    TWaveItem& button = list.ByName("Button");
    EXPECT_TRUE(button.Loaded());
    button.StartWave();
    button.StartWave();
    EXPECT_EQ(button.PlayingCount(), 0);
    EXPECT_EQ(button.PoolSize(), 1);
    button.StopWave();
}

// A player with a damaged data file learns which file, and which sound in it: the archive's path
// and the sound's name, not the size of some sound. The other sounds still play, and the song
// that cannot be loaded is named once however often the screens ask for it.
TEST(DataErrorsTest, ADamagedSoundOrSongIsNamedWithItsFile) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("zarvex_data_errors_" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::string archive = (folder / "Sounds.dxw").string();
    WaveEntry good = Wave("Button", false, 2);
    good.wave = SquareWave(2205);
    // One sound cut short (the reader's check finds it at once), one of a format the mixer does
    // not know (found when it is first played).
    WaveEntry cut = Wave("MenuBegin", false, 1);
    cut.wave = SquareWave(2205);
    cut.wave.resize(22);
    WaveEntry strange = Wave("Horn", false, 1);
    strange.wave = SquareWave(2205);
    strange.wave[20] = 0x07;
    strange.wave[21] = 0x07;
    WriteFileBytes(archive, WriteWaveArchive({good, cut, strange}));

    std::unique_ptr<AudioBackend> backend = OpenAudioBackend();
    ASSERT_FALSE(backend->Silent()) << "the dummy audio driver did not open";
    TWaveList list(backend.get());
    testing::internal::CaptureStderr();
    list.LoadArchive(archive);
    list.ByName("Horn").StartWave();
    list.ByName("Button").StartWave();
    const std::string told = testing::internal::GetCapturedStderr();
    EXPECT_NE(told.find(archive + ": sound 'MenuBegin': "), std::string::npos) << told;
    EXPECT_NE(told.find(archive + ": sound 'Horn': "), std::string::npos) << told;
    EXPECT_EQ(told.find("Button"), std::string::npos) << told;
    EXPECT_EQ(list.ByName("Button").PlayingCount(), 1);
    EXPECT_EQ(list.ByName("Horn").PlayingCount(), 0);
    try {
        list.ByName("Crash");
        FAIL() << "no error for a missing name";
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(std::string(error.what()), archive + ": Wave 'Crash' not found");
    }

    const std::string song = (folder / "Menu.xm").string();
    WriteFileBytes(song, {'n', 'o', 'p', 'e'});
    TMusicPlayer player;
    testing::internal::CaptureStderr();
    EXPECT_EQ(player.SongLoadFromFile(song), 0);
    EXPECT_EQ(player.SongLoadFromFile(song), 0);
    const std::string songTold = testing::internal::GetCapturedStderr();
    const size_t first = songTold.find(song + ": ");
    EXPECT_NE(first, std::string::npos) << songTold;
    EXPECT_EQ(songTold.find(song, first + 1), std::string::npos) << songTold;
    std::filesystem::remove_all(folder);
}

}  // namespace
