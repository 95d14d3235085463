// The pedestrians: placing a level's crowd on the pavements, the walking rule, running over,
// rockets, the horn's scare, leaving the map, and drawing the crowd.

#include "sprites/crowd.h"

#include <algorithm>

#include "core/geometry.h"
#include "core/rounding.h"
#include "media/image_list.h"
#include "sprites/player.h"
#include "sprites/race_host.h"
#include "sprites/road_view.h"
#include "sprites/rocket.h"
#include "sprites/sprite_engine.h"
#include "track/map_codes.h"
#include "track/track_generator.h"

namespace {

constexpr int kCrowdZ = 6;

// Pedestrians stand on every fifth map row from the road's far end down to the start stretch.
constexpr int kRowSpacing = 5;
constexpr int kLastRow = 1490;
// The kerb is looked for in these columns: a straight road's left edge for the left-hand
// pavement, its right edge for the right-hand one.
constexpr int kKerbFirstCol = 50;
constexpr int kKerbLastCol = 600;
// The pavement window beside the kerb is 0 to 19 cells wide.
constexpr int kWindowDraws = 20;

// The picture's top-left corner lies this far left of and above the figure's middle, and the
// picture is this big.
constexpr int kHalfFigure = 27;
constexpr int kFigureSize = 54;
// The screen area in which a pedestrian counts as in sight.
constexpr int kSightLeft = -20;
constexpr int kSightRight = 700;
constexpr int kSightTop = -20;
constexpr int kSightBottom = 600;
// The car hits a pedestrian at these points of the picture.
constexpr int kProbe = 23;
// A rocket meets a pedestrian inside this box around the figure's reference point.
constexpr double kRocketBoxNear = 4;
constexpr double kRocketBoxFar = 30;
// A body lies this much up and left of where the pedestrian walked.
constexpr double kBodyShift = 10;
// The world a pedestrian must stay inside: columns 5 to 647, rows 5 to 1497.
constexpr double kWorldLeft = 360;
constexpr double kWorldRight = 46656;
constexpr double kWorldTop = 360;
constexpr double kWorldBottom = 107856;

constexpr int kRunOverScore = 5;
constexpr int kRocketScore = 5;
// Running a pedestrian over slows the car to this share of its speed.
constexpr double kRunOverSlowDown = 0.9;
// The blood the car's wheels lay after a run-over: a new trail, or a short one topped up.
constexpr int kBloodTrailNew = 50;
constexpr int kBloodTrailTopUp = 30;

constexpr int Bit(int dir) {
    return 1 << dir;
}
constexpr int kExitLeft = Bit(kManLeft);
constexpr int kExitRight = Bit(kManRight);
constexpr int kExitUp = Bit(kManUp);
constexpr int kExitDown = Bit(kManDown);

// The pavement exits of every map code, indexed by the code as an unsigned byte.
struct ExitTable {
    std::array<uint8_t, 256> exits{};
    constexpr ExitTable() {
        Set(MapCode::VerticalVerge, kExitUp | kExitDown);
        Set(MapCode::VergeStrip, kExitLeft | kExitRight);
        Set(MapCode::DriftVerge, kExitLeft | kExitRight | kExitUp | kExitDown);
        Set(MapCode::VergeCornerTopLeft, kExitRight | kExitDown);
        Set(MapCode::VergeCornerTopRight, kExitLeft | kExitDown);
        Set(MapCode::VergeCornerBottomRight, kExitLeft | kExitUp);
        Set(MapCode::VergeCornerBottomLeft, kExitRight | kExitUp);
        Set(MapCode::LeftStreetMouth, kExitUp | kExitDown | kExitLeft);
        Set(MapCode::RightStreetMouth, kExitUp | kExitDown | kExitRight);
    }
    constexpr void Set(MapCode code, int ways) {
        exits[static_cast<uint8_t>(CodeOf(code))] = static_cast<uint8_t>(ways);
    }
};
constexpr ExitTable kExits;

int ExitsOf(int code) {
    return kExits.exits[static_cast<uint8_t>(code)];
}

bool Walking(const TManSlot& man) {
    return man.Dir >= kManLeft && man.Dir <= kManDown;
}

}  // namespace

int PavementExits(int code) {
    if (code < -128 || code > 127) return 0;
    return ExitsOf(code);
}

