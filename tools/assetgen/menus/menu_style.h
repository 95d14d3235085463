#pragma once
// The look shared by every menu picture: one palette, chrome lettering, button plates and the
// glow of a highlighted button.
//
// The game shows see-through pictures with a one-bit key colour, so nothing may be half
// transparent. Soft edges and glows are therefore baked against the colour of the night backdrop
// (kBackdrop) that every menu screen shows behind them: the outermost glow pixels are almost that
// colour, so on screen they melt into the background instead of ending in a hard rim.

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "archive/archive_types.h"
#include "assetgen/canvas.h"

namespace menuart {

// The palette of every menu picture.
constexpr uint32_t kBackdrop = 0x13161C;    // the backdrop's average colour; glows fade into it
constexpr uint32_t kInk = 0x06070A;         // outlines of lettering and shapes
constexpr uint32_t kAccent = 0xF4861A;      // the orange of highlights and headings
constexpr uint32_t kAccentHot = 0xFFC45A;   // the bright core of a highlight
constexpr uint32_t kAccentDeep = 0xB8300C;  // the dark end of the orange gradients
constexpr uint32_t kSteelLight = 0x434B5A;  // plate fill, top
constexpr uint32_t kSteelDark = 0x161A22;   // plate fill, bottom
constexpr uint32_t kPanelLight = 0x2A303C;  // window panels, top
constexpr uint32_t kPanelDark = 0x101319;   // window panels, bottom
constexpr uint32_t kWell = 0x0B0D12;        // the dark fields that the game writes text into
constexpr uint32_t kTableText = 0xE6DADA;   // the colour the game writes the score table in

// The player cars' body colours, cars 1 to 6; the race sprites use the same list.
constexpr uint32_t kCarBodyColours[6] = {0xD62828, 0x1E6FD9, 0xF2C230,
                                         0x2E9E44, 0xE8E8EC, 0x5B2C83};

// The display face. Plain "Bebas Neue" resolves to its thin Book weight, so the styles are named.
constexpr const char* kDisplayFont = "Bebas Neue Bold";
constexpr const char* kDisplayRegular = "Bebas Neue Regular";
constexpr const char* kPlainFont = "DejaVu Sans";

enum class Look { Normal, Highlight };

// Ink extents of a text in the display face at a given pixel size.
struct TextBox {
    double width;
    double height;
};
TextBox MeasureText(cairo_t* cr, const std::string& text, double sizePx,
                    const char* family = kDisplayFont, bool bold = false);

// The largest size (at most maxSizePx) at which the text's ink fits in maxWidth × maxHeight.
double FitTextSize(cairo_t* cr, const std::string& text, double maxWidth, double maxHeight,
                   double maxSizePx, const char* family = kDisplayFont, bool bold = false);

// Adds the outline of a text to the current path with its ink box centred at (cx, cy). A slant
// leans the letters forward (0.15 is a mild italic) about the centre line.
void TextPath(cairo_t* cr, const std::string& text, double cx, double cy, double sizePx,
              double slant = 0, const char* family = kDisplayFont, bool bold = false);

// Lettering with a dark outline and a metal fill: chrome for the normal look, glowing gold for
// the highlighted look.
void ChromeText(cairo_t* cr, const std::string& text, double cx, double cy, double sizePx,
                Look look, double outline = 3, double slant = 0, const char* family = kDisplayFont);
// Lettering with a dark outline and a flat or two-tone fill.
void SolidText(cairo_t* cr, const std::string& text, double cx, double cy, double sizePx,
               uint32_t top, uint32_t bottom, double outline = 2, double slant = 0,
               const char* family = kDisplayFont, bool bold = false);

// A rectangle with two cut corners (top left and bottom right): the racing plate shape.
void ChamferPath(cairo_t* cr, double x, double y, double w, double h, double cut);

// Linear vertical gradient from top to bottom colour set as the source.
void VerticalGradient(cairo_t* cr, double y0, double y1,
                      const std::vector<std::pair<double, uint32_t>>& stops);

// Paints a soft glow of the given colour around whatever shape `draw` fills, baked against
// kBackdrop and fully opaque wherever it is visible. `radius` is the blur radius in pixels.
void BakedGlow(Canvas& canvas, const std::function<void(cairo_t*)>& draw, double radius,
               uint32_t colour, double strength = 1.0);

// Lays a soft glow of the given colour over an opaque canvas (the backdrop's own lights).
void AddGlow(Canvas& canvas, const std::function<void(cairo_t*)>& draw, double radius,
             uint32_t colour, double strength);

// Fills the shape expanded by one pixel with the backdrop colour, so that the anti-aliased rim of
// the shape drawn over it blends into the backdrop instead of the key colour.
void BackdropFringe(cairo_t* cr, const std::function<void(cairo_t*)>& path, double width = 2.5);

// A button plate filling (x, y, w, h) in the given look, without lettering.
void DrawPlate(Canvas& canvas, double x, double y, double w, double h, Look look);

// A brushed-metal panel with a chrome rim and rounded corners: the body of windows and frames.
void DrawPanel(cairo_t* cr, double x, double y, double w, double h, double radius);
// A recessed dark field for text the game writes, or for a picture laid into a frame.
void DrawWell(cairo_t* cr, double x, double y, double w, double h, double radius);
// A thin horizontal line that fades out at both ends.
void Divider(cairo_t* cr, double x, double y, double w, uint32_t colour, double alpha);

// Space kept around a plate for the glow of the highlighted look.
int PlateMargin(int width, int height);

// A see-through plate button in one look, with one or more lines of lettering no taller than
// maxCapHeight (smaller when a line would not fit).
DecodedPicture PlateButton(int width, int height, const std::vector<std::string>& lines, Look look,
                           double maxCapHeight);
// The game's two-state buttons, at the catalogue's size: pattern 0 is the highlighted look,
// pattern 1 the normal one.
ImageEntry TwoStatePlateButton(Picture picture, const std::vector<std::string>& lines,
                               double maxCapHeight);
// The same for any drawing: `draw` paints one look on a blank canvas of the button's size.
ImageEntry TwoStateButton(Picture picture, const std::function<void(Canvas&, Look)>& draw);

// An opaque text cursor bar (16 x 4).
ImageEntry CursorBar(Picture picture, uint32_t colour);

// A solid arrow head pointing left (dir −1) or right (dir +1) centred at (cx, cy).
void ArrowPath(cairo_t* cr, double cx, double cy, double w, double h, int dir);

// Mixes two 0xRRGGBB colours, t = 0 gives a.
uint32_t Mix(uint32_t a, uint32_t b, double t);

}  // namespace menuart
