#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "media/display.h"
#include "media/frame_pacer.h"
#include "media/image_list.h"
#include "media_display_fixture.h"

namespace {

using media_test::HeadlessDisplayTest;

TEST(RefreshRateGuard, UnknownRatesCountAsSixtyHertz) {
    EXPECT_EQ(UsableRefreshRate(0), 60);
    EXPECT_EQ(UsableRefreshRate(1), 60);
    EXPECT_EQ(UsableRefreshRate(-3), 60);
    EXPECT_EQ(UsableRefreshRate(2), 2);
    EXPECT_EQ(UsableRefreshRate(75), 75);
}

struct PlacementCase {
    int outputWidth;
    int outputHeight;
    SDL_Rect dest;
};

// Full screen: the whole surface, as large as fits at 4:3, centred; an odd leftover pixel goes
// to the right or bottom bar.
TEST(SurfacePlacement, FullScreenKeepsFourToThreeCentred) {
    const PlacementCase cases[] = {
        {1920, 1080, {240, 0, 1440, 1080}},  // wide: bars left and right
        {1280, 1024, {0, 32, 1280, 960}},    // tall: bars top and bottom
        {800, 600, {0, 0, 800, 600}},        // exact
        {1024, 768, {0, 0, 1024, 768}},      // 4:3 scaled
        {1366, 768, {171, 0, 1024, 768}},    // odd leftover of 342: 171 left, 171 right
        {1367, 768, {171, 0, 1024, 768}},    // 343 over: the extra pixel on the right
        {640, 481, {0, 0, 640, 480}},        // a row too many: the bar is below
        {3840, 2160, {480, 0, 2880, 2160}},
    };
    for (const PlacementCase& c : cases) {
        const SurfaceView view = SurfacePlacement(c.outputWidth, c.outputHeight, true);
        SCOPED_TRACE(std::to_string(c.outputWidth) + " x " + std::to_string(c.outputHeight));
        EXPECT_EQ(view.source.x, 0);
        EXPECT_EQ(view.source.y, 0);
        EXPECT_EQ(view.source.w, kSurfaceWidth);
        EXPECT_EQ(view.source.h, kSurfaceHeight);
        EXPECT_EQ(view.dest.x, c.dest.x);
        EXPECT_EQ(view.dest.y, c.dest.y);
        EXPECT_EQ(view.dest.w, c.dest.w);
        EXPECT_EQ(view.dest.h, c.dest.h);
    }
}

TEST(SurfacePlacement, WindowShowsTheTopLeftOfTheSurfaceOneToOne) {
    const SurfaceView view = SurfacePlacement(kClientWidth, kClientHeight, false);
    EXPECT_EQ(view.source.x, 0);
    EXPECT_EQ(view.source.y, 0);
    EXPECT_EQ(view.source.w, kClientWidth);
    EXPECT_EQ(view.source.h, kClientHeight);
    EXPECT_EQ(view.dest.x, 0);
    EXPECT_EQ(view.dest.y, 0);
    EXPECT_EQ(view.dest.w, kClientWidth);
    EXPECT_EQ(view.dest.h, kClientHeight);
}

// The clear covers every pixel of the surface, over whatever the last frame drew, and takes
// each new colour (the software renderer copies a strip of it down the surface; a strip left
// in an old colour, or a last band short of the bottom, shows here).
TEST_F(HeadlessDisplayTest, ClearFillsTheWholeBackBuffer) {
    SDL_Renderer* renderer = display.Renderer();
    for (const uint32_t colour : {0x123456u, 0x123456u, 0x000000u, 0xFEDCBAu}) {
        SCOPED_TRACE(colour);
        SDL_SetRenderDrawColor(renderer, 200, 100, 50, 255);
        SDL_RenderFillRect(renderer, nullptr);
        display.ClearTo(colour);
        const std::vector<uint32_t> pixels = Snapshot();
        ASSERT_EQ(pixels.size(), static_cast<size_t>(kSurfaceWidth) * kSurfaceHeight);
        int wrong = 0;
        for (int y = 0; y < kSurfaceHeight; ++y) {
            for (int x = 0; x < kSurfaceWidth; ++x) {
                if (At(pixels, x, y) != (0xFF000000u | colour) && wrong++ < 3)
                    ADD_FAILURE() << "pixel " << x << ", " << y;
            }
        }
        EXPECT_EQ(wrong, 0);
    }
}

TEST_F(HeadlessDisplayTest, WindowedMouseMapsOneToOne) {
    int sx = -1;
    int sy = -1;
    display.WindowToSurface(0, 0, sx, sy);
    EXPECT_EQ(sx, 0);
    EXPECT_EQ(sy, 0);
    display.WindowToSurface(kClientWidth / 2, kClientHeight / 2, sx, sy);
    EXPECT_EQ(sx, 396);
    EXPECT_EQ(sy, 296);
    display.WindowToSurface(kClientWidth - 1, kClientHeight - 1, sx, sy);
    EXPECT_EQ(sx, 791);
    EXPECT_EQ(sy, 591);
    // Positions off the client area (a drag leaving the window) stay on the part shown.
    display.WindowToSurface(-20, 5000, sx, sy);
    EXPECT_EQ(sx, 0);
    EXPECT_EQ(sy, 591);
    display.WindowToSurface(kClientWidth, 3, sx, sy);
    EXPECT_EQ(sx, 791);
    EXPECT_EQ(sy, 3);
}

// Every pixel of a surface whose neighbours all differ, so that any shift, scaling or smoothing
// shows.
uint32_t PatternPixel(int x, int y) {
    return 0xFF000000u | static_cast<uint32_t>((x * 7 + y) & 0xFF) << 16 |
           static_cast<uint32_t>((y * 5 + x / 3) & 0xFF) << 8 |
           static_cast<uint32_t>((x ^ y) & 0xFF);
}

TEST_F(HeadlessDisplayTest, TheWindowShowsTheSurfacePixelForPixel) {
    std::vector<uint32_t> pattern(static_cast<size_t>(kSurfaceWidth) * kSurfaceHeight);
    for (int y = 0; y < kSurfaceHeight; ++y) {
        for (int x = 0; x < kSurfaceWidth; ++x) pattern[y * kSurfaceWidth + x] = PatternPixel(x, y);
    }
    SDL_Texture* source =
        SDL_CreateTexture(display.Renderer(), SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC,
                          kSurfaceWidth, kSurfaceHeight);
    ASSERT_NE(source, nullptr) << SDL_GetError();
    ASSERT_EQ(SDL_UpdateTexture(source, nullptr, pattern.data(), kSurfaceWidth * 4), 0);
    SDL_RenderCopy(display.Renderer(), source, nullptr, nullptr);
    SDL_DestroyTexture(source);
    ASSERT_EQ(Snapshot(), pattern);

    std::vector<uint32_t> window;
    int width = 0;
    int height = 0;
    display.ObserveWindow([&](const std::vector<uint32_t>& pixels, int w, int h) {
        window = pixels;
        width = w;
        height = h;
    });
    display.Present();
    ASSERT_EQ(width, kClientWidth);
    ASSERT_EQ(height, kClientHeight);
    int wrong = 0;
    for (int y = 0; y < kClientHeight; ++y) {
        for (int x = 0; x < kClientWidth; ++x) {
            if ((window[y * kClientWidth + x] | 0xFF000000u) != PatternPixel(x, y)) {
                if (wrong++ < 5) ADD_FAILURE() << "window pixel " << x << ", " << y << " differs";
            }
        }
    }
    EXPECT_EQ(wrong, 0);
    // The back buffer is still the one drawn into.
    display.ClearTo(0x00FF00);
    EXPECT_EQ(At(Snapshot(), 5, 5), 0xFF00FF00u);
}

// A window larger than the picture: the largest whole multiple, sharp, while it fills at least
// three quarters of what smooth scaling would reach; past that edge, smooth scaling to the
// largest size that keeps the picture's proportions. Always centred; an odd leftover pixel goes
// to the right or bottom bar.
TEST(SurfacePlacement, AResizedWindowScalesByWholeMultiplesWhileTheyFillIt) {
    struct WindowCase {
        int outputWidth;
        int outputHeight;
        SDL_Rect dest;
        bool smooth;
    };
    const WindowCase cases[] = {
        {792, 592, {0, 0, 792, 592}, false},          // the first-start size, one to one
        {1584, 1184, {0, 0, 1584, 1184}, false},      // twice
        {1585, 1185, {0, 0, 1584, 1184}, false},      // a pixel over: bars right and below
        {2560, 1440, {488, 128, 1584, 1184}, false},  // 2x fills 82 % of the 1926 x 1440 fit
        {3840, 2160, {732, 192, 2376, 1776}, false},  // 3x
        {1056, 800, {132, 104, 792, 592}, false},     // 1x is exactly three quarters of 1056
        {1057, 800, {0, 5, 1057, 790}, true},         // a pixel wider: smooth
        {1920, 1080, {238, 0, 1444, 1080}, true},     // 1x would be 55 % of the height
        {600, 450, {0, 1, 600, 448}, true},           // smaller than the picture
    };
    for (const WindowCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.outputWidth) + " x " + std::to_string(c.outputHeight));
        const SurfaceView view = SurfacePlacement(c.outputWidth, c.outputHeight, false);
        EXPECT_EQ(view.source.w, kClientWidth);
        EXPECT_EQ(view.source.h, kClientHeight);
        EXPECT_EQ(view.dest.x, c.dest.x);
        EXPECT_EQ(view.dest.y, c.dest.y);
        EXPECT_EQ(view.dest.w, c.dest.w);
        EXPECT_EQ(view.dest.h, c.dest.h);
        EXPECT_EQ(view.smooth, c.smooth);
    }
}

