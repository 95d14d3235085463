#pragma once
// A whole game form whose start-up pictures are hidden, so that what a test puts on the sprite
// engine draws on black; Draw renders one frame and Lit asks whether a surface pixel shows
// anything, and PictureAt which picture it shows.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "shell/form.h"
#include "support/test_assets.h"

class FormDrawTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = MakeTestForm();
        for (TSprite* sprite : form->Components.MDXSpriteEngine.Children) sprite->Visible = false;
    }
    void Draw() {
        form->Components.MDXDraw.ClearTo(0);
        form->Components.MDXSpriteEngine.DrawAll();
        ASSERT_TRUE(form->Components.MDXDraw.ReadPixels(pixels));
    }
    bool Lit(int x, int y) const {
        return (pixels[static_cast<size_t>(y) * 800 + x] & 0xFFFFFF) != 0;
    }

    // Gives every picture of image list 2 a colour of its own, so that PictureAt can tell which
    // one a pixel shows. Call it before the race's sprites are made: they keep their pictures.
    void TellPicturesApart() {
        std::vector<ImageEntry> entries = TestImageList2();
        for (size_t i = 0; i < entries.size(); ++i) {
            const uint32_t r = 0x20 + (i % 8) * 0x18;
            const uint32_t g = 0x20 + (i / 8 % 8) * 0x18;
            const uint32_t b = 0x20 + (i / 64) * 0x40;
            for (uint32_t& pixel : entries[i].picture.pixels)
                pixel = 0xFF000000u | r << 16 | g << 8 | b;
        }
        form->Components.MDXImageList2.LoadEntries(std::move(entries));
        form->Components.MDXImageList2.Prepare(form->Components.MDXDraw.Renderer());
    }
    // The name of the picture list 2 draws at a pixel of the last frame; empty for black.
    std::string PictureAt(int x, int y) const {
        const uint32_t pixel = pixels[static_cast<size_t>(y) * 800 + x] & 0xFFFFFF;
        if (pixel == 0) return "";
        const TImageList& list = form->Components.MDXImageList2;
        for (int i = 0; i < list.Count(); ++i)
            if ((list.Item(i).Entry().picture.pixels[0] & 0xFFFFFF) == pixel)
                return list.Item(i).Name();
        return "?";
    }

    std::unique_ptr<TMForm> form;
    std::vector<uint32_t> pixels;
};
