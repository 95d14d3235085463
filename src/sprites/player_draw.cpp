// The car's draw step: the marks on the road, the nitro flames, the traffic, the wreck, the car
// and its mounted weapon, in that order, so that the car lies over its marks and the weapon over
// the car.

#include "core/rounding.h"
#include "media/image_list.h"
#include "sprites/player.h"
#include "sprites/player_tables.h"
#include "sprites/race_host.h"
#include "sprites/sprite_engine.h"
#include "sprites/traffic.h"

namespace {

// The marks are drawn at this size, whatever the size of their pictures.
constexpr int kMarkWidth = 10;
constexpr int kMarkHeight = 14;
// The nitro flame and the weapon pictures the pivots below are measured in.
constexpr double kFlameWidth = 16;
constexpr double kFlameHeight = 51;
constexpr double kWeaponHeight = 114;

int SignOf(int v) {
    return v > 0 ? 1 : (v < 0 ? -1 : 0);
}

}  // namespace

void TPlayer::DrawSelf() {
    // A hidden car (after the last life's explosion) takes its marks and the traffic with it.
    if (!Visible) return;
    DrawMarks();
    DrawNitroFlames();
    DrawTraffic();
    PlaceOnScreen();
    DrawWreck();
    DrawCar();
    DrawWeapon();
}

void TPlayer::DrawMarks() {
    TImageList* list = Engine->ImageListOf(2);
    if (list == nullptr) return;
    const TPictureItem* blood = list->Find(NameOf(Picture::Blood));
    const TPictureItem* skid = list->Find(NameOf(Picture::Handbrake));
    for (int slot = 1; slot <= kMarkSlots; ++slot) {
        const TMark& mark = MarkTable[slot];
        if (!mark.Shown || !mark.Used) continue;
        const TPictureItem* picture = mark.Blood ? blood : skid;
        if (picture == nullptr) continue;
        picture->DrawTurned(Trunc(mark.MarkX + 5), Trunc(mark.MarkY + 7), kMarkWidth, kMarkHeight,
                            0, 0.5, 0.5, mark.MarkHeading);
    }
}

// The flames come out of the two exhausts at the rear corners; they turn with the car about its
// centre. Standing straight, the two are splayed one unit outwards.
void TPlayer::DrawNitroFlames() {
    if (Crashed != 0 || !NitroBurning) return;
    const TMyImageSprite& left = *NitroFlameLeft;
    const TMyImageSprite& right = *NitroFlameRight;
    const int cx = Trunc(X + Width / 2.0);
    const int cy = Trunc(Y + Height / 2.0);
    const double pivotY = -(Height / 2.0 - 8) / kFlameHeight;
    const double leftPivotX = (Width / 2.0 - 8) / kFlameWidth;
    const double rightPivotX = -(Width / 2.0 - right.Width - 8) / kFlameWidth;
    if (left.Image != nullptr) {
        left.Image->DrawTurned(cx, cy, left.Width, left.Height, Trunc(left.FramePos), leftPivotX,
                               pivotY, Heading == 0 ? 1 : Heading);
    }
    if (Heading == 64 || Heading == -64) {
        // Turned fully sideways the second flame is the first one again, moved along the car.
        if (left.Image != nullptr) {
            left.Image->DrawTurned(cx, Trunc(Y + Height / 2.0 + SignOf(Heading) * Width / 2.0),
                                   left.Width, left.Height, Trunc(left.FramePos), leftPivotX,
                                   pivotY, Heading);
        }
    } else if (right.Image != nullptr) {
        right.Image->DrawTurned(cx, cy, right.Width, right.Height, Trunc(right.FramePos),
                                rightPivotX, pivotY, Heading == 0 ? -1 : Heading);
    }
    NitroBurning = false;
}

// The explosion picture is larger than the car is wide; it is placed over the car's middle.
void TPlayer::PlaceOnScreen() {
    if (Image != nullptr && Image->PatternCount() > 1) {
        X = Width / 2.0 + kScreenX - 32;
        Y = Height / 2.0 + kScreenY + 10;
    } else {
        X = kScreenX;
        Y = kScreenY;
    }
}

// While the explosion plays where the car blew up, the burnt body lies under it with two more
// blasts, one over its front and one over its rear.
void TPlayer::DrawWreck() {
    if (Crashed != 1 || Respawned || Image == nullptr) return;
    TImageList* list = Engine->ImageListOf(2);
    const TPictureItem* body = list != nullptr ? list->Find(NameOf(CarImage())) : nullptr;
    const int cx = Trunc(X + Width / 2.0);
    const int cy = Trunc(Y + Height / 2.0);
    const WreckHalfSize wreck = WreckSize[CarIndex(Car)];
    if (body != nullptr) {
        body->DrawTurned(cx, cy, Trunc(2 * wreck.HalfWidth), Trunc(2 * wreck.HalfHeight), 0, 0.5,
                         0.5, Heading);
    }
    const TPointD& p1 = Footprint[0];
    const TPointD& p2 = Footprint[1];
    const TPointD& p3 = Footprint[2];
    const TPointD& p4 = Footprint[3];
    const TPointD front{(3 * p1.x + 3 * p2.x + p3.x + p4.x) / 8,
                        (3 * p1.y + 3 * p2.y + p3.y + p4.y) / 8};
    const TPointD rear{(p1.x + p2.x + 3 * p3.x + 3 * p4.x) / 8,
                       (p1.y + p2.y + 3 * p3.y + 3 * p4.y) / 8};
    Image->DrawTurned(Trunc(Width / 2.0 + front.x - 32), Trunc(Height / 2.0 + front.y - 32), Width,
                      Height, Trunc(FramePos + 2), 0.5, 0.5, Heading);
    Image->DrawTurned(Trunc(Width / 2.0 + rear.x - 32), Trunc(Height / 2.0 + rear.y - 32), Width,
                      Height, Trunc(FramePos + 4), 0.5, 0.5, Heading);
}

void TPlayer::DrawCar() {
    if (Image == nullptr) return;
    if (Heading == 0) {
        TMyImageSprite::DrawSelf();
        return;
    }
    Image->DrawTurned(Trunc(X + Width / 2.0), Trunc(Y + Height / 2.0), Width, Height,
                      Trunc(FramePos), 0.5, 0.5, Heading);
}

// The weapon sits on the roof and turns with the car about the car's centre.
void TPlayer::DrawWeapon() {
    if (Crashed != 0 || Weapon == WeaponKind::None) return;
    const TMyImageSprite& weapon = *WeaponSprite;
    if (weapon.Image == nullptr) return;
    const int car = CarIndex(Car);
    double pivotY = (Height / 2.0) / kWeaponHeight - 0.6 + GunPivot[car];
    if (Weapon == WeaponKind::MachineGun && weapon.Image->Name() == NameOf(Picture::GunShooting))
        pivotY += GunShootPivot[car] - 0.03;
    weapon.Image->DrawTurned(Trunc(X + Width / 2.0), Trunc(Y + Height / 2.0), weapon.Width,
                             weapon.Height, Trunc(weapon.FramePos), 0.5, pivotY, Heading);
}

// The traffic cars are drawn by the car, under it.
void TPlayer::DrawTraffic() {
    if (const TCar* traffic = host_.Race().Traffic; traffic != nullptr) traffic->DrawTraffic();
}
