// The game's text styles: every caption and number of the game is drawn in one of them. The first
// 21 are the design's; 22 is the controls screen's own, 23 the high-score screen's chosen replay
// mark. The looks are the game's own: the race's read-outs are a segment display whose figures
// never read as letters; the windows over the race write in outlined letters, which the lane paint
// and the lamp arms cannot run through; the screen titles are chrome, like the high-score screen's
// caption.

#include "shell/font_table.h"

namespace {

constexpr FontStyle kFontTable[kFontCount] = {
    {"DS Crystal", 32, 0xF40909, false},                          // 1
    {"Beast Impacted", 16, 0xE6DADA, false},                      // 2  high scores
    {"DS Crystal", 26, 0xF40909, false},                          // 3
    {"Beast Impacted", 28, 0x000000, true},                       // 4  options country
    {"Beast Impacted", 36, 0xF40909, false, TextLook::Outlined},  // 5  windows 3, 5, 6, 7
    {"DS Crystal", 28, 0xFFFFFF, false},                          // 6
    {"DS Crystal", 20, 0xFFFFFF, false},                          // 7
    {"DS Crystal", 16, 0xFFFFFF, false},                          // 8
    {"Beast Impacted", 28, 0xFFFFFF, false, TextLook::Outlined},  // 9  score in the name entry
    {"Beast Impacted", 28, 0xFFFFFF, false, TextLook::Outlined},  // 10 typed name
    {"Beast Impacted", 26, 0xFFFFFF, false, TextLook::Outlined},  // 11 "Sending results..."
    {"Courier", 12, 0xFFD137, false},                             // 12
    {"Beast Impacted", 27, 0xFFFFFF, false},                      // 13 options
    {"Beast Impacted", 27, 0xF4861A, false},                      // 14
    {"Beast Impacted", 78, 0xFFFFFF, false, TextLook::Chrome},    // 15 screen titles
    {"Beast Impacted", 56, 0xFFFFFF, false},                      // 16 high-score title
    {"Beast Impacted", 22, 0xE6DADA, false},                      // 17 high scores
    {"DS Crystal", 22, 0x2AFF00, false, TextLook::Lcd},           // 18 race HUD
    {"Beast Impacted", 28, 0xFFFFFF, false},                      // 19 help
    {"Beast Impacted", 13, 0xFFFFFF, false},  // 20 help body text: a text face below 14 pt
    {"Beast Impacted", 15, 0xFFFFFF, false},  // 21 help
    {"Beast Impacted", 22, 0xF4861A, false},  // 22 controls: headings, a capture, a change
    {"Beast Impacted", 16, 0xF4861A, false},  // 23 high scores: the chosen row's replay mark
};

}  // namespace

const FontStyle& FontTable(int index) {
    if (index < 1 || index > kFontCount) index = 1;
    return kFontTable[index - 1];
}
