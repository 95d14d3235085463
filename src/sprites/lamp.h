#pragma once
// The street lamps: they stand on the road's edge cells in every fifth map row and are drawn
// straight from the map, over the cars. Their posts are solid: the player's car bounces off a
// post (or, standing or reversing, has its speed turned round) and takes a hit.

#include <array>
#include <cstdint>

#include "sprites/image_sprite.h"

class RaceHost;
class TPictureItem;

// A lamp on a road edge cell: its picture, the picture's offset from the cell's left side, and
// the post's point from the cell's top-left corner.
struct LampPlace {
    int8_t Code;
    Picture Image;
    int Dx;
    int PostX;
    int PostY;
};

// The edge cells that carry a lamp: straight road 1 and 4, the drifts' first and second phases.
constexpr std::array<LampPlace, 10> kLampPlaces = {{
    {1, Picture::Lamp_L, 12, 12, 9},
    {4, Picture::Lamp_R, -28, 56, 9},
    {5, Picture::Lamp_RL, 42, 43, 1},
    {8, Picture::Lamp_RR, 0, 73, 41},
    {9, Picture::Lamp_RL, 8, 9, 1},
    {12, Picture::Lamp_RR, -36, 37, 41},
    {13, Picture::Lamp_LR, -48, 26, 1},
    {16, Picture::Lamp_LL, -6, -8, 41},
    {17, Picture::Lamp_LR, -12, 62, 1},
    {20, Picture::Lamp_LL, 30, 31, 40},
}};

// Lamps stand only on map rows that are a multiple of this.
constexpr int kLampRowSpacing = 5;

// The lamp of a map code, or nullptr when the code carries none.
const LampPlace* LampPlaceOf(int code);

class TLamp : public TMyImageSprite {
public:
    TLamp(TSpriteEngine* engine, RaceHost& host);

    // After a respawn or at a level start. The lamps come from the map, so nothing is seen to
    // change; but a car put back onto the road may stand on a post, and the posts leave it alone
    // until it has driven clear of them.
    void Reset();
    // The posts meet the car's outline.
    void MoveStep(int moveCount) override;
    void DrawSelf() override;

    // The posts do not hit the car: it was put back on the road and has not yet been clear of
    // every post.
    bool Grace = false;

private:
    RaceHost& host_;
    std::array<const TPictureItem*, kLampPlaces.size()> pictures_{};
};
