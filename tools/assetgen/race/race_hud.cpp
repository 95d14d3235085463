// The HUD: the panel on the right of the race screen with its dark windows for the race texts,
// the progress rail, the icon bays and the speedometer dial; the needle, the progress marker, the
// energy gauge and the three HUD icons. The panel covers screen x 610..800, so screen points are
// given here in panel coordinates (x - 610).

#include <algorithm>
#include <cmath>
#include <string>

#include "assetgen/canvas.h"
#include "assetgen/race/race_art.h"
#include "assetgen/race/race_hud.h"
#include "assetgen/race/race_parts.h"

using raceart::Circle;
using raceart::Darker;
using raceart::DrawNitroBottle;
using raceart::Ellipse;
using raceart::FillLinear;
using raceart::FillLit;
using raceart::FillRadial;
using raceart::FlameTongue;
using raceart::Gleam;
using raceart::Lighter;
using raceart::OutlinedText;
using raceart::RoundedPolygon;
using raceart::Stroke;

namespace {

constexpr uint32_t kLcd = 0x07120B;
constexpr uint32_t kLcdGhost = 0x0E2214;
constexpr uint32_t kLabel = 0xAEB8C2;
constexpr double kLcdFontPx = 22 * 96.0 / 72;  // the race texts: 22 pt at 96 dpi

// The race's read-outs as the game sets them: letters from the 14-segment face, figures from the
// 7-segment face, the cells a tenth of the size closer than the faces set them, a V shown as a U.
// Draws the text with its left end at x and its top at y in the current colour; returns its width.
double LcdText(cairo_t* cr, const std::string& text, double x, double y, bool measureOnly) {
    const double closer = std::round(kLcdFontPx / 10);
    double pen = x;
    for (char c : text) {
        const bool figure = (c >= '0' && c <= '9') || c == ':';
        cairo_select_font_face(cr, figure ? "DSEG7 Classic" : "DSEG14 Classic",
                               CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
        cairo_set_font_size(cr, kLcdFontPx);
        const char glyph[2] = {c == 'V' ? 'U' : c, 0};
        cairo_font_extents_t font;
        cairo_font_extents(cr, &font);
        cairo_text_extents_t extents;
        cairo_text_extents(cr, glyph, &extents);
        if (!measureOnly && c != ' ') {
            cairo_move_to(cr, pen, y + font.ascent);
            cairo_show_text(cr, glyph);
        }
        const double advance = std::round(extents.x_advance);
        pen += advance > kLcdFontPx / 2 ? advance - closer : advance;
    }
    return pen - x;
}

// A recessed dark window with a bevelled frame around the screen rectangle r, optionally with the
// unlit segments of the LCD text showing faintly where the race writes its text, centred on
// (gx, gy) on the screen.
void Window(cairo_t* cr, const HudRect& r, const std::string& ghost = "", double gx = 0,
            double gy = 0) {
    const double x = r.x0 - 610;
    const double y = r.y0;
    const double w = r.x1 - r.x0;
    const double h = r.y1 - r.y0;
    RoundedRect(cr, x - 2, y - 2, w + 4, h + 4, 5);
    FillLinear(cr, x, y - 2, x + w, y + h + 2, {{0, 0x0C0E10}, {1, 0x5A626C}});
    RoundedRect(cr, x, y, w, h, 4);
    FillLinear(cr, 0, y, 0, y + h, {{0, 0x030806}, {0.25, kLcd}, {1, 0x0A1A10}}, true);
    Stroke(cr, 0x000000, 1);
    if (!ghost.empty()) {
        // Placed the way the race places its text: its width and the faces' line height
        // centred on the point, so the unlit segments sit under the lit ones.
        cairo_select_font_face(cr, "DSEG14 Classic", CAIRO_FONT_SLANT_NORMAL,
                               CAIRO_FONT_WEIGHT_NORMAL);
        cairo_set_font_size(cr, kLcdFontPx);
        cairo_font_extents_t font;
        cairo_font_extents(cr, &font);
        const double width = LcdText(cr, ghost, 0, 0, true);
        const double left = std::trunc(gx - 610 - width / 2);
        const double top = std::trunc(gy - (font.ascent + font.descent) / 2);
        SetColour(cr, kLcdGhost);
        LcdText(cr, ghost, left, top, false);
    }
}

void Label(cairo_t* cr, const std::string& text, double cx, double cy, double size = 15) {
    SetColour(cr, 0x0A0C0E);
    DrawCentredText(cr, text, cx + 1, cy + 1, "Bebas Neue", size);
    SetColour(cr, kLabel);
    DrawCentredText(cr, text, cx, cy, "Bebas Neue", size);
}

void Screw(cairo_t* cr, double x, double y) {
    Circle(cr, x, y, 3.2);
    FillRadial(cr, x - 1, y - 1, 0, 4, {{0, 0xD8DEE4}, {0.6, 0x7A828C}, {1, 0x2A2E34}}, true);
    Stroke(cr, 0x14161A, 0.7);
    cairo_move_to(cr, x - 2, y + 1);
    cairo_line_to(cr, x + 2, y - 1);
    Stroke(cr, 0x2A2E34, 1);
}

// A recessed bay that a HUD icon appears in.
void Bay(cairo_t* cr, double x, double y, double size) {
    RoundedRect(cr, x - 5, y - 5, size + 10, size + 10, 7);
    FillLinear(cr, x, y - 5, x + size, y + size + 5, {{0, 0x0C0E10}, {1, 0x5A626C}});
    RoundedRect(cr, x - 3, y - 3, size + 6, size + 6, 6);
    FillRadial(cr, x + size / 2, y + size / 2, 2, size * 0.75, {{0, 0x1C2228}, {1, 0x0A0C0E}});
}

void BrushedBackground(cairo_t* cr) {
    cairo_rectangle(cr, 0, 0, 190, 600);
    FillLinear(cr, 0, 0, 190, 0, {{0, 0x3A4048}, {0.5, 0x2C3138}, {1, 0x22262C}});
    // Fine vertical brushing.
    for (int x = 0; x < 190; ++x) {
        const double v = Hash01(x, 3) - 0.5;
        cairo_rectangle(cr, x, 0, 1, 600);
        SetColour(cr, v > 0 ? 0xFFFFFF : 0x000000, std::fabs(v) * 0.08);
        cairo_fill(cr);
    }
    // Bevel on the left edge, where the panel meets the road, and on the right and bottom edges
    // of what the window shows; the strip beyond them lies outside the window.
    cairo_rectangle(cr, 0, 0, 4, 600);
    FillLinear(cr, 0, 0, 4, 0, {{0, 0x0A0C0E}, {0.5, 0x6A727C}, {1, 0x3A4048}});
    const double right = kVisibleRight - 610;
    cairo_rectangle(cr, right - 4, 0, 190 - right + 4, 600);
    FillLinear(cr, right - 4, 0, right, 0, {{0, 0x2A2E34}, {1, 0x101216}});
    cairo_rectangle(cr, 0, kVisibleBottom - 3, 190, 600 - kVisibleBottom + 3);
    FillLinear(cr, 0, kVisibleBottom - 3, 0, kVisibleBottom, {{0, 0x2A2E34}, {1, 0x101216}});
}

// The marker's track, beside the level window: a slot from the finish flag at the top to the start
// line at the bottom, the whole way the marker travels.
void ProgressRail(cairo_t* cr) {
    const double x0 = kProgressTrack.x0 - 610;
    const double x1 = kProgressTrack.x1 - 610;
    const double top = kProgressTrack.y0;
    const double bottom = kProgressTrack.y1;
    const double x = (x0 + x1) / 2;
    RoundedRect(cr, x0, top, x1 - x0, bottom - top, 5);
    FillLinear(cr, x0, 0, x1, 0, {{0, 0x050607}, {0.6, 0x14181C}, {1, 0x3A424A}});
    Stroke(cr, 0x000000, 1);
    SetColour(cr, 0x3A4450);
    cairo_set_line_width(cr, 1);
    for (double y = top + 16; y < bottom - 8; y += 16) {
        cairo_move_to(cr, x - 3, y + 0.5);
        cairo_line_to(cr, x + 3, y + 0.5);
    }
    cairo_stroke(cr);
    // Finish flag at the top, start line at the bottom.
    for (int r = 0; r < 2; ++r) {
        for (int c = 0; c < 3; ++c) {
            cairo_rectangle(cr, x - 4.5 + c * 3, top + 3 + r * 3, 3, 3);
            SetColour(cr, (r + c) % 2 == 0 ? 0xF0F0F0 : 0x101010);
            cairo_fill(cr);
        }
    }
    cairo_rectangle(cr, x - 4.5, bottom - 5, 9, 2.5);
    SetColour(cr, 0x40E050);
    cairo_fill(cr);
}

// The direction of speed s on the dial: angle 1.15 s - 28 in 256ths of a turn, clockwise from
// pointing left (y grows downwards).
void DialDirection(double speed, double* dx, double* dy) {
    const double a = (1.15 * speed - 28) * 2 * M_PI / 256;
    *dx = -std::cos(a);
    *dy = -std::sin(a);
}

void Speedometer(cairo_t* cr) {
    const double cx = kDialCentreX - 610;
    const double cy = kDialCentreY;
    const double r = kDialRadius;
    // Chrome bezel and the dark face.
    Circle(cr, cx, cy, r + 5);
    FillLinear(cr, cx - r, cy - r, cx + r, cy + r,
               {{0, 0xE8EEF4}, {0.3, 0x8A929C}, {0.7, 0x3A4048}, {1, 0x14161A}}, true);
    Stroke(cr, 0x0A0B0C, 1);
    Circle(cr, cx, cy, r + 1.5);
    FillLinear(cr, cx - r, cy - r, cx + r, cy + r, {{0, 0x14161A}, {1, 0x8A929C}});
    Circle(cr, cx, cy, r);
    FillRadial(cr, cx, cy - 10, 5, r, {{0, 0x1E262E}, {0.7, 0x0E1216}, {1, 0x06080A}});

    // The red zone from 140 to the nitro top speed.
    const double a0 = (1.15 * 140 - 28) * 2 * M_PI / 256 + M_PI;
    const double a1 = (1.15 * 170 - 28) * 2 * M_PI / 256 + M_PI;
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, cy, r - 3, a0, a1);
    cairo_arc_negative(cr, cx, cy, r - 9, a1, a0);
    cairo_close_path(cr);
    SetColour(cr, 0xC01818);
    cairo_fill(cr);

    // A tick every 10 units, long ones with numbers every 20.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int s = 0; s <= 160; s += 10) {
        double dx, dy;
        DialDirection(s, &dx, &dy);
        const bool major = s % 20 == 0;
        const double inner = major ? r - 14 : r - 8;
        cairo_move_to(cr, cx + dx * inner, cy + dy * inner);
        cairo_line_to(cr, cx + dx * (r - 3), cy + dy * (r - 3));
        cairo_set_line_width(cr, major ? 2.6 : 1.3);
        SetColour(cr, major ? 0xF4F6F8 : 0x9AA4AE);
        cairo_stroke(cr);
        if (major) {
            // The needle rests on the 0 tick: its figure stands just below the needle's line,
            // where the resting needle leaves it in sight.
            double fx = dx;
            double fy = dy;
            if (s == 0) DialDirection(-9, &fx, &fy);
            SetColour(cr, 0xDCE2E8);
            DrawCentredText(cr, std::to_string(s), cx + fx * (r - 25), cy + fy * (r - 25),
                            "Bebas Neue", 13);
        }
    }
    // The nitro top speed, marked in blue.
    {
        double dx, dy;
        DialDirection(170, &dx, &dy);
        cairo_move_to(cr, cx + dx * (r - 10), cy + dy * (r - 10));
        cairo_line_to(cr, cx + dx * (r - 3), cy + dy * (r - 3));
        cairo_set_line_width(cr, 3);
        SetColour(cr, 0x40A8FF);
        cairo_stroke(cr);
    }
    SetColour(cr, 0x6A7682);
    DrawCentredText(cr, "KM/H", cx, cy - 24, "Bebas Neue", 12);

