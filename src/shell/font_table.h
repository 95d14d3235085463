#pragma once
// The game's 22 text styles: family, size in points, colour and weight, and the look the text is
// dressed in (media/text_canvas.h).

#include <cstdint>

#include "media/text_canvas.h"

struct FontStyle {
    const char* family;
    int size;
    uint32_t colour;  // 0xRRGGBB
    bool bold;
    TextLook look = TextLook::Plain;
};

constexpr int kFontCount = 23;

// Entries 1..22; any other index gives entry 1.
const FontStyle& FontTable(int index);
