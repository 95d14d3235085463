// What stands and lies along the road: the bonus tokens, the street lamps and the finish line.
// A lamp's post is a solid obstacle, so every lamp picture puts its post disc over the post point
// the lamps use for collisions.

#include <cmath>
#include <string>

#include "assetgen/canvas.h"
#include "assetgen/race/race_art.h"
#include "assetgen/race/race_parts.h"

using raceart::Circle;
using raceart::Darker;
using raceart::DrawCrate;
using raceart::DrawNitroBottle;
using raceart::Ellipse;
using raceart::FillLinear;
using raceart::FillLit;
using raceart::FillRadial;
using raceart::Gleam;
using raceart::Lighter;
using raceart::OutlinedText;
using raceart::Pt;
using raceart::RoundedPolygon;
using raceart::Stroke;

namespace {

constexpr int kBonus = 34;

// A score token: a minted coin with a raised rim and its value.
void Coin(cairo_t* cr, const std::string& value, uint32_t metal, uint32_t text) {
    const double c = kBonus / 2.0;
    Circle(cr, c, c, 16.2);
    FillLinear(cr, 2, 2, 32, 32, {{0, Lighter(metal, 0.55)}, {0.5, metal}, {1, Darker(metal, 0.5)}},
               true);
    Stroke(cr, Darker(metal, 0.7), 1.2);
    Circle(cr, c, c, 12.6);
    FillLinear(cr, 30, 30, 4, 4,
               {{0, Lighter(metal, 0.35)}, {0.5, metal}, {1, Darker(metal, 0.35)}}, true);
    Stroke(cr, Darker(metal, 0.45), 0.8);
    const double size = value.size() > 2 ? 14 : 18;
    OutlinedText(cr, value, c + 0.5, c + 0.5, "Bebas Neue", size, text, Darker(metal, 0.75), 2.4,
                 true);
    Circle(cr, c, c, 16);
    Gleam(cr, 0.45);
    cairo_new_path(cr);
}

void HeartPath(cairo_t* cr, double cx, double cy, double s) {
    cairo_move_to(cr, cx, cy + 13 * s);
    cairo_curve_to(cr, cx - 8 * s, cy + 6 * s, cx - 16 * s, cy, cx - 15 * s, cy - 7 * s);
    cairo_curve_to(cr, cx - 14 * s, cy - 14 * s, cx - 4 * s, cy - 15 * s, cx, cy - 8 * s);
    cairo_curve_to(cr, cx + 4 * s, cy - 15 * s, cx + 14 * s, cy - 14 * s, cx + 15 * s, cy - 7 * s);
    cairo_curve_to(cr, cx + 16 * s, cy, cx + 8 * s, cy + 6 * s, cx, cy + 13 * s);
    cairo_close_path(cr);
}

void ExtraLife(cairo_t* cr) {
    HeartPath(cr, 17, 17.5, 1.05);
    FillLinear(cr, 3, 3, 31, 31, {{0, 0xFF7A7A}, {0.45, 0xE01A2A}, {1, 0x800812}}, true);
    Gleam(cr, 0.5);
    Stroke(cr, 0x4A0408, 1.3);
    OutlinedText(cr, "+1", 17, 15.5, "Bebas Neue", 15, 0xFFFFFF, 0x600810, 2.2, true);
}

}  // namespace

// A nitro bottle lying diagonally, valve at the top right, in a box of size x size.
void raceart::DrawNitroBottle(cairo_t* cr, double size) {
    const double s = size / 34.0;
    cairo_save(cr);
    cairo_scale(cr, s, s);
    cairo_translate(cr, 17, 17);
    cairo_rotate(cr, M_PI / 4);
    cairo_scale(cr, 1.15, 1.15);
    // Valve and handle.
    RoundedRect(cr, -2.5, -17, 5, 5, 1);
    FillLinear(cr, -2.5, 0, 2.5, 0, {{0, 0xF0F0F0}, {1, 0x606468}}, true);
    Stroke(cr, 0x202428, 0.8);
    RoundedRect(cr, -5.5, -17.5, 11, 2.4, 1);
    SetColour(cr, 0xD02020);
    cairo_fill(cr);
    // Bottle.
    RoundedRect(cr, -7, -13, 14, 28, 6);
    FillLinear(cr, -7, 0, 7, 0, {{0, 0x9AD4FF}, {0.3, 0x2A8CF0}, {0.75, 0x1450B0}, {1, 0x0A2A68}},
               true);
    Stroke(cr, 0x061838, 1.1);
    cairo_rectangle(cr, -6.5, -3, 13, 9);
    SetColour(cr, 0xF2F4F6);
    cairo_fill(cr);
    OutlinedText(cr, "N2O", 0, 1.6, "Bebas Neue", 8.5, 0xC01818, 0xC01818, 0.1, true);
    RoundedRect(cr, -4.5, -11, 2.2, 22, 1);
    SetColour(cr, 0xFFFFFF, 0.55);
    cairo_fill(cr);
    cairo_restore(cr);
}

