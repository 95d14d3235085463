#include "autopilot.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <string>

#include "shell/form.h"
#include "sprites/lamp.h"
#include "sprites/player.h"
#include "sprites/scroll_background.h"
#include "sprites/traffic.h"
#include "track/map_codes.h"

namespace {

// A small margin either side of the car's body: the lane beside the cars driving up is just
// wide enough for it.
constexpr double kSideMargin = 9;
// How close the body may come to the road's edge: the lamp posts stand on the edge cells, a
// little inside the kerb, so the driver keeps almost a cell away from it (and passes a car
// driving up on its left, not beside the kerb).
constexpr double kEdgeMargin = 60;
// How far up the road the driver looks for traffic, in world pixels.
constexpr double kLookAhead = 900;
// A place that stays clear this many frames counts as free.
constexpr double kClearFrames = 150;
// The world's deceleration under the brake, world pixels per frame per frame (0.3 speed units).
// Half of it is counted on, so that the brakes come on early.
constexpr double kBrakePerFrame = 0.15 / 20;
// The gap the driver keeps behind a car it follows.
constexpr double kFollowGap = 40;
// How many clear frames a place in the oncoming half of the road must offer beyond the own lane.
constexpr double kOncomingLanePenalty = 60;
// The places across the road the driver considers, every this many pixels.
constexpr double kLaneStep = 8;
// The room the driver leaves around a lamp post, which is solid.
constexpr double kPostMargin = 6;
// How far behind its centre the driver still minds the lamp posts: the car's rear half.
constexpr double kPostsBehind = 100;
// The most lamp posts the driver keeps in mind at once.
constexpr int kMaxPosts = 64;

// Holds or lets go the key of an action (nothing when the action has no key).
void Hold(TMForm& form, RaceAction action, bool down) {
    const SDL_Scancode key = FirstKeyOf(form.Input.Controls, action);
    if (key == SDL_SCANCODE_UNKNOWN) return;
    const bool held = form.Input.HeldKeys[key] != 0;
    if (down && !held) form.FormKeyDown(key, false);
    if (!down && held) form.FormKeyUp(key);
}

void ReleaseAll(TMForm& form) {
    for (RaceAction action : {RaceAction::Accelerate, RaceAction::Brake, RaceAction::Left,
                              RaceAction::Right, RaceAction::Fire})
        Hold(form, action, false);
}

// A stretch of road across one map row, in world x.
struct RoadSpan {
    double left = 0;
    double right = -1;
    bool Valid() const { return right > left; }
    double Width() const { return right - left; }
};

// The stretch of road in a row that holds, or lies nearest to, the world x given.
RoadSpan RoadSpanNear(const TTrackMap& map, int row, double worldX) {
    const int near = static_cast<int>(worldX / kCellSize);
    RoadSpan best;
    int bestDistance = kTrackCols + 1;
    int col = 1;
    while (col <= kTrackCols) {
        if (!IsRoadCode(map.At(row, col))) {
            ++col;
            continue;
        }
        const int first = col;
        while (col <= kTrackCols && IsRoadCode(map.At(row, col))) ++col;
        const int last = col - 1;
        const int distance = near < first ? first - near : (near > last ? near - last : 0);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = RoadSpan{first * static_cast<double>(kCellSize),
                            (last + 1) * static_cast<double>(kCellSize)};
        }
    }
    return best;
}

// The road's right edge near a world point. A drifting road steps one cell sideways every two
// rows, and its tiles draw the edge as a slant across the steps: averaged over two rows' height
// around the point, the steps give back that slant, so that a car following the drift keeps its
// distance from the edge.
class RoadEdges {
public:
    explicit RoadEdges(const TTrackMap& map) : map_(map) {}

    // NaN when there is no road near the point.
    double RightEdgeAt(double x, double y) const {
        const double from = y - kCellSize;
        const int first = static_cast<int>(std::floor(from / kCellSize));
        const double into = from - first * static_cast<double>(kCellSize);
        const double weights[3] = {kCellSize - into, static_cast<double>(kCellSize), into};
        double sum = 0;
        double weight = 0;
        for (int k = 0; k < 3; ++k) {
            const double edge = RightEdgeInRow(first + k, x);
            if (std::isnan(edge)) continue;
            sum += edge * weights[k];
            weight += weights[k];
        }
        return weight > 0 ? sum / weight : std::nan("");
    }

private:
    double RightEdgeInRow(int row, double x) const {
        int col = static_cast<int>(x / kCellSize);
        int found = -1;
        for (int d = 0; d <= 4 && found < 0; ++d) {
            if (IsRoadCode(map_.At(row, col + d))) found = col + d;
            if (found < 0 && IsRoadCode(map_.At(row, col - d))) found = col - d;
        }
        if (found < 0) return std::nan("");
        col = found;
        while (col < kTrackCols && IsRoadCode(map_.At(row, col + 1))) ++col;
        return (col + 1) * static_cast<double>(kCellSize);
    }

