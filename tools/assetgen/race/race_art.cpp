#include "assetgen/race/race_art.h"

#include <algorithm>
#include <cmath>

namespace raceart {

namespace {

void AddStops(cairo_pattern_t* pattern, std::initializer_list<Stop> stops) {
    for (const Stop& s : stops) {
        cairo_pattern_add_color_stop_rgb(pattern, s.offset, ((s.rgb >> 16) & 0xFF) / 255.0,
                                         ((s.rgb >> 8) & 0xFF) / 255.0, (s.rgb & 0xFF) / 255.0);
    }
}

void FillWith(cairo_t* cr, cairo_pattern_t* pattern, bool preserve) {
    cairo_set_source(cr, pattern);
    if (preserve) {
        cairo_fill_preserve(cr);
    } else {
        cairo_fill(cr);
    }
    cairo_pattern_destroy(pattern);
}

}  // namespace

uint32_t Mix(uint32_t a, uint32_t b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const double ca = (a >> shift) & 0xFF;
        const double cb = (b >> shift) & 0xFF;
        const auto c = static_cast<uint32_t>(std::lround(ca + (cb - ca) * t));
        out |= std::min<uint32_t>(c, 255) << shift;
    }
    return out;
}

uint32_t Lighter(uint32_t rgb, double t) {
    return Mix(rgb, 0xFFFFFF, t);
}
uint32_t Darker(uint32_t rgb, double t) {
    return Mix(rgb, 0x000000, t);
}

void FillLinear(cairo_t* cr, double x0, double y0, double x1, double y1,
                std::initializer_list<Stop> stops, bool preserve) {
    cairo_pattern_t* pattern = cairo_pattern_create_linear(x0, y0, x1, y1);
    AddStops(pattern, stops);
    FillWith(cr, pattern, preserve);
}

void FillRadial(cairo_t* cr, double cx, double cy, double r0, double r1,
                std::initializer_list<Stop> stops, bool preserve) {
    cairo_pattern_t* pattern = cairo_pattern_create_radial(cx, cy, r0, cx, cy, r1);
    AddStops(pattern, stops);
    FillWith(cr, pattern, preserve);
}

void FillLit(cairo_t* cr, uint32_t base, double amount, bool preserve) {
    // The path is kept in picture coordinates, so with an identity matrix its extent and the
    // gradient are measured on the picture whatever turn the caller has applied.
    cairo_save(cr);
    cairo_identity_matrix(cr);
    double x0, y0, x1, y1;
    cairo_path_extents(cr, &x0, &y0, &x1, &y1);
    cairo_pattern_t* pattern = cairo_pattern_create_linear(x0, y0, x1, y1);
    AddStops(pattern, {{0.0, Lighter(base, amount)}, {0.45, base}, {1.0, Darker(base, amount)}});
    cairo_set_source(cr, pattern);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(pattern);
    cairo_restore(cr);
    if (!preserve) cairo_new_path(cr);
}

void Gleam(cairo_t* cr, double strength) {
    cairo_save(cr);
    cairo_identity_matrix(cr);
    double x0, y0, x1, y1;
    cairo_path_extents(cr, &x0, &y0, &x1, &y1);
    cairo_clip_preserve(cr);
    const double w = x1 - x0;
    const double h = y1 - y0;
    const double cx = x0 + w * 0.3;
    const double cy = y0 + h * 0.25;
    const double r = std::max(w, h) * 0.55;
    cairo_pattern_t* pattern = cairo_pattern_create_radial(cx, cy, 0, cx, cy, r);
    cairo_pattern_add_color_stop_rgba(pattern, 0.0, 1, 1, 1, strength);
    cairo_pattern_add_color_stop_rgba(pattern, 1.0, 1, 1, 1, 0);
    cairo_set_source(cr, pattern);
    cairo_paint(cr);
    cairo_pattern_destroy(pattern);
    cairo_restore(cr);
}

void Stroke(cairo_t* cr, uint32_t rgb, double width) {
    SetColour(cr, rgb);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

void RoundedPolygon(cairo_t* cr, const std::vector<Pt>& points, double r) {
    const size_t n = points.size();
    if (n < 3) return;
    cairo_new_sub_path(cr);
    for (size_t i = 0; i < n; ++i) {
        const Pt c = points[i];
        const Pt p = points[(i + n - 1) % n];
        const Pt q = points[(i + 1) % n];
        const double lp = std::hypot(p.x - c.x, p.y - c.y);
        const double lq = std::hypot(q.x - c.x, q.y - c.y);
        if (lp <= 0 || lq <= 0) continue;
        const double rr = std::min({r, lp / 2, lq / 2});
        const Pt a{c.x + (p.x - c.x) / lp * rr, c.y + (p.y - c.y) / lp * rr};
        const Pt b{c.x + (q.x - c.x) / lq * rr, c.y + (q.y - c.y) / lq * rr};
        if (i == 0) {
            cairo_move_to(cr, a.x, a.y);
        } else {
            cairo_line_to(cr, a.x, a.y);
        }
        cairo_curve_to(cr, a.x + (c.x - a.x) * 2 / 3, a.y + (c.y - a.y) * 2 / 3,
                       b.x + (c.x - b.x) * 2 / 3, b.y + (c.y - b.y) * 2 / 3, b.x, b.y);
    }
    cairo_close_path(cr);
}

void Circle(cairo_t* cr, double cx, double cy, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_close_path(cr);
}

void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_close_path(cr);
    cairo_restore(cr);
}

void OutlinedText(cairo_t* cr, const std::string& text, double cx, double cy,
                  const std::string& family, double sizePx, uint32_t fill, uint32_t outline,
                  double outlineWidth, bool bold) {
    cairo_select_font_face(cr, family.c_str(), CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, sizePx);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, text.c_str(), &ext);
    cairo_new_path(cr);
    cairo_move_to(cr, cx - ext.width / 2 - ext.x_bearing, cy - ext.height / 2 - ext.y_bearing);
    cairo_text_path(cr, text.c_str());
    SetColour(cr, outline);
    cairo_set_line_width(cr, outlineWidth);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
    SetColour(cr, fill);
    cairo_fill(cr);
}

}  // namespace raceart
