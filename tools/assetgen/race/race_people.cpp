// Pedestrians seen from above. A figure is drawn walking up and turned for the other directions;
// its four-phase walk swings the legs and the opposite arms, and a fifth pattern repeats the first
// because the walking phase can reach exactly 4. Men wear a shirt and trousers and have short dark
// hair; women wear a flared red dress and have long fair hair.

#include <cmath>
#include <string>

#include "assetgen/canvas.h"
#include "assetgen/race/race_art.h"
#include "assetgen/race/race_parts.h"

using raceart::Circle;
using raceart::Darker;
using raceart::Ellipse;
using raceart::FillLit;
using raceart::FillRadial;
using raceart::Gleam;
using raceart::Stroke;

namespace {

constexpr int kSize = 54;
constexpr double kCentre = kSize / 2.0;
constexpr uint32_t kSkin = 0xE2B08A;
// The figures are modelled about 20 px across and drawn a little larger, to span about 14..40.
constexpr double kScale = 1.25;

struct Look {
    bool girl;
    uint32_t top;   // shirt or dress
    uint32_t legs;  // trousers or bare legs
    uint32_t shoes;
    uint32_t hair;
};

constexpr Look kMan = {false, 0x2F7A5C, 0x2C3550, 0x1A1410, 0x34231A};
constexpr Look kGirl = {true, 0xD2365E, kSkin, 0xA01830, 0xE8BE5A};

void Limb(cairo_t* cr, double x0, double y0, double x1, double y1, double width, uint32_t colour) {
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, width + 1.4);
    SetColour(cr, Darker(colour, 0.55));
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, width);
    SetColour(cr, colour);
    cairo_stroke(cr);
}

// A walking figure facing up in its own frame, centred on the origin; swing is -1..1 (the left
// leg's reach forward).
void Walker(cairo_t* cr, const Look& look, double swing) {
    const double stride = 7.5;
    // Legs and shoes, reaching ahead of and behind the hips.
    for (int side = 0; side < 2; ++side) {
        const double dir = side == 0 ? -1 : 1;
        const double reach = (side == 0 ? swing : -swing) * stride;
        const double hx = dir * 3.2;
        const double fy = 1.5 - reach;
        Limb(cr, hx, 2, hx * 1.05, fy, look.girl ? 2.6 : 3.6, look.legs);
        Ellipse(cr, hx * 1.05, fy - 1.6 * (reach >= 0 ? 1 : -0.4), 1.9, 2.8);
        FillLit(cr, look.shoes, 0.4, true);
        Stroke(cr, 0x0A0808, 0.6);
    }
    if (look.girl) {
        // The flared skirt hides the hips.
        Ellipse(cr, 0, 2.5, 8.2, 6.6);
        FillLit(cr, look.top, 0.4, true);
        Stroke(cr, Darker(look.top, 0.55), 0.9);
        Ellipse(cr, 0, 2.5, 4.6, 3.6);
        SetColour(cr, Darker(look.top, 0.2), 0.6);
        cairo_set_line_width(cr, 0.8);
        cairo_stroke(cr);
    }
    // Arms swing against the legs.
    const double shoulder = look.girl ? 6.6 : 8.0;
    for (int side = 0; side < 2; ++side) {
        const double dir = side == 0 ? -1 : 1;
        const double reach = (side == 0 ? -swing : swing) * 5.5;
        const double hx = dir * (shoulder + 1.2);
        const double hy = -reach + 1;
        Limb(cr, dir * shoulder, 0, hx, hy, 2.8, look.girl ? kSkin : look.top);
        Circle(cr, hx, hy - (reach > 0 ? 1.2 : -1.2), 1.7);
        FillLit(cr, kSkin, 0.3, true);
        Stroke(cr, Darker(kSkin, 0.55), 0.6);
    }
    // Shoulders.
    Ellipse(cr, 0, 0, shoulder + 0.6, look.girl ? 3.8 : 4.4);
    FillLit(cr, look.top, 0.45, true);
    Stroke(cr, Darker(look.top, 0.6), 0.9);
    if (look.girl) {
        // Long hair falling over the shoulders and down the back.
        cairo_move_to(cr, -4.6, -1);
        cairo_curve_to(cr, -5.6, 3, -4.0, 7.5, 0, 8);
        cairo_curve_to(cr, 4.0, 7.5, 5.6, 3, 4.6, -1);
        cairo_close_path(cr);
        FillLit(cr, look.hair, 0.35, true);
        Stroke(cr, Darker(look.hair, 0.5), 0.7);
    }
    // Head: the face shows at the front, hair covers the rest.
    Circle(cr, 0, -1.4, 4.4);
    FillLit(cr, kSkin, 0.3, true);
    Stroke(cr, Darker(kSkin, 0.55), 0.7);
    cairo_new_sub_path(cr);
    if (look.girl) {
        cairo_arc(cr, 0, -1.4, 4.5, -M_PI * 1.05, M_PI * 0.05);
        cairo_curve_to(cr, 4.5, 2.5, 2, 3.5, 0, 3.3);
        cairo_curve_to(cr, -2, 3.5, -4.5, 2.5, -4.5, -1.0);
    } else {
        cairo_arc(cr, 0, -0.6, 4.3, -M_PI * 1.1, M_PI * 0.1);
        cairo_curve_to(cr, 4.0, 2.6, -4.0, 2.6, -4.2, -1.2);
    }
    cairo_close_path(cr);
    FillLit(cr, look.hair, 0.4, true);
    Gleam(cr, 0.35);
    Stroke(cr, Darker(look.hair, 0.55), 0.7);
}

