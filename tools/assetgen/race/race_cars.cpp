// The six player cars, seen from above with the nose up. Each body fills the car's collision
// footprint, its rear tyres sit on the points where the skid marks are laid, and its two exhaust
// tips sit where the nitro flames come out (16 px in from either side of the rear bumper).

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "assetgen/canvas.h"
#include "assetgen/menus/menu_style.h"
#include "assetgen/race/race_art.h"
#include "assetgen/race/race_parts.h"

using raceart::Circle;
using raceart::Darker;
using raceart::Ellipse;
using raceart::FillLinear;
using raceart::FillLit;
using raceart::FillRadial;
using raceart::Gleam;
using raceart::Lighter;
using raceart::Pt;
using raceart::RoundedPolygon;
using raceart::Stroke;

namespace {

// Car 1 a red coupe with twin stripes, 2 a blue grand tourer, 3 a wide yellow muscle car, 4 a
// green rally hatchback, 5 a white mid-engined supercar, 6 a purple two-tone grand tourer: the
// same cars as the start screen's showroom pictures, in the same body colours.
enum class Style { Coupe, Tourer, Muscle, Rally, Wedge, TwoTone };

struct PlayerCarLook {
    int width;
    int height;
    double wheelDx;  // rear-wheel points from the car's centre (where the skid marks are laid)
    double wheelDy;
    Style style;
    uint32_t paint;
    uint32_t accent;
    double bodyInset;  // the body's sides stand this far in from the picture's sides
    double noseRadius;
    double tailRadius;
    double windshieldTop;
    double roofTop;
    double roofBottom;
    double rearWindowBottom;
    double glassFront;  // half widths of the glass house at the windshield, roof and rear window
    double glassMid;
    double glassRear;
};

using menuart::kCarBodyColours;

constexpr std::array<PlayerCarLook, 6> kCars = {{
    {64, 156, 22.5, 54.9, Style::Coupe, kCarBodyColours[0], 0xF4F2EA, 3, 14, 9, 52, 72, 106, 121,
     20, 24, 21},
    {62, 148, 21.3, 50.9, Style::Tourer, kCarBodyColours[1], 0xDDE3EA, 3, 19, 12, 44, 64, 94, 110,
     19, 23, 19},
    {82, 156, 29.4, 55.9, Style::Muscle, kCarBodyColours[2], 0x15161A, 4, 13, 8, 50, 68, 104, 118,
     27, 31, 28},
    {62, 134, 20.5, 44.3, Style::Rally, kCarBodyColours[3], 0xF5F2E8, 3, 16, 10, 34, 50, 98, 112,
     20, 24, 23},
    {68, 154, 23.9, 54.1, Style::Wedge, kCarBodyColours[4], 0xF4861A, 4, 22, 12, 36, 56, 84, 92, 19,
     24, 18},
    {64, 144, 21.8, 49.2, Style::TwoTone, kCarBodyColours[5], 0xD9B25A, 3, 14, 10, 44, 62, 100, 114,
     20, 24, 22},
}};

// A car body with rounded corners, a front edge that bulges forward and softly curved sides.
void BodyPath(cairo_t* cr, double x0, double y0, double x1, double y1, double rTop, double rBot,
              double noseBulge, double sideBulge) {
    const double w = x1 - x0;
    const double len = y1 - y0 - rTop - rBot;
    cairo_new_path(cr);
    cairo_move_to(cr, x0 + rTop, y0 + noseBulge);
    cairo_curve_to(cr, x0 + rTop + w * 0.15, y0, x1 - rTop - w * 0.15, y0, x1 - rTop,
                   y0 + noseBulge);
    cairo_curve_to(cr, x1 - rTop * 0.35, y0 + noseBulge, x1, y0 + rTop * 0.45, x1, y0 + rTop);
    cairo_curve_to(cr, x1 + sideBulge, y0 + rTop + len * 0.3, x1 + sideBulge, y1 - rBot - len * 0.3,
                   x1, y1 - rBot);
    cairo_curve_to(cr, x1, y1 - rBot * 0.4, x1 - rBot * 0.4, y1, x1 - rBot, y1);
    cairo_line_to(cr, x0 + rBot, y1);
    cairo_curve_to(cr, x0 + rBot * 0.4, y1, x0, y1 - rBot * 0.4, x0, y1 - rBot);
    cairo_curve_to(cr, x0 - sideBulge, y1 - rBot - len * 0.3, x0 - sideBulge, y0 + rTop + len * 0.3,
                   x0, y0 + rTop);
    cairo_curve_to(cr, x0, y0 + rTop * 0.45, x0 + rTop * 0.35, y0 + noseBulge, x0 + rTop,
                   y0 + noseBulge);
    cairo_close_path(cr);
}

// A tyre peeking out from under the body: dark rubber with a few lighter tread lines.
void Tyre(cairo_t* cr, double cx, double cy, double w, double l) {
    RoundedRect(cr, cx - w / 2, cy - l / 2, w, l, 2.5);
    FillLinear(cr, cx - w / 2, 0, cx + w / 2, 0, {{0, 0x3A3A3C}, {0.5, 0x1C1C1E}, {1, 0x0E0E10}},
               true);
    cairo_clip(cr);
    SetColour(cr, 0x4A4A4E);
    cairo_set_line_width(cr, 1);
    for (double y = cy - l / 2 + 2.5; y < cy + l / 2; y += 4) {
        cairo_move_to(cr, cx - w / 2, y);
        cairo_line_to(cr, cx + w / 2, y + 1);
    }
    cairo_stroke(cr);
    cairo_reset_clip(cr);
}

// The glass house: windshield, side windows and rear window in one dark glass shape.
void Glass(cairo_t* cr, const PlayerCarLook& s) {
    const double cx = s.width / 2.0;
    const double mid = (s.roofTop + s.roofBottom) / 2;
    RoundedPolygon(cr,
                   {{cx - s.glassFront, s.windshieldTop},
                    {cx + s.glassFront, s.windshieldTop},
                    {cx + s.glassMid, mid},
                    {cx + s.glassRear, s.rearWindowBottom},
                    {cx - s.glassRear, s.rearWindowBottom},
                    {cx - s.glassMid, mid}},
                   6);
    FillLinear(cr, cx - s.glassMid, s.windshieldTop, cx + s.glassMid, s.rearWindowBottom,
               {{0, 0x5A7C98}, {0.35, 0x22344A}, {1, 0x101A26}}, true);
    // A sky reflection running diagonally across the windshield.
    cairo_save(cr);
    cairo_clip_preserve(cr);
    cairo_new_path(cr);
    cairo_move_to(cr, cx - s.glassMid, s.windshieldTop + 10);
    cairo_line_to(cr, cx - s.glassMid + 10, s.windshieldTop);
    cairo_line_to(cr, cx - s.glassMid + 18, s.windshieldTop);
    cairo_line_to(cr, cx - s.glassMid, s.windshieldTop + 18);
    cairo_close_path(cr);
    SetColour(cr, 0xC8E0F0, 0.45);
    cairo_fill(cr);
    cairo_restore(cr);
    Stroke(cr, 0x0A0E14, 1.0);
}

void RoofPanel(cairo_t* cr, const PlayerCarLook& s, uint32_t colour) {
    const double cx = s.width / 2.0;
    const double hw = s.glassMid - 3;
    RoundedPolygon(cr,
                   {{cx - hw + 1, s.roofTop},
                    {cx + hw - 1, s.roofTop},
                    {cx + hw, s.roofBottom},
                    {cx - hw, s.roofBottom}},
                   5);
    FillLit(cr, colour, 0.3, true);
    Gleam(cr, 0.35);
    Stroke(cr, Darker(colour, 0.45), 1.0);
}

void Headlights(cairo_t* cr, const PlayerCarLook& s, double x0, double x1, bool round) {
    for (int side = 0; side < 2; ++side) {
        const bool wedge = s.style == Style::Wedge;
        const double hx = side == 0 ? x0 + (wedge ? 13 : 9) : x1 - (wedge ? 13 : 9);
        const double hy = wedge ? 10 : 7.5;
        if (wedge) {
            cairo_save(cr);
            cairo_translate(cr, hx, hy);
            cairo_rotate(cr, side == 0 ? -0.45 : 0.45);
            RoundedRect(cr, -6.5, -2, 13, 4, 2);
            cairo_restore(cr);
        } else if (round) {
            Circle(cr, hx, hy + 1, 4.5);
        } else {
            Ellipse(cr, hx, hy, 6, 3);
        }
        FillRadial(cr, hx - 1, hy - 1, 0, 6, {{0, 0xFFFFFF}, {0.5, 0xFFF4C0}, {1, 0xC8B060}}, true);
        Stroke(cr, 0x3A3428, 0.8);
    }
}

void Taillights(cairo_t* cr, const PlayerCarLook& s, double x0, double x1) {
    const double y = s.height - 7.5;
    for (int side = 0; side < 2; ++side) {
        const double tx = side == 0 ? x0 + 2.5 : x1 - 12.5;
        RoundedRect(cr, tx, y - 2.5, 10, 4.5, 1.5);
        FillLinear(cr, 0, y - 2.5, 0, y + 2, {{0, 0xFF6A5A}, {0.5, 0xD81818}, {1, 0x7A0808}}, true);
        Stroke(cr, 0x400404, 0.8);
    }
}

// The rear bumper with the two exhaust tips the nitro flames blow out of.
void RearBumper(cairo_t* cr, const PlayerCarLook& s, double x0, double x1) {
    const double w = s.width;
    const double y = s.height - 3.5;
    RoundedRect(cr, x0 + 6, y - 1, x1 - x0 - 12, 3.2, 1.5);
    FillLinear(cr, 0, y - 1, 0, y + 2.2, {{0, 0x5A5A5E}, {1, 0x1E1E22}});
    for (double cx : {16.0, w - 16}) {
        RoundedRect(cr, cx - 6, s.height - 4.5, 12, 4.2, 2);
        FillLinear(cr, cx - 6, 0, cx + 6, 0, {{0, 0xF0F0F0}, {0.5, 0x9A9AA0}, {1, 0x505058}}, true);
        Stroke(cr, 0x202024, 0.8);
        for (double dx : {-2.8, 2.8}) {
            Ellipse(cr, cx + dx, s.height - 2.4, 2.0, 1.2);
            SetColour(cr, 0x141414);
            cairo_fill(cr);
        }
    }
}

void Mirrors(cairo_t* cr, const PlayerCarLook& s, double x0, double x1) {
    const double y = s.windshieldTop + 5;
    for (int side = 0; side < 2; ++side) {
        const double mx = side == 0 ? x0 - 0.5 : x1 + 0.5;
        Ellipse(cr, mx, y, 2.6, 3.6);
        FillLit(cr, s.style == Style::TwoTone ? 0x16161C : s.paint, 0.3, true);
        Stroke(cr, 0x101010, 0.8);
    }
}

void Stripe(cairo_t* cr, double x, double y0, double w, double y1, uint32_t colour) {
    cairo_rectangle(cr, x, y0, w, y1 - y0);
    SetColour(cr, colour);
    cairo_fill(cr);
}

void Vent(cairo_t* cr, double cx, double cy, double w, double h, int slats) {
    RoundedRect(cr, cx - w / 2, cy - h / 2, w, h, 2);
    FillLinear(cr, 0, cy - h / 2, 0, cy + h / 2, {{0, 0x0C0C0E}, {1, 0x2C2C30}});
    cairo_set_line_width(cr, 1);
    SetColour(cr, 0x505056);
    for (int i = 1; i < slats; ++i) {
        const double y = cy - h / 2 + h * i / slats;
        cairo_move_to(cr, cx - w / 2 + 1.5, y);
        cairo_line_to(cr, cx + w / 2 - 1.5, y);
    }
    cairo_stroke(cr);
}

// Pin stripes along both flanks.
void SidePins(cairo_t* cr, const PlayerCarLook& s, double x0, double x1, uint32_t colour) {
    Stripe(cr, x0 + 3, 16, 2, s.height - 14, colour);
    Stripe(cr, x1 - 5, 16, 2, s.height - 14, colour);
}

void DrawStyleUnderGlass(cairo_t* cr, const PlayerCarLook& s, double x0, double x1) {
    const double cx = s.width / 2.0;
    const double h = s.height;
    switch (s.style) {
        case Style::Coupe:
            // Twin racing stripes from nose to tail.
            Stripe(cr, cx - 11, 2, 6, h - 2, s.accent);
            Stripe(cr, cx + 5, 2, 6, h - 2, s.accent);
            break;
        case Style::Tourer:
            SidePins(cr, s, x0, x1, s.accent);
            Vent(cr, cx - 9, 30, 7, 10, 4);
            Vent(cr, cx + 9, 30, 7, 10, 4);
            break;
        case Style::Muscle:
            // A broad black band over bonnet and boot, and a big bonnet scoop.
            Stripe(cr, cx - 9, 2, 18, h - 2, s.accent);
            Stripe(cr, cx - 12, 2, 2, h - 2, s.accent);
            Stripe(cr, cx + 10, 2, 2, h - 2, s.accent);
            RoundedRect(cr, cx - 7, 18, 14, 22, 4);
            FillLinear(cr, cx - 7, 0, cx + 7, 0, {{0, 0x8A8E96}, {0.4, 0x3A3E44}, {1, 0x101114}},
                       true);
            Stroke(cr, 0x000000, 0.9);
            RoundedRect(cr, cx - 5, 19.5, 10, 5, 2);
            SetColour(cr, 0x000000);
            cairo_fill(cr);
            break;
        case Style::Rally:
            // Start-number roundel on the bonnet.
            Circle(cr, cx, 19, 9.5);
            SetColour(cr, s.accent);
            cairo_fill_preserve(cr);
            Stroke(cr, Darker(s.paint, 0.5), 1.2);
            raceart::OutlinedText(cr, "4", cx, 19.5, "Bebas Neue", 15, 0x121418, 0x121418, 0.1,
                                  true);
            break;
        case Style::Wedge:
            SidePins(cr, s, x0, x1, s.accent);
            // Side intakes ahead of the rear wheels and the louvred engine cover.
            for (int side = 0; side < 2; ++side) {
                const double sx = side == 0 ? x0 + 1.5 : x1 - 1.5;
                const double dir = side == 0 ? 1 : -1;
                cairo_move_to(cr, sx, s.roofTop + 2);
                cairo_line_to(cr, sx + dir * 8, s.roofBottom + 4);
                cairo_line_to(cr, sx, s.roofBottom + 12);
                cairo_close_path(cr);
                FillLinear(cr, sx, 0, sx + dir * 8, 0, {{0, 0x060608}, {1, 0x2A2830}});
            }
            Vent(cr, cx, (s.rearWindowBottom + h - 22) / 2 + 2, 30, h - 22 - s.rearWindowBottom, 8);
            break;
        case Style::TwoTone:
            SidePins(cr, s, x0, x1, s.accent);
            // A chrome grille between the lights.
            RoundedRect(cr, cx - 10, 3, 20, 4, 1.5);
            FillLinear(cr, 0, 3, 0, 7, {{0, 0xF0F2F4}, {1, 0x5A5E66}}, true);
            Stroke(cr, 0x202226, 0.7);
            break;
    }
}

void Wing(cairo_t* cr, double x0, double x1, double y) {
    RoundedRect(cr, x0 - 1, y, x1 - x0 + 2, 7, 2.5);
    FillLinear(cr, 0, y, 0, y + 7, {{0, 0x4A4A52}, {0.4, 0x202024}, {1, 0x0A0A0C}}, true);
    Stroke(cr, 0x000000, 0.8);
}

void BootLip(cairo_t* cr, double x0, double x1, double y) {
    RoundedRect(cr, x0 + 4, y, x1 - x0 - 8, 3.5, 1.5);
    FillLinear(cr, 0, y, 0, y + 3.5, {{0, 0x4A4A4E}, {1, 0x141416}});
}

void DrawStyleOverGlass(cairo_t* cr, const PlayerCarLook& s, double x0, double x1) {
    const double cx = s.width / 2.0;
    const double h = s.height;
    switch (s.style) {
        case Style::Coupe:
            RoofPanel(cr, s, s.paint);
            Stripe(cr, cx - 11, s.roofTop + 0.5, 6, s.roofBottom - 0.5, s.accent);
            Stripe(cr, cx + 5, s.roofTop + 0.5, 6, s.roofBottom - 0.5, s.accent);
            BootLip(cr, x0, x1, h - 17);
            break;
        case Style::Tourer:
            RoofPanel(cr, s, s.paint);
            break;
        case Style::Muscle:
            RoofPanel(cr, s, s.paint);
            Stripe(cr, cx - 9, s.roofTop + 0.5, 18, s.roofBottom - 0.5, s.accent);
            BootLip(cr, x0, x1, h - 18);
            break;
        case Style::Rally:
            RoofPanel(cr, s, s.accent);
            // A roof scoop, a spoiler over the rear window and the spot lamps on the nose.
            RoundedRect(cr, cx - 5, s.roofTop + 3, 10, 8, 3);
            FillLinear(cr, cx - 5, 0, cx + 5, 0,
                       {{0, Lighter(s.paint, 0.3)}, {1, Darker(s.paint, 0.4)}});
            RoundedRect(cr, cx - s.glassMid + 2, s.roofBottom - 1, 2 * s.glassMid - 4, 4, 1.5);
            FillLinear(cr, 0, s.roofBottom - 1, 0, s.roofBottom + 3,
                       {{0, Lighter(s.paint, 0.2)}, {1, Darker(s.paint, 0.3)}});
            for (double lx : {cx - 6.5, cx + 6.5}) {
                Circle(cr, lx, 5.5, 3);
                FillRadial(cr, lx - 0.8, 4.8, 0, 3.2,
                           {{0, 0xFFFFFF}, {0.6, 0xF8E070}, {1, 0x8A7020}}, true);
                Stroke(cr, 0x202020, 0.8);
            }
            break;
        case Style::Wedge:
            // A black canopy roof, a rear diffuser and a wing on two struts.
            RoofPanel(cr, s, 0x1A181F);
            RoundedRect(cr, x0 + 4, h - 12, x1 - x0 - 8, 6, 2);
            SetColour(cr, 0x121214);
            cairo_fill(cr);
            Wing(cr, x0, x1, h - 24);
            break;
        case Style::TwoTone:
            RoofPanel(cr, s, 0x16161C);
            BootLip(cr, x0, x1, h - 16);
            break;
    }
}

void DrawCar(cairo_t* cr, const PlayerCarLook& s) {
    const double w = s.width;
    const double h = s.height;
    const double x0 = s.bodyInset;
    const double x1 = w - s.bodyInset;
    const double cx = w / 2;
    const double cy = h / 2;
    const bool wide = s.style == Style::Muscle;
    const double tyreW = wide ? 13 : 10;
    const double tyreL = wide ? 27 : 22;

    // Tyres first, so the body covers all but their outer edges.
    // Each tyre reaches from the wheel point out past the body's side, so that its tread shows.
    const double frontY = cy - s.wheelDy + (wide ? 6 : 4);
    for (double wy : {frontY, cy + s.wheelDy}) {
        const double left = std::min(cx - s.wheelDx - tyreW / 2, x0 - 2.5);
        const double right = cx - s.wheelDx + tyreW / 2;
        Tyre(cr, (left + right) / 2, wy, right - left, tyreL);
        Tyre(cr, w - (left + right) / 2, wy, right - left, tyreL);
    }

    const double noseBulge = s.style == Style::Wedge ? 4 : 2;
    BodyPath(cr, x0, 1.0, x1, h - 1.5, s.noseRadius, s.tailRadius, noseBulge, wide ? 0.5 : 1.5);
    cairo_path_t* body = cairo_copy_path(cr);
    FillLinear(cr, x0, 0, x1, 0,
               {{0, Lighter(s.paint, 0.3)},
                {0.18, Lighter(s.paint, 0.12)},
                {0.55, s.paint},
                {0.88, Darker(s.paint, 0.25)},
                {1, Darker(s.paint, 0.45)}},
               true);
    Gleam(cr, 0.3);
    cairo_new_path(cr);

    // Everything painted on the body stays inside it.
    cairo_save(cr);
    cairo_append_path(cr, body);
    cairo_clip(cr);
    DrawStyleUnderGlass(cr, s, x0, x1);
    // A soft crease along the bonnet and the boot.
    SetColour(cr, Darker(s.paint, 0.25), 0.6);
    cairo_set_line_width(cr, 0.8);
    for (double dx : {-s.glassFront + 3, s.glassFront - 3}) {
        cairo_move_to(cr, cx + dx * 0.8, 10);
        cairo_line_to(cr, cx + dx, s.windshieldTop - 1);
    }
    cairo_stroke(cr);
    cairo_restore(cr);

    Mirrors(cr, s, x0, x1);
    Glass(cr, s);
    DrawStyleOverGlass(cr, s, x0, x1);
    cairo_save(cr);
    cairo_append_path(cr, body);
    cairo_clip(cr);
    Headlights(cr, s, x0, x1, s.style == Style::Rally);
    Taillights(cr, s, x0, x1);
    cairo_restore(cr);
    RearBumper(cr, s, x0, x1);

    // The body's outline last, so every part ends cleanly at the paint's edge.
    cairo_append_path(cr, body);
    Stroke(cr, Darker(s.paint, 0.65), 1.1);
    cairo_path_destroy(body);
}

}  // namespace

void raceart::PlayerCarSize(int car, int* width, int* height) {
    const PlayerCarLook& s = kCars.at(static_cast<size_t>(car - 1));
    *width = s.width;
    *height = s.height;
}

void raceart::DrawPlayerCar(cairo_t* cr, int car) {
    cairo_save(cr);
    DrawCar(cr, kCars.at(static_cast<size_t>(car - 1)));
    cairo_restore(cr);
}

std::vector<ImageEntry> raceart::BuildPlayerCars() {
    std::vector<ImageEntry> images;
    for (int car = 1; car <= 6; ++car) {
        int w = 0;
        int h = 0;
        PlayerCarSize(car, &w, &h);
        Canvas canvas(w, h);
        DrawPlayerCar(canvas.Cr(), car);
        images.push_back(SingleImage(PlayerCarPicture(car), canvas));
    }
    return images;
}
