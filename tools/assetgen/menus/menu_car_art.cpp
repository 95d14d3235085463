// Showroom pictures of the six player cars: each car in side view on a turntable under a
// spotlight, in the body colour its race sprite wears.

#include <algorithm>
#include <cmath>
#include <string>

#include "assetgen/menus/menu_parts.h"
#include "assetgen/menus/menu_style.h"

namespace menuart {

namespace {

// A side profile, car facing right. Lengths in pixels; heights above the ground; the positions
// of the roof and the glass as fractions of the length from the rear bumper.
struct CarShape {
    double length;
    double wheelBase;
    double frontOverhang;  // front wheel centre to the nose
    double wheelRadius;
    double ride;  // underside of the body
    double belt;  // shoulder line under the windows
    double nose;
    double tail;
    double roof;
    double rearGlass;  // where the rear window meets the deck
    double roofBack;   // the flat roof's ends
    double roofFront;
    double windshield;  // where the windscreen meets the bonnet
    enum class Extra { None, Lip, Wing, Scoop, Rally } extra;
    enum class Stripe { None, TwinLow, Band, Pin } stripe;
    uint32_t stripeColour;
    bool darkRoof;  // two-tone: black above the shoulder
    bool darkRims;
    bool whiteRoof = false;  // the roof above the windows white, as the race sprite shows it
};

// Cars 1 to 6: a coupé, a long grand tourer, a muscle car, a rally hatchback, a mid-engined
// supercar and a two-tone grand tourer. Car 3 is the widest on the road and car 4 the shortest,
// as their race sprites are.
const CarShape kShapes[6] = {
    {272, 164, 54, 21, 9, 52, 38, 54, 84, 0.20, 0.36, 0.58, 0.72, CarShape::Extra::Lip,
     CarShape::Stripe::TwinLow, 0xF6F6F6, false, false},
    {290, 176, 56, 21, 8, 50, 36, 52, 80, 0.15, 0.35, 0.55, 0.70, CarShape::Extra::None,
     CarShape::Stripe::Pin, 0xDDE3EA, false, false},
    {284, 170, 54, 23, 10, 58, 50, 58, 92, 0.22, 0.31, 0.56, 0.68, CarShape::Extra::Scoop,
     CarShape::Stripe::Band, 0x15161A, false, true},
    {238, 150, 42, 21, 11, 56, 42, 62, 100, 0.05, 0.11, 0.55, 0.71, CarShape::Extra::Rally,
     CarShape::Stripe::None, 0xFFFFFF, false, false, true},
    {292, 176, 50, 21, 7, 48, 30, 52, 73, 0.12, 0.40, 0.56, 0.76, CarShape::Extra::Wing,
     CarShape::Stripe::Pin, kAccent, false, true},
    {290, 180, 54, 22, 9, 52, 38, 54, 84, 0.16, 0.33, 0.56, 0.70, CarShape::Extra::Lip,
     CarShape::Stripe::Pin, 0xD9B25A, true, false},
};

constexpr double kGround = 134;

class CarPainter {
public:
    CarPainter(cairo_t* cr, const CarShape& shape, uint32_t body, double left)
        : cr_(cr), s_(shape), body_(body), left_(left) {
        rearWheel_ = s_.length - s_.frontOverhang - s_.wheelBase;
        frontWheel_ = s_.length - s_.frontOverhang;
        deck_ = std::max(s_.tail, s_.belt + 4);
    }

    void Draw() {
        DrawWheelWells();
        BodyPath();
        FillBody();
        DrawGlass();
        DrawDetails();
        DrawWheel(rearWheel_);
        DrawWheel(frontWheel_);
        DrawExtraOnTop();
    }

    // Underside extent, for the shadow.
    double Left() const { return left_; }
    double Right() const { return left_ + s_.length; }

private:
    double X(double x) const { return left_ + x; }
    double Y(double h) const { return kGround - h; }
    void Move(double x, double h) { cairo_move_to(cr_, X(x), Y(h)); }
    void Line(double x, double h) { cairo_line_to(cr_, X(x), Y(h)); }
    void Curve(double x1, double h1, double x2, double h2, double x3, double h3) {
        cairo_curve_to(cr_, X(x1), Y(h1), X(x2), Y(h2), X(x3), Y(h3));
    }
    double ArchRadius() const { return s_.wheelRadius + 3; }

