// The review sheet: every pattern drawn over a checkerboard, key colour never shown as magenta,
// wide strips wrapped to the sheet, and a failed write reported as a failure.

#include <cairo.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

// The asset generator's headers live with its sources.
#include "assetgen/contact_sheet.h"
#include "persist/temp_folder.h"

namespace {

constexpr uint32_t kMagenta = 0xFF00FF;

// A see-through strip of `count` patterns, each a key-coloured square with a blue dot inside.
ImageEntry Strip(const std::string& name, int count, int size) {
    ImageEntry e;
    e.name = name;
    e.patternWidth = size;
    e.patternHeight = size;
    e.transparent = true;
    e.transparentColor = 0x00FF00FF;
    e.picture.width = size * count;
    e.picture.height = size;
    e.picture.pixels.assign(static_cast<size_t>(e.picture.width) * size, 0xFF000000u | kMagenta);
    for (int n = 0; n < count; ++n)
        for (int y = size / 4; y < size * 3 / 4; ++y)
            for (int x = size / 4; x < size * 3 / 4; ++x)
                e.picture.pixels[static_cast<size_t>(y) * e.picture.width + n * size + x] =
                    0xFF2040E0u;
    return e;
}

class ContactSheetTest : public ::testing::Test {
protected:
    void SetUp() override { path_ = (folder_.Path() / "sheet.png").string(); }

    // Counts sheet pixels by colour class.
    struct Census {
        int width = 0;
        int height = 0;
        int magenta = 0;
        int blue = 0;
    };
    Census Read() const {
        Census c;
        cairo_surface_t* s = cairo_image_surface_create_from_png(path_.c_str());
        EXPECT_EQ(cairo_surface_status(s), CAIRO_STATUS_SUCCESS);
        if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
            cairo_surface_destroy(s);
            return c;
        }
        c.width = cairo_image_surface_get_width(s);
        c.height = cairo_image_surface_get_height(s);
        const unsigned char* data = cairo_image_surface_get_data(s);
        const int stride = cairo_image_surface_get_stride(s);
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x) {
                const uint32_t p =
                    reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride)[x] &
                    0xFFFFFF;
                if (p == kMagenta) ++c.magenta;
                if (p == 0x2040E0) ++c.blue;
            }
        cairo_surface_destroy(s);
        return c;
    }

    TempFolder folder_;
    std::string path_;
};

TEST_F(ContactSheetTest, ShowsEveryPatternWithTheKeyAsCheckerboard) {
    const ImageEntry strip = Strip("Dots", 3, 40);
    ASSERT_TRUE(WriteContactSheet({{"Res1.dxg", {strip}}}, path_));
    const Census c = Read();
    EXPECT_EQ(c.width, 2400);
    EXPECT_EQ(c.magenta, 0);
    // Three dots of 20 × 20, drawn at full size.
    EXPECT_EQ(c.blue, 3 * 20 * 20);
}

TEST_F(ContactSheetTest, WrapsAStripWiderThanTheSheet) {
    // Like the road tiles: 61 patterns of 72 px, 4392 px in all.
    const ImageEntry strip = Strip("Tiles", 61, 72);
    ASSERT_TRUE(WriteContactSheet({{"Res2.dxg", {strip}}}, path_));
    const Census c = Read();
    EXPECT_EQ(c.width, 2400);
    EXPECT_EQ(c.magenta, 0);
    EXPECT_EQ(c.blue, 61 * 36 * 36);
    EXPECT_GT(c.height, 3 * 72);
}

TEST_F(ContactSheetTest, ReportsAFileThatCannotBeWritten) {
    const std::string missing = (folder_.Path() / "no-such-folder" / "sheet.png").string();
    EXPECT_FALSE(WriteContactSheet({{"Res1.dxg", {Strip("Dots", 1, 8)}}}, missing));
}

}  // namespace