    const TTrackMap& map_;
};

// A shape as the driver sees it: across the road as offsets from the road's right edge at each
// corner's height (so that a car following a drifting road keeps its offsets), and along the
// road in world y.
struct Extent {
    double leftOffset = 1e9;
    double rightOffset = -1e9;
    double top = 1e9;
    double bottom = -1e9;
    bool valid = false;
};

template <typename Corners>
Extent ExtentOf(const RoadEdges& edges, const Corners& corners, double fallbackEdge) {
    Extent e;
    for (const TPointD& c : corners) {
        double edge = edges.RightEdgeAt(c.x, c.y);
        if (std::isnan(edge)) edge = fallbackEdge;
        e.leftOffset = std::min(e.leftOffset, c.x - edge);
        e.rightOffset = std::max(e.rightOffset, c.x - edge);
        e.top = std::min(e.top, c.y);
        e.bottom = std::max(e.bottom, c.y);
    }
    e.valid = true;
    return e;
}

Extent Union(const Extent& a, const Extent& b) {
    if (!a.valid) return b;
    Extent u;
    u.leftOffset = std::min(a.leftOffset, b.leftOffset);
    u.rightOffset = std::max(a.rightOffset, b.rightOffset);
    u.top = std::min(a.top, b.top);
    u.bottom = std::max(a.bottom, b.bottom);
    u.valid = true;
    return u;
}

// True when a drifting piece of road (codes 5 to 20) lies within a cell or two of the point.
bool NearDrift(const TTrackMap& map, double x, double y) {
    const int row = MapIndexOf(y);
    const int col = MapIndexOf(x);
    for (int r = row - 2; r <= row + 1; ++r) {
        for (int c = col - 2; c <= col + 2; ++c) {
            const int code = map.At(r, c);
            if (code >= 5 && code <= 20) return true;
        }
    }
    return false;
}

struct Obstacle {
    Extent extent;
    double speedUp;  // world pixels a frame up the road (negative: coming down)
};

// After a lost game the driver puts a name into the table, without sending it anywhere.
void AnswerNameEntry(TMForm& form) {
    if (form.Screens.CheckBox != nullptr && form.Screens.CheckBox->FramePos != 0) {
        form.MDXDrawMouseMove(180, 390);
        form.MDXDrawClick();
    }
    if (form.Screens.EnteredName.empty())
        for (char c : std::string("Autopilot")) form.FormKeyPress(c);
    form.FormKeyPress(13);
}

}  // namespace

SDL_Scancode FirstKeyOf(const TControls& controls, RaceAction action) {
    const SDL_Keycode key = controls.Of(action).Keys[0];
    return key == SDLK_UNKNOWN ? SDL_SCANCODE_UNKNOWN : SDL_GetScancodeFromKey(key);
}

