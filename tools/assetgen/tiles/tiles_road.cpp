// The road and verge tiles. A road edge is a straight line through a row of cells: vertical on a
// straight road, one column every two rows on a drift. Each cell knows the edge lines that touch
// it, its own and those of a neighbour whose kerb band reaches across the shared edge, and draws
// the kerb band, the pavement beyond it and the kerb's shadow from those lines. Neighbouring
// cells then draw the same band on both sides of their seam.

#include <cmath>
#include <vector>

#include "assetgen/canvas.h"
#include "assetgen/tiles/tiles_art.h"

namespace tiles {

namespace {

constexpr double kSize = kTileSize;
constexpr double kKerbWidth = kRoadKerbWidth;  // along the row, like the straight road's kerb
constexpr double kShadowWidth = 4.0;  // the pavement's shadow on the road beside a left kerb

// A road-edge line across one row of cells, in the cell's own coordinates: x at the bottom
// (y = 72) and at the top (y = 0). The road lies on the side `roadSide` points to (+1: right).
struct EdgeLine {
    double xBottom;
    double xTop;
    int roadSide;
};

struct RoadCell {
    std::vector<EdgeLine> ownEdges;        // lines that run through this cell
    std::vector<EdgeLine> neighbourEdges;  // a neighbour's line whose band reaches in here
};

// Lines of the road geometry. The kerb line of a drift row lies in the first or last road cell,
// or in the verge cell beside it; in the latter case the road cell next to it gets a stub.
RoadCell CellEdges(int code) {
    switch (code) {
        case 1:
            return {{{0, 0, +1}}, {}};
        case 4:
            return {{{kSize, kSize, -1}}, {}};
        case 5:
            return {{{0, 36, +1}}, {}};
        case 8:
            return {{}, {{kSize, kSize + 36, -1}}};
        case 9:
            return {{}, {{-36, 0, +1}}};
        case 12:
            return {{{36, kSize, -1}}, {}};
        case 13:
            return {{{kSize, 36, -1}}, {}};
        case 16:
            return {{}, {{0, -36, +1}}};
        case 17:
            return {{}, {{kSize + 36, kSize, -1}}};
        case 20:
            return {{{36, 0, +1}}, {}};
        case 26:
            return {{{0, 36, -1}}, {}};
        case 27:
            return {{{kSize, 36, +1}}, {}};
        case 28:
            return {{{36, kSize, +1}}, {}};
        case 29:
            return {{{36, 0, -1}}, {}};
        default:
            return {};
    }
}

// A band beside an edge line, from `near` to `far` pixels away from it on the road side.
void BandPath(cairo_t* cr, const EdgeLine& line, double near, double far) {
    const double s = line.roadSide;
    cairo_move_to(cr, line.xTop + s * near, 0);
    cairo_line_to(cr, line.xTop + s * far, 0);
    cairo_line_to(cr, line.xBottom + s * far, kSize);
    cairo_line_to(cr, line.xBottom + s * near, kSize);
    cairo_close_path(cr);
}

// The pavement side of a line within the cell.
void PavementPath(cairo_t* cr, const EdgeLine& line) {
    if (line.roadSide > 0) {
        cairo_move_to(cr, 0, 0);
        cairo_line_to(cr, line.xTop, 0);
        cairo_line_to(cr, line.xBottom, kSize);
        cairo_line_to(cr, 0, kSize);
    } else {
        cairo_move_to(cr, line.xTop, 0);
        cairo_line_to(cr, kSize, 0);
        cairo_line_to(cr, kSize, kSize);
        cairo_line_to(cr, line.xBottom, kSize);
    }
    cairo_close_path(cr);
}

// The pavement stands a kerb's height above the road. With the light from the left, a kerb on
// the road's left edge throws a soft shadow onto the road; one on the right edge faces the light.
void DrawKerbShadow(cairo_t* cr, const EdgeLine& line) {
    if (line.roadSide < 0) return;
    const double alphas[] = {0.34, 0.22, 0.12, 0.05};
    for (int i = 0; i < 4; ++i) {
        BandPath(cr, line, kKerbWidth + i * kShadowWidth / 4,
                 kKerbWidth + (i + 1) * kShadowWidth / 4);
        cairo_set_source_rgba(cr, 0, 0, 0.02, alphas[i]);
        cairo_fill(cr);
    }
}

void DrawKerbBand(cairo_t* cr, const EdgeLine& line, const Materials& materials) {
    BandPath(cr, line, 0, kKerbWidth);
    FillMaterial(cr, materials.kerb);
    // The kerb's top edge next to the pavement, a fine joint.
    BandPath(cr, line, 0, 1);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.05);
    cairo_fill(cr);
    // The face toward the road: in the light on a right edge, turned away on a left edge.
    BandPath(cr, line, kKerbWidth - 1, kKerbWidth);
    if (line.roadSide > 0) {
        cairo_set_source_rgba(cr, 0, 0, 0, 0.07);
    } else {
        cairo_set_source_rgba(cr, 1, 1, 1, 0.28);
    }
    cairo_fill(cr);
}

enum class Mark { None, Divider, Centre };

// Lane marks: white dividers 3 px wide, a yellow centre line 4 px wide. They stop 12 px short
// of the top and bottom edges, so they never have to meet a mark in the next row.
constexpr double kMarkTop = 12.0;
constexpr double kMarkBottom = 60.0;

void SetMarkColour(cairo_t* cr, Mark mark) {
    SetColour(cr, mark == Mark::Centre ? palette::kLaneYellow : palette::kLaneWhite);
}

// Worn paint: a little of the road shows through.
void WearMark(cairo_t* cr, const Materials& materials) {
    cairo_save(cr);
    cairo_clip_preserve(cr);
    UseMaterial(cr, materials.asphalt);
    cairo_paint_with_alpha(cr, 0.16);
    cairo_restore(cr);
    cairo_new_path(cr);
}

// A mark on the vertical cell boundary, drawn hugging the cell's left edge (x 1-3 or 1-4).
void DrawStraightMark(cairo_t* cr, Mark mark, const Materials& materials) {
    const double width = mark == Mark::Centre ? 4.0 : 3.0;
    cairo_rectangle(cr, 1, kMarkTop, width, kMarkBottom - kMarkTop);
    SetMarkColour(cr, mark);
    cairo_fill_preserve(cr);
    WearMark(cr, materials);
}

// A mark centred on a drift diagonal from (xBottom, 72) to (xTop, 0), with square ends.
void DrawDiagonalMark(cairo_t* cr, Mark mark, double xBottom, double xTop,
                      const Materials& materials) {
    const double width = mark == Mark::Centre ? 4.0 : 3.0;
    auto xAt = [&](double y) { return xTop + (xBottom - xTop) * y / kSize; };
    // Ends cut square to the line, pulled in so that their corners stay within y 12-59.
    const double dx = (xBottom - xTop) / kSize;
    const double len = std::sqrt(1 + dx * dx);
    const double nx = 1 / len;  // unit normal (across the line)
    const double ny = -dx / len;
    const double hw = width / 2;
    const double inset = std::fabs(ny) * hw;
    const double y0 = kMarkTop + inset;
    const double y1 = kMarkBottom - inset;
    cairo_move_to(cr, xAt(y0) - nx * hw, y0 - ny * hw);
    cairo_line_to(cr, xAt(y0) + nx * hw, y0 + ny * hw);
    cairo_line_to(cr, xAt(y1) + nx * hw, y1 + ny * hw);
    cairo_line_to(cr, xAt(y1) - nx * hw, y1 - ny * hw);
    cairo_close_path(cr);
    SetMarkColour(cr, mark);
    cairo_fill_preserve(cr);
    WearMark(cr, materials);
}

struct MarkSpec {
    Mark mark = Mark::None;
    bool diagonal = false;
    double xBottom = 0;
    double xTop = 0;
};

MarkSpec CellMark(int code) {
    // The four drift phases put their lines on these diagonals.
    const double rightPhase1[] = {0, 36};
    const double rightPhase2[] = {36, kSize};
    const double leftPhase1[] = {kSize, 36};
    const double leftPhase2[] = {36, 0};
    auto diag = [](Mark m, const double* line) { return MarkSpec{m, true, line[0], line[1]}; };
    switch (code) {
        case 2:
        case 4:
        case 22:
        case 34:
        case 35:
            return {Mark::Divider};
        case 3:
        case 21:
            return {Mark::Centre};
        case 6:
        case 8:
            return diag(Mark::Divider, rightPhase1);
        case 7:
            return diag(Mark::Centre, rightPhase1);
        case 9:
        case 11:
            return diag(Mark::Divider, rightPhase2);
        case 10:
            return diag(Mark::Centre, rightPhase2);
        case 14:
        case 16:
            return diag(Mark::Divider, leftPhase1);
        case 15:
            return diag(Mark::Centre, leftPhase1);
        case 17:
        case 19:
            return diag(Mark::Divider, leftPhase2);
        case 18:
            return diag(Mark::Centre, leftPhase2);
        default:
            return {};
    }
}

// A cast-iron manhole cover in the middle slab of a verge junction.
void DrawManhole(cairo_t* cr) {
    const double cx = 36, cy = 36, r = 9.5;
    cairo_arc(cr, cx + 1, cy + 1, r + 1.5, 0, 2 * M_PI);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.25);
    cairo_fill(cr);
    cairo_arc(cr, cx, cy, r + 1.5, 0, 2 * M_PI);
    SetColour(cr, 0x6E6A64);
    cairo_fill(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_pattern_t* shade = cairo_pattern_create_linear(cx - r, cy - r, cx + r, cy + r);
    cairo_pattern_add_color_stop_rgb(shade, 0, 0.36, 0.35, 0.34);
    cairo_pattern_add_color_stop_rgb(shade, 1, 0.22, 0.21, 0.21);
    cairo_set_source(cr, shade);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(shade);
    // A raised grid of ribs.
    cairo_save(cr);
    cairo_clip(cr);
    cairo_set_line_width(cr, 1.0);
    for (double d = -r; d <= r; d += 3.5) {
        cairo_move_to(cr, cx + d + 0.5, cy - r);
        cairo_line_to(cr, cx + d + 0.5, cy + r);
        cairo_move_to(cr, cx - r, cy + d + 0.5);
        cairo_line_to(cr, cx + r, cy + d + 0.5);
    }
    cairo_set_source_rgba(cr, 0.55, 0.53, 0.5, 0.35);
    cairo_stroke(cr);
    cairo_restore(cr);
    cairo_arc(cr, cx, cy, r - 0.5, M_PI * 0.75, M_PI * 1.75);
    cairo_set_line_width(cr, 1.0);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.25);
    cairo_stroke(cr);
}

