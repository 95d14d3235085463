// The skid and blood marks the car leaves on the road. They lie in a fixed table of 100 slots,
// scroll with the road and are freed when they leave the play area.

#include "sprites/player.h"

namespace {

// The play area the marks live in; the HUD panel covers the rest of the screen.
constexpr double kPlayRight = 700;
constexpr double kPlayBottom = 600;
constexpr double kMarkHeight = 14;

// A run-over leaves a trail whose first marks stay invisible (the wheels are still clean of
// blood) while the trail is longer than this.
constexpr int kInvisibleTrail = 30;

}  // namespace

void TPlayer::AddMark(double x, double y) {
    for (int slot = 1; slot <= kMarkSlots; ++slot) {
        TMark& mark = MarkTable[slot];
        if (mark.Used) continue;
        mark.Shown = true;
        if (BloodTrail > 0) {
            mark.Blood = true;
            if (BloodTrail > kInvisibleTrail) mark.Shown = false;
            BloodTrail -= 1;
        } else {
            mark.Blood = false;
        }
        mark.MarkX = x;
        mark.MarkY = y;
        mark.MarkHeading = Heading;
        mark.Used = true;
        LastMark = slot;
        return;
    }
    // Every slot is taken: the mark is not laid.
}

void TPlayer::CullMarks() {
    for (int slot = 1; slot <= kMarkSlots; ++slot) {
        TMark& mark = MarkTable[slot];
        if (!mark.Used) continue;
        if (mark.MarkX < 0 || mark.MarkX > kPlayRight || mark.MarkY + kMarkHeight < 0 ||
            mark.MarkY > kPlayBottom) {
            mark.Used = false;
            mark.MarkX = 0;
            mark.MarkY = 0;
        }
    }
}