    // Glass glare over the upper face.
    cairo_save(cr);
    Circle(cr, cx, cy, r);
    cairo_clip(cr);
    Ellipse(cr, cx - 18, cy - 34, 46, 26);
    cairo_pattern_t* glare = cairo_pattern_create_linear(cx - 40, cy - 60, cx, cy - 10);
    cairo_pattern_add_color_stop_rgba(glare, 0, 1, 1, 1, 0.14);
    cairo_pattern_add_color_stop_rgba(glare, 1, 1, 1, 1, 0.0);
    cairo_set_source(cr, glare);
    cairo_fill(cr);
    cairo_pattern_destroy(glare);
    cairo_restore(cr);

    // The energy gauge's recess in the open bottom of the dial.
    const double ex = kEnergyX - 610;
    const double ey = kEnergyY;
    RoundedRect(cr, ex - 3, ey - 3, 72, 26, 5);
    FillLinear(cr, ex, ey - 3, ex + 66, ey + 23, {{0, 0x000000}, {1, 0x4A525C}});
    RoundedRect(cr, ex - 1, ey - 1, 68, 22, 4);
    SetColour(cr, 0x050607);
    cairo_fill(cr);

    // The hub the needle turns on.
    Circle(cr, cx, cy, 8);
    FillRadial(cr, cx - 2.5, cy - 2.5, 0, 9, {{0, 0xF4F8FC}, {0.5, 0x8A929C}, {1, 0x202428}}, true);
    Stroke(cr, 0x0A0B0C, 1);
}

