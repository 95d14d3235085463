#pragma once
// How an image item is cut into patterns: numbered from 0 left to right, then top to bottom.

#include "archive/archive_types.h"

struct PatternRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct PatternLayout {
    int pictureWidth = 0;
    int pictureHeight = 0;
    int patternWidth = 0;  // as stored: 0 or less means the whole picture
    int patternHeight = 0;
    int skipWidth = 0;
    int skipHeight = 0;

    int PatternWidthOf() const;   // the effective pattern width
    int PatternHeightOf() const;  // the effective pattern height
    // Patterns per row: the picture width div (pattern width + skip), plus one when the rest
    // is exactly one pattern wide (the last column needs no skip after it). 0 when the pattern
    // width, or pattern width + skip, is not positive.
    int ColumnCount() const;
    int RowCount() const;  // likewise with heights
    int PatternCount() const;
    // The pixels of pattern n inside the picture; an empty rect when n is not in
    // 0..PatternCount()-1. With a negative skip a rect may reach past the picture's edge.
    PatternRect RectOf(int n) const;
};

// The layout of an archive item's picture.
PatternLayout LayoutOf(const ImageEntry& entry);
