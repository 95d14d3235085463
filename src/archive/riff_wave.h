#pragma once
// RIFF WAVE files, the encoding of every sound in a sound archive.

#include <cstdint>
#include <span>
#include <vector>

#include "archive/archive_types.h"

inline constexpr const char* kWaveIsInvalid = "Wave is invalid";

// The mixer plays at 44.1 kHz (or half that when the device will not take it); every sound is
// converted to that rate when it is loaded.
inline constexpr int kMixerRate = 44100;

// How many sample frames the sounds of one archive may fill at the mixer's rate, all together. A
// sound's converted size is not bounded by its bytes: 1000 bytes of a wave that claims 1 Hz
// become four minutes of sound, 176 MB, at the mixer's rate. The game's own 23 sounds last 11.8
// seconds together; the budget allows a minute, about 10 MB once mixed in stereo.
inline constexpr int64_t kArchiveSoundFrames = int64_t{60} * kMixerRate;

struct RiffWave {
    int formatTag = 0;  // 1: integer PCM
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    int blockAlign = 0;
    std::vector<uint8_t> samples;  // the contents of the data chunk
};

// Reads the format and data chunks of a RIFF WAVE file; other chunks are skipped, chunks are
// padded to even sizes. Throws ArchiveError "Wave is invalid" when the signatures, the format or
// the data chunk are missing or the format has no channels, rate or sample size, and "Stream read
// error" when a chunk runs past the end of the data.
RiffWave ParseRiffWave(std::span<const uint8_t> bytes);

// The most sample frames the wave can fill once the mixer has converted it to kMixerRate. The
// whole file counts as sample data (the mixer may pick another data chunk than this reader), at
// the fewest bits its format may pack a sample into. Throws as ParseRiffWave does, and "Wave is
// invalid" for a file of more than INT_MAX bytes, which the mixer cannot be handed.
int64_t MixerFramesAtMost(std::span<const uint8_t> bytes);

// A complete mono 16-bit PCM RIFF WAVE file of the samples.
std::vector<uint8_t> MakeRiffWave16(const std::vector<int16_t>& samples, int sampleRate);
