// The roof weapons and the rockets. All thirteen weapon pictures share one 104 x 114 canvas whose
// horizontal middle lies on the car's centre line. The car's centre falls 28 to 42 px below the
// canvas top depending on the car, so the gun mount sits at y 35; the rocket pods end up 47 px
// either side of the middle, where the rockets are launched from.

#include <algorithm>
#include <cmath>
#include <string>

#include "assetgen/canvas.h"
#include "assetgen/race/race_art.h"
#include "assetgen/race/race_parts.h"

using raceart::Circle;
using raceart::Darker;
using raceart::Ellipse;
using raceart::FillLinear;
using raceart::FillLit;
using raceart::FillRadial;
using raceart::Lighter;
using raceart::RoundedPolygon;
using raceart::Stroke;

namespace {

constexpr int kWeaponW = 104;
constexpr int kWeaponH = 114;
constexpr double kMid = kWeaponW / 2.0;
constexpr double kMountY = 35;
// How far the shooting picture is drawn ahead of the ready gun; its gun is drawn this much lower.
constexpr double kRecoilShift = 18;
constexpr double kPodOut = 47;

constexpr uint32_t kSteel = 0x4A5058;
constexpr uint32_t kOlive = 0x5C6434;

void Rivet(cairo_t* cr, double x, double y) {
    Circle(cr, x, y, 1.2);
    FillRadial(cr, x - 0.4, y - 0.4, 0, 1.3, {{0, 0xD0D4D8}, {1, 0x30343A}});
}

// The roof hatch the gun rises through; open from 0 (shut) to 1 (doors slid aside).
void Hatch(cairo_t* cr, double open) {
    const double half = 13;
    const double slide = open * 9;
    RoundedRect(cr, kMid - half - 2, kMountY - half - 2, 2 * half + 4, 2 * half + 4, 5);
    FillLinear(cr, kMid - half, kMountY - half, kMid + half, kMountY + half,
               {{0, 0x30343A}, {1, 0x14161A}}, true);
    Stroke(cr, 0x08090A, 1);
    if (open > 0) {
        Circle(cr, kMid, kMountY, half - 1);
        SetColour(cr, 0x060708);
        cairo_fill(cr);
    }
    for (int side = 0; side < 2; ++side) {
        const double dir = side == 0 ? -1 : 1;
        const double x = side == 0 ? kMid - half - slide : kMid + slide;
        RoundedRect(cr, x, kMountY - half, half, 2 * half, 3);
        FillLit(cr, 0x6A7078, 0.35, true);
        Stroke(cr, 0x202428, 1);
        Rivet(cr, x + half / 2 - dir * 3, kMountY - half + 3);
        Rivet(cr, x + half / 2 - dir * 3, kMountY + half - 3);
        SetColour(cr, 0x3A3E44);
        cairo_set_line_width(cr, 1);
        for (double y = kMountY - 6; y <= kMountY + 6; y += 4) {
            cairo_move_to(cr, x + 2.5, y);
            cairo_line_to(cr, x + half - 2.5, y);
        }
        cairo_stroke(cr);
    }
}

// The machine gun seen from above, barrel forward; rise 0..1 scales it up as it comes out of
// the roof (closer to the eye) and pushes the barrel out. dy moves the whole gun down.
void Gun(cairo_t* cr, double rise, double dy) {
    const double s = 0.55 + 0.45 * rise;
    cairo_save(cr);
    cairo_translate(cr, kMid, kMountY + dy);
    cairo_scale(cr, s, s);

    // Turret ring.
    Circle(cr, 0, 0, 15);
    FillLit(cr, 0x585E66, 0.4, true);
    Stroke(cr, 0x16181C, 1.2);
    for (int i = 0; i < 8; ++i) {
        const double a = i * M_PI / 4 + M_PI / 8;
        Rivet(cr, std::sin(a) * 12.5, -std::cos(a) * 12.5);
    }
    // Ammunition box and its belt.
    RoundedRect(cr, 8, -8, 11, 16, 2);
    FillLit(cr, kOlive, 0.35, true);
    Stroke(cr, 0x202410, 1);
    for (int i = 0; i < 4; ++i) {
        RoundedRect(cr, 3 + i * 1.6, -5 + i * 0.8, 2.2, 4, 0.8);
        FillLinear(cr, 0, -5, 0, -1, {{0, 0xF8D070}, {1, 0xA87820}});
    }
    // Barrel with its cooling jacket and muzzle brake.
    const double barrelTop = -34 - 4 * rise;
    RoundedRect(cr, -3, barrelTop + 4, 6, -barrelTop - 10, 1.5);
    FillLinear(cr, -3, 0, 3, 0, {{0, 0x9AA2AC}, {0.35, 0x5A626C}, {1, 0x1E2228}}, true);
    Stroke(cr, 0x0C0E10, 0.8);
    for (double y = barrelTop + 10; y < -12; y += 4) {
        Ellipse(cr, 0, y, 1.2, 1.0);
        SetColour(cr, 0x101214);
        cairo_fill(cr);
    }
    RoundedRect(cr, -4, barrelTop, 8, 6, 1.5);
    FillLinear(cr, -4, 0, 4, 0, {{0, 0x8A929C}, {1, 0x22262C}}, true);
    Stroke(cr, 0x0C0E10, 0.8);
    // Receiver, grips and sight.
    RoundedRect(cr, -6, -14, 12, 28, 3);
    FillLinear(cr, -6, 0, 6, 0,
               {{0, Lighter(kSteel, 0.35)}, {0.4, kSteel}, {1, Darker(kSteel, 0.5)}}, true);
    Stroke(cr, 0x0C0E10, 1);
    RoundedRect(cr, -2, -11, 4, 6, 1);
    SetColour(cr, 0x1A1C20);
    cairo_fill(cr);
    for (double gx : {-8.0, 8.0}) {
        RoundedRect(cr, gx - 2, 11, 4, 7, 1.5);
        FillLinear(cr, gx - 2, 0, gx + 2, 0, {{0, 0x4A3A2A}, {1, 0x1E1610}});
    }
    cairo_restore(cr);
}

// The burst of fire ahead of the muzzle while the gun fires.
void MuzzleFlash(cairo_t* cr, double tipY) {
    const double cy = tipY - 7;
    for (int ray = 0; ray < 7; ++ray) {
        const double a = (ray - 3) * 0.5;
        const double len = ray == 3 ? 7.5 : (ray % 2 == 0 ? 10 : 7);
        cairo_move_to(cr, kMid + std::sin(a - 0.35) * 3, cy - std::cos(a - 0.35) * 3 + 3);
        cairo_line_to(cr, kMid + std::sin(a) * len, cy - std::cos(a) * len);
        cairo_line_to(cr, kMid + std::sin(a + 0.35) * 3, cy - std::cos(a + 0.35) * 3 + 3);
        cairo_close_path(cr);
    }
    SetColour(cr, 0xFFB020);
    cairo_fill(cr);
    Ellipse(cr, kMid, cy + 1.5, 6, 6.5);
    FillRadial(cr, kMid, cy + 3, 0, 7, {{0, 0xFFFFFF}, {0.45, 0xFFF6A0}, {1, 0xFFC030}});
    // A spent case flying off to the right.
    RoundedRect(cr, kMid + 16, kMountY + kRecoilShift - 6, 2.5, 5, 1);
    FillLinear(cr, kMid + 16, 0, kMid + 18.5, 0, {{0, 0xFFE090}, {1, 0xA07020}});
}

// One rocket pod: a box holding two rockets whose noses show at its front.
void Pod(cairo_t* cr, double cx) {
    const double top = 54;
    const double bottom = 92;
    for (double nx : {cx - 2.6, cx + 2.6}) {
        cairo_move_to(cr, nx - 2.3, top + 2);
        cairo_curve_to(cr, nx - 2.3, top - 3, nx, top - 6, nx, top - 6);
        cairo_curve_to(cr, nx, top - 6, nx + 2.3, top - 3, nx + 2.3, top + 2);
        cairo_close_path(cr);
        FillLinear(cr, nx - 2.3, 0, nx + 2.3, 0, {{0, 0xFF7060}, {0.5, 0xD01818}, {1, 0x700808}});
    }
    RoundedRect(cr, cx - 5.5, top, 11, bottom - top, 2.5);
    FillLinear(cr, cx - 5.5, 0, cx + 5.5, 0,
               {{0, Lighter(kOlive, 0.35)}, {0.4, kOlive}, {1, Darker(kOlive, 0.5)}}, true);
    Stroke(cr, 0x1A1E0C, 1);
    // Tube seams and a warning band.
    SetColour(cr, Darker(kOlive, 0.45));
    cairo_set_line_width(cr, 0.8);
    cairo_move_to(cr, cx, top + 3);
    cairo_line_to(cr, cx, bottom - 3);
    cairo_stroke(cr);
    cairo_rectangle(cr, cx - 5, top + 4, 10, 3);
    SetColour(cr, 0xE8C020);
    cairo_fill(cr);
    Rivet(cr, cx - 3, bottom - 4);
    Rivet(cr, cx + 3, bottom - 4);
}

// The rocket launcher; out runs from 0 (folded away) to 1 (pods fully out at +-47 px).
void Launcher(cairo_t* cr, double out) {
    const double cy = 66;
    if (out > 0) {
        const double d = 10 + (kPodOut - 10) * out;
        // Sliding rails from the base to the pods.
        for (double ry : {cy - 2.0, cy + 10.0}) {
            RoundedRect(cr, kMid - d, ry, 2 * d, 3.5, 1.5);
            FillLinear(cr, 0, ry, 0, ry + 3.5, {{0, 0xB0B6BE}, {1, 0x3A4048}}, true);
            Stroke(cr, 0x15181C, 0.8);
        }
        Pod(cr, kMid - d);
        Pod(cr, kMid + d);
    }
    // The base plate that covers the folded launcher.
    RoundedPolygon(
        cr,
        {{kMid - 15, cy - 16}, {kMid + 15, cy - 16}, {kMid + 17, cy + 20}, {kMid - 17, cy + 20}},
        5);
    FillLit(cr, 0x5A6068, 0.35, true);
    Stroke(cr, 0x16181C, 1.2);
    // Hazard chevrons and rivets on the cover.
    cairo_save(cr);
    RoundedRect(cr, kMid - 11, cy + 10, 22, 6, 1.5);
    cairo_clip_preserve(cr);
    SetColour(cr, 0xE8C020);
    cairo_fill(cr);
    SetColour(cr, 0x1A1A1A);
    for (double x = kMid - 16; x < kMid + 14; x += 6) {
        cairo_move_to(cr, x, cy + 16);
        cairo_line_to(cr, x + 3, cy + 16);
        cairo_line_to(cr, x + 9, cy + 10);
        cairo_line_to(cr, x + 6, cy + 10);
        cairo_close_path(cr);
    }
    cairo_fill(cr);
    cairo_restore(cr);
    for (double rx : {kMid - 11.0, kMid + 11.0}) {
        Rivet(cr, rx, cy - 12);
        Rivet(cr, rx, cy + 4);
    }
    Circle(cr, kMid, cy - 3, 6);
    FillLit(cr, 0x7A8088, 0.4, true);
    Stroke(cr, 0x16181C, 1);
}

ImageEntry WeaponImage(Picture picture, void (*draw)(cairo_t*, double), double amount) {
    Canvas canvas(picture);
    draw(canvas.Cr(), amount);
    return SingleImage(picture, canvas);
}

void DrawGunStage(cairo_t* cr, double stage) {
    // stage 0: hatch shut; 0.25..1: doors open and the gun rises.
    Hatch(cr, std::min(1.0, stage * 2.5));
    if (stage > 0.2) Gun(cr, (stage - 0.2) / 0.8, 0);
}

void DrawGunShooting(cairo_t* cr, double) {
    // The picture is drawn further forward while firing, so the hatch and gun move down by the
    // same amount to stay in place on the roof; only the flash sits ahead of the muzzle.
    cairo_save(cr);
    cairo_translate(cr, 0, kRecoilShift);
    Hatch(cr, 1);
    cairo_restore(cr);
    Gun(cr, 1, kRecoilShift);
    MuzzleFlash(cr, kMountY + kRecoilShift - 38);
}

void DrawRocketStage(cairo_t* cr, double stage) {
    Launcher(cr, stage);
}

void DrawRocket(cairo_t* cr) {
    // Fins, body, nose cone and nozzle of a 12 x 24 rocket, nose up.
    for (int side = 0; side < 2; ++side) {
        const double dir = side == 0 ? -1 : 1;
        cairo_move_to(cr, 6 + dir * 2.5, 13);
        cairo_line_to(cr, 6 + dir * 5.8, 19);
        cairo_line_to(cr, 6 + dir * 5.8, 22.5);
        cairo_line_to(cr, 6 + dir * 2.5, 20);
        cairo_close_path(cr);
        FillLinear(cr, 0, 13, 0, 22, {{0, 0xE03030}, {1, 0x801010}}, true);
        Stroke(cr, 0x300404, 0.7);
    }
    RoundedRect(cr, 3.2, 6, 5.6, 15.5, 1.5);
    FillLinear(cr, 3.2, 0, 8.8, 0, {{0, 0xFFFFFF}, {0.4, 0xD8DCE0}, {1, 0x70767E}}, true);
    Stroke(cr, 0x30343A, 0.7);
    cairo_move_to(cr, 3.2, 7);
    cairo_curve_to(cr, 3.2, 3, 6, 0.3, 6, 0.3);
    cairo_curve_to(cr, 6, 0.3, 8.8, 3, 8.8, 7);
    cairo_close_path(cr);
    FillLinear(cr, 3.2, 0, 8.8, 0, {{0, 0xFF7060}, {0.45, 0xD81818}, {1, 0x700808}}, true);
    Stroke(cr, 0x400404, 0.7);
    RoundedRect(cr, 4.2, 21, 3.6, 2.6, 0.8);
    SetColour(cr, 0x202226);
    cairo_fill(cr);
    cairo_rectangle(cr, 3.4, 12, 5.2, 1.6);
    SetColour(cr, 0xE8C020);
    cairo_fill(cr);
}

}  // namespace

