#pragma once
// The road tiles share a handful of seamless 72 x 72 material textures (asphalt, paving slabs,
// kerb stone, grass, roof gravel). Every tile samples them at its own tile-local pixel, so the
// same material joins invisibly wherever two tiles meet. The light falls from the top-left:
// raised things are lit on their top and left faces and cast soft shadows to the bottom-right.

#include <cairo.h>

#include <cstdint>
#include <vector>

#include "archive/archive_types.h"
#include "catalogue/pictures.h"

namespace tiles {

// One pattern of "Tiles" per map code, at the catalogue's size.
constexpr int kTileSize = InfoOf(Picture::Tiles).PatternWidth;
constexpr int kTileCount = InfoOf(Picture::Tiles).Patterns;

// A cairo image surface that frees itself.
class Surface {
public:
    Surface(int width, int height);
    ~Surface();
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;
    cairo_surface_t* Get() const { return surface_; }

private:
    cairo_surface_t* surface_;
};

// The material textures, each one tile in size and repeating with the tile grid.
struct Materials {
    Materials();
    Surface asphalt{kTileSize, kTileSize};
    Surface paving{kTileSize, kTileSize};
    Surface kerb{kTileSize, kTileSize};
    Surface grass{kTileSize, kTileSize};
    Surface gravel{kTileSize, kTileSize};
    Surface sand{kTileSize, kTileSize};
};

// Makes a material the source, repeating from the canvas origin (which is always a tile corner).
void UseMaterial(cairo_t* cr, const Surface& material);
// Fills the current path with a material and clears the path.
void FillMaterial(cairo_t* cr, const Surface& material);

// Road and verge tiles: 1-29, 33-35, 58 and 60. Also code 0 (plain ground).
void DrawRoadTile(cairo_t* cr, int code, const Materials& materials);

// Land tiles: fillers, buildings, walls, barriers, lots and yards. Each function returns the
// patterns of its codes, indexed by code (other entries stay empty).
void DrawLandTiles(const Materials& materials, std::vector<DecodedPicture>& patterns);

// A 72 x 72 piece of a larger picture, its top-left corner at (x0, y0).
DecodedPicture CropTile(const DecodedPicture& picture, int x0, int y0);

// The material families keep apart in colour, so that even anti-aliased blends of two of them
// can be told apart: asphalt is dark (about 60) and slightly blue, kerb stone very light (about
// 213) and neutral, paving a warm light grey (about 170, red 16 above blue), lane paint bright
// white or yellow, walls and sheds brick or oxide red, barriers light concrete.
namespace palette {
constexpr uint32_t kLaneWhite = 0xF2F2EC;
constexpr uint32_t kLaneYellow = 0xEBBA24;
}  // namespace palette

}  // namespace tiles