    void BodyPath() {
        const double L = s_.length;
        const double rw = s_.rearGlass * L;
        const double rb = s_.roofBack * L;
        const double rf = s_.roofFront * L;
        const double ws = s_.windshield * L;
        const double noseDrop = std::min(12.0, s_.nose - s_.ride - 8);
        cairo_new_path(cr_);
        Move(3, s_.ride + 1);
        Curve(0, s_.ride + 6, -1, s_.tail - 12, 1, s_.tail - 4);
        Curve(2, s_.tail - 1, 5, s_.tail, 9, s_.tail);
        if (s_.extra == CarShape::Extra::Rally) {
            // A hatchback: the rear window rises almost straight from the tail.
            Line(rw, deck_);
        } else {
            Curve(rw * 0.5, s_.tail + 1, rw * 0.8, deck_, rw, deck_);
        }
        Curve(rw + (rb - rw) * 0.45, deck_ + (s_.roof - deck_) * 0.6, rb - (rb - rw) * 0.2, s_.roof,
              rb, s_.roof);
        Curve(rb + (rf - rb) * 0.3, s_.roof + 1.5, rf - (rf - rb) * 0.3, s_.roof + 1.5, rf,
              s_.roof);
        Curve(rf + (ws - rf) * 0.35, s_.roof - 2, ws - (ws - rf) * 0.3, s_.belt + 7, ws,
              s_.belt + 3);
        Curve(ws + (L - ws) * 0.45, s_.belt + 1, L - 16, s_.nose + 5, L - 5, s_.nose);
        Curve(L - 1, s_.nose - 1.5, L + 1, s_.nose - noseDrop * 0.5, L, s_.nose - noseDrop);
        Curve(L - 1, s_.ride + 6, L - 2, s_.ride + 2, L - 7, s_.ride + 1);
        // The sill, cut by the two wheel arches.
        for (double wheel : {frontWheel_, rearWheel_}) {
            const double ra = ArchRadius();
            const double below = std::asin(std::clamp((s_.wheelRadius - s_.ride) / ra, -1.0, 1.0));
            const double ax = wheel + ra * std::cos(below);
            Line(ax, s_.ride);
            cairo_arc_negative(cr_, X(wheel), Y(s_.wheelRadius), ra, below, -M_PI - below);
        }
        Line(3, s_.ride + 1);
        cairo_close_path(cr_);
    }

