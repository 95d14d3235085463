// The traffic: placing a level's cars, their move step (driving, contact with the player's car,
// rocket hits, explosions, steering by the road, leaving the track) and their drawing.

#include "sprites/traffic.h"

#include <algorithm>

#include "core/rounding.h"
#include "media/image_list.h"
#include "sprites/finish.h"
#include "sprites/player.h"
#include "sprites/race_host.h"
#include "sprites/rocket.h"
#include "sprites/scroll_background.h"
#include "sprites/sprite_engine.h"
#include "track/map_codes.h"
#include "track/track_generator.h"

namespace {

constexpr int kTrafficZ = 9;

// The rows where cars come back on the road: the start of the track (row 1498) for cars
// driving up; cars driving down come back at the road's far end.
constexpr double kStartRowY = 1498.0 * kCellSize;
// Cars are placed on rows up to this one, clear of the start stretch the player stands on.
constexpr int kLastPlacementRow = 1490;

// The screen area in which a car counts as on the screen: a little more than the play area, so
// that a large car is tested and drawn while any part of it can show.
constexpr int kOnScreenLeft = -170;
constexpr int kOnScreenRight = 870;
constexpr int kOnScreenTop = -240;
constexpr int kOnScreenBottom = 601;

// The speeds of the two flows, in half world pixels per frame at 85 frames per second.
constexpr int kUpSpeed = 6;
constexpr int kDownSpeed = -5;

// The explosion runs through 14 patterns at 20 patterns a second.
constexpr double kLastExplosionPattern = 13;
constexpr double kExplosionPatternsPerSecond = 20;

// A rocket hit or an oncoming car crashing into the player.
constexpr int kCarHitScore = 10;

}  // namespace

TCar::TCar(TSpriteEngine* engine, RaceHost& host)
    : TMyImageSprite(engine, ListOf(CarModels[1].Image)), host_(host) {
    SetImageByName(CarModels[1].Image);
    X = 0;
    Y = 0;
    SetZ(kTrafficZ);
    if (TImageList* list = engine->ImageListOf(ImageList); list != nullptr) {
        for (int model = 0; model <= kCarModels; ++model)
            pictures_[static_cast<size_t>(model)] = list->Find(NameOf(CarModels[model].Image));
        explosion_ = list->Find(NameOf(Picture::ExplosionBig));
    }
    PlaceTraffic();
}

int TCar::UsedSlots() const {
    return std::clamp(host_.Track().Level.CarCount, 0, kCarSlots);
}

double TCar::OriginX() const {
    const TScrollBackground* background = host_.Background();
    return host_.Track().ViewCol * static_cast<double>(kCellSize) -
           (background != nullptr ? background->X : 0);
}

double TCar::OriginY() const {
    const TScrollBackground* background = host_.Background();
    return host_.Track().ViewRow * static_cast<double>(kCellSize) -
           (background != nullptr ? background->Y : 0);
}

CarQuadCorners TCar::CarQuad(int i) const {
    const TCarSlot& car = Slot(i);
    const double sx = car.PosX - OriginX();
    const double sy = car.PosY - OriginY();
    const int dir = car.Dir >= 1 && car.Dir <= kCarDirections ? car.Dir : 0;
    CarQuadCorners quad =
        CarCorners[static_cast<size_t>(ModelIndex(car.Model))][static_cast<size_t>(dir)];
    for (TPointD& corner : quad) {
        corner.x += sx;
        corner.y += sy;
    }
    return quad;
}

// ---- Placing -----------------------------------------------------------------------------------

