// The sound mixer behind the wave list: SDL_mixer channels, or silence when no device opens.

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "archive/riff_wave.h"
#include "media/wave_list.h"

namespace {

constexpr int kInitialChannels = 32;
// Beyond this many sounds at once a new one is dropped rather than growing the mixer further.
constexpr int kMaxChannels = 256;
constexpr int kChunkSamples = 1024;
// A stopped sound fades out over this long instead of ending mid-wave: the engine switches its
// loops many times a minute, and a cut would click each time.
constexpr int kStopFadeMs = 5;

// The fade of one stopping channel. The mixer's thread ramps the channel's samples down to
// silence and then says so; the game's thread halts the channel once it has.
struct StopFade {
    std::atomic<int> framesLeft{0};
    std::atomic<bool> silent{false};
    int frames = 1;
    int channels = 2;
};

// Runs on the mixer's thread for a stopping channel, on its signed 16-bit samples.
void FadeOutEffect(int /*channel*/, void* stream, int length, void* data) {
    auto* fade = static_cast<StopFade*>(data);
    auto* samples = static_cast<Sint16*>(stream);
    const int frames = length / static_cast<int>(sizeof(Sint16)) / fade->channels;
    int left = fade->framesLeft.load(std::memory_order_relaxed);
    for (int f = 0; f < frames; ++f) {
        const float gain = left > 0 ? static_cast<float>(left) / fade->frames : 0.0F;
        for (int c = 0; c < fade->channels; ++c) {
            Sint16& sample = samples[f * fade->channels + c];
            sample = static_cast<Sint16>(static_cast<float>(sample) * gain);
        }
        if (left > 0) --left;
    }
    fade->framesLeft.store(left, std::memory_order_relaxed);
    if (left == 0) fade->silent.store(true, std::memory_order_release);
}

class SilentBackend final : public AudioBackend {
public:
    int LoadSound(const std::vector<uint8_t>& /*riff*/) override { return nextSound_++; }
    void FreeSound(int /*sound*/) override {}
    int Start(int /*sound*/, bool /*loop*/) override { return nextHandle_++; }
    bool IsPlaying(int /*handle*/) const override { return false; }
    void Stop(int /*handle*/) override {}
    bool Silent() const override { return true; }

private:
    int nextSound_ = 0;
    int nextHandle_ = 0;
};

class SdlMixerBackend final : public AudioBackend {
public:
    SdlMixerBackend() {
        int rate = kMixerRate;
        Uint16 format = 0;
        int channels = 2;
        if (Mix_QuerySpec(&rate, &format, &channels) == 0 || format != AUDIO_S16SYS) {
            channels = 0;  // an unknown sample layout: stopped sounds are cut, not faded
        }
        fadeFrames_ = std::max(1, rate * kStopFadeMs / 1000);
        outputChannels_ = channels;
        GrowTo(std::max(Mix_AllocateChannels(kInitialChannels), 0));
    }

    ~SdlMixerBackend() override {
        Mix_HaltChannel(-1);
        for (const Sound& sound : sounds_) {
            if (sound.chunk != nullptr) Mix_FreeChunk(sound.chunk);
        }
        Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }

    SdlMixerBackend(const SdlMixerBackend&) = delete;
    SdlMixerBackend& operator=(const SdlMixerBackend&) = delete;

    // The mixer converts a sound to its own rate and layout when the sound first starts, not
    // here: every sound of the archive converted at start-up took a third of the time before
    // the first frame, and many are not heard for minutes, if at all. A sound costs its
    // conversion once, in the frame it is first heard (well under a millisecond).
    int LoadSound(const std::vector<uint8_t>& riff) override {
        if (riff.empty()) return -1;
        // Only a wave file that the archive reader can measure reaches the mixer: the reader
        // held its converted size to the archive's budget, and the mixer takes the size as an
        // int (a larger sound would arrive as a negative size).
        loadError_.clear();
        try {
            MixerFramesAtMost(riff);
        } catch (const ArchiveError& error) {
            loadError_ = error.what();
            return -1;
        }
        sounds_.push_back(Sound{nullptr, riff, {}});
        return static_cast<int>(sounds_.size()) - 1;
    }

    std::string LoadError() const override { return loadError_; }

    void DescribeSound(int sound, std::string_view description) override {
        if (sound < 0 || sound >= static_cast<int>(sounds_.size())) return;
        sounds_[static_cast<size_t>(sound)].description = description;
    }

    void FreeSound(int sound) override {
        if (sound < 0 || sound >= static_cast<int>(sounds_.size())) return;
        // SDL_mixer halts the channels still playing the chunk before freeing it.
        Sound& freed = sounds_[static_cast<size_t>(sound)];
        if (freed.chunk != nullptr) Mix_FreeChunk(freed.chunk);
        freed = Sound{};
    }

    int Start(int sound, bool loop) override {
        Mix_Chunk* chunk = Converted(sound);
        if (chunk == nullptr) return -1;
        HaltFadedChannels();
        const int channel = FreeChannel();
        if (channel < 0) return -1;
        if (Mix_PlayChannel(channel, chunk, loop ? -1 : 0) < 0) return -1;
        const int handle = nextHandle_++;
        // The channel's previous sound has finished or was stopped; its handle must never
        // reach the new one.
        if (channelOwner_[channel] >= 0) channelOf_.erase(channelOwner_[channel]);
        channelOwner_[channel] = handle;
        channelOf_[handle] = channel;
        return handle;
    }

