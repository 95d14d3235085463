#include "assetgen/music/music_render.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <mutex>
#include <optional>
#include <stdexcept>

namespace music {

namespace {

// The disk driver needs no real time; a render that makes no progress for this long has hung.
constexpr auto kStallLimit = std::chrono::seconds(60);

// Sets an environment variable for the life of the object and puts the old value back after.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : name_(name) {
        if (const char* old = SDL_getenv(name)) old_ = old;
        SDL_setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() {
        if (old_) {
            SDL_setenv(name_, old_->c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

// Keeps the disk driver's notice about where it writes off the console.
class QuietAudioLog {
public:
    QuietAudioLog() : old_(SDL_LogGetPriority(SDL_LOG_CATEGORY_AUDIO)) {
        SDL_LogSetPriority(SDL_LOG_CATEGORY_AUDIO, SDL_NUM_LOG_PRIORITIES);
    }
    ~QuietAudioLog() { SDL_LogSetPriority(SDL_LOG_CATEGORY_AUDIO, old_); }
    QuietAudioLog(const QuietAudioLog&) = delete;
    QuietAudioLog& operator=(const QuietAudioLog&) = delete;

private:
    SDL_LogPriority old_;
};

// What the mixer's thread shares with the caller while a render runs.
struct RenderState {
    std::mutex mutex;
    std::condition_variable progressed;
    size_t wanted = 0;  // frames
    bool started = false;
    std::vector<int16_t> output;
    Mix_Music* music = nullptr;
    std::vector<Mix_Chunk*> chunks;
    std::vector<Cue> cues;  // in time order
    size_t nextCue = 0;
};

// Runs the cues due by `frame`, the first frame of the block about to be mixed. A cue timed at
// the block's first frame (to within half a frame) runs with it.
void RunCues(RenderState& state, size_t frame) {
    while (state.nextCue < state.cues.size() &&
           state.cues[state.nextCue].seconds * kRenderRate <= static_cast<double>(frame) + 0.5) {
        const Cue& cue = state.cues[state.nextCue++];
        Mix_HaltChannel(cue.channel);
        if (cue.sound >= 0 && cue.sound < static_cast<int>(state.chunks.size())) {
            Mix_PlayChannel(cue.channel, state.chunks[static_cast<size_t>(cue.sound)],
                            cue.loop ? -1 : 0);
        }
    }
}

// Called by the mixer with each finished block, the device locked. The first call starts the
// song, so that it begins exactly on the next block; every later block is kept. What a cue
// starts here begins with the next block, on its first frame.
void AfterEachBlock(void* user, Uint8* stream, int bytes) {
    auto* state = static_cast<RenderState*>(user);
    size_t next = 0;
    {
        const std::lock_guard<std::mutex> lock(state->mutex);
        if (state->started) {
            const size_t count = static_cast<size_t>(bytes) / sizeof(int16_t);
            const size_t at = state->output.size();
            state->output.resize(at + count);
            std::memcpy(state->output.data() + at, stream, count * sizeof(int16_t));
        } else {
            state->started = true;
            if (state->music != nullptr) Mix_PlayMusic(state->music, -1);
        }
        next = state->output.size() / 2;
    }
    RunCues(*state, next);
    state->progressed.notify_all();
}

}  // namespace

StereoRender RenderThroughMixer(const std::vector<uint8_t>& song, double seconds, int musicVolume,
                                const std::vector<std::vector<uint8_t>>& sounds,
                                std::vector<Cue> cues) {
    if (SDL_WasInit(SDL_INIT_AUDIO) != 0) {
        throw std::runtime_error("the render needs SDL's audio to itself");
    }
    RenderState state;
    state.wanted = static_cast<size_t>(seconds * kRenderRate);
    state.output.reserve(2 * (state.wanted + kRenderBlockFrames));
    std::stable_sort(cues.begin(), cues.end(),
                     [](const Cue& a, const Cue& b) { return a.seconds < b.seconds; });
    state.cues = std::move(cues);
    {
        const QuietAudioLog quiet;
        const ScopedEnv driver("SDL_AUDIODRIVER", "disk");
        // The output is taken from the mixer block by block; the driver's file is not needed.
        const ScopedEnv file("SDL_DISKAUDIOFILE", "/dev/null");
        const ScopedEnv delay("SDL_DISKAUDIODELAY", "0");
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            throw std::runtime_error(std::string("SDL audio: ") + SDL_GetError());
        }
        // The game's own mixer settings.
        if (Mix_OpenAudioDevice(kRenderRate, AUDIO_S16SYS, 2, kRenderBlockFrames, nullptr, 0) !=
            0) {
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            throw std::runtime_error(std::string("mixer: ") + Mix_GetError());
        }
    }
    Mix_AllocateChannels(32);
    auto closeAll = [&] {
        Mix_SetPostMix(nullptr, nullptr);
        Mix_HaltChannel(-1);
        if (state.music != nullptr) {
            Mix_HaltMusic();
            Mix_FreeMusic(state.music);
        }
        for (Mix_Chunk* chunk : state.chunks) {
            if (chunk != nullptr) Mix_FreeChunk(chunk);
        }
        Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    };
    std::string failure;
    for (const std::vector<uint8_t>& riff : sounds) {
        state.chunks.push_back(
            Mix_LoadWAV_RW(SDL_RWFromConstMem(riff.data(), static_cast<int>(riff.size())), 1));
        if (state.chunks.back() == nullptr) failure = std::string("mixer: ") + Mix_GetError();
    }
    if (!song.empty()) {
        state.music =
            Mix_LoadMUS_RW(SDL_RWFromConstMem(song.data(), static_cast<int>(song.size())), 1);
        if (state.music == nullptr) failure = std::string("mixer: ") + Mix_GetError();
    }
    if (!failure.empty()) {
        closeAll();
        throw std::runtime_error(failure);
    }
    Mix_VolumeMusic(musicVolume);
    Mix_Volume(-1, MIX_MAX_VOLUME);
    Mix_SetPostMix(AfterEachBlock, &state);

    bool stalled = false;
    {
        std::unique_lock<std::mutex> lock(state.mutex);
        while (state.output.size() / 2 < state.wanted) {
            const size_t seen = state.output.size();
            if (!state.progressed.wait_for(lock, kStallLimit,
                                           [&] { return state.output.size() != seen; })) {
                stalled = true;
                break;
            }
        }
    }
    closeAll();
    if (stalled) throw std::runtime_error("the mixer stopped producing sound");
    StereoRender render;
    render.samples = std::move(state.output);
    render.samples.resize(2 * state.wanted);
    return render;
}

void WriteStereoWav(const std::string& path, const StereoRender& render) {
    std::ofstream out(path, std::ios::binary);
    auto u32 = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i) out.put(static_cast<char>((v >> (8 * i)) & 0xFFU));
    };
    auto u16 = [&](uint32_t v) {
        out.put(static_cast<char>(v & 0xFFU));
        out.put(static_cast<char>((v >> 8U) & 0xFFU));
    };
    const auto dataBytes = static_cast<uint32_t>(render.samples.size() * 2);
    out.write("RIFF", 4);
    u32(36 + dataBytes);
    out.write("WAVEfmt ", 8);
    u32(16);
    u16(1);  // integer PCM
    u16(2);
    u32(static_cast<uint32_t>(render.rate));
    u32(static_cast<uint32_t>(render.rate * 4));
    u16(4);
    u16(16);
    out.write("data", 4);
    u32(dataBytes);
    for (int16_t value : render.samples) u16(static_cast<uint16_t>(value));
}

}  // namespace music
