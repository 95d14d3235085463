#pragma once
// How an image item is cut into patterns: numbered from 0 left to right, then top to bottom.

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
    int PatternCount() const;
    // The pixels of pattern n inside the picture; n must be in 0..PatternCount()-1.
    PatternRect RectOf(int n) const;
};
