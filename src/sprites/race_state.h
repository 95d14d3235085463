#pragma once
// What the race's actors share: the score and lives, the world velocity that scrolls the road,
// and the race's sprites by kind, so that each actor can reach the others.

#include <array>

class TCar;
class TPlayer;
class TRocket;
class TSprite;

struct RaceState {
    int Score = 0;
    int Lives = 3;
    // The car's velocity as the road sees it; the background moves by half of it each frame.
    double WorldVelocityX = 0;
    double WorldVelocityY = 0;

    TPlayer* Player = nullptr;
    // The five rockets, parked and reused for the whole race.
    std::array<TRocket*, 5> RocketPool{};
    // The road actors, one sprite each over its table of slots, as they join the race.
    TSprite* Lamps = nullptr;
    TSprite* Crowd = nullptr;
    TSprite* Bonuses = nullptr;
    TCar* Traffic = nullptr;
    TSprite* Finish = nullptr;
    // The car has passed the finish line: the level's run-out begins.
    bool Crossed = false;
};
