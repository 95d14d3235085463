// The two songs: read back as a tracker would read them, they must be valid XM files of the
// agreed kind, loop for ever at a known length, sit below the sound effects, and load in the
// game's music player (SDL_mixer with its module decoder).

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "../../tools/assetgen/asset_parts.h"

namespace {

struct Cell {
    int note = 0;
    int instrument = 0;
    int volume = 0;
    int effect = 0;
    int param = 0;
};

struct Pattern {
    int rows = 0;
    std::vector<Cell> cells;  // rows x channels
};

struct Sample {
    uint32_t lengthBytes = 0;
    uint32_t loopStartBytes = 0;
    uint32_t loopLengthBytes = 0;
    int type = 0;
};

// An independent reader of the parts of an XM file the songs use. Any inconsistency (a size
// that runs past the end, an unknown packing) fails the test through `ok`.
struct Module {
    bool ok = false;
    std::string error;
    std::string id;
    int marker = 0;
    int version = 0;
    uint32_t headerSize = 0;
    int songLength = 0;
    int restart = 0;
    int channels = 0;
    int patternCount = 0;
    int instrumentCount = 0;
    int flags = 0;
    int speed = 0;
    int bpm = 0;
    std::vector<int> orders;
    std::vector<Pattern> patterns;
    std::vector<int> samplesPerInstrument;
    std::vector<Sample> samples;
    size_t endOfData = 0;
};

class Reader {
public:
    explicit Reader(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}
    bool Has(size_t count) const { return at_ + count <= bytes_.size(); }
    uint32_t U8() { return Has(1) ? bytes_[at_++] : (fail_ = true, 0U); }
    uint32_t U16() { return U8() | (U8() << 8U); }
    uint32_t U32() { return U16() | (U16() << 16U); }
    void Seek(size_t to) {
        if (to > bytes_.size()) fail_ = true;
        at_ = std::min(to, bytes_.size());
    }
    size_t At() const { return at_; }
    bool Failed() const { return fail_; }

private:
    const std::vector<uint8_t>& bytes_;
    size_t at_ = 0;
    bool fail_ = false;
};

Module ReadModule(const std::vector<uint8_t>& bytes) {
    Module m;
    Reader in(bytes);
    for (int i = 0; i < 17; ++i) m.id.push_back(static_cast<char>(in.U8()));
    in.Seek(37);
    m.marker = static_cast<int>(in.U8());
    in.Seek(58);
    m.version = static_cast<int>(in.U16());
    m.headerSize = in.U32();
    m.songLength = static_cast<int>(in.U16());
    m.restart = static_cast<int>(in.U16());
    m.channels = static_cast<int>(in.U16());
    m.patternCount = static_cast<int>(in.U16());
    m.instrumentCount = static_cast<int>(in.U16());
    m.flags = static_cast<int>(in.U16());
    m.speed = static_cast<int>(in.U16());
    m.bpm = static_cast<int>(in.U16());
    for (int i = 0; i < 256; ++i) {
        const auto order = static_cast<int>(in.U8());
        if (i < m.songLength) m.orders.push_back(order);
    }
    in.Seek(60 + m.headerSize);

    for (int p = 0; p < m.patternCount; ++p) {
        const size_t start = in.At();
        const uint32_t headerLength = in.U32();
        const uint32_t packing = in.U8();
        Pattern pattern;
        pattern.rows = static_cast<int>(in.U16());
        const uint32_t dataSize = in.U16();
        if (packing != 0) m.error = "unknown packing";
        in.Seek(start + headerLength);
        const size_t dataEnd = in.At() + dataSize;
        for (int c = 0; c < pattern.rows * m.channels; ++c) {
            Cell cell;
            const uint32_t first = in.U8();
            if ((first & 0x80U) != 0) {
                if ((first & 0x01U) != 0) cell.note = static_cast<int>(in.U8());
                if ((first & 0x02U) != 0) cell.instrument = static_cast<int>(in.U8());
                if ((first & 0x04U) != 0) cell.volume = static_cast<int>(in.U8());
                if ((first & 0x08U) != 0) cell.effect = static_cast<int>(in.U8());
                if ((first & 0x10U) != 0) cell.param = static_cast<int>(in.U8());
            } else {
                cell.note = static_cast<int>(first);
                cell.instrument = static_cast<int>(in.U8());
                cell.volume = static_cast<int>(in.U8());
                cell.effect = static_cast<int>(in.U8());
                cell.param = static_cast<int>(in.U8());
            }
            pattern.cells.push_back(cell);
        }
        if (in.At() != dataEnd) m.error = "pattern data size mismatch";
        m.patterns.push_back(pattern);
    }

    for (int i = 0; i < m.instrumentCount; ++i) {
        const size_t start = in.At();
        const uint32_t size = in.U32();
        in.Seek(start + 27);
        const auto sampleCount = static_cast<int>(in.U16());
        const uint32_t sampleHeaderSize = sampleCount > 0 ? in.U32() : 0;
        in.Seek(start + size);
        m.samplesPerInstrument.push_back(sampleCount);
        std::vector<Sample> own;
        for (int s = 0; s < sampleCount; ++s) {
            const size_t sampleStart = in.At();
            Sample sample;
            sample.lengthBytes = in.U32();
            sample.loopStartBytes = in.U32();
            sample.loopLengthBytes = in.U32();
            in.U8();  // volume
            in.U8();  // finetune
            sample.type = static_cast<int>(in.U8());
            in.Seek(sampleStart + sampleHeaderSize);
            own.push_back(sample);
        }
        for (const Sample& sample : own) {
            in.Seek(in.At() + sample.lengthBytes);
            m.samples.push_back(sample);
        }
    }
    m.endOfData = in.At();
    m.ok = !in.Failed() && m.error.empty();
    if (in.Failed()) m.error = "read past the end";
    return m;
}

// The song's playing time in seconds through the order list once, following speed and tempo
// changes and pattern breaks as a player does. Sets `stops` when anything would end the song
// early (speed 0) or jump (position jump).
double SongSeconds(const Module& m, bool& stops) {
    stops = false;
    int speed = m.speed;
    int bpm = m.bpm;
    double seconds = 0.0;
    int startRow = 0;
    for (int order : m.orders) {
        const Pattern& pattern = m.patterns.at(static_cast<size_t>(order));
        int nextStart = 0;
        for (int row = startRow; row < pattern.rows; ++row) {
            bool broke = false;
            for (int c = 0; c < m.channels; ++c) {
                const Cell& cell = pattern.cells[static_cast<size_t>(row * m.channels + c)];
                if (cell.effect == 0xF) {
                    if (cell.param == 0) stops = true;
                    if (cell.param > 0 && cell.param < 32) speed = cell.param;
                    if (cell.param >= 32) bpm = cell.param;
                }
                if (cell.effect == 0xB) stops = true;
                if (cell.effect == 0xD) {
                    broke = true;
                    nextStart = (cell.param >> 4) * 10 + (cell.param & 0xF);
                }
            }
            seconds += speed * 2.5 / bpm;
            if (broke) break;
        }
        startRow = nextStart;
    }
    return seconds;
}

struct SongCase {
    const char* name;
    std::vector<uint8_t> (*build)();
    int minBpm;
    int maxBpm;
    double minSeconds;
    double maxSeconds;
};

const SongCase kSongs[] = {
    {"Menu", BuildMenuSong, 110, 120, 60.0, 120.0},
    {"Race", BuildRaceSong, 140, 160, 90.0, 180.0},
};

class SongTest : public ::testing::TestWithParam<SongCase> {
protected:
    void SetUp() override {
        // Each song is built once for all its tests.
        static std::map<std::string, std::vector<uint8_t>> built;
        auto found = built.find(GetParam().name);
        if (found == built.end()) found = built.emplace(GetParam().name, GetParam().build()).first;
        bytes_ = found->second;
        module_ = ReadModule(bytes_);
        ASSERT_TRUE(module_.ok) << module_.error;
    }
    std::vector<uint8_t> bytes_;
    Module module_;
};

TEST_P(SongTest, HeaderIsAnExtendedModuleOfTheAgreedKind) {
    const Module& m = module_;
    EXPECT_EQ(m.id, "Extended Module: ");
    EXPECT_EQ(m.marker, 0x1A);
    EXPECT_EQ(m.version, 0x0104);
    EXPECT_EQ(m.headerSize, 276U);
    EXPECT_EQ(m.flags & 1, 1) << "linear frequency table";
    EXPECT_EQ(m.channels % 2, 0);
    EXPECT_GE(m.channels, 2);
    EXPECT_LE(m.channels, 16);
    EXPECT_LT(bytes_.size(), 1024U * 1024U);
    EXPECT_EQ(m.endOfData, bytes_.size()) << "every byte belongs to a part of the module";
}

TEST_P(SongTest, OrderListLoops) {
    const Module& m = module_;
    ASSERT_GT(m.songLength, 0);
    EXPECT_LT(m.restart, m.songLength);
    for (int order : m.orders) EXPECT_LT(order, m.patternCount);
    // No pattern is silent, so no stretch of the loop goes quiet.
    for (int order : m.orders) {
        const Pattern& pattern = m.patterns[static_cast<size_t>(order)];
        int notes = 0;
        for (const Cell& cell : pattern.cells) notes += cell.note >= 1 && cell.note <= 96;
        EXPECT_GT(notes, 16) << "pattern " << order;
    }
}

TEST_P(SongTest, TempoAndLength) {
    const Module& m = module_;
    // Four rows to the beat at six ticks per row: the header's BPM is the song's tempo.
    EXPECT_EQ(m.speed, 6);
    EXPECT_GE(m.bpm, GetParam().minBpm);
    EXPECT_LE(m.bpm, GetParam().maxBpm);
    bool stops = false;
    const double seconds = SongSeconds(m, stops);
    EXPECT_FALSE(stops) << "nothing ends or jumps out of the song";
    EXPECT_GE(seconds, GetParam().minSeconds);
    EXPECT_LE(seconds, GetParam().maxSeconds);
}

TEST_P(SongTest, UsesOnlyCommonEffectsAndSitsBelowTheEffects) {
    // Arpeggio, portamento, volume slide, pattern break, speed/tempo and global volume.
    const std::set<int> allowed = {0x0, 0x1, 0x2, 0x3, 0xA, 0xC, 0xD, 0xF, 0x10};
    bool globalVolumeAtStart = false;
    const Pattern& first = module_.patterns[static_cast<size_t>(module_.orders[0])];
    for (int c = 0; c < module_.channels; ++c) {
        const Cell& cell = first.cells[static_cast<size_t>(c)];
        if (cell.effect == 0x10 && cell.param == 48) globalVolumeAtStart = true;
    }
    EXPECT_TRUE(globalVolumeAtStart) << "global volume 48 of 64 from the first row";
    for (const Pattern& pattern : module_.patterns) {
        for (const Cell& cell : pattern.cells) {
            EXPECT_TRUE(allowed.count(cell.effect) == 1) << "effect " << cell.effect;
            if (cell.effect == 0x10) {
                EXPECT_EQ(cell.param, 48);
            }
            EXPECT_LE(cell.note, 97);
            EXPECT_LE(cell.instrument, module_.instrumentCount);
        }
    }
}

TEST_P(SongTest, InstrumentsHoldOneSixteenBitSampleEach) {
    ASSERT_EQ(module_.samples.size(), static_cast<size_t>(module_.instrumentCount));
    for (int count : module_.samplesPerInstrument) EXPECT_EQ(count, 1);
    for (const Sample& sample : module_.samples) {
        EXPECT_NE(sample.type & 0x10, 0) << "16-bit";
        EXPECT_GT(sample.lengthBytes, 0U);
        EXPECT_EQ(sample.lengthBytes % 2, 0U);
        if ((sample.type & 0x03) != 0) {
            EXPECT_GT(sample.loopLengthBytes, 0U);
            EXPECT_LE(sample.loopStartBytes + sample.loopLengthBytes, sample.lengthBytes);
        }
    }
}

TEST_P(SongTest, BuildingTwiceGivesTheSameBytes) {
    EXPECT_EQ(GetParam().build(), bytes_);
}

// The game's player: SDL_mixer decodes XM through its module library. The mixer must load the
// song from memory, see the same length as the order list gives (so it does not stop early),
// and keep it playing when started looping.
TEST_P(SongTest, LoadsAndLoopsInTheMixer) {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_AUDIO), 0) << SDL_GetError();
    ASSERT_EQ(Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024), 0) << Mix_GetError();
    Mix_Music* music =
        Mix_LoadMUS_RW(SDL_RWFromConstMem(bytes_.data(), static_cast<int>(bytes_.size())), 1);
    ASSERT_NE(music, nullptr) << "the mixer cannot read the song: " << Mix_GetError();
    EXPECT_EQ(Mix_GetMusicType(music), MUS_MOD);
    bool stops = false;
    const double expected = SongSeconds(module_, stops);
    EXPECT_NEAR(Mix_MusicDuration(music), expected, 1.0);
    EXPECT_EQ(Mix_PlayMusic(music, -1), 0) << Mix_GetError();
    EXPECT_EQ(Mix_PlayingMusic(), 1);
    Mix_HaltMusic();
    Mix_FreeMusic(music);
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

INSTANTIATE_TEST_SUITE_P(Songs, SongTest, ::testing::ValuesIn(kSongs),
                         [](const ::testing::TestParamInfo<SongCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
