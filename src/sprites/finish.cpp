// The finish line: its place on the level's road, the crossing, and its drawing across the road.

#include "sprites/finish.h"

#include "core/rounding.h"
#include "media/image_list.h"
#include "sprites/player.h"
#include "sprites/race_host.h"
#include "sprites/road_view.h"
#include "track/map_codes.h"
#include "track/track_generator.h"

namespace {

constexpr int kFinishZ = 5;

// The line lies this many rows beyond the road's last row counted from the map's bottom.
int LineYFor(int trackLength) {
    return (1550 - trackLength) * kCellSize;
}

}  // namespace

TFinish::TFinish(TSpriteEngine* engine, RaceHost& host)
    : TMyImageSprite(engine, ListOf(Picture::FinishLine)), host_(host) {
    SetImageByName(Picture::FinishLine);
    X = 0;
    Y = LineYFor(host_.Track().Level.TrackLength);
    SetZ(kFinishZ);
    PlaceFinish();
}

void TFinish::PlaceFinish() {
    LineY = LineYFor(host_.Track().Level.TrackLength);
    Y = LineY;
    Crossed = false;
}

// The car has passed the line once the line shows below the top of the car.
void TFinish::MoveStep(int moveCount) {
    (void)moveCount;
    const RoadView view = RoadViewOf(host_);
    Y = LineY - view.ViewRow * static_cast<double>(kCellSize) + view.BackgroundY;
    const TPlayer* car = host_.Race().Player;
    if (car != nullptr && Y > car->Y) Crossed = true;
}

// The sprite engine draws the line only while its rectangle (the picture at the line's screen
// y) lies on the screen. A row without both edge cells, or with the two side by side, shows no
// line; the crossing still counts. The band crosses the whole asphalt: the cells between the
// edge cells, and the edge cells up to their kerbs, whose asphalt is a lane of the road.
// (Departs from the original rule, which leaves the edge cells out: docs/departures.md.)
void TFinish::DrawSelf() {
    if (Image == nullptr) return;
    const TTrackMap& map = host_.Track().TrackMap;
    const int row = LineY / kCellSize;
    int left = 0;
    for (int c = 1; c <= kTrackCols && left == 0; ++c)
        if (map.At(row, c) == MapCode::LeftEdge) left = c;
    int right = 0;
    for (int c = kTrackCols; c >= 1 && right == 0; --c)
        if (map.At(row, c) == MapCode::RightEdge) right = c;
    if (left == 0 || right == 0 || right - 1 < left + 1) return;
    const RoadView view = RoadViewOf(host_);
    const int y = Round(view.BackgroundY) + LineY - view.ViewRow * kCellSize;
    const int x0 = Round(view.BackgroundX) - view.ViewCol * kCellSize;
    Image->DrawPatternColumns(x0 + left * kCellSize, y, 0, kRoadKerbWidth,
                              kCellSize - kRoadKerbWidth);
    Image->DrawPatternColumns(x0 + right * kCellSize, y, 0, 0, kCellSize - kRoadKerbWidth);
    for (int c = left + 1; c <= right - 1; ++c) Image->DrawPattern(x0 + c * kCellSize, y, 0);
}
