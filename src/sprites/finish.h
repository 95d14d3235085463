#pragma once
// The finish line: drawn across the road on the top edge of the level's last map row, between the
// road's two edge cells, one "FinishLine" picture per cell. It notes when the player's car has
// passed it; the car's run-out, the clock and the traffic read that.

#include "sprites/image_sprite.h"
#include "sprites/race_state.h"

class RaceHost;

class TFinish : public TMyImageSprite {
public:
    // The line of the current level, at its world y until its first move puts it on the screen.
    TFinish(TSpriteEngine* engine, RaceHost& host);

    // The line of the current level's road, not yet passed.
    void PlaceFinish();
    // Follows the road on the screen and notes the car passing.
    void MoveStep(int moveCount) override;
    void DrawSelf() override;

    // The car has passed the line; never cleared during a level.
    bool Crossed = false;
    // World y of the line: the top edge of map row 1550 - TrackLength.
    int LineY = 0;

private:
    RaceHost& host_;
};

// The car has passed the finish line of the race (false while there is none).
inline bool FinishCrossed(const RaceState& race) {
    return race.Finish != nullptr && race.Finish->Crossed;
}