std::vector<ImageEntry> raceart::BuildWeapons() {
    std::vector<ImageEntry> images;
    for (int n = 1; n <= 6; ++n)
        images.push_back(WeaponImage(GunPicture(n), DrawGunStage, (n - 1) / 5.0));
    for (int n = 1; n <= 6; ++n)
        images.push_back(WeaponImage(RocketPodPicture(n), DrawRocketStage, (n - 1) / 5.0));
    images.push_back(WeaponImage(Picture::GunShooting, DrawGunShooting, 1));

    {
        Canvas canvas(12, 24);
        DrawRocket(canvas.Cr());
        images.push_back(SingleImage(Picture::Rocket, canvas));
    }
    // The rocket's exhaust: its top meets the rocket's tail when hung 23 px below the rocket top.
    {
        std::vector<DecodedPicture> patterns;
        const double lengths[4] = {36, 44, 40, 47};
        const double sways[4] = {0.6, -0.8, -0.2, 0.5};
        for (int k = 0; k < 4; ++k) {
            Canvas canvas(18, 50);
            FlameTongue(canvas.Cr(), 9, 0.5, 4.2 + 0.3 * (k % 2), lengths[k], sways[k], 0xE8501A,
                        0xFFB030, 0xFFFCE0);
            patterns.push_back(canvas.ToPicture(true));
        }
        images.push_back(MakeImage(Picture::EngineFire, patterns));
    }
    images.push_back(MakeImage(Picture::Explosion, FireballPatterns(64, 10, 0.62, 23)));
    return images;
}
