// The night backdrop behind every menu screen, and the main menu's six buttons.

#include <algorithm>
#include <cmath>
#include <string>

#include "assetgen/menus/menu_parts.h"
#include "assetgen/menus/menu_style.h"

namespace menuart {

namespace {

constexpr int kScreenWidth = 800;
constexpr int kScreenHeight = 600;

// Asphalt under street light: a cool dark grey with grain, a few lighter stones and broad,
// gentle patches, so that white lettering reads anywhere on it.
void PaintAsphalt(Canvas& canvas) {
    cairo_surface_t* target = cairo_get_target(canvas.Cr());
    cairo_surface_flush(target);
    unsigned char* data = cairo_image_surface_get_data(target);
    const int stride = cairo_image_surface_get_stride(target);
    const double base[3] = {19, 22, 28};
    for (int y = 0; y < canvas.Height(); ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
        for (int x = 0; x < canvas.Width(); ++x) {
            const auto ux = static_cast<uint32_t>(x);
            const auto uy = static_cast<uint32_t>(y);
            double shade = (TileNoise(x, y, 320, 11) - 0.5) * 10 +
                           (TileNoise(x, y, 40, 12) - 0.5) * 6 + (Hash01(ux, uy, 13) - 0.5) * 9;
            const double stone = Hash01(ux, uy, 14);
            if (stone > 0.993) shade += 10;
            if (stone < 0.004) shade -= 7;
            uint32_t pixel = 0xFF000000u;
            for (int c = 0; c < 3; ++c) {
                const double v = std::clamp(base[c] + shade, 0.0, 255.0);
                pixel |= static_cast<uint32_t>(std::lround(v)) << (16 - 8 * c);
            }
            row[x] = pixel;
        }
    }
    cairo_surface_mark_dirty(target);
}

struct Streak {
    double x0, y0, x1, y1;
    uint32_t colour;
    double strength;
};

// Long-exposure trails of passing cars: tail lights and headlights smeared into lines. They run
// along the bottom edge and across the top right, away from the texts the screens write.
void DrawLightStreaks(Canvas& canvas) {
    cairo_t* cr = canvas.Cr();
    const Streak streaks[] = {
        {-40, 600, 840, 528, 0xFF3B1F, 1.0},  {-40, 610, 840, 540, 0xFF7A1A, 0.7},
        {-40, 590, 840, 514, 0x8FC2FF, 0.55}, {-40, 622, 840, 556, 0xFF3B1F, 0.6},
        {-40, 632, 840, 570, 0xFFB347, 0.4},  {250, 92, 840, 6, 0x8FC2FF, 0.6},
        {250, 104, 840, 22, 0xFF3B1F, 0.45},  {300, 84, 840, 2, 0xFFFFFF, 0.25},
    };
    const struct {
        double width;
        double alpha;
    } layers[] = {{22, 0.025}, {9, 0.05}, {3, 0.16}, {1.2, 0.35}};
    for (const Streak& s : streaks) {
        for (const auto& layer : layers) {
            cairo_pattern_t* fade = cairo_pattern_create_linear(s.x0, s.y0, s.x1, s.y1);
            const double a = layer.alpha * s.strength;
            const uint32_t c = layer.width < 2 ? Mix(s.colour, 0xFFFFFF, 0.5) : s.colour;
            const double r = ((c >> 16) & 0xFF) / 255.0;
            const double g = ((c >> 8) & 0xFF) / 255.0;
            const double b = (c & 0xFF) / 255.0;
            cairo_pattern_add_color_stop_rgba(fade, 0.0, r, g, b, 0);
            cairo_pattern_add_color_stop_rgba(fade, 0.3, r, g, b, a);
            cairo_pattern_add_color_stop_rgba(fade, 0.75, r, g, b, a * 0.8);
            cairo_pattern_add_color_stop_rgba(fade, 1.0, r, g, b, 0);
            cairo_set_source(cr, fade);
            cairo_pattern_destroy(fade);
            cairo_set_line_width(cr, layer.width);
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
            cairo_move_to(cr, s.x0, s.y0);
            cairo_line_to(cr, s.x1, s.y1);
            cairo_stroke(cr);
        }
    }
}

// A dim warm haze low in the middle and a cool one at the top right, then dark corners.
void DrawAtmosphere(cairo_t* cr) {
    auto haze = [cr](double cx, double cy, double radius, uint32_t colour, double alpha) {
        cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, 0, cx, cy, radius);
        const double r = ((colour >> 16) & 0xFF) / 255.0;
        const double g = ((colour >> 8) & 0xFF) / 255.0;
        const double b = (colour & 0xFF) / 255.0;
        cairo_pattern_add_color_stop_rgba(p, 0, r, g, b, alpha);
        cairo_pattern_add_color_stop_rgba(p, 1, r, g, b, 0);
        cairo_set_source(cr, p);
        cairo_pattern_destroy(p);
        cairo_paint(cr);
    };
    haze(400, 640, 420, 0xFF6A1A, 0.07);
    haze(760, -40, 380, 0x4A7BD0, 0.06);

