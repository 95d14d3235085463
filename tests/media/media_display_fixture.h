#pragma once
// A headless 800 x 600 display for the drawing tests, with helpers to read the back buffer.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "media/display.h"

namespace media_test {

class HeadlessDisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(display.Open(false, true)) << SDL_GetError();
        display.ClearTo(kBackground);
    }

    // The back buffer as it is now.
    std::vector<uint32_t> Snapshot() {
        std::vector<uint32_t> pixels;
        EXPECT_TRUE(display.ReadPixels(pixels));
        return pixels;
    }

    static uint32_t At(const std::vector<uint32_t>& pixels, int x, int y) {
        return pixels[static_cast<size_t>(y) * kSurfaceWidth + x];
    }

    // Pixels differing from the background.
    static int CountNonBackground(const std::vector<uint32_t>& pixels) {
        int count = 0;
        for (uint32_t pixel : pixels) count += (pixel & 0xFFFFFFu) != kBackground ? 1 : 0;
        return count;
    }

    static constexpr uint32_t kBackground = 0x203040;
    TDisplay display;
};

}  // namespace media_test
