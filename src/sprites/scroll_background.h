#pragma once
// The scrolling road: a 13 by 10 window of the road map drawn as 72-pixel tiles. The world
// scrolls by moving the window by sub-tile offsets and, whenever an offset passes a whole tile, by
// moving the window's origin in the map one cell. The menus use the same sprite for their
// full-screen picture (a 1 by 1 window). In the race it also finds the barriers and walls on
// screen and tells whoever listens (the player's car) where they are.

#include <array>

#include "core/geometry.h"
#include "sprites/image_sprite.h"

class RaceHost;

// Told of every solid cell of the road window in each move step, as its solid rectangle's four
// corners on the screen in the game's crosswise order.
class SolidCellListener {
public:
    virtual ~SolidCellListener() = default;
    virtual void TouchSolidCell(const std::array<TPointD, 4>& corners) = 0;
};

class TScrollBackground : public TBackgroundSprite {
public:
    // host: the race that scrolls this road; nullptr for a menu picture, which never moves.
    TScrollBackground(TSpriteEngine* engine, Picture picture, int mapWidth, int mapHeight,
                      RaceHost* host = nullptr);

    // The picture's patterns become the tiles; the catalogue says which image list it lies in.
    void SetImage(Picture picture);
    void Kill();

    void MoveStep(int moveCount) override;
    // The whole window, not just the one tile that Width and Height describe.
    SDL_Rect BoundsRect() const override;

    int ImageList = 2;
    double VelocityX = 0;
    double VelocityY = 0;
    bool DeadMarked = false;
    SolidCellListener* SolidListener = nullptr;

private:
    void ShiftColumn();
    void ShiftRow();
    void ReportSolidCells();

    RaceHost* host_;
};

// The solid rectangle of a cell code whose tile has its top-left corner at (sx, sy), as four
// corners in the game's crosswise order; false for codes that are not solid.
bool SolidRectOf(int code, double sx, double sy, std::array<TPointD, 4>& corners);
