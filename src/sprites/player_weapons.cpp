// The car's weapons: the mounted weapon coming out and folding away, the muzzle flash, firing
// with its cooldowns, the machine gun's instant ray and the launch of the rockets.

#include <array>
#include <cmath>
#include <numbers>

#include "core/rounding.h"
#include "sprites/crowd.h"
#include "sprites/player.h"
#include "sprites/race_host.h"
#include "sprites/rocket.h"
#include "sprites/scroll_background.h"
#include "sprites/traffic.h"
#include "track/track_map.h"

namespace {

// The mounted weapon's pictures: 1 hidden in the car, 6 fully out.
constexpr int kWeaponReadyFrame = 6;
// Each picture of the appear and retract animations, and the muzzle flash, lasts this long.
constexpr int kWeaponStepMs = 100;
// The gun fires at most five shots a second, the launcher two rockets.
constexpr int kGunCooldownMs = 200;
constexpr int kRocketCooldownMs = 500;
// A rocket leaves the car at this launch speed, plus the car's own.
constexpr int kRocketLaunchSpeed = 18;
// The rockets leave alternately from the two sides of the car, this far from its middle and a
// little behind it (22/256 of a turn off the car's side).
constexpr double kLaunchDistance = 55;
constexpr int kLaunchSlant = 22;
// The rocket picture's width: its launch point is its top-left corner.
constexpr double kRocketWidth = 12;
// The ray advances this many world pixels a step, as far as the play area reaches.
constexpr double kRayStep = 5;
constexpr double kPlayAreaRight = 700;
constexpr double kPlayAreaBottom = 600;
// A car shot by the gun.
constexpr int kCarShotScore = 10;
// The gun shoots every pedestrian this close to the ray's point, and each is worth this much.
constexpr double kCrowdShotReach = 50;
constexpr int kCrowdShotScore = 5;

double Radians(double angle) {
    return angle * 2 * std::numbers::pi / 256;
}

}  // namespace

// ---- Housekeeping (every driving move step) ----------------------------------------------------

void TPlayer::WeaponHousekeeping() {
    if (WeaponFired) WeaponRestoreStep();
    if (WeaponFrame < kWeaponReadyFrame && Weapon != WeaponKind::None && Ammo > 0)
        WeaponAppearStep();
    if (WeaponFrame > 0 && Weapon != WeaponKind::None && Ammo <= 0) WeaponRetractStep();
    if (Weapon != WeaponKind::None && FireCooldown >= 0) FireCooldown -= host_.Timing().FrameMs;
}

Picture TPlayer::WeaponImage() const {
    return Weapon == WeaponKind::MachineGun ? GunPicture(WeaponFrame)
                                            : RocketPodPicture(WeaponFrame);
}

void TPlayer::WeaponAppearStep() {
    // The sound restarts in every step spent on the first picture.
    if (WeaponFrame == 1) host_.PlaySound(Sound::WeaponAppear);
    WeaponTimer -= host_.Timing().FrameMs;
    if (WeaponTimer > 0) return;
    WeaponTimer = kWeaponStepMs;
    WeaponFrame += 1;
    WeaponSprite->SetImageCentered(WeaponImage(), Trunc(X + Width * 0.5), Trunc(Y + Height * 0.6));
}

// An empty weapon folds away the way it came out; once it is in, the car has no weapon.
void TPlayer::WeaponRetractStep() {
    if (WeaponFrame < 2) {
        Weapon = WeaponKind::None;
        return;
    }
    if (WeaponFrame == kWeaponReadyFrame) host_.PlaySound(Sound::WeaponAppear);
    WeaponTimer -= host_.Timing().FrameMs;
    if (WeaponTimer > 0) return;
    WeaponTimer = kWeaponStepMs;
    WeaponFrame -= 1;
    WeaponSprite->SetImageCentered(WeaponImage(), Trunc(X + Width * 0.5), Trunc(Y + Height * 0.6));
}

void TPlayer::WeaponRestoreStep() {
    if (WeaponTimer > 0) {
        WeaponTimer -= host_.Timing().FrameMs;
        if (WeaponTimer > 0) return;
    }
    WeaponTimer = 0;
    WeaponSprite->SetImageCentered(WeaponImage(), Trunc(WeaponSprite->X), Trunc(WeaponSprite->Y));
    WeaponFired = false;
}

// ---- Firing ------------------------------------------------------------------------------------

void TPlayer::FireStep() {
    if (KeyFire && WeaponFrame == kWeaponReadyFrame) {
        if (Weapon == WeaponKind::MachineGun && !GunSoundOn) {
            GunSoundOn = true;
            host_.PlaySound(Sound::MachineGun);
        }
        FireShot();
        return;
    }
    if (Weapon == WeaponKind::MachineGun) {
        GunSoundOn = false;
        host_.StopSound(Sound::MachineGun);
    }
}