AutopilotWish DriveAutopilot(TMForm& form) {
    if (form.Screens.WindowKind == ModalWindow::NameEntry) {
        ReleaseAll(form);
        AnswerNameEntry(form);
        return AutopilotWish::None;
    }
    if (form.Screens.ScreenState != GameScreen::Race &&
        form.Screens.WindowKind == ModalWindow::None) {
        ReleaseAll(form);
        return AutopilotWish::NewRace;
    }
    TPlayer* car = form.RaceScreen.Race.Player;
    const bool racing = form.Screens.ScreenState == GameScreen::Race && car != nullptr &&
                        form.Screens.WindowKind == ModalWindow::None && car->Crashed == 0;
    if (!racing) {
        ReleaseAll(form);
        return AutopilotWish::None;
    }
    const TTrackMap& map = form.RaceScreen.Track.TrackMap;
    const RoadEdges edges(map);
    const double bx =
        form.RaceScreen.CurrentBackground != nullptr ? form.RaceScreen.CurrentBackground->X : 0;
    const double by =
        form.RaceScreen.CurrentBackground != nullptr ? form.RaceScreen.CurrentBackground->Y : 0;
    const double originX = form.RaceScreen.Track.ViewCol * kCellSize - bx;
    const double originY = form.RaceScreen.Track.ViewRow * kCellSize - by;
    const double carX = originX + car->PivotX;
    const double carY = originY + car->PivotY;
    const double frameScale = form.Timing.FrameScale;
    const double carSpeedUp = car->CarSpeed / 20 * frameScale;

    // The road a little way ahead, further the faster the car goes, and further on still.
    const double ahead = 100 + std::fabs(car->CarSpeed);
    const RoadSpan aimRoad =
        RoadSpanNear(map, std::max(1, static_cast<int>((carY - ahead) / kCellSize)), carX);
    const RoadSpan farRoad =
        RoadSpanNear(map, std::max(1, static_cast<int>((carY - ahead - 300) / kCellSize)), carX);
    const double hereEdge = edges.RightEdgeAt(carX, carY);
    if (!aimRoad.Valid() || std::isnan(hereEdge)) {
        ReleaseAll(form);
        Hold(form, RaceAction::Accelerate, car->CarSpeed < 40);
        return AutopilotWish::None;
    }
    const double aimEdge = edges.RightEdgeAt(carX, carY - ahead);

    // The driver's own body, from the car's outline in the world.
    std::array<TPointD, 4> body{};
    for (size_t k = 0; k < body.size(); ++k)
        body[k] = TPointD{originX + car->Footprint[k].x, originY + car->Footprint[k].y};
    const Extent self = ExtentOf(edges, body, hereEdge);
    const double nowOffset = carX - hereEdge;
    const double bodyLeft = nowOffset - self.leftOffset + kSideMargin;    // body left of centre
    const double bodyRight = self.rightOffset - nowOffset + kSideMargin;  // body right of centre

    // The traffic within sight, and the lamp posts: they stand a little inside the road's
    // edges, every fifth row, and between parallel roads, and they are solid.
    std::array<Obstacle, kCarSlots + kMaxPosts> obstacles{};
    int obstacleCount = 0;
    {
        const int firstRow = std::max(1, MapIndexOf(carY - kLookAhead));
        const int lastRow = std::min(kTrackRows, MapIndexOf(carY + kPostsBehind));
        const int nearCol = MapIndexOf(carX);
        for (int row = firstRow; row <= lastRow && obstacleCount < kMaxPosts; ++row) {
            if (row % kLampRowSpacing != 0) continue;
            for (int col = std::max(1, nearCol - 12);
                 col <= std::min(kTrackCols, nearCol + 12) && obstacleCount < kMaxPosts; ++col) {
                const LampPlace* lamp = LampPlaceOf(map.At(row, col));
                if (lamp == nullptr) continue;
                const double px = col * static_cast<double>(kCellSize) + lamp->PostX;
                const double py = row * static_cast<double>(kCellSize) + lamp->PostY;
                const std::array<TPointD, 4> box{TPointD{px - kPostMargin, py - kPostMargin},
                                                 TPointD{px + kPostMargin, py - kPostMargin},
                                                 TPointD{px - kPostMargin, py + kPostMargin},
                                                 TPointD{px + kPostMargin, py + kPostMargin}};
                obstacles[static_cast<size_t>(obstacleCount++)] =
                    Obstacle{ExtentOf(edges, box, hereEdge), 0};
            }
        }
    }
    if (const TCar* traffic = form.RaceScreen.Race.Traffic; traffic != nullptr) {
        for (int i = 1; i <= traffic->UsedSlots(); ++i) {
            const TCarSlot& other = traffic->Slot(i);
            if (other.Dir == kDirNone || other.Exploding) continue;
            if (other.PosY > carY + 400 || other.PosY + 240 < carY - kLookAhead) continue;
            // A car about to follow a drift turns its picture at once, and its outline with
            // it: near a drift every outline its flow can take counts.
            const CarModel& model = CarModels[static_cast<size_t>(ModelIndex(other.Model))];
            const bool nearDrift =
                NearDrift(map, other.PosX + model.CentreX, other.PosY + model.CentreY);
            const int firstDir = other.Dir <= kDirUp ? kDirUpLeft : kDirDown;
            Extent e;
            for (int dir = firstDir; dir < firstDir + 3; ++dir) {
                if (dir != other.Dir && !nearDrift) continue;
                std::array<TPointD, 4> corners =
                    CarCorners[static_cast<size_t>(ModelIndex(other.Model))]
                              [static_cast<size_t>(dir)];
                for (TPointD& c : corners) {
                    c.x += other.PosX;
                    c.y += other.PosY;
                }
                e = Union(e, ExtentOf(edges, corners, hereEdge));
            }
            if (e.bottom < carY - kLookAhead || e.top > self.bottom + 200) continue;
            obstacles[static_cast<size_t>(obstacleCount++)] =
                Obstacle{e, other.Speed * 0.5 * frameScale};
        }
    }

    // How many frames the car can drive towards a place across the road (an offset of its
    // centre from the road's right edge) before it meets a car, and which car that is. The car
    // does not get there at once: it drifts across at a rate that grows with its speed, and
    // every car it passes on the way counts.
    const double lateralRate = std::max(0.5, 0.2 * std::fabs(carSpeedUp));
    auto clearFrames = [&](double offset, const Obstacle** first, double* gapToFirst) {
        auto placeAt = [&](double t) {
            const double step = lateralRate * t;
            return nowOffset + std::clamp(offset - nowOffset, -step, step);
        };
        double frames = kClearFrames;
        for (int k = 0; k < obstacleCount; ++k) {
            const Obstacle& o = obstacles[static_cast<size_t>(k)];
            // The frames during which the two overlap along the road: the other car's bottom
            // below the car's front and its top above the car's rear.
            const double closing = carSpeedUp - o.speedUp;
            const double a = self.top - o.extent.bottom;
            const double b = self.bottom - o.extent.top;
            double t0 = 0;
            double t1 = kClearFrames;
            if (std::fabs(closing) < 1e-6) {
                if (!(a < 0 && b > 0)) continue;
            } else if (closing > 0) {
                t0 = std::max(0.0, a / closing);
                t1 = std::min(t1, b / closing);
            } else {
                t0 = std::max(0.0, b / closing);
                t1 = std::min(t1, a / closing);
            }
            if (t1 < t0 || t0 >= frames) continue;
            const double p0 = placeAt(t0);
            const double p1 = placeAt(t1);
            const double lo = std::min(p0, p1) - bodyLeft;
            const double hi = std::max(p0, p1) + bodyRight;
            if (o.extent.rightOffset < lo || o.extent.leftOffset > hi) continue;
            frames = t0;
            if (first != nullptr) *first = &o;
            if (gapToFirst != nullptr) *gapToFirst = a;
        }
        return frames;
    };

    // The place with the longest clear run. Moving across costs a little, so that the car does
    // not weave for nothing, and it keeps right, the lane of its own flow, when all is clear.
    const double nearest = -bodyRight - kEdgeMargin + kSideMargin;
    const double farthest = -aimRoad.Width() + bodyLeft + kEdgeMargin - kSideMargin;
    double bestOffset = nearest;
    double bestScore = -1e9;
    for (double offset = nearest; offset >= farthest - 0.1; offset -= kLaneStep) {
        const double frames = clearFrames(offset, nullptr, nullptr);
        // The left half of the road belongs to the oncoming flow: passing there is worth it
        // only with a long clear run.
        const bool oncomingLane = offset < -aimRoad.Width() / 2;
        const double score = frames - std::fabs(offset - nowOffset) * 0.05 +
                             (offset - farthest) / std::max(1.0, nearest - farthest) * 10 -
                             (oncomingLane ? kOncomingLanePenalty : 0);
        if (score > bestScore) {
            bestScore = score;
            bestOffset = offset;
        }
    }
    const Obstacle* blocker = nullptr;
    double blockerGap = 0;
    const double clear = clearFrames(bestOffset, &blocker, &blockerGap);
    // What the car meets where it drives now, for the weapon.
    const Obstacle* inWay = nullptr;
    double inWayGap = 0;
    clearFrames(nowOffset, &inWay, &inWayGap);

    const double aimX = (std::isnan(aimEdge) ? aimRoad.right : aimEdge) + bestOffset;
    double wanted = std::atan2(aimX - carX, ahead) * 256 / (2 * std::numbers::pi);
    wanted = std::clamp(wanted, -40.0, 40.0);
    const double error = wanted - car->Heading;
    Hold(form, RaceAction::Right, error > 0.75);
    Hold(form, RaceAction::Left, error < -0.75);

    const bool bending = farRoad.Valid() && std::fabs(farRoad.right - aimRoad.right) > 100;
    double target = !car->OnRoad ? 70 : (bending || std::fabs(error) > 6 ? 105 : 160);
    bool braking = false;
    if (blocker != nullptr && clear < kClearFrames) {
        if (blocker->speedUp >= 0) {
            // A car driving up, or a lamp post, that cannot be passed: close up no faster than
            // the brakes can take back before the gap is gone, then follow at its pace.
            const double followSpeed = blocker->speedUp / frameScale * 20;
            const double room = std::max(0.0, blockerGap - kFollowGap);
            const double brakeSpeed = std::sqrt(2 * kBrakePerFrame * frameScale * room) * 20;
            target = std::min(target, followSpeed + brakeSpeed);
            braking = true;
        } else if (clear < 60) {
            target = std::min(target, 0.0);  // oncoming and nowhere to go: as slow as can be
            braking = true;
        }
    }
    Hold(form, RaceAction::Accelerate, car->CarSpeed < target);
    Hold(form, RaceAction::Brake, car->CarSpeed > target + (braking ? 1 : 15));

    const bool armed = car->Weapon != WeaponKind::None && car->Ammo > 0;
    // Only a car is worth a shot: a lamp post stands still.
    const bool carInWay = inWay != nullptr && inWay->speedUp != 0;
    Hold(form, RaceAction::Fire, armed && carInWay && inWayGap > 0 && inWayGap < 500);
    return AutopilotWish::None;
}