// A figure lying flat on its back, arms and legs splayed, in a pool of blood.
void Lying(cairo_t* cr, const Look& look) {
    cairo_translate(cr, kCentre, kCentre);
    cairo_scale(cr, kScale, kScale);
    // The pool: an uneven dark red blob under the head and chest.
    cairo_move_to(cr, -9, -14);
    const double r[10] = {10, 12, 9, 13, 11, 8, 12, 10, 9, 11};
    for (int i = 0; i <= 10; ++i) {
        const double a = i * 2 * M_PI / 10;
        const double rr = r[i % 10];
        const double x = -6 + std::sin(a) * rr;
        const double y = -8 - std::cos(a) * rr * 0.9;
        if (i == 0) {
            cairo_move_to(cr, x, y);
        } else {
            const double pa = (i - 0.5) * 2 * M_PI / 10;
            const double pr = (rr + r[(i - 1) % 10]) / 2 + 2.5;
            cairo_curve_to(cr, -6 + std::sin(pa) * pr, -8 - std::cos(pa) * pr * 0.9,
                           -6 + std::sin(pa) * pr, -8 - std::cos(pa) * pr * 0.9, x, y);
        }
    }
    cairo_close_path(cr);
    FillRadial(cr, -9, -11, 0, 16, {{0, 0xB01818}, {0.6, 0x880C0C}, {1, 0x600606}});
    Ellipse(cr, -10, -13, 3, 1.6);
    SetColour(cr, 0xD84848);
    cairo_fill(cr);

    cairo_rotate(cr, -0.5);
    // Legs apart, arms out.
    for (double dir : {-1.0, 1.0}) {
        Limb(cr, dir * 3, 4, dir * 7.5, 17, look.girl ? 2.6 : 3.6, look.legs);
        Ellipse(cr, dir * 7.8, 18.5, 2.0, 2.6);
        FillLit(cr, look.shoes, 0.4);
        Limb(cr, dir * 6.5, -6, dir * 14.5, -1, 2.8, look.girl ? kSkin : look.top);
        Circle(cr, dir * 15.5, -0.5, 1.8);
        FillLit(cr, kSkin, 0.3);
    }
    if (look.girl) {
        Ellipse(cr, 0, 3, 8.5, 7);
        FillLit(cr, look.top, 0.4, true);
        Stroke(cr, Darker(look.top, 0.55), 0.9);
    }
    // Body from above: chest and belly.
    cairo_save(cr);
    RoundedRect(cr, -6.5, -9, 13, 14, 5);
    FillLit(cr, look.top, 0.4, true);
    Stroke(cr, Darker(look.top, 0.6), 0.9);
    cairo_restore(cr);
    if (look.girl) {
        Ellipse(cr, 0, -16, 6.5, 5.5);
        FillLit(cr, look.hair, 0.35, true);
        Stroke(cr, Darker(look.hair, 0.5), 0.7);
    }
    Circle(cr, 0, -13, 4.4);
    FillLit(cr, kSkin, 0.3, true);
    Stroke(cr, Darker(kSkin, 0.55), 0.7);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, -13.6, 4.5, M_PI * 0.9, M_PI * 2.1);
    cairo_close_path(cr);
    FillLit(cr, look.hair, 0.4, true);
    Stroke(cr, Darker(look.hair, 0.55), 0.6);
}

ImageEntry WalkImage(Picture picture, const Look& look, double turn) {
    // Phase 0: left foot forward; 1: passing; 2: right foot forward; 3: passing; 4 = 0.
    const double swings[5] = {1, 0, -1, 0, 1};
    std::vector<DecodedPicture> patterns;
    for (double swing : swings) {
        Canvas canvas(picture);
        cairo_t* cr = canvas.Cr();
        cairo_translate(cr, kCentre, kCentre);
        cairo_rotate(cr, turn);
        cairo_scale(cr, kScale, kScale);
        Walker(cr, look, swing);
        patterns.push_back(canvas.ToPicture(true));
    }
    return MakeImage(picture, patterns);
}

// A person's pictures: walking up, down, left and right, and lying.
struct PersonPictures {
    Picture up, down, left, right, laying;
};

void AddPerson(std::vector<ImageEntry>& images, const PersonPictures& who, const Look& look) {
    images.push_back(WalkImage(who.up, look, 0));
    images.push_back(WalkImage(who.down, look, M_PI));
    images.push_back(WalkImage(who.left, look, -M_PI / 2));
    images.push_back(WalkImage(who.right, look, M_PI / 2));
    Canvas canvas(who.laying);
    Lying(canvas.Cr(), look);
    images.push_back(SingleImage(who.laying, canvas));
}

}  // namespace

std::vector<ImageEntry> raceart::BuildPedestrians() {
    std::vector<ImageEntry> images;
    AddPerson(images,
              {Picture::Man_Up, Picture::Man_Down, Picture::Man_Left, Picture::Man_Right,
               Picture::Man_Laying},
              kMan);
    AddPerson(images,
              {Picture::Girl_Up, Picture::Girl_Down, Picture::Girl_Left, Picture::Girl_Right,
               Picture::Girl_Laying},
              kGirl);
    return images;
}
