#include "sprites/sprite.h"

#include <algorithm>

#include "core/rounding.h"
#include "sprites/sprite_engine.h"

TSprite::TSprite() = default;

TSprite::TSprite(TSprite* parent) : Parent(parent) {
    if (parent == nullptr) return;
    Engine = parent->Engine != nullptr ? parent->Engine : static_cast<TSpriteEngine*>(parent);
    parent->Children.push_back(this);
    parent->InsertIntoDrawOrder(this);
    ++Engine->SpriteCount;
}

TSprite::~TSprite() {
    // Children go first, last to first.
    while (!Children.empty()) delete Children.back();
    if (Parent != nullptr) {
        --Engine->SpriteCount;
        Parent->RemoveChild(this);
        auto& dead = Engine->DeadList;
        dead.erase(std::remove(dead.begin(), dead.end(), this), dead.end());
    }
}

void TSprite::InsertIntoDrawOrder(TSprite* child) {
    // Before the first sprite whose Z is greater than or equal: a newcomer goes underneath the
    // sprites already on its layer.
    auto at = std::lower_bound(DrawOrder.begin(), DrawOrder.end(), child->z_,
                               [](const TSprite* s, int z) { return s->z_ < z; });
    DrawOrder.insert(at, child);
}

void TSprite::RemoveChild(TSprite* child) {
    Children.erase(std::remove(Children.begin(), Children.end(), child), Children.end());
    DrawOrder.erase(std::remove(DrawOrder.begin(), DrawOrder.end(), child), DrawOrder.end());
}

void TSprite::SetZ(int z) {
    if (z == z_) return;
    z_ = z;
    if (Parent != nullptr) {
        auto& order = Parent->DrawOrder;
        order.erase(std::remove(order.begin(), order.end(), this), order.end());
        Parent->InsertIntoDrawOrder(this);
    }
}

void TSprite::MarkDead() {
    if (Engine == nullptr || MarkedDead) return;
    MarkedDead = true;
    Engine->DeadList.push_back(this);
}

double TSprite::WorldX() const {
    return Parent != nullptr ? Parent->WorldX() + X : X;
}
double TSprite::WorldY() const {
    return Parent != nullptr ? Parent->WorldY() + Y : Y;
}

SDL_Rect TSprite::BoundsRect() const {
    return SDL_Rect{Round(WorldX()), Round(WorldY()), Width, Height};
}

void TSprite::Move(int moveCount) {
    if (!Moving) return;
    MoveStep(moveCount);
    // Sprites created during the pass are appended and first move in the next frame.
    const size_t count = Children.size();
    for (size_t i = 0; i < count && i < Children.size(); ++i) Children[i]->Move(moveCount);
}

void TSprite::Draw() {
    if (!Visible) return;
    if (Engine != nullptr) {
        const SDL_Rect b = BoundsRect();
        const SDL_Rect& s = Engine->SurfaceRect;
        if (b.x < s.x + s.w && b.x + b.w > s.x && b.y < s.y + s.h && b.y + b.h > s.y) {
            DrawSelf();
            ++Engine->DrawCount;
        }
    }
    const size_t count = DrawOrder.size();
    for (size_t i = 0; i < count && i < DrawOrder.size(); ++i) DrawOrder[i]->Draw();
}
