#pragma once
// A whole game form whose start-up pictures are hidden, so that what a test puts on the sprite
// engine draws on black; Draw renders one frame and Lit asks whether a surface pixel shows
// anything.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
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

    std::unique_ptr<TMForm> form;
    std::vector<uint32_t> pixels;
};
