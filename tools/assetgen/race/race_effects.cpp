// Fire, smoke and marks: the nitro flames, the skid and blood marks the car leaves on the road,
// and the fireball animations of exploding cars and rockets.

#include <algorithm>
#include <cmath>
#include <string>

#include "assetgen/canvas.h"
#include "assetgen/race/race_art.h"
#include "assetgen/race/race_parts.h"

using raceart::Circle;
using raceart::Darker;
using raceart::FillLinear;
using raceart::FillRadial;
using raceart::Lighter;
using raceart::Mix;

namespace {

double Smooth(double t) {
    t = std::clamp(t, 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

// One puff of a fireball: hot puffs are white-yellow in the middle and orange at the rim, cooling
// puffs turn dark red and brown, cold ones are grey smoke lit from the top-left.
void Puff(cairo_t* cr, double x, double y, double r, double heat) {
    if (r < 0.6) return;
    Circle(cr, x, y, r);
    if (heat > 0.75) {
        FillRadial(cr, x - r * 0.2, y - r * 0.2, 0, r,
                   {{0, 0xFFFFF0}, {0.35, 0xFFF070}, {0.75, 0xFFA020}, {1, 0xE85A10}});
    } else if (heat > 0.45) {
        const double k = (heat - 0.45) / 0.3;
        FillRadial(cr, x - r * 0.2, y - r * 0.2, 0, r,
                   {{0, Mix(0xF06018, 0xFFE060, k)},
                    {0.6, Mix(0xB82A10, 0xFF8A18, k)},
                    {1, Mix(0x6A1A0C, 0xD04010, k)}});
    } else if (heat > 0.2) {
        const double k = (heat - 0.2) / 0.25;
        FillRadial(cr, x - r * 0.3, y - r * 0.3, 0, r,
                   {{0, Mix(0x5A4A44, 0xA03A14, k)},
                    {0.7, Mix(0x3A302C, 0x6A2010, k)},
                    {1, Mix(0x2A2422, 0x401810, k)}});
    } else {
        const double k = heat / 0.2;
        const uint32_t grey = Mix(0x8A8884, 0x4A4440, k);
        FillRadial(cr, x - r * 0.35, y - r * 0.35, 0, r * 1.1,
                   {{0, Lighter(grey, 0.25)}, {0.6, grey}, {1, Darker(grey, 0.3)}});
    }
}

}  // namespace

// Patterns of a fireball that flashes, swells, cools to smoke and drifts away; the last pattern
// keeps only a few wisps, so the animation can wrap to an empty road. scale sets the fireball's
// size within the square pattern.
std::vector<DecodedPicture> raceart::FireballPatterns(int size, int count, double scale,
                                                      uint32_t seed) {
    std::vector<DecodedPicture> patterns;
    const double c = size / 2.0;
    const double big = (size / 2.0 - 1) * scale;
    constexpr int kPuffs = 18;
    for (int k = 0; k < count; ++k) {
        const double t = static_cast<double>(k) / (count - 1);
        Canvas canvas(size, size);
        cairo_t* cr = canvas.Cr();
        const double grow = 0.5 + 0.5 * Smooth(t * 3.2);
        const double fade = t > 0.5 ? std::pow((t - 0.5) / 0.5, 1.1) : 0.0;

        // Puffs in order of heat, coolest first, so the fire burns through the smoke.
        struct P {
            double x, y, r, heat;
        };
        std::vector<P> puffs;
        for (int i = 0; i < kPuffs; ++i) {
            const double angle = 2 * M_PI * Hash01(i, seed, 1);
            const double reach = 0.15 + 0.55 * Hash01(i, seed, 2);
            const double size0 = 0.26 + 0.18 * Hash01(i, seed, 3);
            const double dist = big * reach * (0.3 + 0.7 * Smooth(t * 1.8)) * (1 + 0.1 * fade);
            const double x = c + std::sin(angle) * dist;
            // Smoke rises a little as it cools, then breaks up.
            const double y = c - std::cos(angle) * dist - big * 0.18 * Smooth((t - 0.4) * 2);
            const double r =
                big * size0 * grow * (1 - 0.88 * fade) * (1 - 0.5 * fade * Hash01(i, seed, 4));
            const double heat = std::clamp(
                1.3 - t * 1.6 + 0.35 * (Hash01(i, seed, 5) - 0.5) - reach * 0.3, 0.0, 1.0);
            puffs.push_back({x, y, r, heat});
        }
        // Keep the cloud centred on the blast whatever way the puffs were scattered.
        double mx = 0;
        double my = 0;
        double mw = 0;
        for (const P& p : puffs) {
            mx += p.x * p.r * p.r;
            my += p.y * p.r * p.r;
            mw += p.r * p.r;
        }
        if (mw > 0) {
            const double rise = big * 0.18 * Smooth((t - 0.4) * 2);
            for (P& p : puffs) {
                p.x += c - mx / mw;
                p.y += c - rise - my / mw;
            }
        }
        std::sort(puffs.begin(), puffs.end(),
                  [](const P& a, const P& b) { return a.heat < b.heat; });
        for (const P& p : puffs) Puff(cr, p.x, p.y, p.r, p.heat);

        if (k == 0) {
            // The flash: a white star with yellow rays.
            for (int ray = 0; ray < 8; ++ray) {
                const double a = ray * M_PI / 4 + 0.2;
                const double len = big * (ray % 2 == 0 ? 0.95 : 0.6);
                cairo_move_to(cr, c + std::sin(a - 0.22) * big * 0.18,
                              c - std::cos(a - 0.22) * big * 0.18);
                cairo_line_to(cr, c + std::sin(a) * len, c - std::cos(a) * len);
                cairo_line_to(cr, c + std::sin(a + 0.22) * big * 0.18,
                              c - std::cos(a + 0.22) * big * 0.18);
                cairo_close_path(cr);
            }
            SetColour(cr, 0xFFF070);
            cairo_fill(cr);
            Circle(cr, c, c, big * 0.32);
            FillRadial(cr, c, c, 0, big * 0.32, {{0, 0xFFFFFF}, {0.6, 0xFFFFD8}, {1, 0xFFE060}});
        }
        if (t > 0 && t < 0.55) {
            // Sparks and debris thrown out of the blast.
            for (int i = 0; i < 10; ++i) {
                const double a = 2 * M_PI * Hash01(i, seed, 7);
                const double d = big * (0.5 + 1.1 * t) * (0.7 + 0.3 * Hash01(i, seed, 8));
                const double x = c + std::sin(a) * d;
                const double y = c - std::cos(a) * d;
                if (x < 1 || y < 1 || x > size - 2 || y > size - 2) continue;
                Circle(cr, x, y, 1.3 - t);
                SetColour(cr, i % 3 == 0 ? 0x302820 : 0xFFD040);
                cairo_fill(cr);
            }
        }
        patterns.push_back(canvas.ToPicture(true));
    }
    return patterns;
}

// A flame pointing down with its hot end at the top: an outer tongue, a brighter middle and a
// white core, each one shorter than the last.
void raceart::FlameTongue(cairo_t* cr, double cx, double top, double halfWidth, double length,
                          double sway, uint32_t outer, uint32_t middle, uint32_t core) {
    const double layers[3][2] = {{1.0, 1.0}, {0.68, 0.7}, {0.36, 0.42}};
    const uint32_t colours[3] = {outer, middle, core};
    for (int i = 0; i < 3; ++i) {
        const double hw = halfWidth * layers[i][0];
        const double len = length * layers[i][1];
        const double y0 = top + (halfWidth - hw) * 0.5;
        cairo_move_to(cr, cx - hw, y0 + hw);
        cairo_curve_to(cr, cx - hw, y0 + hw + len * 0.35, cx + sway * 0.5 - hw * 0.3,
                       y0 + len * 0.75, cx + sway, y0 + len);
        cairo_curve_to(cr, cx + sway * 0.5 + hw * 0.3, y0 + len * 0.75, cx + hw,
                       y0 + hw + len * 0.35, cx + hw, y0 + hw);
        cairo_arc_negative(cr, cx, y0 + hw, hw, 0, M_PI);
        cairo_close_path(cr);
        FillLinear(
            cr, 0, y0, 0, y0 + len,
            {{0, Lighter(colours[i], 0.3)}, {0.5, colours[i]}, {1, Darker(colours[i], 0.2)}});
    }
}

std::vector<ImageEntry> raceart::BuildCarEffects() {
    std::vector<ImageEntry> images;

    // Nitro: a blue-white jet inside an orange envelope, four flickering lengths.
    {
        std::vector<DecodedPicture> patterns;
        const double lengths[4] = {42, 49, 45, 50};
        const double sways[4] = {-1.0, 0.8, 0.3, -0.5};
        const double widths[4] = {6.5, 7.2, 6.8, 7.4};
        for (int k = 0; k < 4; ++k) {
            Canvas canvas(16, 51);
            FlameTongue(canvas.Cr(), 8, 2, widths[k], lengths[k], sways[k], 0xF0641C, 0x58B8FF,
                        0xF4FCFF);
            patterns.push_back(canvas.ToPicture(true));
        }
        images.push_back(MakeImage(Picture::NitroAnim, patterns));
    }

    // Skid mark: a dark rubber streak with faint tread lines.
    {
        Canvas canvas(10, 14);
        cairo_t* cr = canvas.Cr();
        RoundedRect(cr, 1, 0, 8, 14, 2);
        FillLinear(cr, 1, 0, 9, 0, {{0, 0x2A2A2A}, {0.5, 0x161616}, {1, 0x222222}});
        SetColour(cr, 0x363636);
        cairo_set_line_width(cr, 1);
        for (double y = 2.5; y < 14; y += 3.5) {
            cairo_move_to(cr, 1.5, y);
            cairo_line_to(cr, 8.5, y);
        }
        cairo_stroke(cr);
        images.push_back(SingleImage(Picture::Handbrake, canvas));
    }

    // Blood smear: the same streak in dark red with wet highlights.
    {
        Canvas canvas(10, 14);
        cairo_t* cr = canvas.Cr();
        RoundedRect(cr, 1, 0, 8, 14, 3);
        FillLinear(cr, 1, 0, 9, 0, {{0, 0xA01010}, {0.5, 0x7A0606}, {1, 0x5A0404}});
        for (int i = 0; i < 3; ++i) {
            Circle(cr, 3 + 2 * i, 3 + 4 * i, 1.1);
            SetColour(cr, 0xD83030);
            cairo_fill(cr);
        }
        images.push_back(SingleImage(Picture::Blood, canvas));
    }

    images.push_back(MakeImage(Picture::ExplosionBig, FireballPatterns(64, 14, 1.0, 11)));
    return images;
}