TMan::TMan(TSpriteEngine* engine, RaceHost& host)
    : TMyImageSprite(engine, ListOf(Picture::Man_Up)), host_(host) {
    SetImageByName(Picture::Man_Up);
    X = 0;
    Y = 0;
    SetZ(kCrowdZ);
    if (TImageList* list = engine->ImageListOf(ImageList); list != nullptr) {
        // By direction: lying, left, right, up, down.
        static constexpr std::array<std::array<Picture, 5>, 2> kPictures = {{
            {Picture::Man_Laying, Picture::Man_Left, Picture::Man_Right, Picture::Man_Up,
             Picture::Man_Down},
            {Picture::Girl_Laying, Picture::Girl_Left, Picture::Girl_Right, Picture::Girl_Up,
             Picture::Girl_Down},
        }};
        for (size_t girl = 0; girl < 2; ++girl)
            for (size_t dir = 0; dir < 5; ++dir)
                pictures_[girl][dir] = list->Find(NameOf(kPictures[girl][dir]));
    }
    PlaceCrowd();
}

// ---- Placing -----------------------------------------------------------------------------------

// Every fifth row of the level takes one slot on each side of the road, whether or not anybody
// stands there: first all the left-hand pavements, then the right-hand ones. Beside the kerb a
// window of 0 to 19 cells is drawn, and the first pavement cell of the window from its left end
// takes the pedestrian: on the left-hand side the one farthest from the road, on the right-hand
// side the nearest. The random window width is drawn only for a row that has a kerb.
void TMan::PlaceCrowd() {
    for (TManSlot& man : Slots) {
        man = TManSlot{};
        man.OnScreen = true;
    }
    const TTrackMap& map = host_.Track().TrackMap;
    const int firstRow = 1500 - host_.Track().Level.TrackLength;
    TRandom& random = host_.Random();
    int next = 1;
    for (int pass = 1; pass <= 2; ++pass) {
        for (int row = firstRow; row <= kLastRow; ++row) {
            if (row % kRowSpacing != 0) continue;
            if (next > kManSlots) return;
            const int slot = next++;
            int kerb = 0;
            for (int c = kKerbFirstCol; c <= kKerbLastCol && kerb == 0; ++c) {
                if (pass == 1 && map.At(row, c) == MapCode::LeftEdge) kerb = c;
                if (pass == 2 && map.At(row, c) == MapCode::RightEdge &&
                    map.At(row, c + 1) != MapCode::LeftEdge)
                    kerb = c;
            }
            if (kerb == 0) continue;
            const int width = random.Random(kWindowDraws);
            if (width == 0) continue;
            if (pass == 1) {
                PlaceInWindow(slot, row, kerb - width, kerb - 1);
            } else {
                PlaceInWindow(slot, row, kerb + 1, kerb + width);
            }
        }
    }
}

void TMan::PlaceInWindow(int slot, int row, int first, int last) {
    const TTrackMap& map = host_.Track().TrackMap;
    TRandom& random = host_.Random();
    for (int m = first; m <= last; ++m) {
        const int code = map.At(row, m);
        if (!IsPavement(code)) continue;
        TManSlot& man = Slot(slot);
        man.Alive = true;
        man.IsGirl = random.Random(2) == 1;
        man.PosX = m * static_cast<double>(kCellSize) + kCellSize / 2.0;
        man.PosY = row * static_cast<double>(kCellSize);
        switch (static_cast<MapCode>(code)) {
            case MapCode::VerticalVerge:
                man.Dir = static_cast<uint8_t>(kManUp + random.Random(2));
                break;
            case MapCode::VergeStrip:
                man.Dir = static_cast<uint8_t>(kManLeft + random.Random(2));
                break;
            case MapCode::DriftVerge:
                man.Dir = static_cast<uint8_t>(kManLeft + random.Random(4));
                break;
            case MapCode::VergeCornerTopLeft:
                man.Dir = kManRight;
                break;
            case MapCode::VergeCornerTopRight:
                man.Dir = kManLeft;
                break;
            default:  // the bottom corners and the side-street mouths
                man.Dir = kManUp;
                break;
        }
        man.NextDir = man.Dir;
        man.Speed = 3 + random.Random(3);
        man.Phase = random.Random(4);
        return;
    }
}

// ---- The horn ----------------------------------------------------------------------------------

