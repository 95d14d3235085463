#pragma once
// Where the race draws its HUD texts and sprites on the 800 x 600 screen, which the panel's
// windows, bays and dial must line up with. Text places are centres; icons are top-left corners.

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
// The needle is 64 px long, so the ticks sit just beyond its tip.
constexpr double kDialRadius = 70;