    void FillBody() {
        const double top = Y(s_.roof);
        const double bottom = Y(s_.ride);
        auto at = [&](double h) { return std::clamp((Y(h) - top) / (bottom - top), 0.0, 1.0); };
        cairo_pattern_t* p = cairo_pattern_create_linear(0, top, 0, bottom);
        auto stop = [&](double offset, uint32_t c) {
            cairo_pattern_add_color_stop_rgb(p, offset, ((c >> 16) & 0xFF) / 255.0,
                                             ((c >> 8) & 0xFF) / 255.0, (c & 0xFF) / 255.0);
        };
        stop(0, Mix(body_, 0xFFFFFF, 0.35));
        stop(at(s_.belt + 2), Mix(body_, 0xFFFFFF, 0.5));
        stop(at(s_.belt - 3), Mix(body_, 0xFFFFFF, 0.12));
        stop(at(s_.belt - 6), body_);
        stop(at((s_.belt + s_.ride) / 2), Mix(body_, 0x000000, 0.25));
        stop(1, Mix(body_, 0x000000, 0.65));
        cairo_set_source(cr_, p);
        cairo_pattern_destroy(p);
        cairo_fill_preserve(cr_);

        cairo_save(cr_);
        cairo_clip(cr_);
        if (s_.darkRoof) {
            cairo_rectangle(cr_, X(-5), Y(s_.roof + 5), s_.length + 10, s_.roof + 5 - s_.belt - 1);
            cairo_pattern_t* roof = cairo_pattern_create_linear(0, Y(s_.roof), 0, Y(s_.belt));
            cairo_pattern_add_color_stop_rgb(roof, 0, 0.32, 0.33, 0.38);
            cairo_pattern_add_color_stop_rgb(roof, 1, 0.05, 0.05, 0.07);
            cairo_set_source(cr_, roof);
            cairo_pattern_destroy(roof);
            cairo_fill(cr_);
        }
        if (s_.whiteRoof) {
            // The roof panel above the glass, white like the rally car's roof seen from above.
            cairo_rectangle(cr_, X(-5), Y(s_.roof + 5), s_.length + 10, 9);
            cairo_pattern_t* roof = cairo_pattern_create_linear(0, Y(s_.roof), 0, Y(s_.roof - 4));
            cairo_pattern_add_color_stop_rgb(roof, 0, 0.98, 0.98, 0.99);
            cairo_pattern_add_color_stop_rgb(roof, 1, 0.80, 0.82, 0.85);
            cairo_set_source(cr_, roof);
            cairo_pattern_destroy(roof);
            cairo_fill(cr_);
        }
        // Stripes along the flank.
        auto band = [&](double h0, double h1, uint32_t c, double alpha) {
            cairo_rectangle(cr_, X(-5), Y(h1), s_.length + 10, h1 - h0);
            SetColour(cr_, c, alpha);
            cairo_fill(cr_);
        };
        switch (s_.stripe) {
            case CarShape::Stripe::TwinLow:
                band(s_.ride + 9, s_.ride + 12, s_.stripeColour, 0.9);
                band(s_.ride + 14, s_.ride + 16, s_.stripeColour, 0.9);
                break;
            case CarShape::Stripe::Band:
                band(s_.belt - 12, s_.belt - 4, s_.stripeColour, 0.92);
                break;
            case CarShape::Stripe::Pin:
                band(s_.belt - 6, s_.belt - 4.5, s_.stripeColour, 0.85);
                break;
            case CarShape::Stripe::None:
                break;
        }
        // The shoulder catches the light; the crease below it is in shade.
        cairo_set_line_width(cr_, 1.5);
        Move(-2, s_.belt - 2);
        Line(s_.length + 2, s_.belt - 2);
        cairo_set_source_rgba(cr_, 1, 1, 1, 0.45);
        cairo_stroke(cr_);
        Move(-2, s_.belt - 8);
        Line(s_.length + 2, s_.belt - 8);
        cairo_set_source_rgba(cr_, 0, 0, 0, 0.18);
        cairo_stroke(cr_);
        // A dark sill.
        cairo_rectangle(cr_, X(-5), Y(s_.ride + 5), s_.length + 10, 6);
        cairo_set_source_rgba(cr_, 0, 0, 0, 0.35);
        cairo_fill(cr_);
        cairo_restore(cr_);

        // A thin dark outline keeps the car crisp against the floor.
        BodyPath();
        cairo_set_line_width(cr_, 1.2);
        SetColour(cr_, kInk, 0.9);
        cairo_stroke(cr_);
    }

    void GlassPath(double inset) {
        const double L = s_.length;
        const double rw = s_.rearGlass * L + 7 + inset;
        const double rb = s_.roofBack * L + 2;
        const double rf = s_.roofFront * L - 1;
        const double ws = s_.windshield * L - 8 - inset;
        const double low = s_.belt + 3;
        const double high = s_.roof - 4;
        cairo_new_path(cr_);
        Move(rw, low);
        Curve(rw + (rb - rw) * 0.45, low + (high - low) * 0.6, rb - (rb - rw) * 0.2, high, rb,
              high);
        Line(rf, high);
        Curve(rf + (ws - rf) * 0.35, high - 1.5, ws - (ws - rf) * 0.3, low + 5, ws, low);
        cairo_close_path(cr_);
    }

    void DrawGlass() {
        GlassPath(0);
        VerticalGradient(cr_, Y(s_.roof), Y(s_.belt),
                         {{0, 0x55647A}, {0.45, 0x222A36}, {1, 0x0A0D13}});
        cairo_fill_preserve(cr_);
        cairo_save(cr_);
        cairo_clip(cr_);
        // Reflections of the showroom lights sweep across the glass.
        for (int i = 0; i < 2; ++i) {
            const double x = s_.length * (0.42 + i * 0.12);
            const double w = i == 0 ? 14 : 6;
            Move(x, s_.belt);
            Line(x + w, s_.belt);
            Line(x + w + 22, s_.roof);
            Line(x + 22, s_.roof);
            cairo_close_path(cr_);
            cairo_set_source_rgba(cr_, 1, 1, 1, 0.14);
            cairo_fill(cr_);
        }
        // The B-pillar between the doors.
        const double pillar = PillarX();
        Move(pillar - 3, s_.belt);
        Line(pillar + 3, s_.belt);
        Line(pillar + 1, s_.roof);
        Line(pillar - 5, s_.roof);
        cairo_close_path(cr_);
        SetColour(cr_, s_.darkRoof ? 0x0A0A0D : Mix(body_, 0x000000, 0.35));
        cairo_fill(cr_);
        cairo_restore(cr_);
        GlassPath(0);
        cairo_set_line_width(cr_, 1.5);
        SetColour(cr_, kInk);
        cairo_stroke(cr_);
    }

