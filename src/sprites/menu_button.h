#pragma once
// The picture button of every menu screen and of the Yes/No windows, and the blinking text cursor
// of the country field and the name entry.

#include "sprites/image_sprite.h"

class TMenuButton : public TMyImageSprite {
public:
    // Both looks lie in the same image list.
    TMenuButton(TSpriteEngine* engine, Picture highlightImage, Picture normalImage,
                int highlightFrame, int normalFrame, double x, double y);

    void ShowNormalLook();
    void ShowHighlightLook();
    // The mouse hit box: HitWidth/HitHeight, or the picture's size when they are -1.
    int HitBoxWidth() const { return HitWidth == -1 ? Width : HitWidth; }
    int HitBoxHeight() const { return HitHeight == -1 ? Height : HitHeight; }

    Picture HighlightImage;
    Picture NormalImage;
    int HighlightFrame = 0;
    int NormalFrame = 0;
    int HitWidth = -1;
    int HitHeight = -1;
    bool Highlighted = false;
    bool OnTop = false;  // Z 17 while highlighted, 15 otherwise
};

class TMyCursor : public TMyImageSprite {
public:
    TMyCursor(TSpriteEngine* engine, Picture picture, double x, double y, int z, int blinkPeriod);
    void MoveStep(int moveCount) override;

    int BlinkPeriod = 1000;
    int BlinkLeft = 0;
    bool Blinking = false;
};