// The little heart beside the lives counter.
void LivesBadge(cairo_t* cr, double cx, double cy) {
    cairo_move_to(cr, cx, cy + 8);
    cairo_curve_to(cr, cx - 5, cy + 4, cx - 10, cy, cx - 9, cy - 4);
    cairo_curve_to(cr, cx - 8, cy - 9, cx - 2, cy - 9, cx, cy - 5);
    cairo_curve_to(cr, cx + 2, cy - 9, cx + 8, cy - 9, cx + 9, cy - 4);
    cairo_curve_to(cr, cx + 10, cy, cx + 5, cy + 4, cx, cy + 8);
    cairo_close_path(cr);
    FillLinear(cr, cx - 9, cy - 9, cx + 9, cy + 8, {{0, 0xFF7A7A}, {0.5, 0xE01A2A}, {1, 0x800812}},
               true);
    Stroke(cr, 0x3A0206, 1);
}

ImageEntry Panel() {
    Canvas canvas(190, 600);
    cairo_t* cr = canvas.Cr();
    BrushedBackground(cr);
    const double screwRight = kVisibleRight - 610 - 10;
    for (double y : {6.0, kVisibleBottom - 9.0}) {
        Screw(cr, 12, y);
        Screw(cr, screwRight, y);
    }

    Window(cr, kLevelWindow);
    ProgressRail(cr);

    Label(cr, "TIME", kTimeX - 610, 84);
    Window(cr, kTimeWindow, "88 : 88", kTimeX, kTimeY);
    Label(cr, "SCORE", kScoreX - 610, 168);
    Window(cr, kScoreWindow);

    Label(cr, "WEAPON", 38, 233, 13);
    Bay(cr, kWeaponIconX - 610, kWeaponIconY, kIconSize);
    Label(cr, "AMMO", kAmmoX - 610, 240, 13);
    Window(cr, kAmmoWindow);

    Label(cr, "LIVES", 84, kLivesY, 17);
    LivesBadge(cr, 114, kLivesY);
    Window(cr, kLivesWindow);

    Bay(cr, kNitroIconX - 610, kNitroIconY, kIconSize);
    Label(cr, "NITRO", (kNitroWindow.x0 + kNitroWindow.x1) / 2.0 - 610, 360, 13);
    Window(cr, kNitroWindow);

    Speedometer(cr);
    return SingleImage(Picture::Panel, canvas);
}