    double PillarX() const { return (s_.roofBack * s_.length + s_.roofFront * s_.length) / 2 + 4; }

    void DrawDetails() {
        const double L = s_.length;
        const double pillar = PillarX();
        const double ws = s_.windshield * L;
        // Door seams and handle.
        cairo_set_line_width(cr_, 1);
        cairo_set_source_rgba(cr_, 0, 0, 0, 0.45);
        Move(ws - 6, s_.belt + 2);
        Curve(ws - 4, s_.belt - 10, ws - 4, s_.ride + 14, ws - 8, s_.ride + 6);
        cairo_stroke(cr_);
        Move(pillar - 2, s_.belt + 1);
        Line(pillar - 2, s_.ride + 6);
        cairo_stroke(cr_);
        RoundedRect(cr_, X(pillar - 18), Y(s_.belt - 7), 10, 3, 1.5);
        cairo_set_source_rgba(cr_, 0, 0, 0, 0.55);
        cairo_fill(cr_);
        // Side mirror.
        Move(ws - 4, s_.belt + 2);
        Curve(ws - 6, s_.belt + 9, ws + 6, s_.belt + 10, ws + 5, s_.belt + 3);
        cairo_close_path(cr_);
        SetColour(cr_, s_.darkRoof ? 0x111115 : Mix(body_, 0x000000, 0.2));
        cairo_fill_preserve(cr_);
        SetColour(cr_, kInk, 0.8);
        cairo_stroke(cr_);
        // Headlight and tail light.
        const double noseDrop = std::min(12.0, s_.nose - s_.ride - 8);
        Move(L - 20, s_.nose + 3.5);
        Curve(L - 12, s_.nose + 2.5, L - 5, s_.nose + 0.5, L - 1.5, s_.nose - noseDrop * 0.4);
        Line(L - 4, s_.nose - noseDrop * 0.4 - 2);
        Curve(L - 10, s_.nose - 1, L - 16, s_.nose, L - 20, s_.nose + 1);
        cairo_close_path(cr_);
        VerticalGradient(cr_, Y(s_.nose + 4), Y(s_.nose - 3), {{0, 0xFFFFFF}, {1, 0xB8D4F0}});
        cairo_fill(cr_);
        RoundedRect(cr_, X(-0.5), Y(s_.tail - 3), 7, 6, 2);
        VerticalGradient(cr_, Y(s_.tail - 3), Y(s_.tail - 9), {{0, 0xFF6A50}, {1, 0xA00E08}});
        cairo_fill(cr_);
        // Exhaust tip under the rear bumper.
        RoundedRect(cr_, X(-3), Y(s_.ride + 4), 9, 4, 2);
        VerticalGradient(cr_, Y(s_.ride + 4), Y(s_.ride), {{0, 0xD8DCE2}, {1, 0x50565F}});
        cairo_fill(cr_);

        if (s_.extra == CarShape::Extra::Wing) {
            // The engine's air intake ahead of the rear wheel.
            const double x = rearWheel_ + ArchRadius() + 6;
            Move(x, s_.ride + 12);
            Curve(x + 10, s_.belt - 8, x + 26, s_.belt - 6, x + 40, s_.belt - 6);
            Curve(x + 26, s_.belt - 12, x + 14, s_.ride + 14, x + 6, s_.ride + 10);
            cairo_close_path(cr_);
            VerticalGradient(cr_, Y(s_.belt - 6), Y(s_.ride + 10), {{0, 0x2A2D33}, {1, 0x060607}});
            cairo_fill(cr_);
        }
        if (s_.extra == CarShape::Extra::Rally) {
            // A start number on the door and a pair of spot lamps on the nose.
            const double cx = X((pillar + ws) / 2 - 4);
            const double cy = Y((s_.belt + s_.ride) / 2 + 2);
            cairo_arc(cr_, cx, cy, 11, 0, 2 * M_PI);
            SetColour(cr_, 0xF8F8F8);
            cairo_fill_preserve(cr_);
            SetColour(cr_, kInk, 0.8);
            cairo_set_line_width(cr_, 1);
            cairo_stroke(cr_);
            SolidText(cr_, "4", cx, cy, 17, 0x101010, 0x101010, 0);
            for (int i = 0; i < 2; ++i) {
                cairo_arc(cr_, X(L - 6 - i * 9), Y(s_.nose - noseDrop - 3), 4.2, 0, 2 * M_PI);
                SetColour(cr_, 0x1A1A1A);
                cairo_fill(cr_);
                cairo_arc(cr_, X(L - 6 - i * 9), Y(s_.nose - noseDrop - 3), 3, 0, 2 * M_PI);
                SetColour(cr_, 0xFFE9A0);
                cairo_fill(cr_);
            }
        }
    }

