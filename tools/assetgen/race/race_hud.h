#pragma once
// Where the race draws its HUD texts and sprites on the 800 x 600 screen, which the panel's
// windows, bays and dial must line up with. Text places are centres; icons are top-left corners.
// The window shows only the surface's top-left 792 x 592, so everything that matters on the panel
// ends left of x 792 and above y 592.

// A rectangle on the screen: x0 <= x < x1, y0 <= y < y1.
struct HudRect {
    int x0, y0, x1, y1;
};
constexpr int kVisibleRight = 792;
constexpr int kVisibleBottom = 592;

// The dark windows the race writes its read-outs into (their insides, without the frame). The
// level window stops short of the progress track; the lives and nitro figures are set flush with
// the right end of theirs (kFlushRight), where a wider figure grows to the left.
constexpr HudRect kLevelWindow{614, 12, 768, 44};
constexpr HudRect kTimeWindow{640, 99, 770, 135};
constexpr HudRect kScoreWindow{614, 184, 770, 220};
constexpr HudRect kAmmoWindow{736, 256, 788, 288};
constexpr HudRect kLivesWindow{738, 311, 788, 343};
constexpr HudRect kNitroWindow{720, 370, 788, 400};
constexpr int kFlushRight = 786;
// The progress marker's track: the marker (14 wide at x 773) runs from y 15 at the finish to
// 216 less its height at the start.
constexpr HudRect kProgressTrack{771, 13, 789, 218};

constexpr double kTimeX = 705;
constexpr double kTimeY = 117;
constexpr double kScoreX = 692;
constexpr double kScoreY = 202;
constexpr double kAmmoX = 763;
constexpr double kAmmoY = 272;
constexpr double kLivesX = 775;
constexpr double kLivesY = 327;
constexpr double kNitroTextX = 760;
constexpr double kNitroTextY = 384;
constexpr double kWeaponIconX = 627;
constexpr double kWeaponIconY = 251;
constexpr double kNitroIconX = 628;
constexpr double kNitroIconY = 363;
constexpr int kIconSize = 42;
constexpr double kProgressX = 773;
constexpr double kEnergyX = 672;
constexpr double kEnergyY = 558;

// The needle picture is placed at (641, 509) and turns about the point 1.04 of its width and
// half its height, i.e. about (641 + width, 509 + height) on the screen: the dial's centre.
constexpr int kPointerW = 64;
constexpr int kPointerH = 8;
constexpr double kDialCentreX = 641 + kPointerW;
constexpr double kDialCentreY = 509 + kPointerH;
// The needle is 64 px long, so the ticks sit just beyond its tip; the dial with its bezel ends
// above the window's bottom edge.
constexpr double kDialRadius = 68;
