// The help screen: the page arrows and the studio emblem of the about page.

#include <cmath>
#include <string>

#include "assetgen/menus/menu_parts.h"
#include "assetgen/menus/menu_style.h"

namespace menuart {

namespace {

// A page arrow: a plate carrying a double chevron.
ImageEntry BuildPageArrow(Picture picture, int dir) {
    return TwoStateButton(picture, [dir](Canvas& canvas, Look look) {
        const int kWidth = canvas.Width();
        const int kHeight = canvas.Height();
        cairo_t* cr = canvas.Cr();
        const int m = PlateMargin(kWidth, kHeight);
        DrawPlate(canvas, m, m, kWidth - 2 * m, kHeight - 2 * m, look);
        for (int i = 0; i < 2; ++i) {
            const double cx = kWidth / 2.0 + dir * (i == 0 ? 7 : -7);
            ArrowPath(cr, cx, kHeight / 2.0, 16, 24, dir);
        }
        SetColour(cr, kInk);
        cairo_set_line_width(cr, 3);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke_preserve(cr);
        if (look == Look::Normal)
            VerticalGradient(cr, 18, 42,
                             {{0, 0xFFFFFF}, {0.48, 0xD3D8E0}, {0.52, 0x6F7887}, {1, 0xF2F4F7}});
        else
            VerticalGradient(cr, 18, 42, {{0, 0xFFFFFF}, {0.5, 0xFFF3D6}, {1, 0xFFFFFF}});
        cairo_fill(cr);
    });
}

// "HelpLogo": the studio's emblem, a chrome hexagon framing a road that winds to the horizon
// under a rising sun.
ImageEntry BuildEmblem() {
    constexpr int kSize = 80;
    Canvas canvas(kSize, kSize);
    cairo_t* cr = canvas.Cr();
    const double c = kSize / 2.0;
    auto hexagon = [c](cairo_t* ctx, double r) {
        cairo_new_sub_path(ctx);
        for (int i = 0; i < 6; ++i) {
            const double a = M_PI / 6 + i * M_PI / 3;
            cairo_line_to(ctx, c + r * std::cos(a), c + r * std::sin(a));
        }
        cairo_close_path(ctx);
    };
    BackdropFringe(
        cr, [&](cairo_t* ctx) { hexagon(ctx, 38); }, 2);
    hexagon(cr, 38);
    VerticalGradient(cr, 2, 78, {{0, 0xFFFFFF}, {0.48, 0xA7AFBC}, {0.52, 0x5E6674}, {1, 0xD9DDE4}});
    cairo_fill(cr);
    hexagon(cr, 34.5);
    SetColour(cr, kInk);
    cairo_fill(cr);
    hexagon(cr, 33);
    VerticalGradient(cr, 7, 73, {{0, 0x2A1A2E}, {0.5, 0x1B1F2A}, {1, 0x0E1016}});
    cairo_fill(cr);

    cairo_save(cr);
    hexagon(cr, 33);
    cairo_clip(cr);
    // The sun on the horizon.
    const double horizon = 40;
    cairo_arc(cr, c, horizon, 15, M_PI, 2 * M_PI);
    VerticalGradient(cr, horizon - 15, horizon, {{0, 0xFFD27A}, {1, 0xE0461A}});
    cairo_fill(cr);
    for (int i = 0; i < 3; ++i) {
        cairo_rectangle(cr, c - 16, horizon - 4 - i * 4.5, 32, 1.5);
        SetColour(cr, 0x1B1F2A);
        cairo_fill(cr);
    }
    // The ground and a road curving towards the sun.
    cairo_rectangle(cr, 0, horizon, kSize, kSize - horizon);
    VerticalGradient(cr, horizon, kSize, {{0, 0x1A1D24}, {1, 0x0A0B0F}});
    cairo_fill(cr);
    // The road narrows in perspective as it winds away.
    cairo_move_to(cr, c - 26, kSize);
    cairo_curve_to(cr, c - 4, horizon + 26, c + 9, horizon + 12, c - 1, horizon + 1);
    cairo_line_to(cr, c + 1, horizon + 1);
    cairo_curve_to(cr, c + 13, horizon + 12, c + 16, horizon + 26, c + 22, kSize);
    cairo_close_path(cr);
    VerticalGradient(cr, horizon, kSize, {{0, 0x4E5563}, {1, 0x8A93A3}});
    cairo_fill_preserve(cr);
    SetColour(cr, kAccent);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    cairo_move_to(cr, c - 2, kSize);
    cairo_curve_to(cr, c + 6, horizon + 26, c + 11, horizon + 12, c, horizon + 2);
    const double dashes[] = {4, 3};
    cairo_set_dash(cr, dashes, 2, 0);
    cairo_set_line_width(cr, 1.5);
    SetColour(cr, 0xFFFFFF);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
    cairo_restore(cr);

    // The horizon line and a small star above the sun.
    cairo_rectangle(cr, c - 26, horizon - 0.5, 52, 1.5);
    SetColour(cr, kAccent);
    cairo_fill(cr);
    cairo_new_sub_path(cr);
    for (int i = 0; i < 10; ++i) {
        const double a = -M_PI / 2 + i * M_PI / 5;
        const double r = i % 2 ? 2.2 : 5.5;
        cairo_line_to(cr, c + r * std::cos(a), 15 + r * std::sin(a));
    }
    cairo_close_path(cr);
    SetColour(cr, 0xFFFFFF);
    cairo_fill(cr);
    return SingleImage(Picture::HelpLogo, canvas);
}

}  // namespace

void AddHelpImages(std::vector<ImageEntry>& images) {
    images.push_back(BuildPageArrow(Picture::Help_Prev, -1));
    images.push_back(BuildPageArrow(Picture::Help_Next, 1));
    images.push_back(BuildEmblem());
}

}  // namespace menuart
