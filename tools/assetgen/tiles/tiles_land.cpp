// The land between the roads: lawns, trees and flowerbeds, the low L-shaped house of a corner
// group, the flat roof of a lot, the fenced garden of a yard, the walls and sheds of a walled
// block and the concrete barriers beside a road. A stamp that spans several cells is drawn as
// one picture on a canvas of its full size and then cut into its tiles, so it continues over its
// inner seams; its outer 4 px stay plain ground so that it meets any neighbour cleanly.

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "assetgen/canvas.h"
#include "assetgen/tiles/tiles_art.h"

namespace tiles {

namespace {

constexpr double kSize = kTileSize;

using PathFn = std::function<void(cairo_t*)>;

// A soft shadow to the bottom-right: the shape pushed out step by step, each step fainter.
void CastShadow(cairo_t* cr, const PathFn& path, int distance, double strength) {
    for (int k = distance; k >= 1; --k) {
        cairo_save(cr);
        cairo_translate(cr, k, k);
        path(cr);
        cairo_restore(cr);
        cairo_set_source_rgba(cr, 0, 0, 0.03, strength / distance);
        cairo_fill(cr);
    }
}

// A canvas of w x h cells covered with ground (the asphalt texture).
void PaintGround(cairo_t* cr, int w, int h, const Materials& materials) {
    cairo_rectangle(cr, 0, 0, w * kSize, h * kSize);
    FillMaterial(cr, materials.asphalt);
}

void Lawn(cairo_t* cr, const Materials& materials) {
    cairo_rectangle(cr, 0, 0, kSize, kSize);
    FillMaterial(cr, materials.grass);
}

// One small flower: petals round a bright eye.
void DrawFlower(cairo_t* cr, double x, double y, uint32_t petals, double size) {
    cairo_arc(cr, x + 0.8, y + 0.8, size * 1.6, 0, 2 * M_PI);
    cairo_set_source_rgba(cr, 0, 0.05, 0, 0.25);
    cairo_fill(cr);
    SetColour(cr, petals);
    for (int i = 0; i < 5; ++i) {
        const double a = i * 2 * M_PI / 5 + x;
        cairo_arc(cr, x + std::cos(a) * size, y + std::sin(a) * size, size * 0.75, 0, 2 * M_PI);
        cairo_fill(cr);
    }
    cairo_arc(cr, x, y, size * 0.55, 0, 2 * M_PI);
    SetColour(cr, 0xF6D23C);
    cairo_fill(cr);
}

const uint32_t kFlowerColours[] = {0xF4F1EA, 0xF4F1EA, 0xE8506A, 0xB070E0, 0xF7E04A, 0xF0903C};

void ScatterFlowers(cairo_t* cr, uint32_t seed, int count, double x0, double y0, double x1,
                    double y1) {
    for (int i = 0; i < count; ++i) {
        const double x = x0 + (x1 - x0) * Hash01(seed, i, 1);
        const double y = y0 + (y1 - y0) * Hash01(seed, i, 2);
        const uint32_t colour = kFlowerColours[static_cast<int>(Hash01(seed, i, 3) * 6) % 6];
        DrawFlower(cr, x, y, colour, 1.1 + 0.5 * Hash01(seed, i, 4));
    }
}

// Foliage colours: lit side, middle, shaded side, the crown's dark rim, and its light flecks.
struct Foliage {
    double lit[3], mid[3], shade[3];
    uint32_t rim;
    double fleck[3];
};

constexpr Foliage kTreeLeaves{
    {0.52, 0.70, 0.28}, {0.28, 0.50, 0.18}, {0.16, 0.34, 0.13}, 0x1F4A1E, {0.72, 0.85, 0.42}};
constexpr Foliage kBoxLeaves{
    {0.40, 0.58, 0.26}, {0.20, 0.40, 0.16}, {0.10, 0.25, 0.10}, 0x15341A, {0.56, 0.74, 0.36}};
constexpr Foliage kYellowLeaves{
    {0.72, 0.78, 0.34}, {0.50, 0.60, 0.20}, {0.30, 0.40, 0.12}, 0x2A4016, {0.86, 0.90, 0.52}};
constexpr Foliage kBlossomLeaves{
    {0.52, 0.64, 0.30}, {0.30, 0.46, 0.20}, {0.18, 0.30, 0.14}, 0x1E3A1C, {0.98, 0.62, 0.78}};

// A tree crown or a shrub seen from above: lumps of foliage, lit from the top-left, over the
// shadow it throws down-right.
void DrawTree(cairo_t* cr, double cx, double cy, double radius, uint32_t seed,
              const Foliage& leaves = kTreeLeaves) {
    struct Lump {
        double x, y, r;
    };
    std::vector<Lump> lumps;
    const int n = 8;
    for (int i = 0; i < n; ++i) {
        const double a = (i + 0.3 * Hash01(seed, i, 1)) * 2 * M_PI / n;
        const double d = radius * (0.48 + 0.1 * Hash01(seed, i, 2));
        lumps.push_back({cx + std::cos(a) * d, cy + std::sin(a) * d,
                         radius * (0.44 + 0.08 * Hash01(seed, i, 3))});
    }
    lumps.push_back({cx - radius * 0.1, cy - radius * 0.1, radius * 0.6});
    // Shadow on the ground.
    const double shift = radius * 0.28;
    for (int k = 3; k >= 1; --k) {
        const double s = shift * k / 3;
        for (const Lump& l : lumps) {
            cairo_new_sub_path(cr);
            cairo_arc(cr, l.x + s, l.y + s, l.r, 0, 2 * M_PI);
        }
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
        cairo_set_source_rgba(cr, 0, 0.04, 0, 0.16);
        cairo_fill(cr);
    }
    // Dark rim of the crown.
    for (const Lump& l : lumps) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, l.x, l.y, l.r, 0, 2 * M_PI);
    }
    SetColour(cr, leaves.rim);
    cairo_fill(cr);
    // Lumps from the far (bottom-right) side forward, each lit on its top-left.
    std::vector<Lump> order = lumps;
    std::sort(order.begin(), order.end(),
              [](const Lump& a, const Lump& b) { return a.x + a.y > b.x + b.y; });
    for (const Lump& l : order) {
        cairo_arc(cr, l.x, l.y, l.r - 1.2, 0, 2 * M_PI);
        cairo_pattern_t* g =
            cairo_pattern_create_radial(l.x - l.r * 0.4, l.y - l.r * 0.4, l.r * 0.1, l.x, l.y, l.r);
        cairo_pattern_add_color_stop_rgb(g, 0, leaves.lit[0], leaves.lit[1], leaves.lit[2]);
        cairo_pattern_add_color_stop_rgb(g, 0.55, leaves.mid[0], leaves.mid[1], leaves.mid[2]);
        cairo_pattern_add_color_stop_rgb(g, 1, leaves.shade[0], leaves.shade[1], leaves.shade[2]);
        cairo_set_source(cr, g);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
    }
    // Leaf texture: small light and dark flecks inside the crown.
    const int flecks = static_cast<int>(radius * radius * 0.1);
    for (int i = 0; i < flecks; ++i) {
        const double a = Hash01(seed, i, 11) * 2 * M_PI;
        const double d = std::sqrt(Hash01(seed, i, 12)) * radius * 0.85;
        const double x = cx + std::cos(a) * d;
        const double y = cy + std::sin(a) * d;
        const bool light = (x - cx) + (y - cy) < radius * 0.3 * (Hash01(seed, i, 13) - 0.2);
        cairo_arc(cr, x, y, 0.9 + Hash01(seed, i, 14), 0, 2 * M_PI);
        if (light) {
            cairo_set_source_rgba(cr, leaves.fleck[0], leaves.fleck[1], leaves.fleck[2], 0.5);
        } else {
            cairo_set_source_rgba(cr, 0.05, 0.18, 0.05, 0.35);
        }
        cairo_fill(cr);
    }
}

