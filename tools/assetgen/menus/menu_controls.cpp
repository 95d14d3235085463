// The controls screen: the options screen's button that leads to it, the highlight of an action's
// row, and Defaults. (The screen's Back is the options screen's, and the title of its question
// lies with the windows.)

#include "assetgen/menus/menu_parts.h"
#include "assetgen/menus/menu_style.h"

namespace menuart {

namespace {

// "Ctl_Row": the selected action's row, 680 × 28, the game's white text inside it. Thin rails
// along the top and bottom, closed by short brackets, and an arrow head before the action's name;
// the middle stays see-through so the text reads on the backdrop.
ImageEntry BuildRowHighlight() {
    Canvas canvas(Picture::Ctl_Row);
    const double width = canvas.Width();
    const double height = canvas.Height();
    cairo_t* cr = canvas.Cr();
    const double rail = 1.5;
    const double arm = 22;
    const double leg = 3;
    // Clear of the picture's edges by two pixels, so that its corners stay see-through.
    const double left = 2;
    const double right = width - 2;
    const double top = 2;
    const double bottom = height - 2;
    auto frame = [&](cairo_t* c) {
        // Rails, and the brackets at both ends standing up from them.
        cairo_rectangle(c, left, top, right - left, rail);
        cairo_rectangle(c, left, bottom - rail, right - left, rail);
        for (const double x : {left, right - leg}) cairo_rectangle(c, x, top, leg, bottom - top);
        for (const double x : {left, right - arm}) {
            cairo_rectangle(c, x, top, arm, leg);
            cairo_rectangle(c, x, bottom - leg, arm, leg);
        }
        // The marker before the name, which the game writes from x 24 of the row.
        ArrowPath(c, 13, height / 2, 8, 11, 1);
    };
    frame(cr);
    SetColour(cr, kAccentDeep);
    cairo_set_line_width(cr, 1);
    cairo_stroke_preserve(cr);
    VerticalGradient(cr, 0, height, {{0, kAccentHot}, {0.5, kAccent}, {1, kAccentHot}});
    cairo_fill(cr);
    return SingleImage(Picture::Ctl_Row, canvas);
}

}  // namespace

void AddControlsImages(std::vector<ImageEntry>& images) {
    images.push_back(TwoStatePlateButton(Picture::Opt_Ctl, {"CONTROLS"}, 20));
    images.push_back(BuildRowHighlight());
    images.push_back(TwoStatePlateButton(Picture::Ctl_Def, {"DEFAULTS"}, 20));
}

}  // namespace menuart