    void DrawExtraOnTop() {
        const double L = s_.length;
        const double ws = s_.windshield * L;
        switch (s_.extra) {
            case CarShape::Extra::Lip:
                Move(2, s_.tail - 1);
                Line(0, s_.tail + 5);
                Curve(8, s_.tail + 5, 16, s_.tail + 2, 22, s_.tail);
                cairo_close_path(cr_);
                SetColour(cr_, s_.darkRoof ? 0x0A0A0D : Mix(body_, 0x000000, 0.15));
                cairo_fill_preserve(cr_);
                SetColour(cr_, kInk, 0.9);
                cairo_set_line_width(cr_, 1);
                cairo_stroke(cr_);
                break;
            case CarShape::Extra::Wing: {
                // Two struts and a carbon wing.
                for (double x : {10.0, 24.0}) {
                    Move(x, s_.tail - 1);
                    Line(x + 3, s_.tail - 1);
                    Line(x + 1, s_.tail + 16);
                    Line(x - 2, s_.tail + 16);
                    cairo_close_path(cr_);
                    SetColour(cr_, 0x15161A);
                    cairo_fill(cr_);
                }
                Move(-6, s_.tail + 14);
                Curve(6, s_.tail + 21, 28, s_.tail + 21, 40, s_.tail + 18);
                Line(40, s_.tail + 15);
                Curve(24, s_.tail + 15, 8, s_.tail + 14, -6, s_.tail + 11);
                cairo_close_path(cr_);
                VerticalGradient(cr_, Y(s_.tail + 21), Y(s_.tail + 11),
                                 {{0, 0x5A5F68}, {1, 0x101114}});
                cairo_fill_preserve(cr_);
                SetColour(cr_, kInk);
                cairo_set_line_width(cr_, 1);
                cairo_stroke(cr_);
                break;
            }
            case CarShape::Extra::Scoop: {
                const double x0 = ws + (L - ws) * 0.18;
                const double x1 = ws + (L - ws) * 0.5;
                Move(x0, s_.belt + 1);
                Curve(x0 + 4, s_.belt + 8, x1 - 10, s_.belt + 9, x1, s_.belt + 8);
                Line(x1 + 1, s_.belt + 1);
                cairo_close_path(cr_);
                SetColour(cr_, 0x15161A);
                cairo_fill(cr_);
                break;
            }
            case CarShape::Extra::Rally: {
                // A roof rack rail.
                const double rb = s_.roofBack * L;
                const double rf = s_.roofFront * L;
                cairo_rectangle(cr_, X(rb + 4), Y(s_.roof + 5), rf - rb - 8, 2.5);
                SetColour(cr_, 0x202226);
                cairo_fill(cr_);
                for (double x : {rb + 8, rf - 10}) {
                    cairo_rectangle(cr_, X(x), Y(s_.roof + 5), 3, 5);
                    cairo_fill(cr_);
                }
                break;
            }
            case CarShape::Extra::None:
                break;
        }
    }

    void DrawWheelWells() {
        for (double wheel : {rearWheel_, frontWheel_}) {
            cairo_save(cr_);
            cairo_rectangle(cr_, X(wheel - 40), Y(s_.roof), 80, s_.roof - s_.ride);
            cairo_clip(cr_);
            cairo_arc(cr_, X(wheel), Y(s_.wheelRadius), ArchRadius(), 0, 2 * M_PI);
            SetColour(cr_, 0x040405);
            cairo_fill(cr_);
            cairo_restore(cr_);
        }
    }