// A steel bollard with a reflective band, seen from above, throwing its shadow down-right.
void DrawBollard(cairo_t* cr, double cx, double cy) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_move_to(cr, -2.6, -1.5);
    cairo_line_to(cr, 1.2, -3.5);
    cairo_line_to(cr, 8.5, 4.0);
    cairo_line_to(cr, 3.5, 6.5);
    cairo_close_path(cr);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.22);
    cairo_fill(cr);
    cairo_arc(cr, 0, 0, 3.6, 0, 2 * M_PI);
    SetColour(cr, 0x2A2C30);
    cairo_fill(cr);
    cairo_arc(cr, 0, 0, 2.6, 0, 2 * M_PI);
    SetColour(cr, 0xE8C23A);
    cairo_fill(cr);
    cairo_arc(cr, 0, 0, 1.6, 0, 2 * M_PI);
    SetColour(cr, 0x3A3D42);
    cairo_fill(cr);
    cairo_arc(cr, -0.6, -0.6, 0.8, 0, 2 * M_PI);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.55);
    cairo_fill(cr);
    cairo_restore(cr);
}

// A slot drain across the mouth of a side street.
void DrawDrain(cairo_t* cr, double x, double y, double w, double h) {
    cairo_rectangle(cr, x, y, w, h);
    SetColour(cr, 0x55534F);
    cairo_fill(cr);
    cairo_rectangle(cr, x + 1, y + 1, w - 2, h - 2);
    SetColour(cr, 0x1E1E20);
    cairo_fill(cr);
    cairo_set_line_width(cr, 1.0);
    for (double yy = y + 3; yy < y + h - 1; yy += 3) {
        cairo_move_to(cr, x + 1, yy + 0.5);
        cairo_line_to(cr, x + w - 1, yy + 0.5);
    }
    SetColour(cr, 0x6A6862);
    cairo_stroke(cr);
}

