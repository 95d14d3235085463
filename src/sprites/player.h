#pragma once
// The player's car. It stands still at (365, 400) and turns in place; the world scrolls under it
// at the car's speed and heading. Its move step runs the whole driving model, the road test, the
// horn, the marks, the weapon housekeeping, the crash and respawn and the end-of-level run-out;
// its draw step draws the marks, the nitro flames, the traffic, the wreck, the car and the weapon.

#include <array>
#include <string>

#include "catalogue/sounds.h"
#include "core/geometry.h"
#include "sprites/car_items.h"
#include "sprites/image_sprite.h"
#include "sprites/scroll_background.h"

class RaceHost;
struct CrowdTargets;

// The skid and blood marks the car leaves on the road, slots 1..100.
struct TMark {
    double MarkX = 0;
    double MarkY = 0;
    int MarkHeading = 0;
    bool Used = false;
    bool Shown = false;
    bool Blood = false;
};
constexpr int kMarkSlots = 100;

// Where a respawned car is put beside a right edge cell of the road (straight, or in the second
// phase of a drift right or left) found in a column: its steering and the view's column.
struct RespawnPlace {
    double steer;
    int viewCol;
};
RespawnPlace RespawnPlaceOf(int code, int column);

// Which engine sound runs; at most one flag is set.
struct EngineSoundFlagSet {
    bool Maxed = false;
    bool Accel = false;
    bool Shift = false;
    bool Slowed = false;
    bool Neutral = false;
    bool Brake = false;
    bool Nitro = false;
    void Clear() { *this = EngineSoundFlagSet{}; }
};

class TPlayer : public TMyImageSprite, public SolidCellListener {
public:
    // Where the car stands on the screen; the world moves, the car only turns.
    static constexpr double kScreenX = 365;
    static constexpr double kScreenY = 400;

    // Creates the car "Car<car>" at (365, 400) with its attached sprites.
    TPlayer(TSpriteEngine* engine, RaceHost& host, int car);

    void MoveStep(int moveCount) override;
    void DrawSelf() override;
    // A barrier or wall on screen: when it overlaps the car's outline, the car bounces off it
    // (or, standing or reversing, has its speed turned round) and takes a hit.
    void TouchSolidCell(const std::array<TPointD, 4>& corners) override;

    // ---- Operations other parts call ----------------------------------------------------------
    void AddScore(int n);
    void PickUp(CarItem item);
    void DropItem(CarItem item);
    void DropAll();
    void SlowDown(double factor);
    void Bounce(double v);
    void TakeHit();
    void BlowUp();
    void StartLevel(bool next);
    void ResetCar();
    void FindRespawn();
    bool IsDrivable(int x, int y) const;
    bool CheckOnRoad() const;
    // The road's velocity from the car's heading and speed: the world moves against the car.
    void UpdateWorldVelocity();

    // ---- Weapons ------------------------------------------------------------------------------
    // The mounted weapon comes out of the car, or folds away, one picture every 100 ms.
    void WeaponAppearStep();
    void WeaponRetractStep();
    // Puts back the weapon's own picture 100 ms after a shot's muzzle flash.
    void WeaponRestoreStep();
    // One shot of the mounted weapon, when its cooldown allows.
    void FireShot();
    // Traces one machine-gun shot from the screen point (cx, cy) along the car's heading.
    void GunRay(double cx, double cy);

    // ---- Sounds and marks ---------------------------------------------------------------------
    void MuteCarSounds(bool all);
    void ResumeCarSounds(bool all);
    void SwitchEngineSound(Sound sound);
    void UpdateEngineSound();
    void AddMark(double x, double y);
    void CullMarks();
    // The name of the engine sound that runs ("" when none).
    std::string EngineSoundName() const;

    // ---- Fields -------------------------------------------------------------------------------
    int Car = 1;
    TMyImageSprite* NitroFlameLeft = nullptr;
    TMyImageSprite* NitroFlameRight = nullptr;
    TMyImageSprite* WeaponSprite = nullptr;
    int WeaponFrame = 1;
    int WeaponTimer = 0;
    bool WeaponFired = false;
    WeaponKind Weapon = WeaponKind::None;
    int Ammo = 0;
    int FireCooldown = 0;
    bool HasNitro = false;
    double NitroFuel = 0;
    int Energy = 3;
    bool NitroBurning = false;
    bool TimeUp = false;
    bool EndStarted = false;
    int CrashTimer = 0;
    bool Respawned = false;
    int Crashed = 0;  // 0 driving, 1 exploding
    bool GunSoundOn = false;
    bool HornOn = false;
    bool ClearTraffic = false;
    bool SkipStep = false;
    EngineSoundFlagSet EngineSoundFlags;
    Sound EngineSound = Sound::Neutral;  // the engine sound last switched on, while one runs
    TPointD WheelA;
    TPointD WheelB;
    double WheelRadius = 0;
    double WheelAngle = 0;
    double PivotX = 0;
    double PivotY = 0;
    double FootRadius = 0;
    double FootAngle = 0;
    std::array<TPointD, 4> Footprint{};
    double CarSpeed = 0;
    double Velocity = 0;
    double Steer = 0;
    int Heading = 0;
    double Decel = 0;
    bool KeyLeft = false;
    bool KeyRight = false;
    bool KeyUp = false;
    bool KeyDown = false;
    bool KeyHandbrake = false;
    bool KeyFire = false;
    bool KeyNitro = false;
    bool KeyHorn = false;
    bool OnRoad = true;

    // The marks belong to the car while it exists.
    std::array<TMark, kMarkSlots + 1> MarkTable{};
    int LastMark = 1;
    int BloodTrail = 0;

private:
    // Whether an engine sound runs.
    bool EngineSoundRunning() const;
    // The screen point at distance r and angle a (1/256 of a turn) from (cx, cy).
    static TPointD PointAt(double cx, double cy, double r, double a);
    Picture CarImage() const;
    double BackgroundX() const;
    double BackgroundY() const;

    // ---- Steps of the move ----------------------------------------------------------------------
    // The body's four corners (front left, front right, rear right, rear left) at a heading.
    std::array<TPointD, 4> FootprintAt(int heading) const;
    void UpdateFootprint();
    void CrashStep();
    void RunOut();
    void HornStep();
    void FollowCar();
    void UpdateWheels();
    void LayMarks();
    void WeaponHousekeeping();
    // "GunAnim_<frame>" for the machine gun, "RocketAnim_<frame>" for the launcher.
    Picture WeaponImage() const;
    // The ray's point at (wx, wy) in the world hits the pedestrians near it among the targets
    // gathered for the shot; true when it hit any.
    bool ShootCrowd(double wx, double wy, const CrowdTargets& targets);
    void SteerLeft();
    void SteerRight();
    double SteerFactor() const;
    void UpdateSpeed();
    void FireStep();
    // Puts the car back on the start stretch, where every level begins.
    void RespawnOnStartStretch();

    // ---- Road actors ----------------------------------------------------------------------------
    // The car reaches into the traffic, the crowd and the lamps at these points. Each one does
    // nothing while its actor is not part of the race.
    void ClearTrafficNearCar();
    void ScareCrowd();
    void ResetLamps();
    void DrawTraffic();

    // ---- Drawing --------------------------------------------------------------------------------
    void DrawMarks();
    void DrawNitroFlames();
    void PlaceOnScreen();
    void DrawWreck();
    void DrawCar();
    void DrawWeapon();

    RaceHost& host_;
};
