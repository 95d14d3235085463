// The options screen: the three setting rows in each state, their highlight frames, the country
// field with its cursor, and Back.

#include <algorithm>
#include <string>

#include "assetgen/menus/menu_parts.h"
#include "assetgen/menus/menu_style.h"

namespace menuart {

namespace {

constexpr double kRowCap = 24;    // capital height of the setting rows' lettering
constexpr double kTextLeft = 16;  // clear of the highlight frame's corners

// A setting row: the setting's name in chrome, then its value in orange (or dim steel when the
// setting is off), left-aligned and centred vertically.
ImageEntry BuildSettingRow(Picture picture, const std::string& label, const std::string& value,
                           bool on) {
    Canvas canvas(picture);
    const int height = canvas.Height();
    cairo_t* cr = canvas.Cr();
    const double size = kRowCap / 0.7;
    const TextBox labelBox = MeasureText(cr, label, size);
    const TextBox valueBox = MeasureText(cr, value, size);
    const double cy = height / 2.0;
    ChromeText(cr, label, kTextLeft + labelBox.width / 2, cy, size, Look::Normal, 2.5, 0.08);
    const double valueX = kTextLeft + labelBox.width + 14 + valueBox.width / 2;
    if (on)
        SolidText(cr, value, valueX, cy, size, 0xFFD27A, 0xE8661A, 2.5, 0.08);
    else
        SolidText(cr, value, valueX, cy, size, 0x8A93A3, 0x4E5563, 2.5, 0.08);
    return SingleImage(picture, canvas);
}

// A highlight around a row with a see-through middle: glowing corner brackets joined by thin
// lines along the top and bottom. `leftLegs` limits the left brackets' height where the game
// writes text close to the frame's left edge.
ImageEntry BuildHighlightFrame(Picture picture, int frameHeight, double leftLegs) {
    Canvas canvas(picture);
    const int width = canvas.Width();
    cairo_t* cr = canvas.Cr();
    const double inset = 2.5;
    const double x0 = inset;
    const double y0 = inset;
    const double x1 = width - inset;
    const double y1 = frameHeight - inset;
    const double legs = std::min(16.0, frameHeight * 0.3);
    const double arm = 26;
    auto brackets = [&](cairo_t* c) {
        // Corner brackets, as closed thin shapes so that they can be filled and blurred.
        auto bracket = [&](double cx, double cy, double dx, double dy, double leg) {
            const double t = 3;
            cairo_move_to(c, cx, cy);
            cairo_line_to(c, cx + dx * arm, cy);
            cairo_line_to(c, cx + dx * arm, cy + dy * t);
            cairo_line_to(c, cx + dx * t, cy + dy * t);
            cairo_line_to(c, cx + dx * t, cy + dy * leg);
            cairo_line_to(c, cx, cy + dy * leg);
            cairo_close_path(c);
        };
        bracket(x0, y0, 1, 1, leftLegs);
        bracket(x1, y0, -1, 1, legs);
        bracket(x0, y1, 1, -1, leftLegs);
        bracket(x1, y1, -1, -1, legs);
        // Thin rails between the brackets.
        cairo_rectangle(c, x0 + arm + 5, y0, x1 - x0 - 2 * arm - 10, 1.5);
        cairo_rectangle(c, x0 + arm + 5, y1 - 1.5, x1 - x0 - 2 * arm - 10, 1.5);
    };
    // No glow: the frame lies over the row's picture and the country field, which must stay
    // untouched; a bright core with a darker orange rim reads as lit instead.
    brackets(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    SetColour(cr, 0xB8480E);
    cairo_set_line_width(cr, 1.5);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
    cairo_stroke_preserve(cr);
    VerticalGradient(cr, 0, frameHeight, {{0, 0xFFF0C8}, {0.5, 0xFFB347}, {1, 0xFFF0C8}});
    cairo_fill(cr);
    return SingleImage(picture, canvas);
}

// "CountryEditBg": a light field for black text, with a chrome rim; opaque to its corners.
ImageEntry BuildCountryField() {
    Canvas canvas(Picture::CountryEditBg);
    const int kWidth = canvas.Width();
    const int kHeight = canvas.Height();
    cairo_t* cr = canvas.Cr();
    SetColour(cr, kBackdrop);
    cairo_paint(cr);
    RoundedRect(cr, 0, 0, kWidth, kHeight, 7);
    VerticalGradient(cr, 0, kHeight, {{0, 0xF2F4F7}, {0.5, 0x7E8796}, {1, 0xC9CFD8}});
    cairo_fill(cr);
    RoundedRect(cr, 2, 2, kWidth - 4, kHeight - 4, 5);
    SetColour(cr, 0x2A2F38);
    cairo_fill(cr);
    RoundedRect(cr, 3, 3, kWidth - 6, kHeight - 6, 4);
    VerticalGradient(cr, 3, kHeight - 3, {{0, 0xC8CDD5}, {0.12, 0xEEF0F3}, {1, 0xFBFBFC}});
    cairo_fill(cr);
    // A faint orange line along the bottom of the field, like a text field's focus line.
    cairo_rectangle(cr, 8, kHeight - 5, kWidth - 16, 1);
    SetColour(cr, kAccent, 0.35);
    cairo_fill(cr);
    return SingleImage(Picture::CountryEditBg, canvas);
}

// "Null": one key-coloured pixel, the empty normal look of the setting rows.
ImageEntry BuildNull() {
    DecodedPicture picture;
    picture.width = 1;
    picture.height = 1;
    picture.pixels = {0xFF000000u | kKeyColour};
    return MakeImage(Picture::Null, {picture});
}

}  // namespace

void AddOptionsImages(std::vector<ImageEntry>& images) {
    images.push_back(BuildCountryField());
    images.push_back(BuildSettingRow(Picture::OptFullScreen, "DISPLAY:", "FULL SCREEN", true));
    images.push_back(BuildSettingRow(Picture::OptWindow, "DISPLAY:", "WINDOW", true));
    images.push_back(BuildSettingRow(Picture::OptMusicOn, "MUSIC:", "ON", true));
    images.push_back(BuildSettingRow(Picture::OptMusicOff, "MUSIC:", "OFF", false));
    images.push_back(BuildSettingRow(Picture::OptSoundOn, "SOUND:", "ON", true));
    images.push_back(BuildSettingRow(Picture::OptSoundOff, "SOUND:", "OFF", false));
    images.push_back(BuildNull());
    // Row pictures lie 7 or 8 px below their frames' tops, so the frames surround them evenly.
    images.push_back(BuildHighlightFrame(Picture::Opt_1, 64, 16));
    images.push_back(BuildHighlightFrame(Picture::Opt_2, 62, 16));
    images.push_back(BuildHighlightFrame(Picture::Opt_3, 62, 16));
    // Row 4 frames "Your country:" (written from x 116, y 447) and the field (up to x 761); its
    // left brackets stay short to clear the text, and its frame stops above Back at y 513.
    images.push_back(BuildHighlightFrame(Picture::Opt_4, 75, 9));
    images.push_back(TwoStatePlateButton(Picture::Opt_Bk, {"BACK"}, 20));
    images.push_back(CursorBar(Picture::Cursor, 0x000000));
}

}  // namespace menuart
