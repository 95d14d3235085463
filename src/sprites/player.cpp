// The player's car: construction, the driving model, the road test, hits, the explosion and the
// respawn, the end-of-level run-out and the level change.

#include "sprites/player.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

#include "core/rounding.h"
#include "sprites/crowd.h"
#include "sprites/finish.h"
#include "sprites/lamp.h"
#include "sprites/player_tables.h"
#include "sprites/race_host.h"
#include "sprites/screen_kinds.h"
#include "sprites/scroll_background.h"
#include "sprites/traffic.h"
#include "track/map_codes.h"
#include "track/track_generator.h"

namespace {

constexpr int kCarZ = 9;

// The flame picture the nitro sprites carry.
constexpr double kFlameWidth = 16;

// The largest view row the scroll reaches: the view of the very start of the track.
constexpr int kLastViewRow = 1490;

// How far above and below the car a respawn clears the traffic, in screen pixels.
constexpr double kClearTrafficReach = 720;

double Sign(double v) {
    return v > 0 ? 1 : (v < 0 ? -1 : 0);
}

}  // namespace

RespawnPlace RespawnPlaceOf(int code, int column) {
    if (code == MapCode::DriftedRightRightEdge) return {38, column - 7};
    if (code == MapCode::DriftedLeftRightEdge) return {-38, column - 4};
    return {0, column - 6};
}

// ---- Construction ------------------------------------------------------------------------------

TPlayer::TPlayer(TSpriteEngine* engine, RaceHost& host, int car)
    : TMyImageSprite(engine, 2), Car(car), host_(host) {
    SetImageByName(CarImage());
    X = kScreenX;
    Y = kScreenY;
    SetZ(kCarZ);

    for (TMark& mark : MarkTable) mark = TMark{};
    LastMark = 1;
    BloodTrail = 0;

    const double halfW = Width / 2.0;
    const double halfH = Height / 2.0;
    const double footHalf = FootWidth[CarIndex(Car)] / 2.0;
    WheelRadius = std::sqrt(halfH * halfH + halfW * halfW) - 25;
    WheelAngle = std::atan(halfW / halfH) * 256 / (2 * std::numbers::pi);
    PivotX = X + halfW;
    PivotY = Y + halfH;
    FootRadius = std::sqrt(halfH * halfH + footHalf * halfW);
    FootAngle = std::atan(footHalf / halfH) * 256 / (2 * std::numbers::pi);

    NitroFlameLeft = CreateAt(engine, Picture::NitroAnim, Trunc(X + 8), Trunc(Y + Height - 8), 7);
    NitroFlameRight = CreateAt(engine, Picture::NitroAnim, Trunc(X + Width - 8 - kFlameWidth),
                               Trunc(Y + Height - 8), 7);
    for (TMyImageSprite* flame : {NitroFlameLeft, NitroFlameRight}) {
        flame->AnimPercent = 10;
        flame->Visible = false;
    }
    WeaponSprite = CreateCentered(engine, Picture::RocketAnim_1, Trunc(X + Width * 0.5),
                                  Trunc(Y + Height * 0.6), 10);
    WeaponSprite->Visible = false;
}

double TPlayer::BackgroundX() const {
    const TScrollBackground* background = host_.Background();
    return background != nullptr ? background->X : 0;
}

double TPlayer::BackgroundY() const {
    const TScrollBackground* background = host_.Background();
    return background != nullptr ? background->Y : 0;
}

Picture TPlayer::CarImage() const {
    return PlayerCarPicture(Car);
}

TPointD TPlayer::PointAt(double cx, double cy, double r, double a) {
    const double rad = a * 2 * std::numbers::pi / 256;
    return TPointD{cx + r * std::sin(rad), cy - r * std::cos(rad)};
}

// ---- Move step ---------------------------------------------------------------------------------