// An ammunition crate with a stencilled picture, in a box of size x size.
void raceart::DrawCrate(cairo_t* cr, double size, bool rockets) {
    const double s = size / 34.0;
    cairo_save(cr);
    cairo_scale(cr, s, s);
    RoundedRect(cr, 2, 5, 30, 25, 2.5);
    FillLit(cr, rockets ? 0x7A6A3A : 0x566A30, 0.4, true);
    Stroke(cr, 0x1E1E10, 1.2);
    // Lid, planks and metal corners.
    RoundedRect(cr, 1, 3, 32, 6, 2);
    FillLit(cr, rockets ? 0x8A7A48 : 0x647A3A, 0.4, true);
    Stroke(cr, 0x1E1E10, 1);
    for (double x : {1.5, 28.5}) {
        cairo_rectangle(cr, x, 9, 4, 20.5);
        FillLinear(cr, x, 0, x + 4, 0, {{0, 0xB8BCC0}, {1, 0x50545A}});
    }
    if (rockets) {
        // A red rocket across the crate.
        cairo_save(cr);
        cairo_translate(cr, 17, 19.5);
        cairo_rotate(cr, -M_PI / 2 + 0.0);
        RoundedRect(cr, -3, -8, 6, 15, 1.5);
        FillLinear(cr, -3, 0, 3, 0, {{0, 0xFFFFFF}, {1, 0x8A9098}}, true);
        Stroke(cr, 0x202428, 0.7);
        cairo_move_to(cr, -3, -8);
        cairo_curve_to(cr, -3, -11, 0, -13, 0, -13);
        cairo_curve_to(cr, 0, -13, 3, -11, 3, -8);
        cairo_close_path(cr);
        FillLinear(cr, -3, 0, 3, 0, {{0, 0xFF6050}, {1, 0x900C0C}});
        for (double dir : {-1.0, 1.0}) {
            cairo_move_to(cr, dir * 3, 2);
            cairo_line_to(cr, dir * 6, 7);
            cairo_line_to(cr, dir * 3, 7);
            cairo_close_path(cr);
            SetColour(cr, 0xC01818);
            cairo_fill(cr);
        }
        cairo_restore(cr);
    } else {
        // A row of brass cartridges.
        for (int i = 0; i < 4; ++i) {
            const double x = 9.5 + i * 4.6;
            RoundedRect(cr, x, 14, 3.6, 11, 1.2);
            FillLinear(cr, x, 0, x + 3.6, 0, {{0, 0xFFE8A0}, {0.5, 0xD8A030}, {1, 0x805010}}, true);
            Stroke(cr, 0x402808, 0.6);
            cairo_move_to(cr, x, 15);
            cairo_curve_to(cr, x, 11, x + 1.8, 10, x + 1.8, 10);
            cairo_curve_to(cr, x + 1.8, 10, x + 3.6, 11, x + 3.6, 15);
            cairo_close_path(cr);
            FillLinear(cr, x, 0, x + 3.6, 0, {{0, 0xE0B080}, {1, 0x8A4A20}});
        }
    }
    cairo_restore(cr);
}

