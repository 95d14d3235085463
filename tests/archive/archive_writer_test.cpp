#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "archive/archive_reader.h"
#include "archive/archive_writer.h"
#include "persist/temp_folder.h"

namespace {

using Bytes = std::vector<uint8_t>;

DecodedPicture Picture(int width, int height, uint32_t seed) {
    DecodedPicture picture;
    picture.width = width;
    picture.height = height;
    for (int i = 0; i < width * height; ++i) {
        picture.pixels.push_back(0xFF000000u | ((seed * 2654435761u + i * 40503u) & 0xFFFFFF));
    }
    return picture;
}

std::vector<ImageEntry> SampleImages() {
    ImageEntry tiles;
    tiles.name = "Tiles";
    tiles.patternWidth = 2;
    tiles.patternHeight = 3;
    tiles.picture = Picture(6, 3, 1);
    ImageEntry grid;
    grid.name = "Explosion";
    grid.patternWidth = 200;  // 16-bit value
    grid.patternHeight = -1;  // 8-bit negative
    grid.skipWidth = 70000;   // 32-bit value
    grid.skipHeight = 1;
    grid.systemMemory = true;
    grid.transparent = true;
    grid.transparentColor = 0x00FF00FF;
    grid.picture = Picture(5, 4, 2);
    ImageEntry empty;
    empty.name = "NoPicture";
    empty.transparentColor = 0x80000000;  // stored as a negative 32-bit integer
    return {tiles, grid, empty};
}

// The tag byte of the value stored under a property name, or -1 when the name is absent.
int TagAfter(const Bytes& bytes, const std::string& name) {
    Bytes key = {static_cast<uint8_t>(name.size())};
    key.insert(key.end(), name.begin(), name.end());
    const auto at = std::search(bytes.begin(), bytes.end(), key.begin(), key.end());
    if (at == bytes.end() || at + static_cast<std::ptrdiff_t>(key.size()) == bytes.end()) return -1;
    return *(at + static_cast<std::ptrdiff_t>(key.size()));
}

TEST(ImageArchiveWriterTest, RoundTripKeepsEveryProperty) {
    const std::vector<ImageEntry> written = SampleImages();
    const std::vector<ImageEntry> read = ReadImageArchive(WriteImageArchive(written));
    ASSERT_EQ(read.size(), written.size());
    for (size_t i = 0; i < read.size(); ++i) {
        SCOPED_TRACE(written[i].name);
        EXPECT_EQ(read[i].name, written[i].name);
        EXPECT_EQ(read[i].patternWidth, written[i].patternWidth);
        EXPECT_EQ(read[i].patternHeight, written[i].patternHeight);
        EXPECT_EQ(read[i].skipWidth, written[i].skipWidth);
        EXPECT_EQ(read[i].skipHeight, written[i].skipHeight);
        EXPECT_EQ(read[i].systemMemory, written[i].systemMemory);
        EXPECT_EQ(read[i].transparent, written[i].transparent);
        EXPECT_EQ(read[i].transparentColor, written[i].transparentColor);
        EXPECT_EQ(read[i].picture.width, written[i].picture.width);
        EXPECT_EQ(read[i].picture.height, written[i].picture.height);
        EXPECT_EQ(read[i].picture.pixels, written[i].picture.pixels);
    }
    EXPECT_NE(FindEntryByName(read, "EXPLOSION"), nullptr);
}

TEST(ImageArchiveWriterTest, WritesTheResourceHeaderAndObjectLayout) {
    const Bytes bytes = WriteImageArchive(SampleImages());
    const std::string name = "TPICTURECOLLECTIONCOMPONENT";
    const size_t headerSize = 3 + name.size() + 1 + 2 + 4;
    ASSERT_GT(bytes.size(), headerSize + 4);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1] | bytes[2] << 8, 10);
    EXPECT_EQ(std::string(bytes.begin() + 3, bytes.begin() + 3 + name.size()), name);
    EXPECT_EQ(bytes[3 + name.size()], 0);
    EXPECT_EQ(bytes[4 + name.size()] | bytes[5 + name.size()] << 8, 0x1030);
    const size_t objectSize = bytes[6 + name.size()] | bytes[7 + name.size()] << 8 |
                              bytes[8 + name.size()] << 16 | bytes[9 + name.size()] << 24;
    EXPECT_EQ(objectSize, bytes.size() - headerSize);
    EXPECT_EQ(std::string(bytes.begin() + headerSize, bytes.begin() + headerSize + 4), "TPF0");
    // Collection tag, then the first item's list-begin value and its "Name".
    EXPECT_EQ(TagAfter(bytes, "List"), 14);
    const Bytes itemStart = {14, 1, 4, 'N', 'a', 'm', 'e', 6};
    EXPECT_NE(std::search(bytes.begin(), bytes.end(), itemStart.begin(), itemStart.end()),
              bytes.end());
    EXPECT_EQ((Bytes(bytes.end() - 3, bytes.end())), (Bytes{0, 0, 0}));
    EXPECT_EQ(WriteImageArchive(SampleImages()), bytes);  // deterministic
}

