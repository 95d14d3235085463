#include "sprites/image_sprite.h"

#include "core/rounding.h"
#include "media/frame_timing.h"
#include "media/image_list.h"
#include "sprites/sprite_engine.h"

// ---- TImageSprite ------------------------------------------------------------------------------

TImageSprite::TImageSprite(TSprite* parent) : TSprite(parent) {}

void TImageSprite::SetImage(TPictureItem* image) {
    Image = image;
    Width = image != nullptr ? image->PatternWidth() : 0;
    Height = image != nullptr ? image->PatternHeight() : 0;
}

void TImageSprite::MoveStep(int moveCount) {
    FramePos += FrameSpeed * moveCount;
    if (FrameLoop) {
        if (FrameCount > 0) {
            FramePos -= Round(FramePos / FrameCount) * static_cast<double>(FrameCount);
            if (FramePos < 0) FramePos += FrameCount;
        } else {
            FramePos = 0;
        }
    } else {
        if (FramePos >= FrameCount) {
            FramePos = FrameCount - 1;
            FrameSpeed = 0;
        }
        if (FramePos < 0) {
            FramePos = 0;
            FrameSpeed = 0;
        }
    }
}

void TImageSprite::DrawSelf() {
    if (Image == nullptr) return;
    const SDL_Rect b = BoundsRect();
    const int x = b.x + (Width - Image->PatternWidth()) / 2;
    const int y = b.y + (Height - Image->PatternHeight()) / 2;
    Image->DrawPattern(x, y, Round(FramePos) + FrameStart);
}

// ---- TMyImageSprite ----------------------------------------------------------------------------

TMyImageSprite::TMyImageSprite(TSpriteEngine* engine, int imageList)
    : TImageSprite(engine), ImageList(imageList) {
    FrameLoop = true;
}

TMyImageSprite* TMyImageSprite::CreateAt(TSpriteEngine* engine, Picture picture, double x, double y,
                                         int z) {
    return CreateAt(engine, ListOf(picture), std::string(NameOf(picture)), x, y, z);
}

TMyImageSprite* TMyImageSprite::CreateAt(TSpriteEngine* engine, int imageList,
                                         const std::string& name, double x, double y, int z) {
    auto* sprite = new TMyImageSprite(engine, imageList);
    sprite->SetImageByName(name);
    sprite->X = x;
    sprite->Y = y;
    sprite->SetZ(z);
    return sprite;
}

TMyImageSprite* TMyImageSprite::CreateCentered(TSpriteEngine* engine, Picture picture, double cx,
                                               double cy, int z) {
    return CreateCentered(engine, ListOf(picture), std::string(NameOf(picture)), cx, cy, z);
}

TMyImageSprite* TMyImageSprite::CreateCentered(TSpriteEngine* engine, int imageList,
                                               const std::string& name, double cx, double cy,
                                               int z) {
    auto* sprite = new TMyImageSprite(engine, imageList);
    sprite->SetImageByName(name);
    sprite->X = cx - sprite->Width / 2.0;
    sprite->Y = cy - sprite->Height / 2.0;
    sprite->SetZ(z);
    return sprite;
}

void TMyImageSprite::SetImageByName(Picture picture) {
    ImageList = ListOf(picture);
    SetImageByName(std::string(NameOf(picture)));
}

void TMyImageSprite::SetImageByName(const std::string& name) {
    TImageList* list = Engine != nullptr ? Engine->ImageListOf(ImageList) : nullptr;
    if (list == nullptr) return;  // an unknown list keeps the current picture
    SetImage(&list->ByName(name));
    FramePos = 0;
    LastFramePos = 0;
    PrevFramePos = 0;
    FrameCount = Image->PatternCount();
}

void TMyImageSprite::SetAnimation(Picture picture, int percent) {
    ImageList = ListOf(picture);
    SetAnimation(std::string(NameOf(picture)), percent);
}

void TMyImageSprite::SetAnimation(const std::string& name, int percent) {
    SetImageByName(name);
    FramePos = 0;
    LastFramePos = 0;
    PrevFramePos = 0;
    FrameLoop = true;
    FrameCount = Image != nullptr ? Image->PatternCount() : 0;
    AnimPercent = percent;
}

void TMyImageSprite::SetImageCentered(Picture picture, double cx, double cy) {
    ImageList = ListOf(picture);
    SetImageCentered(std::string(NameOf(picture)), cx, cy);
}