void TPlayer::MoveStep(int moveCount) {
    TMyImageSprite::MoveStep(moveCount);
    // The bounce has already moved the road this frame.
    if (SkipStep) {
        SkipStep = false;
        return;
    }
    UpdateFootprint();
    if (ClearTraffic) {
        ClearTrafficNearCar();
        ClearTraffic = false;
    }
    if (Crashed != 0) {
        CrashStep();
        return;
    }
    if (FinishCrossed(host_.Race()) || TimeUp) {
        RunOut();
        return;
    }
    OnRoad = CheckOnRoad();
    UpdateEngineSound();
    HornStep();
    FollowCar();
    UpdateWheels();
    LayMarks();
    CullMarks();
    WeaponHousekeeping();
    if (!KeyHandbrake) {
        if (KeyLeft) SteerLeft();
        if (KeyRight) SteerRight();
    }
    UpdateSpeed();
    Velocity = CarSpeed / 10;
    Heading = Round(Steer / 2);
    FireStep();
    // The start of the track is the end of the map: the car cannot back off it.
    if (host_.Track().ViewRow == kLastViewRow && CarSpeed < 0) {
        CarSpeed = 0;
        Velocity = 0;
    }
}

std::array<TPointD, 4> TPlayer::FootprintAt(int heading) const {
    const double s = FootRadius * CornerScale[CarIndex(Car)];
    return {PointAt(PivotX, PivotY, s, heading - FootAngle),
            PointAt(PivotX, PivotY, s, heading + FootAngle),
            PointAt(PivotX, PivotY, s, heading + 128 - FootAngle),
            PointAt(PivotX, PivotY, s, heading + 128 + FootAngle)};
}

void TPlayer::UpdateFootprint() {
    Footprint = FootprintAt(Heading);
}

void TPlayer::HornStep() {
    if (!KeyHorn) {
        HornOn = false;
        host_.StopSound(Sound::Horn);
        return;
    }
    if (HornOn) return;
    HornOn = true;
    ScareCrowd();
    host_.PlaySound(Sound::Horn);
}

void TPlayer::FollowCar() {
    const double dx = host_.Race().WorldVelocityX * 0.5 * host_.Timing().FrameScale;
    const double dy = host_.Race().WorldVelocityY * 0.5 * host_.Timing().FrameScale;
    for (TMark& mark : MarkTable) {
        mark.MarkX += dx;
        mark.MarkY += dy;
    }
    NitroFlameLeft->X = Trunc(X + 8);
    NitroFlameLeft->Y = Trunc(Y + Height - 8);
    NitroFlameRight->X = Trunc(X + Width - 8 - kFlameWidth);
    NitroFlameRight->Y = Trunc(Y + Height - 8);
    WeaponSprite->X = Trunc(X + Width * 0.5);
    WeaponSprite->Y = Trunc(Y + Height * 0.6);
}

void TPlayer::UpdateWheels() {
    const double cx = X + Width / 2.0;
    const double cy = Y + Height / 2.0;
    WheelA = PointAt(cx, cy, WheelRadius, Heading + WheelAngle - 128);
    WheelB = PointAt(cx, cy, WheelRadius, Heading - WheelAngle - 128 + 4);
}

void TPlayer::LayMarks() {
    if (!((KeyHandbrake && std::fabs(Velocity) > 0.1) || BloodTrail > 0)) return;
    const TMark& last = MarkTable[LastMark];
    const double distance = std::hypot(WheelB.x - last.MarkX, WheelB.y - last.MarkY);
    if (distance < 12 - Velocity * 0.5 * host_.Timing().FrameScale) return;
    AddMark(WheelA.x, WheelA.y);
    AddMark(WheelB.x, WheelB.y);
}

// ---- Driving -----------------------------------------------------------------------------------

double TPlayer::SteerFactor() const {
    if (CarSpeed > 0) return std::min(1.0, CarSpeed / 50);
    return std::min(1.0, -CarSpeed / 5);
}

// Steering follows the direction of travel: reversing, left turns the nose to the right.
void TPlayer::SteerLeft() {
    Steer -= Sign(Velocity) * SteerFactor() * host_.Timing().FrameScale;
    Steer = std::clamp(Steer, -128.0, 128.0);
}

void TPlayer::SteerRight() {
    Steer += Sign(Velocity) * SteerFactor() * host_.Timing().FrameScale;
    Steer = std::clamp(Steer, -128.0, 128.0);
}

