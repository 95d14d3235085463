#include "archive/riff_wave.h"

#include <algorithm>
#include <climits>
#include <string_view>

#include "archive/archive_stream.h"

namespace {

bool IsTag(std::span<const uint8_t> bytes, std::string_view tag) {
    return std::equal(bytes.begin(), bytes.end(), tag.begin(), tag.end(),
                      [](uint8_t b, char c) { return b == static_cast<uint8_t>(c); });
}

constexpr uint32_t kFormatChunkMinimum = 16;

}  // namespace

namespace {

// The format chunk's fields and the data chunk's bytes.
RiffWave ReadChunks(std::span<const uint8_t> bytes, std::span<const uint8_t>& data) {
    ByteReader in(bytes);
    if (!IsTag(in.ReadBytes(4), "RIFF")) throw ArchiveError(kWaveIsInvalid);
    in.ReadU32();  // the RIFF size: often wrong in the wild, the chunks say more
    if (!IsTag(in.ReadBytes(4), "WAVE")) throw ArchiveError(kWaveIsInvalid);

    RiffWave wave;
    bool haveFormat = false;
    bool haveData = false;
    while (in.Remaining() >= 8 && !(haveFormat && haveData)) {
        std::span<const uint8_t> id = in.ReadBytes(4);
        const uint32_t size = in.ReadU32();
        std::span<const uint8_t> body = in.ReadBytes(size);
        if (size % 2 == 1 && !in.AtEnd()) in.Skip(1);

        if (IsTag(id, "fmt ") && !haveFormat) {
            if (size < kFormatChunkMinimum) throw ArchiveError(kWaveIsInvalid);
            ByteReader format(body);
            wave.formatTag = format.ReadU16();
            wave.channels = format.ReadU16();
            const uint32_t rate = format.ReadU32();
            format.ReadU32();  // bytes per second
            wave.blockAlign = format.ReadU16();
            wave.bitsPerSample = format.ReadU16();
            if (wave.channels == 0 || rate == 0 || rate > INT_MAX || wave.bitsPerSample == 0) {
                throw ArchiveError(kWaveIsInvalid);
            }
            wave.sampleRate = static_cast<int>(rate);
            haveFormat = true;
        } else if (IsTag(id, "data") && !haveData) {
            data = body;
            haveData = true;
        }
    }
    if (!haveFormat || !haveData) throw ArchiveError(kWaveIsInvalid);
    return wave;
}

// The compressed formats the mixer knows (ADPCM) pack a sample into 4 bits; none takes fewer.
// Wider samples than 32 bits are counted as 32, which only overestimates them.
constexpr int kFewestBitsPerSample = 4;
constexpr int kMostBitsPerSample = 32;

}  // namespace

RiffWave ParseRiffWave(std::span<const uint8_t> bytes) {
    std::span<const uint8_t> data;
    RiffWave wave = ReadChunks(bytes, data);
    wave.samples.assign(data.begin(), data.end());
    return wave;
}

int64_t MixerFramesAtMost(std::span<const uint8_t> bytes) {
    // The mixer takes a sound's size as an int; a larger one could never be handed to it.
    if (bytes.size() > static_cast<size_t>(INT_MAX)) throw ArchiveError(kWaveIsInvalid);
    std::span<const uint8_t> data;
    const RiffWave wave = ReadChunks(bytes, data);
    const int64_t bitsPerFrame =
        int64_t{wave.channels} *
        std::clamp(wave.bitsPerSample, kFewestBitsPerSample, kMostBitsPerSample);
    // At most 2^31 bytes: the products below stay far inside 64 bits.
    const int64_t frames = static_cast<int64_t>(bytes.size()) * 8 / bitsPerFrame;
    return (frames * kMixerRate + wave.sampleRate - 1) / wave.sampleRate;
}

std::vector<uint8_t> MakeRiffWave16(const std::vector<int16_t>& samples, int sampleRate) {
    constexpr uint16_t kChannels = 1;
    constexpr uint16_t kBits = 16;
    constexpr uint16_t kBlockAlign = kChannels * kBits / 8;
    const uint32_t dataSize = static_cast<uint32_t>(samples.size() * kBlockAlign);

    ByteWriter out;
    out.PutChars("RIFF");
    out.PutU32(4 + (8 + kFormatChunkMinimum) + (8 + dataSize));
    out.PutChars("WAVE");
    out.PutChars("fmt ");
    out.PutU32(kFormatChunkMinimum);
    out.PutU16(1);  // PCM
    out.PutU16(kChannels);
    out.PutU32(static_cast<uint32_t>(sampleRate));
    out.PutU32(static_cast<uint32_t>(sampleRate) * kBlockAlign);
    out.PutU16(kBlockAlign);
    out.PutU16(kBits);
    out.PutChars("data");
    out.PutU32(dataSize);
    for (int16_t sample : samples) out.PutU16(static_cast<uint16_t>(sample));
    return out.Take();
}
