// The speedometer needle.

#include "sprites/pointer.h"

#include "media/image_list.h"

TPointer::TPointer(TSpriteEngine* engine, Picture picture, double x, double y, int z)
    : TMyImageSprite(engine, ListOf(picture)) {
    SetImageByName(picture);
    X = x;
    Y = y;
    SetZ(z);
}

// The needle picture points left from the dial's hub; it turns about a point just beyond its
// right end, which is placed on the hub, so the needle sweeps round the hub whatever the angle.
void TPointer::DrawSelf() {
    if (!Visible || Image == nullptr) return;
    Image->DrawTurned(NeedlePivotX + Width, NeedlePivotY + Height, Width, Height, 0, NeedleCenterX,
                      NeedleCenterY, NeedleAngle);
}
