#pragma once
// The street lamps: they stand on the road's edge cells in every fifth map row and are drawn
// straight from the map, over the cars. Their posts are solid: the player's car bounces off a
// post (or, standing or reversing, has its speed turned round) and takes a hit.

#include <array>
#include <cstdint>

#include "sprites/image_sprite.h"
#include "track/map_codes.h"

class RaceHost;
class TPictureItem;

// A lamp on a road edge cell: its picture, the picture's offset from the cell's left side, and
// the post's point from the cell's top-left corner.
struct LampPlace {
    MapCode Code;
    Picture Image;
    int Dx;
    int PostX;
    int PostY;
};

// The edge cells that carry a lamp: the straight road's, and the drifts' in both phases.
constexpr std::array<LampPlace, 10> kLampPlaces = {{
    {MapCode::LeftEdge, Picture::Lamp_L, 12, 12, 9},
    {MapCode::RightEdge, Picture::Lamp_R, -28, 56, 9},
    {MapCode::DriftingRightLeftEdge, Picture::Lamp_RL, 42, 43, 1},
    {MapCode::DriftingRightRightEdge, Picture::Lamp_RR, 0, 73, 41},
    {MapCode::DriftedRightLeftEdge, Picture::Lamp_RL, 8, 9, 1},
    {MapCode::DriftedRightRightEdge, Picture::Lamp_RR, -36, 37, 41},
    {MapCode::DriftingLeftRightEdge, Picture::Lamp_LR, -48, 26, 1},
    {MapCode::DriftingLeftLeftEdge, Picture::Lamp_LL, -6, -8, 41},
    {MapCode::DriftedLeftRightEdge, Picture::Lamp_LR, -12, 62, 1},
    {MapCode::DriftedLeftLeftEdge, Picture::Lamp_LL, 30, 31, 40},
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