void TPlayer::FireShot() {
    if (FireCooldown > 0) return;
    if (Ammo - 1 >= 0) Ammo -= 1;
    if (Weapon == WeaponKind::MachineGun) {
        FireCooldown = kGunCooldownMs;
        WeaponTimer = kWeaponStepMs;
        WeaponSprite->SetImageCentered(Picture::GunShooting, Trunc(WeaponSprite->X),
                                       Trunc(WeaponSprite->Y));
        GunRay(X + Width / 2.0, Y + Height / 2.0);
    } else if (Weapon == WeaponKind::Rockets) {
        // With all five rockets in the air the rocket is spent all the same.
        host_.PlaySound(Sound::Rocket);
        FireCooldown = kRocketCooldownMs;
        const int side =
            Ammo % 2 != 0 ? -Heading - 64 - kLaunchSlant : -Heading - 64 - 128 + kLaunchSlant;
        const double a = Radians(side);
        const int x = Trunc(X + (Width - kRocketWidth) / 2 - kLaunchDistance * std::sin(a));
        const int y = Trunc(Y + Height / 2.0 - kLaunchDistance * std::cos(a));
        FireRocket(host_.Race(), x, y, Heading, kRocketLaunchSpeed);
    }
    WeaponFired = true;
}

// The shot is instant: its point runs from the car's centre along the heading in 5-pixel steps
// to the edge of the play area. It passes through pedestrians, killing every one near its line
// up to the point where it stops, and stops at the first car whose body it enters.
void TPlayer::GunRay(double cx, double cy) {
    const TrackState& track = host_.Track();
    const double originX = track.ViewCol * static_cast<double>(kCellSize) - BackgroundX();
    const double originY = track.ViewRow * static_cast<double>(kCellSize) - BackgroundY();
    double wx = originX + cx;
    double wy = originY + cy;
    double sx = cx;
    double sy = cy;
    const double stepX = kRayStep * std::sin(Radians(Heading));
    const double stepY = kRayStep * std::cos(Radians(Heading));

    // The cars the ray can hit, and their outlines, stay the same while it is traced.
    TCar* traffic = host_.Race().Traffic;
    std::array<int, kCarSlots> targets{};
    std::array<CarQuadCorners, kCarSlots> outlines{};
    int targetCount = 0;
    if (traffic != nullptr) {
        const int count = traffic->UsedSlots();
        for (int i = 1; i <= count; ++i) {
            const TCarSlot& car = traffic->Slot(i);
            if (!car.OnScreen || car.Dir == kDirNone || car.Speed == 0 || car.Exploding) continue;
            targets[static_cast<size_t>(targetCount)] = i;
            outlines[static_cast<size_t>(targetCount)] = traffic->CarQuad(i);
            ++targetCount;
        }
    }

    // The pedestrians the ray can hit: those in sight and on their feet.
    CrowdTargets crowdTargets;
    if (const TMan* crowd = host_.Race().Crowd; crowd != nullptr)
        crowd->CollectTargets(crowdTargets);

    bool hit = false;
    while (!hit && sx >= 0 && sx <= kPlayAreaRight && sy >= 0 && sy <= kPlayAreaBottom) {
        wy -= stepY;
        wx += stepX;
        hit = ShootCrowd(wx, wy, crowdTargets);
        // The cars are tested at the screen point the ray had before this step; a step that
        // shot pedestrians can still hit a car.
        for (int k = 0; k < targetCount; ++k) {
            const CarQuadCorners& q = outlines[static_cast<size_t>(k)];
            if (!PointInQuad(TPointD{sx, sy}, q[0], q[1], q[2], q[3])) continue;
            AddScore(kCarShotScore);
            traffic->Explode(targets[static_cast<size_t>(k)]);
            host_.PlaySound(Sound::Explosion);
            hit = true;
            break;
        }
        sx = wx - originX;
        sy = wy - originY;
    }
}

// Every pedestrian on its feet within 50 pixels of the ray's point, across and along, is shot and
// falls where it stood. A body is left alone: it no longer counts as a target.
bool TPlayer::ShootCrowd(double wx, double wy, const CrowdTargets& targets) {
    TMan* crowd = host_.Race().Crowd;
    if (crowd == nullptr) return false;
    bool hit = false;
    for (int k = 0; k < targets.Count; ++k) {
        TManSlot& man = crowd->Slot(targets.Slots[static_cast<size_t>(k)]);
        // Bodies and the blown away are passed over. Departs from the original rule, under which
        // a blown-away pedestrian would come back as a body and score again (docs/departures.md).
        if (man.Dir == kManLying || man.Dir == kManRemoved) continue;
        if (std::fabs(man.PosX - wx) > kCrowdShotReach ||
            std::fabs(man.PosY - wy) > kCrowdShotReach)
            continue;
        crowd->KnockDown(man);
        host_.PlaySound(man.IsGirl ? Sound::KillW : Sound::Kill);
        AddScore(kCrowdShotScore);
        hit = true;
    }
    return hit;
}