void TPlayer::UpdateSpeed() {
    const double frameScale = host_.Timing().FrameScale;
    // The engine pulls hard up to about 38 and ever less above; rolling loses speed only forward.
    const double baseAccel =
        CarSpeed <= 0 ? 0.3 : std::min(0.3, 100 / (CarSpeed * std::sqrt(2 * CarSpeed)));
    const double coastDecel = CarSpeed <= 0 ? 0 : std::max(0.05, (0.3 - baseAccel) / 2);
    const bool boosting = KeyNitro && HasNitro;

    Decel = KeyDown ? 0.3 : 0;
    if (!KeyUp && !KeyDown) Decel = coastDecel;
    if (KeyHandbrake) {
        if (CarSpeed > 0) Decel = 0.6;
        if (CarSpeed < 0) Decel = -0.6;
    }
    if (boosting) {
        CarSpeed = std::min(170.0, CarSpeed + 0.6 * frameScale);
        if (NitroFuel > 0) {
            NitroFuel -= 0.5 * frameScale;
            NitroBurning = true;
        }
    }
    if (KeyUp && !boosting) {
        if (CarSpeed > 160) {
            Decel = coastDecel;
        } else {
            CarSpeed += baseAccel * frameScale;
        }
    }
    if (!OnRoad && CarSpeed > 80) Decel = 0.5;
    CarSpeed -= Decel * frameScale;
    if (CarSpeed > 0 && CarSpeed < 0.1) CarSpeed = 0;
    if (CarSpeed < -15) CarSpeed = -15;
    if (KeyHandbrake && CarSpeed > -1 && CarSpeed < 1) CarSpeed = 0;
}

// ---- Road test ---------------------------------------------------------------------------------

bool TPlayer::IsDrivable(int x, int y) const {
    const int8_t code = host_.Track().TrackMap.At(y / kCellSize, x / kCellSize);
    return IsRoadCode(code);
}

bool TPlayer::CheckOnRoad() const {
    const double originX = host_.Track().ViewCol * kCellSize - Round(BackgroundX());
    const double originY = host_.Track().ViewRow * kCellSize - Round(BackgroundY());
    for (const TPointD& corner : Footprint) {
        if (!IsDrivable(Round(originX + corner.x), Round(originY + corner.y))) return false;
    }
    return true;
}

// ---- Operations other parts call ---------------------------------------------------------------

void TPlayer::AddScore(int n) {
    host_.Race().Score += n;
}

void TPlayer::PickUp(CarItem item) {
    const double weaponX = Trunc(X + Width * 0.5);
    const double weaponY = Trunc(Y + Height * 0.6);
    switch (item) {
        case CarItem::Life:
            host_.Race().Lives += 1;
            break;
        case CarItem::Nitro:
            HasNitro = true;
            NitroFuel = 100;
            break;
        case CarItem::MachineGun:
            DropItem(CarItem::Rockets);
            if (Weapon != WeaponKind::MachineGun) WeaponFrame = 1;
            Weapon = WeaponKind::MachineGun;
            Ammo = 25;
            WeaponSprite->SetImageCentered(GunPicture(WeaponFrame), weaponX, weaponY);
            break;
        case CarItem::Rockets:
            DropItem(CarItem::MachineGun);
            if (Weapon != WeaponKind::Rockets) WeaponFrame = 1;
            Weapon = WeaponKind::Rockets;
            Ammo = 20;
            WeaponSprite->SetImageCentered(RocketPodPicture(WeaponFrame), weaponX, weaponY);
            break;
    }
}

// The weapon stays mounted with no ammunition; it folds away by itself. A life is not dropped.
void TPlayer::DropItem(CarItem item) {
    switch (item) {
        case CarItem::Nitro:
            HasNitro = false;
            NitroFuel = 0;
            break;
        case CarItem::MachineGun:
            host_.StopSound(Sound::MachineGun);
            GunSoundOn = false;
            Ammo = 0;
            break;
        case CarItem::Rockets:
            // The launcher has no sound of its own to stop: "Rocket" is the launch of a rocket
            // that flies on. Stopping it here silenced the last rocket, whose launch empties the
            // launcher and has the race drop it in the same frame. (Departs from the original
            // rule, which stops "Rocket" here: docs/departures.md.)
            Ammo = 0;
            break;
        case CarItem::Life:
            break;
    }
}

void TPlayer::DropAll() {
    DropItem(CarItem::MachineGun);
    DropItem(CarItem::Rockets);
    DropItem(CarItem::Nitro);
    Weapon = WeaponKind::None;
}

void TPlayer::SlowDown(double factor) {
    CarSpeed *= factor;
    Velocity *= factor;
    MuteCarSounds(false);
    ResumeCarSounds(false);
    host_.PlaySound(Sound::Collision);
}

