#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "archive/archive_test_bytes.h"
#include "archive/riff_wave.h"

namespace {

using Bytes = std::vector<uint8_t>;

// A RIFF WAVE file made of the given chunks.
Bytes Riff(std::initializer_list<std::pair<std::string, Bytes>> chunks) {
    ByteWriter out;
    out.PutChars("RIFF");
    out.PutU32(0);  // readers must not depend on it
    out.PutChars("WAVE");
    for (const auto& [id, body] : chunks) {
        out.PutChars(id);
        out.PutU32(static_cast<uint32_t>(body.size()));
        out.PutBytes(body);
        if (body.size() % 2 == 1) out.PutU8(0);
    }
    return out.Take();
}

Bytes Format(uint16_t channels, uint32_t rate, uint16_t bits) {
    ByteWriter out;
    out.PutU16(1);
    out.PutU16(channels);
    out.PutU32(rate);
    out.PutU32(rate * channels * bits / 8);
    out.PutU16(static_cast<uint16_t>(channels * bits / 8));
    out.PutU16(bits);
    return out.Take();
}

TEST(RiffWaveTest, MonoSixteenBitFileReadsBack) {
    const std::vector<int16_t> samples = {0, 1000, -1000, 32767, -32768};
    const Bytes file = MakeRiffWave16(samples, 22050);
    ASSERT_EQ(file.size(), 44u + 10);
    EXPECT_EQ(std::string(file.begin(), file.begin() + 4), "RIFF");
    EXPECT_EQ(file[4] | file[5] << 8 | file[6] << 16 | file[7] << 24,
              static_cast<int>(file.size() - 8));
    const RiffWave wave = ParseRiffWave(file);
    EXPECT_EQ(wave.formatTag, 1);
    EXPECT_EQ(wave.channels, 1);
    EXPECT_EQ(wave.sampleRate, 22050);
    EXPECT_EQ(wave.bitsPerSample, 16);
    EXPECT_EQ(wave.blockAlign, 2);
    EXPECT_EQ(wave.samples, (Bytes{0, 0, 0xE8, 0x03, 0x18, 0xFC, 0xFF, 0x7F, 0x00, 0x80}));
}

TEST(RiffWaveTest, SkipsOtherChunksWithTheirPadByte) {
    const Bytes file =
        Riff({{"LIST", {1, 2, 3}}, {"data", {9, 8, 7}}, {"fmt ", Format(2, 44100, 8)}});
    const RiffWave wave = ParseRiffWave(file);
    EXPECT_EQ(wave.channels, 2);
    EXPECT_EQ(wave.sampleRate, 44100);
    EXPECT_EQ(wave.bitsPerSample, 8);
    EXPECT_EQ(wave.samples, (Bytes{9, 8, 7}));
}

struct BadWave {
    std::string name;
    Bytes file;
    std::string message;
};

std::ostream& operator<<(std::ostream& out, const BadWave& c) {
    return out << c.name;
}

class BadWaveTest : public ::testing::TestWithParam<BadWave> {};

TEST_P(BadWaveTest, FailsWithMessage) {
    try {
        ParseRiffWave(GetParam().file);
        FAIL() << "parsed a bad wave";
    } catch (const ArchiveError& error) {
        EXPECT_EQ(std::string(error.what()), GetParam().message);
    }
}

Bytes DataRunningPastTheEnd() {
    Bytes file = Riff({{"fmt ", Format(1, 8000, 16)}, {"data", {1, 2}}});
    file[file.size() - 6] = 0xFF;  // the data chunk claims 255 bytes
    return file;
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadWaveTest,
    ::testing::Values(
        BadWave{"NotRiff", {'R', 'I', 'F', 'X', 0, 0, 0, 0, 'W', 'A', 'V', 'E'}, kWaveIsInvalid},
        BadWave{"NoData", Riff({{"fmt ", Format(1, 8000, 16)}}), kWaveIsInvalid},
        BadWave{"NoFormat", Riff({{"data", {1, 2}}}), kWaveIsInvalid},
        BadWave{"ShortFormat", Riff({{"fmt ", {1, 0, 1, 0}}, {"data", {}}}), kWaveIsInvalid},
        BadWave{"NoChannels", Riff({{"fmt ", Format(0, 8000, 16)}, {"data", {}}}), kWaveIsInvalid},
        BadWave{"DataPastTheEnd", DataRunningPastTheEnd(), kStreamReadError},
        BadWave{"Truncated", {'R', 'I', 'F', 'F', 0, 0}, kStreamReadError}),
    [](const auto& info) { return info.param.name; });

}  // namespace
