// The two songs: read back as a tracker would read them, they must be valid XM files of the
// agreed kind, play their intro once and then loop by themselves at a known length, vary their
// sections, sit below the sound effects, and load in the game's music player (SDL_mixer with
// its module decoder). Played through that player, they must loop without a gap, in stereo and
// with a dynamic shape.

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "assetgen/asset_parts.h"
#include "assetgen/music/music_measure.h"
#include "assetgen/music/music_render.h"
#include "media/music_player.h"

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
    int panning = 128;
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
            sample.panning = static_cast<int>(in.U8());
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

// Where the song's sections lie in time: the order list followed as a player follows it (speed
// and tempo changes, pattern breaks, position jumps) until it comes back to a place it has
// played, which is where it loops. `stops` is set when anything would end the song (speed 0) or
// when it runs off the end of its order list instead of looping by itself.
struct Span {
    int order = 0;
    double start = 0.0;
    double end = 0.0;
};

struct Timeline {
    std::vector<Span> spans;
    int loopOrder = -1;
    double loopStart = 0.0;
    double length = 0.0;
    bool stops = false;
    double LoopSeconds() const { return length - loopStart; }
};

Timeline Follow(const Module& m) {
    Timeline timeline;
    int speed = m.speed;
    int bpm = m.bpm;
    double seconds = 0.0;
    int order = 0;
    int row = 0;
    std::set<std::pair<int, int>> visited;
    while (order < m.songLength && visited.insert({order, row}).second) {
        const Pattern& pattern =
            m.patterns.at(static_cast<size_t>(m.orders[static_cast<size_t>(order)]));
        Span span{order, seconds, seconds};
        int nextOrder = order + 1;
        int nextRow = 0;
        for (; row < pattern.rows; ++row) {
            bool leave = false;
            for (int c = 0; c < m.channels; ++c) {
                const Cell& cell = pattern.cells[static_cast<size_t>(row * m.channels + c)];
                if (cell.effect == 0xF) {
                    if (cell.param == 0) timeline.stops = true;
                    if (cell.param > 0 && cell.param < 32) speed = cell.param;
                    if (cell.param >= 32) bpm = cell.param;
                }
                if (cell.effect == 0xB) {
                    nextOrder = cell.param;
                    leave = true;
                }
                if (cell.effect == 0xD) {
                    nextRow = (cell.param >> 4) * 10 + (cell.param & 0xF);
                    leave = true;
                }
            }
            seconds += speed * 2.5 / bpm;
            if (leave) break;
        }
        span.end = seconds;
        timeline.spans.push_back(span);
        order = nextOrder;
        row = nextRow;
    }
    timeline.length = seconds;
    if (order >= m.songLength) {
        timeline.stops = true;
    } else {
        timeline.loopOrder = order;
        for (const Span& span : timeline.spans) {
            if (span.order == order) {
                timeline.loopStart = span.start;
                break;
            }
        }
    }
    return timeline;
}

// The lowest note struck at the start of each bar of a pattern: the bass line's roots, which
// spell the section's chord progression.
std::array<int, 4> BassRoots(const Module& m, int pattern) {
    const Pattern& cells = m.patterns.at(static_cast<size_t>(pattern));
    std::array<int, 4> roots{};
    for (int bar = 0; bar < 4; ++bar) {
        int lowest = 0;
        for (int c = 0; c < m.channels; ++c) {
            const int note = cells.cells[static_cast<size_t>(bar * 16 * m.channels + c)].note;
            if (note >= 1 && note <= 96 && (lowest == 0 || note < lowest)) lowest = note;
        }
        roots[static_cast<size_t>(bar)] = lowest;
    }
    return roots;
}

// The shape of a progression whatever its key: the steps from its first root, in semitones.
std::array<int, 3> ProgressionShape(const std::array<int, 4>& roots) {
    std::array<int, 3> shape{};
    for (size_t i = 1; i < 4; ++i) shape[i - 1] = ((roots[i] - roots[0]) % 12 + 12) % 12;
    return shape;
}

struct SongCase {
    const char* name;
    std::vector<uint8_t> (*build)();
    int minBpm;
    int maxBpm;
    double minLoopSeconds;
    double maxLoopSeconds;
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
        timeline_ = Follow(module_);
    }

    // The song as the game's player plays it, `turns` times round its loop after the intro.
    music::StereoRender Render(int turns) const {
        return music::RenderThroughMixer(
            bytes_, timeline_.loopStart + turns * timeline_.LoopSeconds() + 1.0, kMusicVolume, {},
            {});
    }

    std::vector<uint8_t> bytes_;
    Module module_;
    Timeline timeline_;
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

