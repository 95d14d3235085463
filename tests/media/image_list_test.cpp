#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "archive/archive_writer.h"
#include "media/image_list.h"
#include "media_display_fixture.h"
#include "persist/temp_folder.h"

namespace {

constexpr uint32_t kMagenta = 0xFFFF00FFu;
constexpr uint32_t kMark = 0xFFFFFF00u;  // yellow
constexpr int kPatternW = 20;
constexpr int kPatternH = 10;

// Pattern n's body colour.
uint32_t BodyColour(int n) {
    return 0xFF000000u | (0x40u << (8 * (2 - n % 3))) | 0x101010u;
}

// Three 20 x 10 patterns in a row. Each has its body colour, a key-coloured top-left quarter
// (x < 5, y < 5) and a 2 x 2 yellow mark at x 16..17, y 2..3.
ImageEntry StripEntry(bool transparent) {
    ImageEntry entry;
    entry.name = "Strip";
    entry.patternWidth = kPatternW;
    entry.patternHeight = kPatternH;
    entry.transparent = transparent;
    entry.transparentColor = 0x00FF00FF;
    entry.picture.width = 3 * kPatternW;
    entry.picture.height = kPatternH;
    entry.picture.pixels.resize(static_cast<size_t>(entry.picture.width) * kPatternH);
    for (int y = 0; y < kPatternH; ++y) {
        for (int x = 0; x < entry.picture.width; ++x) {
            const int n = x / kPatternW;
            const int px = x % kPatternW;
            uint32_t colour = BodyColour(n);
            if (px < 5 && y < 5) colour = kMagenta;
            if (px >= 16 && px <= 17 && y >= 2 && y <= 3) colour = kMark;
            entry.picture.pixels[static_cast<size_t>(y) * entry.picture.width + x] = colour;
        }
    }
    return entry;
}

class ImageDrawTest : public media_test::HeadlessDisplayTest {
protected:
    void SetUp() override {
        HeadlessDisplayTest::SetUp();
        std::vector<ImageEntry> entries;
        entries.push_back(StripEntry(true));
        ImageEntry opaque = StripEntry(false);
        opaque.name = "Opaque";
        entries.push_back(opaque);
        list.LoadEntries(std::move(entries));
        list.Prepare(display.Renderer());
    }

    // The centre of the yellow mark on the surface (pixel centres at +0.5), or NaN if absent.
    static void MarkCentre(const std::vector<uint32_t>& pixels, double& cx, double& cy,
                           int& count) {
        double sumX = 0;
        double sumY = 0;
        count = 0;
        for (int y = 0; y < kSurfaceHeight; ++y) {
            for (int x = 0; x < kSurfaceWidth; ++x) {
                if (At(pixels, x, y) == kMark) {
                    sumX += x + 0.5;
                    sumY += y + 0.5;
                    ++count;
                }
            }
        }
        cx = count > 0 ? sumX / count : NAN;
        cy = count > 0 ? sumY / count : NAN;
    }