namespace {

ImageEntry BonusImage(Picture picture, int kind) {
    Canvas canvas(picture);
    cairo_t* cr = canvas.Cr();
    switch (kind) {
        case 0:
            Coin(cr, "10", 0xC0783A, 0xFFF4E0);
            break;
        case 1:
            Coin(cr, "20", 0xA8B4C0, 0xFFFFFF);
            break;
        case 2:
            Coin(cr, "50", 0xE8B420, 0xFFFBE8);
            break;
        case 3:
            Coin(cr, "100", 0xC8283A, 0xFFF0A0);
            break;
        case 4:
            ExtraLife(cr);
            break;
        case 5:
            DrawNitroBottle(cr, kBonus);
            break;
        case 6:
            DrawCrate(cr, kBonus, false);
            break;
        default:
            DrawCrate(cr, kBonus, true);
            break;
    }
    return SingleImage(picture, canvas);
}

// A street lamp from above: a post disc, an arm reaching over the road and a luminaire.
void Lamp(cairo_t* cr, Pt post, Pt head, double postR) {
    const double dx = head.x - post.x;
    const double dy = head.y - post.y;
    const double len = std::hypot(dx, dy);
    const double angle = std::atan2(dy, dx);
    cairo_save(cr);
    cairo_translate(cr, post.x, post.y);
    cairo_rotate(cr, angle);
    // The arm, tapering towards the lamp.
    cairo_move_to(cr, 0, -2.2);
    cairo_line_to(cr, len - 8, -1.4);
    cairo_line_to(cr, len - 8, 1.4);
    cairo_line_to(cr, 0, 2.2);
    cairo_close_path(cr);
    FillLit(cr, 0x8C949C, 0.45, true);
    Stroke(cr, 0x24282C, 0.8);
    // The luminaire: a dark housing around a bright glass.
    RoundedRect(cr, len - 17, -4.2, 17, 8.4, 3.5);
    FillLit(cr, 0x50565E, 0.45, true);
    Stroke(cr, 0x16181C, 0.9);
    RoundedRect(cr, len - 15, -2.4, 13, 4.8, 2.2);
    FillRadial(cr, len - 8.5, 0, 0, 7, {{0, 0xFFFFFF}, {0.5, 0xFFF6C8}, {1, 0xE8C860}});
    cairo_restore(cr);
    // The post, seen end on, lit from the top-left.
    Circle(cr, post.x, post.y, postR);
    FillRadial(cr, post.x - 1.3, post.y - 1.3, 0, postR + 1,
               {{0, 0xC8D0D8}, {0.45, 0x6A727C}, {1, 0x262A30}}, true);
    Stroke(cr, 0x121416, 0.9);
    Circle(cr, post.x, post.y, 1.4);
    SetColour(cr, 0x30343A);
    cairo_fill(cr);
}

ImageEntry LampImage(Picture picture, Pt post, Pt head) {
    Canvas canvas(picture);
    Lamp(canvas.Cr(), post, head, 4.2);
    return SingleImage(picture, canvas);
}

ImageEntry FinishLine() {
    // Two rows of eight 9-px squares, so that copies side by side continue the pattern.
    Canvas canvas(72, 18);
    cairo_t* cr = canvas.Cr();
    for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < 8; ++col) {
            const bool dark = (row + col) % 2 == 0;
            cairo_rectangle(cr, col * 9, row * 9, 9, 9);
            SetColour(cr, dark ? 0x181818 : 0xF2F2EE);
            cairo_fill(cr);
        }
    }
    // Worn paint: a little grain and tyre dirt that repeats with the tile.
    for (int y = 0; y < 18; ++y) {
        for (int x = 0; x < 72; ++x) {
            const double n = TileNoise(x, y, 72, 5) - 0.5 + (Hash01(x, y, 9) - 0.5) * 0.6;
            cairo_rectangle(cr, x, y, 1, 1);
            SetColour(cr, n > 0 ? 0xFFFFFF : 0x000000, std::fabs(n) * 0.18);
            cairo_fill(cr);
        }
    }
    return SingleImage(Picture::FinishLine, canvas);
}

}  // namespace

std::vector<ImageEntry> raceart::BuildRoadside() {
    std::vector<ImageEntry> images;
    const Picture bonuses[8] = {Picture::Bonus10,   Picture::Bonus20, Picture::Bonus50,
                                Picture::Bonus100,  Picture::BonusL,  Picture::BonusN,
                                Picture::BonusMGnp, Picture::BonusRnp};
    for (int kind = 0; kind < 8; ++kind) images.push_back(BonusImage(bonuses[kind], kind));

    // Post discs about 9 px across, each touching the post point its lamp collides with.
    images.push_back(LampImage(Picture::Lamp_L, {4.5, 9.5}, {83, 9.5}));
    images.push_back(LampImage(Picture::Lamp_R, {80.5, 9.5}, {2, 9.5}));
    images.push_back(LampImage(Picture::Lamp_RL, {4.5, 4.5}, {73, 39}));
    images.push_back(LampImage(Picture::Lamp_RR, {72, 37.5}, {3, 3}));
    images.push_back(LampImage(Picture::Lamp_LR, {71.5, 4.5}, {3, 39}));
    images.push_back(LampImage(Picture::Lamp_LL, {3.5, 37.5}, {73, 3}));
    images.push_back(FinishLine());
    return images;
}