ImageEntry Pointer() {
    // Tip at the left, hub at the right; the game turns it about a point just past its right end.
    Canvas canvas(kPointerW, kPointerH);
    cairo_t* cr = canvas.Cr();
    const double mid = kPointerH / 2.0;
    cairo_move_to(cr, 0.3, mid);
    cairo_line_to(cr, 46, mid - 2.6);
    cairo_line_to(cr, 58, mid - 3.4);
    cairo_arc(cr, 60, mid, 3.4, -M_PI / 2, M_PI / 2);
    cairo_line_to(cr, 46, mid + 2.6);
    cairo_close_path(cr);
    FillLinear(cr, 0, mid - 3.5, 0, mid + 3.5, {{0, 0xFFB090}, {0.45, 0xFF4A1C}, {1, 0x901808}},
               true);
    Stroke(cr, 0x3A0800, 0.8);
    cairo_move_to(cr, 6, mid - 0.3);
    cairo_line_to(cr, 50, mid - 1.5);
    SetColour(cr, 0xFFE0D0, 0.8);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    Circle(cr, 60, mid, 2.6);
    FillRadial(cr, 59, mid - 1, 0, 3, {{0, 0xE0E4E8}, {1, 0x3A3E44}});
    return SingleImage(Picture::Pointer, canvas);
}

