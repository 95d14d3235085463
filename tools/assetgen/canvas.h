#pragma once
// Drawing helpers shared by every part of the asset generator: a Cairo canvas that turns into an
// archive picture, the magenta key colour, deterministic noise, and lettering in the game's fonts.

#include <cairo.h>

#include <cstdint>
#include <string>
#include <vector>

#include "archive/archive_types.h"
#include "catalogue/pictures.h"

// The transparent key colour of every see-through picture (0x00FF00FF in RGB and BGR order).
constexpr uint32_t kKeyColour = 0x00FF00FF;

class Canvas {
public:
    Canvas(int width, int height);
    // One pattern of a catalogue picture, at the catalogue's size.
    explicit Canvas(Picture picture);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_t* Cr() const { return cr_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

    // Opaque: every pixel composited over black. Transparent: pixels with alpha below half become
    // the key colour, the rest become opaque (their colour un-premultiplied); no opaque pixel is
    // left within 8 levels of magenta, so the 16-bit display cannot mistake it for the key.
    DecodedPicture ToPicture(bool transparent) const;

private:
    int width_;
    int height_;
    cairo_surface_t* surface_;
    cairo_t* cr_;
};

// Whether the catalogue makes a picture see-through: what its canvas's ToPicture is given.
constexpr bool SeeThrough(Picture picture) {
    return InfoOf(picture).Transparent;
}

// The catalogue's picture made of patterns laid side by side in one row, named and see-through as
// the catalogue says. Patterns of another size or number than the catalogue gives are a fault of
// the generator: it throws rather than write an archive the game does not expect.
ImageEntry MakeImage(Picture picture, const std::vector<DecodedPicture>& patterns);
// A picture of one pattern drawn on a canvas.
ImageEntry SingleImage(Picture picture, const Canvas& canvas);

// Deterministic value noise in 0..1, seamless with the given period (pixels) in x and y.
double TileNoise(double x, double y, int period, uint32_t seed);
// A hash of integers to 0..1, for scattering details the same way on every run.
double Hash01(uint32_t a, uint32_t b = 0, uint32_t c = 0);

// Cairo colour from 0xRRGGBB (and an alpha).
void SetColour(cairo_t* cr, uint32_t rgb, double alpha = 1.0);
void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r);

// Draws text with its centre at (cx, cy) in the named family ("Bebas Neue", "DSEG14 Classic",
// "DejaVu Sans"), size in pixels.
void DrawCentredText(cairo_t* cr, const std::string& text, double cx, double cy,
                     const std::string& family, double sizePx, bool bold = false);
