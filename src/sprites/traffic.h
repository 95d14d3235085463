#pragma once
// The road's traffic: one sprite over a table of 200 car slots in world coordinates. Half of a
// level's cars come down the left half of the road towards the player, half drive up the right
// half. Every frame each car moves along the road, steers where the road drifts, meets the
// player's car and the rockets, burns out its explosion, and comes back at the other end when it
// leaves the track. The sprite itself shows nothing: the player's car draws the traffic under
// itself (DrawTraffic).

#include <array>

#include "sprites/car_models.h"
#include "sprites/image_sprite.h"

class RaceHost;
class TPictureItem;
class TTrackMap;

constexpr int kCarSlots = 200;

struct TCarSlot {
    int Model = 0;    // 1..5, see CarModels
    double PosX = 0;  // world position of the picture's top-left corner
    double PosY = 0;
    int Dir = kDirNone;
    int Speed = 0;  // +6 driving up, -5 driving down, 0 after a crash or removal
    bool OnScreen = false;
    bool Exploding = false;
    double ExplosionPhase = 0;  // pattern of "ExplosionBig", 0..13
    bool Touching = false;      // in contact with the player's car at the last test
};

class TCar : public TMyImageSprite {
public:
    // Creates the traffic sprite and places the level's cars.
    TCar(TSpriteEngine* engine, RaceHost& host);

    // Fills slots 1..CarCount for the current level and empties the others.
    void PlaceTraffic();
    // Puts slot i back on the road: end 2 at the start of the track driving up, end 1 at the
    // far end driving down.
    void Respawn(int i, int end);
    // Every other car that overlaps car i vanishes.
    void ClearOverlaps(int i);
    // The car's explosion starts; it no longer moves and is emptied when the explosion ends.
    void Explode(int i);
    // The four corners of car i on the screen (unrounded), in its outline's order.
    CarQuadCorners CarQuad(int i) const;

    void MoveStep(int moveCount) override;
    // The traffic is drawn by the player's car, under it; the sprite's own picture never shows.
    void DrawSelf() override {}
    void DrawTraffic() const;

    TCarSlot& Slot(int i) { return Slots[static_cast<size_t>(i)]; }
    const TCarSlot& Slot(int i) const { return Slots[static_cast<size_t>(i)]; }
    // The slots in use this level: 1..CarCount.
    int UsedSlots() const;

    std::array<TCarSlot, kCarSlots + 1> Slots{};  // slot 0 unused
    int LeftEdgeCol = 0;   // where cars driving down come back: the road's left edge at its end
    int RightEdgeCol = 0;  // where cars driving up come back: the road's right edge at the start

private:
    // The screen origin of the world: subtract it from a world point to get its screen point.
    double OriginX() const;
    double OriginY() const;
    void MoveCar(TCarSlot& car) const;
    void TouchPlayer(int i, int sy);
    void MeetRockets(int i);
    void BurnExplosion(TCarSlot& car) const;
    void SteerByMap(TCarSlot& car) const;

    RaceHost& host_;
    std::array<const TPictureItem*, kCarModels + 1> pictures_{};
    const TPictureItem* explosion_ = nullptr;
};
