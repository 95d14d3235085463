// The seamless material textures of the road tiles. Every texel is a function of its tile-local
// position only (value noise with periods that divide 72, and per-pixel hashes), so the texture
// wraps at the tile edge and two tiles of the same material join without a visible line.

#include <algorithm>
#include <cmath>

#include "assetgen/canvas.h"
#include "assetgen/tiles/tiles_art.h"

namespace tiles {

Surface::Surface(int width, int height)
    : surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)) {}

Surface::~Surface() {
    cairo_surface_destroy(surface_);
}

namespace {

uint32_t Channel(double v) {
    return static_cast<uint32_t>(std::clamp(std::lround(v), 0L, 255L));
}

uint32_t Pixel(double r, double g, double b) {
    return 0xFF000000u | (Channel(r) << 16) | (Channel(g) << 8) | Channel(b);
}

// Fills an opaque texture surface texel by texel.
template <typename TexelFn>
void PaintTexels(const Surface& surface, TexelFn texel) {
    cairo_surface_t* s = surface.Get();
    cairo_surface_flush(s);
    unsigned char* data = cairo_image_surface_get_data(s);
    const int stride = cairo_image_surface_get_stride(s);
    const int width = cairo_image_surface_get_width(s);
    const int height = cairo_image_surface_get_height(s);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
        for (int x = 0; x < width; ++x) row[x] = texel(x, y);
    }
    cairo_surface_mark_dirty(s);
}

double Centred(double v) {
    return v - 0.5;
}

// Asphalt: a dark, slightly blue-grey binder with a soft mottle and bright and dark grains of
// stone. The colour offset between the channels stays fixed, so every asphalt texel keeps the
// same cool tint however light or dark it is.
uint32_t AsphaltTexel(int x, int y) {
    double v = 60.0;
    v += 9.0 * Centred(TileNoise(x, y, 72, 11));
    v += 7.0 * Centred(TileNoise(x, y, 24, 12));
    v += 9.0 * Centred(Hash01(x, y, 13));
    const double grain = Hash01(x, y, 14);
    if (grain > 0.975) {
        v += 13.0;
    } else if (grain < 0.025) {
        v -= 9.0;
    }
    return Pixel(v - 1, v + 1, v + 7);
}

// Paving: light grey slabs on a 24-pixel grid. Each slab has its own shade; its top and left
// rims catch the light and its bottom and right rims fall off toward the joint.
uint32_t PavingTexel(int x, int y) {
    const int sx = x % 24;
    const int sy = y % 24;
    const uint32_t slab = static_cast<uint32_t>(x / 24 + 3 * (y / 24));
    double v;
    if (sx == 0 || sy == 0) {
        v = 122.0 + 6.0 * Centred(Hash01(x, y, 24));
    } else {
        v = 170.0 + 10.0 * Centred(Hash01(slab, 7, 21));
        v += 6.0 * Centred(TileNoise(x, y, 24, 22 + slab));
        v += 6.0 * Centred(Hash01(x, y, 23));
        if (sx == 1 || sy == 1) {
            v += 11.0;
        } else if (sx == 23 || sy == 23) {
            v -= 9.0;
        }
        if (Hash01(x, y, 25) > 0.992) v -= 18.0;
    }
    return Pixel(v + 6, v + 1, v - 10);
}

// Kerb stone: very light, neutral concrete in 12-pixel blocks.
uint32_t KerbTexel(int x, int y) {
    double v = 213.0 + 5.0 * Centred(Hash01(x, y, 31)) + 5.0 * Centred(TileNoise(x, y, 24, 32));
    if (y % 12 == 0) v = 198.0;
    return Pixel(v, v, v - 4);
}

// Lawn: short blades (three-pixel vertical streaks) over a soft mottle of greens.
uint32_t GrassTexel(int x, int y) {
    const double mottle = TileNoise(x, y, 72, 41) * 0.6 + TileNoise(x, y, 24, 42) * 0.4;
    const double blade = Hash01(x, y / 3, 43 + (x % 2));
    double r = 58 + 22 * mottle;
    double g = 108 + 40 * mottle;
    double b = 40 + 12 * mottle;
    const double shade = (blade - 0.5) * 26.0;
    r += shade * 0.5;
    g += shade;
    b += shade * 0.3;
    if (Hash01(x, y, 44) > 0.985) {
        r += 30;
        g += 28;
        b += 10;
    }
    return Pixel(r, g, b);
}

// Roof gravel: fine, even grey-beige grit.
uint32_t GravelTexel(int x, int y) {
    double v = 128.0 + 18.0 * Centred(Hash01(x, y, 51)) + 8.0 * Centred(TileNoise(x, y, 24, 52));
    return Pixel(v + 4, v + 2, v - 3);
}

// Sand for garden paths: warm, fine-grained.
uint32_t SandTexel(int x, int y) {
    double v = 190.0 + 14.0 * Centred(Hash01(x, y, 61)) + 10.0 * Centred(TileNoise(x, y, 24, 62));
    return Pixel(v + 8, v - 6, v - 40);
}

}  // namespace

Materials::Materials() {
    PaintTexels(asphalt, AsphaltTexel);
    PaintTexels(paving, PavingTexel);
    PaintTexels(kerb, KerbTexel);
    PaintTexels(grass, GrassTexel);
    PaintTexels(gravel, GravelTexel);
    PaintTexels(sand, SandTexel);
}

void UseMaterial(cairo_t* cr, const Surface& material) {
    cairo_pattern_t* pattern = cairo_pattern_create_for_surface(material.Get());
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_REPEAT);
    cairo_pattern_set_filter(pattern, CAIRO_FILTER_NEAREST);
    cairo_set_source(cr, pattern);
    cairo_pattern_destroy(pattern);
}

void FillMaterial(cairo_t* cr, const Surface& material) {
    UseMaterial(cr, material);
    cairo_fill(cr);
}

DecodedPicture CropTile(const DecodedPicture& picture, int x0, int y0) {
    DecodedPicture tile;
    tile.width = kTileSize;
    tile.height = kTileSize;
    tile.pixels.resize(static_cast<size_t>(kTileSize) * kTileSize);
    for (int y = 0; y < kTileSize; ++y)
        for (int x = 0; x < kTileSize; ++x)
            tile.pixels[static_cast<size_t>(y) * kTileSize + x] = picture.At(x0 + x, y0 + y);
    return tile;
}

}  // namespace tiles