// Each car gets a row of its own, a multiple of 4 between the road's far end and the start
// stretch, so that no two cars start within four rows of each other. Cars driving down stand in
// the second cell from the road's left edge, cars driving up in the second cell from its right
// edge. A row without a straight edge (inside a road transition) leaves its slot empty.
void TCar::PlaceTraffic() {
    const TTrackMap& map = host_.Track().TrackMap;
    const int trackLength = host_.Track().Level.TrackLength;
    TRandom& random = host_.Random();

    const int farRow = 1536 - trackLength;
    for (int c = 1; c <= kTrackCols; ++c) {
        if (map.At(farRow, c) == MapCode::LeftEdge) {
            LeftEdgeCol = c;
            break;
        }
    }
    for (int c = kTrackCols; c >= 1; --c) {
        if (map.At(1495, c) == MapCode::RightEdge) {
            RightEdgeCol = c;
            break;
        }
    }

    for (TCarSlot& car : Slots) car = TCarSlot{};

    std::array<bool, kTrackRows + 1> rowUsed{};
    const int minRow = farRow;
    const int maxRow = kLastPlacementRow;
    // The rows a car may take; a level always has more of them than cars, but a short count
    // must leave slots empty rather than search for ever. Departs from the original rule, which
    // draws until it finds a free row (docs/departures.md).
    int freeRows = 0;
    for (int r = std::max(minRow, 1); r < maxRow; ++r)
        if (r % 4 == 0) ++freeRows;

    const int carCount = UsedSlots();
    const int half = carCount / 2;
    for (int i = 1; i <= carCount; ++i) {
        if (freeRows == 0) break;
        int r = 1;
        while (r % 4 != 0 || r < 1 || r > kTrackRows || rowUsed[static_cast<size_t>(r)])
            r = minRow + random.Random(maxRow - minRow);
        rowUsed[static_cast<size_t>(r)] = true;
        --freeRows;

        TCarSlot& car = Slot(i);
        const bool downLane = i <= half;
        int edge = 0;
        if (downLane) {
            for (int c = 1; c <= kTrackCols && edge == 0; ++c)
                if (map.At(r, c) == MapCode::LeftEdge) edge = c;
        } else {
            for (int c = kTrackCols; c >= 1 && edge == 0; --c)
                if (map.At(r, c) == MapCode::RightEdge) edge = c;
        }
        if (edge == 0) continue;
        car.Model = RandomModel(random);
        const CarModel& model = CarModels[static_cast<size_t>(car.Model)];
        if (downLane) {
            car.Dir = kDirDown;
            car.PosX = model.DownLaneOffset + (edge + 1) * static_cast<double>(kCellSize);
            car.Speed = kDownSpeed;
        } else {
            car.Dir = kDirUp;
            car.PosX = model.UpLaneOffset + (edge - 1) * static_cast<double>(kCellSize);
            car.Speed = kUpSpeed;
        }
        car.PosY = r * static_cast<double>(kCellSize);
        car.OnScreen = true;
        car.Exploding = false;
    }
}

void TCar::Respawn(int i, int end) {
    TCarSlot& car = Slot(i);
    car.Model = RandomModel(host_.Random());
    const CarModel& model = CarModels[static_cast<size_t>(car.Model)];
    if (end == 2) {
        car.Dir = kDirUp;
        car.PosX = model.UpLaneOffset + (RightEdgeCol - 1) * static_cast<double>(kCellSize);
        car.PosY = kStartRowY;
        car.Speed = kUpSpeed;
    } else {
        car.Dir = kDirDown;
        car.PosX = model.DownLaneOffset + (LeftEdgeCol + 1) * static_cast<double>(kCellSize);
        car.PosY = (1536.0 - host_.Track().Level.TrackLength) * kCellSize;
        car.Speed = kDownSpeed;
    }
    car.OnScreen = true;
    car.Exploding = false;
    ClearOverlaps(i);
}

void TCar::ClearOverlaps(int i) {
    const CarQuadCorners mine = CarQuad(i);
    const int count = UsedSlots();
    for (int n = 1; n <= count; ++n) {
        if (n == i || Slot(n).Dir == kDirNone) continue;
        const CarQuadCorners other = CarQuad(n);
        if (!QuadsOverlap(mine.data(), other.data())) continue;
        Slot(n).Speed = 0;
        Slot(n).Dir = kDirNone;
    }
}

void TCar::Explode(int i) {
    Slot(i).Exploding = true;
    Slot(i).Speed = 0;
}

