#pragma once
// Drawing helpers of the race pictures: colour mixing, gradient fills and the top-left light that
// every car, person and pick-up on the road shares. The light is fixed in picture coordinates, so
// a car drawn turned (traffic in six directions) is still lit from the same side as the road.

#include <cairo.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "archive/archive_types.h"
#include "assetgen/canvas.h"

namespace raceart {

struct Pt {
    double x;
    double y;
};

struct Stop {
    double offset;
    uint32_t rgb;
};

// Colour arithmetic on 0xRRGGBB.
uint32_t Mix(uint32_t a, uint32_t b, double t);
uint32_t Lighter(uint32_t rgb, double t);
uint32_t Darker(uint32_t rgb, double t);

// Fills (or with preserve, fills and keeps) the current path with a gradient given in the current
// user space.
void FillLinear(cairo_t* cr, double x0, double y0, double x1, double y1,
                std::initializer_list<Stop> stops, bool preserve = false);
void FillRadial(cairo_t* cr, double cx, double cy, double r0, double r1,
                std::initializer_list<Stop> stops, bool preserve = false);

// Fills the current path with its base colour, lighter towards the picture's top-left and darker
// towards its bottom-right, measured over the path's own extent in picture coordinates.
void FillLit(cairo_t* cr, uint32_t base, double amount = 0.35, bool preserve = false);
// A soft white gleam near the top-left of the current path, clipped to it (path kept).
void Gleam(cairo_t* cr, double strength = 0.55);
// Strokes the current path (path dropped) with a solid colour.
void Stroke(cairo_t* cr, uint32_t rgb, double width);

// A closed polygon whose corners are rounded with radius r (shortened on short edges).
void RoundedPolygon(cairo_t* cr, const std::vector<Pt>& points, double r);
void Circle(cairo_t* cr, double cx, double cy, double r);
void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry);

// Text whose centre lies at (cx, cy), filled with a colour and ringed by an outline.
void OutlinedText(cairo_t* cr, const std::string& text, double cx, double cy,
                  const std::string& family, double sizePx, uint32_t fill, uint32_t outline,
                  double outlineWidth, bool bold = false);

}  // namespace raceart
