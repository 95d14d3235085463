#include "assetgen/menus/menu_style.h"

#include <algorithm>
#include <cmath>

namespace menuart {

namespace {

constexpr double kCapHeightPerPx = 0.70;  // the display face's capitals are 0.7 em tall

void SelectFont(cairo_t* cr, const char* family, bool bold, double sizePx) {
    cairo_select_font_face(cr, family, CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, sizePx);
}

// One pass of a box blur along rows (step 1) or columns (step width) of a float image.
void BoxBlur(std::vector<float>& values, int width, int height, int radius, bool alongRows) {
    if (radius < 1) return;
    std::vector<float> line;
    const int lines = alongRows ? height : width;
    const int length = alongRows ? width : height;
    line.resize(static_cast<size_t>(length));
    auto index = [&](int l, int i) {
        return alongRows ? static_cast<size_t>(l) * width + i : static_cast<size_t>(i) * width + l;
    };
    const float norm = 1.0f / static_cast<float>(2 * radius + 1);
    for (int l = 0; l < lines; ++l) {
        for (int i = 0; i < length; ++i) line[static_cast<size_t>(i)] = values[index(l, i)];
        float sum = 0;
        for (int i = -radius; i <= radius; ++i)
            if (i >= 0 && i < length) sum += line[static_cast<size_t>(i)];
        for (int i = 0; i < length; ++i) {
            values[index(l, i)] = sum * norm;
            const int out = i - radius;
            const int in = i + radius + 1;
            if (out >= 0) sum -= line[static_cast<size_t>(out)];
            if (in < length) sum += line[static_cast<size_t>(in)];
        }
    }
}

void AddStops(cairo_pattern_t* pattern, const std::vector<std::pair<double, uint32_t>>& stops) {
    for (const auto& [offset, rgb] : stops)
        cairo_pattern_add_color_stop_rgb(pattern, offset, ((rgb >> 16) & 0xFF) / 255.0,
                                         ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0);
}

}  // namespace

uint32_t Mix(uint32_t a, uint32_t b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const double ca = (a >> shift) & 0xFF;
        const double cb = (b >> shift) & 0xFF;
        out |= static_cast<uint32_t>(std::lround(ca + (cb - ca) * t)) << shift;
    }
    return out;
}

TextBox MeasureText(cairo_t* cr, const std::string& text, double sizePx, const char* family,
                    bool bold) {
    cairo_save(cr);
    SelectFont(cr, family, bold, sizePx);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, text.c_str(), &ext);
    cairo_restore(cr);
    return {ext.width, ext.height};
}

double FitTextSize(cairo_t* cr, const std::string& text, double maxWidth, double maxHeight,
                   double maxSizePx, const char* family, bool bold) {
    const TextBox box = MeasureText(cr, text, 100, family, bold);
    double size = maxSizePx;
    if (box.width > 0) size = std::min(size, maxWidth * 100 / box.width);
    if (box.height > 0) size = std::min(size, maxHeight * 100 / box.height);
    return std::floor(size * 2) / 2;
}

void TextPath(cairo_t* cr, const std::string& text, double cx, double cy, double sizePx,
              double slant, const char* family, bool bold) {
    cairo_save(cr);
    SelectFont(cr, family, bold, sizePx);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, text.c_str(), &ext);
    if (slant != 0) {
        // Lean the letters forward about the horizontal line through the centre.
        cairo_matrix_t lean;
        cairo_matrix_init(&lean, 1, 0, -slant, 1, slant * cy, 0);
        cairo_transform(cr, &lean);
    }
    cairo_move_to(cr, cx - ext.width / 2 - ext.x_bearing, cy - ext.height / 2 - ext.y_bearing);
    cairo_text_path(cr, text.c_str());
    cairo_restore(cr);
}

void VerticalGradient(cairo_t* cr, double y0, double y1,
                      const std::vector<std::pair<double, uint32_t>>& stops) {
    cairo_pattern_t* pattern = cairo_pattern_create_linear(0, y0, 0, y1);
    AddStops(pattern, stops);
    cairo_set_source(cr, pattern);
    cairo_pattern_destroy(pattern);
}

namespace {

void OutlinedFill(cairo_t* cr, double outline,
                  const std::vector<std::pair<double, uint32_t>>& stops) {
    double x0, y0, x1, y1;
    cairo_fill_extents(cr, &x0, &y0, &x1, &y1);
    if (outline > 0) {
        SetColour(cr, kInk);
        cairo_set_line_width(cr, outline * 2);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke_preserve(cr);
    }
    VerticalGradient(cr, y0, y1, stops);
    cairo_fill(cr);
}

}  // namespace