// The real window on the software renderer, for as long as the object lives. Without the second
// hint SDL would back the window with a GL texture, loading Mesa for nothing; Mesa's allocations
// outlive its unloading and read as leaks.
struct SoftwareWindowHints {
    SoftwareWindowHints() {
        SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    }
    ~SoftwareWindowHints() {
        SDL_ResetHint(SDL_HINT_RENDER_DRIVER);
        SDL_ResetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION);
    }
};

// The game's real window (not headless) on the offscreen driver, resized as the player would. The
// software renderer draws it: the offscreen driver's GL surface keeps the size it was made with.
class ResizedWindowTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(display.Open(false, false)) << SDL_GetError();
        std::vector<uint32_t> pattern(static_cast<size_t>(kSurfaceWidth) * kSurfaceHeight);
        for (int y = 0; y < kSurfaceHeight; ++y) {
            for (int x = 0; x < kSurfaceWidth; ++x)
                pattern[y * kSurfaceWidth + x] = PatternPixel(x, y);
        }
        SDL_Texture* source =
            SDL_CreateTexture(display.Renderer(), SDL_PIXELFORMAT_ARGB8888,
                              SDL_TEXTUREACCESS_STATIC, kSurfaceWidth, kSurfaceHeight);
        ASSERT_NE(source, nullptr) << SDL_GetError();
        ASSERT_EQ(SDL_UpdateTexture(source, nullptr, pattern.data(), kSurfaceWidth * 4), 0);
        SDL_RenderCopy(display.Renderer(), source, nullptr, nullptr);
        SDL_DestroyTexture(source);
    }

    // The window's pixels after a flip at the given size.
    std::vector<uint32_t> PresentAt(int width, int height) {
        SDL_SetWindowSize(display.Window(), width, height);
        std::vector<uint32_t> window;
        display.ObserveWindow([&](const std::vector<uint32_t>& pixels, int w, int h) {
            window = pixels;
            EXPECT_EQ(w, width);
            EXPECT_EQ(h, height);
        });
        display.Present();
        return window;
    }

    SoftwareWindowHints hints;
    TDisplay display;
};

