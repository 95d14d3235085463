#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <ostream>
#include <string>

#include "media/text_canvas.h"
#include "media_display_fixture.h"

namespace {

// The game passes the alias file relative to its working folder (the build folder, where the
// tests run); run from elsewhere, the source copy is used.
std::string FontsConfPath() {
    if (std::filesystem::exists("Data/fonts.conf")) return "Data/fonts.conf";
    return (std::filesystem::path(__FILE__).parent_path() / "../../data/fonts.conf").string();
}

class TextCanvasTest : public media_test::HeadlessDisplayTest {
protected:
    void SetUp() override {
        HeadlessDisplayTest::SetUp();
        ASSERT_TRUE(canvas.Init(FontsConfPath()));
        canvas.SetRenderer(display.Renderer());
    }

    TTextCanvas canvas;
};

struct FontCase {
    const char* family;
    bool bold;
    const char* expected;
    int sizePt = 0;  // 0: any size
};

void PrintTo(const FontCase& c, std::ostream* out) {
    *out << c.family << (c.bold ? " bold" : "") << " " << c.sizePt << " pt";
}

class FontMatchTest : public TextCanvasTest, public ::testing::WithParamInterface<FontCase> {};

// Without these the game's texts fall back to a default face and no longer fit their places.
TEST_P(FontMatchTest, GameFontNamesResolveToTheirSubstitutes) {
    const FontCase& c = GetParam();
    EXPECT_EQ(canvas.MatchedFamily(c.family, c.bold, c.sizePt), c.expected)
        << "\"" << c.family << "\" resolved to the wrong family: is the alias file loaded and "
        << "the font package installed?";
}

INSTANTIATE_TEST_SUITE_P(Aliases, FontMatchTest,
                         ::testing::Values(FontCase{"DS Crystal", false, "DSEG14 Classic"},
                                           FontCase{"Beast Impacted", false, "Bebas Neue"},
                                           FontCase{"Beast Impacted", true, "Bebas Neue"},
                                           FontCase{"Courier", false, "Liberation Mono"},
                                           // The help pages' body text, 13 points, is set in a
                                           // face with lower case; from 14 points on, the
                                           // menus' capitals.
                                           FontCase{"Beast Impacted", false, "Liberation Sans", 13},
                                           FontCase{"Beast Impacted", false, "Bebas Neue", 14}));

TEST_F(TextCanvasTest, BoldUsesTheRealBoldFace) {
    EXPECT_NE(canvas.MatchedFile("Beast Impacted", true).find("Bold"), std::string::npos);
    EXPECT_FALSE(canvas.SyntheticBold("Beast Impacted", true));
    EXPECT_EQ(canvas.MatchedFile("Beast Impacted", false).find("Bold"), std::string::npos);
}

struct WidthCase {
    const char* label;
    const char* family;
    int sizePt;
    bool bold;
    const char* text;
    int width;
    int height;  // 0: not checked
};

void PrintTo(const WidthCase& c, std::ostream* out) {
    *out << c.label;
}

class TextWidthTest : public TextCanvasTest, public ::testing::WithParamInterface<WidthCase> {};

// The screens were laid out around these measurements of the substitute fonts.
TEST_P(TextWidthTest, MeasuredSizesMatchTheLayout) {
    const WidthCase& c = GetParam();
    canvas.SetFont(c.family, c.sizePt, 0xFFFFFF, c.bold);
    const int width = canvas.TextWidth(c.text);
    EXPECT_NEAR(width, c.width, 4) << c.text;
    if (c.height > 0) {
        EXPECT_NEAR(canvas.TextHeight(c.text), c.height, 2) << c.text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Layout, TextWidthTest,
    ::testing::Values(
        WidthCase{"HudLevel", "DS Crystal", 22, false, "LEVEL 12", 175, 31},
        WidthCase{"HudTime", "DS Crystal", 22, false, "01 : 05", 115, 31},
        WidthCase{"HudScore", "DS Crystal", 22, false, "123456", 145, 31},
        WidthCase{"OptionsTitle", "Beast Impacted", 78, false, "OPTIONS", 256, 105},
        WidthCase{"HelpTitle", "Beast Impacted", 78, false, "HELP", 154, 105},
        WidthCase{"TimeOver", "Beast Impacted", 36, false, "Your time is over,", 274, 49},
        WidthCase{"GameOver", "Beast Impacted", 36, false, "Game Over", 163, 49},
        WidthCase{"TwelveW", "Beast Impacted", 28, false, "WWWWWWWWWWWW", 265, 0},
        WidthCase{"SixteenBoldW", "Beast Impacted", 28, true, "WWWWWWWWWWWWWWWW", 337, 0}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(TextCanvasTest, TextLandsInsideItsBox) {
    canvas.SetFont("Beast Impacted", 36, 0xF40909, false);
    const int width = canvas.TextWidth("Game Over");
    const int height = canvas.TextHeight("Game Over");
    canvas.TextOut(100, 200, "Game Over");
    const auto pixels = Snapshot();
    int minX = kSurfaceWidth;
    int maxX = -1;
    int minY = kSurfaceHeight;
    int maxY = -1;
    int reddest = 0;
    for (int y = 0; y < kSurfaceHeight; ++y) {
        for (int x = 0; x < kSurfaceWidth; ++x) {
            const uint32_t pixel = At(pixels, x, y);
            if ((pixel & 0xFFFFFF) == kBackground) continue;
            minX = std::min(minX, x);
            maxX = std::max(maxX, x);
            minY = std::min(minY, y);
            maxY = std::max(maxY, y);
            reddest = std::max(reddest, static_cast<int>((pixel >> 16) & 0xFF));
        }
    }
    ASSERT_GE(maxX, 0) << "nothing was drawn";
    EXPECT_GE(minX, 100);
    EXPECT_LE(maxX, 100 + width);
    EXPECT_GE(minY, 200);
    EXPECT_LE(maxY, 200 + height);
    EXPECT_GT(maxX - minX, width * 3 / 4);  // the text spans its measured width
    EXPECT_GE(reddest, 0xF0);               // fully covered pixels have the text colour
}

// The windows over the race write red letters over whatever the road shows there. Drawn over
// white lane paint, the yellow middle line, pale pavement and dark asphalt, every letter keeps a
// dark rim: no pixel of the red ink touches the background.
class OutlinedTextTest : public TextCanvasTest, public ::testing::WithParamInterface<uint32_t> {
protected:
    static constexpr uint32_t kRed = 0xF40909;
    static bool IsInk(uint32_t pixel) {
        return ((pixel >> 16) & 0xFF) > 0xD0 && ((pixel >> 8) & 0xFF) < 0x40 &&
               (pixel & 0xFF) < 0x40;
    }
    // The box of the red ink drawn at (100, 200) in a look, on the given ground.
    struct Box {
        int x0 = 800, y0 = 600, x1 = -1, y1 = -1;
    };
    Box InkBox(TextLook look, uint32_t ground) {
        display.ClearTo(ground);
        canvas.SetFont("Beast Impacted", 36, kRed, false, look);
        canvas.TextOut(100, 200, "Level 12");
        const auto pixels = Snapshot();
        Box box;
        for (int y = 0; y < kSurfaceHeight; ++y)
            for (int x = 0; x < kSurfaceWidth; ++x)
                if (IsInk(At(pixels, x, y))) {
                    box.x0 = std::min(box.x0, x);
                    box.y0 = std::min(box.y0, y);
                    box.x1 = std::max(box.x1, x);
                    box.y1 = std::max(box.y1, y);
                }
        return box;
    }
};

TEST_P(OutlinedTextTest, NoLetterTouchesTheRoad) {
    const uint32_t ground = GetParam();
    display.ClearTo(ground);
    canvas.SetFont("Beast Impacted", 36, kRed, false, TextLook::Outlined);
    canvas.TextOut(100, 200, "Pause");
    const auto pixels = Snapshot();
    int ink = 0;
    int touching = 0;
    for (int y = 1; y + 1 < kSurfaceHeight; ++y)
        for (int x = 1; x + 1 < kSurfaceWidth; ++x) {
            if (!IsInk(At(pixels, x, y))) continue;
            ++ink;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    touching += (At(pixels, x + dx, y + dy) & 0xFFFFFF) == ground ? 1 : 0;
        }
    EXPECT_GT(ink, 300) << "the letters themselves stay red";
    EXPECT_EQ(touching, 0) << "red ink next to the bare road";
}

std::string GroundName(const ::testing::TestParamInfo<uint32_t>& info) {
    switch (info.param) {
        case 0xFFFFFFu:
            return "LanePaint";
        case 0xF2BE1Cu:
            return "MiddleLine";
        case 0xC8C8C0u:
            return "Pavement";
        default:
            return "Asphalt";
    }
}

INSTANTIATE_TEST_SUITE_P(Grounds, OutlinedTextTest,
                         ::testing::Values(0xFFFFFFu, 0xF2BE1Cu, 0xC8C8C0u, 0x3A3D42u), GroundName);

// The outline and the shadow dress a text without moving it: a window's text stays centred
// where it always was, to the pixel.
TEST_F(OutlinedTextTest, TheOutlineDoesNotMoveTheLetters) {
    const Box plain = InkBox(TextLook::Plain, 0x000000);
    const Box outlined = InkBox(TextLook::Outlined, 0x000000);
    ASSERT_GE(plain.x1, 0);
    EXPECT_NEAR(outlined.x0, plain.x0, 1);
    EXPECT_NEAR(outlined.y0, plain.y0, 1);
    EXPECT_NEAR(outlined.x1, plain.x1, 1);
    EXPECT_NEAR(outlined.y1, plain.y1, 1);
    canvas.SetFont("Beast Impacted", 36, kRed, false, TextLook::Plain);
    const int plainWidth = canvas.TextWidth("Level 12");
    canvas.SetFont("Beast Impacted", 36, kRed, false, TextLook::Outlined);
    EXPECT_EQ(canvas.TextWidth("Level 12"), plainWidth) << "centring measures the letters only";
}

TEST_F(TextCanvasTest, RepeatedTextsAreKeptAndIdleOnesDropped) {
    canvas.SetFont("DS Crystal", 22, 0x2AFF00, false);
    for (int frame = 0; frame < 400; ++frame) {
        canvas.TextOut(600, 10, "LEVEL 1");
        canvas.TextOut(600, 40, std::to_string(frame));  // a changing number
        canvas.Release();
    }
    EXPECT_LT(canvas.CachedTextCount(), 400 / 2);
    EXPECT_GT(canvas.CachedTextCount(), 1);
    for (int frame = 0; frame < 400; ++frame) {
        canvas.TextOut(600, 10, "LEVEL 1");
        canvas.Release();
    }
    EXPECT_EQ(canvas.CachedTextCount(), 1);
}

TEST_F(TextCanvasTest, CachedTextsFollowTheColour) {
    canvas.SetFont("Beast Impacted", 36, 0xFF0000, false);
    canvas.TextOut(10, 10, "HELP");
    canvas.SetFont("Beast Impacted", 36, 0x0000FF, false);
    canvas.TextOut(10, 10, "HELP");
    const auto pixels = Snapshot();
    bool anyRed = false;
    for (uint32_t pixel : pixels) anyRed |= ((pixel >> 16) & 0xFF) > 0xC0;
    EXPECT_FALSE(anyRed) << "the blue text reused the red one";
    EXPECT_EQ(canvas.CachedTextCount(), 2);
}

TEST_F(TextCanvasTest, EmptyTextAndMissingFontDrawNothing) {
    canvas.SetFont("Beast Impacted", 36, 0xFFFFFF, false);
    EXPECT_EQ(canvas.TextWidth(""), 0);
    EXPECT_GT(canvas.TextHeight(""), 0);
    canvas.TextOut(10, 10, "");
    canvas.SetFont("Beast Impacted", 0, 0xFFFFFF, false);
    EXPECT_EQ(canvas.TextWidth("HELP"), 0);
    canvas.TextOut(10, 10, "HELP");
    EXPECT_EQ(CountNonBackground(Snapshot()), 0);
}

TEST(TextCanvasWithoutDisplay, MeasuresWithoutARenderer) {
    TTextCanvas canvas;
    ASSERT_TRUE(canvas.Init(FontsConfPath()));
    canvas.SetFont("Beast Impacted", 28, 0xFFFFFF, false);
    EXPECT_GT(canvas.TextWidth("NAME"), 0);
    canvas.TextOut(0, 0, "NAME");  // no renderer: nothing happens
    canvas.Release();
}

}  // namespace