void ChromeText(cairo_t* cr, const std::string& text, double cx, double cy, double sizePx,
                Look look, double outline, double slant, const char* family) {
    TextPath(cr, text, cx, cy, sizePx, slant, family);
    if (look == Look::Normal) {
        // Polished metal: a bright sky above a dark horizon line, the ground reflecting light.
        OutlinedFill(cr, outline,
                     {{0.0, 0xFFFFFF},
                      {0.42, 0xD3D8E0},
                      {0.50, 0x6F7887},
                      {0.56, 0x9AA2AF},
                      {1.0, 0xF2F4F7}});
    } else {
        // White-hot lettering with a warm horizon.
        OutlinedFill(cr, outline,
                     {{0.0, 0xFFFFFF},
                      {0.45, 0xFFF6E2},
                      {0.52, 0xFFD58A},
                      {0.60, 0xFFE7B8},
                      {1.0, 0xFFFFFF}});
    }
}

void SolidText(cairo_t* cr, const std::string& text, double cx, double cy, double sizePx,
               uint32_t top, uint32_t bottom, double outline, double slant, const char* family,
               bool bold) {
    TextPath(cr, text, cx, cy, sizePx, slant, family, bold);
    OutlinedFill(cr, outline, {{0.0, top}, {1.0, bottom}});
}

void ChamferPath(cairo_t* cr, double x, double y, double w, double h, double cut) {
    cairo_new_sub_path(cr);
    cairo_move_to(cr, x + cut, y);
    cairo_line_to(cr, x + w, y);
    cairo_line_to(cr, x + w, y + h - cut);
    cairo_line_to(cr, x + w - cut, y + h);
    cairo_line_to(cr, x, y + h);
    cairo_line_to(cr, x, y + cut);
    cairo_close_path(cr);
}

namespace {

// The shape that `draw` fills, blurred to about the given radius, as coverage 0..1 per pixel.
std::vector<float> BlurredShape(int w, int h, const std::function<void(cairo_t*)>& draw,
                                double radius) {
    cairo_surface_t* mask = cairo_image_surface_create(CAIRO_FORMAT_A8, w, h);
    cairo_t* mcr = cairo_create(mask);
    cairo_set_source_rgba(mcr, 0, 0, 0, 1);
    draw(mcr);
    cairo_fill(mcr);
    cairo_destroy(mcr);
    cairo_surface_flush(mask);

    std::vector<float> glow(static_cast<size_t>(w) * h);
    const unsigned char* maskData = cairo_image_surface_get_data(mask);
    const int maskStride = cairo_image_surface_get_stride(mask);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            glow[static_cast<size_t>(y) * w + x] =
                maskData[static_cast<size_t>(y) * maskStride + x] / 255.0f;
    cairo_surface_destroy(mask);

    // Three box blurs approximate a Gaussian of about the given radius.
    const int box = std::max(1, static_cast<int>(std::lround(radius / 1.7)));
    for (int pass = 0; pass < 3; ++pass) {
        BoxBlur(glow, w, h, box, true);
        BoxBlur(glow, w, h, box, false);
    }
    return glow;
}

}  // namespace

void BakedGlow(Canvas& canvas, const std::function<void(cairo_t*)>& draw, double radius,
               uint32_t colour, double strength) {
    const int w = canvas.Width();
    const int h = canvas.Height();
    const std::vector<float> glow = BlurredShape(w, h, draw, radius);
    cairo_surface_t* target = cairo_get_target(canvas.Cr());
    cairo_surface_flush(target);
    unsigned char* data = cairo_image_surface_get_data(target);
    const int stride = cairo_image_surface_get_stride(target);
    // The glow dies out over the last pixels before the picture's edge, so it never ends in a cut.
    const double edgeFade = std::max(2.0, radius * 0.6);
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
        for (int x = 0; x < w; ++x) {
            const double edge = std::min({x + 0.5, y + 0.5, w - x - 0.5, h - y - 0.5});
            double g = glow[static_cast<size_t>(y) * w + x] * strength;
            g = std::min(1.0, g * 1.6) * std::clamp(edge / edgeFade, 0.0, 1.0);
            if (g < 0.03) continue;
            // Brightest next to the shape, fading into the backdrop colour.
            const uint32_t c = Mix(kBackdrop, colour, std::pow(g, 1.3));
            row[x] = 0xFF000000u | c;
        }
    }
    cairo_surface_mark_dirty(target);
}

