// The rockets: launch, flight, explosion, drawing with the exhaust flame, and the pool.

#include "sprites/rocket.h"

#include <cmath>
#include <numbers>

#include "core/rounding.h"
#include "media/image_list.h"
#include "sprites/player.h"
#include "sprites/race_host.h"
#include "sprites/scroll_background.h"
#include "track/track_map.h"

namespace {

constexpr int kRocketZ = 9;
// Where an idle rocket waits: above the screen, out of every test.
constexpr double kParkedY = -1000;
// The play area the rockets fly in; the HUD panel covers the rest of the screen.
constexpr double kPlayAreaRight = 700;
constexpr double kPlayAreaBottom = 600;
// The explosion picture is 64 pixels square: a detonating rocket's corner moves up and left by
// half of it, so that the blast is centred where the rocket's corner was.
constexpr double kExplosionHalf = 32;
// The flame's pivot as a share of its picture: its top middle, a little above the picture.
constexpr double kFlamePivotX = 0.5;
constexpr double kFlamePivotY = -0.22;

double Radians(int angle) {
    return angle * 2 * std::numbers::pi / 256;
}

}  // namespace

TRocket::TRocket(TSpriteEngine* engine, RaceHost& host, double x, double y, int speed, int heading)
    : TMyImageSprite(engine, ListOf(Picture::Rocket)), host_(host) {
    SetImageByName(Picture::Rocket);
    X = x;
    Y = y;
    SetZ(kRocketZ);
    RocketHeading = heading;
    RocketSpeed = speed;
    InFlight = false;
    FireSprite = CreateAt(engine, Picture::EngineFire, Trunc(X - 2), Trunc(Y - 12), Z());
    FireSprite->AnimPercent = 10;
    FireSprite->FrameLoop = true;
    FireSprite->Visible = false;
}

double TRocket::OriginX() const {
    const TScrollBackground* background = host_.Background();
    return host_.Track().ViewCol * static_cast<double>(kCellSize) -
           (background != nullptr ? background->X : 0);
}

double TRocket::OriginY() const {
    const TScrollBackground* background = host_.Background();
    return host_.Track().ViewRow * static_cast<double>(kCellSize) -
           (background != nullptr ? background->Y : 0);
}

void TRocket::Launch(double x, double y, int speed, int heading) {
    InFlight = true;
    Visible = true;
    X = x;
    Y = y;
    WorldX = x + OriginX();
    WorldY = y + OriginY();
    RocketHeading = heading;
    const TPlayer* car = host_.Race().Player;
    RocketSpeed = speed + (car != nullptr ? Round(car->Velocity) : 0);
    Detonated = false;
    SetAnimation(Picture::Rocket, 0);
}

void TRocket::Detonate() {
    SetAnimation(Picture::Explosion, 20);
    RocketSpeed = 0;
    Detonated = true;
    WorldX -= kExplosionHalf;
    WorldY -= kExplosionHalf;
    host_.PlaySound(Sound::Explosion);
}

void TRocket::Retire() {
    InFlight = false;
    Visible = false;
    X = 0;
    Y = kParkedY;
    WorldX = 0;
    WorldY = 0;
    RocketSpeed = 0;
    RocketHeading = 0;
}

// An idle rocket does nothing at all, not even its animation.
void TRocket::MoveStep(int moveCount) {
    if (!InFlight) return;
    TMyImageSprite::MoveStep(moveCount);
    const double a = Radians(RocketHeading);
    const double step = RocketSpeed * 0.5 * host_.Timing().FrameScale;
    WorldX += std::sin(a) * step;
    WorldY -= std::cos(a) * step;
    X = WorldX - OriginX();
    Y = WorldY - OriginY();
    FireSprite->X = X - 12;
    FireSprite->Y = Y - 2;
}

// The rocket turns about its centre; its flame hangs from the rocket's centre and turns with it.
void TRocket::DrawSelf() {
    if (Image == nullptr) return;
    const int cx = Trunc(X + Width / 2.0);
    const int cy = Trunc(Y + Height / 2.0);
    if (RocketHeading != 0) {
        Image->DrawTurned(cx, cy, Width, Height, Trunc(FramePos), 0.5, 0.5, RocketHeading);
    } else {
        TMyImageSprite::DrawSelf();
    }
    if (Detonated) return;
    const TMyImageSprite& flame = *FireSprite;
    if (flame.Image == nullptr) return;
    if (RocketHeading != 0) {
        flame.Image->DrawTurned(cx, cy, flame.Width, flame.Height, Trunc(flame.FramePos),
                                kFlamePivotX, kFlamePivotY, RocketHeading);
    } else {
        flame.Image->DrawPattern(Trunc(flame.X + flame.Width / 2.0),
                                 Trunc(flame.Y + flame.Height / 2.0), Trunc(flame.FramePos));
    }
}

// ---- The pool ----------------------------------------------------------------------------------

void CreateRocketPool(TSpriteEngine* engine, RaceHost& host, RaceState& race) {
    for (TRocket*& rocket : race.RocketPool) rocket = new TRocket(engine, host, 0, kParkedY, 0, 0);
}

void FireRocket(RaceState& race, double x, double y, int heading, int speed) {
    for (TRocket* rocket : race.RocketPool) {
        if (rocket == nullptr || rocket->InFlight) continue;
        rocket->Launch(x, y, speed, heading);
        return;
    }
}

void CullRockets(RaceState& race) {
    for (TRocket* rocket : race.RocketPool) {
        if (rocket == nullptr || !rocket->InFlight) continue;
        const double flameHeight = rocket->FireSprite != nullptr ? rocket->FireSprite->Height : 0;
        if (rocket->Detonated && rocket->PrevFramePos > rocket->FramePos) {
            rocket->Retire();  // the explosion has played once
        } else if (rocket->Y > kPlayAreaBottom) {
            rocket->Retire();
        } else if (rocket->Y + rocket->Height + flameHeight < 0) {
            rocket->Retire();
        } else if (rocket->X < 0 || rocket->X + rocket->Width > kPlayAreaRight) {
            rocket->Retire();
        }
    }
}

void KillRocketPool(RaceState& race) {
    for (TRocket*& rocket : race.RocketPool) {
        if (rocket == nullptr) continue;
        if (rocket->FireSprite != nullptr) rocket->FireSprite->Kill();
        rocket->Kill();
        rocket = nullptr;
    }
}