TEST_F(ResizedWindowTest, AtTwiceTheSizeEverySurfacePixelIsASharpTwoByTwoBlock) {
    const std::vector<uint32_t> window = PresentAt(2 * kClientWidth, 2 * kClientHeight);
    ASSERT_EQ(window.size(), static_cast<size_t>(4 * kClientWidth * kClientHeight));
    int wrong = 0;
    for (int y = 0; y < 2 * kClientHeight; ++y) {
        for (int x = 0; x < 2 * kClientWidth; ++x) {
            if ((window[static_cast<size_t>(y) * 2 * kClientWidth + x] | 0xFF000000u) !=
                PatternPixel(x / 2, y / 2)) {
                if (wrong++ < 5) ADD_FAILURE() << "window pixel " << x << ", " << y << " differs";
            }
        }
    }
    EXPECT_EQ(wrong, 0);
}

TEST_F(ResizedWindowTest, ThePictureOfAWideWindowIsCentredBetweenBlackBars) {
    const std::vector<uint32_t> window = PresentAt(1920, 1080);
    ASSERT_EQ(window.size(), static_cast<size_t>(1920 * 1080));
    const auto at = [&](int x, int y) { return window[static_cast<size_t>(y) * 1920 + x]; };
    // The picture spans x 238 to 1681 (1444 pixels wide); the bars are black to their edge.
    for (int y : {0, 540, 1079}) {
        EXPECT_EQ(at(0, y) & 0xFFFFFFu, 0u);
        EXPECT_EQ(at(237, y) & 0xFFFFFFu, 0u);
        EXPECT_EQ(at(1682, y) & 0xFFFFFFu, 0u);
        EXPECT_EQ(at(1919, y) & 0xFFFFFFu, 0u);
    }
    int lit = 0;
    for (int x = 238; x <= 1681; ++x) lit += (at(x, 540) & 0xFFFFFFu) != 0 ? 1 : 0;
    EXPECT_GT(lit, 1400);
}

