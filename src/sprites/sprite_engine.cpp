#include "sprites/sprite_engine.h"

#include "core/rounding.h"
#include "media/image_list.h"

TSpriteEngine::TSpriteEngine() {
    Engine = nullptr;
}

TSpriteEngine::~TSpriteEngine() {
    // Free the tree while the engine's own counters still exist.
    while (!Children.empty()) delete Children.back();
    DeadList.clear();
}

void TSpriteEngine::AttachSurface(int width, int height) {
    SurfaceRect = SDL_Rect{0, 0, width, height};
    Width = width;
    Height = height;
    SurfaceAttached = true;
}

void TSpriteEngine::MoveAll(int moveCount) {
    Move(moveCount);
}

void TSpriteEngine::DrawAll() {
    DrawCount = 0;
    if (!SurfaceAttached) return;
    Draw();
}

void TSpriteEngine::SweepDead() {
    while (!DeadList.empty()) delete DeadList.back();
}

namespace {

void FindAt(TSprite* parent, int x, int y, TSprite*& best) {
    for (TSprite* sprite : parent->Children) {
        if (sprite->Visible) {
            const int left = Round(sprite->X);
            const int top = Round(sprite->Y);
            if (x >= left && x <= left + sprite->Width && y >= top && y <= top + sprite->Height) {
                if (best == nullptr || sprite->Z() > best->Z()) best = sprite;
            }
        }
        if (!sprite->Children.empty())
            FindAt(sprite, x - Round(sprite->X), y - Round(sprite->Y), best);
    }
}

}  // namespace

TSprite* TSpriteEngine::SpriteAt(int x, int y) {
    TSprite* best = nullptr;
    FindAt(this, x, y, best);
    return best;
}

TImageList* TSpriteEngine::ImageListOf(int list) const {
    if (list == 1) return ImageList1;
    if (list == 2) return ImageList2;
    return nullptr;
}
