#pragma once
// The race's own values: level, clock, score and lives, the world velocity that scrolls the road,
// the rocket pool, the HUD sprites and the road actors.

#include <array>

class TPlayer;
class TPointer;
class TMyImageSprite;
class TRocket;
class TSprite;

struct RaceValues {
    int Score = 0;
    int Lives = 3;
    double WorldVelocityX = 0;
    double WorldVelocityY = 0;
    int SelectedCar = 1;  // 1..6, the start-game screen's choice

    TPlayer* Player = nullptr;
    std::array<TRocket*, 5> RocketPool{};

    // HUD sprites.
    TMyImageSprite* Panel = nullptr;
    TPointer* Needle = nullptr;
    TMyImageSprite* ProgressMarker = nullptr;  // "SmallCar"
    TMyImageSprite* EnergyGauge = nullptr;
    TMyImageSprite* NitroIcon = nullptr;
    TMyImageSprite* WeaponIcon = nullptr;

    // Road actors (one sprite each over its table of slots), as they exist.
    TSprite* Lamps = nullptr;
    TSprite* Crowd = nullptr;
    TSprite* Bonuses = nullptr;
    TSprite* Traffic = nullptr;
    TSprite* Finish = nullptr;
    // The level is over when the car has crossed the finish line.
    bool Crossed = false;
};