void AddGlow(Canvas& canvas, const std::function<void(cairo_t*)>& draw, double radius,
             uint32_t colour, double strength) {
    const int w = canvas.Width();
    const int h = canvas.Height();
    const std::vector<float> glow = BlurredShape(w, h, draw, radius);
    cairo_surface_t* target = cairo_get_target(canvas.Cr());
    cairo_surface_flush(target);
    unsigned char* data = cairo_image_surface_get_data(target);
    const int stride = cairo_image_surface_get_stride(target);
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
        for (int x = 0; x < w; ++x) {
            const double g = std::min(1.0, glow[static_cast<size_t>(y) * w + x] * strength);
            if (g <= 0) continue;
            row[x] = 0xFF000000u | Mix(row[x] & 0xFFFFFF, colour, g);
        }
    }
    cairo_surface_mark_dirty(target);
}

void BackdropFringe(cairo_t* cr, const std::function<void(cairo_t*)>& path, double width) {
    cairo_save(cr);
    path(cr);
    SetColour(cr, kBackdrop);
    cairo_set_line_width(cr, width);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
    cairo_stroke_preserve(cr);
    cairo_fill(cr);
    cairo_restore(cr);
}

int PlateMargin(int width, int height) {
    const int small = std::min(width, height);
    if (small <= 40) return 4;
    if (small <= 60) return 6;
    return 8;
}

namespace {

// The face of a plate inside its rim, and its two racing stripes at the right end: each stripe
// is 4 px wide, runs from (x, bottom) to (x + height / 2, top), the second 7 px left of the first.
struct PlateFace {
    double x, y, w, h, cut;
    double StripeX() const { return x + w - cut - 10; }
    // The left edge of the left stripe at the height y0 (it leans right going up).
    double StripesLeftAt(double y0) const { return StripeX() - 7 + (y + h - y0) * 0.5; }
};

PlateFace FaceOf(double x, double y, double w, double h) {
    const double cut = std::min(h * 0.3, 16.0);
    const double border = h >= 50 ? 3 : 2;
    const double inset = border + 1;
    return {x + inset, y + inset, w - 2 * inset, h - 2 * inset, cut - inset * 0.4};
}

}  // namespace

void DrawPlate(Canvas& canvas, double x, double y, double w, double h, Look look) {
    cairo_t* cr = canvas.Cr();
    const double cut = std::min(h * 0.3, 16.0);
    const double border = h >= 50 ? 3 : 2;
    auto outer = [&](cairo_t* c) { ChamferPath(c, x, y, w, h, cut); };
    if (look == Look::Highlight) {
        BakedGlow(canvas, outer,
                  std::max(3.0, PlateMargin(static_cast<int>(w), static_cast<int>(h)) * 0.9),
                  kAccent);
    } else {
        BackdropFringe(cr, outer, 2);
    }

    // Metal rim.
    outer(cr);
    if (look == Look::Normal) {
        VerticalGradient(cr, y, y + h,
                         {{0.0, 0xF4F6F9}, {0.48, 0xA7AFBC}, {0.52, 0x5E6674}, {1.0, 0xC9CFD8}});
    } else {
        VerticalGradient(cr, y, y + h,
                         {{0.0, 0xFFFFFF}, {0.48, 0xFFE2A0}, {0.52, 0xF0A040}, {1.0, 0xFFF0C8}});
    }
    cairo_fill(cr);

    // A dark seam between the rim and the face.
    ChamferPath(cr, x + border, y + border, w - 2 * border, h - 2 * border, cut - border * 0.4);
    SetColour(cr, kInk);
    cairo_fill(cr);

    const double inset = border + 1;
    const double fx = x + inset;
    const double fy = y + inset;
    const double fw = w - 2 * inset;
    const double fh = h - 2 * inset;
    const double fcut = cut - inset * 0.4;
    ChamferPath(cr, fx, fy, fw, fh, fcut);
    if (look == Look::Normal) {
        VerticalGradient(cr, fy, fy + fh,
                         {{0.0, kSteelLight}, {0.55, 0x232833}, {1.0, kSteelDark}});
    } else {
        VerticalGradient(cr, fy, fy + fh, {{0.0, 0xFFB24A}, {0.5, kAccent}, {1.0, kAccentDeep}});
    }
    cairo_fill(cr);

    // Gloss over the upper half of the face.
    cairo_save(cr);
    ChamferPath(cr, fx, fy, fw, fh, fcut);
    cairo_clip(cr);
    cairo_rectangle(cr, fx, fy, fw, fh * 0.46);
    cairo_set_source_rgba(cr, 1, 1, 1, look == Look::Normal ? 0.07 : 0.16);
    cairo_fill(cr);
    // Two thin racing stripes leaning across the right end of the face.
    const double stripeX = FaceOf(x, y, w, h).StripeX();
    for (int i = 0; i < 2; ++i) {
        const double sx = stripeX - i * 7;
        cairo_move_to(cr, sx, fy + fh);
        cairo_line_to(cr, sx + 4, fy + fh);
        cairo_line_to(cr, sx + 4 + fh * 0.5, fy);
        cairo_line_to(cr, sx + fh * 0.5, fy);
        cairo_close_path(cr);
    }
    if (look == Look::Normal)
        SetColour(cr, kAccent, 0.55);
    else
        cairo_set_source_rgba(cr, 1, 1, 1, 0.35);
    cairo_fill(cr);
    cairo_restore(cr);
}

