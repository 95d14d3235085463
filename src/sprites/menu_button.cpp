#include "sprites/menu_button.h"

#include "media/frame_timing.h"
#include "sprites/sprite_engine.h"

TMenuButton::TMenuButton(TSpriteEngine* engine, Picture highlightImage, Picture normalImage,
                         int highlightFrame, int normalFrame, double x, double y)
    : TMyImageSprite(engine, ListOf(normalImage)),
      HighlightImage(highlightImage),
      NormalImage(normalImage),
      HighlightFrame(highlightFrame),
      NormalFrame(normalFrame) {
    SetImageByName(normalImage);
    FramePos = normalFrame;
    X = x;
    Y = y;
    SetZ(4);
    AlphaMode = false;
}

void TMenuButton::ShowNormalLook() {
    if (OnTop) SetZ(15);
    SetImageByName(NormalImage);
    FramePos = NormalFrame;
}

void TMenuButton::ShowHighlightLook() {
    if (OnTop) SetZ(17);
    SetImageByName(HighlightImage);
    FramePos = HighlightFrame;
}

TMyCursor::TMyCursor(TSpriteEngine* engine, Picture picture, double x, double y, int z,
                     int blinkPeriod)
    : TMyImageSprite(engine, ListOf(picture)), BlinkPeriod(blinkPeriod) {
    SetImageByName(picture);
    X = x;
    Y = y;
    SetZ(z);
    Blinking = false;
    Visible = false;
}

void TMyCursor::MoveStep(int moveCount) {
    TMyImageSprite::MoveStep(moveCount);
    const int frameMs =
        Engine != nullptr && Engine->Timing != nullptr ? Engine->Timing->FrameMs : 0;
    if (Blinking) {
        if (BlinkLeft - frameMs < 0) {
            BlinkLeft = BlinkPeriod;
            Visible = !Visible;
        } else {
            BlinkLeft -= frameMs;
        }
    } else {
        Visible = false;
    }
}