    bool IsPlaying(int handle) const override {
        const int channel = ChannelOf(handle);
        return channel >= 0 && Mix_Playing(channel) != 0;
    }

    // The handle is done at once (it no longer plays, as far as the game is concerned); its
    // channel fades out and is freed for another sound once silent.
    void Stop(int handle) override {
        const int channel = ChannelOf(handle);
        if (channel < 0) return;
        channelOf_.erase(handle);
        channelOwner_[channel] = -1;
        if (Mix_Playing(channel) == 0) return;
        StopFade& fade = *fades_[channel];
        if (outputChannels_ == 0 || fading_[channel]) {
            Halt(channel);
            return;
        }
        fade.frames = fadeFrames_;
        fade.channels = outputChannels_;
        fade.silent.store(false);
        fade.framesLeft.store(fadeFrames_);
        if (Mix_RegisterEffect(channel, FadeOutEffect, nullptr, &fade) == 0) {
            Halt(channel);
            return;
        }
        fading_[channel] = true;
    }

private:
    // A sound: its wave file until the first start, the mixer's chunk from then on.
    struct Sound {
        Mix_Chunk* chunk = nullptr;
        std::vector<uint8_t> riff;
        std::string description;  // how messages name it
    };

    // The sound's chunk, converted now if this is its first start; nullptr for a sound that
    // was freed or that the mixer cannot take (it then plays nothing, and is not tried again).
    Mix_Chunk* Converted(int sound) {
        if (sound < 0 || sound >= static_cast<int>(sounds_.size())) return nullptr;
        Sound& wanted = sounds_[static_cast<size_t>(sound)];
        if (wanted.chunk == nullptr && !wanted.riff.empty()) {
            SDL_RWops* source =
                SDL_RWFromConstMem(wanted.riff.data(), static_cast<int>(wanted.riff.size()));
            if (source != nullptr) wanted.chunk = Mix_LoadWAV_RW(source, 1);
            if (wanted.chunk == nullptr) {
                const std::string description =
                    wanted.description.empty()
                        ? "a sound of " + std::to_string(wanted.riff.size()) + " bytes"
                        : wanted.description;
                std::fprintf(stderr, "Zarvex 2: %s: %s; it is not played\n", description.c_str(),
                             Mix_GetError());
            }
            wanted.riff = {};
        }
        return wanted.chunk;
    }

    // The channel a handle still owns, or -1.
    int ChannelOf(int handle) const {
        const auto it = channelOf_.find(handle);
        if (it == channelOf_.end() || channelOwner_[it->second] != handle) return -1;
        return it->second;
    }

    void Halt(int channel) {
        Mix_HaltChannel(channel);
        if (fading_[channel]) Mix_UnregisterEffect(channel, FadeOutEffect);
        fading_[channel] = false;
    }

    void HaltFadedChannels() {
        for (int channel = 0; channel < static_cast<int>(fading_.size()); ++channel) {
            if (fading_[channel] && fades_[channel]->silent.load(std::memory_order_acquire)) {
                Halt(channel);
            }
        }
    }

    void GrowTo(int count) {
        channelOwner_.resize(static_cast<size_t>(count), -1);
        fading_.resize(static_cast<size_t>(count), false);
        while (static_cast<int>(fades_.size()) < count)
            fades_.push_back(std::make_unique<StopFade>());
    }

    // A channel still fading out is not free yet.
    int FreeChannel() {
        const int count = static_cast<int>(channelOwner_.size());
        for (int channel = 0; channel < count; ++channel) {
            if (Mix_Playing(channel) == 0) {
                if (fading_[channel]) Halt(channel);
                return channel;
            }
        }
        if (count >= kMaxChannels) return -1;
        // The mixer answers with the channels it really has; when it could not grow, the new
        // sound is dropped like one beyond kMaxChannels.
        const int grown = Mix_AllocateChannels(std::clamp(count * 2, 1, kMaxChannels));
        if (grown <= count) return -1;
        GrowTo(grown);
        return count;
    }

    std::vector<Sound> sounds_;
    std::string loadError_;
    // Per channel: a fade registered with the mixer, and its state (kept at a fixed address
    // while the mixer's thread may use it).
    std::vector<bool> fading_;
    std::vector<std::unique_ptr<StopFade>> fades_;
    int fadeFrames_ = 1;
    int outputChannels_ = 2;
    std::vector<int> channelOwner_;           // the handle that last started on each channel
    std::unordered_map<int, int> channelOf_;  // handle -> channel, for the current owners
    int nextHandle_ = 0;
};

}  // namespace

std::unique_ptr<AudioBackend> MakeSilentAudioBackend() {
    return std::make_unique<SilentBackend>();
}

std::unique_ptr<AudioBackend> OpenAudioBackend() {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return MakeSilentAudioBackend();
    for (int frequency : {kMixerRate, kMixerRate / 2}) {
        if (Mix_OpenAudio(frequency, AUDIO_S16SYS, 2, kChunkSamples) == 0) {
            return std::make_unique<SdlMixerBackend>();
        }
    }
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return MakeSilentAudioBackend();
}
