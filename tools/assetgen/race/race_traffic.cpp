// The five traffic models in their six directions. Every body is drawn in its own frame, nose up,
// and then placed so that it fills the outline the traffic uses for collisions and gun hits: the
// four corners give the body's centre, length and width in each direction. The light stays at
// the picture's top-left whichever way the car points.

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "assetgen/canvas.h"
#include "assetgen/race/race_art.h"
#include "assetgen/race/race_parts.h"
#include "catalogue/traffic_cars.h"

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

// The outlines and the pictures are the catalogue's (catalogue/traffic_cars.h), which the game's
// collisions read too.

// Nose angle of each pattern (Dir - 1), clockwise from up: 19/256 of a turn for the diagonals.
constexpr double kDiagonal = 19.0 / 256.0 * 2 * M_PI;
constexpr std::array<double, 6> kNoseAngle = {-kDiagonal, kDiagonal,        0,
                                              M_PI,       M_PI + kDiagonal, M_PI - kDiagonal};

// The body's frame in one pattern: centre, length along the nose, width across it.
struct Frame {
    double cx, cy, length, width, angle;
};

Frame FrameOf(const TrafficOutline& q, double angle) {
    Frame f{};
    f.angle = angle;
    for (const TPointD& p : q) {
        f.cx += p.x / 4;
        f.cy += p.y / 4;
    }
    // Project the corners onto the nose axis and the cross axis.
    const double ax = std::sin(angle);
    const double ay = -std::cos(angle);
    double minA = 1e9, maxA = -1e9, minB = 1e9, maxB = -1e9;
    for (const TPointD& p : q) {
        const double dx = p.x - f.cx;
        const double dy = p.y - f.cy;
        const double a = dx * ax + dy * ay;
        const double b = dx * -ay + dy * ax;
        minA = std::min(minA, a);
        maxA = std::max(maxA, a);
        minB = std::min(minB, b);
        maxB = std::max(maxB, b);
    }
    f.length = maxA - minA + 1;
    f.width = maxB - minB + 1;
    f.cx += 0.5 + (maxB + minB) / 2 * -ay + (maxA + minA) / 2 * ax;
    f.cy += 0.5 + (maxB + minB) / 2 * ax + (maxA + minA) / 2 * ay;
    return f;
}

void Light(cairo_t* cr, double x, double y, double rx, double ry, bool head) {
    Ellipse(cr, x, y, rx, ry);
    if (head) {
        FillRadial(cr, x, y, 0, std::max(rx, ry), {{0, 0xFFFFFF}, {0.6, 0xFFF2C0}, {1, 0xB8A868}},
                   true);
    } else {
        FillRadial(cr, x, y, 0, std::max(rx, ry), {{0, 0xFF8070}, {0.6, 0xD01818}, {1, 0x6A0808}},
                   true);
    }
    Stroke(cr, 0x202020, 0.6);
}

void Panel(cairo_t* cr, const std::vector<Pt>& pts, double r, uint32_t colour, double light,
           uint32_t edge, double edgeWidth = 0.9) {
    RoundedPolygon(cr, pts, r);
    FillLit(cr, colour, light, true);
    Stroke(cr, edge, edgeWidth);
}

void Glass(cairo_t* cr, const std::vector<Pt>& pts, double r) {
    RoundedPolygon(cr, pts, r);
    FillLit(cr, 0x2A3E54, 0.45, true);
    Gleam(cr, 0.35);
    Stroke(cr, 0x0C1218, 0.8);
}

// Tyres showing under both sides of a body of half width hw, at the axles y0 and y1.
void Wheels(cairo_t* cr, double hw, double y0, double y1, double tw, double tl) {
    for (double y : {y0, y1}) {
        for (double x : {-hw - 1.2, hw + 1.2 - tw}) {
            RoundedRect(cr, x, y - tl / 2, tw, tl, 2);
            SetColour(cr, 0x141416);
            cairo_fill(cr);
        }
    }
}

