#pragma once
// The root of the sprite tree. It owns every sprite, counts them, runs the draw and move passes,
// sweeps the dead, and answers which sprite lies at a point. The game's sprites find the image
// lists and the frame timing through it.

#include <SDL.h>

#include <vector>

#include "sprites/sprite.h"

class TImageList;
struct FrameTiming;

class TSpriteEngine : public TSprite {
public:
    TSpriteEngine();
    ~TSpriteEngine() override;

    // The 800 x 600 surface the sprites draw on.
    void AttachSurface(int width, int height);

    void MoveAll(int moveCount);
    void DrawAll();
    void SweepDead();
    // The topmost visible sprite whose rectangle holds the point, edges included; nullptr if none.
    TSprite* SpriteAt(int x, int y);

    // Image list 1 or 2 (nullptr for any other number).
    TImageList* ImageListOf(int list) const;

    int SpriteCount = 0;
    std::vector<TSprite*> DeadList;
    int DrawCount = 0;
    SDL_Rect SurfaceRect{0, 0, 0, 0};
    bool SurfaceAttached = false;

    TImageList* ImageList1 = nullptr;
    TImageList* ImageList2 = nullptr;
    const FrameTiming* Timing = nullptr;
};
