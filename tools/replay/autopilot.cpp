#include "autopilot.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "shell/form.h"
#include "sprites/player.h"
#include "sprites/scroll_background.h"

namespace {

bool IsRoadCode(int code) {
    return (code >= 1 && code <= 22) || (code >= 33 && code <= 35);
}

void Hold(TMForm& form, SDL_Scancode key, bool down) {
    const bool held = form.Input.HeldKeys[key] != 0;
    if (down && !held) form.FormKeyDown(key, false);
    if (!down && held) form.FormKeyUp(key);
}

// The middle of the stretch of road in a map row that lies nearest to the world x given, or a
// negative value when the row holds no road.
double RoadMiddleNear(const TTrackMap& map, int row, double worldX) {
    const int near = static_cast<int>(worldX / kCellSize);
    double best = -1;
    double bestDistance = 1e9;
    int col = 1;
    while (col <= kTrackCols) {
        if (!IsRoadCode(map.At(row, col))) {
            ++col;
            continue;
        }
        const int first = col;
        while (col <= kTrackCols && IsRoadCode(map.At(row, col))) ++col;
        const int last = col - 1;
        const double middle = (first + last + 1) * kCellSize / 2.0;
        const double distance = near < first ? first - near : (near > last ? near - last : 0);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = middle;
        }
    }
    return best;
}

}  // namespace

void DriveAutopilot(TMForm& form) {
    TPlayer* car = form.Race.Player;
    const bool racing = form.Screens.ScreenState == kScreenRace && car != nullptr &&
                        form.Screens.WindowKind == kWindowNone && car->Crashed == 0;
    if (!racing) {
        for (SDL_Scancode key :
             {SDL_SCANCODE_UP, SDL_SCANCODE_DOWN, SDL_SCANCODE_LEFT, SDL_SCANCODE_RIGHT})
            Hold(form, key, false);
        return;
    }
    const double bx = form.CurrentBackground != nullptr ? form.CurrentBackground->X : 0;
    const double by = form.CurrentBackground != nullptr ? form.CurrentBackground->Y : 0;
    const double carX = form.Track.ViewCol * kCellSize - bx + car->PivotX;
    const double carY = form.Track.ViewRow * kCellSize - by + car->PivotY;

    // Aim at the road's middle a little way ahead, further the faster the car goes.
    const double ahead = 150 + car->CarSpeed * 1.5;
    const int aheadRow = static_cast<int>((carY - ahead) / kCellSize);
    const double aimX = RoadMiddleNear(form.Track.TrackMap, std::max(1, aheadRow), carX);
    // How much the road bends further on: slow down for it.
    const int farRow = static_cast<int>((carY - ahead - 300) / kCellSize);
    const double farX = RoadMiddleNear(form.Track.TrackMap, std::max(1, farRow), carX);

    double wanted = 0;
    if (aimX > 0) wanted = std::atan2(aimX - carX, ahead) * 256 / (2 * std::numbers::pi);
    wanted = std::clamp(wanted, -40.0, 40.0);
    const double error = wanted - car->Heading;
    Hold(form, SDL_SCANCODE_RIGHT, error > 0.75);
    Hold(form, SDL_SCANCODE_LEFT, error < -0.75);

    const bool bending = farX > 0 && aimX > 0 && std::fabs(farX - aimX) > 100;
    const double target = !car->OnRoad ? 70 : (bending || std::fabs(error) > 6 ? 105 : 160);
    Hold(form, SDL_SCANCODE_UP, car->CarSpeed < target);
    Hold(form, SDL_SCANCODE_DOWN, car->CarSpeed > target + 15);
}