// The mouse finds the surface pixel under it at every size; in the bars it touches nothing.
TEST_F(ResizedWindowTest, TheMouseMapsToTheGamesPixelsAtEverySize) {
    struct MouseCase {
        int windowWidth;
        int windowHeight;
        int x;
        int y;
        bool onPicture;
        int sx;
        int sy;
    };
    const MouseCase cases[] = {
        {1584, 1184, 0, 0, true, 0, 0},           {1584, 1184, 1, 1, true, 0, 0},
        {1584, 1184, 2, 3, true, 1, 1},           {1584, 1184, 1583, 1183, true, 791, 591},
        {1585, 1185, 1584, 600, false, 791, 300},  // the one-pixel bar on the right
        {1920, 1080, 237, 540, false, 0, 296},     // the left bar's last column
        {1920, 1080, 238, 540, true, 0, 296},      // the picture's first
        {1920, 1080, 1681, 0, true, 791, 0},      {1920, 1080, 1682, 1079, false, 791, 591},
        {1920, 1080, -40, 540, true, 0, 296},  // a drag off the window holds to the edge
    };
    for (const MouseCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.windowWidth) + " x " + std::to_string(c.windowHeight) +
                     " at " + std::to_string(c.x) + ", " + std::to_string(c.y));
        SDL_SetWindowSize(display.Window(), c.windowWidth, c.windowHeight);
        int sx = -1;
        int sy = -1;
        EXPECT_EQ(display.WindowToSurface(c.x, c.y, sx, sy), c.onPicture);
        EXPECT_EQ(sx, c.sx);
        EXPECT_EQ(sy, c.sy);
    }
}

