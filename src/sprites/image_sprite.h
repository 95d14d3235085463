#pragma once
// Sprites that show a named picture: the plain image sprite with its pattern animation, the
// game's own base class with blending, loop-end rules and centre point, and the tiled background.

#include <string>
#include <vector>

#include "catalogue/pictures.h"
#include "sprites/sprite.h"

class TPictureItem;

class TImageSprite : public TSprite {
public:
    explicit TImageSprite(TSprite* parent);
    virtual void SetImage(TPictureItem* image);
    void MoveStep(int moveCount) override;
    void DrawSelf() override;

    int FrameCount = 0;
    bool FrameLoop = true;
    double FramePos = 0;
    double FrameSpeed = 0;
    int FrameStart = 0;
    TPictureItem* Image = nullptr;
};

class TMyImageSprite : public TImageSprite {
public:
    // A sprite of the engine's root that names its pictures in image list 1 or 2.
    TMyImageSprite(TSpriteEngine* engine, int imageList);

    // The game names its pictures through the catalogue, which knows the list each lies in. The
    // forms taking a list and a name serve pictures outside the catalogue (the sprite layer's own
    // tests).
    static TMyImageSprite* CreateAt(TSpriteEngine* engine, Picture picture, double x, double y,
                                    int z);
    static TMyImageSprite* CreateAt(TSpriteEngine* engine, int imageList, const std::string& name,
                                    double x, double y, int z);
    static TMyImageSprite* CreateCentered(TSpriteEngine* engine, Picture picture, double cx,
                                          double cy, int z);
    static TMyImageSprite* CreateCentered(TSpriteEngine* engine, int imageList,
                                          const std::string& name, double cx, double cy, int z);

    // Looks the name up in the sprite's image list; a missing name is the list's error. A
    // catalogue picture is looked up in its own list, which becomes the sprite's.
    void SetImageByName(Picture picture);
    void SetImageByName(const std::string& name);
    void SetAnimation(Picture picture, int percent);
    void SetAnimation(const std::string& name, int percent);
    void SetImageCentered(Picture picture, double cx, double cy);
    void SetImageCentered(const std::string& name, double cx, double cy);
    void Kill();

    void MoveStep(int moveCount) override;
    void DrawSelf() override;

    bool AlphaMode = false;
    int Alpha = 255;
    int AnimPercent = 0;
    int ImageList = 1;
    bool DieAtLoopEnd = false;
    bool HideAtLoopEnd = false;
    double LastFramePos = 0;
    double PrevFramePos = 0;
    int CenterX = 0;
    int CenterY = 0;
    bool DeadMarked = false;
};

class TBackgroundSprite : public TSprite {
public:
    explicit TBackgroundSprite(TSprite* parent);
    void SetMapSize(int width, int height);
    void SetImage(TPictureItem* image);
    void SetCell(int col, int row, int pattern);
    // -1 outside the grid.
    int Cell(int col, int row) const;
    SDL_Rect BoundsRect() const override;
    void DrawSelf() override;

    int MapWidth() const { return mapWidth_; }
    int MapHeight() const { return mapHeight_; }

    TPictureItem* Image = nullptr;
    bool Tile = false;

private:
    std::vector<int> mapCells_;
    std::vector<bool> collisionMap_;
    int mapWidth_ = 0;
    int mapHeight_ = 0;
};
