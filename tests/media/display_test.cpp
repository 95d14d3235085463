#include <gtest/gtest.h>

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

TEST(SurfacePlacement, FullScreenKeepsFourToThreeCentred) {
    const SDL_Rect wide = SurfacePlacement(1920, 1080, true);
    EXPECT_EQ(wide.w, 1440);
    EXPECT_EQ(wide.h, 1080);
    EXPECT_EQ(wide.x, 240);
    EXPECT_EQ(wide.y, 0);

    const SDL_Rect tall = SurfacePlacement(1280, 1024, true);
    EXPECT_EQ(tall.w, 1280);
    EXPECT_EQ(tall.h, 960);
    EXPECT_EQ(tall.x, 0);
    EXPECT_EQ(tall.y, 32);

    const SDL_Rect exact = SurfacePlacement(800, 600, true);
    EXPECT_EQ(exact.x, 0);
    EXPECT_EQ(exact.w, 800);
}

TEST_F(HeadlessDisplayTest, ClearFillsTheWholeBackBuffer) {
    display.ClearTo(0x123456);
    const std::vector<uint32_t> pixels = Snapshot();
    ASSERT_EQ(pixels.size(), static_cast<size_t>(kSurfaceWidth) * kSurfaceHeight);
    EXPECT_EQ(At(pixels, 0, 0), 0xFF123456u);
    EXPECT_EQ(At(pixels, 799, 599), 0xFF123456u);
    EXPECT_EQ(At(pixels, 400, 300), 0xFF123456u);
}

TEST_F(HeadlessDisplayTest, WindowedMouseMapsOntoTheWholeSurface) {
    int sx = -1;
    int sy = -1;
    display.WindowToSurface(0, 0, sx, sy);
    EXPECT_EQ(sx, 0);
    EXPECT_EQ(sy, 0);
    display.WindowToSurface(kClientWidth / 2, kClientHeight / 2, sx, sy);
    EXPECT_EQ(sx, 400);
    EXPECT_EQ(sy, 300);
    display.WindowToSurface(kClientWidth - 1, kClientHeight - 1, sx, sy);
    EXPECT_EQ(sx, 799);
    EXPECT_EQ(sy, 599);
    // Positions off the client area (a drag leaving the window) stay on the surface.
    display.WindowToSurface(-20, 5000, sx, sy);
    EXPECT_EQ(sx, 0);
    EXPECT_EQ(sy, 599);
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