// The window opens at the size the player left it, no larger than the screen's usable area,
// follows the player's resizing, and comes back to that size after full screen.
TEST(RememberedWindow, OpensAtTheKeptSizeAndComesBackToItAfterFullScreen) {
    SoftwareWindowHints hints;
    TDisplay display;
    display.SetWindowedSize(1000, 700, false);
    ASSERT_TRUE(display.Open(false, false)) << SDL_GetError();
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(display.Window(), &width, &height);
    SDL_Rect usable{};
    ASSERT_EQ(SDL_GetDisplayUsableBounds(0, &usable), 0) << SDL_GetError();
    EXPECT_EQ(width, std::min(1000, usable.w));
    EXPECT_EQ(height, std::min(700, usable.h));

    SDL_SetWindowSize(display.Window(), 900, 650);
    display.NoteWindowChanged();
    EXPECT_EQ(display.WindowedWidth(), 900);
    EXPECT_EQ(display.WindowedHeight(), 650);
    display.StopDisplay();
    display.StartDisplay(true);
    display.NoteWindowChanged();  // the full-screen size is not the window's
    display.StopDisplay();
    display.StartDisplay(false);
    SDL_GetWindowSize(display.Window(), &width, &height);
    EXPECT_EQ(width, 900);
    EXPECT_EQ(height, 650);
    display.Close();

    // A size kept from a larger screen shrinks to this one's; one below the smallest window
    // grows to it.
    display.SetWindowedSize(100000, 100000, false);
    ASSERT_TRUE(display.Open(false, false)) << SDL_GetError();
    EXPECT_EQ(display.WindowedWidth(), std::max(usable.w, kMinimumWindowWidth));
    EXPECT_EQ(display.WindowedHeight(), std::max(usable.h, kMinimumWindowHeight));
    display.Close();
    display.SetWindowedSize(10, 10, false);
    EXPECT_EQ(display.WindowedWidth(), kMinimumWindowWidth);
    EXPECT_EQ(display.WindowedHeight(), kMinimumWindowHeight);
}

// The hand is the pointer over the game's window. The offscreen driver has no system cursors;
// there the test only shows that the display opens and closes without one.
TEST_F(HeadlessDisplayTest, TheHandCursorIsActiveWhileTheDisplayIsOpen) {
    if (display.Cursor() == nullptr) {
        GTEST_SKIP() << "the video driver " << SDL_GetCurrentVideoDriver()
                     << " has no system cursors";
    }
    EXPECT_EQ(SDL_GetCursor(), display.Cursor());
}

TEST_F(HeadlessDisplayTest, PresentLeavesTheBackBufferDrawable) {
    EXPECT_TRUE(display.IsDrawable());
    display.ClearTo(0x00FF00);
    display.Present();
    display.ClearTo(0x0000FF);
    EXPECT_EQ(At(Snapshot(), 10, 10), 0xFF0000FFu);
    EXPECT_GT(display.ReadRefreshRate(), 1);
    EXPECT_FALSE(display.SelfPacing());
}

TEST_F(HeadlessDisplayTest, ModeSwitchKeepsPreparedPictures) {
    ImageEntry entry;
    entry.name = "Red";
    entry.picture.width = 4;
    entry.picture.height = 4;
    entry.picture.pixels.assign(16, 0xFFFF0000u);
    TPictureItem item(entry);
    item.Prepare(display.Renderer());

    display.StopDisplay();
    EXPECT_FALSE(display.IsDrawable());
    display.StartDisplay(true);
    EXPECT_TRUE(display.FullScreen());
    EXPECT_TRUE(display.IsDrawable());
    display.StopDisplay();
    display.StartDisplay(false);
    EXPECT_FALSE(display.FullScreen());

    ASSERT_TRUE(item.Prepared());
    display.ClearTo(kBackground);
    item.DrawPattern(10, 10, 0);
    EXPECT_EQ(At(Snapshot(), 11, 11), 0xFFFF0000u);
}

TEST_F(HeadlessDisplayTest, PicturesOutlivingTheDisplayAreSafe) {
    ImageEntry entry;
    entry.name = "Red";
    entry.picture.width = 2;
    entry.picture.height = 2;
    entry.picture.pixels.assign(4, 0xFFFF0000u);
    TPictureItem item(entry);
    item.Prepare(display.Renderer());
    ASSERT_TRUE(item.Prepared());
    // The renderer takes its textures along; the picture must neither draw with nor free one.
    display.Close();
    EXPECT_FALSE(item.Prepared());
    item.DrawPattern(0, 0, 0);
}