// A brushed-metal panel with a chrome rim: the body of every window.
void DrawPanel(cairo_t* cr, double x, double y, double w, double h, double radius) {
    // Chrome rim.
    RoundedRect(cr, x, y, w, h, radius);
    VerticalGradient(cr, y, y + h,
                     {{0.0, 0xF2F4F7}, {0.5, 0x7E8796}, {0.52, 0x5A6270}, {1.0, 0xB8BFCA}});
    cairo_fill(cr);
    RoundedRect(cr, x + 3, y + 3, w - 6, h - 6, std::max(0.0, radius - 3));
    SetColour(cr, kInk);
    cairo_fill(cr);
    const double ix = x + 4;
    const double iy = y + 4;
    const double iw = w - 8;
    const double ih = h - 8;
    const double ir = std::max(0.0, radius - 4);
    RoundedRect(cr, ix, iy, iw, ih, ir);
    VerticalGradient(cr, iy, iy + ih, {{0.0, kPanelLight}, {0.35, 0x1D222B}, {1.0, kPanelDark}});
    cairo_fill(cr);

    cairo_save(cr);
    RoundedRect(cr, ix, iy, iw, ih, ir);
    cairo_clip(cr);
    // Fine diagonal brushing.
    cairo_set_line_width(cr, 1);
    for (double d = -ih; d < iw; d += 4) {
        cairo_move_to(cr, ix + d, iy + ih);
        cairo_line_to(cr, ix + d + ih, iy);
    }
    cairo_set_source_rgba(cr, 1, 1, 1, 0.018);
    cairo_stroke(cr);
    // Soft light from above.
    cairo_pattern_t* light = cairo_pattern_create_linear(0, iy, 0, iy + ih * 0.5);
    cairo_pattern_add_color_stop_rgba(light, 0, 1, 1, 1, 0.08);
    cairo_pattern_add_color_stop_rgba(light, 1, 1, 1, 1, 0);
    cairo_set_source(cr, light);
    cairo_pattern_destroy(light);
    cairo_paint(cr);
    // An orange accent line under the top rim.
    cairo_pattern_t* accent = cairo_pattern_create_linear(ix, 0, ix + iw, 0);
    cairo_pattern_add_color_stop_rgba(accent, 0, 0.96, 0.53, 0.1, 0);
    cairo_pattern_add_color_stop_rgba(accent, 0.5, 1.0, 0.62, 0.2, 1);
    cairo_pattern_add_color_stop_rgba(accent, 1, 0.96, 0.53, 0.1, 0);
    cairo_set_source(cr, accent);
    cairo_pattern_destroy(accent);
    cairo_rectangle(cr, ix, iy, iw, 2);
    cairo_fill(cr);
    cairo_restore(cr);
}

// A recessed dark field that the game writes white text into.
void DrawWell(cairo_t* cr, double x, double y, double w, double h, double radius) {
    RoundedRect(cr, x - 1, y - 1, w + 2, h + 2, radius + 1);
    VerticalGradient(cr, y - 1, y + h + 1, {{0.0, 0x05060A}, {1.0, 0x4A5261}});
    cairo_fill(cr);
    RoundedRect(cr, x, y, w, h, radius);
    VerticalGradient(cr, y, y + h, {{0.0, 0x07080C}, {0.25, kWell}, {1.0, 0x10131A}});
    cairo_fill(cr);
}

