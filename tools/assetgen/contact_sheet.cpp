#include "assetgen/contact_sheet.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace {

constexpr int kSheetWidth = 2400;
constexpr int kMargin = 20;
constexpr int kCellGap = 28;       // between two images
constexpr int kPatternGap = 6;     // between two patterns of one image
constexpr int kLabelHeight = 36;   // name line and size line above an image
constexpr int kNumberHeight = 16;  // pattern numbers under the patterns
constexpr int kSectionHeader = 52;
constexpr int kChecker = 8;

struct PatternGrid {
    int width;
    int height;
    int columns;
    int count;
    int Left(int n) const;
    int Top(int n) const;
    int skipWidth;
    int skipHeight;
};

int PatternGrid::Left(int n) const {
    return (n % columns) * (width + skipWidth);
}
int PatternGrid::Top(int n) const {
    return (n / columns) * (height + skipHeight);
}

PatternGrid GridOf(const ImageEntry& image) {
    PatternGrid grid{};
    grid.width = image.patternWidth > 0 ? image.patternWidth : image.picture.width;
    grid.height = image.patternHeight > 0 ? image.patternHeight : image.picture.height;
    grid.skipWidth = image.skipWidth;
    grid.skipHeight = image.skipHeight;
    grid.width = std::max(1, std::min(grid.width, image.picture.width));
    grid.height = std::max(1, std::min(grid.height, image.picture.height));
    grid.columns =
        std::max(1, (image.picture.width + grid.skipWidth) / (grid.width + grid.skipWidth));
    const int rows =
        std::max(1, (image.picture.height + grid.skipHeight) / (grid.height + grid.skipHeight));
    grid.count = grid.columns * rows;
    if (image.picture.width == 0 || image.picture.height == 0) grid.count = 0;
    return grid;
}

// Where an image goes on the sheet and how it is drawn.
struct Cell {
    const ImageEntry* image;
    PatternGrid grid;
    double scale;  // below 1 only for patterns wider than the sheet
    int perLine;   // patterns side by side before wrapping
    int width;
    int height;
    int x = 0;
    int y = 0;
};

std::string SizeLine(const ImageEntry& image, const PatternGrid& grid) {
    std::string line =
        std::to_string(image.picture.width) + "x" + std::to_string(image.picture.height);
    if (grid.count != 1)
        line += "  " + std::to_string(grid.count) + " x " + std::to_string(grid.width) + "x" +
                std::to_string(grid.height);
    line += image.transparent ? "  T" : "  O";
    return line;
}

double TextWidth(cairo_t* cr, const std::string& text, double size, bool bold) {
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, text.c_str(), &ext);
    return ext.x_advance;
}

void Label(cairo_t* cr, const std::string& text, double x, double baseline, double size, bool bold,
           double grey) {
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
    cairo_set_source_rgb(cr, grey, grey, grey);
    cairo_move_to(cr, x, baseline);
    cairo_show_text(cr, text.c_str());
}

Cell MeasureCell(cairo_t* cr, const ImageEntry& image) {
    Cell cell{&image, GridOf(image), 1.0, 1, 0, 0};
    const int usable = kSheetWidth - 2 * kMargin;
    if (cell.grid.width > usable) cell.scale = static_cast<double>(usable) / cell.grid.width;
    const double pw = cell.grid.width * cell.scale;
    const double ph = cell.grid.height * cell.scale;
    cell.perLine = std::max(1, static_cast<int>((usable + kPatternGap) / (pw + kPatternGap)));
    cell.perLine = std::min(cell.perLine, std::max(1, cell.grid.count));
    const int lines = std::max(1, (cell.grid.count + cell.perLine - 1) / cell.perLine);
    const double picturesWidth = cell.perLine * (pw + kPatternGap) - kPatternGap;
    const double labelWidth = std::max(TextWidth(cr, image.name, 14, true),
                                       TextWidth(cr, SizeLine(image, cell.grid), 11, false));
    cell.width = static_cast<int>(std::ceil(std::max(picturesWidth, labelWidth)));
    cell.height = kLabelHeight + static_cast<int>(std::ceil(lines * (ph + kNumberHeight)));
    return cell;
}

// One pattern as a Cairo surface, the key colour turned see-through.
cairo_surface_t* PatternSurface(const ImageEntry& image, const PatternGrid& grid, int n) {
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, grid.width, grid.height);
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    // The archive stores the key as 0x00BBGGRR; pixels are 0xAARRGGBB.
    const uint32_t key = ((image.transparentColor & 0xFF) << 16) |
                         (image.transparentColor & 0xFF00) |
                         ((image.transparentColor >> 16) & 0xFF);
    const int left = grid.Left(n);
    const int top = grid.Top(n);
    for (int y = 0; y < grid.height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
        for (int x = 0; x < grid.width; ++x) {
            const int px = left + x;
            const int py = top + y;
            uint32_t out = 0;
            if (px < image.picture.width && py < image.picture.height) {
                const uint32_t rgb = image.picture.At(px, py) & 0xFFFFFF;
                if (!(image.transparent && rgb == key)) out = 0xFF000000u | rgb;
            }
            row[x] = out;
        }
    }
    cairo_surface_mark_dirty(surface);
    return surface;
}

