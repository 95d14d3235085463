// The archive budgets: every encoding at the pixel budget's edge, the sound budget, the file size
// limit, and hostile archives of every shape refused without the memory they ask for.

#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "archive/archive_reader.h"
#include "archive/archive_test_bytes.h"
#include "archive/dib.h"
#include "archive/riff_wave.h"
#include "counted_allocation.h"
#include "hostile_archives.h"
#include "persist/temp_folder.h"

namespace {

using archive_test::DibVariant;
using archive_test::SampleDib;
using hostile::Bytes;

// What one archive's load may allocate at most: its pictures at the whole budget, four bytes a
// pixel, and a little for names and bookkeeping.
constexpr size_t kLoadMemoryLimit = 4 * kArchivePixelBudget + (size_t{8} << 20);

std::string ImageErrorOf(const Bytes& archive, int64_t budget) {
    try {
        ReadImageArchive(archive, budget);
    } catch (const ArchiveError& error) {
        return error.what();
    }
    return "(no error)";
}

std::string WaveErrorOf(const Bytes& archive, int64_t budget) {
    try {
        ReadWaveArchive(archive, budget);
    } catch (const ArchiveError& error) {
        return error.what();
    }
    return "(no error)";
}

class PixelBudgetTest : public ::testing::TestWithParam<DibVariant> {};

// An odd width exercises row padding and half-filled 4-bit bytes.
TEST_P(PixelBudgetTest, PicturesFillTheBudgetExactlyAndOnePixelMoreIsRefused) {
    constexpr int kWidth = 37;
    constexpr int kHeight = 5;
    const Bytes dib = SampleDib(GetParam(), kWidth, kHeight);
    const Bytes archive = hostile::ImageArchiveOf(3, dib);
    const int64_t all = 3 * kWidth * kHeight;

    const std::vector<ImageEntry> images = ReadImageArchive(archive, all);
    ASSERT_EQ(images.size(), 3u);
    EXPECT_EQ(images[2].picture.width, kWidth);
    EXPECT_EQ(images[2].picture.pixels.size(), static_cast<size_t>(kWidth * kHeight));
    EXPECT_EQ(ImageErrorOf(archive, all - 1), kDibIsInvalid);

    PixelBudget budget(kWidth * kHeight);
    DecodeDib(dib, budget);
    EXPECT_EQ(budget.Left(), 0);
    try {
        DecodeDib(dib, budget);
        FAIL() << "a picture beyond the budget was decoded";
    } catch (const ArchiveError& error) {
        EXPECT_STREQ(error.what(), kDibIsInvalid);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryEncoding, PixelBudgetTest,
                         ::testing::ValuesIn(archive_test::AllDibVariants()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PixelBudgetTest, TheGameArtFitsItsBudget) {
    if (!ZARVEX_GENERATED_DATA) GTEST_SKIP() << "this build generates no archives";
    // The generated archives of this build, read as the game reads them.
    for (const char* path : {"Data/Res/Res1.dxg", "Data/Res/Res2.dxg"}) {
        int64_t pixels = 0;
        for (const ImageEntry& image : ReadImageArchive(ReadFileBytes(path))) {
            pixels += int64_t{image.picture.width} * image.picture.height;
        }
        std::printf("%s: %lld pixels, %.1f%% of the budget\n", path, static_cast<long long>(pixels),
                    100.0 * pixels / kArchivePixelBudget);
        EXPECT_LE(pixels * 3, kArchivePixelBudget) << path << " needs room to grow";
    }
}

}  // namespace

namespace hostile {
std::ostream& operator<<(std::ostream& out, const HostileArchive& attack) {
    return out << attack.name;
}
}  // namespace hostile

namespace {

class HostileArchiveTest : public ::testing::TestWithParam<hostile::HostileArchive> {};

TEST_P(HostileArchiveTest, IsRefusedWithoutTheMemoryItAsksFor) {
    const hostile::HostileArchive& attack = GetParam();
    const size_t before = media_test::AllocatedBytes();
    media_test::ResetAllocationPeak();
    const auto start = std::chrono::steady_clock::now();
    const std::string message = attack.wave ? WaveErrorOf(attack.bytes, kArchiveSoundFrames)
                                            : ImageErrorOf(attack.bytes, kArchivePixelBudget);
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    const size_t peak = media_test::PeakAllocatedBytes() - before;
    std::printf("%s: %zu bytes refused in %.1f ms with at most %.1f MB allocated\n",
                attack.name.c_str(), attack.bytes.size(), took.count(), peak / 1048576.0);
    EXPECT_EQ(message, attack.message);
    EXPECT_LE(peak, kLoadMemoryLimit);
}

INSTANTIATE_TEST_SUITE_P(Shapes, HostileArchiveTest,
                         ::testing::ValuesIn(hostile::HostileArchives()),
                         [](const auto& info) { return info.param.name; });

// Random damage to an archive holding every encoding: each damaged copy loads or fails with an
// ArchiveError (any other exception fails the test), and never asks for more than a load may.
TEST(DamagedArchiveTest, EveryDamagedCopyLoadsOrFailsWithinTheBudget) {
    archive_test::ArchiveBuilder images(hostile::kImageClass);
    images.BeginCollection();
    for (const DibVariant& variant : archive_test::AllDibVariants()) {
        images.Byte(1).Name("Name").String(variant.name).Name("Transparent").Bool(true);
        images.Name("Picture.Data").Binary(archive_test::PictureData(SampleDib(variant, 37, 5)));
        images.Byte(0);
    }
    const Bytes imageArchive = images.EndCollection().Finish();
    const Bytes waveArchive = hostile::WaveArchiveOf(3, hostile::Wave(22050, 2, 16, 400));

    std::mt19937 random(20240611);
    size_t worst = 0;
    int loaded = 0;
    for (int trial = 0; trial < 4000; ++trial) {
        const bool wave = trial % 4 == 3;
        Bytes damaged = wave ? waveArchive : imageArchive;
        const int flips = 1 + static_cast<int>(random() % 8);
        for (int i = 0; i < flips; ++i) {
            damaged[random() % damaged.size()] = static_cast<uint8_t>(random());
        }
        const size_t before = media_test::AllocatedBytes();
        media_test::ResetAllocationPeak();
        try {
            if (wave) {
                ReadWaveArchive(damaged);
            } else {
                ReadImageArchive(damaged);
            }
            ++loaded;
        } catch (const ArchiveError&) {
        }
        worst = std::max(worst, media_test::PeakAllocatedBytes() - before);
    }
    std::printf("%d of 4000 damaged archives still loaded; at most %.1f MB allocated\n", loaded,
                worst / 1048576.0);
    EXPECT_LE(worst, kLoadMemoryLimit);
}

struct MixerFramesCase {
    std::string name;
    Bytes riff;
    int64_t frames;
};

std::ostream& operator<<(std::ostream& out, const MixerFramesCase& c) {
    return out << c.name;
}

class MixerFramesTest : public ::testing::TestWithParam<MixerFramesCase> {};

TEST_P(MixerFramesTest, CountsTheWholeFileAtTheFewestBitsPerSample) {
    ASSERT_EQ(GetParam().riff.size(), 1044u);
    EXPECT_EQ(MixerFramesAtMost(GetParam().riff), GetParam().frames);
}

// Every file below is 1044 bytes: a 44-byte header and 1000 bytes of data. The whole file counts.
INSTANTIATE_TEST_SUITE_P(
    Formats, MixerFramesTest,
    ::testing::Values(
        MixerFramesCase{"Mono16At44100", hostile::Wave(44100, 1, 16, 1000), 522},
        MixerFramesCase{"Stereo16At22050", hostile::Wave(22050, 2, 16, 1000), 522},
        MixerFramesCase{"Mono8At1Hz", hostile::Wave(1, 1, 8, 1000), 1044 * 44100},
        // 1044 x 44100 / 11 = 4185490.9...: a started frame counts whole.
        MixerFramesCase{"Mono8At11HzRoundsUp", hostile::Wave(11, 1, 8, 1000), 4185491},
        MixerFramesCase{"AdpcmCountsFourBits", hostile::Wave(44100, 1, 4, 1000, 2), 2088},
        MixerFramesCase{"WideSamplesCountThirtyTwoBits", hostile::Wave(44100, 1, 64, 1000, 3),
                        261}),
    [](const auto& info) { return info.param.name; });

TEST(SoundBudgetTest, SoundsFillTheBudgetExactlyAndOneFrameMoreIsRefused) {
    const Bytes archive = hostile::WaveArchiveOf(2, hostile::Wave(44100, 1, 16, 1000));
    EXPECT_EQ(ReadWaveArchive(archive, 2 * 522).size(), 2u);
    EXPECT_EQ(WaveErrorOf(archive, 2 * 522 - 1), kWaveIsInvalid);
    // Bytes that are no wave file cost nothing: the mixer will not take them.
    EXPECT_EQ(ReadWaveArchive(hostile::WaveArchiveOf(2, {'R', 'I', 'F', 'F'}), 0).size(), 2u);
}

// A sound of more than INT_MAX bytes would reach the mixer as a negative size. The archive lies
// in address space that is never touched: only its first page holds anything.
TEST(SoundBudgetTest, ASoundLargerThanIntMaxIsInvalid) {
    const Bytes head = [] {
        archive_test::ArchiveBuilder archive(hostile::kWaveClass);
        archive.BeginCollection().Byte(1).Name("Wave.WAVE").Byte(10);
        Bytes bytes = archive.Finish();
        bytes.resize(bytes.size() - 2);  // the list ends that Finish added
        return bytes;
    }();
    const uint64_t riffSize = uint64_t{INT_MAX} + 1;
    const size_t total = head.size() + 4 + riffSize + 16;
    void* memory = mmap(nullptr, total, PROT_READ | PROT_WRITE,
                        MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    ASSERT_NE(memory, MAP_FAILED);
    auto* bytes = static_cast<uint8_t*>(memory);
    std::memcpy(bytes, head.data(), head.size());
    for (int i = 0; i < 4; ++i) bytes[head.size() + i] = static_cast<uint8_t>(riffSize >> (8 * i));
    std::memcpy(bytes + head.size() + 4, "RIFF", 4);
    std::string message;
    try {
        ReadWaveArchive(std::span<const uint8_t>(bytes, total));
    } catch (const ArchiveError& error) {
        message = error.what();
    }
    munmap(memory, total);
    EXPECT_EQ(message, kWaveIsInvalid);
}

TEST(ReadFileBytesTest, AFileBeyondTheLimitIsRefusedNamingIt) {
    const TempFolder folder;
    const std::filesystem::path path = folder.Path() / "Res1.dxg";
    std::ofstream(path, std::ios::binary) << std::string(1000, 'x');
    EXPECT_EQ(ReadFileBytes(path.string(), 1000).size(), 1000u);
    try {
        ReadFileBytes(path.string(), 999);
        ADD_FAILURE() << "a file over the limit was read";
    } catch (const ArchiveError& error) {
        EXPECT_NE(std::string(error.what()).find(path.string()), std::string::npos) << error.what();
    }
}

}  // namespace
