#pragma once
// The sprite tree: every visible object of the game is a sprite owned by the one sprite engine.
// A frame draws every sprite in layer order, then moves every sprite, then frees the sprites that
// were killed during the frame (Kill only queues, so nothing vanishes in the middle of a pass).

#include <SDL.h>

#include <vector>

class TSpriteEngine;

class TSprite {
public:
    explicit TSprite(TSprite* parent);
    virtual ~TSprite();
    TSprite(const TSprite&) = delete;
    TSprite& operator=(const TSprite&) = delete;

    virtual void DrawSelf() {}
    virtual void MoveStep(int moveCount) { (void)moveCount; }
    // The sprite's rectangle on the surface: Round(world X), Round(world Y), Width by Height.
    virtual SDL_Rect BoundsRect() const;

    int Z() const { return z_; }
    // Re-layers the sprite; it lands below the sprites that already have the same Z.
    void SetZ(int z);
    // Queues the sprite for the engine's sweep; it still moves and draws until then.
    void MarkDead();

    // The move and draw passes over this sprite and its subtree.
    void Move(int moveCount);
    void Draw();

    double WorldX() const;
    double WorldY() const;
    int ChildCount() const { return static_cast<int>(Children.size()); }

    TSpriteEngine* Engine = nullptr;
    TSprite* Parent = nullptr;
    std::vector<TSprite*> Children;   // creation order
    std::vector<TSprite*> DrawOrder;  // the same children by ascending Z
    bool MarkedDead = false;
    bool Moving = true;
    bool Visible = true;
    bool Collisioned = true;  // kept for completeness; the game never reads it
    double X = 0;
    double Y = 0;
    int Width = 0;
    int Height = 0;

protected:
    // For the engine, which is the root and has no parent.
    TSprite();

private:
    void InsertIntoDrawOrder(TSprite* child);
    void RemoveChild(TSprite* child);
    friend class TSpriteEngine;

    int z_ = 0;
};