TEST(ImageArchiveWriterTest, UsesTheSmallestIntegerAndSkipsZeroSkips) {
    std::vector<ImageEntry> images = SampleImages();
    const Bytes first = WriteImageArchive({images[0]});
    EXPECT_EQ(TagAfter(first, "PatternWidth"), 2);
    EXPECT_EQ(TagAfter(first, "SkipWidth"), -1);
    EXPECT_EQ(TagAfter(first, "SkipHeight"), -1);
    EXPECT_EQ(TagAfter(first, "Transparent"), 8);
    const Bytes second = WriteImageArchive({images[1]});
    EXPECT_EQ(TagAfter(second, "PatternWidth"), 3);
    EXPECT_EQ(TagAfter(second, "PatternHeight"), 2);
    EXPECT_EQ(TagAfter(second, "SkipWidth"), 4);
    EXPECT_EQ(TagAfter(second, "SkipHeight"), 2);
    EXPECT_EQ(TagAfter(second, "SystemMemory"), 9);
    EXPECT_EQ(TagAfter(second, "TransparentColor"), 4);
    EXPECT_EQ(TagAfter(second, "Picture.Data"), 10);
}

TEST(ImageArchiveWriterTest, RefusesAPictureWhosePixelsDoNotMatchItsSize) {
    std::vector<ImageEntry> images = SampleImages();
    images[0].picture.pixels.pop_back();
    EXPECT_THROW(WriteImageArchive(images), ArchiveError);
}

TEST(WaveArchiveWriterTest, RoundTripKeepsEveryProperty) {
    WaveEntry horn;
    horn.name = "Horn";
    horn.looped = true;
    horn.maxPlayingCount = 4;
    horn.wave = {'R', 'I', 'F', 'F', 1, 2, 3};
    WaveEntry engine;
    engine.name = "Engine";
    const Bytes bytes = WriteWaveArchive({horn, engine});
    EXPECT_EQ(std::string(bytes.begin() + 3, bytes.begin() + 27), "TWAVECOLLECTIONCOMPONENT");
    const std::vector<WaveEntry> read = ReadWaveArchive(bytes);
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0].name, "Horn");
    EXPECT_TRUE(read[0].looped);
    EXPECT_EQ(read[0].maxPlayingCount, 4);
    EXPECT_EQ(read[0].wave, horn.wave);
    EXPECT_EQ(read[1].name, "Engine");
    EXPECT_FALSE(read[1].looped);
    EXPECT_TRUE(read[1].wave.empty());
    EXPECT_TRUE(ReadWaveArchive(WriteWaveArchive({})).empty());
}

class WriteFileBytesTest : public ::testing::Test {
protected:
    const TempFolder temp_;
    const std::filesystem::path& folder_ = temp_.Path();
};

TEST_F(WriteFileBytesTest, ReplacesTheFileAndLeavesNoTemporary) {
    const std::string path = (folder_ / "Res1.dxg").string();
    WriteFileBytes(path, {1, 2, 3});
    WriteFileBytes(path, {4, 5});
    EXPECT_EQ(ReadFileBytes(path), (Bytes{4, 5}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(WriteFileBytesTest, MissingFolderFails) {
    EXPECT_THROW(WriteFileBytes((folder_ / "missing" / "x.dxg").string(), {1}), ArchiveError);
}

}  // namespace