void TMan::Scare() {
    Scared = true;
    for (TManSlot& man : Slots) {
        if (!man.Alive || !Walking(man) || !man.OnScreen) continue;
        man.ScareTime = kScareMs;
        man.Speed = kScaredSpeed;
    }
}

// Those in sight, and those still running from the horn out of sight, walk again at a pace of
// their own. Departs from the original rule, which calms only those in sight: one who ran off
// the screen would run at the scared pace for the rest of the level (docs/departures.md).
void TMan::CalmDown() {
    Scared = false;
    TRandom& random = host_.Random();
    for (TManSlot& man : Slots) {
        if (!man.Alive || !Walking(man)) continue;
        if (!man.OnScreen && man.Speed != kScaredSpeed) continue;
        man.ScareTime = 0;
        man.Speed = 3 + random.Random(3);
    }
}

// ---- Walking -----------------------------------------------------------------------------------

// A pedestrian walks on through one of the cell's other exits, each as likely, and turns round
// where the cell has no pavement or none on the side it came in by.
int TMan::TurnRule(int dir, double x, double y) {
    if (dir < kManLeft || dir > kManDown) return dir;
    const WalkDirection& walk = WalkDirections[static_cast<size_t>(dir)];
    const int exits = ExitsOf(MapCodeAt(host_.Track().TrackMap, x, y));
    if ((exits & Bit(walk.Back)) == 0) return walk.Back;
    std::array<int, 3> ways{};
    int count = 0;
    for (int way : {static_cast<int>(walk.Left), static_cast<int>(walk.Right), dir})
        if ((exits & Bit(way)) != 0) ways[static_cast<size_t>(count++)] = way;
    if (count == 0) return walk.Back;
    if (count == 1) return ways[0];
    return ways[static_cast<size_t>(host_.Random().Random(count))];
}

void TMan::Walk(TManSlot& man, double oldPhase) {
    man.CellX = MapIndexOf(man.PosX);
    man.CellY = MapIndexOf(man.PosY);
    if (man.CellX == man.AheadX && man.CellY == man.AheadY) {
        man.NextDir = static_cast<uint8_t>(TurnRule(man.Dir, man.PosX, man.PosY));
        man.Dir = man.NextDir;
    }
    const WalkDirection& walk = WalkDirections[man.Dir];
    man.AheadX = MapIndexOf(man.PosX + kCellSize * walk.StepX);
    man.AheadY = MapIndexOf(man.PosY + kCellSize * walk.StepY);
    // One step each time the animation reaches its next picture.
    if (Trunc(man.Phase) != Trunc(oldPhase)) {
        man.PosX += 2 * man.Speed * walk.StepX;
        man.PosY += 2 * man.Speed * walk.StepY;
    }
}

// ---- Move step ---------------------------------------------------------------------------------

// One pass over the slots. Only pedestrians in sight meet the car and the rockets; a scare lasts
// until none of the pedestrians it sent running has time left.
void TMan::MoveStep(int moveCount) {
    (void)moveCount;
    const RoadView view = RoadViewOf(host_);
    const int frameMs = host_.Timing().FrameMs;
    const double framesPerSecond = frameMs > 0 ? 1000.0 / frameMs : 0;
    bool scareLeft = false;
    for (int i = 1; i <= kManSlots; ++i) {
        TManSlot& man = Slot(i);
        if (!man.Alive || man.Dir == kManRemoved) continue;

        const double oldPhase = man.Phase;
        if (framesPerSecond > 0) man.Phase += man.Speed / framesPerSecond;
        if (man.Phase > 4) man.Phase = 0;

        // Past the map's border a pedestrian is gone, without a sound.
        if (!(kWorldLeft < man.PosX && man.PosX < kWorldRight && kWorldTop < man.PosY &&
              man.PosY < kWorldBottom))
            man.Alive = false;

        if (Scared && man.ScareTime > 0) {
            man.ScareTime = std::max(0.0, man.ScareTime - frameMs);
            if (man.ScareTime > 0) scareLeft = true;
        }

        const int sx = Round(man.PosX - view.OriginX) - kHalfFigure;
        const int sy = Round(man.PosY - view.OriginY) - kHalfFigure;
        man.OnScreen =
            kSightLeft <= sx && sx <= kSightRight && kSightTop <= sy && sy <= kSightBottom;
        if (man.OnScreen) {
            RunOver(man, sx, sy);
            MeetRockets(man);
        }
        if (Walking(man)) Walk(man, oldPhase);
    }
    if (Scared && !scareLeft) CalmDown();
}