// Saloon: bonnet, glass house, roof and boot, in steel blue.
void DrawSaloon(cairo_t* cr, double w, double l) {
    const double hw = w / 2;
    const double top = -l / 2;
    const uint32_t paint = 0x4E78A8;
    Wheels(cr, hw + 0.8, top + l * 0.2, top + l * 0.8, 5, 19);
    RoundedPolygon(cr,
                   {{-hw + 4, top},
                    {hw - 4, top},
                    {hw, top + 14},
                    {hw, -top - 6},
                    {hw - 3, -top},
                    {-hw + 3, -top},
                    {-hw, -top - 6},
                    {-hw, top + 14}},
                   7);
    FillLit(cr, paint, 0.35, true);
    Gleam(cr, 0.3);
    Stroke(cr, Darker(paint, 0.6), 1);
    Glass(cr,
          {{-hw + 6, top + l * 0.3},
           {hw - 6, top + l * 0.3},
           {hw - 3, top + l * 0.45},
           {hw - 3, top + l * 0.74},
           {hw - 6, top + l * 0.83},
           {-hw + 6, top + l * 0.83},
           {-hw + 3, top + l * 0.74},
           {-hw + 3, top + l * 0.45}},
          5);
    Panel(cr,
          {{-hw + 6, top + l * 0.43},
           {hw - 6, top + l * 0.43},
           {hw - 6, top + l * 0.72},
           {-hw + 6, top + l * 0.72}},
          4, paint, 0.3, Darker(paint, 0.5));
    // Bonnet crease lines.
    SetColour(cr, Darker(paint, 0.3));
    cairo_set_line_width(cr, 0.8);
    for (double x : {-hw * 0.4, hw * 0.4}) {
        cairo_move_to(cr, x * 0.8, top + 5);
        cairo_line_to(cr, x, top + l * 0.28);
    }
    cairo_stroke(cr);
    // Door seams and the boot lid.
    SetColour(cr, Darker(paint, 0.45));
    cairo_set_line_width(cr, 0.8);
    for (double side : {-1.0, 1.0}) {
        for (double y : {top + l * 0.42, top + l * 0.6, top + l * 0.78}) {
            cairo_move_to(cr, side * hw, y);
            cairo_line_to(cr, side * (hw - 2.5), y);
        }
    }
    cairo_move_to(cr, -hw + 5, top + l * 0.87);
    cairo_line_to(cr, hw - 5, top + l * 0.87);
    cairo_stroke(cr);
    for (double x : {-hw + 6.5, hw - 6.5}) {
        Light(cr, x, top + 3, 4, 2, true);
        Light(cr, x, -top - 2.5, 4, 1.8, false);
    }
    for (double x : {-hw - 1.5, hw + 1.5}) {
        Ellipse(cr, x, top + l * 0.31, 2, 2.6);
        FillLit(cr, paint, 0.3, true);
        Stroke(cr, 0x101010, 0.6);
    }
}