TEST_P(SongTest, LoopsByItselfAfterTheIntro) {
    // The game's player ignores the restart position: at the end of the order list it fades,
    // goes silent and starts again from the intro. So the song closes its own loop with a jump
    // on the last row of its last section, back past the intro.
    const Module& m = module_;
    ASSERT_GT(m.songLength, 1);
    for (int order : m.orders) EXPECT_LT(order, m.patternCount);
    EXPECT_FALSE(timeline_.stops) << "the song runs to the end of its orders or stops";
    EXPECT_GT(timeline_.loopOrder, 0) << "the loop plays the intro again";
    EXPECT_EQ(m.restart, timeline_.loopOrder) << "players that honour it loop the same way";
    ASSERT_EQ(timeline_.spans.size(), static_cast<size_t>(m.songLength)) << "every order plays";
    const int last = m.orders.back();
    const Pattern& closing = m.patterns[static_cast<size_t>(last)];
    bool jumpsOnLastRow = false;
    for (int c = 0; c < m.channels; ++c) {
        const Cell& cell = closing.cells[static_cast<size_t>((closing.rows - 1) * m.channels + c)];
        jumpsOnLastRow |= cell.effect == 0xB && cell.param == timeline_.loopOrder;
    }
    EXPECT_TRUE(jumpsOnLastRow);
    // The closing pattern plays nowhere else, or the song would jump back from the middle.
    EXPECT_EQ(std::count(m.orders.begin(), m.orders.end(), last), 1);
}

TEST_P(SongTest, TempoAndLength) {
    const Module& m = module_;
    // Four rows to the beat at six ticks per row: the header's BPM is the song's tempo.
    EXPECT_EQ(m.speed, 6);
    EXPECT_GE(m.bpm, GetParam().minBpm);
    EXPECT_LE(m.bpm, GetParam().maxBpm);
    EXPECT_GE(timeline_.LoopSeconds(), GetParam().minLoopSeconds);
    EXPECT_LE(timeline_.LoopSeconds(), GetParam().maxLoopSeconds);
}

TEST_P(SongTest, SectionsVary) {
    // A loop that keeps coming back to one four-bar pattern, or to one chord progression, soon
    // wears on the ear: no pattern makes up more than a quarter of the loop, no progression more
    // than a third, and no pattern is silent.
    const Module& m = module_;
    std::map<int, int> patternUses;
    std::map<std::array<int, 4>, int> progressionUses;
    int loopOrders = 0;
    for (const Span& span : timeline_.spans) {
        if (span.order < timeline_.loopOrder) continue;
        const int pattern = m.orders[static_cast<size_t>(span.order)];
        ++patternUses[pattern];
        ++progressionUses[BassRoots(m, pattern)];
        ++loopOrders;
    }
    EXPECT_GE(patternUses.size(), 6U);
    for (const auto& [pattern, count] : patternUses) {
        EXPECT_LE(4 * count, loopOrders) << "pattern " << pattern;
        int notes = 0;
        for (const Cell& cell : m.patterns[static_cast<size_t>(pattern)].cells) {
            notes += cell.note >= 1 && cell.note <= 96;
        }
        EXPECT_GT(notes, 16) << "pattern " << pattern;
    }
    for (const auto& [roots, count] : progressionUses) {
        EXPECT_LE(3 * count, loopOrders) << "progression on " << roots[0] << " " << roots[1] << " "
                                         << roots[2] << " " << roots[3];
    }
}

TEST_P(SongTest, UsesOnlyCommonEffectsAndSitsBelowTheEffects) {
    // Arpeggio, portamento, volume slide, position jump, pattern break, speed/tempo and global
    // volume.
    const std::set<int> allowed = {0x0, 0x1, 0x2, 0x3, 0xA, 0xB, 0xC, 0xD, 0xF, 0x10};
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
    std::set<int> placements;
    for (const Sample& sample : module_.samples) {
        EXPECT_NE(sample.type & 0x10, 0) << "16-bit";
        EXPECT_GT(sample.lengthBytes, 0U);
        EXPECT_EQ(sample.lengthBytes % 2, 0U);
        if ((sample.type & 0x03) != 0) {
            EXPECT_GT(sample.loopLengthBytes, 0U);
            EXPECT_LE(sample.loopStartBytes + sample.loopLengthBytes, sample.lengthBytes);
        }
        placements.insert(sample.panning);
    }
    // Instruments stand at places across the stereo field, not all in the middle.
    EXPECT_GE(placements.size(), 4U);
    EXPECT_LT(*placements.begin(), 100);
    EXPECT_GT(*placements.rbegin(), 156);
}

TEST_P(SongTest, BuildingTwiceGivesTheSameBytes) {
    EXPECT_EQ(GetParam().build(), bytes_);
}

