#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "archive/archive_reader.h"
#include "archive/archive_test_bytes.h"

namespace {

using archive_test::ArchiveBuilder;
using archive_test::Concat;
using archive_test::InfoHeader;
using archive_test::PictureData;
using Bytes = std::vector<uint8_t>;

constexpr const char* kImageClass = "TPictureCollectionComponent";
constexpr const char* kWaveClass = "TWaveCollectionComponent";

// A one-pixel 24-bit bitmap of the colour blue 0x30, green 0x20, red 0x10.
Bytes OnePixelDib() {
    return Concat({InfoHeader(1, 1, 24), {0x30, 0x20, 0x10, 0}});
}

std::string ErrorOf(const Bytes& bytes, bool wave = false) {
    try {
        if (wave) {
            ReadWaveArchive(bytes);
        } else {
            ReadImageArchive(bytes);
        }
    } catch (const ArchiveError& error) {
        return error.what();
    }
    return "no error";
}

// --- How an item may begin: with or without its order value and the list-begin value.

struct ItemPrefix {
    std::string name;
    Bytes prefix;
};

std::ostream& operator<<(std::ostream& out, const ItemPrefix& p) {
    return out << p.name;
}

class ItemPrefixTest : public ::testing::TestWithParam<ItemPrefix> {};

TEST_P(ItemPrefixTest, ReadsEveryItemWhateverItsPrefix) {
    ArchiveBuilder archive(kImageClass);
    archive.BeginCollection();
    for (const char* name : {"Explosion", "Tiles"}) {
        archive.Bytes(GetParam().prefix).Name("Name").String(name);
        archive.Name("PatternWidth").Int16(300).Name("Transparent").Bool(true).Byte(0);
    }
    const std::vector<ImageEntry> images = ReadImageArchive(archive.EndCollection().Finish());
    ASSERT_EQ(images.size(), 2u);
    EXPECT_EQ(images[0].name, "Explosion");
    EXPECT_EQ(images[1].name, "Tiles");
    for (const ImageEntry& image : images) {
        EXPECT_EQ(image.patternWidth, 300);
        EXPECT_TRUE(image.transparent);
    }
}

INSTANTIATE_TEST_SUITE_P(Prefixes, ItemPrefixTest,
                         ::testing::Values(ItemPrefix{"Bare", {}}, ItemPrefix{"ListBegin", {1}},
                                           ItemPrefix{"Order8ListBegin", {2, 5, 1}},
                                           ItemPrefix{"Order16ListBegin", {3, 0x34, 0x12, 1}},
                                           ItemPrefix{"Order32ListBegin", {4, 1, 0, 0, 0, 1}},
                                           ItemPrefix{"Order8Only", {2, 'N'}},
                                           ItemPrefix{"Order32Only", {4, 7, 0, 0, 0}}),
                         [](const auto& info) { return info.param.name; });

// --- Properties the reader does not use are skipped, whatever their type.

class UnknownPropertyTest : public ::testing::TestWithParam<Bytes> {};

TEST_P(UnknownPropertyTest, IsSkippedInItemsAndAtTheTop) {
    ArchiveBuilder archive(kImageClass);
    archive.Name("Tag").Bytes(GetParam());
    archive.BeginCollection().Byte(1).Name("Name").String("First");
    archive.Name("Unknown").Bytes(GetParam()).Name("PatternWidth").Int8(7).Byte(0);
    archive.EndCollection().Name("Later").Bytes(GetParam());
    const std::vector<ImageEntry> images = ReadImageArchive(archive.Finish());
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].name, "First");
    EXPECT_EQ(images[0].patternWidth, 7);
}