ImageEntry SmallCar() {
    // A red car a few pixels long, like the player's, nose up.
    Canvas canvas(14, 24);
    cairo_t* cr = canvas.Cr();
    for (double y : {5.0, 18.0}) {
        for (double x : {0.5, 11.5}) {
            RoundedRect(cr, x, y - 2.5, 2, 5, 0.8);
            SetColour(cr, 0x0A0A0A);
            cairo_fill(cr);
        }
    }
    RoundedRect(cr, 1.5, 0.5, 11, 23, 4);
    FillLinear(cr, 1.5, 0, 12.5, 0, {{0, 0xFF6A60}, {0.5, 0xD81820}, {1, 0x700808}}, true);
    Stroke(cr, 0x300404, 0.8);
    RoundedPolygon(cr, {{3.5, 7}, {10.5, 7}, {11, 17}, {3, 17}}, 2);
    SetColour(cr, 0x1A2838);
    cairo_fill(cr);
    RoundedRect(cr, 4, 9.5, 6, 5.5, 1.5);
    FillLinear(cr, 4, 0, 10, 0, {{0, 0xF06058}, {1, 0xA01018}});
    for (double x : {3.5, 10.5}) {
        Circle(cr, x, 2.2, 1.1);
        SetColour(cr, 0xFFF4C0);
        cairo_fill(cr);
    }
    cairo_rectangle(cr, 6, 0.5, 2, 23);
    SetColour(cr, 0xF4F2EA, 0.9);
    cairo_fill(cr);
    return SingleImage(Picture::SmallCar, canvas);
}

ImageEntry Energy() {
    // Pattern n has 3 - n segments lit: green when full, amber at two, red at the last one.
    const uint32_t lit[3] = {0x38E048, 0xF0C020, 0xF03020};
    std::vector<DecodedPicture> patterns;
    for (int n = 0; n < 4; ++n) {
        Canvas canvas(66, 20);
        cairo_t* cr = canvas.Cr();
        RoundedRect(cr, 0, 0, 66, 20, 4);
        FillLinear(cr, 0, 0, 0, 20, {{0, 0x1A1E22}, {1, 0x06070A}});
        const int count = 3 - n;
        for (int i = 0; i < 3; ++i) {
            const double x = 3 + i * 20.5;
            RoundedRect(cr, x, 3, 19, 14, 2.5);
            if (i < count) {
                const uint32_t c = lit[n];
                FillLinear(cr, 0, 3, 0, 17, {{0, Lighter(c, 0.55)}, {0.4, c}, {1, Darker(c, 0.4)}},
                           true);
                Stroke(cr, Darker(c, 0.6), 0.8);
                RoundedRect(cr, x + 2, 4.5, 15, 3, 1.5);
                SetColour(cr, 0xFFFFFF, 0.4);
                cairo_fill(cr);
            } else {
                SetColour(cr, 0x1C2420);
                cairo_fill_preserve(cr);
                Stroke(cr, 0x2C3630, 0.8);
            }
        }
        patterns.push_back(canvas.ToPicture(false));
    }
    return MakeImage(Picture::Energy, patterns);
}

