#pragma once
// Plays songs and sounds through the game's own player, SDL_mixer, headless on SDL's "disk" audio
// driver, which takes the mixed output as fast as the mixer can make it. What comes back is
// exactly what the mixer hands the device, block by block: what a player hears, with the module
// player's loop handling, its stereo placement and the music volume included.

#include <cstdint>
#include <string>
#include <vector>

namespace music {

constexpr int kRenderRate = 44100;
// The mixer makes its output in blocks of this many frames, as the game's mixer does; cues
// take effect at the start of a block.
constexpr int kRenderBlockFrames = 1024;

// The mixer's output: interleaved 16-bit stereo.
struct StereoRender {
    int rate = kRenderRate;
    std::vector<int16_t> samples;
    size_t Frames() const { return samples.size() / 2; }
    double Left(size_t frame) const { return samples[2 * frame] / 32768.0; }
    double Right(size_t frame) const { return samples[2 * frame + 1] / 32768.0; }
};

// A sound started or stopped at a moment of the rendering, as the game starts and stops them:
// `sound` is an index into the render's sounds, -1 halts whatever plays on the channel. A cue
// takes effect at the first block the mixer makes at or after its time, as the game's calls
// take effect at the next block the device asks for.
struct Cue {
    double seconds = 0.0;
    int channel = 0;
    int sound = -1;
    bool loop = false;
};

// Renders `seconds` of the song (XM bytes; empty: no song) playing in a loop, as the game plays
// it, at `musicVolume` (0 .. 128, Mix_VolumeMusic), with `sounds` (RIFF waves) played as the
// cues say at full channel volume. Throws std::runtime_error when SDL or the mixer fail; SDL's
// audio must not be in use.
StereoRender RenderThroughMixer(const std::vector<uint8_t>& song, double seconds, int musicVolume,
                                const std::vector<std::vector<uint8_t>>& sounds,
                                std::vector<Cue> cues);

// Writes a 16-bit stereo WAV file, for listening.
void WriteStereoWav(const std::string& path, const StereoRender& render);

}  // namespace music