// The game's player: SDL_mixer decodes XM through its module library. The mixer must load the
// song from memory, see the same length as the order list gives (intro and one turn of the
// loop), and keep it playing when started looping.
TEST_P(SongTest, LoadsAndLoopsInTheMixer) {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_AUDIO), 0) << SDL_GetError();
    ASSERT_EQ(Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024), 0) << Mix_GetError();
    Mix_Music* music =
        Mix_LoadMUS_RW(SDL_RWFromConstMem(bytes_.data(), static_cast<int>(bytes_.size())), 1);
    ASSERT_NE(music, nullptr) << "the mixer cannot read the song: " << Mix_GetError();
    EXPECT_EQ(Mix_GetMusicType(music), MUS_MOD);
    EXPECT_NEAR(Mix_MusicDuration(music), timeline_.length, 1.0);
    EXPECT_EQ(Mix_PlayMusic(music, -1), 0) << Mix_GetError();
    EXPECT_EQ(Mix_PlayingMusic(), 1);
    Mix_HaltMusic();
    Mix_FreeMusic(music);
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

// Heard through the player (SDL_mixer on SDL's disk driver): round the loop twice, the music
// never drops out, and the second turn plays the same sections as the first, so the player
// went back to the loop and not to the intro.
TEST_P(SongTest, PlaysRoundItsLoopWithoutAGap) {
    const music::StereoRender render = Render(2);
    const music::QuietSpot quiet = music::QuietestWindow(render, 10.0, 0.01, -45.0);
    EXPECT_EQ(quiet.windowsBelow, 0)
        << "quietest 10 ms: " << quiet.levelDb << " dBFS at " << quiet.at << " s";
    const double turn = timeline_.LoopSeconds();
    for (const Span& span : timeline_.spans) {
        if (span.order < timeline_.loopOrder) continue;
        // Skip the first second of each section, where notes from the one before still ring.
        const double first = music::MeasureStretch(render, span.start + 1.0, span.end).loudnessDb;
        const double second =
            music::MeasureStretch(render, span.start + turn + 1.0, span.end + turn).loudnessDb;
        EXPECT_NEAR(second, first, 1.0) << "order " << span.order;
    }
}

// Heard through the player: the song is in stereo, with some width but a solid middle, and
// it has a shape: its quietest and loudest sections lie several dB apart.
TEST_P(SongTest, HasStereoWidthAndADynamicShape) {
    const music::StereoRender render = Render(1);
    const double loopEnd = timeline_.length;
    const music::StretchFigures loop = music::MeasureStretch(render, timeline_.loopStart, loopEnd);
    EXPECT_GT(loop.sideDb, -25.0) << "left and right are nearly the same";
    EXPECT_LT(loop.sideDb, -6.0) << "the middle is hollow";
    double quietest = 0.0;
    double loudest = -200.0;
    for (const Span& span : timeline_.spans) {
        if (span.order < timeline_.loopOrder) continue;
        const double level = music::MeasureStretch(render, span.start + 1.0, span.end).loudnessDb;
        quietest = std::min(quietest, level);
        loudest = std::max(loudest, level);
    }
    EXPECT_GE(loudest - quietest, 4.0);
    EXPECT_LE(loudest - quietest, 12.0) << "a section is lost under the game's sounds";
}

// The menu and the race each speak their own harmony: no chord progression of one song turns up
// in the other, in any key.
TEST(SongsTest, EachSongHasItsOwnProgressions) {
    auto shapes = [](const std::vector<uint8_t>& bytes) {
        const Module m = ReadModule(bytes);
        std::set<std::array<int, 3>> found;
        for (int pattern : m.orders) {
            const std::array<int, 4> roots = BassRoots(m, pattern);
            // A progression that stays on one chord throughout says nothing about the harmony.
            if (roots[1] != roots[0] || roots[2] != roots[0] || roots[3] != roots[0]) {
                found.insert(ProgressionShape(roots));
            }
        }
        return found;
    };
    const std::set<std::array<int, 3>> menu = shapes(BuildMenuSong());
    const std::set<std::array<int, 3>> race = shapes(BuildRaceSong());
    EXPECT_GE(menu.size(), 4U);
    EXPECT_GE(race.size(), 4U);
    for (const std::array<int, 3>& shape : menu) {
        EXPECT_EQ(race.count(shape), 0U) << "both songs step " << shape[0] << " " << shape[1] << " "
                                         << shape[2] << " semitones from their first chord";
    }
}

INSTANTIATE_TEST_SUITE_P(Songs, SongTest, ::testing::ValuesIn(kSongs),
                         [](const ::testing::TestParamInfo<SongCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