void TMyImageSprite::SetImageCentered(const std::string& name, double cx, double cy) {
    SetImageByName(name);
    X = cx - Width / 2.0;
    Y = cy - Height / 2.0;
}

void TMyImageSprite::Kill() {
    if (DeadMarked) return;
    MarkDead();
    DeadMarked = true;
}

void TMyImageSprite::MoveStep(int moveCount) {
    PrevFramePos = FramePos;
    TImageSprite::MoveStep(moveCount);
    if (FramePos > FrameCount - 0.5) FramePos = 0;
    CenterX = Trunc(X + Width / 2.0);
    CenterY = Trunc(Y + Height / 2.0);
    // The animation has wrapped when its position went down since the previous step.
    if (DieAtLoopEnd && FramePos < LastFramePos) Kill();
    if (HideAtLoopEnd && FramePos < LastFramePos) Visible = false;
    LastFramePos = FramePos;
    if (AnimPercent > 0 && Engine != nullptr && Engine->Timing != nullptr &&
        Engine->Timing->FrameMs > 0) {
        FrameSpeed = (1.0 / Engine->Timing->FrameMs) * AnimPercent / 100.0;
    }
}

void TMyImageSprite::DrawSelf() {
    if (!Visible || Image == nullptr) return;
    if (AlphaMode && Alpha != 255) {
        const int left = Trunc(X);
        const int top = Trunc(Y);
        const SDL_Rect dest{left, top, Trunc(X + Width) - left, Trunc(Y + Height) - top};
        Image->DrawBlended(dest, Trunc(FramePos), Alpha);
        return;
    }
    TImageSprite::DrawSelf();
}

// ---- TBackgroundSprite -------------------------------------------------------------------------

TBackgroundSprite::TBackgroundSprite(TSprite* parent) : TSprite(parent) {
    Collisioned = false;
}

void TBackgroundSprite::SetMapSize(int width, int height) {
    if (width == mapWidth_ && height == mapHeight_) return;
    if (width <= 0 || height <= 0) {
        width = 0;
        height = 0;
    }
    mapWidth_ = width;
    mapHeight_ = height;
    mapCells_.assign(static_cast<size_t>(width) * height, 0);
    collisionMap_.assign(static_cast<size_t>(width) * height, true);
    SetImage(Image);
}

void TBackgroundSprite::SetImage(TPictureItem* image) {
    Image = image;
    Width = image != nullptr ? image->PatternWidth() * mapWidth_ : 0;
    Height = image != nullptr ? image->PatternHeight() * mapHeight_ : 0;
}

void TBackgroundSprite::SetCell(int col, int row, int pattern) {
    if (col < 0 || row < 0 || col >= mapWidth_ || row >= mapHeight_) return;
    mapCells_[static_cast<size_t>(col) + static_cast<size_t>(row) * mapWidth_] = pattern;
}

int TBackgroundSprite::Cell(int col, int row) const {
    if (col < 0 || row < 0 || col >= mapWidth_ || row >= mapHeight_) return -1;
    return mapCells_[static_cast<size_t>(col) + static_cast<size_t>(row) * mapWidth_];
}

SDL_Rect TBackgroundSprite::BoundsRect() const {
    return SDL_Rect{Round(WorldX()), Round(WorldY()), Width, Height};
}

void TBackgroundSprite::DrawSelf() {
    if (Image == nullptr || mapWidth_ == 0 || mapHeight_ == 0) return;
    const int cw = Image->PatternWidth();
    const int ch = Image->PatternHeight();
    if (cw <= 0 || ch <= 0) return;
    const int originX = Round(WorldX());
    const int originY = Round(WorldY());
    const SDL_Rect surface = Engine != nullptr ? Engine->SurfaceRect : SDL_Rect{0, 0, 0, 0};
    for (int row = 0; row < mapHeight_; ++row) {
        const int y = originY + row * ch;
        if (y + ch <= surface.y || y >= surface.y + surface.h) continue;
        for (int col = 0; col < mapWidth_; ++col) {
            const int x = originX + col * cw;
            if (x + cw <= surface.x || x >= surface.x + surface.w) continue;
            const int pattern = Cell(col, row);
            if (pattern >= 0) Image->DrawPattern(x, y, pattern);
        }
    }
}