// Throws the car back from a barrier. The road is pushed back at once, and the car's own step of
// this frame is skipped so that it does not drive straight into the barrier again.
void TPlayer::Bounce(double v) {
    SkipStep = true;
    CarSpeed = Sign(CarSpeed) * v;
    Velocity = v * Sign(Velocity) / 10;
    UpdateWorldVelocity();
    if (host_.Background() != nullptr) {
        host_.Background()->X += host_.Race().WorldVelocityX * 0.5 * host_.Timing().FrameScale;
        host_.Background()->Y += host_.Race().WorldVelocityY * 0.5 * host_.Timing().FrameScale;
    }
    MuteCarSounds(false);
    ResumeCarSounds(false);
    host_.PlaySound(Sound::Collision);
}

void TPlayer::UpdateWorldVelocity() {
    const double a = Heading * 2 * std::numbers::pi / 256;
    host_.Race().WorldVelocityX = -std::sin(a) * Velocity;
    host_.Race().WorldVelocityY = std::cos(a) * Velocity;
}

// Every barrier cell touching the car counts: two at once cost two hit points.
void TPlayer::TouchSolidCell(const std::array<TPointD, 4>& corners) {
    if (!QuadsOverlap(Footprint.data(), corners.data())) return;
    if (Energy <= 0 || Crashed != 0) return;
    if (CarSpeed > 0) {
        Bounce(-100);
    } else {
        SlowDown(-1);
    }
    TakeHit();
}

void TPlayer::TakeHit() {
    host_.Rumble(kHitRumbleStrength, kHitRumbleMs);
    Energy -= 1;
    if (Energy > 0) return;
    Energy = 3;
    host_.Race().Lives -= 1;
    BlowUp();
}

void TPlayer::BlowUp() {
    Crashed = 1;
    EngineSoundFlags.Clear();
    GunSoundOn = false;
    HornOn = false;
    DropAll();
    WeaponFrame = 1;
    CarSpeed = 0;
    Velocity = 0;
    SetAnimation(Picture::ExplosionBig, 15);
    host_.PlaySound(Sound::Explosion);
    host_.Rumble(kBlowUpRumbleStrength, kBlowUpRumbleMs);
    MuteCarSounds(false);
    CrashTimer = 2000;
}

// ---- Crash and respawn -------------------------------------------------------------------------

// The explosion plays out where the car blew up; when it ends the car is put back on the road
// (or, with no life left, disappears), and it drives again once the 2000 ms are over.
void TPlayer::CrashStep() {
    if (PrevFramePos > FramePos) {
        if (host_.Race().Lives <= 0) {
            Visible = false;
        } else {
            if (!Respawned) FindRespawn();
            SetAnimation(CarImage(), 0);
        }
    }
    if (CrashTimer > 0) {
        CrashTimer -= host_.Timing().FrameMs;
        return;
    }
    if (host_.Race().Lives <= 0) {
        host_.OpenWindow(ModalWindow::GameOver);
        return;
    }
    if (!Respawned) FindRespawn();
    ResetCar();
}

// Looks behind the car for the right edge of the road and puts the car beside it, turned the way
// the road runs there: the first row from five rows below the top of the screen down whose
// rightmost edge cell is straight (4), drifting right (12) or drifting left (17) decides. The
// scroll never takes the view past row 1490, so from there the search does not run; the car then
// goes back to the start stretch, as it does on a map without such a cell. Departs from the
// original rule, which has no answer for a search that finds nothing (docs/departures.md).
void TPlayer::FindRespawn() {
    TrackState& track = host_.Track();
    bool placed = false;
    if (track.ViewRow < kLastViewRow) {
        for (int r = std::max(1, track.ViewRow + 5); r <= kTrackRows && !placed; ++r) {
            for (int c = kTrackCols; c >= 1; --c) {
                const int8_t code = track.TrackMap.At(r, c);
                if (code != MapCode::RightEdge && code != MapCode::DriftedRightRightEdge &&
                    code != MapCode::DriftedLeftRightEdge)
                    continue;
                const RespawnPlace place = RespawnPlaceOf(code, c);
                Steer = place.steer;
                track.ViewCol = place.viewCol;
                track.ViewRow = r - 4;
                placed = true;
                break;
            }
        }
    }
    if (!placed) RespawnOnStartStretch();
    Heading = Round(Steer / 2);
    if (host_.Background() != nullptr) {
        host_.Background()->X = 0;
        host_.Background()->Y = 0;
    }
    Respawned = true;
    ClearTraffic = true;
    ResetLamps();
}