void Checkerboard(cairo_t* cr, double x, double y, double w, double h) {
    cairo_save(cr);
    cairo_rectangle(cr, x, y, w, h);
    cairo_clip(cr);
    cairo_set_source_rgb(cr, 0.70, 0.70, 0.70);
    cairo_paint(cr);
    cairo_set_source_rgb(cr, 0.55, 0.55, 0.55);
    for (int cy = 0; cy * kChecker < h; ++cy)
        for (int cx = 0; cx * kChecker < w; ++cx)
            if ((cx + cy) % 2)
                cairo_rectangle(cr, x + cx * kChecker, y + cy * kChecker, kChecker, kChecker);
    cairo_fill(cr);
    cairo_restore(cr);
}

void DrawCell(cairo_t* cr, const Cell& cell) {
    const ImageEntry& image = *cell.image;
    Label(cr, image.name, cell.x, cell.y + 15, 14, true, 0.95);
    Label(cr, SizeLine(image, cell.grid), cell.x, cell.y + 30, 11, false, 0.65);
    const double pw = cell.grid.width * cell.scale;
    const double ph = cell.grid.height * cell.scale;
    for (int n = 0; n < cell.grid.count; ++n) {
        const double x = cell.x + (n % cell.perLine) * (pw + kPatternGap);
        const double y = cell.y + kLabelHeight + (n / cell.perLine) * (ph + kNumberHeight);
        Checkerboard(cr, x, y, pw, ph);
        cairo_surface_t* pattern = PatternSurface(image, cell.grid, n);
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_scale(cr, cell.scale, cell.scale);
        cairo_set_source_surface(cr, pattern, 0, 0);
        cairo_pattern_set_filter(cairo_get_source(cr),
                                 cell.scale < 1 ? CAIRO_FILTER_GOOD : CAIRO_FILTER_NEAREST);
        cairo_paint(cr);
        cairo_restore(cr);
        cairo_surface_destroy(pattern);
        cairo_rectangle(cr, x - 0.5, y - 0.5, pw + 1, ph + 1);
        cairo_set_source_rgb(cr, 0.35, 0.35, 0.35);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        Label(cr, std::to_string(n), x + 1, y + ph + 12, 10, false, 0.6);
    }
}

}  // namespace

bool WriteContactSheet(const std::vector<ContactSheetSection>& sections, const std::string& path) {
    // First pass: measure every cell and flow the cells into rows.
    cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
    cairo_t* measure = cairo_create(scratch);
    struct Placed {
        std::string title;
        int count;
        int y;
        std::vector<Cell> cells;
    };
    std::vector<Placed> placed;
    int y = kMargin;
    for (const ContactSheetSection& section : sections) {
        Placed p{section.title, static_cast<int>(section.images.size()), y, {}};
        y += kSectionHeader;
        int x = kMargin;
        int rowHeight = 0;
        for (const ImageEntry& image : section.images) {
            Cell cell = MeasureCell(measure, image);
            if (x > kMargin && x + cell.width > kSheetWidth - kMargin) {
                x = kMargin;
                y += rowHeight + kCellGap;
                rowHeight = 0;
            }
            cell.x = x;
            cell.y = y;
            x += cell.width + kCellGap;
            rowHeight = std::max(rowHeight, cell.height);
            p.cells.push_back(cell);
        }
        y += rowHeight + kCellGap * 2;
        placed.push_back(std::move(p));
    }
    cairo_destroy(measure);
    cairo_surface_destroy(scratch);

    const int height = std::max(y + kMargin, 2 * kMargin);
    cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kSheetWidth, height);
    if (cairo_surface_status(sheet) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(sheet);
        return false;
    }
    cairo_t* cr = cairo_create(sheet);
    cairo_set_source_rgb(cr, 0.16, 0.16, 0.17);
    cairo_paint(cr);
    for (const Placed& p : placed) {
        Label(cr, p.title, kMargin, p.y + 26, 22, true, 1.0);
        Label(cr, std::to_string(p.count) + " images", kMargin, p.y + 44, 12, false, 0.6);
        cairo_rectangle(cr, kMargin, p.y + kSectionHeader - 4, kSheetWidth - 2 * kMargin, 1);
        cairo_set_source_rgb(cr, 0.4, 0.4, 0.42);
        cairo_fill(cr);
        for (const Cell& cell : p.cells) DrawCell(cr, cell);
    }
    cairo_destroy(cr);
    const cairo_status_t status = cairo_surface_write_to_png(sheet, path.c_str());
    cairo_surface_destroy(sheet);
    return status == CAIRO_STATUS_SUCCESS;
}
