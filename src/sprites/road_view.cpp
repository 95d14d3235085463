#include "sprites/road_view.h"

#include "core/rounding.h"
#include "sprites/player.h"
#include "sprites/race_host.h"
#include "sprites/scroll_background.h"
#include "sprites/sprite_engine.h"

RoadView RoadViewOf(RaceHost& host) {
    RoadView view;
    const TrackState& track = host.Track();
    const TScrollBackground* background = host.Background();
    view.ViewCol = track.ViewCol;
    view.ViewRow = track.ViewRow;
    view.BackgroundX = background != nullptr ? background->X : 0;
    view.BackgroundY = background != nullptr ? background->Y : 0;
    view.OriginX = view.ViewCol * static_cast<double>(kCellSize) - view.BackgroundX;
    view.OriginY = view.ViewRow * static_cast<double>(kCellSize) - view.BackgroundY;
    return view;
}

bool PlayerTopmostAt(TSpriteEngine& engine, const TPlayer* player, int x, int y) {
    if (player == nullptr || !player->Visible) return false;
    const int left = Round(player->X);
    const int top = Round(player->Y);
    if (x < left || x > left + player->Width || y < top || y > top + player->Height) return false;
    return engine.SpriteAt(x, y) == player;
}
