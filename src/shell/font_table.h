#pragma once
// The game's 22 text styles: family, size in points, colour and weight.

#include <cstdint>

struct FontStyle {
    const char* family;
    int size;
    uint32_t colour;  // 0xRRGGBB
    bool bold;
};

constexpr int kFontCount = 22;

// Entries 1..22; any other index gives entry 1.
const FontStyle& FontTable(int index);
