#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "archive/archive_test_bytes.h"
#include "archive/dib.h"

namespace {

using archive_test::Concat;
using archive_test::CoreHeader;
using archive_test::InfoHeader;
using Bytes = std::vector<uint8_t>;

// Palette entries as stored: blue, green, red (and a reserved byte after an info header).
constexpr uint32_t kC0 = 0xFF302010;  // stored 10 20 30
constexpr uint32_t kC1 = 0xFFFFFFFF;
constexpr uint32_t kC2 = 0xFF0000FF;  // blue
constexpr uint32_t kC3 = 0xFF00FF00;  // green
const Bytes kQuadTable = {0x10, 0x20, 0x30, 0, 0xFF, 0xFF, 0xFF, 0, 0xFF, 0, 0, 0, 0, 0xFF, 0, 0};

struct DibCase {
    std::string name;
    Bytes dib;
    int width;
    int height;
    std::vector<uint32_t> pixels;  // top row first
};

std::ostream& operator<<(std::ostream& out, const DibCase& c) {
    return out << c.name;
}

Bytes CoreTable16() {
    Bytes table;
    for (int i = 0; i < 16; ++i) {
        table.push_back(static_cast<uint8_t>(i));      // blue
        table.push_back(static_cast<uint8_t>(i * 2));  // green
        table.push_back(static_cast<uint8_t>(i * 3));  // red
    }
    return table;
}

uint32_t CoreColor(int i) {
    return 0xFF000000u | static_cast<uint32_t>(i * 3) << 16 | static_cast<uint32_t>(i * 2) << 8 |
           static_cast<uint32_t>(i);
}

std::vector<DibCase> DecodeCases() {
    return {
        {"OneBitBottomUp",
         Concat({InfoHeader(3, 2, 1),
                 {0x10, 0x20, 0x30, 0, 0xFF, 0xFF, 0xFF, 0},
                 {0xA0, 0, 0, 0},    // bottom row: 1 0 1
                 {0x60, 0, 0, 0}}),  // top row: 0 1 1
         3,
         2,
         {kC0, kC1, kC1, kC1, kC0, kC1}},
        {"FourBitCoreHeaderThreeByteTable",
         Concat({CoreHeader(3, 1, 4), CoreTable16(), {0x2F, 0x70, 0, 0}}),
         3,
         1,
         {CoreColor(2), CoreColor(15), CoreColor(7)}},
        {"EightBitShortTableOutOfRangeIsBlack",
         Concat({InfoHeader(2, 2, 8, 0, 4), kQuadTable, {3, 9, 0, 0}, {1, 2, 0, 0}}),
         2,
         2,
         {kC1, kC2, kC3, 0xFF000000}},
        {"SixteenBitWithoutMasksIs555",
         Concat({InfoHeader(3, 1, 16), {0x00, 0x7C, 0xE0, 0x03, 0x10, 0x42, 0, 0}}),
         3,
         1,
         {0xFFFF0000, 0xFF00FF00, 0xFF848484}},
        {"SixteenBitFields565",
         Concat({InfoHeader(3, 1, 16, 3),
                 {0x00, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0},
                 {0x00, 0xF8, 0x00, 0x04, 0x1F, 0x00, 0, 0}}),
         3,
         1,
         {0xFFFF0000, 0xFF008200, 0xFF0000FF}},
        {"TwentyFourBitRowsPadded",
         Concat({InfoHeader(2, 2, 24), {1, 2, 3, 4, 5, 6, 0, 0}, {7, 8, 9, 10, 11, 12, 0, 0}}),
         2,
         2,
         {0xFF090807, 0xFF0C0B0A, 0xFF030201, 0xFF060504}},
        {"ThirtyTwoBitTopDown",
         Concat({InfoHeader(1, -2, 32), {1, 2, 3, 99}, {4, 5, 6, 99}}),
         1,
         2,
         {0xFF030201, 0xFF060504}},
        {"ThirtyTwoBitFieldsSwapRedAndBlue",
         Concat({InfoHeader(1, 1, 32, 3),
                 {0xFF, 0, 0, 0, 0, 0xFF, 0, 0, 0, 0, 0xFF, 0},
                 {0x11, 0x22, 0x33, 0}}),
         1,
         1,
         {0xFF112233}},
        {"EightBitTableCappedAt256",
         [] {
             Bytes table(256 * 4, 0);
             table[255 * 4 + 2] = 0xAB;  // red of entry 255
             return Concat({InfoHeader(1, 1, 8, 0, 300), table, {255, 0, 0, 0}});
         }(),
         1,
         1,
         {0xFFAB0000}},
        // Runs, a delta that moves right and up, end of line, a literal run with its pad byte,
        // end of picture. Pixels the data skips keep colour 0.
        {"RunLength8",
         Concat({InfoHeader(4, 3, 8, 1, 4),
                 kQuadTable,
                 {2, 1, 0, 2, 1, 1, 1, 2, 0, 0, 0, 3, 3, 2, 1, 0, 0, 1}}),
         4,
         3,
         {kC3, kC2, kC1, kC0, kC0, kC0, kC0, kC2, kC1, kC1, kC0, kC0}},
        // A run alternates its two nibbles; a literal run of five nibbles takes three bytes and
        // a pad byte.
        {"RunLength4",
         Concat(
             {InfoHeader(8, 1, 4, 2, 4), kQuadTable, {3, 0x12, 0, 5, 0x32, 0x13, 0x20, 0, 0, 1}}),
         8,
         1,
         {kC1, kC2, kC1, kC3, kC2, kC1, kC3, kC2}},
        {"RunLengthWithoutEndOfPicture",
         Concat({InfoHeader(2, 1, 8, 1, 4), kQuadTable, {2, 3, 0, 0}}),
         2,
         1,
         {kC3, kC3}},
    };
}

class DibDecodeTest : public ::testing::TestWithParam<DibCase> {};

TEST_P(DibDecodeTest, DecodesPixelsTopRowFirst) {
    const DibCase& c = GetParam();
    const DecodedPicture picture = DecodeDib(c.dib);
    EXPECT_EQ(picture.width, c.width);
    EXPECT_EQ(picture.height, c.height);
    EXPECT_EQ(picture.pixels, c.pixels);
}

INSTANTIATE_TEST_SUITE_P(Variants, DibDecodeTest, ::testing::ValuesIn(DecodeCases()),
                         [](const auto& info) { return info.param.name; });

struct DibErrorCase {
    std::string name;
    Bytes dib;
    std::string message;
};

std::ostream& operator<<(std::ostream& out, const DibErrorCase& c) {
    return out << c.name;
}

std::vector<DibErrorCase> ErrorCases() {
    Bytes header20 = InfoHeader(1, 1, 24);
    header20[0] = 20;
    return {
        {"HeaderSize20", Concat({header20, Bytes(4, 0)}), kDibIsInvalid},
        {"Compression4", Concat({InfoHeader(1, 1, 24, 4), Bytes(4, 0)}), kDibIsInvalid},
        {"TwoBits", Concat({InfoHeader(1, 1, 2), Bytes(32, 0)}), kDibIsInvalid},
        {"RunLength8WithFourBits", Concat({InfoHeader(1, 1, 4, 1), Bytes(80, 0)}), kDibIsInvalid},
        {"BitFieldsWith24Bits", Concat({InfoHeader(1, 1, 24, 3), Bytes(16, 0)}), kDibIsInvalid},
        {"RunLengthTopDown", Concat({InfoHeader(1, -1, 8, 1, 1), Bytes(8, 0)}), kDibIsInvalid},
        {"ZeroWidth", Concat({InfoHeader(0, 1, 24), Bytes(4, 0)}), kDibIsInvalid},
        {"NegativeWidth", Concat({InfoHeader(-5, 1, 24), Bytes(4, 0)}), kDibIsInvalid},
        {"ZeroHeight", Concat({InfoHeader(1, 0, 24), Bytes(4, 0)}), kDibIsInvalid},
        {"TooWide", Concat({InfoHeader(16385, 1, 24), Bytes(4, 0)}), kDibIsInvalid},
        {"MostNegativeHeight", Concat({InfoHeader(1, INT32_MIN, 24), Bytes(4, 0)}), kDibIsInvalid},
        // The largest sides with a few bytes of data: refused before any allocation.
        {"HugeWithoutData", Concat({InfoHeader(16384, 16384, 32), Bytes(64, 0)}), kStreamReadError},
        {"HugeRunLength", Concat({InfoHeader(16384, 16384, 8, 1, 1), Bytes(4, 0), {0, 1}}),
         kDibIsInvalid},
        {"ShortTable", Concat({InfoHeader(1, 1, 8), Bytes(100, 0)}), kStreamReadError},
        {"ShortRows", Concat({InfoHeader(2, 2, 24), Bytes(12, 0)}), kStreamReadError},
        {"RunLengthEndsEarly", Concat({InfoHeader(2, 2, 8, 1, 1), Bytes(4, 0), {2, 0, 0, 0}}),
         kStreamReadError},
        {"RunLengthLiteralEndsEarly", Concat({InfoHeader(4, 1, 8, 1, 1), Bytes(4, 0), {0, 4, 1}}),
         kStreamReadError},
        {"Empty", {}, kStreamReadError},
    };
}

class DibErrorTest : public ::testing::TestWithParam<DibErrorCase> {};

TEST_P(DibErrorTest, FailsWithMessage) {
    const DibErrorCase& c = GetParam();
    try {
        DecodeDib(c.dib);
        FAIL() << "decoded a bad bitmap";
    } catch (const ArchiveError& error) {
        EXPECT_STREQ(error.what(), c.message.c_str());
    }
}

INSTANTIATE_TEST_SUITE_P(BadBitmaps, DibErrorTest, ::testing::ValuesIn(ErrorCases()),
                         [](const auto& info) { return info.param.name; });

TEST(DibEncodeTest, WritesBottomUp24BitThatDecodesBack) {
    DecodedPicture picture;
    picture.width = 3;
    picture.height = 2;
    picture.pixels = {0xFF010203, 0xFF040506, 0xFF070809, 0xFF0A0B0C, 0xFF0D0E0F, 0xFFFF00FF};
    const Bytes dib = EncodeDib24(picture);
    ASSERT_EQ(dib.size(), 40u + 2 * 12);  // 9 bytes a row padded to 12
    EXPECT_EQ(dib[0], 40);
    EXPECT_EQ(dib[8], 2);    // positive height: bottom-up
    EXPECT_EQ(dib[14], 24);  // bits
    EXPECT_EQ(dib[16], 0);   // no compression
    EXPECT_EQ((Bytes{dib[40], dib[41], dib[42]}), (Bytes{0x0C, 0x0B, 0x0A}));  // bottom row first
    EXPECT_EQ(DecodeDib(dib).pixels, picture.pixels);
}

TEST(DibEncodeTest, RefusesPixelsThatDoNotMatchTheSize) {
    DecodedPicture picture;
    picture.width = 2;
    picture.height = 2;
    picture.pixels.assign(3, 0);
    EXPECT_THROW(EncodeDib24(picture), ArchiveError);
}

}  // namespace