// A line that fades out at both ends.
void Divider(cairo_t* cr, double x, double y, double w, uint32_t colour, double alpha) {
    cairo_pattern_t* p = cairo_pattern_create_linear(x, 0, x + w, 0);
    const double r = ((colour >> 16) & 0xFF) / 255.0;
    const double g = ((colour >> 8) & 0xFF) / 255.0;
    const double b = (colour & 0xFF) / 255.0;
    cairo_pattern_add_color_stop_rgba(p, 0, r, g, b, 0);
    cairo_pattern_add_color_stop_rgba(p, 0.5, r, g, b, alpha);
    cairo_pattern_add_color_stop_rgba(p, 1, r, g, b, 0);
    cairo_set_source(cr, p);
    cairo_pattern_destroy(p);
    cairo_rectangle(cr, x, y, w, 1.5);
    cairo_fill(cr);
}

DecodedPicture PlateButton(int width, int height, const std::vector<std::string>& lines, Look look,
                           double maxCapHeight) {
    Canvas canvas(width, height);
    cairo_t* cr = canvas.Cr();
    const int m = PlateMargin(width, height);
    const double pw = width - 2.0 * m;
    const double ph = height - 2.0 * m;
    DrawPlate(canvas, m, m, pw, ph, look);

    const double cut = std::min(ph * 0.3, 16.0);
    const double availW = pw - 2 * cut - 6;
    const double gap = ph * 0.09;
    const int n = static_cast<int>(lines.size());
    const double availH = ph - 14 - gap * (n - 1);
    const double capHeight = std::min(maxCapHeight, availH / n);
    double size = capHeight / kCapHeightPerPx;
    for (const std::string& line : lines)
        size = std::min(size, FitTextSize(cr, line, availW, capHeight * 1.2, size));
    const double cap = size * kCapHeightPerPx;
    const double block = n * cap + (n - 1) * gap;
    const double outline = std::max(1.5, size / 18);
    // A label stays clear of the stripes: centred on the plate where it fits, moved left (and on
    // the smallest plates made smaller) where it would run into them.
    const PlateFace face = FaceOf(m, m, pw, ph);
    constexpr double kSlant = 0.12;
    for (int i = 0; i < n; ++i) {
        const std::string& line = lines[static_cast<size_t>(i)];
        const double cy = m + ph / 2 - block / 2 + cap / 2 + i * (cap + gap);
        double lineSize = size;
        const double lean = kSlant * cap / 2 + outline;
        const double right = face.StripesLeftAt(cy + cap / 2) - 3;
        const double left = face.x + face.cut * 0.5 + outline;
        double width = MeasureText(cr, line, lineSize).width;
        if (width + 2 * lean > right - left) {
            lineSize *= (right - left - 2 * lean) / width;
            width = MeasureText(cr, line, lineSize).width;
        }
        double cx = m + pw / 2;
        cx = std::min(cx, right - lean - width / 2);
        cx = std::max(cx, left + lean + width / 2);
        ChromeText(cr, line, cx, cy, lineSize, look, outline, kSlant);
    }
    return canvas.ToPicture(true);
}

ImageEntry TwoStatePlateButton(Picture picture, const std::vector<std::string>& lines,
                               double maxCapHeight) {
    const int width = InfoOf(picture).PatternWidth;
    const int height = InfoOf(picture).PatternHeight;
    return MakeImage(picture, {PlateButton(width, height, lines, Look::Highlight, maxCapHeight),
                               PlateButton(width, height, lines, Look::Normal, maxCapHeight)});
}

ImageEntry TwoStateButton(Picture picture, const std::function<void(Canvas&, Look)>& draw) {
    Canvas highlight(picture);
    draw(highlight, Look::Highlight);
    Canvas normal(picture);
    draw(normal, Look::Normal);
    return MakeImage(
        picture, {highlight.ToPicture(SeeThrough(picture)), normal.ToPicture(SeeThrough(picture))});
}

ImageEntry CursorBar(Picture picture, uint32_t colour) {
    Canvas canvas(picture);
    SetColour(canvas.Cr(), colour);
    cairo_paint(canvas.Cr());
    return SingleImage(picture, canvas);
}

void ArrowPath(cairo_t* cr, double cx, double cy, double w, double h, int dir) {
    // A notched arrow head, like a road sign chevron.
    const double d = dir < 0 ? -1 : 1;
    cairo_new_sub_path(cr);
    cairo_move_to(cr, cx + d * w / 2, cy);
    cairo_line_to(cr, cx - d * w / 2, cy - h / 2);
    cairo_line_to(cr, cx - d * w * 0.22, cy);
    cairo_line_to(cr, cx - d * w / 2, cy + h / 2);
    cairo_close_path(cr);
}

}  // namespace menuart