void TPlayer::RespawnOnStartStretch() {
    host_.Track().ViewCol = TTrackGenerator::kStartViewCol;
    host_.Track().ViewRow = TTrackGenerator::kStartViewRow;
    Steer = 0;
}

// ---- End of a level ----------------------------------------------------------------------------

// After the finish line, or when the time is up, the car rolls to a stop; then what is left of
// the time drains ten times faster than the clock and each whole second is worth 5 points.
void TPlayer::RunOut() {
    FollowCar();
    if (!EndStarted) {
        EndStarted = true;
        Crashed = 0;
        EngineSoundFlags.Clear();
        GunSoundOn = false;
        HornOn = false;
        MuteCarSounds(true);
        SwitchEngineSound(Sound::Neutral);
        WeaponTimer = 0;
        WeaponRestoreStep();
    }
    if (CarSpeed > 0) {
        CarSpeed -= 0.8 * host_.Timing().FrameScale;
        Velocity = CarSpeed / 10;
    } else {
        Velocity = 0;
    }
    if (CarSpeed > 0) return;
    MuteCarSounds(true);

    int& timeLeft = host_.Track().Level.TimeLeft;
    const int drain = 10 * host_.Timing().FrameMs;
    if (timeLeft >= 0) {
        if ((timeLeft - drain) / 1000 < timeLeft / 1000) {
            AddScore(5);
            host_.PlaySound(Sound::Tick);
        }
        timeLeft -= drain;
        return;
    }
    if (!TimeUp || FinishCrossed(host_.Race())) {
        StartLevel(true);
        return;
    }
    // The time ran out before the finish: the level costs a life.
    if (host_.Race().Lives >= 1) {
        host_.Race().Lives -= 1;
        Energy = 3;
    }
    if (host_.Race().Lives <= 0) {
        Visible = false;
        host_.OpenWindow(ModalWindow::GameOver);
    } else {
        host_.OpenWindow(ModalWindow::TimeOver);
    }
}

void TPlayer::StartLevel(bool next) {
    const int level = host_.Track().Level.LevelNumber;
    host_.SetUpLevel(next ? level + 1 : level);
    TimeUp = false;
    EndStarted = false;
    DropAll();
    Steer = 0;
    Heading = 0;
    host_.PlaceRoadActors();
    host_.OpenWindow(ModalWindow::LevelBanner);
    ResetCar();
    SwitchEngineSound(Sound::Neutral);
}

void TPlayer::ResetCar() {
    TimeUp = false;
    Crashed = 0;
    Respawned = false;
    EndStarted = false;
    BloodTrail = 0;
    CarSpeed = 0;
    Velocity = 0;
    SetAnimation(CarImage(), 0);
}

// ---- Road actors -------------------------------------------------------------------------------
// The car reaches the traffic, the crowd and the street lamps through the race, where its horn
// and its respawn touch them; an actor that is not part of it (an actor's own test) is left out.
// Placing the actors for a new level is the race's (RaceHost::PlaceRoadActors).

// The traffic cars within 720 pixels above or below the car vanish, so that a respawned car does
// not land on one.
void TPlayer::ClearTrafficNearCar() {
    TCar* traffic = host_.Race().Traffic;
    if (traffic == nullptr) return;
    const double originY = host_.Track().ViewRow * static_cast<double>(kCellSize) - BackgroundY();
    for (int i = 1; i <= kCarSlots; ++i) {
        TCarSlot& other = traffic->Slot(i);
        if (other.Model == 0 || other.Dir == kDirNone) continue;
        if (std::fabs(other.PosY - originY - Y) > kClearTrafficReach) continue;
        other.Speed = 0;
        other.Dir = kDirNone;
    }
}

void TPlayer::ScareCrowd() {
    if (TMan* crowd = host_.Race().Crowd; crowd != nullptr) crowd->Scare();
}

void TPlayer::ResetLamps() {
    if (TLamp* lamps = host_.Race().Lamps; lamps != nullptr) lamps->Reset();
}
