#include <gtest/gtest.h>

#include <array>

#include "archive/pattern_geometry.h"

namespace {

struct CountCase {
    int pictureWidth, pictureHeight, patternWidth, patternHeight, skipWidth, skipHeight;
    int columns, rows;
};

class PatternCountTest : public ::testing::TestWithParam<CountCase> {};

TEST_P(PatternCountTest, CountsColumnsAndRows) {
    const CountCase& c = GetParam();
    PatternLayout layout{c.pictureWidth,  c.pictureHeight, c.patternWidth,
                         c.patternHeight, c.skipWidth,     c.skipHeight};
    EXPECT_EQ(layout.ColumnCount(), c.columns);
    EXPECT_EQ(layout.RowCount(), c.rows);
    EXPECT_EQ(layout.PatternCount(), c.columns * c.rows);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, PatternCountTest,
    ::testing::Values(CountCase{100, 50, 0, 0, 0, 0, 1, 1},        // whole picture
                      CountCase{100, 50, -4, -4, 0, 0, 1, 1},      // not positive: whole
                      CountCase{4392, 72, 72, 72, 0, 0, 61, 1},    // the tile strip
                      CountCase{100, 50, 30, 50, 5, 0, 3, 1},      // last column needs no skip
                      CountCase{99, 50, 30, 50, 5, 0, 2, 1},       // one pixel short of it
                      CountCase{105, 50, 30, 50, 5, 0, 3, 1},      // room for the skip too
                      CountCase{101, 55, 30, 10, 5, 5, 2, 4},      // rest 31: no extra column
                      CountCase{100, 50, 200, 50, 0, 0, 0, 1},     // pattern wider than picture
                      CountCase{0, 0, 0, 0, 0, 0, 0, 0},           // no picture
                      CountCase{100, 50, 10, 10, -10, -20, 0, 0},  // steps not positive
                      CountCase{100, 50, 2147483647, 50, 2147483647, 0, 0, 1}));  // no overflow

TEST(PatternRectTest, NumbersLeftToRightThenTopToBottom) {
    PatternLayout layout{100, 55, 30, 10, 5, 5};
    ASSERT_EQ(layout.PatternCount(), 12);
    EXPECT_EQ(layout.PatternWidthOf(), 30);
    EXPECT_EQ(layout.PatternHeightOf(), 10);
    const PatternRect first = layout.RectOf(0);
    EXPECT_EQ((std::array{first.x, first.y, first.width, first.height}),
              (std::array{0, 0, 30, 10}));
    const PatternRect fifth = layout.RectOf(4);
    EXPECT_EQ((std::array{fifth.x, fifth.y}), (std::array{35, 15}));
    const PatternRect last = layout.RectOf(11);
    EXPECT_EQ((std::array{last.x, last.y}), (std::array{70, 45}));
    for (int outside : {-1, 12}) {
        const PatternRect none = layout.RectOf(outside);
        EXPECT_EQ(none.width, 0);
        EXPECT_EQ(none.height, 0);
    }
}

TEST(PatternRectTest, LayoutOfAnItemFallsBackToThePictureSize) {
    ImageEntry entry;
    entry.picture.width = 64;
    entry.picture.height = 32;
    entry.patternWidth = 16;
    const PatternLayout layout = LayoutOf(entry);
    EXPECT_EQ(layout.PatternCount(), 4);
    EXPECT_EQ(layout.RectOf(3).x, 48);
    EXPECT_EQ(layout.RectOf(3).height, 32);
}

}  // namespace