bool IsVerge(int code) {
    return code == 23 || code == 24 || code == 25 || code == 58 || code == 60;
}

}  // namespace

void DrawRoadTile(cairo_t* cr, int code, const Materials& materials) {
    cairo_save(cr);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_GOOD);
    cairo_rectangle(cr, 0, 0, kSize, kSize);
    FillMaterial(cr, IsVerge(code) ? materials.paving : materials.asphalt);

    const RoadCell cell = CellEdges(code);
    for (const EdgeLine& line : cell.ownEdges) {
        PavementPath(cr, line);
        FillMaterial(cr, materials.paving);
    }
    for (const EdgeLine& line : cell.ownEdges) DrawKerbShadow(cr, line);
    for (const EdgeLine& line : cell.neighbourEdges) DrawKerbShadow(cr, line);
    for (const EdgeLine& line : cell.ownEdges) DrawKerbBand(cr, line, materials);
    for (const EdgeLine& line : cell.neighbourEdges) DrawKerbBand(cr, line, materials);

    const MarkSpec mark = CellMark(code);
    if (mark.mark != Mark::None) {
        if (mark.diagonal) {
            DrawDiagonalMark(cr, mark.mark, mark.xBottom, mark.xTop, materials);
        } else {
            DrawStraightMark(cr, mark.mark, materials);
        }
    }

    if (code == 25) DrawManhole(cr);
    if (code == 58) {
        // The side street comes in from the left: bollards keep cars out of it.
        DrawBollard(cr, 13, 22);
        DrawBollard(cr, 13, 50);
        DrawDrain(cr, 26, 30, 6, 12);
    }
    if (code == 60) {
        DrawBollard(cr, 58, 22);
        DrawBollard(cr, 58, 50);
        DrawDrain(cr, 40, 30, 6, 12);
    }
    cairo_restore(cr);
}

}  // namespace tiles
