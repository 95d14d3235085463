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

TEST(SurfacePlacement, WindowStretchesOverTheClientArea) {
    const SDL_Rect rect = SurfacePlacement(kClientWidth, kClientHeight, false);
    EXPECT_EQ(rect.x, 0);
    EXPECT_EQ(rect.y, 0);
    EXPECT_EQ(rect.w, kClientWidth);
    EXPECT_EQ(rect.h, kClientHeight);
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

    // Reports n presents of the given length, one period apart.
    void Present(int n, uint64_t took) {
        for (int i = 0; i < n; ++i) {
            pacer.NotePresent(now, now + took);
            now += kPeriod;
        }
    }

    FramePacer pacer{kTicksPerSecond, 60};
    uint64_t now = 1'000'000;
};

TEST_F(FramePacerTest, PresentsThatWaitNeedNoPacing) {
    Present(50, kPeriod * 9 / 10);
    EXPECT_FALSE(pacer.Pacing());
    EXPECT_EQ(pacer.NextPresentAt(now), now);
}

TEST_F(FramePacerTest, SeveralQuickPresentsInARowSwitchPacingOn) {
    Present(FramePacer::kPresentsToDecide - 1, 10);
    EXPECT_FALSE(pacer.Pacing());
    // One waiting present in between starts the count again.
    Present(1, kPeriod);
    Present(FramePacer::kPresentsToDecide - 1, 10);
    EXPECT_FALSE(pacer.Pacing());
    Present(1, 10);
    EXPECT_TRUE(pacer.Pacing());
}

TEST_F(FramePacerTest, PacedFramesKeepTheRefreshCadence) {
    Present(FramePacer::kPresentsToDecide, 0);
    ASSERT_TRUE(pacer.Pacing());
    const uint64_t first = pacer.NextPresentAt(now);
    EXPECT_EQ(first, now);
    // A fast frame waits for its slot one period later.
    EXPECT_EQ(pacer.NextPresentAt(now + 100), first + kPeriod);
    // A frame a little late goes at once, and the following slot stays on the cadence.
    EXPECT_EQ(pacer.NextPresentAt(first + 2 * kPeriod + 500), first + 2 * kPeriod + 500);
    EXPECT_EQ(pacer.NextPresentAt(first + 2 * kPeriod + 600), first + 3 * kPeriod);
}

TEST_F(FramePacerTest, AFrameLateByMoreThanAPeriodRestartsTheCadence) {
    Present(FramePacer::kPresentsToDecide, 0);
    const uint64_t first = pacer.NextPresentAt(now);
    const uint64_t late = first + 5 * kPeriod + 7;
    EXPECT_EQ(pacer.NextPresentAt(late), late);
    EXPECT_EQ(pacer.NextPresentAt(late + 1), late + kPeriod);
}

TEST_F(FramePacerTest, WaitingPresentsSwitchPacingOffAgain) {
    Present(FramePacer::kPresentsToDecide, 0);
    ASSERT_TRUE(pacer.Pacing());
    Present(FramePacer::kPresentsToDecide, kPeriod);
    EXPECT_FALSE(pacer.Pacing());
}

TEST_F(FramePacerTest, RefreshRateSetsThePeriod) {
    pacer.SetRefreshRate(85);
    EXPECT_EQ(pacer.PeriodTicks(), kTicksPerSecond / 85);
}

}  // namespace