    void DrawWheel(double wheel) {
        const double cx = X(wheel);
        const double cy = Y(s_.wheelRadius);
        const double r = s_.wheelRadius;
        // Tyre with a faint sidewall.
        cairo_arc(cr_, cx, cy, r, 0, 2 * M_PI);
        SetColour(cr_, 0x0E0F11);
        cairo_fill(cr_);
        cairo_arc(cr_, cx, cy, r * 0.86, 0, 2 * M_PI);
        cairo_set_line_width(cr_, 1.2);
        SetColour(cr_, 0x2C2F35);
        cairo_stroke(cr_);
        // Rim.
        const double rim = r * 0.68;
        cairo_pattern_t* metal =
            cairo_pattern_create_radial(cx - rim * 0.3, cy - rim * 0.3, 0, cx, cy, rim);
        if (s_.darkRims) {
            cairo_pattern_add_color_stop_rgb(metal, 0, 0.55, 0.57, 0.62);
            cairo_pattern_add_color_stop_rgb(metal, 1, 0.16, 0.17, 0.2);
        } else {
            cairo_pattern_add_color_stop_rgb(metal, 0, 0.97, 0.98, 1.0);
            cairo_pattern_add_color_stop_rgb(metal, 1, 0.5, 0.54, 0.6);
        }
        cairo_arc(cr_, cx, cy, rim, 0, 2 * M_PI);
        cairo_set_source(cr_, metal);
        cairo_pattern_destroy(metal);
        cairo_fill(cr_);
        // Five openings between the spokes, the brake calliper showing through the top one.
        for (int i = 0; i < 5; ++i) {
            const double a = -M_PI / 2 + M_PI / 5 + i * 2 * M_PI / 5;
            const double half = 0.36;
            cairo_new_path(cr_);
            cairo_arc(cr_, cx, cy, rim * 0.86, a - half, a + half);
            cairo_arc_negative(cr_, cx, cy, rim * 0.34, a + half * 0.6, a - half * 0.6);
            cairo_close_path(cr_);
            SetColour(cr_, 0x15171B);
            cairo_fill(cr_);
        }
        cairo_new_path(cr_);
        cairo_arc(cr_, cx, cy, rim * 0.8, -M_PI * 0.92, -M_PI * 0.62);
        cairo_set_line_width(cr_, 3);
        SetColour(cr_, 0xD83A1C);
        cairo_stroke(cr_);
        // Hub.
        cairo_arc(cr_, cx, cy, rim * 0.22, 0, 2 * M_PI);
        SetColour(cr_, s_.darkRims ? 0x2A2D33 : 0xC9CED6);
        cairo_fill(cr_);
        cairo_arc(cr_, cx, cy, rim * 0.1, 0, 2 * M_PI);
        SetColour(cr_, 0x101114);
        cairo_fill(cr_);
    }

