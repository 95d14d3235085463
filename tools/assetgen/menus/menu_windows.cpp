// The modal windows: the Yes/No dialog panel and its titles, the name-entry panel with its check
// box, and the two text cursors.

#include <algorithm>
#include <cmath>

#include "assetgen/menus/menu_parts.h"
#include "assetgen/menus/menu_style.h"

namespace menuart {

namespace {

// "Window": 320 × 120 at (188, 237); the title sits at y 248–284 and Yes/No at y 296–336.
ImageEntry BuildWindow() {
    Canvas canvas(320, 120);
    cairo_t* cr = canvas.Cr();
    BackdropFringe(
        cr, [](cairo_t* c) { RoundedRect(c, 0, 0, 320, 120, 12); }, 1.5);
    DrawPanel(cr, 0, 0, 320, 120, 12);
    Divider(cr, 20, 53, 280, 0x9AA3B2, 0.45);
    // Chevrons on both sides point at the title; the widest title spans x 80–240.
    for (int side = -1; side <= 1; side += 2) {
        for (int i = 0; i < 3; ++i) {
            const double cx = 160 + side * (132 - i * 12);
            ArrowPath(cr, cx, 29, 9, 16, -side);
            SetColour(cr, kAccent, 0.35 + 0.25 * i);
            cairo_fill(cr);
        }
    }
    return SingleImage(Picture::Window, canvas);
}

// A window title: chrome lettering in one or two lines filling the picture.
// `centreY` is the block's centre in the picture.
ImageEntry BuildTitle(Picture picture, const std::vector<std::string>& lines, double maxCap,
                      double centreY) {
    Canvas canvas(picture);
    const int width = canvas.Width();
    cairo_t* cr = canvas.Cr();
    const int n = static_cast<int>(lines.size());
    const double gap = 5;
    double size = maxCap / 0.7;
    for (const std::string& line : lines)
        size = std::min(size, FitTextSize(cr, line, width - 8, maxCap * 1.15, size));
    const double cap = size * 0.7;
    const double block = n * cap + (n - 1) * gap;
    for (int i = 0; i < n; ++i) {
        const double cy = centreY - block / 2 + cap / 2 + i * (cap + gap);
        ChromeText(cr, lines[static_cast<size_t>(i)], width / 2.0, cy, size, Look::Normal,
                   std::max(1.2, size / 16));
    }
    return SingleImage(picture, canvas);
}

// The square of the send check box, with the tick when `ticked`.
DecodedPicture DrawCheckBox(bool ticked) {
    constexpr int kWidth = 55;
    constexpr int kHeight = 46;
    Canvas canvas(kWidth, kHeight);
    cairo_t* cr = canvas.Cr();
    const double size = 32;
    const double x = (kWidth - size) / 2 - 2;
    const double y = (kHeight - size) / 2 + 2;
    BackdropFringe(
        cr, [&](cairo_t* c) { RoundedRect(c, x, y, size, size, 5); }, 2);
    RoundedRect(cr, x, y, size, size, 5);
    VerticalGradient(cr, y, y + size, {{0, 0xF4F6F9}, {0.5, 0x8A93A3}, {1, 0xD0D5DD}});
    cairo_fill(cr);
    RoundedRect(cr, x + 3, y + 3, size - 6, size - 6, 3);
    VerticalGradient(cr, y, y + size, {{0, 0x05060A}, {1, 0x1B1F28}});
    cairo_fill(cr);
    if (ticked) {
        // A bold tick that leaps out of the box to the top right.
        auto tick = [&](cairo_t* c) {
            cairo_move_to(c, x + 6, y + 16);
            cairo_line_to(c, x + 14, y + 24);
            cairo_line_to(c, x + 40, y - 4);
        };
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        tick(cr);
        SetColour(cr, kInk);
        cairo_set_line_width(cr, 11);
        cairo_stroke(cr);
        tick(cr);
        cairo_pattern_t* p = cairo_pattern_create_linear(0, y - 4, 0, y + 24);
        cairo_pattern_add_color_stop_rgb(p, 0, 1.0, 0.85, 0.45);
        cairo_pattern_add_color_stop_rgb(p, 1, 0.96, 0.45, 0.08);
        cairo_set_source(cr, p);
        cairo_pattern_destroy(p);
        cairo_set_line_width(cr, 6);
        cairo_stroke(cr);
    }
    return canvas.ToPicture(true);
}

// "SendTable", 442 × 330 at (127, 135). Screen positions minus (127, 135) give the places below.
ImageEntry BuildSendTable() {
    constexpr int kWidth = 442;
    constexpr int kHeight = 330;
    constexpr double kCentre = 348 - 127;
    Canvas canvas(kWidth, kHeight);
    cairo_t* cr = canvas.Cr();
    // The panel is opaque to its corners; what lies beyond the rounded rim is the backdrop colour.
    SetColour(cr, kBackdrop);
    cairo_paint(cr);
    // Nearly square corners: the panel also opens over the race, where a rounded corner filled
    // with the backdrop colour would show.
    DrawPanel(cr, 0, 0, kWidth, kHeight, 3);

    // Heading.
    SolidText(cr, "NEW HIGH SCORE", kCentre, 30, 34, 0xFFD27A, kAccent, 2.5, 0.1);
    Divider(cr, 40, 52, kWidth - 80, 0xF4861A, 0.6);

    // The band for the score, drawn by the game centred at (348, 217), white 28 pt.
    DrawWell(cr, kCentre - 130, 217 - 135 - 23, 260, 46, 6);

    // The name: label, then the field centred at (348, 345) that holds up to 240 px of name and
    // the cursor bar at y 360–364 just right of it.
    ChromeText(cr, "ENTER YOUR NAME", kCentre, 150, 28, Look::Normal, 2);
    DrawWell(cr, kCentre - 150, 345 - 135 - 28, 300, 50, 6);

    // The slot of the check box at (161, 369), 55 × 46, and its label from x 225.
    const double boxX = 161 - 127;
    const double boxY = 369 - 135;
    RoundedRect(cr, boxX, boxY, 55, 46, 6);
    SetColour(cr, 0x0C0E13);
    cairo_fill(cr);
    RoundedRect(cr, boxX + 0.5, boxY + 0.5, 54, 45, 6);
    SetColour(cr, 0x3A414E);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_select_font_face(cr, kDisplayFont, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    const TextBox label = MeasureText(cr, "SEND RESULTS", 30);
    ChromeText(cr, "SEND RESULTS", (225 - 127) + label.width / 2, boxY + 23, 30, Look::Normal, 2);
    SolidText(cr, "ONLINE",
              (225 - 127) + label.width + 12 + MeasureText(cr, "ONLINE", 20).width / 2,
              boxY + 23 + 3.5, 20, 0x9AA3B2, 0x6F7887, 1.5);

    // The hint at the bottom: a key cap reading ENTER.
    const double hintY = 305;
    const TextBox press = MeasureText(cr, "PRESS", 22);
    const double capW = MeasureText(cr, "ENTER", 18).width + 16;
    const double total = press.width + 8 + capW;
    const double left = kCentre - total / 2;
    SolidText(cr, "PRESS", left + press.width / 2, hintY, 22, 0xC9CFD8, 0x8A93A3, 1.5);
    const double capX = left + press.width + 8;
    RoundedRect(cr, capX, hintY - 12, capW, 24, 4);
    VerticalGradient(cr, hintY - 12, hintY + 12, {{0, 0xFFC45A}, {1, 0xD0601A}});
    cairo_fill(cr);
    RoundedRect(cr, capX + 1.5, hintY - 10.5, capW - 3, 19, 3);
    VerticalGradient(cr, hintY - 12, hintY + 12, {{0, 0xFFB347}, {1, 0xE8741A}});
    cairo_fill(cr);
    SolidText(cr, "ENTER", capX + capW / 2, hintY - 1, 18, 0x2A0C02, 0x2A0C02, 0);
    return SingleImage(Picture::SendTable, canvas);
}

}  // namespace

void AddWindowImages(std::vector<ImageEntry>& images) {
    images.push_back(BuildWindow());
    images.push_back(BuildTitle(Picture::Win_EG, {"EXIT GAME?"}, 24, 18));
    images.push_back(BuildTitle(Picture::Win_ExitToMenu, {"EXIT TO MENU?"}, 24, 18));
    // Two lines below the window's top rim (this picture starts on it, at y 237) and well above
    // the buttons that start at y 296 (the picture ends at 287).
    images.push_back(BuildTitle(Picture::Win_ClearHS, {"CLEAR HIGH", "SCORES?"}, 16, 29));
    // The controls screen's question, laid out as the clear-table one.
    images.push_back(BuildTitle(Picture::Win_Defaults, {"RESTORE DEFAULT", "CONTROLS?"}, 16, 29));
    images.push_back(TwoStatePlateButton(Picture::Yes, {"YES"}, 16));
    images.push_back(TwoStatePlateButton(Picture::No, {"NO"}, 16));
    images.push_back(BuildSendTable());
    images.push_back(MakeImage(Picture::SendOk, {DrawCheckBox(false), DrawCheckBox(true)}));
    images.push_back(CursorBar(Picture::Cursor2, 0xFFFFFF));
}

}  // namespace menuart