// ---- Move step ---------------------------------------------------------------------------------

void TCar::MoveStep(int moveCount) {
    TMyImageSprite::MoveStep(moveCount);
    const int count = UsedSlots();
    const int trackLength = host_.Track().Level.TrackLength;
    for (int i = 1; i <= count; ++i) {
        TCarSlot& car = Slot(i);
        if (car.Dir == kDirNone) continue;
        MoveCar(car);

        const int sx = Round(car.PosX - OriginX());
        const int sy = Round(car.PosY - OriginY());
        car.OnScreen = kOnScreenLeft <= sx && sx <= kOnScreenRight && kOnScreenTop <= sy &&
                       sy <= kOnScreenBottom;
        TouchPlayer(i, sy);
        // A car the respawned player landed on is gone; nothing more happens to it. Departs from
        // the original rule, which went on with the empty slot: a rocket could still wreck it and
        // it could come back at the track's end (docs/departures.md).
        if (car.Dir == kDirNone) continue;
        MeetRockets(i);
        BurnExplosion(car);
        // A wreck whose explosion has ended stays gone for the rest of the level: it is neither
        // steered nor brought back at the track's end. Departs from the original rule, which
        // would bring it back when it stood beyond an end (docs/departures.md).
        if (car.Dir == kDirNone) continue;
        SteerByMap(car);

        if (car.PosY > kStartRowY) {
            Respawn(i, 2);
        } else if (car.PosY < (1535.0 - trackLength) * kCellSize) {
            Respawn(i, 1);
        }
    }
}

void TCar::MoveCar(TCarSlot& car) const {
    const double d = car.Speed * 0.5 * host_.Timing().FrameScale;
    switch (car.Dir) {
        case kDirUpLeft:
            car.PosX -= d * kSlantSin;
            car.PosY -= d * kSlantCos;
            break;
        case kDirUpRight:
            car.PosX += d * kSlantSin;
            car.PosY -= d * kSlantCos;
            break;
        case kDirUp:
        case kDirDown:
            car.PosY -= d;
            break;
        case kDirDownLeft:
            car.PosX += d * kSlantSin;
            car.PosY -= d * kSlantCos;
            break;
        case kDirDownRight:
            car.PosX -= d * kSlantSin;
            car.PosY -= d * kSlantCos;
            break;
        default:
            break;
    }
}

// Each contact counts once: its effects come on the first frame of an overlap and again only
// after the two cars have parted. After the finish line or once the time is up, a contact still
// changes speeds and still wrecks an oncoming car, but costs no hit point.
void TCar::TouchPlayer(int i, int sy) {
    TCarSlot& car = Slot(i);
    TPlayer* player = host_.Race().Player;
    if (!car.OnScreen || player == nullptr || player->Crashed != 0) return;
    const CarQuadCorners quad = CarQuad(i);
    if (!QuadsOverlap(quad.data(), player->Footprint.data())) {
        car.Touching = false;
        return;
    }
    if (car.Touching) return;
    car.Touching = true;

    // A car the player was put back onto gives way; the first contact while driving forward
    // ends the player's grace.
    if (player->Respawned) {
        car.Speed = 0;
        car.Dir = kDirNone;
        player->Respawned = false;
    }
    if (player->Velocity > 0) player->Respawned = false;

    const bool counts = !FinishCrossed(host_.Race()) && !player->TimeUp;
    if (sy > player->Y) {
        // A car driving up runs into the player from behind and pushes it on.
        if (car.Speed > 0) {
            if (counts) player->TakeHit();
            player->CarSpeed = car.Speed * 1.5 * 10;
        }
        return;
    }
    if (car.Speed < 0) {
        // Head-on: the oncoming car is wrecked and the player thrown back.
        if (counts) player->TakeHit();
        player->SlowDown(-0.2);
        Explode(i);
        host_.PlaySound(Sound::Explosion);
    } else if (car.Speed > 0) {
        // The player runs into a car driving up: the player slows, the car drives on.
        if (counts) player->TakeHit();
        player->SlowDown(0.2);
    }
}