    cairo_t* cr_;
    const CarShape& s_;
    uint32_t body_;
    double left_;
    double rearWheel_ = 0;
    double frontWheel_ = 0;
    double deck_ = 0;
};

// The showroom: a dark wall lit from above and a glossy floor with a turntable.
void DrawShowroom(cairo_t* cr, int width, int height) {
    const double horizon = kGround - 30;
    VerticalGradient(cr, 0, horizon, {{0, 0x0C0E13}, {1, 0x1C212B}});
    cairo_rectangle(cr, 0, 0, width, horizon);
    cairo_fill(cr);
    VerticalGradient(cr, horizon, height, {{0, 0x262B36}, {0.3, 0x161A21}, {1, 0x08090C}});
    cairo_rectangle(cr, 0, horizon, width, height - horizon);
    cairo_fill(cr);
    // Wall panels.
    cairo_set_line_width(cr, 1);
    for (int x = 28; x < width; x += 56) {
        cairo_move_to(cr, x + 0.5, 0);
        cairo_line_to(cr, x + 0.5, horizon);
    }
    cairo_set_source_rgba(cr, 1, 1, 1, 0.035);
    cairo_stroke(cr);
    cairo_move_to(cr, 0, horizon + 0.5);
    cairo_line_to(cr, width, horizon + 0.5);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.08);
    cairo_stroke(cr);
    // Spotlight from above.
    cairo_pattern_t* spot =
        cairo_pattern_create_radial(width / 2.0, -30, 10, width / 2.0, -30, height * 1.25);
    cairo_pattern_add_color_stop_rgba(spot, 0, 1, 0.97, 0.9, 0.28);
    cairo_pattern_add_color_stop_rgba(spot, 0.6, 1, 0.97, 0.9, 0.07);
    cairo_pattern_add_color_stop_rgba(spot, 1, 1, 0.97, 0.9, 0);
    cairo_set_source(cr, spot);
    cairo_pattern_destroy(spot);
    cairo_paint(cr);
    // Turntable.
    cairo_save(cr);
    cairo_translate(cr, width / 2.0, kGround + 5);
    cairo_scale(cr, 1, 0.11);
    cairo_arc(cr, 0, 0, width * 0.47, 0, 2 * M_PI);
    cairo_restore(cr);
    VerticalGradient(cr, kGround - 10, kGround + 20, {{0, 0x3A414E}, {1, 0x14171D}});
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 1.5);
    SetColour(cr, 0x8A93A3, 0.7);
    cairo_stroke(cr);
    cairo_save(cr);
    cairo_translate(cr, width / 2.0, kGround + 8);
    cairo_scale(cr, 1, 0.11);
    cairo_arc(cr, 0, 0, width * 0.47, 0.15 * M_PI, 0.85 * M_PI);
    cairo_restore(cr);
    cairo_set_line_width(cr, 2);
    SetColour(cr, kAccent, 0.75);
    cairo_stroke(cr);
}

}  // namespace

DecodedPicture DrawShowroomCar(int car, int width, int height) {
    const int index = std::clamp(car, 1, 6) - 1;
    const CarShape& shape = kShapes[index];
    const uint32_t body = kCarBodyColours[index];
    Canvas canvas(width, height);
    cairo_t* cr = canvas.Cr();
    DrawShowroom(cr, width, height);

    const double left = (width - shape.length) / 2.0;
    // The car once, as a group, so it can also be mirrored in the glossy floor.
    cairo_push_group(cr);
    CarPainter painter(cr, shape, body, left);
    painter.Draw();
    cairo_pattern_t* carGroup = cairo_pop_group(cr);

    cairo_save(cr);
    cairo_rectangle(cr, 0, kGround, width, height - kGround);
    cairo_clip(cr);
    cairo_translate(cr, 0, 2 * kGround);
    cairo_scale(cr, 1, -1);
    cairo_set_source(cr, carGroup);
    cairo_pattern_t* fade = cairo_pattern_create_linear(0, kGround, 0, kGround - 40);
    cairo_pattern_add_color_stop_rgba(fade, 0, 0, 0, 0, 0.3);
    cairo_pattern_add_color_stop_rgba(fade, 1, 0, 0, 0, 0);
    cairo_mask(cr, fade);
    cairo_pattern_destroy(fade);
    cairo_restore(cr);

    // Contact shadow.
    cairo_save(cr);
    cairo_translate(cr, (painter.Left() + painter.Right()) / 2, kGround);
    cairo_scale(cr, 1, 0.07);
    cairo_pattern_t* shadow = cairo_pattern_create_radial(0, 0, 0, 0, 0, shape.length * 0.55);
    cairo_pattern_add_color_stop_rgba(shadow, 0, 0, 0, 0, 0.85);
    cairo_pattern_add_color_stop_rgba(shadow, 1, 0, 0, 0, 0);
    cairo_set_source(cr, shadow);
    cairo_pattern_destroy(shadow);
    cairo_arc(cr, 0, 0, shape.length * 0.55, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_restore(cr);

    cairo_set_source(cr, carGroup);
    cairo_paint(cr);
    cairo_pattern_destroy(carGroup);

    // The car's number in the corner, "1 / 6".
    const std::string number = std::to_string(index + 1);
    SolidText(cr, number, 18, 18, 20, 0xFFC45A, kAccent, 1.5);
    SolidText(cr, "/ 6", 40, 20, 13, 0x9AA3B2, 0x6F7887, 1);
    return canvas.ToPicture(false);
}

}  // namespace menuart