// Van: short bonnet, a tall white box with roof ribs and a blue stripe.
void DrawVan(cairo_t* cr, double w, double l) {
    const double hw = w / 2;
    const double top = -l / 2;
    const uint32_t paint = 0xE8E6DE;
    Wheels(cr, hw + 0.8, top + l * 0.16, top + l * 0.8, 6, 22);
    RoundedPolygon(
        cr,
        {{-hw + 7, top}, {hw - 7, top}, {hw, top + 16}, {hw, -top}, {-hw, -top}, {-hw, top + 16}},
        7);
    FillLit(cr, paint, 0.3, true);
    Stroke(cr, 0x6A6A66, 1);
    Glass(cr, {{-hw + 5, top + 16}, {hw - 5, top + 16}, {hw - 3, top + 30}, {-hw + 3, top + 30}},
          4);
    // The roof of the box with its ribs and a skylight.
    Panel(cr, {{-hw + 3, top + 32}, {hw - 3, top + 32}, {hw - 3, -top - 3}, {-hw + 3, -top - 3}}, 4,
          Lighter(paint, 0.2), 0.28, 0x8A8A84);
    SetColour(cr, 0xB8B8B0);
    cairo_set_line_width(cr, 1.2);
    for (double y = top + 42; y < -top - 8; y += 10) {
        cairo_move_to(cr, -hw + 6, y);
        cairo_line_to(cr, hw - 6, y);
    }
    cairo_stroke(cr);
    RoundedRect(cr, -8, top + 55, 16, 18, 3);
    FillLit(cr, 0x3A5068, 0.4, true);
    Stroke(cr, 0x202830, 0.8);
    for (double x : {-hw + 3, hw - 6}) {
        cairo_rectangle(cr, x, top + 34, 3, l - 40);
        SetColour(cr, 0x2C60B8);
        cairo_fill(cr);
    }
    for (double x : {-hw + 8, hw - 8}) {
        Light(cr, x, top + 3.5, 5, 2.2, true);
        Light(cr, x, -top - 2, 4.5, 1.6, false);
    }
    for (double x : {-hw - 2, hw + 2}) {
        RoundedRect(cr, x - 2, top + 17, 4, 6, 1.5);
        SetColour(cr, 0x1A1A1A);
        cairo_fill(cr);
    }
}

// Motorcycle with its rider: wheels, tank, seat, handlebars and a helmeted rider leaning forward.
void DrawBike(cairo_t* cr, double w, double l) {
    const double top = -l / 2;
    const double hw = w / 2;
    RoundedRect(cr, -2, top, 4, 13, 2);
    SetColour(cr, 0x161618);
    cairo_fill(cr);
    RoundedRect(cr, -2.5, -top - 14, 5, 14, 2.2);
    SetColour(cr, 0x161618);
    cairo_fill(cr);
    // Saddlebags either side of the rear wheel.
    for (double side : {-1.0, 1.0}) {
        RoundedRect(cr, side > 0 ? hw - 4.5 : -hw + 0.5, -top - 19, 4, 10, 1.5);
        FillLit(cr, 0x3A2A20, 0.4, true);
        Stroke(cr, 0x140C08, 0.7);
    }
    // Frame, tank and seat.
    RoundedPolygon(
        cr,
        {{-3, top + 9}, {3, top + 9}, {4, top + 30}, {3, -top - 9}, {-3, -top - 9}, {-4, top + 30}},
        2);
    FillLit(cr, 0xC01818, 0.4, true);
    Stroke(cr, 0x400808, 0.7);
    // Handlebars across the full width.
    RoundedRect(cr, -hw, top + 10, w, 2.6, 1.2);
    FillLinear(cr, 0, top + 10, 0, top + 12.6, {{0, 0xC0C4C8}, {1, 0x40444A}});
    for (double x : {-hw + 0.5, hw - 2.5}) {
        RoundedRect(cr, x, top + 9.5, 2, 3.6, 0.8);
        SetColour(cr, 0x101010);
        cairo_fill(cr);
    }
    // The fairing in front of the bars.
    Ellipse(cr, 0, top + 8, 4.5, 4);
    FillLit(cr, 0xC01818, 0.4, true);
    Stroke(cr, 0x400808, 0.7);
    Light(cr, 0, top + 4, 2.2, 1.6, true);
    // The rider: shoulders and back in a leather jacket, arms to the bars, a helmet.
    Ellipse(cr, 0, top + 24, hw - 1.5, 5.5);
    FillLit(cr, 0x26262C, 0.45, true);
    Stroke(cr, 0x08080A, 0.7);
    for (double side : {-1.0, 1.0}) {
        cairo_move_to(cr, side * (hw - 3), top + 22);
        cairo_line_to(cr, side * (hw - 1.5), top + 12);
        SetColour(cr, 0x303036);
        cairo_set_line_width(cr, 2.4);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke(cr);
    }
    Circle(cr, 0, top + 21, 4.2);
    FillLit(cr, 0xF0F0F0, 0.45, true);
    Stroke(cr, 0x303030, 0.7);
    Ellipse(cr, 0, top + 18.4, 2.6, 1.3);
    SetColour(cr, 0x202830);
    cairo_fill(cr);
    Light(cr, 0, -top - 1.2, 1.8, 1.0, false);
}