// The machine gun side on, pointing up and to the right.
void GunIcon(cairo_t* cr) {
    cairo_translate(cr, 21, 21);
    cairo_rotate(cr, -M_PI / 4);
    // Ammunition belt hanging below.
    for (int i = 0; i < 5; ++i) {
        RoundedRect(cr, -6 + i * 2.8 - 2, 4 + i * 1.6, 2.4, 6, 1);
        FillLinear(cr, 0, 4, 0, 12, {{0, 0xFFE8A0}, {1, 0x9A6A18}});
    }
    // Stock, receiver, barrel with jacket, muzzle, sight and grip.
    RoundedPolygon(cr, {{-19, -2}, {-10, -4}, {-10, 4}, {-19, 6}}, 1.5);
    FillLit(cr, 0x6A4A2A, 0.4, true);
    Stroke(cr, 0x1E140A, 1);
    RoundedRect(cr, -11, -5, 15, 9, 1.5);
    FillLit(cr, 0x4A5058, 0.45, true);
    Stroke(cr, 0x0C0E10, 1);
    RoundedRect(cr, 4, -3.2, 12, 5.4, 1.2);
    FillLinear(cr, 0, -3.2, 0, 2.2, {{0, 0x9AA2AC}, {1, 0x22262C}}, true);
    Stroke(cr, 0x0C0E10, 0.8);
    for (double x = 6; x < 15; x += 3) {
        Circle(cr, x, -0.5, 0.9);
        SetColour(cr, 0x0C0E10);
        cairo_fill(cr);
    }
    RoundedRect(cr, 16, -1.8, 4, 3, 0.8);
    SetColour(cr, 0x2A2E34);
    cairo_fill(cr);
    RoundedRect(cr, -4, -8, 5, 3.5, 1);
    SetColour(cr, 0x202428);
    cairo_fill(cr);
    RoundedPolygon(cr, {{-7, 3}, {-3, 3}, {-4, 10}, {-8, 10}}, 1.2);
    FillLit(cr, 0x3A2A1A, 0.3, true);
    Stroke(cr, 0x0C0804, 0.8);
}

// A rocket flying up and to the right with its exhaust flame.
void RocketIcon(cairo_t* cr) {
    cairo_translate(cr, 21, 21);
    cairo_rotate(cr, M_PI / 4);
    FlameTongue(cr, 0, 9, 3.2, 12, 0.4, 0xE8501A, 0xFFB030, 0xFFFCE0);
    for (double dir : {-1.0, 1.0}) {
        cairo_move_to(cr, dir * 3.5, 2);
        cairo_line_to(cr, dir * 8, 9);
        cairo_line_to(cr, dir * 8, 12);
        cairo_line_to(cr, dir * 3.5, 9.5);
        cairo_close_path(cr);
        FillLinear(cr, 0, 2, 0, 12, {{0, 0xE03030}, {1, 0x801010}}, true);
        Stroke(cr, 0x300404, 0.8);
    }
    RoundedRect(cr, -4, -9, 8, 19.5, 2);
    FillLit(cr, 0xE4E8EC, 0.45, true);
    Stroke(cr, 0x30343A, 0.8);
    cairo_move_to(cr, -4, -8);
    cairo_curve_to(cr, -4, -14, 0, -18, 0, -18);
    cairo_curve_to(cr, 0, -18, 4, -14, 4, -8);
    cairo_close_path(cr);
    FillLit(cr, 0xD81818, 0.45, true);
    Stroke(cr, 0x400404, 0.8);
    cairo_rectangle(cr, -3.6, -2, 7.2, 2.2);
    SetColour(cr, 0xE8C020);
    cairo_fill(cr);
}

ImageEntry Icon(Picture picture, int kind) {
    Canvas canvas(picture);
    cairo_t* cr = canvas.Cr();
    switch (kind) {
        case 0:
            DrawNitroBottle(cr, kIconSize);
            break;
        case 1:
            GunIcon(cr);
            break;
        default:
            RocketIcon(cr);
            break;
    }
    return SingleImage(picture, canvas);
}

}  // namespace

std::vector<ImageEntry> raceart::BuildHud() {
    std::vector<ImageEntry> images;
    images.push_back(Panel());
    images.push_back(Pointer());
    images.push_back(SmallCar());
    images.push_back(Energy());
    images.push_back(Icon(Picture::BonusNitro, 0));
    images.push_back(Icon(Picture::BonusM, 1));
    images.push_back(Icon(Picture::BonusR, 2));
    return images;
}
