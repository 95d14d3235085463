#pragma once
// The speedometer needle: drawn turned by NeedleAngle about a point inside the needle picture.

#include "sprites/image_sprite.h"

class TPointer : public TMyImageSprite {
public:
    // CreateAt(picture, x, y, z) of a needle.
    TPointer(TSpriteEngine* engine, Picture picture, double x, double y, int z);
    void DrawSelf() override;

    double NeedleCenterX = 0.5;  // rotation centre inside the picture, fractions of its size
    double NeedleCenterY = 0.5;
    int NeedlePivotX = 0;  // the screen point, less the picture's size, the needle turns about
    int NeedlePivotY = 0;
    int NeedleAngle = 0;  // 1/256 of a turn
};
