// The start-game screen: the showroom frame, the six car pictures, the arrows, Start and Back.

#include <cmath>
#include <string>

#include "assetgen/menus/menu_parts.h"
#include "assetgen/menus/menu_style.h"

namespace menuart {

namespace {

constexpr int kFrameWidth = 404;
constexpr int kFrameHeight = 242;
// The car pictures lie at (231, 259) on the screen, (33, 41) inside the frame.
constexpr int kCarX = 231 - 198;
constexpr int kCarY = 259 - 218;
constexpr int kCarWidth = 338;
constexpr int kCarHeight = 160;

// "SG_Bk": a panel with a caption over a bezel for the car pictures and a lit plinth below.
ImageEntry BuildShowroomFrame() {
    Canvas canvas(kFrameWidth, kFrameHeight);
    cairo_t* cr = canvas.Cr();
    SetColour(cr, kBackdrop);
    cairo_paint(cr);
    DrawPanel(cr, 0, 0, kFrameWidth, kFrameHeight, 12);

    ChromeText(cr, "CHOOSE YOUR CAR", kFrameWidth / 2.0, 22, 26, Look::Normal, 2, 0.1);

    // Bezel around the car pictures.
    DrawWell(cr, kCarX - 4, kCarY - 4, kCarWidth + 8, kCarHeight + 8, 4);
    RoundedRect(cr, kCarX - 2.5, kCarY - 2.5, kCarWidth + 5, kCarHeight + 5, 3);
    cairo_set_line_width(cr, 1.5);
    SetColour(cr, kAccent, 0.8);
    cairo_stroke(cr);

    // The plinth under the car: one strip of light along the floor, brightest in the middle and
    // dying out towards the ends. A row of separate lights there read as a page indicator that
    // never moved.
    const double y = kCarY + kCarHeight + 16;
    Divider(cr, 24, y - 9, kFrameWidth - 48, 0x9AA3B2, 0.35);
    cairo_pattern_t* strip = cairo_pattern_create_linear(40, 0, kFrameWidth - 40, 0);
    for (int i = 0; i <= 10; ++i) {
        const double t = i / 10.0;
        const uint32_t c = Mix(0x2A1A0C, kAccentHot, std::pow(std::sin(t * M_PI), 1.5));
        cairo_pattern_add_color_stop_rgb(strip, t, ((c >> 16) & 0xFF) / 255.0,
                                         ((c >> 8) & 0xFF) / 255.0, (c & 0xFF) / 255.0);
    }
    RoundedRect(cr, 40, y, kFrameWidth - 80, 4, 2);
    cairo_set_source(cr, strip);
    cairo_fill(cr);
    cairo_pattern_destroy(strip);
    Divider(cr, 24, y + 12, kFrameWidth - 48, 0x9AA3B2, 0.35);
    return SingleImage(Picture::SG_Bk, canvas);
}

// The arrows beside the car: a chevron in chrome, orange and glowing when selected.
ImageEntry BuildArrow(Picture picture, int dir) {
    return TwoStateButton(picture, [dir](Canvas& canvas, Look look) {
        cairo_t* cr = canvas.Cr();
        auto shape = [dir](cairo_t* c) { ArrowPath(c, 17, 20, 20, 28, dir); };
        if (look == Look::Highlight)
            BakedGlow(canvas, shape, 4, kAccent);
        else
            BackdropFringe(cr, shape, 3);
        shape(cr);
        SetColour(cr, kInk);
        cairo_set_line_width(cr, 3);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke_preserve(cr);
        if (look == Look::Normal)
            VerticalGradient(cr, 6, 34,
                             {{0, 0xFFFFFF}, {0.48, 0xC9CFD8}, {0.52, 0x6F7887}, {1, 0xE6E9EE}});
        else
            VerticalGradient(cr, 6, 34, {{0, 0xFFF4D0}, {0.5, 0xFFB347}, {1, 0xE0561A}});
        cairo_fill(cr);
    });
}

}  // namespace

void AddStartGameImages(std::vector<ImageEntry>& images) {
    images.push_back(BuildShowroomFrame());
    for (int car = 1; car <= 6; ++car)
        images.push_back(
            MakeImage(ShowroomCarPicture(car), {DrawShowroomCar(car, kCarWidth, kCarHeight)}));
    images.push_back(BuildArrow(Picture::SG_Left, -1));
    images.push_back(BuildArrow(Picture::SG_Right, 1));
    images.push_back(TwoStatePlateButton(Picture::SG_Start, {"START"}, 24));
    images.push_back(TwoStatePlateButton(Picture::SG_Back, {"BACK"}, 24));
}

}  // namespace menuart