    TImageList list;
    static constexpr uint32_t kBackgroundPixel = 0xFF000000u | kBackground;
};

TEST_F(ImageDrawTest, DrawPatternPlacesTheChosenPatternWithTheKeyColourLeftOut) {
    list.ByName("Strip").DrawPattern(100, 50, 1);
    const auto pixels = Snapshot();
    EXPECT_EQ(At(pixels, 100 + 10, 50 + 8), BodyColour(1));
    EXPECT_EQ(At(pixels, 100 + 19, 50 + 9), BodyColour(1));
    EXPECT_EQ(At(pixels, 100 + 16, 50 + 2), kMark);
    EXPECT_EQ(At(pixels, 100 + 0, 50 + 0), kBackgroundPixel);  // key colour
    EXPECT_EQ(At(pixels, 100 + 4, 50 + 4), kBackgroundPixel);
    EXPECT_EQ(At(pixels, 100 + 20, 50 + 5), kBackgroundPixel);  // right of the pattern
    EXPECT_EQ(At(pixels, 99, 55), kBackgroundPixel);
    EXPECT_EQ(CountNonBackground(pixels), kPatternW * kPatternH - 25);
}

TEST_F(ImageDrawTest, PatternNumbersOutOfRangeDrawNothing) {
    TPictureItem& strip = list.ByName("Strip");
    ASSERT_EQ(strip.PatternCount(), 3);
    strip.DrawPattern(100, 100, -1);
    strip.DrawPattern(100, 100, 3);
    strip.DrawBlended(SDL_Rect{0, 0, 40, 20}, 3, 255);
    strip.DrawTurned(300, 300, 20, 10, -1, 0.5, 0.5, 10);
    EXPECT_EQ(CountNonBackground(Snapshot()), 0);
}

TEST_F(ImageDrawTest, UnpreparedPicturesDrawNothing) {
    TPictureItem unprepared(StripEntry(true));
    EXPECT_FALSE(unprepared.Prepared());
    unprepared.DrawPattern(10, 10, 0);
    unprepared.DrawBlended(SDL_Rect{0, 0, 20, 10}, 0, 255);
    unprepared.DrawTurned(300, 300, 20, 10, 0, 0.5, 0.5, 0);
    EXPECT_EQ(CountNonBackground(Snapshot()), 0);
}

TEST_F(ImageDrawTest, BlendedDrawScalesIntoTheRectangle) {
    list.ByName("Strip").DrawBlended(SDL_Rect{200, 100, 2 * kPatternW, 2 * kPatternH}, 0, 255);
    const auto pixels = Snapshot();
    EXPECT_EQ(At(pixels, 200 + 2 * 16, 100 + 2 * 2), kMark);
    EXPECT_EQ(At(pixels, 200 + 2 * 17 + 1, 100 + 2 * 3 + 1), kMark);
    EXPECT_EQ(At(pixels, 200 + 39, 100 + 19), BodyColour(0));
    EXPECT_EQ(At(pixels, 200 + 9, 100 + 9), kBackgroundPixel);  // key colour, scaled
    EXPECT_EQ(CountNonBackground(pixels), 4 * (kPatternW * kPatternH - 25));
}

TEST_F(ImageDrawTest, AlphaZeroDrawsNothingAndHalfAlphaBlends) {
    TPictureItem& strip = list.ByName("Strip");
    strip.DrawBlended(SDL_Rect{0, 0, kPatternW, kPatternH}, 0, 0);
    EXPECT_EQ(CountNonBackground(Snapshot()), 0);

    strip.DrawBlended(SDL_Rect{0, 0, kPatternW, kPatternH}, 0, 128);
    const auto pixels = Snapshot();
    const uint32_t body = BodyColour(0);
    const uint32_t blended = At(pixels, 10, 8);
    for (int shift : {0, 8, 16}) {
        const int expected = (static_cast<int>((body >> shift) & 0xFF) * 128 +
                              static_cast<int>((kBackground >> shift) & 0xFF) * 127) /
                             255;
        EXPECT_NEAR(static_cast<int>((blended >> shift) & 0xFF), expected, 2) << shift;
    }
    EXPECT_EQ(At(pixels, 2, 2), kBackgroundPixel);  // the key colour stays see-through

    // The alpha does not stick to later plain draws.
    strip.DrawPattern(100, 100, 0);
    EXPECT_EQ(At(Snapshot(), 110, 108), body);
}

// Opaque pictures are copied without blending, except for a blended draw.
TEST_F(ImageDrawTest, OpaquePicturesShowTheKeyColourAndStillBlend) {
    TPictureItem& opaque = list.ByName("Opaque");
    opaque.DrawPattern(0, 0, 2);
    opaque.DrawBlended(SDL_Rect{100, 0, kPatternW, kPatternH}, 0, 128);
    opaque.DrawPattern(200, 0, 0);
    const auto pixels = Snapshot();
    EXPECT_EQ(At(pixels, 0, 0), kMagenta);
    EXPECT_EQ(At(pixels, 10, 8), BodyColour(2));
    EXPECT_NE(At(pixels, 110, 8), BodyColour(0));
    EXPECT_NE(At(pixels, 110, 8), kBackgroundPixel);
    EXPECT_EQ(At(pixels, 210, 8), BodyColour(0));

    // An opaque picture made with no alpha in its pixels (not one the archive gives) is opaque
    // all the same: its blended draw is the same as that of the picture with full alpha.
    ImageEntry clear = opaque.Entry();
    clear.name = "NoAlpha";
    for (uint32_t& pixel : clear.picture.pixels) pixel &= 0x00FFFFFFu;
    TPictureItem noAlpha(clear);
    noAlpha.Prepare(display.Renderer());
    noAlpha.DrawBlended(SDL_Rect{300, 0, kPatternW, kPatternH}, 0, 128);
    EXPECT_EQ(At(Snapshot(), 310, 8), At(pixels, 110, 8));
}

// The software renderer copies opaque rows by another path when source and destination are
// aligned in memory; whatever the path, a pattern lands pixel for pixel, at every one of the four
// alignments and cut off at the surface's right edge, with nothing drawn beside it.
TEST_F(ImageDrawTest, OpaquePatternsLandPixelForPixelAtEveryAlignment) {
    const TPictureItem& opaque = list.ByName("Opaque");
    const ImageEntry& entry = opaque.Entry();
    const int pattern = 1;
    for (const int x : {96, 97, 98, 99, 790}) {
        SCOPED_TRACE(x);
        display.ClearTo(kBackground);
        opaque.DrawPattern(x, 40, pattern);
        const auto pixels = Snapshot();
        int wrong = 0;
        for (int y = 38; y < 40 + kPatternH + 2; ++y) {
            for (int sx = x - 2; sx < std::min(x + kPatternW + 2, kSurfaceWidth); ++sx) {
                const int px = sx - x;
                const int py = y - 40;
                const bool inside = px >= 0 && px < kPatternW && py >= 0 && py < kPatternH;
                const uint32_t expected =
                    inside ? entry.picture.At(pattern * kPatternW + px, py) : kBackgroundPixel;
                if (At(pixels, sx, y) != expected && wrong++ < 3)
                    ADD_FAILURE() << "pixel " << sx << ", " << y;
            }
        }
        EXPECT_EQ(wrong, 0);
        EXPECT_EQ(CountNonBackground(pixels), std::min(kPatternW, kSurfaceWidth - x) * kPatternH);
    }
}

// "clNone" as the key colour leaves nothing out, whatever its low bytes read as: white stays.
TEST_F(ImageDrawTest, KeyColourNoneDrawsEveryPixel) {
    ImageEntry entry = StripEntry(true);
    entry.name = "NoKey";
    entry.transparentColor = kColorNone;
    entry.picture.pixels[0] = 0xFFFFFFFFu;  // white, what 0x1FFFFFFF's colour bytes say
    TPictureItem item(entry);
    item.Prepare(display.Renderer());
    EXPECT_FALSE(item.Transparent());
    item.DrawPattern(0, 0, 0);
    item.DrawBlended(SDL_Rect{100, 0, kPatternW, kPatternH}, 0, 255);
    const auto pixels = Snapshot();
    EXPECT_EQ(At(pixels, 0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(At(pixels, 4, 4), kMagenta);
    EXPECT_EQ(At(pixels, 100, 0), 0xFFFFFFFFu);
    EXPECT_EQ(At(pixels, 104, 4), kMagenta);
}

struct TurnCase {
    const char* label;
    int width;
    int height;
    double centreX;
    double centreY;
    int angle;
    double expectX;  // the mark's centre relative to the point (x, y)
    double expectY;
};

void PrintTo(const TurnCase& c, std::ostream* out) {
    *out << c.label;
}

class ImageTurnTest : public ImageDrawTest, public ::testing::WithParamInterface<TurnCase> {};

// The mark's centre lies at (17, 3) of a 20 x 10 pattern. Turning by a quarter (64) moves an
// offset (dx, dy) from the pivot to (-dy, dx): up turns to the right, clockwise.
TEST_P(ImageTurnTest, MarkLandsWhereTheTurnPutsIt) {
    const TurnCase& c = GetParam();
    constexpr int kX = 300;
    constexpr int kY = 300;
    list.ByName("Strip").DrawTurned(kX, kY, c.width, c.height, 0, c.centreX, c.centreY, c.angle);
    double cx = 0;
    double cy = 0;
    int count = 0;
    MarkCentre(Snapshot(), cx, cy, count);
    ASSERT_GT(count, 0);
    EXPECT_NEAR(cx, kX + c.expectX, 1.0);
    EXPECT_NEAR(cy, kY + c.expectY, 1.0);
}

INSTANTIATE_TEST_SUITE_P(
    Turns, ImageTurnTest,
    ::testing::Values(TurnCase{"Unturned", 20, 10, 0.5, 0.5, 0, 7, -2},
                      TurnCase{"QuarterClockwise", 20, 10, 0.5, 0.5, 64, 2, 7},
                      TurnCase{"Half", 20, 10, 0.5, 0.5, 128, -7, 2},
                      TurnCase{"ThreeQuarters", 20, 10, 0.5, 0.5, 192, -2, -7},
                      TurnCase{"FullTurnIsUnturned", 20, 10, 0.5, 0.5, 256, 7, -2},
                      TurnCase{"NegativeQuarterIsThreeQuarters", 20, 10, 0.5, 0.5, -64, -2, -7},
                      TurnCase{"PivotAtTopLeft", 20, 10, 0.0, 0.0, 64, -3, 17},
                      TurnCase{"PivotOutsideThePattern", 20, 10, -1.0, 0.5, 64, 2, 37},
                      TurnCase{"ScaledBeforeTurning", 40, 10, 0.5, 0.5, 64, 2, 14}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(ImageDrawTest, TurnedDrawLeavesTheKeyColourOut) {
    list.ByName("Strip").DrawTurned(300, 300, 20, 10, 0, 0.5, 0.5, 64);
    const auto pixels = Snapshot();
    // Unturned, the key quarter spans x -10..-5, y -5..0 from the pivot; turned a quarter it
    // spans x 0..5, y -10..-5.
    EXPECT_EQ(At(pixels, 302, 292), kBackgroundPixel);
    EXPECT_EQ(At(pixels, 298, 292), BodyColour(0));
    EXPECT_EQ(CountNonBackground(pixels), kPatternW * kPatternH - 25);
}

TEST(ImageListTest, NamesAreFoundWithoutRegardToCase) {
    TImageList list;
    std::vector<ImageEntry> entries;
    entries.push_back(StripEntry(true));
    entries.back().name = "BonusNitro";
    entries.push_back(StripEntry(false));
    entries.back().name = "Tiles";
    list.LoadEntries(std::move(entries));

    EXPECT_EQ(&list.ByName("bonusnitro"), &list.Item(0));
    EXPECT_EQ(&list.ByName("TILES"), &list.Item(1));
    EXPECT_EQ(list.Find("Tile"), nullptr);
    EXPECT_EQ(list.Find("BonusNitro "), nullptr);
    try {
        list.ByName("Car12");
        FAIL() << "no error for a missing name";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "Image 'Car12' not found");
    }
}

TEST(ImageListTest, LoadArchiveReplacesTheContents) {
    const TempFolder folder;
    const std::filesystem::path path = folder.Path() / "Res1.dxg";
    ImageEntry entry = StripEntry(true);
    entry.name = "Panel";
    WriteFileBytes(path.string(), WriteImageArchive({entry}));

    TImageList list;
    list.LoadEntries({StripEntry(false)});
    list.LoadArchive(path.string());
    std::filesystem::remove(path);  // a missing archive is refused below
    ASSERT_EQ(list.Count(), 1);
    const TPictureItem& panel = list.ByName("panel");
    EXPECT_EQ(panel.PatternCount(), 3);
    EXPECT_EQ(panel.PatternWidth(), kPatternW);
    EXPECT_TRUE(panel.Transparent());
    EXPECT_EQ(list.Find("Strip"), nullptr);

    EXPECT_THROW(list.LoadArchive(path.string()), ArchiveError);
}

}  // namespace