INSTANTIATE_TEST_SUITE_P(
    EveryTag, UnknownPropertyTest,
    ::testing::Values(Bytes{0}, Bytes{1, 2, 5, 6, 1, 'x', 1, 9, 0, 0}, Bytes{2, 0x80},
                      Bytes{3, 1, 2}, Bytes{4, 1, 2, 3, 4}, Bytes{5, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10},
                      Bytes{6, 3, 'a', 'b', 'c'}, Bytes{7, 2, 'i', 'd'}, Bytes{8}, Bytes{9},
                      Bytes{10, 3, 0, 0, 0, 1, 2, 3}, Bytes{11, 2, 'a', 'b', 1, 'c', 0},
                      Bytes{12, 2, 0, 0, 0, 'h', 'i'}, Bytes{13},
                      // A collection: one item with a property, one with an order value only.
                      Bytes{14, 1, 4, 'N', 'a', 'm', 'e', 6, 1, 'z', 0, 2, 3, 1, 0, 0},
                      Bytes{15, 1, 2, 3, 4}, Bytes{16, 1, 2, 3, 4, 5, 6, 7, 8},
                      Bytes{17, 1, 2, 3, 4, 5, 6, 7, 8}, Bytes{18, 2, 0, 0, 0, 'h', 0, 'i', 0},
                      Bytes{19, 1, 2, 3, 4, 5, 6, 7, 8}, Bytes{20, 3, 0, 0, 0, 'u', 't', 'f'}));

// --- Image and sound items.

TEST(ImageArchiveReaderTest, ReadsEveryImageProperty) {
    ArchiveBuilder archive(kImageClass);
    archive.Name("List.ColorTable").Binary(Bytes(1024, 0x55));
    archive.BeginCollection().Byte(1).Name("Name").String("Car1");
    archive.Name("PatternHeight").Int8(-3).Name("patternwidth").Int32(70000);
    archive.Name("Picture.Data").Binary(PictureData(OnePixelDib()));
    archive.Name("SkipHeight").Int8(2).Name("SkipWidth").Int16(-300);
    archive.Name("SystemMemory").Bool(true).Name("Transparent").Bool(false);
    archive.Name("TransparentColor").Int32(0x00FF00FF).Byte(0);
    const std::vector<ImageEntry> images = ReadImageArchive(archive.EndCollection().Finish());
    ASSERT_EQ(images.size(), 1u);
    const ImageEntry& image = images[0];
    EXPECT_EQ(image.name, "Car1");
    EXPECT_EQ(image.patternHeight, -3);
    EXPECT_EQ(image.patternWidth, 70000);
    EXPECT_EQ(image.skipHeight, 2);
    EXPECT_EQ(image.skipWidth, -300);
    EXPECT_TRUE(image.systemMemory);
    EXPECT_FALSE(image.transparent);
    EXPECT_EQ(image.transparentColor, 0x00FF00FFu);
    ASSERT_EQ(image.picture.width, 1);
    EXPECT_EQ(image.picture.At(0, 0), 0xFF102030u);
}

TEST(ImageArchiveReaderTest, ReadsLongWideAndUtf8Names) {
    ArchiveBuilder archive(kImageClass);
    archive.BeginCollection();
    archive.Byte(1).Name("Name").Bytes({12, 4, 0, 0, 0, 'L', 'o', 'n', 'g'}).Byte(0);
    archive.Byte(1).Name("Name").Bytes({18, 3, 0, 0, 0, 'Z', 0, 'o', 0, 0xEB, 0}).Byte(0);
    archive.Byte(1).Name("Name").Bytes({20, 2, 0, 0, 0, 0xC3, 0xA9}).Byte(0);
    const std::vector<ImageEntry> images = ReadImageArchive(archive.EndCollection().Finish());
    ASSERT_EQ(images.size(), 3u);
    EXPECT_EQ(images[0].name, "Long");
    EXPECT_EQ(images[1].name, "Zo\xC3\xAB");
    EXPECT_EQ(images[2].name, "\xC3\xA9");
}

struct ColorCase {
    std::string identifier;
    uint32_t value;
};

class ColorIdentifierTest : public ::testing::TestWithParam<ColorCase> {};

TEST_P(ColorIdentifierTest, MapsToBlueGreenRed) {
    ArchiveBuilder archive(kImageClass);
    archive.BeginCollection().Byte(1).Name("TransparentColor").Ident(GetParam().identifier);
    archive.Byte(0);
    const std::vector<ImageEntry> images = ReadImageArchive(archive.EndCollection().Finish());
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].transparentColor, GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Identifiers, ColorIdentifierTest,
    ::testing::Values(ColorCase{"clFuchsia", 0x00FF00FF}, ColorCase{"clWhite", 0x00FFFFFF},
                      ColorCase{"clBlack", 0}, ColorCase{"CLLIME", 0x0000FF00},
                      ColorCase{"clRed", 0x000000FF}, ColorCase{"clNavy", 0x00800000},
                      ColorCase{"clNone", kColorNone}, ColorCase{"clNoSuchColour", 0}));

