#include "assetgen/menus/icons.h"

#include <cairo.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <system_error>

#include "assetgen/canvas.h"
#include "assetgen/menus/menu_style.h"

namespace {

using namespace menuart;

// The icon is laid out on a 256-unit square and drawn at each size from the outlines, not shrunk
// from the largest picture, so that the small sizes stay crisp. Lines never get thinner than a
// pixel.
void DrawIcon(cairo_t* cr, int size) {
    const double unit = size / 256.0;
    cairo_scale(cr, unit, unit);
    const auto line = [unit](double width) { return std::max(width, 1.0 / unit); };

    // The plate: night asphalt in a chrome rim.
    const double inset = size <= 16 ? 4 : 10;
    RoundedRect(cr, inset, inset, 256 - 2 * inset, 256 - 2 * inset, 44);
    VerticalGradient(cr, 0, 256, {{0, 0x2A2F3A}, {0.55, 0x161A22}, {1, 0x0B0D12}});
    cairo_fill_preserve(cr);
    VerticalGradient(cr, 0, 256, {{0, 0xFFFFFF}, {0.5, 0x8D96A5}, {1, 0xDDE1E8}});
    cairo_set_line_width(cr, line(size <= 32 ? 10 : 7));
    cairo_stroke(cr);

    const double slant = 0.2;
    const double twoX = 146;
    const double twoY = 132;
    const double twoSize = 236;

    // Speed lines trailing the "2" (left out where they would be a smear of pixels).
    if (size >= 32) {
        for (int i = 0; i < 3; ++i) {
            const double y = 92 + i * 38;
            const double length = 62 - i * 12;
            const double right = 90 + i * 6;
            const double h = 14 - i * 2;
            cairo_move_to(cr, right - length, y + h);
            cairo_line_to(cr, right, y + h);
            cairo_line_to(cr, right + h * slant * 2, y);
            cairo_line_to(cr, right - length + h * slant * 2, y);
            cairo_close_path(cr);
            SetColour(cr, i == 0 ? kAccentHot : kAccent, 0.95 - i * 0.2);
            cairo_fill(cr);
        }
    }

    // The "2": dark outline, chrome rim, orange body, as on the menu's logo.
    TextPath(cr, "2", twoX, twoY, twoSize, slant);
    SetColour(cr, kInk);
    cairo_set_line_width(cr, line(16));
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
    double x0, y0, x1, y1;
    cairo_fill_extents(cr, &x0, &y0, &x1, &y1);
    VerticalGradient(cr, y0, y1, {{0, 0xFFFFFF}, {0.5, 0x9AA3B2}, {1, 0xE6E9EE}});
    cairo_set_line_width(cr, line(8));
    cairo_stroke_preserve(cr);
    VerticalGradient(cr, y0, y1,
                     {{0, 0xFFE08A}, {0.45, 0xFFA030}, {0.55, 0xE0561A}, {1, kAccentDeep}});
    cairo_fill(cr);
}

}  // namespace

bool WriteIcons(const std::filesystem::path& dir) {
    for (int size : kIconSizes) {
        const std::string edge = std::to_string(size);
        const std::filesystem::path folder = dir / (edge + "x" + edge) / "apps";
        std::error_code error;
        std::filesystem::create_directories(folder, error);
        const std::filesystem::path file = folder / "zarvex2.png";
        cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
        cairo_t* cr = cairo_create(surface);
        DrawIcon(cr, size);
        cairo_destroy(cr);
        const cairo_status_t status = cairo_surface_write_to_png(surface, file.c_str());
        cairo_surface_destroy(surface);
        if (error || status != CAIRO_STATUS_SUCCESS) {
            std::fprintf(stderr, "zarvex2-assetgen: cannot write %s: %s\n", file.c_str(),
                         error ? error.message().c_str() : cairo_status_to_string(status));
            return false;
        }
    }
    return true;
}
