#pragma once
// The pedestrians: one sprite over a table of 600 slots. They walk the pavements beside the road
// cell by cell, turn at corners and crossings at random, and turn round where the pavement ends.
// The player's car can run them over (the body stays on the pavement), a rocket blows them away,
// the gun shoots them, and the horn sends those in sight running for a second.

#include <array>
#include <cstdint>

#include "sprites/image_sprite.h"

class RaceHost;
class TPictureItem;

constexpr int kManSlots = 600;

// Which way a pedestrian walks, or what became of it.
enum ManDirection : uint8_t {
    kManLying = 0,  // run over or shot: a body on the pavement
    kManLeft = 1,
    kManRight = 2,
    kManUp = 3,
    kManDown = 4,
    kManRemoved = 255,  // blown away by a rocket
};

// A walking pedestrian's speed while the horn has scared it; walking speeds are 3 to 5.
constexpr int kScaredSpeed = 8;
// How long a pedestrian runs from the horn, in milliseconds.
constexpr double kScareMs = 1000;

struct TManSlot {
    bool Alive = false;  // a pedestrian still inside the map
    bool IsGirl = false;
    double PosX = 0;  // world position of the figure's middle (its picture's top-left less 27)
    double PosY = 0;
    int CellX = 0;  // map cell of the position, refreshed every frame
    int CellY = 0;
    int AheadX = 0;  // the cell one cell ahead in the walking direction, as of the last frame
    int AheadY = 0;
    uint8_t Dir = kManLying;
    uint8_t NextDir = kManLying;  // the direction chosen at the last cell entry
    bool OnScreen = false;
    int Speed = 0;         // 3..5 walking, 8 scared, 0 lying or removed
    double Phase = 0;      // animation phase 0..4; its whole part is the picture's pattern
    double ScareTime = 0;  // milliseconds of running from the horn left
};

// The walking directions' steps and turns, indexed by direction 1..4 (0 unused).
struct WalkDirection {
    int StepX;
    int StepY;
    uint8_t Left;
    uint8_t Right;
    uint8_t Back;
};
constexpr std::array<WalkDirection, 5> WalkDirections = {{
    {0, 0, kManLying, kManLying, kManLying},
    {-1, 0, kManDown, kManUp, kManRight},    // left
    {1, 0, kManUp, kManDown, kManLeft},      // right
    {0, -1, kManLeft, kManRight, kManDown},  // up
    {0, 1, kManRight, kManLeft, kManUp},     // down
}};

// The pavement a map code carries, as the directions in which its pavement leaves the cell (a
// bit for each of left, right, up and down: 1 << direction); 0 for a code without pavement.
int PavementExits(int code);
// True for the codes pedestrians walk on.
inline bool IsPavement(int code) {
    return PavementExits(code) != 0;
}

// The walking slots the gun can hit: those on the screen, gathered once per shot.
struct CrowdTargets {
    std::array<int16_t, kManSlots> Slots{};
    int Count = 0;
};

class TMan : public TMyImageSprite {
public:
    // Creates the crowd sprite and places the level's pedestrians.
    TMan(TSpriteEngine* engine, RaceHost& host);

    // Empties every slot and places the pedestrians of the current map.
    void PlaceCrowd();
    // The horn: the pedestrians in sight run.
    void Scare();
    // The end of the scare: back to walking pace.
    void CalmDown();
    // Where a pedestrian walking in dir goes on entering the cell at world point (x, y).
    int TurnRule(int dir, double x, double y);

    void MoveStep(int moveCount) override;
    void DrawSelf() override;

    // The body stays where it fell: a little up and left of the figure.
    void KnockDown(TManSlot& man);
    void CollectTargets(CrowdTargets& targets) const;

    TManSlot& Slot(int i) { return Slots[static_cast<size_t>(i)]; }
    const TManSlot& Slot(int i) const { return Slots[static_cast<size_t>(i)]; }

    std::array<TManSlot, kManSlots + 1> Slots{};  // slot 0 unused
    bool Scared = false;

private:
    // Fills the next free slot from the window of a map row, or leaves it empty.
    void PlaceInWindow(int slot, int row, int first, int last);
    bool RunOver(TManSlot& man, int sx, int sy);
    void MeetRockets(TManSlot& man);
    void Walk(TManSlot& man, double oldPhase);

    RaceHost& host_;
    // The pictures by IsGirl and direction 0..4.
    std::array<std::array<const TPictureItem*, 5>, 2> pictures_{};
};