// The first rocket in the pool that is flying (not exploding) and whose point lies inside the
// car destroys it; the car's own explosion shows the hit, so the rocket is put away at once.
void TCar::MeetRockets(int i) {
    TCarSlot& car = Slot(i);
    if (!car.OnScreen || car.Exploding) return;
    CarQuadCorners quad = CarQuad(i);
    const double ox = OriginX();
    const double oy = OriginY();
    for (TPointD& corner : quad) {
        corner.x += ox;
        corner.y += oy;
    }
    for (TRocket* rocket : host_.Race().RocketPool) {
        if (rocket == nullptr || !rocket->InFlight || rocket->Detonated) continue;
        if (!PointInQuad(TPointD{rocket->WorldX, rocket->WorldY}, quad[0], quad[1], quad[2],
                         quad[3]))
            continue;
        host_.PlaySound(Sound::Explosion);
        Explode(i);
        host_.Race().Score += kCarHitScore;
        rocket->Retire();
        return;
    }
}

void TCar::BurnExplosion(TCarSlot& car) const {
    if (!car.Exploding) return;
    const int frameMs = host_.Timing().FrameMs;
    if (frameMs > 0) car.ExplosionPhase += kExplosionPatternsPerSecond / (1000.0 / frameMs);
    if (car.ExplosionPhase > kLastExplosionPattern) {
        car.Exploding = false;
        car.Dir = kDirNone;
    }
}

// The road's cells tell a car where it drifts: the map is read under the car's middle and one
// cell to either side. The rules are tried in order and a later match wins.
void TCar::SteerByMap(TCarSlot& car) const {
    const TTrackMap& map = host_.Track().TrackMap;
    const CarModel& model = CarModels[static_cast<size_t>(ModelIndex(car.Model))];
    const double x = car.PosX + model.CentreX;
    const double y = car.PosY + model.CentreY;
    const int left = MapCodeAt(map, x - kCellSize, y);
    const int middle = MapCodeAt(map, x, y);
    const int right = MapCodeAt(map, x + kCellSize, y);
    if (car.Dir >= kDirUpLeft && car.Dir <= kDirUp) {
        // Up the right half of the road: drifting left (16 15 14 13), drifting right
        // (5 6 7 8), straight (1 2 3 4).
        if (left == 15 && middle == 14) car.Dir = kDirUpLeft;
        if (middle == 7 && right == 8) car.Dir = kDirUpRight;
        if (middle == 3 && right == 4) car.Dir = kDirUp;
    } else if (car.Dir >= kDirDown && car.Dir <= kDirDownRight) {
        // Down the left half: the second phases of the drifts (9 10 11 12 and 20 19 18 17)
        // lead down, and a straight road (1 2 3 4) straightens the car again.
        if (left == 9 && middle == 10) car.Dir = kDirDownLeft;
        if (middle == 19 && right == 18) car.Dir = kDirDownRight;
        if (middle == 2 && left == 1) car.Dir = kDirDown;
    }
}

// ---- Drawing -----------------------------------------------------------------------------------

void TCar::DrawTraffic() const {
    const double ox = OriginX();
    const double oy = OriginY();
    const int count = UsedSlots();
    for (int i = 1; i <= count; ++i) {
        const TCarSlot& car = Slot(i);
        if (!car.OnScreen || car.Dir == kDirNone) continue;
        const int sx = Round(car.PosX - ox);
        const int sy = Round(car.PosY - oy);
        const int model = ModelIndex(car.Model);
        if (car.Exploding) {
            if (explosion_ == nullptr) continue;
            const CarModel& shape = CarModels[static_cast<size_t>(model)];
            explosion_->DrawPattern(sx + shape.CentreX - 32, sy + shape.CentreY - 32,
                                    Trunc(car.ExplosionPhase));
            continue;
        }
        const TPictureItem* picture = pictures_[static_cast<size_t>(model)];
        if (picture != nullptr) picture->DrawPattern(sx, sy, car.Dir - 1);
    }
}