    cairo_pattern_t* vignette = cairo_pattern_create_radial(400, 300, 230, 400, 300, 560);
    cairo_pattern_add_color_stop_rgba(vignette, 0, 0, 0, 0, 0);
    cairo_pattern_add_color_stop_rgba(vignette, 1, 0, 0, 0, 0.5);
    cairo_set_source(cr, vignette);
    cairo_pattern_destroy(vignette);
    cairo_paint(cr);
}

// The game's logo in the top-left corner, the one place that no screen covers:
// "ZARVEX" in chrome over a big orange "2" with speed lines.
void DrawLogo(Canvas& canvas) {
    cairo_t* cr = canvas.Cr();
    const double slant = 0.2;

    // The "2" glows softly on the asphalt.
    const double twoSize = 150;
    const double twoX = 150;
    const double twoY = 146;
    AddGlow(
        canvas, [&](cairo_t* c) { TextPath(c, "2", twoX, twoY, twoSize, slant); }, 16, kAccent,
        0.55);

    // Speed lines trailing the "2".
    for (int i = 0; i < 4; ++i) {
        const double y = 112 + i * 18;
        const double length = 92 - i * 14;
        const double right = 104 + i * 5;
        cairo_pattern_t* fade = cairo_pattern_create_linear(right - length, 0, right, 0);
        cairo_pattern_add_color_stop_rgba(fade, 0, 0.96, 0.53, 0.1, 0);
        cairo_pattern_add_color_stop_rgba(fade, 1, 1.0, 0.77, 0.35, 0.95);
        cairo_set_source(cr, fade);
        cairo_pattern_destroy(fade);
        const double h = 7 - i;
        cairo_move_to(cr, right - length, y + h);
        cairo_line_to(cr, right, y + h);
        cairo_line_to(cr, right + h * slant * 2, y);
        cairo_line_to(cr, right - length + h * slant * 2, y);
        cairo_close_path(cr);
        cairo_fill(cr);
    }

    // The "2": dark outline, chrome rim, orange body.
    TextPath(cr, "2", twoX, twoY, twoSize, slant);
    SetColour(cr, kInk);
    cairo_set_line_width(cr, 11);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
    double x0, y0, x1, y1;
    cairo_fill_extents(cr, &x0, &y0, &x1, &y1);
    VerticalGradient(cr, y0, y1, {{0, 0xFFFFFF}, {0.5, 0x9AA3B2}, {1, 0xE6E9EE}});
    cairo_set_line_width(cr, 5);
    cairo_stroke_preserve(cr);
    VerticalGradient(cr, y0, y1,
                     {{0, 0xFFE08A}, {0.45, 0xFFA030}, {0.55, 0xE0561A}, {1, kAccentDeep}});
    cairo_fill(cr);
    // A gloss band across the top of the "2".
    cairo_save(cr);
    TextPath(cr, "2", twoX, twoY, twoSize, slant);
    cairo_clip(cr);
    cairo_rectangle(cr, x0, y0, x1 - x0, (y1 - y0) * 0.4);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.18);
    cairo_fill(cr);
    cairo_restore(cr);

    // "ZARVEX" in chrome above it, underlined by an orange blade.
    const double wordSize = FitTextSize(cr, "ZARVEX", 186, 60, 90);
    ChromeText(cr, "ZARVEX", 116, 44, wordSize, Look::Normal, 3.5, slant);
    const double bladeY = 44 + wordSize * 0.35 + 8;
    cairo_move_to(cr, 24, bladeY + 5);
    cairo_line_to(cr, 200, bladeY + 5);
    cairo_line_to(cr, 208, bladeY);
    cairo_line_to(cr, 32, bladeY);
    cairo_close_path(cr);
    cairo_pattern_t* blade = cairo_pattern_create_linear(24, 0, 208, 0);
    cairo_pattern_add_color_stop_rgba(blade, 0, 0.96, 0.53, 0.1, 0.0);
    cairo_pattern_add_color_stop_rgba(blade, 0.35, 0.96, 0.53, 0.1, 1.0);
    cairo_pattern_add_color_stop_rgba(blade, 1, 1.0, 0.8, 0.4, 1.0);
    cairo_set_source(cr, blade);
    cairo_pattern_destroy(blade);
    cairo_fill(cr);
}

struct MainButton {
    int number;
    std::vector<std::string> lines;
};

}  // namespace

ImageEntry BuildBackdrop() {
    Canvas canvas(kScreenWidth, kScreenHeight);
    PaintAsphalt(canvas);
    DrawLightStreaks(canvas);
    DrawAtmosphere(canvas.Cr());
    DrawLogo(canvas);
    return SingleImage(Picture::MMBG, canvas);
}

void AddMainMenuButtons(std::vector<ImageEntry>& images) {
    // Buttons 1, 2, 3 and 6 are centred on the screen; 4 and 5 mirror each other.
    const MainButton buttons[] = {
        {1, {"START GAME"}}, {2, {"HIGH", "SCORES"}}, {3, {"VISIT WEB SITE"}},
        {4, {"OPTIONS"}},    {5, {"HELP"}},           {6, {"EXIT"}},
    };
    constexpr double kCapHeight = 30;
    for (const MainButton& b : buttons) {
        const Picture normalLook = MainMenuButtonPicture(b.number, ButtonLook::Normal);
        const int width = InfoOf(normalLook).PatternWidth;
        const int height = InfoOf(normalLook).PatternHeight;
        const DecodedPicture normal = PlateButton(width, height, b.lines, Look::Normal, kCapHeight);
        const DecodedPicture highlight =
            PlateButton(width, height, b.lines, Look::Highlight, kCapHeight);
        images.push_back(MakeImage(normalLook, {normal}));
        images.push_back(
            MakeImage(MainMenuButtonPicture(b.number, ButtonLook::Highlighted), {highlight}));
        // After the intro the menu must look exactly as one opened without it.
        images.push_back(
            MakeImage(MainMenuButtonPicture(b.number, ButtonLook::AfterIntro), {normal}));
    }
}

}  // namespace menuart
