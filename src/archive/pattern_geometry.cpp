#include "archive/pattern_geometry.h"

#include <climits>
#include <cstdint>

namespace {

// Sizes come straight from the archive, so the sums are done in 64 bits.
int CellsAlong(int pictureSize, int patternSize, int skip) {
    if (patternSize <= 0) return 0;
    const int64_t step = int64_t{patternSize} + skip;
    if (step <= 0 || pictureSize <= 0) return 0;
    int64_t cells = pictureSize / step;
    if (pictureSize - cells * step == patternSize) ++cells;
    return static_cast<int>(cells);
}

}  // namespace

int PatternLayout::PatternWidthOf() const {
    return patternWidth > 0 ? patternWidth : pictureWidth;
}

int PatternLayout::PatternHeightOf() const {
    return patternHeight > 0 ? patternHeight : pictureHeight;
}

int PatternLayout::ColumnCount() const {
    return CellsAlong(pictureWidth, PatternWidthOf(), skipWidth);
}

int PatternLayout::RowCount() const {
    return CellsAlong(pictureHeight, PatternHeightOf(), skipHeight);
}

int PatternLayout::PatternCount() const {
    const int64_t count = int64_t{ColumnCount()} * RowCount();
    return count > INT_MAX ? INT_MAX : static_cast<int>(count);
}

PatternRect PatternLayout::RectOf(int n) const {
    const int columns = ColumnCount();
    if (n < 0 || n >= PatternCount() || columns <= 0) return {};
    const int width = PatternWidthOf();
    const int height = PatternHeightOf();
    const int64_t x = int64_t{n % columns} * (int64_t{width} + skipWidth);
    const int64_t y = int64_t{n / columns} * (int64_t{height} + skipHeight);
    return {static_cast<int>(x), static_cast<int>(y), width, height};
}

PatternLayout LayoutOf(const ImageEntry& entry) {
    PatternLayout layout;
    layout.pictureWidth = entry.picture.width;
    layout.pictureHeight = entry.picture.height;
    layout.patternWidth = entry.patternWidth;
    layout.patternHeight = entry.patternHeight;
    layout.skipWidth = entry.skipWidth;
    layout.skipHeight = entry.skipHeight;
    return layout;
}
