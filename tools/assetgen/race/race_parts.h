#pragma once
// The groups of race pictures that make up image archive 2 besides the road tiles, each in the
// order in which the archive lists them.

#include <cairo.h>

#include <cstdint>
#include <vector>

#include "archive/archive_types.h"

namespace raceart {

// Car1 to Car6: the six player cars, nose up.
std::vector<ImageEntry> BuildPlayerCars();
// NitroAnim, Handbrake, Blood, ExplosionBig.
std::vector<ImageEntry> BuildCarEffects();
// GunAnim_1..6, RocketAnim_1..6, GunShooting, Rocket, EngineFire, Explosion.
std::vector<ImageEntry> BuildWeapons();
// Car7 to Car11: the traffic models, six directions each.
std::vector<ImageEntry> BuildTraffic();
// Man_* and Girl_*: walking in four directions and lying.
std::vector<ImageEntry> BuildPedestrians();
// The bonus tokens, the street lamps and the finish line.
std::vector<ImageEntry> BuildRoadside();
// Panel, Pointer, SmallCar, Energy and the HUD icons.
std::vector<ImageEntry> BuildHud();

// Draws player car n (1 to 6) nose up with its top-left at the origin of the current user
// space, at its natural size (see PlayerCarSize); scale the context to draw it larger or smaller.
void DrawPlayerCar(cairo_t* cr, int car);
// The natural picture size of player car n (1 to 6).
void PlayerCarSize(int car, int* width, int* height);

// Square patterns of a fireball that flashes, swells, cools to smoke and fades out; scale is the
// fireball's size relative to the pattern.
std::vector<DecodedPicture> FireballPatterns(int size, int count, double scale, uint32_t seed);
// Pick-up pictures shared by the road bonuses and the HUD icons, drawn in a size x size box.
void DrawNitroBottle(cairo_t* cr, double size);
void DrawCrate(cairo_t* cr, double size, bool rockets);
// A downward flame tongue hanging from (cx, top): outer, middle and core colours.
void FlameTongue(cairo_t* cr, double cx, double top, double halfWidth, double length, double sway,
                 uint32_t outer, uint32_t middle, uint32_t core);

}  // namespace raceart
