#include "assetgen/canvas.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

Canvas::Canvas(int width, int height)
    : width_(width),
      height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      cr_(cairo_create(surface_)) {}

Canvas::Canvas(Picture picture)
    : Canvas(InfoOf(picture).PatternWidth, InfoOf(picture).PatternHeight) {}

Canvas::~Canvas() {
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
}

namespace {

// Moves a colour that is almost magenta far enough away that 16-bit rounding keeps it distinct.
uint32_t AvoidKey(uint32_t r, uint32_t g, uint32_t b) {
    if (r >= 247 && b >= 247 && g <= 8) g = 16;
    return 0xFF000000u | (r << 16) | (g << 8) | b;
}

}  // namespace

DecodedPicture Canvas::ToPicture(bool transparent) const {
    cairo_surface_flush(surface_);
    DecodedPicture picture;
    picture.width = width_;
    picture.height = height_;
    picture.pixels.resize(static_cast<size_t>(width_) * height_);
    const unsigned char* data = cairo_image_surface_get_data(surface_);
    const int stride = cairo_image_surface_get_stride(surface_);
    for (int y = 0; y < height_; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
        for (int x = 0; x < width_; ++x) {
            const uint32_t p = row[x];
            uint32_t a = p >> 24;
            uint32_t r = (p >> 16) & 0xFF;
            uint32_t g = (p >> 8) & 0xFF;
            uint32_t b = p & 0xFF;
            uint32_t out;
            if (transparent) {
                if (a < 128) {
                    out = 0xFF000000u | kKeyColour;
                } else {
                    // Un-premultiply, so the anti-aliased rim keeps its own colour.
                    r = std::min<uint32_t>(255, r * 255 / a);
                    g = std::min<uint32_t>(255, g * 255 / a);
                    b = std::min<uint32_t>(255, b * 255 / a);
                    out = AvoidKey(r, g, b);
                }
            } else {
                // Premultiplied over black is the value itself.
                out = AvoidKey(r, g, b);
            }
            picture.pixels[static_cast<size_t>(y) * width_ + x] = out;
        }
    }
    return picture;
}

ImageEntry MakeImage(Picture picture, const std::vector<DecodedPicture>& patterns) {
    const PictureInfo& info = InfoOf(picture);
    const std::string name(info.Name);
    if (static_cast<int>(patterns.size()) != info.Patterns)
        throw std::logic_error(name + ": " + std::to_string(patterns.size()) +
                               " patterns drawn, the catalogue gives " +
                               std::to_string(info.Patterns));
    const int pw = info.PatternWidth;
    const int ph = info.PatternHeight;
    ImageEntry entry;
    entry.name = name;
    entry.patternWidth = pw;
    entry.patternHeight = ph;
    entry.transparent = info.Transparent;
    entry.transparentColor = kKeyColour;
    entry.picture.width = pw * static_cast<int>(patterns.size());
    entry.picture.height = ph;
    entry.picture.pixels.assign(static_cast<size_t>(entry.picture.width) * ph, 0xFF000000u);
    for (size_t n = 0; n < patterns.size(); ++n) {
        const DecodedPicture& p = patterns[n];
        if (p.width != pw || p.height != ph)
            throw std::logic_error(name + ": a pattern of " + std::to_string(p.width) + " x " +
                                   std::to_string(p.height) + " drawn, the catalogue gives " +
                                   std::to_string(pw) + " x " + std::to_string(ph));
        for (int y = 0; y < ph; ++y)
            for (int x = 0; x < pw; ++x)
                entry.picture.pixels[static_cast<size_t>(y) * entry.picture.width + n * pw + x] =
                    p.At(x, y);
    }
    return entry;
}

ImageEntry SingleImage(Picture picture, const Canvas& canvas) {
    return MakeImage(picture, {canvas.ToPicture(SeeThrough(picture))});
}

double Hash01(uint32_t a, uint32_t b, uint32_t c) {
    uint32_t h =
        a * 0x9E3779B1u ^ (b + 0x7F4A7C15u) * 0x85EBCA77u ^ (c + 0x165667B1u) * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return (h & 0xFFFFFF) / static_cast<double>(0x1000000);
}

double TileNoise(double x, double y, int period, uint32_t seed) {
    // Value noise on a lattice of 8 cells per period, wrapped so that the texture tiles.
    const int cells = 8;
    const double scale = static_cast<double>(cells) / period;
    const double fx = x * scale;
    const double fy = y * scale;
    const int x0 = static_cast<int>(std::floor(fx));
    const int y0 = static_cast<int>(std::floor(fy));
    const double tx = fx - x0;
    const double ty = fy - y0;
    auto lattice = [&](int ix, int iy) {
        ix = ((ix % cells) + cells) % cells;
        iy = ((iy % cells) + cells) % cells;
        return Hash01(static_cast<uint32_t>(ix), static_cast<uint32_t>(iy), seed);
    };
    auto smooth = [](double t) { return t * t * (3 - 2 * t); };
    const double sx = smooth(tx);
    const double sy = smooth(ty);
    const double a = lattice(x0, y0) + (lattice(x0 + 1, y0) - lattice(x0, y0)) * sx;
    const double b = lattice(x0, y0 + 1) + (lattice(x0 + 1, y0 + 1) - lattice(x0, y0 + 1)) * sx;
    return a + (b - a) * sy;
}

void SetColour(cairo_t* cr, uint32_t rgb, double alpha) {
    cairo_set_source_rgba(cr, ((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0,
                          (rgb & 0xFF) / 255.0, alpha);
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    r = std::min({r, w / 2, h / 2});
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void DrawCentredText(cairo_t* cr, const std::string& text, double cx, double cy,
                     const std::string& family, double sizePx, bool bold) {
    cairo_select_font_face(cr, family.c_str(), CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, sizePx);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, text.c_str(), &ext);
    cairo_move_to(cr, cx - ext.width / 2 - ext.x_bearing, cy - ext.height / 2 - ext.y_bearing);
    cairo_show_text(cr, text.c_str());
}