// A bed of shrubs in dark mulch: a box shrub, a flowering one and a golden one.
void DrawShrubBed(cairo_t* cr, double cx, double cy, uint32_t seed) {
    auto bed = [&](cairo_t* c) {
        cairo_save(c);
        cairo_translate(c, cx, cy);
        cairo_scale(c, 1.0, 0.86);
        cairo_arc(c, 0, 0, 27, 0, 2 * M_PI);
        cairo_restore(c);
    };
    bed(cr);
    SetColour(cr, 0x3E2C1E);
    cairo_fill(cr);
    bed(cr);
    cairo_save(cr);
    cairo_clip(cr);
    for (int i = 0; i < 160; ++i) {
        cairo_rectangle(cr, cx - 28 + 56 * Hash01(seed, i, 21), cy - 26 + 52 * Hash01(seed, i, 22),
                        1.5, 1);
        cairo_set_source_rgba(cr, 0.55, 0.4, 0.26, 0.35);
        cairo_fill(cr);
    }
    cairo_restore(cr);
    // The lawn's edge is cut a little higher than the mulch: a thin shadow inside the bed.
    bed(cr);
    cairo_set_line_width(cr, 1.5);
    cairo_set_source_rgba(cr, 0.1, 0.2, 0.05, 0.5);
    cairo_stroke(cr);
    DrawTree(cr, cx + 9, cy + 8, 11, seed + 3, kYellowLeaves);
    DrawTree(cr, cx + 10, cy - 9, 10.5, seed + 2, kBlossomLeaves);
    for (int i = 0; i < 12; ++i) {
        const double a = Hash01(seed, i, 31) * 2 * M_PI;
        const double d = std::sqrt(Hash01(seed, i, 32)) * 7.5;
        DrawFlower(cr, cx + 10 + std::cos(a) * d, cy - 9 + std::sin(a) * d, 0xF08CB4, 0.9);
    }
    DrawTree(cr, cx - 9, cy - 1, 14, seed + 1, kBoxLeaves);
}

// ---------------------------------------------------------------------------------------------
// The corner group's L-shaped house (36 above 37, 38 right of 37): a hipped tile roof.

struct Point {
    double x, y;
};

void Polygon(cairo_t* cr, std::initializer_list<Point> points) {
    bool first = true;
    for (const Point& p : points) {
        if (first) {
            cairo_move_to(cr, p.x, p.y);
        } else {
            cairo_line_to(cr, p.x, p.y);
        }
        first = false;
    }
    cairo_close_path(cr);
}

