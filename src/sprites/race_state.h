#pragma once
// What the race's actors share: the score and lives, the world velocity that scrolls the road,
// and the race's sprites by kind, so that each actor can reach the others.

#include <array>

class TBonus;
class TCar;
class TFinish;
class TLamp;
class TMan;
class TPlayer;
class TRocket;

struct RaceState {
    int Score = 0;
    int Lives = 3;
    // The car's velocity as the road sees it; the background moves by half of it each frame.
    double WorldVelocityX = 0;
    double WorldVelocityY = 0;

    TPlayer* Player = nullptr;
    // The five rockets, parked and reused for the whole race.
    std::array<TRocket*, 5> RocketPool{};
    // The road actors, one sprite each over its table of slots or over the map, in the order
    // they join the race. The finish line knows whether the car has passed it.
    TLamp* Lamps = nullptr;
    TMan* Crowd = nullptr;
    TBonus* Bonuses = nullptr;
    TCar* Traffic = nullptr;
    TFinish* Finish = nullptr;
};
