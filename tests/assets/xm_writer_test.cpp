// The XM writer: tuning of samples, the packed cell encoding, delta-coded sample data, and
// refusal of modules the format or the game cannot use.

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <vector>

#include "assetgen/music/xm_writer.h"

namespace {

XmModule SmallModule() {
    XmModule module;
    module.name = "test";
    module.channels = 2;
    module.patterns.emplace_back(4, 2);
    module.orders = {0};
    XmInstrument instrument;
    instrument.sample.data = {0, 100, -100, 32767, -32768};
    module.instruments.push_back(instrument);
    return module;
}

// Offset of the first pattern's packed data: the 60-byte preamble, the 276-byte header, then
// the pattern's 9-byte header.
constexpr size_t kFirstPatternData = 60 + 276 + 9;

TEST(XmWriterTest, TuningPutsMiddleCWhereAsked) {
    struct Case {
        double hz;
        int relativeNote;
        int finetune;
    };
    // 8363 Hz is the format's own C-4; each doubling is twelve semitones; 128 samples per cycle
    // of middle C needs a little finetune on top of two octaves.
    for (const Case& c : {Case{8363.0, 0, 0}, Case{16726.0, 12, 0}, Case{4181.5, -12, 0},
                          Case{128 * 261.6255653, 24, 2}}) {
        XmSample sample;
        TuneSample(sample, c.hz);
        EXPECT_EQ(sample.relativeNote, c.relativeNote) << c.hz;
        EXPECT_EQ(sample.finetune, c.finetune) << c.hz;
    }
}

TEST(XmWriterTest, CellsArePackedAndAFullCellIsWrittenPlain) {
    XmModule module = SmallModule();
    XmPattern& pattern = module.patterns[0];
    pattern.At(0, 0) = XmCell{49, 1, 0x50, 0, 0};       // note, instrument, volume
    pattern.At(0, 1) = XmCell{kXmKeyOff, 0, 0, 0, 0};   // key off only
    pattern.At(1, 0) = XmCell{50, 1, 0x40, 0xF, 0x06};  // every field: plain five bytes
    const std::vector<uint8_t> bytes = WriteXm(module);
    const std::vector<uint8_t> expected = {0x87, 49,   1,    0x50,         // row 0
                                           0x81, 97,                       // key off
                                           50,   1,    0x40, 0x0F, 0x06,   // row 1 channel 0
                                           0x80, 0x80, 0x80, 0x80, 0x80};  // the rest empty
    ASSERT_GE(bytes.size(), kFirstPatternData + expected.size());
    const std::vector<uint8_t> data(bytes.begin() + kFirstPatternData,
                                    bytes.begin() + kFirstPatternData + expected.size());
    EXPECT_EQ(data, expected);
    // The pattern header's data size matches.
    EXPECT_EQ(
        static_cast<size_t>(bytes[kFirstPatternData - 2] | (bytes[kFirstPatternData - 1] << 8)),
        expected.size());
}

TEST(XmWriterTest, SampleDataIsDeltaCoded) {
    const std::vector<uint8_t> bytes = WriteXm(SmallModule());
    // The sample data closes the file: five 16-bit differences, wrapping in 16 bits.
    const std::vector<int16_t> deltas = {0, 100, -200, static_cast<int16_t>(32867 - 65536),
                                         static_cast<int16_t>(-65535 + 65536)};
    ASSERT_GE(bytes.size(), 10U);
    for (size_t i = 0; i < deltas.size(); ++i) {
        const size_t at = bytes.size() - 10 + 2 * i;
        const auto value = static_cast<int16_t>(bytes[at] | (bytes[at + 1] << 8));
        EXPECT_EQ(value, deltas[i]) << i;
    }
}

TEST(XmWriterTest, RefusesModulesTheGameCannotUse) {
    XmModule odd = SmallModule();
    odd.channels = 3;
    odd.patterns = {XmPattern(4, 3)};
    EXPECT_THROW(WriteXm(odd), std::invalid_argument);

    XmModule wide = SmallModule();
    wide.channels = 18;
    wide.patterns = {XmPattern(4, 18)};
    EXPECT_THROW(WriteXm(wide), std::invalid_argument);

    XmModule restart = SmallModule();
    restart.restartPosition = 1;  // the song has one order
    EXPECT_THROW(WriteXm(restart), std::invalid_argument);

    XmModule missing = SmallModule();
    missing.orders = {0, 1};
    EXPECT_THROW(WriteXm(missing), std::invalid_argument);

    XmModule jump = SmallModule();
    jump.patterns[0].At(3, 1).effect = kXmPositionJump;
    jump.patterns[0].At(3, 1).param = 1;  // the song has one order
    EXPECT_THROW(WriteXm(jump), std::invalid_argument);
    jump.patterns[0].At(3, 1).param = 0;
    EXPECT_NO_THROW(WriteXm(jump));

    XmModule loop = SmallModule();
    loop.instruments[0].sample.looped = true;
    loop.instruments[0].sample.loopStart = 3;
    loop.instruments[0].sample.loopLength = 3;  // runs past the five samples
    EXPECT_THROW(WriteXm(loop), std::invalid_argument);
}

}  // namespace