TEST(ImageArchiveReaderTest, KeepsDuplicatesInOrderAndTheFirstWinsTheLookUp) {
    ArchiveBuilder archive(kImageClass);
    archive.BeginCollection();
    archive.Byte(1).Name("Name").String("Explosion").Name("PatternWidth").Int8(1).Byte(0);
    archive.Byte(1).Name("Name").String("EXPLOSION").Name("PatternWidth").Int8(2).Byte(0);
    const std::vector<ImageEntry> images = ReadImageArchive(archive.EndCollection().Finish());
    ASSERT_EQ(images.size(), 2u);
    const ImageEntry* found = FindEntryByName(images, "explosion");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->patternWidth, 1);
    EXPECT_EQ(FindEntryByName(images, "explosio"), nullptr);
}

TEST(ImageArchiveReaderTest, EmptyOrMissingCollectionGivesNoItems) {
    EXPECT_TRUE(
        ReadImageArchive(ArchiveBuilder(kImageClass).BeginCollection().EndCollection().Finish())
            .empty());
    EXPECT_TRUE(ReadImageArchive(ArchiveBuilder(kImageClass).Finish()).empty());
}

TEST(ImageArchiveReaderTest, ItemWithEmptyPictureClassHasNoPicture) {
    ArchiveBuilder archive(kImageClass);
    archive.BeginCollection().Byte(1).Name("Picture.Data").Binary({0}).Byte(0);
    const std::vector<ImageEntry> images = ReadImageArchive(archive.EndCollection().Finish());
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].picture.width, 0);
    EXPECT_TRUE(images[0].picture.pixels.empty());
}

TEST(ImageArchiveReaderTest, SkipsChildObjects) {
    ArchiveBuilder archive(kImageClass);
    archive.BeginCollection().Byte(1).Name("Name").String("Kept").Byte(0).EndCollection();
    archive.Byte(0);  // end of the property list; children follow
    // A child with the child-position prefix, a property and a grandchild.
    archive.Bytes({0xF2, 2, 1}).Name("TChild").Name("Child").Name("Tag").Int8(1).Byte(0);
    archive.Name("TGrandChild").Name("").Byte(0).Byte(0);
    archive.Byte(0);  // the child's children end
    // Finish() adds two more zero bytes; the first ends the children, the second is ignored.
    const std::vector<ImageEntry> images = ReadImageArchive(archive.Finish());
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].name, "Kept");
}

TEST(WaveArchiveReaderTest, ReadsEveryWaveProperty) {
    ArchiveBuilder archive(kWaveClass);
    archive.BeginCollection().Byte(1).Name("Name").String("Horn").Name("Looped").Bool(true);
    archive.Name("MaxPlayingCount").Int8(3).Name("Wave.WAVE").Binary({'R', 'I', 'F', 'F'});
    archive.Byte(0);
    const std::vector<WaveEntry> waves = ReadWaveArchive(archive.EndCollection().Finish());
    ASSERT_EQ(waves.size(), 1u);
    EXPECT_EQ(waves[0].name, "Horn");
    EXPECT_TRUE(waves[0].looped);
    EXPECT_EQ(waves[0].maxPlayingCount, 3);
    EXPECT_EQ(waves[0].wave, (Bytes{'R', 'I', 'F', 'F'}));
}

// --- Failures and their messages.

struct ErrorCase {
    std::string name;
    Bytes archive;
    std::string message;
    bool wave = false;
};

std::ostream& operator<<(std::ostream& out, const ErrorCase& c) {
    return out << c.name;
}

Bytes ImageWithItem(const Bytes& itemProperties) {
    return ArchiveBuilder(kImageClass)
        .BeginCollection()
        .Byte(1)
        .Bytes(itemProperties)
        .Byte(0)
        .EndCollection()
        .Finish();
}

Bytes PictureProperty(const Bytes& data) {
    ByteWriter out;
    out.PutShortString("Picture.Data");
    out.PutU8(10);
    out.PutU32(static_cast<uint32_t>(data.size()));
    out.PutBytes(data);
    return out.Take();
}

