// A stopped sound fades out over a few milliseconds instead of ending mid-wave, heard through
// the real mixer: the engine switches its loops all race long, and each cut would click.

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

#include "media/mono_wave.h"
#include "media/wave_list.h"

namespace {

// The mixer's output, block by block, as the device would get it.
struct Capture {
    std::mutex mutex;
    std::condition_variable grew;
    std::vector<Sint16> samples;  // interleaved stereo
};

void CaptureOutput(void* data, Uint8* stream, int length) {
    auto* capture = static_cast<Capture*>(data);
    const auto* samples = reinterpret_cast<const Sint16*>(stream);
    {
        std::lock_guard<std::mutex> lock(capture->mutex);
        capture->samples.insert(capture->samples.end(), samples,
                                samples + length / static_cast<int>(sizeof(Sint16)));
    }
    capture->grew.notify_all();
}

// Waits until the capture holds at least `frames` stereo frames; false if the mixer stalled.
bool WaitForFrames(Capture& capture, size_t frames) {
    std::unique_lock<std::mutex> lock(capture.mutex);
    return capture.grew.wait_for(lock, std::chrono::seconds(30),
                                 [&] { return capture.samples.size() / 2 >= frames; });
}

// Waits until a sound is heard and `frames` stereo frames have followed its first sample;
// returns that first frame, or nothing if the mixer stalled. The disk driver mixes as fast as it
// can, so any number of silent blocks may come before the sound starts.
std::optional<size_t> WaitForSound(Capture& capture, size_t frames) {
    std::unique_lock<std::mutex> lock(capture.mutex);
    std::optional<size_t> first;
    size_t searched = 0;  // samples already known to be silent
    capture.grew.wait_for(lock, std::chrono::seconds(30), [&] {
        for (; !first && searched < capture.samples.size(); ++searched) {
            if (capture.samples[searched] != 0) first = searched / 2;
        }
        return first && capture.samples.size() / 2 >= *first + frames;
    });
    if (first && capture.samples.size() / 2 < *first + frames) return std::nullopt;
    return first;
}

// A loud 441 Hz sine at the mixer's rate: at any moment far from zero.
std::vector<uint8_t> SineWave(int frames) {
    std::vector<int16_t> samples;
    for (int i = 0; i < frames; ++i) {
        const double v = 20000 * std::sin(2 * std::numbers::pi * 441 * i / 44100.0);
        samples.push_back(static_cast<int16_t>(std::lround(v)));
    }
    return MonoWave(samples, 44100);
}

class DiskAudio {
public:
    DiskAudio() {
        for (const char* name : {"SDL_AUDIODRIVER", "SDL_DISKAUDIOFILE", "SDL_DISKAUDIODELAY"}) {
            const char* old = std::getenv(name);
            saved_.push_back({name, old != nullptr, old != nullptr ? old : ""});
        }
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", "/dev/null", 1);
        setenv("SDL_DISKAUDIODELAY", "0", 1);  // as fast as the mixer can go
    }
    ~DiskAudio() {
        for (const Saved& s : saved_) {
            if (s.set) {
                setenv(s.name, s.value.c_str(), 1);
            } else {
                unsetenv(s.name);
            }
        }
    }

private:
    struct Saved {
        const char* name;
        bool set;
        std::string value;
    };
    std::vector<Saved> saved_;
};

TEST(MixerFadeTest, AStoppedLoopFadesToSilenceWithoutAStep) {
    DiskAudio disk;
    std::unique_ptr<AudioBackend> backend = OpenAudioBackend();
    ASSERT_FALSE(backend->Silent()) << "the disk audio driver did not open";
    Capture capture;
    const int sound = backend->LoadSound(SineWave(4400));  // 44 whole periods
    ASSERT_GE(sound, 0);
    Mix_SetPostMix(CaptureOutput, &capture);

    const int handle = backend->Start(sound, true);
    const std::optional<size_t> started = WaitForSound(capture, 8000);
    ASSERT_TRUE(started) << "the sine never played";
    // Stopped mid-wave. The capture's lock is not held meanwhile: the mixer's thread takes it in
    // the middle of mixing, and the stop waits for the mixer.
    backend->Stop(handle);
    EXPECT_FALSE(backend->IsPlaying(handle));
    size_t stoppedBy = 0;  // every block mixed after this point is faded
    {
        std::lock_guard<std::mutex> lock(capture.mutex);
        stoppedBy = capture.samples.size() / 2;
    }
    ASSERT_TRUE(WaitForFrames(capture, stoppedBy + 8192));
    Mix_SetPostMix(nullptr, nullptr);

    std::lock_guard<std::mutex> lock(capture.mutex);
    const std::vector<Sint16>& out = capture.samples;
    // The loud sine was playing before the stop.
    int loudest = 0;
    for (size_t i = (*started + 6000) * 2; i < (*started + 8000) * 2; ++i)
        loudest = std::max(loudest, std::abs(out[i]));
    EXPECT_GT(loudest, 15000);
    // No step larger than the sine's own steepest (20000 x 2 pi x 441 / 44100, about 1260, at
    // full mixer volume about the same): a cut from the wave to silence would be ten times that.
    int steepest = 0;
    for (size_t i = 2; i < out.size(); i += 1) {
        steepest = std::max(steepest, std::abs(out[i] - out[i - 2]));
    }
    EXPECT_LT(steepest, 1500);
    // Silence after the fade, counted from the last block that could still have been mixed
    // before the stop.
    const size_t silentFrom = stoppedBy + 1024 + 44100 * 5 / 1000 + 1;
    for (size_t i = silentFrom * 2; i < out.size(); ++i) ASSERT_EQ(out[i], 0) << i;
}

}  // namespace
