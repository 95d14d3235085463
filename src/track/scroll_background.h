#pragma once
// The scrolling road: a 13 by 10 window of the road map drawn as 72-pixel tiles. The world
// scrolls by moving the window by sub-tile offsets and, whenever an offset passes a whole tile, by
// moving the window's origin in the map one cell. The menus use the same sprite for their
// full-screen picture (a 1 by 1 window). In the race it also makes barriers and walls solid.

#include <string>

#include "sprites/image_sprite.h"
#include "track/geometry.h"

class TScrollBackground : public TBackgroundSprite {
public:
    TScrollBackground(TSpriteEngine* engine, int imageList, const std::string& name, int mapWidth,
                      int mapHeight);

    void SetImageByName(const std::string& name);
    void SetImage(const std::string& name, int imageList);
    void Kill();

    void MoveStep(int moveCount) override;

    int ImageList = 2;
    double VelocityX = 0;
    double VelocityY = 0;
    bool DeadMarked = false;

private:
    void ShiftColumn();
    void ShiftRow();
    void TestSolidCells();
};

// The solid rectangle of a cell code whose tile has its top-left corner at (sx, sy), as four
// corners in the game's crosswise order; false for codes that are not solid.
bool SolidRectOf(int code, double sx, double sy, TPointD corners[4]);