std::vector<ErrorCase> ErrorCases() {
    Bytes header20 = Concat({InfoHeader(1, 1, 24), {0, 0, 0, 0}});
    header20[0] = 20;
    Bytes longName = {0xFF, 10, 0};
    longName.resize(100, 'A');
    Bytes deepList = ArchiveBuilder(kImageClass).Name("Deep").Bytes(Bytes(40, 1)).Finish();
    return {
        {"BadMarker", ArchiveBuilder(kImageClass, 0xFE).Finish(), kInvalidStreamFormat},
        {"BadType", ArchiveBuilder(kImageClass, 0xFF, 11).Finish(), kInvalidStreamFormat},
        {"NameLongerThanTheHeader", longName, kInvalidStreamFormat},
        {"BadSignature", ArchiveBuilder(kImageClass, 0xFF, 10, "TPF1").Finish(),
         kInvalidStreamFormat},
        {"SoundArchiveAsImages", ArchiveBuilder(kWaveClass).Finish(), kInvalidStreamFormat},
        {"ImageArchiveAsSounds", ArchiveBuilder(kImageClass).Finish(), kInvalidStreamFormat, true},
        {"DibHeaderSize20", ImageWithItem(PictureProperty(archive_test::PictureData(header20))),
         kDibIsInvalid},
        {"DibCompression4",
         ImageWithItem(
             PictureProperty(PictureData(Concat({InfoHeader(1, 1, 24, 4), {0, 0, 0, 0}})))),
         kDibIsInvalid},
        {"OtherPictureClass", ImageWithItem(PictureProperty(PictureData(OnePixelDib(), "TBitmap"))),
         kDibIsInvalid},
        {"UnknownTag", ImageWithItem({3, 'T', 'a', 'g', 21}), kInvalidStreamFormat},
        {"IntegerPropertyHoldsText",
         ImageWithItem({12, 'P', 'a', 't', 't', 'e', 'r', 'n', 'W', 'i', 'd', 't', 'h', 6, 1, '5'}),
         kInvalidPropertyValue},
        {"BinaryLongerThanTheFile", ImageWithItem({3, 'T', 'a', 'g', 10, 0xFF, 0xFF, 0xFF, 0x7F}),
         kStreamReadError},
        {"NestedTooDeep", deepList, kInvalidStreamFormat},
    };
}

class ArchiveErrorTest : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(ArchiveErrorTest, FailsWithMessage) {
    EXPECT_EQ(ErrorOf(GetParam().archive, GetParam().wave), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(BadArchives, ArchiveErrorTest, ::testing::ValuesIn(ErrorCases()),
                         [](const auto& info) { return info.param.name; });

// Cutting a valid archive anywhere fails cleanly: inside the first three bytes the header is
// wrong, everywhere after that the data ends early.
TEST(TruncatedArchiveTest, EveryPrefixFailsWithStreamReadError) {
    ArchiveBuilder images(kImageClass);
    images.Name("List.ColorTable").Binary(Bytes(8, 1)).BeginCollection();
    images.Byte(2).Byte(0).Byte(1).Name("Name").String("A").Name("PatternWidth").Int16(500);
    images.Name("Picture.Data").Binary(PictureData(OnePixelDib()));
    images.Name("TransparentColor").Ident("clFuchsia").Name("Transparent").Bool(true).Byte(0);
    const Bytes imageBytes = images.EndCollection().Finish();

    ArchiveBuilder waves(kWaveClass);
    waves.BeginCollection().Byte(1).Name("Name").String("Horn").Name("Looped").Bool(false);
    waves.Name("Wave.WAVE").Binary({1, 2, 3}).Byte(0);
    const Bytes waveBytes = waves.EndCollection().Finish();

    for (const auto& [bytes, wave] : {std::pair{imageBytes, false}, std::pair{waveBytes, true}}) {
        for (size_t length = 0; length < bytes.size(); ++length) {
            const Bytes prefix(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length));
            EXPECT_EQ(ErrorOf(prefix, wave), length < 3 ? kInvalidStreamFormat : kStreamReadError)
                << "prefix of " << length << " bytes";
        }
        EXPECT_EQ(ErrorOf(bytes, wave), "no error");
    }
}

TEST(ReadFileBytesTest, MissingFileNamesThePath) {
    try {
        ReadFileBytes("/nonexistent/Data/Res/Res1.dxg");
        FAIL() << "read a missing file";
    } catch (const ArchiveError& error) {
        EXPECT_STREQ(error.what(), "Cannot open file '/nonexistent/Data/Res/Res1.dxg'");
    }
}

}  // namespace