// Fills a roof face with tiles: base colour shaded for the way it faces, courses parallel to
// its eave (vertical courses on faces that slope east or west).
void RoofFace(cairo_t* cr, std::initializer_list<Point> outline, double light, bool verticalCourses,
              double courseOrigin) {
    Polygon(cr, outline);
    cairo_save(cr);
    cairo_clip_preserve(cr);
    cairo_set_source_rgb(cr, 0.70 * light, 0.33 * light, 0.22 * light);
    cairo_fill(cr);
    cairo_set_line_width(cr, 1.0);
    for (double d = 2; d < 160; d += 4.5) {
        const double p = std::floor(courseOrigin + d) + 0.5;
        if (verticalCourses) {
            cairo_move_to(cr, p, -10);
            cairo_line_to(cr, p, 300);
            cairo_move_to(cr, 2 * courseOrigin - p, -10);
            cairo_line_to(cr, 2 * courseOrigin - p, 300);
        } else {
            cairo_move_to(cr, -10, p);
            cairo_line_to(cr, 300, p);
            cairo_move_to(cr, -10, 2 * courseOrigin - p);
            cairo_line_to(cr, 300, 2 * courseOrigin - p);
        }
    }
    cairo_set_source_rgba(cr, 0.15, 0.04, 0.02, 0.35);
    cairo_stroke(cr);
    // Staggered joints between the tiles of each course.
    cairo_set_line_width(cr, 0.8);
    for (int course = -40; course < 40; ++course) {
        const double a = courseOrigin + course * 4.5;
        const double b = a + 4.5;
        for (int t = 0; t < 40; ++t) {
            const double s = t * 6.0 + (course % 2 ? 3.0 : 0.0);
            if (verticalCourses) {
                cairo_move_to(cr, a, s);
                cairo_line_to(cr, b, s);
            } else {
                cairo_move_to(cr, s, a);
                cairo_line_to(cr, s, b);
            }
        }
    }
    cairo_set_source_rgba(cr, 0.15, 0.04, 0.02, 0.18);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void RoofLine(cairo_t* cr, Point a, Point b, double width, double r, double g, double bl,
              double alpha) {
    cairo_move_to(cr, a.x, a.y);
    cairo_line_to(cr, b.x, b.y);
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_source_rgba(cr, r, g, bl, alpha);
    cairo_stroke(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
}

void DrawChimney(cairo_t* cr, double x, double y) {
    CastShadow(
        cr, [&](cairo_t* c) { cairo_rectangle(c, x, y, 9, 9); }, 5, 0.5);
    cairo_rectangle(cr, x, y, 9, 9);
    SetColour(cr, 0x8A4A3A);
    cairo_fill(cr);
    cairo_rectangle(cr, x, y, 9, 2);
    SetColour(cr, 0xB06A56);
    cairo_fill(cr);
    cairo_rectangle(cr, x, y, 2, 9);
    cairo_fill(cr);
    cairo_rectangle(cr, x + 2.5, y + 2.5, 4, 4);
    SetColour(cr, 0x2A1C18);
    cairo_fill(cr);
}

void DrawCornerHouse(const Materials& materials, std::vector<DecodedPicture>& patterns) {
    Canvas canvas(2 * kTileSize, 2 * kTileSize);
    cairo_t* cr = canvas.Cr();
    PaintGround(cr, 2, 2, materials);
    // Outline: the vertical arm in 36 and 37, the horizontal arm in 37 and 38.
    const double l = 4, t = 4, r = 140, b = 140, innerX = 68, innerY = 76;
    auto outline = [&](cairo_t* c) {
        Polygon(c, {{l, t}, {innerX, t}, {innerX, innerY}, {r, innerY}, {r, b}, {l, b}});
    };
    CastShadow(cr, outline, 3, 0.55);
    const Point ridgeTop{36, 36}, junction{36, 108}, ridgeEnd{108, 108};
    RoofFace(cr, {{l, t}, {innerX, t}, ridgeTop}, 1.0, false, t);
    RoofFace(cr, {{l, t}, ridgeTop, junction, {l, b}}, 1.15, true, l);
    RoofFace(cr, {{innerX, t}, {innerX, innerY}, junction, ridgeTop}, 0.74, true, innerX);
    RoofFace(cr, {{innerX, innerY}, {r, innerY}, ridgeEnd, junction}, 0.98, false, innerY);
    RoofFace(cr, {{r, innerY}, {r, b}, ridgeEnd}, 0.72, true, r);
    RoofFace(cr, {{l, b}, {r, b}, ridgeEnd, junction}, 0.62, false, b);
    // Ridge and hip caps, lighter; the valley, darker.
    RoofLine(cr, {innerX, innerY}, junction, 2.0, 0.2, 0.06, 0.03, 0.6);
    for (auto [a, c] : {std::pair<Point, Point>{ridgeTop, junction},
                        {junction, ridgeEnd},
                        {{l, t}, ridgeTop},
                        {{innerX, t}, ridgeTop},
                        {{l, b}, junction},
                        {{r, innerY}, ridgeEnd},
                        {{r, b}, ridgeEnd}}) {
        RoofLine(cr, a, c, 3.0, 0.35, 0.12, 0.07, 0.55);
        RoofLine(cr, {a.x - 0.6, a.y - 0.6}, {c.x - 0.6, c.y - 0.6}, 1.4, 0.92, 0.58, 0.44, 0.8);
    }
    // Gutters along the eaves.
    outline(cr);
    cairo_set_line_width(cr, 1.0);
    cairo_set_source_rgba(cr, 0.2, 0.07, 0.04, 0.8);
    cairo_stroke(cr);
    DrawChimney(cr, 44, 46);
    // A roof window on the long south face.
    CastShadow(
        cr, [](cairo_t* c) { cairo_rectangle(c, 92, 118, 14, 10); }, 2, 0.5);
    cairo_rectangle(cr, 92, 118, 14, 10);
    SetColour(cr, 0x5A4038);
    cairo_fill(cr);
    cairo_rectangle(cr, 93.5, 119.5, 11, 7);
    cairo_pattern_t* glass = cairo_pattern_create_linear(93, 119, 104, 127);
    cairo_pattern_add_color_stop_rgb(glass, 0, 0.62, 0.78, 0.9);
    cairo_pattern_add_color_stop_rgb(glass, 1, 0.22, 0.34, 0.48);
    cairo_set_source(cr, glass);
    cairo_fill(cr);
    cairo_pattern_destroy(glass);

    const DecodedPicture picture = canvas.ToPicture(false);
    patterns[36] = CropTile(picture, 0, 0);
    patterns[37] = CropTile(picture, 0, kTileSize);
    patterns[38] = CropTile(picture, kTileSize, kTileSize);
}

// ---------------------------------------------------------------------------------------------
// The 2 x 2 lot (45 46 / 47 48): a flat-roofed building with a parapet, vents and air units.

void DrawAirUnit(cairo_t* cr, double x, double y, double w, double h) {
    CastShadow(
        cr, [&](cairo_t* c) { cairo_rectangle(c, x, y, w, h); }, 4, 0.55);
    cairo_rectangle(cr, x, y, w, h);
    SetColour(cr, 0xB8BCBE);
    cairo_fill(cr);
    cairo_rectangle(cr, x, y, w, 1.5);
    SetColour(cr, 0xE2E6E8);
    cairo_fill(cr);
    cairo_rectangle(cr, x, y + h - 1.5, w, 1.5);
    SetColour(cr, 0x80868A);
    cairo_fill(cr);
    const double r = std::min(w, h) * 0.34;
    for (int i = 0; i < 2; ++i) {
        const double fx = x + w * (0.28 + 0.44 * i), fy = y + h / 2;
        cairo_arc(cr, fx, fy, r, 0, 2 * M_PI);
        SetColour(cr, 0x3C4044);
        cairo_fill(cr);
        cairo_set_line_width(cr, 1.0);
        for (int k = 0; k < 4; ++k) {
            const double a = k * M_PI / 4;
            cairo_move_to(cr, fx - std::cos(a) * r, fy - std::sin(a) * r);
            cairo_line_to(cr, fx + std::cos(a) * r, fy + std::sin(a) * r);
        }
        SetColour(cr, 0x767C80);
        cairo_stroke(cr);
        cairo_arc(cr, fx, fy, 1.2, 0, 2 * M_PI);
        SetColour(cr, 0x9AA0A4);
        cairo_fill(cr);
    }
}

void DrawVent(cairo_t* cr, double x, double y, double r) {
    CastShadow(
        cr, [&](cairo_t* c) { cairo_arc(c, x, y, r, 0, 2 * M_PI); }, 3, 0.5);
    cairo_arc(cr, x, y, r, 0, 2 * M_PI);
    cairo_pattern_t* g = cairo_pattern_create_radial(x - r * 0.4, y - r * 0.4, 0, x, y, r);
    cairo_pattern_add_color_stop_rgb(g, 0, 0.9, 0.9, 0.88);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.45, 0.46, 0.46);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

void DrawSkylight(cairo_t* cr, double x, double y, double w, double h) {
    CastShadow(
        cr, [&](cairo_t* c) { cairo_rectangle(c, x, y, w, h); }, 2, 0.5);
    cairo_rectangle(cr, x, y, w, h);
    SetColour(cr, 0xA8ACAA);
    cairo_fill(cr);
    cairo_rectangle(cr, x + 1.5, y + 1.5, w - 3, h - 3);
    cairo_pattern_t* g = cairo_pattern_create_linear(x, y, x + w, y + h);
    cairo_pattern_add_color_stop_rgb(g, 0, 0.66, 0.82, 0.92);
    cairo_pattern_add_color_stop_rgb(g, 0.5, 0.36, 0.52, 0.66);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.24, 0.34, 0.46);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_set_line_width(cr, 1.0);
    for (double xx = x + 6; xx < x + w - 2; xx += 6) {
        cairo_move_to(cr, std::floor(xx) + 0.5, y + 1.5);
        cairo_line_to(cr, std::floor(xx) + 0.5, y + h - 1.5);
    }
    SetColour(cr, 0xA8ACAA);
    cairo_stroke(cr);
}

void DrawFlatRoofLot(const Materials& materials, std::vector<DecodedPicture>& patterns) {
    Canvas canvas(2 * kTileSize, 2 * kTileSize);
    cairo_t* cr = canvas.Cr();
    PaintGround(cr, 2, 2, materials);
    const double x0 = 4, y0 = 4, x1 = 140, y1 = 140, parapet = 4;
    CastShadow(
        cr, [&](cairo_t* c) { cairo_rectangle(c, x0, y0, x1 - x0, y1 - y0); }, 3, 0.55);
    // Parapet: lit on its top and left faces.
    cairo_rectangle(cr, x0, y0, x1 - x0, y1 - y0);
    SetColour(cr, 0xA29E96);
    cairo_fill(cr);
    Polygon(cr, {{x0, y0},
                 {x1, y0},
                 {x1 - parapet, y0 + parapet},
                 {x0 + parapet, y0 + parapet},
                 {x0 + parapet, y1 - parapet},
                 {x0, y1}});
    SetColour(cr, 0xC8C4BA);
    cairo_fill(cr);
    // Gravel roof inside, shaded below the parapet's top and left walls.
    cairo_rectangle(cr, x0 + parapet, y0 + parapet, x1 - x0 - 2 * parapet, y1 - y0 - 2 * parapet);
    FillMaterial(cr, materials.gravel);
    for (int k = 1; k <= 4; ++k) {
        Polygon(cr, {{x0 + parapet, y0 + parapet},
                     {x1 - parapet, y0 + parapet},
                     {x1 - parapet, y0 + parapet + k},
                     {x0 + parapet + k, y0 + parapet + k},
                     {x0 + parapet + k, y1 - parapet},
                     {x0 + parapet, y1 - parapet}});
        cairo_set_source_rgba(cr, 0, 0, 0, 0.09);
        cairo_fill(cr);
    }
    // Roof seams of the membrane.
    cairo_set_line_width(cr, 1.0);
    for (double y = 28.5; y < 130; y += 24) {
        cairo_move_to(cr, x0 + parapet, y);
        cairo_line_to(cr, x1 - parapet, y);
    }
    cairo_set_source_rgba(cr, 0.3, 0.3, 0.28, 0.25);
    cairo_stroke(cr);
    // A stair housing with its door, air units, vents and a skylight row.
    CastShadow(
        cr, [](cairo_t* c) { cairo_rectangle(c, 16, 16, 26, 22); }, 6, 0.55);
    cairo_rectangle(cr, 16, 16, 26, 22);
    SetColour(cr, 0x9C978E);
    cairo_fill(cr);
    Polygon(cr, {{16, 16}, {42, 16}, {29, 27}});
    SetColour(cr, 0xBDB8AE);
    cairo_fill(cr);
    Polygon(cr, {{16, 38}, {42, 38}, {29, 27}});
    SetColour(cr, 0x7E7A72);
    cairo_fill(cr);
    RoofLine(cr, {16, 16}, {29, 27}, 1.0, 0.3, 0.3, 0.28, 0.5);
    RoofLine(cr, {42, 16}, {29, 27}, 1.0, 0.3, 0.3, 0.28, 0.5);
    RoofLine(cr, {16, 38}, {29, 27}, 1.0, 0.3, 0.3, 0.28, 0.5);
    RoofLine(cr, {42, 38}, {29, 27}, 1.0, 0.3, 0.3, 0.28, 0.5);
    DrawAirUnit(cr, 84, 20, 30, 16);
    DrawAirUnit(cr, 96, 94, 26, 14);
    DrawVent(cr, 60, 22, 3.5);
    DrawVent(cr, 70, 22, 3.5);
    DrawVent(cr, 24, 112, 4.0);
    DrawVent(cr, 62, 120, 3.0);
    for (int i = 0; i < 3; ++i) DrawSkylight(cr, 20 + i * 24, 58, 18, 26);

    const DecodedPicture picture = canvas.ToPicture(false);
    patterns[45] = CropTile(picture, 0, 0);
    patterns[46] = CropTile(picture, kTileSize, 0);
    patterns[47] = CropTile(picture, 0, kTileSize);
    patterns[48] = CropTile(picture, kTileSize, kTileSize);
}

// ---------------------------------------------------------------------------------------------
// The 3 x 3 yard (49 50 51 / 52 53 54 / 55 56 57): a fenced garden with a fountain.

void DrawFence(cairo_t* cr, double x0, double y0, double x1, double y1, double gateFrom,
               double gateTo) {
    auto rails = [&](cairo_t* c) {
        cairo_rectangle(c, x0, y0, gateFrom - x0, 3);
        cairo_rectangle(c, gateTo, y0, x1 - gateTo, 3);
        cairo_rectangle(c, x0, y1 - 3, x1 - x0, 3);
        cairo_rectangle(c, x0, y0, 3, y1 - y0);
        cairo_rectangle(c, x1 - 3, y0, 3, y1 - y0);
    };
    CastShadow(cr, rails, 3, 0.45);
    rails(cr);
    SetColour(cr, 0x8A6440);
    cairo_fill(cr);
    // Lit top edge of the rails.
    cairo_rectangle(cr, x0, y0, gateFrom - x0, 1);
    cairo_rectangle(cr, gateTo, y0, x1 - gateTo, 1);
    cairo_rectangle(cr, x0, y1 - 3, x1 - x0, 1);
    cairo_rectangle(cr, x0, y0, 1, y1 - y0);
    cairo_rectangle(cr, x1 - 3, y0, 1, y1 - y0);
    SetColour(cr, 0xB8946A);
    cairo_fill(cr);
    // Posts every 12 px.
    auto post = [&](double x, double y) {
        if (y < y0 + 2 && x + 4 > gateFrom && x < gateTo) return;
        cairo_rectangle(cr, x, y, 4, 4);
        SetColour(cr, 0x5E4028);
        cairo_fill(cr);
        cairo_rectangle(cr, x, y, 4, 1.2);
        cairo_rectangle(cr, x, y, 1.2, 4);
        SetColour(cr, 0xA07C54);
        cairo_fill(cr);
    };
    for (double x = x0; x <= x1 - 4; x += 12) {
        post(x - 0.5 < x0 ? x0 : x - 0.5, y0 - 0.5 < y0 ? y0 : y0 - 0.5);
        post(x - 0.5 < x0 ? x0 : x - 0.5, y1 - 4);
    }
    for (double y = y0 + 12; y <= y1 - 16; y += 12) {
        post(x0, y);
        post(x1 - 4, y);
    }
    post(x1 - 4, y0);
    post(x1 - 4, y1 - 4);
    post(gateFrom - 4, y0);
    post(gateTo, y0);
}

// A wooden bench on the plaza round (cx, cy), at distance d and angle a, facing the middle.
void DrawBench(cairo_t* cr, double cx, double cy, double d, double a) {
    const double bx = cx + std::cos(a) * d, by = cy + std::sin(a) * d;
    auto seat = [&](cairo_t* c) {
        cairo_save(c);
        cairo_translate(c, bx, by);
        cairo_rotate(c, a + M_PI / 2);
        cairo_rectangle(c, -8, -3, 16, 6);
        cairo_restore(c);
    };
    CastShadow(cr, seat, 2, 0.45);
    seat(cr);
    SetColour(cr, 0x6E4C30);
    cairo_fill(cr);
    cairo_save(cr);
    cairo_translate(cr, bx, by);
    cairo_rotate(cr, a + M_PI / 2);
    cairo_set_line_width(cr, 1.0);
    for (int i = 0; i < 3; ++i) {
        cairo_move_to(cr, -7.5, -2 + i * 2);
        cairo_line_to(cr, 7.5, -2 + i * 2);
    }
    SetColour(cr, 0xA57E56);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void DrawFountain(cairo_t* cr, double cx, double cy, double r) {
    CastShadow(
        cr, [&](cairo_t* c) { cairo_arc(c, cx, cy, r, 0, 2 * M_PI); }, 3, 0.45);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_pattern_t* rim = cairo_pattern_create_linear(cx - r, cy - r, cx + r, cy + r);
    cairo_pattern_add_color_stop_rgb(rim, 0, 0.9, 0.88, 0.84);
    cairo_pattern_add_color_stop_rgb(rim, 1, 0.58, 0.56, 0.52);
    cairo_set_source(cr, rim);
    cairo_fill(cr);
    cairo_arc(cr, cx, cy, r - 4, 0, 2 * M_PI);
    cairo_pattern_t* water = cairo_pattern_create_radial(cx - r * 0.3, cy - r * 0.3, 1, cx, cy, r);
    cairo_pattern_add_color_stop_rgb(water, 0, 0.52, 0.78, 0.9);
    cairo_pattern_add_color_stop_rgb(water, 1, 0.14, 0.38, 0.56);
    cairo_set_source(cr, water);
    cairo_fill(cr);
    cairo_pattern_destroy(water);
    // Ripples, lit on the far side of each ring and shaded on the near side.
    cairo_set_line_width(cr, 1.0);
    for (double rr = 6; rr < r - 5; rr += 4.5) {
        cairo_arc(cr, cx, cy, rr, M_PI * 1.05, M_PI * 1.6);
        cairo_set_source_rgba(cr, 1, 1, 1, 0.35);
        cairo_stroke(cr);
        cairo_arc(cr, cx, cy, rr, M_PI * 0.05, M_PI * 0.6);
        cairo_set_source_rgba(cr, 0, 0.1, 0.2, 0.25);
        cairo_stroke(cr);
    }
    // The stone basin in the middle with its spout.
    cairo_arc(cr, cx, cy, 5, 0, 2 * M_PI);
    cairo_set_source(cr, rim);
    cairo_fill(cr);
    cairo_pattern_destroy(rim);
    cairo_arc(cr, cx, cy, 2.2, 0, 2 * M_PI);
    cairo_set_source_rgb(cr, 0.7, 0.9, 1.0);
    cairo_fill(cr);
}

void DrawYard(const Materials& materials, std::vector<DecodedPicture>& patterns) {
    const int cells = 3;
    const double size = cells * kSize;
    Canvas canvas(cells * kTileSize, cells * kTileSize);
    cairo_t* cr = canvas.Cr();
    PaintGround(cr, cells, cells, materials);
    const double in0 = 4, in1 = size - 4;
    const double mid = size / 2;
    // Lawn inside the fence.
    cairo_rectangle(cr, in0, in0, in1 - in0, in1 - in0);
    FillMaterial(cr, materials.grass);
    // Sand paths: from the gate in the top fence to the fountain, and across the garden.
    const double pw = 14;
    auto paths = [&](cairo_t* c) {
        cairo_rectangle(c, mid - pw / 2, in0, pw, in1 - in0 - 3);
        cairo_rectangle(c, in0 + 3, mid - pw / 2, in1 - in0 - 6, pw);
        cairo_new_sub_path(c);
        cairo_arc(c, mid, mid, 34, 0, 2 * M_PI);
    };
    // Edging along the outline of the paths: stroked first, then the sand covers its inner half.
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    paths(cr);
    cairo_set_line_width(cr, 2.0);
    cairo_set_source_rgba(cr, 0.35, 0.28, 0.18, 0.55);
    cairo_stroke(cr);
    paths(cr);
    FillMaterial(cr, materials.sand);
    // Flowerbeds along the inside of the fence, trees in the four quarters.
    const double q0 = in0 + 30, q1 = in1 - 30;
    for (auto [x, y] :
         {std::pair{q0, q0}, std::pair{q1, q0}, std::pair{q0, q1}, std::pair{q1, q1}}) {
        const double bx = x < mid ? in0 + 7 : in1 - 7 - 10;
        cairo_rectangle(cr, bx, (y < mid ? in0 + 7 : mid + pw / 2 + 8), 10, 58);
        SetColour(cr, 0x4A3424);
        cairo_fill(cr);
        ScatterFlowers(cr, static_cast<uint32_t>(x * 7 + y), 18, bx + 2,
                       (y < mid ? in0 + 9 : mid + pw / 2 + 10), bx + 8,
                       (y < mid ? in0 + 63 : mid + pw / 2 + 64));
    }
    DrawTree(cr, q0 + 8, q0 + 4, 22, 101);
    DrawTree(cr, q1 - 4, q0 + 10, 19, 102);
    DrawTree(cr, q0 + 10, q1 - 2, 18, 103);
    DrawTree(cr, q1 - 8, q1 - 8, 23, 104);
    ScatterFlowers(cr, 77, 10, 60, 40, 90, 80);
    ScatterFlowers(cr, 78, 10, 130, 130, 170, 170);
    DrawFountain(cr, mid, mid, 24);
    for (int i = 0; i < 4; ++i) DrawBench(cr, mid, mid, 29, M_PI / 4 + i * M_PI / 2);
    DrawFence(cr, in0, in0, in1, in1, mid - pw / 2 - 2, mid + pw / 2 + 2);

    const DecodedPicture picture = canvas.ToPicture(false);
    for (int row = 0; row < cells; ++row)
        for (int col = 0; col < cells; ++col)
            patterns[49 + row * cells + col] = CropTile(picture, col * kTileSize, row * kTileSize);
}

// ---------------------------------------------------------------------------------------------
// Walls, sheds and barriers. Their bodies are brick-red or light concrete throughout, so that a
// test can tell the solid part of the tile from the ground around it.

// Brick coping of a wall, `horizontal` along x. Bricks 24 px long in stretcher bond.
void DrawBrickWall(cairo_t* cr, double x, double y, double w, double h, bool horizontal) {
    cairo_rectangle(cr, x, y, w, h);
    SetColour(cr, 0xA85A44);
    cairo_fill(cr);
    const double thickness = horizontal ? h : w;
    const int rows = thickness >= 10 ? 2 : 1;
    const double rowSize = thickness / rows;
    cairo_set_line_width(cr, 1.0);
    for (int row = 0; row < rows; ++row) {
        const double offset = row % 2 ? 12.0 : 0.0;
        for (double s = offset; s < (horizontal ? x + w : y + h) + 24; s += 24) {
            // Brick faces: a little light and colour variation per brick.
            const double v = Hash01(static_cast<uint32_t>(s), row, horizontal ? 5 : 6);
            if (horizontal) {
                cairo_rectangle(cr, s, y + row * rowSize, 24, rowSize);
            } else {
                cairo_rectangle(cr, x + row * rowSize, s, rowSize, 24);
            }
            cairo_set_source_rgba(cr, v > 0.5 ? 1 : 0.2, v > 0.5 ? 0.8 : 0.05, 0.6,
                                  0.05 + 0.07 * std::fabs(v - 0.5));
            cairo_fill(cr);
            if (horizontal) {
                cairo_move_to(cr, s + 0.5, y + row * rowSize);
                cairo_line_to(cr, s + 0.5, y + (row + 1) * rowSize);
            } else {
                cairo_move_to(cr, x + row * rowSize, s + 0.5);
                cairo_line_to(cr, x + (row + 1) * rowSize, s + 0.5);
            }
            SetColour(cr, 0xA68A7A);
            cairo_stroke(cr);
        }
        if (row > 0) {
            if (horizontal) {
                cairo_rectangle(cr, x, y + row * rowSize - 0.5, w, 1);
            } else {
                cairo_rectangle(cr, x + row * rowSize - 0.5, y, 1, h);
            }
            SetColour(cr, 0xA68A7A);
            cairo_fill(cr);
        }
    }
    // Lit top/left rim, shaded bottom/right rim.
    if (horizontal) {
        cairo_rectangle(cr, x, y, w, 2);
        SetColour(cr, 0xD08A70);
        cairo_fill(cr);
        cairo_rectangle(cr, x, y + h - 2, w, 2);
        SetColour(cr, 0x7E3C2E);
        cairo_fill(cr);
    } else {
        cairo_rectangle(cr, x, y, 2, h);
        SetColour(cr, 0xD08A70);
        cairo_fill(cr);
        cairo_rectangle(cr, x + w - 2, y, 2, h);
        SetColour(cr, 0x7E3C2E);
        cairo_fill(cr);
    }
}

// A garage or shed: a corrugated metal roof in oxide red, its ribs running along `ribsVertical`.
void DrawShed(cairo_t* cr, double x, double y, double w, double h, bool ribsVertical) {
    CastShadow(
        cr, [&](cairo_t* c) { cairo_rectangle(c, x, y, w, h); }, 4, 0.6);
    cairo_rectangle(cr, x, y, w, h);
    SetColour(cr, 0x9C4E3A);
    cairo_fill(cr);
    for (double s = 0; s < (ribsVertical ? w : h); s += 4) {
        const double p = (ribsVertical ? x : y) + s;
        auto strip = [&](double from, double size) {
            if (ribsVertical) {
                cairo_rectangle(cr, p + from, y, size, h);
            } else {
                cairo_rectangle(cr, x, p + from, w, size);
            }
        };
        strip(0, 1);
        SetColour(cr, 0xC06A52);
        cairo_fill(cr);
        strip(2, 1);
        SetColour(cr, 0x84402F);
        cairo_fill(cr);
    }
    // Weathering streaks and a rim: lit on top and left, dark at bottom and right.
    for (int i = 0; i < 6; ++i) {
        const double a = Hash01(i, 3, 77);
        if (ribsVertical) {
            cairo_rectangle(cr, x + 6 + a * (w - 14), y + 4, 3, h * (0.3 + 0.4 * Hash01(i, 4, 77)));
        } else {
            cairo_rectangle(cr, x + 4, y + 6 + a * (h - 14), w * (0.3 + 0.4 * Hash01(i, 4, 77)), 3);
        }
        cairo_set_source_rgba(cr, 0.45, 0.2, 0.1, 0.18);
        cairo_fill(cr);
    }
    cairo_rectangle(cr, x, y, w, 2);
    cairo_rectangle(cr, x, y, 2, h);
    SetColour(cr, 0xCC7A60);
    cairo_fill(cr);
    cairo_rectangle(cr, x, y + h - 2, w, 2);
    cairo_rectangle(cr, x + w - 2, y, 2, h);
    SetColour(cr, 0x74362A);
    cairo_fill(cr);
}

// A run of precast concrete barrier, full cell height, its sloped sides seen from above: the
// left slopes catch the light, the right ones are in shade. Red reflectors sit on the crown.
void DrawBarrier(cairo_t* cr, double x) {
    const double w = 35;
    struct Band {
        double from, to;
        uint32_t colour;
    };
    const Band bands[] = {{0, 5, 0xC4C4BE},
                          {5, 11, 0xD6D6D0},
                          {11, 24, 0xE2E2DC},
                          {24, 29, 0xAEAEA8},
                          {29, 35, 0x9A9A94}};
    for (const Band& b : bands) {
        cairo_rectangle(cr, x + b.from * w / 35, 0, (b.to - b.from) * w / 35, kSize);
        SetColour(cr, b.colour);
        cairo_fill(cr);
    }
    // Concrete grain.
    for (int i = 0; i < 160; ++i) {
        cairo_rectangle(cr, x + std::floor(Hash01(i, 1, 91) * w),
                        std::floor(Hash01(i, 2, 91) * kSize), 1, 1);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.08);
        cairo_fill(cr);
    }
    // Joints between the 24-px precast units, and the reflectors.
    for (double y = 0; y < kSize; y += 24) {
        cairo_rectangle(cr, x, y, w, 1);
        SetColour(cr, 0x929290);
        cairo_fill(cr);
        cairo_rectangle(cr, x, y + 1, w, 1);
        SetColour(cr, 0xE8E8E2);
        cairo_fill(cr);
        cairo_rectangle(cr, x + 15, y + 9, 5, 6);
        SetColour(cr, 0xC8322C);
        cairo_fill(cr);
        cairo_rectangle(cr, x + 15, y + 9, 5, 2);
        SetColour(cr, 0xF07060);
        cairo_fill(cr);
    }
}

}  // namespace

