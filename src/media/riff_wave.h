#pragma once
// RIFF WAVE files, the encoding of every sound in a sound archive.

#include <cstdint>
#include <span>
#include <vector>

#include "media/archive_types.h"

inline constexpr const char* kWaveIsInvalid = "Wave is invalid";

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

// A complete mono 16-bit PCM RIFF WAVE file of the samples.
std::vector<uint8_t> MakeRiffWave16(const std::vector<int16_t>& samples, int sampleRate);