class FramePacerTest : public ::testing::Test {
protected:
    static constexpr uint64_t kTicksPerSecond = 600'000;
    static constexpr uint64_t kPeriod = kTicksPerSecond / 60;

    // Reports n frames, each `interval` after the previous one, whose present took `took`.
    void Frames(int n, uint64_t interval, uint64_t took) {
        for (int i = 0; i < n; ++i) {
            now += interval;
            pacer.NotePresent(now - took, now);
        }
    }

    FramePacer pacer{kTicksPerSecond, 60};
    uint64_t now = 1'000'000;
};

TEST_F(FramePacerTest, PresentsThatWaitForTheBlankNeedNoPacing) {
    Frames(50, kPeriod, kPeriod * 9 / 10);
    EXPECT_FALSE(pacer.Pacing());
    EXPECT_EQ(pacer.NextPresentAt(now), now);
}

TEST_F(FramePacerTest, SlowFramesAreNeverHeldBack) {
    // Presents return at once, but drawing takes two periods.
    Frames(FramePacer::kFramesToDecide, 2 * kPeriod, 10);
    ASSERT_TRUE(pacer.Pacing());
    for (int i = 0; i < 5; ++i) {
        now += 2 * kPeriod;
        EXPECT_EQ(pacer.NextPresentAt(now), now);
    }
}

TEST_F(FramePacerTest, QuickPresentsInARowSwitchPacingOn) {
    Frames(FramePacer::kFramesToDecide - 1, kPeriod, 10);
    EXPECT_FALSE(pacer.Pacing());
    // One frame that waited starts the count again.
    Frames(1, kPeriod, kPeriod);
    Frames(FramePacer::kFramesToDecide - 1, kPeriod, 10);
    EXPECT_FALSE(pacer.Pacing());
    Frames(1, kPeriod, 10);
    EXPECT_TRUE(pacer.Pacing());
    // It stays on until the display mode changes.
    Frames(50, kPeriod, kPeriod);
    EXPECT_TRUE(pacer.Pacing());
    pacer.SetRefreshRate(85);
    EXPECT_FALSE(pacer.Pacing());
    EXPECT_EQ(pacer.PeriodTicks(), kTicksPerSecond / 85);
}

TEST_F(FramePacerTest, FastFramesWithASlowCopySwitchPacingOn) {
    // The present takes a third of a period (a slow copy, no wait), frames come twice a period.
    // The first frame has no predecessor to be quick after.
    Frames(FramePacer::kFramesToDecide, kPeriod / 2, kPeriod / 3);
    EXPECT_FALSE(pacer.Pacing());
    Frames(1, kPeriod / 2, kPeriod / 3);
    EXPECT_TRUE(pacer.Pacing());
}

TEST_F(FramePacerTest, PacedFramesKeepTheRefreshCadence) {
    Frames(FramePacer::kFramesToDecide, kPeriod / 10, 0);
    ASSERT_TRUE(pacer.Pacing());
    const uint64_t first = pacer.NextPresentAt(now);
    EXPECT_EQ(first, now);
    // A fast frame waits for its slot one period later.
    EXPECT_EQ(pacer.NextPresentAt(now + 100), first + kPeriod);
    // A frame a little late goes at once, and the following slot stays on the cadence.
    EXPECT_EQ(pacer.NextPresentAt(first + 2 * kPeriod + 500), first + 2 * kPeriod + 500);
    EXPECT_EQ(pacer.NextPresentAt(first + 2 * kPeriod + 600), first + 3 * kPeriod);
    // A frame late by more than a period restarts the cadence instead of rushing.
    const uint64_t late = first + 9 * kPeriod + 7;
    EXPECT_EQ(pacer.NextPresentAt(late), late);
    EXPECT_EQ(pacer.NextPresentAt(late + 1), late + kPeriod);
}

}  // namespace
