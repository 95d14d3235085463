// The race's HUD as the player reads it, with the real LCD faces: every read-out lies inside its
// dark window on the panel and inside what the window shows (792 x 592), and the progress marker
// stays on its track, clear of every window, from the start of the road to its end.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "assetgen/race/race_hud.h"
#include "shell/form.h"
#include "sprites/player.h"
#include "support/test_assets.h"

namespace {

constexpr HudRect kWindows[] = {kLevelWindow, kTimeWindow,  kScoreWindow,
                                kAmmoWindow,  kLivesWindow, kNitroWindow};

bool Inside(const HudRect& r, int x, int y) {
    return x >= r.x0 && x < r.x1 && y >= r.y0 && y < r.y1;
}
bool Overlap(const HudRect& a, const HudRect& b) {
    return a.x0 < b.x1 && b.x0 < a.x1 && a.y0 < b.y1 && b.y0 < a.y1;
}

class HudLayoutTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = MakeTestForm();
        form->RaceScreen.StartRace();
        form->CloseWindow();  // the level banner
        car = form->RaceScreen.Race.Player;
        ASSERT_NE(car, nullptr);
    }

    // The HUD's texts alone, drawn on black: the lit pixels, where the LCD green shows.
    struct Pixel {
        int x, y;
    };
    std::vector<Pixel> DrawnTexts() {
        TDisplay& display = form->Components.MDXDraw;
        display.ClearTo(0);
        form->RaceScreen.DrawHud();
        std::vector<uint32_t> pixels;
        EXPECT_TRUE(display.ReadPixels(pixels));
        std::vector<Pixel> lit;
        for (int y = 0; y < 600; ++y)
            for (int x = 0; x < 800; ++x)
                if (((pixels[static_cast<size_t>(y) * 800 + x] >> 8) & 0xFF) > 40)
                    lit.push_back({x, y});
        return lit;
    }

    // Every lit pixel lies in a window, and every window named holds some of them.
    void ExpectAllInWindows(const std::string& what, const std::vector<HudRect>& holding) {
        const std::vector<Pixel> lit = DrawnTexts();
        ASSERT_FALSE(lit.empty()) << what;
        int stray = 0;
        for (const Pixel& p : lit) {
            bool inWindow = false;
            for (const HudRect& w : kWindows) inWindow = inWindow || Inside(w, p.x, p.y);
            if (!inWindow || p.x >= kVisibleRight || p.y >= kVisibleBottom) {
                if (stray++ < 3)
                    ADD_FAILURE() << what << ": a text pixel at " << p.x << ", " << p.y;
            }
        }
        for (const HudRect& w : holding) {
            int inside = 0;
            for (const Pixel& p : lit) inside += Inside(w, p.x, p.y) ? 1 : 0;
            EXPECT_GT(inside, 20) << what << ": nothing in the window at x " << w.x0;
        }
    }

    std::unique_ptr<TMForm> form;
    TPlayer* car = nullptr;
};

// "LEVEL 1" to "LEVEL 25": the widest text of the panel fits its window at every level, the
// two-digit ones included.
TEST_F(HudLayoutTest, EveryLevelFitsTheLevelWindow) {
    car->Weapon = WeaponKind::None;
    car->HasNitro = false;
    for (int level = 1; level <= 25; ++level) {
        form->RaceScreen.Track.Level.LevelNumber = level;
        ExpectAllInWindows("level " + std::to_string(level),
                           {kLevelWindow, kTimeWindow, kScoreWindow, kLivesWindow});
    }
}

// The widest figure each read-out can show: a seven-digit score, the longest clock, two-digit
// lives, a full launcher and a full nitro charge, which the window would cut at x 792.
TEST_F(HudLayoutTest, TheWidestFiguresStayInTheirWindowsAndInSight) {
    struct Case {
        const char* what;
        int timeLeft;
        int score;
        int lives;
        int ammo;
        double nitro;
    };
    const Case cases[] = {
        {"widest", 234000, 9999999, 99, 25, 100},
        {"fives", 59999, 5555555, 5, 5, 55},
        {"smallest", 0, 0, -1, 0, 0.4},
        {"ones", 11000, 1111111, 1, 11, 1},
        {"level 25 clock", 60000, 1000, 10, 20, 99},
    };
    for (const Case& c : cases) {
        form->RaceScreen.Track.Level.LevelNumber = 25;
        form->RaceScreen.Track.Level.TimeLeft = c.timeLeft;
        form->RaceScreen.Race.Score = c.score;
        form->RaceScreen.Race.Lives = c.lives;
        car->Weapon = WeaponKind::Rockets;
        car->Ammo = c.ammo;
        car->HasNitro = true;
        car->NitroFuel = c.nitro;
        ExpectAllInWindows(c.what, {kLevelWindow, kTimeWindow, kScoreWindow, kAmmoWindow,
                                    kLivesWindow, kNitroWindow});
    }
}

// The marker climbs from 216 less its height at the start to 15 at the finish, and stays there
// once the car is past the line: on its track, over no window, at every progress.
TEST_F(HudLayoutTest, TheProgressMarkerStaysOnItsTrack) {
    TrackState& track = form->RaceScreen.Track;
    car->CarSpeed = 0;
    const int length = track.Level.TrackLength;
    const int startRow = 1490;
    const int finishRow = 1490 - (length - 60);
    for (int row : {startRow, startRow - 1, (startRow + finishRow) / 2, finishRow + 1, finishRow,
                    finishRow - 40}) {
        track.ViewRow = row;
        form->FrameHandler(form->Timing.FrameMs);
        const TMyImageSprite* marker = form->RaceScreen.Hud.ProgressMarker;
        const HudRect place{static_cast<int>(marker->X), static_cast<int>(marker->Y),
                            static_cast<int>(marker->X) + marker->Width,
                            static_cast<int>(marker->Y) + marker->Height};
        EXPECT_GE(place.x0, kProgressTrack.x0) << "row " << row;
        EXPECT_LE(place.x1, kProgressTrack.x1) << "row " << row;
        EXPECT_GE(place.y0, kProgressTrack.y0) << "row " << row;
        EXPECT_LE(place.y1, kProgressTrack.y1) << "row " << row;
        for (const HudRect& w : kWindows) EXPECT_FALSE(Overlap(place, w)) << "row " << row;
        if (row <= finishRow) {
            EXPECT_EQ(marker->Y, 15) << "row " << row;
        }
        if (row == startRow) {
            EXPECT_EQ(place.y1, 216) << "the start";
        }
    }
}

}  // namespace
