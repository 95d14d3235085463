// The generator's pictures are made to the catalogue's measure: the right number of patterns at
// exactly the catalogue's size, named and see-through as the catalogue says; one pixel or one
// pattern off is refused, so an archive the game does not expect is never written.

#include <gtest/gtest.h>

#include <stdexcept>

#include "assetgen/canvas.h"

namespace {

DecodedPicture Blank(int width, int height) {
    DecodedPicture picture;
    picture.width = width;
    picture.height = height;
    picture.pixels.assign(static_cast<size_t>(width) * height, 0xFF102030u);
    return picture;
}

TEST(MakeImageTest, TakesNameLayoutAndTransparencyFromTheCatalogue) {
    // "Yes": two patterns of 73 x 40, see-through; "Panel": one of 190 x 600, opaque.
    const ImageEntry yes = MakeImage(Picture::Yes, {Blank(73, 40), Blank(73, 40)});
    EXPECT_EQ(yes.name, "Yes");
    EXPECT_EQ(yes.patternWidth, 73);
    EXPECT_EQ(yes.picture.width, 146);
    EXPECT_TRUE(yes.transparent);
    const ImageEntry panel = MakeImage(Picture::Panel, {Blank(190, 600)});
    EXPECT_FALSE(panel.transparent);
}

TEST(MakeImageTest, RefusesOnePixelOrOnePatternOffTheCatalogue) {
    EXPECT_THROW(MakeImage(Picture::Yes, {Blank(73, 40)}), std::logic_error);
    EXPECT_THROW(MakeImage(Picture::Yes, {Blank(73, 40), Blank(73, 40), Blank(73, 40)}),
                 std::logic_error);
    EXPECT_THROW(MakeImage(Picture::Yes, {Blank(73, 40), Blank(72, 40)}), std::logic_error);
    EXPECT_THROW(MakeImage(Picture::Yes, {Blank(73, 41), Blank(73, 41)}), std::logic_error);
    // The options' fourth highlight frame is 662 pixels wide, not 650.
    EXPECT_THROW(MakeImage(Picture::Opt_4, {Blank(650, 80)}), std::logic_error);
    EXPECT_NO_THROW(MakeImage(Picture::Opt_4, {Blank(662, 80)}));
}

}  // namespace