// Estate taxi: a black cab with a yellow chequered band along each side and a lit roof sign. No
// player car is black, and the yellow of player car 3 appears on it only in the checks, so that
// the two are never taken for each other in traffic.
void DrawTaxi(cairo_t* cr, double w, double l) {
    const double hw = w / 2;
    const double top = -l / 2;
    const uint32_t paint = 0x2A2E35;
    Wheels(cr, hw + 0.8, top + l * 0.2, top + l * 0.8, 5, 20);
    RoundedPolygon(cr,
                   {{-hw + 5, top},
                    {hw - 5, top},
                    {hw, top + 14},
                    {hw, -top - 4},
                    {hw - 3, -top},
                    {-hw + 3, -top},
                    {-hw, -top - 4},
                    {-hw, top + 14}},
                   7);
    FillLit(cr, paint, 0.35, true);
    Gleam(cr, 0.3);
    Stroke(cr, Darker(paint, 0.6), 1);
    // Chequered bands along both sides.
    for (double x0 : {-hw + 1.5, hw - 4.5}) {
        for (int i = 0; i < 24; ++i) {
            for (int j = 0; j < 2; ++j) {
                if ((i + j) % 2 != 0) continue;
                cairo_rectangle(cr, x0 + j * 1.5, top + 18 + i * 3.6, 1.5, 3.6);
            }
        }
        SetColour(cr, 0xF2BE1C);
        cairo_fill(cr);
    }
    Glass(cr,
          {{-hw + 6, top + l * 0.27},
           {hw - 6, top + l * 0.27},
           {hw - 3.5, top + l * 0.4},
           {hw - 3.5, top + l * 0.9},
           {-hw + 3.5, top + l * 0.9},
           {-hw + 3.5, top + l * 0.4}},
          5);
    Panel(cr,
          {{-hw + 6.5, top + l * 0.38},
           {hw - 6.5, top + l * 0.38},
           {hw - 6.5, top + l * 0.86},
           {-hw + 6.5, top + l * 0.86}},
          4, paint, 0.3, Darker(paint, 0.5));
    // Roof rails and the taxi sign.
    SetColour(cr, 0x3A3A3A);
    cairo_set_line_width(cr, 1.6);
    for (double x : {-hw + 8.5, hw - 8.5}) {
        cairo_move_to(cr, x, top + l * 0.42);
        cairo_line_to(cr, x, top + l * 0.82);
    }
    cairo_stroke(cr);
    RoundedRect(cr, -9, top + l * 0.45, 18, 8, 2);
    FillLit(cr, 0xFFF6D0, 0.3, true);
    Stroke(cr, 0x202020, 0.8);
    cairo_save(cr);
    cairo_translate(cr, 0, top + l * 0.45 + 4);
    raceart::OutlinedText(cr, "TAXI", 0, 0, "Bebas Neue", 8, 0x181818, 0x181818, 0.1);
    cairo_restore(cr);
    for (double x : {-hw + 7, hw - 7}) {
        Light(cr, x, top + 3, 4.2, 2, true);
        Light(cr, x, -top - 2.2, 4, 1.6, false);
    }
}