void TMan::KnockDown(TManSlot& man) {
    man.PosX -= kBodyShift;
    man.PosY -= kBodyShift;
    man.Speed = 0;
    man.Dir = kManLying;
    man.Phase = 0;
}

// The car is the topmost sprite at one of four points of the picture: the pedestrian lies there,
// and the car is slowed and lays a trail of blood. A body is not run over twice.
bool TMan::RunOver(TManSlot& man, int sx, int sy) {
    if (man.Dir == kManLying) return false;
    TPlayer* car = host_.Race().Player;
    if (car == nullptr) return false;
    TSpriteEngine& engine = *Engine;
    if (!PlayerTopmostAt(engine, car, sx, sy) && !PlayerTopmostAt(engine, car, sx + kProbe, sy) &&
        !PlayerTopmostAt(engine, car, sx, sy + kProbe) &&
        !PlayerTopmostAt(engine, car, sx + kProbe, sy + kProbe))
        return false;
    KnockDown(man);
    car->AddScore(kRunOverScore);
    host_.PlaySound(man.IsGirl ? Sound::KillW : Sound::Kill);
    car->SlowDown(kRunOverSlowDown);
    if (car->BloodTrail <= 0) {
        car->BloodTrail = kBloodTrailNew;
    } else if (car->BloodTrail < kBloodTrailTopUp) {
        car->BloodTrail = kBloodTrailTopUp;
    }
    return true;
}

// The first rocket of the pool whose point lies in the box around the pedestrian, flying or
// already exploding, blows it away (a body too) and explodes there.
void TMan::MeetRockets(TManSlot& man) {
    const TPointD q1{man.PosX - kRocketBoxNear, man.PosY - kRocketBoxNear};
    const TPointD q2{man.PosX + kRocketBoxFar, man.PosY - kRocketBoxNear};
    const TPointD q3{man.PosX - kRocketBoxNear, man.PosY + kRocketBoxFar};
    const TPointD q4{man.PosX + kRocketBoxFar, man.PosY + kRocketBoxFar};
    RaceState& race = host_.Race();
    for (TRocket* rocket : race.RocketPool) {
        if (rocket == nullptr || !rocket->InFlight) continue;
        if (!PointInQuad(TPointD{rocket->WorldX, rocket->WorldY}, q1, q2, q3, q4)) continue;
        rocket->Detonate();
        if (race.Player != nullptr) {
            race.Player->AddScore(kRocketScore);
        } else {
            race.Score += kRocketScore;
        }
        man.PosX -= kBodyShift;
        man.PosY -= kBodyShift;
        man.Speed = 0;
        man.Dir = kManRemoved;
        man.Phase = 0;
        return;
    }
}

void TMan::CollectTargets(CrowdTargets& targets) const {
    targets.Count = 0;
    for (int i = 1; i <= kManSlots; ++i) {
        const TManSlot& man = Slot(i);
        if (man.Alive && man.OnScreen && Walking(man))
            targets.Slots[static_cast<size_t>(targets.Count++)] = static_cast<int16_t>(i);
    }
}

// ---- Drawing -----------------------------------------------------------------------------------

void TMan::DrawSelf() {
    const RoadView view = RoadViewOf(host_);
    const SDL_Rect& surface = Engine->SurfaceRect;
    for (int i = 1; i <= kManSlots; ++i) {
        const TManSlot& man = Slot(i);
        if (!man.Alive || man.Dir == kManRemoved || !man.OnScreen) continue;
        const int sx = Round(man.PosX - view.OriginX) - kHalfFigure;
        const int sy = Round(man.PosY - view.OriginY) - kHalfFigure;
        // Nothing of a picture wholly off the surface would show.
        if (sx + kFigureSize <= surface.x || sx >= surface.x + surface.w ||
            sy + kFigureSize <= surface.y || sy >= surface.y + surface.h)
            continue;
        const TPictureItem* picture = pictures_[man.IsGirl ? 1 : 0][std::min<size_t>(man.Dir, 4)];
        if (picture != nullptr) picture->DrawPattern(sx, sy, Trunc(man.Phase));
    }
}
