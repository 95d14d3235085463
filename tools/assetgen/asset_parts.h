#pragma once
// The parts of the asset generator. Each returns its items in a fixed order, drawn the same way
// on every run, so that the archives are byte-identical from one build to the next.

#include <cstdint>
#include <vector>

#include "archive/archive_types.h"

// Image archive 2: the 61 road tiles, one item "Tiles".
ImageEntry BuildTiles();
// Image archive 2 without "Tiles": cars, traffic, pedestrians, weapons, bonuses, lamps, HUD.
std::vector<ImageEntry> BuildRaceSprites();
// Image archive 1: menu background, buttons, windows and the screens' pictures.
std::vector<ImageEntry> BuildMenuImages();
// The sound archive's 23 waves.
std::vector<WaveEntry> BuildSounds();
// The two XM modules.
std::vector<uint8_t> BuildMenuSong();
std::vector<uint8_t> BuildRaceSong();
