#pragma once
// The rockets: a pool of five sprites that live for the whole race. A rocket is taken from the
// pool when fired, flies in world coordinates (so it keeps its course while the road scrolls),
// explodes where a pedestrian stops it, and goes back to the pool when its explosion ends, when
// it hits a car or when it leaves the play area.

#include <array>

#include "sprites/image_sprite.h"

class RaceHost;
struct RaceState;

constexpr int kRocketPoolSize = 5;

class TRocket : public TMyImageSprite {
public:
    // A rocket "Rocket" at the screen point (x, y) with its hidden exhaust flame; not flying.
    TRocket(TSpriteEngine* engine, RaceHost& host, double x, double y, int speed, int heading);

    // Sends the rocket off from the screen point (x, y); the car's own speed adds to it.
    void Launch(double x, double y, int speed, int heading);
    // The rocket stops and shows its explosion where it is.
    void Detonate();
    // Back to the pool: hidden, parked above the screen, not flying.
    void Retire();

    void MoveStep(int moveCount) override;
    void DrawSelf() override;

    TMyImageSprite* FireSprite = nullptr;  // "EngineFire", carries the flame's animation
    int RocketSpeed = 0;    // a rocket advances RocketSpeed / 2 world pixels per frame at 85 Hz
    int RocketHeading = 0;  // 1/256 of a turn, 0 up, clockwise
    bool InFlight = false;  // flying or exploding
    bool Detonated = false;
    double WorldX = 0;  // world position of the sprite's top-left corner
    double WorldY = 0;

private:
    double OriginX() const;
    double OriginY() const;

    RaceHost& host_;
};

// The race's five rockets, parked off the screen and not flying.
void CreateRocketPool(TSpriteEngine* engine, RaceHost& host, RaceState& race);
// Launches the first rocket of the pool that is not in flight; with all five in the air, nothing.
void FireRocket(RaceState& race, double x, double y, int heading, int speed);
// Puts back the rockets whose explosion has ended or that left the play area.
void CullRockets(RaceState& race);
// Kills the five rockets and their flames (the end of the race).
void KillRocketPool(RaceState& race);