void DrawLandTiles(const Materials& materials, std::vector<DecodedPicture>& patterns) {
    auto single = [&](int code, const std::function<void(cairo_t*)>& draw) {
        Canvas canvas(kTileSize, kTileSize);
        cairo_t* cr = canvas.Cr();
        PaintGround(cr, 1, 1, materials);
        draw(cr);
        patterns[code] = canvas.ToPicture(false);
    };
    single(30, [&](cairo_t* cr) {
        Lawn(cr, materials);
        ScatterFlowers(cr, 30, 13, 6, 6, 66, 66);
    });
    single(31, [&](cairo_t* cr) {
        Lawn(cr, materials);
        ScatterFlowers(cr, 31, 4, 6, 6, 66, 66);
        DrawTree(cr, 34, 34, 26, 31);
    });
    single(32, [&](cairo_t* cr) {
        Lawn(cr, materials);
        ScatterFlowers(cr, 32, 4, 6, 6, 66, 66);
        DrawShrubBed(cr, 35, 35, 32);
    });
    single(39, [](cairo_t* cr) { DrawBarrier(cr, 37); });
    single(59, [](cairo_t* cr) {
        CastShadow(
            cr, [](cairo_t* c) { cairo_rectangle(c, 0, -10, 35, kSize + 20); }, 4, 0.6);
        DrawBarrier(cr, 0);
    });
    single(40, [](cairo_t* cr) { DrawBrickWall(cr, 0, 58, kSize, 14, true); });
    single(41, [](cairo_t* cr) {
        DrawBrickWall(cr, 65, 0, 7, 68, false);
        // The joint to the next wall below: a dark gap, not part of the wall.
        cairo_rectangle(cr, 65, 68, 7, 4);
        SetColour(cr, 0x2C2422);
        cairo_fill(cr);
    });
    single(42, [](cairo_t* cr) { DrawShed(cr, 0, 0, 64, 64, true); });
    single(43, [](cairo_t* cr) { DrawShed(cr, 0, 0, 64, 64, true); });
    single(44, [](cairo_t* cr) { DrawShed(cr, 0, 0, 64, 64, false); });
    DrawCornerHouse(materials, patterns);
    DrawFlatRoofLot(materials, patterns);
    DrawYard(materials, patterns);
}

}  // namespace tiles