// Lorry: a red cab pulling a long ribbed silver box.
void DrawLorry(cairo_t* cr, double w, double l) {
    const double hw = w / 2;
    const double top = -l / 2;
    const uint32_t cab = 0xB82A22;
    const double cabLen = 46;
    Wheels(cr, hw - 1, top + 20, top + cabLen + 6, 8, 18);
    for (double y : {-top - 48, -top - 26}) Wheels(cr, hw - 1, y, y, 8, 18);
    // Cab: bonnet-less front with a wide windshield and a sleeper roof.
    RoundedPolygon(cr,
                   {{-hw + 6, top},
                    {hw - 6, top},
                    {hw - 1, top + 8},
                    {hw - 1, top + cabLen},
                    {-hw + 1, top + cabLen},
                    {-hw + 1, top + 8}},
                   6);
    FillLit(cr, cab, 0.35, true);
    Gleam(cr, 0.3);
    Stroke(cr, Darker(cab, 0.6), 1);
    Glass(cr, {{-hw + 6, top + 4}, {hw - 6, top + 4}, {hw - 4, top + 13}, {-hw + 4, top + 13}}, 3);
    Panel(cr,
          {{-hw + 5, top + 15},
           {hw - 5, top + 15},
           {hw - 5, top + cabLen - 3},
           {-hw + 5, top + cabLen - 3}},
          5, Lighter(cab, 0.1), 0.35, Darker(cab, 0.5));
    RoundedRect(cr, -hw + 14, top + 19, w - 28, 10, 3);
    FillLit(cr, Darker(cab, 0.2), 0.3, true);
    Stroke(cr, Darker(cab, 0.6), 0.8);
    for (double x : {-hw - 1.5, hw + 1.5}) {
        RoundedRect(cr, x - 2.5, top + 10, 5, 9, 1.5);
        SetColour(cr, 0x1A1A1A);
        cairo_fill(cr);
    }
    // The coupling gap, then the box body.
    const double boxTop = top + cabLen + 4;
    RoundedRect(cr, -6, top + cabLen - 1, 12, 7, 1);
    SetColour(cr, 0x202020);
    cairo_fill(cr);
    RoundedPolygon(cr, {{-hw, boxTop}, {hw, boxTop}, {hw, -top}, {-hw, -top}}, 3);
    FillLit(cr, 0xC4CAD0, 0.35, true);
    Stroke(cr, 0x50565C, 1.1);
    SetColour(cr, 0x9CA2A8);
    cairo_set_line_width(cr, 1.4);
    for (double y = boxTop + 8; y < -top - 4; y += 9) {
        cairo_move_to(cr, -hw + 3, y);
        cairo_line_to(cr, hw - 3, y);
    }
    cairo_stroke(cr);
    SetColour(cr, 0xF4F6F8, 0.7);
    cairo_set_line_width(cr, 1);
    for (double y = boxTop + 9.2; y < -top - 4; y += 9) {
        cairo_move_to(cr, -hw + 3, y);
        cairo_line_to(cr, hw - 3, y);
    }
    cairo_stroke(cr);
    for (double x : {-hw + 9, hw - 9}) {
        Light(cr, x, top + 2.5, 5.5, 2.0, true);
        Light(cr, x, -top - 1.8, 5, 1.5, false);
    }
}

using DrawFn = void (*)(cairo_t*, double, double);
constexpr std::array<DrawFn, 5> kModels = {DrawSaloon, DrawVan, DrawBike, DrawTaxi, DrawLorry};

}  // namespace

std::vector<ImageEntry> raceart::BuildTraffic() {
    std::vector<ImageEntry> images;
    for (int model = 1; model <= kTrafficModels; ++model) {
        const TrafficCarArt& art = kTrafficCars[static_cast<size_t>(model - 1)];
        std::vector<DecodedPicture> patterns;
        for (int p = 0; p < kTrafficDirections; ++p) {
            const Frame f = FrameOf(art.Outlines[static_cast<size_t>(p)], kNoseAngle[p]);
            Canvas canvas(art.Image);
            cairo_t* cr = canvas.Cr();
            cairo_translate(cr, f.cx, f.cy);
            cairo_rotate(cr, f.angle);
            kModels[model - 1](cr, f.width, f.length);
            patterns.push_back(canvas.ToPicture(true));
        }
        images.push_back(MakeImage(art.Image, patterns));
    }
    return images;
}
